#include "loaders/loader_def.h"

#include <algorithm>

namespace morvane::loaders {
namespace {

FieldRule Rule(int piece, std::string field, Conversion conversion) {
  FieldRule rule;
  rule.piece = piece;
  rule.field = std::move(field);
  rule.conversion = conversion;
  return rule;
}

}  // namespace

void SplitBars(std::string_view record, int limit, std::vector<std::string_view>& pieces) {
  pieces.clear();
  std::size_t start = 0;
  while (static_cast<int>(pieces.size()) + 1 < limit) {
    const std::size_t bar = record.find('|', start);
    if (bar == std::string_view::npos) break;
    pieces.push_back(record.substr(start, bar - start));
    start = bar + 1;
  }
  pieces.push_back(record.substr(start));
}

int PiecesNeeded(const LoaderDef& loader) {
  int needed = 0;
  for (const FieldRule& rule : loader.fields)
    needed = std::max({needed, rule.piece, rule.highest_piece});
  return needed;
}

FieldRule AsIs(int piece, std::string field) { return Rule(piece, std::move(field), Conversion::kAsIs); }
FieldRule Trimmed(int piece, std::string field) { return Rule(piece, std::move(field), Conversion::kTrimmed); }
FieldRule Number(int piece, std::string field) { return Rule(piece, std::move(field), Conversion::kNumber); }
FieldRule Date(int piece, std::string field) { return Rule(piece, std::move(field), Conversion::kDate); }
FieldRule Memo(int piece, std::string field) { return Rule(piece, std::move(field), Conversion::kMemo); }
FieldRule MemoOfTrimmed(int piece, std::string field) {
  return Rule(piece, std::move(field), Conversion::kMemoOfTrimmed);
}

FieldRule First(int piece, std::string field, int n) {
  FieldRule rule = Rule(piece, std::move(field), Conversion::kFirst);
  rule.n = n;
  return rule;
}

FieldRule FirstTrimmed(int piece, std::string field, int n) {
  FieldRule rule = Rule(piece, std::move(field), Conversion::kFirstTrimmed);
  rule.n = n;
  return rule;
}

FieldRule TrimmedFirst(int piece, std::string field, int n) {
  FieldRule rule = Rule(piece, std::move(field), Conversion::kTrimmedFirst);
  rule.n = n;
  return rule;
}

FieldRule Mask(int piece, std::string field, std::string mask) {
  FieldRule rule = Rule(piece, std::move(field), Conversion::kMask);
  rule.mask = std::move(mask);
  return rule;
}

FieldRule Custom(int piece, std::string field, CustomConversion custom, int highest_piece) {
  FieldRule rule = Rule(piece, std::move(field), Conversion::kCustom);
  rule.custom = std::move(custom);
  rule.highest_piece = highest_piece;
  return rule;
}

}  // namespace morvane::loaders
