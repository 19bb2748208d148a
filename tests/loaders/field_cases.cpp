#include "loaders/field_cases.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "loaders/loader_registry.h"

namespace morvane::testing {

std::string RecordLine(const std::vector<std::string>& pieces) {
  std::string line;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i) line += '|';
    line += pieces[i];
  }
  return line + "|^|\n";
}

DescribedRows Expected(const std::vector<std::vector<db::Value>>& rows) {
  DescribedRows out;
  for (const auto& row : rows) out.push_back(Describe(row));
  return out;
}

DescribedRows Load(LoaderFixture& fx, const loaders::LoaderDef& loader, std::string_view content,
                   const std::vector<std::string>& fields, int step) {
  fx.WriteDataSet(loader.file, content);
  fx.Run(loader, step);
  return Expected(fx.Rows(loader.table, fields));
}

std::vector<std::string> ProcessLog(LoaderFixture& fx) {
  std::vector<std::string> rows;
  for (const auto& row : fx.Rows("ProcessLog", {"ActionCounter", "ActionText", "RecordsProcessed"}))
    rows.push_back(row[0].AsText() + "|" + row[1].AsText() + "|" + row[2].AsText());
  return rows;
}

std::vector<int> RejectedLineNumbers(LoaderFixture& fx, const std::string& file) {
  std::vector<int> numbers;
  const std::string prefix = file + "\tline ";
  for (const std::string& line : fx.RejectedLines()) {
    if (line.rfind(prefix, 0) != 0) {
      ADD_FAILURE() << "a rejected line of another file: " << line;
      continue;
    }
    numbers.push_back(std::stoi(line.substr(prefix.size())));
  }
  return numbers;
}

FieldCase Stores(int piece, std::string input, std::string field, db::Value expected) {
  return {piece, std::move(input), std::move(field), std::move(expected), false};
}

FieldCase Rejects(int piece, std::string input, std::string field) {
  return {piece, std::move(input), std::move(field), db::Value(), true};
}

void ExpectFieldCases(const loaders::LoaderDef& loader, const std::vector<std::string>& base,
                      const std::vector<FieldCase>& cases) {
  LoaderFixture fx;
  std::string file;
  std::vector<std::string> fields;
  for (const FieldCase& c : cases) {
    std::vector<std::string> pieces = base;
    if (static_cast<int>(pieces.size()) < c.piece) pieces.resize(c.piece);
    pieces[c.piece - 1] = c.input;
    file += RecordLine(pieces);
    if (std::find(fields.begin(), fields.end(), c.field) == fields.end()) fields.push_back(c.field);
  }
  fx.WriteDataSet(loader.file, file);
  fx.Run(loader);

  const auto rows = fx.Rows(loader.table, fields);
  const auto rejected = RejectedLineNumbers(fx, loader.file);
  std::size_t row = 0, bad = 0;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const FieldCase& c = cases[i];
    SCOPED_TRACE(loader.file + " piece " + std::to_string(c.piece) + " \"" + c.input + "\" -> " +
                 c.field);
    const bool was_rejected =
        std::find(rejected.begin(), rejected.end(), static_cast<int>(i + 1)) != rejected.end();
    if (c.rejected) {
      EXPECT_TRUE(was_rejected) << "stored instead of rejected";
      if (was_rejected) ++bad; else ++row;
      continue;
    }
    if (was_rejected) {
      const std::string prefix = loader.file + "\tline " + std::to_string(i + 1) + "\t";
      for (const std::string& line : fx.RejectedLines())
        if (line.rfind(prefix, 0) == 0) ADD_FAILURE() << "rejected: " << line;
      ++bad;
      continue;
    }
    ASSERT_LT(row, rows.size()) << "not stored";
    const auto column = std::find(fields.begin(), fields.end(), c.field) - fields.begin();
    EXPECT_EQ(Describe(rows[row][column]), Describe(c.expected));
    ++row;
  }
  EXPECT_EQ(rows.size(), row) << "more rows than cases that store";
  EXPECT_EQ(rejected.size(), bad) << "more rejected lines than cases that reject";
}

std::string Describe(const db::Value& v) {
  if (v.IsNull()) return "Null";
  if (v.IsInteger()) return "integer " + std::to_string(v.Integer());
  if (v.IsReal()) return "real " + v.AsText();
  return "\"" + v.Text() + "\"";
}

std::vector<std::string> Describe(const std::vector<db::Value>& row) {
  std::vector<std::string> out;
  for (const db::Value& v : row) out.push_back(Describe(v));
  return out;
}

}  // namespace morvane::testing
