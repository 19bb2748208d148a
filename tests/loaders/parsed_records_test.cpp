// Several converter threads finish batches in any order; the run still gets
// every pass in file order, and an error where it came.
#include "loaders/parsed_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>

#include "support/temp_dir.h"

namespace morvane::loaders {
namespace {

using Result = engine::RecordReader::Result;

// Key and text; the conversion of "slow" records takes longer, so batches
// finish out of order, and "fail" fails.
LoaderDef TwoFields() {
  LoaderDef d;
  d.table = "T";
  d.pieces = 2;
  d.fields = {Number(1, "Key"), Custom(2, "Text", [](const Record& r, RunActions&) {
                if (r.Piece(2) == "fail") throw std::runtime_error("cannot convert");
                std::string work(r.Piece(2));
                for (int i = 0; r.Piece(2) == "slow" && i < 3000; ++i)
                  work = std::to_string(std::hash<std::string>{}(work));
                return FieldValue(db::Value(work.empty() ? "" : r.Piece(2)));
              })};
  return d;
}

struct Taken {
  std::vector<std::int64_t> keys;
  std::vector<std::int64_t> lines;
  std::string error;
};

Taken ReadAll(const std::string& content) {
  testing::TempDir dir;
  files::LineReader lines(dir.Write("t.dat", content));
  static const LoaderDef def = TwoFields();
  const RecordConverter converter(def, {{&def.fields[0], {"Key", db::FieldType::kLong, 0}, Fraction::kRefused},
                                        {&def.fields[1], {"Text", db::FieldType::kText, 10}, Fraction::kRefused}});
  ParsedRecords records(lines, converter, 3);
  Taken run;
  while (ParsedPass* pass = records.Next()) {
    if (pass->error) {
      try {
        std::rethrow_exception(pass->error);
      } catch (const std::exception& e) {
        run.error = e.what();
      }
      break;
    }
    if (pass->result != Result::kRecord) continue;
    run.keys.push_back(pass->values.at(0).Integer());
    run.lines.push_back(pass->line);
  }
  return run;
}

std::string Records(int count, int fail_at) {
  std::string content;
  for (int i = 1; i <= count; ++i)
    content += std::to_string(i) + "|" + (i == fail_at ? "fail" : i % 700 < 5 ? "slow" : "x") + "|^|\n";
  return content;
}

TEST(ParsedRecordsTest, PassesComeInFileOrderWhateverThreadConvertedThem) {
  const Taken run = ReadAll(Records(6000, 0));
  ASSERT_EQ(run.keys.size(), 6000u);
  for (std::size_t i = 0; i < run.keys.size(); ++i) {
    ASSERT_EQ(run.keys[i], static_cast<std::int64_t>(i + 1));
    ASSERT_EQ(run.lines[i], static_cast<std::int64_t>(i + 1));
  }
  EXPECT_EQ(run.error, "");
}

TEST(ParsedRecordsTest, AConversionErrorComesAfterEveryPassBeforeIt) {
  const Taken run = ReadAll(Records(6000, 4321));
  EXPECT_EQ(run.keys.size(), 4320u);
  EXPECT_EQ(run.error, "cannot convert");
}

TEST(ParsedRecordsTest, APassDoesNotKeepTheBufferOfALongRecord) {
  std::string content;
  for (int i = 1; i <= 400; ++i) content += std::to_string(i) + "|" + std::string(90000, 'L') + "|^|\n";
  content += Records(6000, 0);
  testing::TempDir dir;
  files::LineReader lines(dir.Write("t.dat", content));
  static const LoaderDef def = TwoFields();
  const RecordConverter converter(def, {{&def.fields[0], {"Key", db::FieldType::kLong, 0}, Fraction::kRefused}});
  ParsedRecords records(lines, converter, 3);
  std::size_t largest_after = 0;
  for (int n = 1; ParsedPass* pass = records.Next(); ++n)
    if (n > 2400) largest_after = std::max(largest_after, pass->text.capacity());
  EXPECT_LT(largest_after, 8192u);
}

TEST(ParsedRecordsTest, LeavingEarlyEndsEveryThread) {
  testing::TempDir dir;
  files::LineReader lines(dir.Write("t.dat", Records(9000, 0)));
  static const LoaderDef def = TwoFields();
  const RecordConverter converter(def, {{&def.fields[0], {"Key", db::FieldType::kLong, 0}, Fraction::kRefused}});
  ParsedRecords records(lines, converter, 3);
  EXPECT_NE(records.Next(), nullptr);
}  // the destructor returns: no thread waits for good

}  // namespace
}  // namespace morvane::loaders
