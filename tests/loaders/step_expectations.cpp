#include "loaders/step_expectations.h"

#include <gtest/gtest.h>

#include <sstream>

#include "loaders/loader_registry.h"

namespace morvane::testing {

std::vector<Rejection> Rejections(LoaderFixture& fixture) {
  std::vector<Rejection> rejections;
  for (const std::string& line : fixture.RejectedLines()) {
    Rejection r;
    std::istringstream in(line);
    std::string where;
    std::getline(in, r.data_set, '\t');
    std::getline(in, where, '\t');
    std::getline(in, r.reason, '\t');
    std::getline(in, r.record);
    if (where.rfind("line ", 0) == 0) r.line = std::stoll(where.substr(5));
    rejections.push_back(std::move(r));
  }
  return rejections;
}

::testing::AssertionResult Mentions(std::string_view text, std::string_view part) {
  if (text.find(part) != std::string_view::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << text << "\" does not mention \"" << part << "\"";
}

void ExpectLoad(const LoadCase& c) {
  SCOPED_TRACE(c.name);
  LoaderFixture fixture;
  fixture.WriteDataSet(c.file, c.content);
  fixture.Run(LoaderNamed(c.procedure));
  const std::vector<Row> rows = fixture.Rows(c.table, c.fields);
  ASSERT_EQ(rows.size(), c.rows.size()) << ::testing::PrintToString(rows);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), c.rows[i].size()) << "row " << i;
    for (std::size_t k = 0; k < rows[i].size(); ++k)
      EXPECT_EQ(rows[i][k], c.rows[i][k]) << "row " << i << ", field " << k + 1;
  }
  std::vector<std::int64_t> lines;
  for (const Rejection& r : Rejections(fixture)) {
    EXPECT_EQ(r.data_set, c.file);
    lines.push_back(r.line);
  }
  EXPECT_EQ(lines, c.rejected_lines);
}

void ExpectStepTexts(const StepTexts& texts, std::string_view content, std::int64_t lines) {
  SCOPED_TRACE(texts.procedure);
  LoaderFixture fixture;
  fixture.WriteDataSet(texts.file, content);
  fixture.Run(LoaderNamed(texts.procedure), texts.step);

  const std::string opening = texts.caption_head + texts.file + " >  data !";
  const auto status = fixture.ui().CaptionHistory("frmStatus", "lblStatus");
  ASSERT_FALSE(status.empty());
  EXPECT_EQ(status.front(), opening);
  EXPECT_EQ(fixture.ui().Caption("frmStatus", "lblStatus"),
            texts.finishing ? "Finished processing  <  " + texts.file + "  >  data !" : opening);

  EXPECT_EQ(fixture.ui().CaptionHistory("frmStatus", "lblStepCurrent"),
            std::vector<std::string>{" " + std::to_string(texts.step)});

  const auto log = fixture.Rows("ProcessLog", {"ActionCounter", "ActionText", "RecordsProcessed",
                                               "InputFileSize"});
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0][0], db::Value(texts.step));
  EXPECT_EQ(log[0][1], db::Value(texts.action_text));
  EXPECT_EQ(log[0][2], db::Value(lines));
  EXPECT_EQ(log[0][3], db::Value(static_cast<std::int64_t>(content.size())));
}

}  // namespace morvane::testing
