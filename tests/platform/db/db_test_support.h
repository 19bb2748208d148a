// Shared pieces of the database layer's tests: a temporary folder and a
// small table that most tests write into.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/error.h"
#include "platform/db/workspace.h"

namespace morvane::db::testing {

// A fresh folder under the system's temporary folder, removed at the end.
class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("morvane-db-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // The names of the entries of the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

// A table with one field of each type and two indexes.
inline TableDef SampleTable(const std::string& name = "Sample") {
  return TableDef{name,
                  {{"Key", FieldType::kText, 10},
                   {"Number", FieldType::kLong, 0},
                   {"Small", FieldType::kInteger, 0},
                   {"Ratio", FieldType::kSingle, 0},
                   {"Precise", FieldType::kDouble, 0},
                   {"Note", FieldType::kMemo, 0}},
                  {{"idxKey", "Key"}, {"idxNumber", "Number"}}};
}

// Test base: a workspace and a database "test.mdb" with the sample table.
class DbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_ / "test.mdb";
    db_ = ws_.CreateDatabase(path_, ";LANGID=0x0409;CP=1252;COUNTRY=0");
    db_.AppendTable(SampleTable());
  }

  // Adds one row (Key, Number) in its own transaction.
  void AddRow(TableRecordset& rs, const Value& key, const Value& number) {
    ws_.BeginTrans();
    rs.AddNew();
    rs.Set("Key", key);
    rs.Set("Number", number);
    rs.Update();
    ws_.CommitTrans();
  }

  // The Number fields of a walk from the current row to the end.
  static std::vector<std::int64_t> NumbersFromHere(TableRecordset& rs) {
    std::vector<std::int64_t> numbers;
    for (; !rs.Eof(); rs.MoveNext()) numbers.push_back(rs.Get("Number").AsInteger());
    return numbers;
  }

  TempFolder folder_;
  std::filesystem::path path_;
  Workspace ws_;
  Database db_;
};

}  // namespace morvane::db::testing
