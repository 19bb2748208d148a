// The rejected-data file, baddata.txt in the input folder: one line for
// every record that could not be stored, so that nothing is dropped without
// a trace, and one for every note about a record that was stored all the
// same (an antenna-site key of a user's database that the site matching set
// aside, a count of the antenna-site database held at its limit). Records
// and notes are counted apart, so that the end of a run can tell what was
// lost from what was only remarked. Created anew, empty, at the start of
// every run, so a clean export leaves it empty.
//
// Line format (tab-separated, so the record's own bars stay readable):
//   <data set file> TAB line <n> TAB <reason> TAB <record>
// or, for what a conversion step could not store:
//   <table or database> TAB <key> TAB <reason> TAB <value>
// A record longer than 1000 characters is written as its first 1000
// characters and " ...".
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace morvane::engine {

// The file's name, in the export folder.
inline constexpr const char* kRejectedDataFileName = "baddata.txt";

class RejectedData {
 public:
  // Removes any old file at `path` and creates it empty. Throws
  // std::filesystem::filesystem_error when that fails.
  explicit RejectedData(std::filesystem::path path);
  ~RejectedData();  // closes the file
  RejectedData(const RejectedData&) = delete;
  RejectedData& operator=(const RejectedData&) = delete;

  // Throws std::filesystem::filesystem_error on a write error.
  void Write(std::string_view data_set, std::int64_t line, std::string_view reason,
             std::string_view record);
  // `where` says which record: "site 1234", "filing 77", ...
  void Write(std::string_view source, std::string_view where, std::string_view reason,
             std::string_view value);
  // A line of the same form about a record that was stored.
  void WriteNote(std::string_view source, std::string_view where, std::string_view reason,
                 std::string_view value);

  std::int64_t Count() const { return count_; }  // records not stored
  std::int64_t NoteCount() const { return notes_; }
  const std::filesystem::path& Path() const { return path_; }
  void Close();

 private:
  void Append(std::string_view source, std::string_view where, std::string_view reason,
              std::string_view value);

  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  std::int64_t count_ = 0;
  std::int64_t notes_ = 0;
};

class RunContext;

// Writes the line to the run's rejected-data file. Outside a run (no file)
// the record cannot be set aside, so the step stops: throws StepError naming
// `source`, `where` and `reason`.
void RecordRejected(RunContext& run, std::string_view source, std::string_view where,
                    std::string_view reason, std::string_view value);
// The same for a note about a record that was stored.
void RecordNoted(RunContext& run, std::string_view source, std::string_view where,
                 std::string_view reason, std::string_view value);

}  // namespace morvane::engine
