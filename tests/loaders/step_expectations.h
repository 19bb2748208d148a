// Helpers for the tests of the data set loaders: finding a loader by its
// procedure name, reading the rejected-data file as records, and checking
// what a loader shows in the status window and writes to the process log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "loaders/loader_def.h"
#include "platform/db/value.h"
#include "support/loader_fixture.h"
#include "support/value_printer.h"

namespace morvane::testing {

using Row = std::vector<db::Value>;


// One line of baddata.txt.
struct Rejection {
  std::string data_set;
  std::int64_t line = 0;
  std::string reason;
  std::string record;
};
std::vector<Rejection> Rejections(LoaderFixture& fixture);

// Success when `text` holds `part`.
::testing::AssertionResult Mentions(std::string_view text, std::string_view part);

// One file of one loader, the rows it leaves in stored order, and the line
// numbers that go to the rejected-data file. A row holds every field of the
// table in table order, or the fields named in `fields`.
struct LoadCase {
  std::string name;
  std::string procedure;
  std::string file;
  std::string table;
  std::string content;
  std::vector<Row> rows;
  std::vector<std::int64_t> rejected_lines;
  std::vector<std::string> fields = {};
};
void ExpectLoad(const LoadCase& c);

// What a loader shows and logs when it runs as its step.
struct StepTexts {
  std::string procedure;
  int step = 0;
  std::string file;
  std::string caption_head;  // the status text before the file name
  std::string action_text;   // ProcessLog.ActionText
  bool finishing = true;     // ends with "Finished processing  <  ...  >  data !"
};

// Runs the loader as its step, in a fresh fixture, on a file of `content`,
// and checks the status captions and the step's process-log row (which
// counts `lines` lines).
void ExpectStepTexts(const StepTexts& texts, std::string_view content, std::int64_t lines);

}  // namespace morvane::testing
