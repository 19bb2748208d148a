// Presence of AntMain and SiteSat keys from the present call sign's keys.
#include "convert/filing_group_keys.h"

#include <gtest/gtest.h>

namespace morvane::convert {
namespace {

TEST(FilingGroupKeysTest, KeysLastForTheRunOfOneCallSignAsTheSortSeesIt) {
  FilingGroupKeys keys;
  keys.StartRow("KA1", 10);
  keys.Add(FilingGroupKeys::kAntMain, "QD0000000010~01~01R");
  keys.StartRow("ka1", 11);  // the same call sign to a NOCASE sort
  EXPECT_TRUE(keys.Holds(FilingGroupKeys::kAntMain, "qd0000000010~01~01r"));
  EXPECT_FALSE(keys.Holds(FilingGroupKeys::kSiteSat, "QD0000000010~01~01R"));
  EXPECT_FALSE(keys.Holds(FilingGroupKeys::kAntMain, "QD0000000010~01~01R "));
  keys.StartRow("KB2", 12);
  EXPECT_FALSE(keys.Holds(FilingGroupKeys::kAntMain, "QD0000000010~01~01R"));
  EXPECT_TRUE(keys.exact());
}

TEST(FilingGroupKeysTest, AFilingMetAgainUnderAnotherCallSignEndsExactAnswers) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, std::int64_t>> rows;
    bool exact;
  };
  const Case cases[] = {
      {"filings interleaved in one run", {{"KA1", 1}, {"KA1", 2}, {"ka1", 1}, {"KA1", 2}}, true},
      {"each filing in its own run", {{"KA1", 1}, {"KB2", 2}, {"KC3", 3}}, true},
      {"a filing again after another call sign", {{"KA1", 1}, {"KB2", 2}, {"KC3", 1}}, false},
      {"a split run: trailing blank", {{"KA1", 1}, {"KA1 ", 1}}, false},
  };
  for (const Case& c : cases) {
    FilingGroupKeys keys;
    for (const auto& [call_sign, filing] : c.rows) keys.StartRow(call_sign, filing);
    EXPECT_EQ(keys.exact(), c.exact) << c.name;
  }
  EXPECT_FALSE(FilingGroupKeys(/*exact=*/false).exact());
}

// One call sign over a whole export (blank in every filing, say) must not
// hold the export's keys: past a bound the answers come from the tables.
TEST(FilingGroupKeysTest, ARunTooLongToHoldEndsExactAnswers) {
  FilingGroupKeys by_keys;
  by_keys.StartRow("", 1);
  for (int i = 0; i < 200000 && by_keys.exact(); ++i)
    by_keys.Add(FilingGroupKeys::kSiteSat, "QD0000000001~" + std::to_string(i) + "T");
  EXPECT_FALSE(by_keys.exact());
  FilingGroupKeys by_filings;
  for (int i = 0; i < 200000 && by_filings.exact(); ++i) by_filings.StartRow("", i % 2);
  EXPECT_FALSE(by_filings.exact());
}

}  // namespace
}  // namespace morvane::convert
