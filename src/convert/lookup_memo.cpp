#include "convert/lookup_memo.h"

namespace morvane::convert {

bool MemoRow::Find(const StagingSource& source, const db::Value& key,
                   std::span<const std::string_view> fields) {
  if (valid_ && key == key_) return found_;
  valid_ = false;
  if (!select_) select_ = source.PrepareFirst(fields);
  found_ = !key.IsNull() && select_->Run({key}) > 0;
  if (found_) {
    values_.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) values_[i] = select_->Get(0, static_cast<int>(i));
  }
  key_ = key;
  valid_ = true;
  return found_;
}

}  // namespace morvane::convert
