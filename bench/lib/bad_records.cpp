#include "bench/lib/bad_records.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace morvane::bench {
namespace {

constexpr BadKind kKinds[] = {BadKind::kTooFewFields, BadKind::kTextTooLong,
                              BadKind::kNumberOutOfRange, BadKind::kUnreadableDate,
                              BadKind::kUnterminated};

// A piece that the layout's check accepts.
std::string ValidPiece(const PieceCheck& c) {
  switch (c.check) {
    case Check::kText:
    case Check::kAsIs:
      return std::string("BAD RECORD").substr(0, static_cast<std::size_t>(c.size));
    case Check::kDate:
      return "Jan  1 2000";
    case Check::kUnused:
    case Check::kAny:
      return "bad record";
    default:
      return "0";  // every number check of the layouts takes 0
  }
}

int FirstPiece(const DataSetLayout& layout, std::initializer_list<Check> checks) {
  for (int i = 0; i < layout.pieces; ++i)
    if (std::find(checks.begin(), checks.end(), layout.checks[i].check) != checks.end()) return i;
  return -1;
}

bool Applies(const DataSetLayout& layout, BadKind kind) {
  switch (kind) {
    case BadKind::kTooFewFields:
      return layout.splitting == Splitting::kBars && layout.PiecesNeeded() >= 2;
    case BadKind::kTextTooLong:
      return FirstPiece(layout, {Check::kText, Check::kAsIs}) >= 0;
    case BadKind::kNumberOutOfRange:
      return FirstPiece(layout, {Check::kLong}) >= 0;
    case BadKind::kUnreadableDate:
      return FirstPiece(layout, {Check::kDate}) >= 0;
    case BadKind::kUnterminated:
      return true;
  }
  return false;
}

std::string MakeBody(const DataSetLayout& layout, BadKind kind) {
  std::vector<std::string> pieces;
  for (const PieceCheck& c : layout.checks) pieces.push_back(ValidPiece(c));
  switch (kind) {
    case BadKind::kTooFewFields:
      pieces.resize(static_cast<std::size_t>(layout.PiecesNeeded() - 1));
      break;
    case BadKind::kTextTooLong: {
      const int i = FirstPiece(layout, {Check::kText, Check::kAsIs});
      pieces[i] = "BAD RECORD, TEXT TOO LONG";
      pieces[i].resize(static_cast<std::size_t>(layout.checks[i].size) + 5, 'X');
      break;
    }
    case BadKind::kNumberOutOfRange:
      pieces[FirstPiece(layout, {Check::kLong})] = "4294967296";
      break;
    case BadKind::kUnreadableDate:
      pieces[FirstPiece(layout, {Check::kDate})] = "Foo 12 2001";
      break;
    case BadKind::kUnterminated:
      break;
  }
  std::string body;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) body += '|';
    body += pieces[i];
  }
  return body;
}

}  // namespace

std::string_view BadKindName(BadKind kind) {
  switch (kind) {
    case BadKind::kTooFewFields: return "too few fields";
    case BadKind::kTextTooLong: return "text too long";
    case BadKind::kNumberOutOfRange: return "number out of range";
    case BadKind::kUnreadableDate: return "unreadable date";
    case BadKind::kUnterminated: return "no end mark";
  }
  return "?";
}

std::vector<BadRecord> PlanBadRecords(const std::vector<DataSetLayout>& layouts, int count) {
  if (count < 0) throw std::invalid_argument("a negative count of bad records");
  std::vector<BadRecord> plan;
  std::vector<std::size_t> next(std::size(kKinds), 0);  // per kind: next data set to try
  std::vector<bool> unterminated(layouts.size(), false);
  for (int i = 0; i < count; ++i) {
    BadKind kind = kKinds[static_cast<std::size_t>(i) % std::size(kKinds)];
    if (kind == BadKind::kUnterminated &&
        std::all_of(unterminated.begin(), unterminated.end(), std::identity()))
      kind = BadKind::kTooFewFields;
    std::size_t& cursor = next[static_cast<std::size_t>(kind)];
    std::size_t d = cursor;
    while (!Applies(layouts[d % layouts.size()], kind) ||
           (kind == BadKind::kUnterminated && unterminated[d % layouts.size()]))
      ++d;
    d %= layouts.size();
    cursor = d + 1;
    if (kind == BadKind::kUnterminated) unterminated[d] = true;
    plan.push_back({d, kind, MakeBody(layouts[d], kind)});
  }
  return plan;
}

}  // namespace morvane::bench
