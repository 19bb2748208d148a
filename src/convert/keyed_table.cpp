#include "convert/keyed_table.h"

#include <vector>

namespace morvane::convert {

KeyedTable::KeyedTable(db::Database& database, std::string_view table, std::string_view key_index,
                       FilingGroupKeys* group, FilingGroupKeys::Table group_table)
    : database_(&database),
      rs_(database.OpenTable(table)),
      table_(table),
      key_index_(key_index),
      group_(group),
      group_table_(group_table) {
  rs_.SetIndex(key_index);
  // The filter has seen none of the keys stored while the group answered.
  keys_ = group ? KnownKeys(false) : KnownKeysOf(rs_);
}

bool KeyedTable::Holds(const std::string& key, std::string_view record) {
  if (refused_.Contains(key, record)) return true;
  if (group_ && group_->exact()) return group_->Holds(group_table_, key);
  if (group_) BuildIndexes();  // once: the index stays
  return convert::Holds(keys_, rs_, key);
}

void KeyedTable::Stored(const std::string& key) {
  if (group_ && group_->exact())
    group_->Add(group_table_, key);
  else
    keys_.Add(key);
}

// The grouped tables are sought only once the group no longer answers, so
// even their key index waits.
void KeyedTable::DeferIndexes() {
  std::vector<std::string_view> keep;
  if (!group_) keep.push_back(key_index_);
  deferred_ = std::make_unique<db::DeferredIndexes>(*database_, table_, keep);
}

void KeyedTable::BuildIndexes() {
  if (deferred_) deferred_->Rebuild();
}

}  // namespace morvane::convert
