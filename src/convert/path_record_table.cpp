#include "convert/path_record_table.h"

namespace morvane::convert {
namespace {

constexpr const char* kKeyIndex = "idxPathSiteKey";

// The path record's fields of one half hold these values.
bool SameSide(const SideValues& a, const SideValues& b) {
  return a.ant_site_key == b.ant_site_key && a.antenna_key == b.antenna_key && a.call == b.call &&
         a.class_station == b.class_station && a.es_coord_flag == b.es_coord_flag;
}

}  // namespace

PathRecordTable::PathRecordTable(db::Database& database)
    : database_(&database), rs_(database.OpenTable("PathRecord")) {
  rs_.SetIndex(kKeyIndex);
  keys_ = KnownKeysOf(rs_);
}

bool PathRecordTable::Unchanged(const std::string& key, Half half, const SideValues& values) const {
  // Only this table changes these fields: the row holds them already.
  const std::string& written_key = written_key_[half];
  if (!written_key.empty() && written_key == key && SameSide(written_[half], values)) return true;
  return refused_.Contains(key);
}

bool PathRecordTable::Exists(const std::string& key) {
  return keys_.Find(key) != KnownKeys::Answer::kAbsent && at_.Seek(rs_, key);
}

void PathRecordTable::Written(const std::string& key, Half half, const SideValues& values,
                              bool existed, bool stored) {
  if (!existed || !stored) at_.Forget();  // an added row moves nothing
  if (!stored) return refused_.Add(key);
  keys_.Add(key);
  written_key_[half] = key;
  written_[half] = values;
}

void PathRecordTable::DeferIndexes() {
  deferred_ = std::make_unique<db::DeferredIndexes>(*database_, "PathRecord",
                                                    std::vector<std::string_view>{kKeyIndex});
}

void PathRecordTable::BuildIndexes() {
  if (deferred_) deferred_->Rebuild();
}

}  // namespace morvane::convert
