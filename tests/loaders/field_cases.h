// Table-driven checks of a loader's field conversions, run through the
// whole loader: every case is one record of a data set file (a base record
// with one piece changed), and each stores its field or is rejected.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "loaders/loader_def.h"
#include "platform/db/value.h"
#include "support/loader_fixture.h"

namespace morvane::testing {

// A value as a test failure shows it: Null, integer 12, real 1.5, "text".
std::string Describe(const db::Value& v);
std::vector<std::string> Describe(const std::vector<db::Value>& row);

// One record line: the pieces joined with "|", then the end mark.
std::string RecordLine(const std::vector<std::string>& pieces);

// Rows as the tests compare them: every value described.
using DescribedRows = std::vector<std::vector<std::string>>;
DescribedRows Expected(const std::vector<std::vector<db::Value>>& rows);

// Writes `content` as the loader's data set file, runs the loader as step
// `step`, and returns the rows of its staging table (those fields).
DescribedRows Load(LoaderFixture& fx, const loaders::LoaderDef& loader, std::string_view content,
                   const std::vector<std::string>& fields, int step = 1);

// The process log's rows, each as "step|action text|records processed".
std::vector<std::string> ProcessLog(LoaderFixture& fx);

// The line numbers of the records of `file` in the rejected-data file, in
// its order. Closes that file (see LoaderFixture::RejectedLines).
std::vector<int> RejectedLineNumbers(LoaderFixture& fx, const std::string& file);


struct FieldCase {
  int piece = 0;          // the piece of the base record that the case replaces
  std::string input;
  std::string field;      // the staging field to look at
  db::Value expected;     // what it holds (Null included)
  bool rejected = false;  // the record goes to the rejected-data file instead
};

FieldCase Stores(int piece, std::string input, std::string field, db::Value expected);
FieldCase Rejects(int piece, std::string input, std::string field);

// Writes one record per case into the loader's file, runs the loader once,
// and checks each case's stored field or rejected line (in file order).
void ExpectFieldCases(const loaders::LoaderDef& loader, const std::vector<std::string>& base,
                      const std::vector<FieldCase>& cases);

}  // namespace morvane::testing
