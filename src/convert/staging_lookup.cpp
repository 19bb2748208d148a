#include "convert/staging_lookup.h"

#include "platform/text/text.h"

namespace morvane::convert {
namespace {

constexpr std::string_view kSeparator = " {/n} ";

}  // namespace

bool StagingLookup::Find(const db::Value& key, std::span<const std::string_view> fields) {
  if (valid_ && key == key_) return found_;
  valid_ = false;
  if (!select_) select_ = source_.PrepareFirst(fields);
  found_ = !key.IsNull() && select_->Run({key}) > 0;
  if (found_) {
    values_.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) values_[i] = select_->Get(0, static_cast<int>(i));
  }
  key_ = key;
  valid_ = true;
  return found_;
}

const std::string& ConditionTexts::TextOf(std::int64_t key, StagingLookup& conditions) {
  if (valid_ && key_ == key) return text_;
  valid_ = false;
  text_ = Gather(key, conditions);
  key_ = key;
  valid_ = true;
  return text_;
}

std::string ConditionTexts::MissingEntry(std::int64_t key, std::int64_t code) const {
  std::string entry =
      "Entry NOT found in Condition table:  " + std::string(label_) + std::to_string(key);
  if (names_code_) entry += "  /   ConditionCode = " + std::to_string(code);
  return entry;
}

// One entry per link row in index order, separated by " {/n} ".
std::string ConditionTexts::Gather(std::int64_t key, StagingLookup& conditions) {
  static constexpr std::string_view kLinkFields[] = {"ConditionCode"};
  static constexpr std::string_view kConditionFields[] = {"ConditionText", "ConditionNote"};
  if (!select_) select_ = links_.PrepareAll(kLinkFields);
  const std::int64_t count = select_->Run({key});
  std::string text;
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int64_t code = select_->Get(i, 0).AsInteger();
    if (!text.empty()) text += kSeparator;
    if (!conditions.Find(code, kConditionFields)) {
      text += MissingEntry(key, code);
      continue;
    }
    text += "Text: " + text::Trim(conditions.Text(0));
    const std::string note = text::Trim(conditions.Text(1));
    if (!note.empty()) text += std::string(kSeparator) + "Note: " + note;
  }
  return text;
}

}  // namespace morvane::convert
