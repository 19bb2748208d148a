// The keys that step 39 knows of the tables it fills.
#include "convert/known_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace morvane::convert {
namespace {

using Answer = KnownKeys::Answer;

TEST(KnownKeysTest, KeysCompareAsTheNocaseIndexDoes) {
  KnownKeys keys;
  keys.Add("QD0000012345~01T");
  keys.Add("az~1");
  keys.Add("\xC3\x89t\xC3\xA9");  // "Été": NOCASE folds ASCII letters only
  keys.Add(std::string("N\0a", 3));
  const std::pair<std::string, Answer> cases[] = {
      {"qd0000012345~01t", Answer::kPresent},
      {"AZ~1", Answer::kPresent},
      {"QD0000012345~01R", Answer::kAbsent},
      {"QD0000012345~01T ", Answer::kAbsent},
      {"\xC3\x89T\xC3\xA9", Answer::kPresent},
      {"\xC3\xA9t\xC3\xA9", Answer::kAbsent},
      {std::string("n\0b", 3), Answer::kPresent},  // the index stops at the NUL
      {std::string("n\0bc", 4), Answer::kAbsent},
  };
  for (const auto& [key, answer] : cases) EXPECT_EQ(keys.Find(key), answer) << key;
}

TEST(KnownKeysTest, AnEarlyKeyIsNeverTakenForAbsentAfterManyOthers) {
  KnownKeys keys;
  keys.Add("first");
  for (int i = 0; i < 50000; ++i) keys.Add("key " + std::to_string(i));
  EXPECT_NE(keys.Find("FIRST"), Answer::kAbsent);
  EXPECT_EQ(keys.Find("key 49999"), Answer::kPresent);
  int absent = 0;  // none of them, whichever filter holds it
  for (int i = 0; i < 50000; ++i) absent += keys.Find("KEY " + std::to_string(i)) == Answer::kAbsent;
  EXPECT_EQ(absent, 0);
  int unknown = 0;  // and the filters still tell most new keys apart
  for (int i = 0; i < 10000; ++i) unknown += keys.Find("other " + std::to_string(i)) != Answer::kAbsent;
  EXPECT_LT(unknown, 500);
}

TEST(KnownKeysTest, TheKeysOfTheTwoLatestGenerationsArePresent) {
  KnownKeys keys;
  for (int i = 0; i < 1500; ++i) keys.Add("k" + std::to_string(i));
  EXPECT_EQ(keys.Find("K10"), Answer::kPresent);    // the older generation
  EXPECT_EQ(keys.Find("K1499"), Answer::kPresent);  // the recent one
  EXPECT_EQ(keys.Find("K1500"), Answer::kAbsent);
}

TEST(KnownKeysTest, ATableThatHeldRowsNeverAnswersAbsent) {
  KnownKeys keys(/*starts_empty=*/false);
  keys.Add("A1");
  EXPECT_EQ(keys.Find("a1"), Answer::kPresent);
  EXPECT_EQ(keys.Find("B1"), Answer::kUnknown);
}

}  // namespace
}  // namespace morvane::convert
