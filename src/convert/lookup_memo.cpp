#include "convert/lookup_memo.h"

namespace morvane::convert {

bool MemoRow::Find(db::TableRecordset& rs, const db::Value& key,
                   std::span<const std::string_view> fields) {
  if (valid_ && key == key_) return found_;
  valid_ = false;
  rs.Seek("=", key);
  found_ = !rs.NoMatch();
  if (found_) {
    if (indexes_.empty())
      for (std::string_view field : fields) indexes_.push_back(rs.FieldIndex(field));
    values_.resize(indexes_.size());
    for (std::size_t i = 0; i < indexes_.size(); ++i) values_[i] = rs.Get(indexes_[i]);
  }
  key_ = key;
  valid_ = true;
  return found_;
}

}  // namespace morvane::convert
