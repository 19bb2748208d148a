// Compaction of a closed database file.
//
// Compacting a large file takes a while; `keep_going`, when given, is called
// every few thousand steps of the engine's work (so a caller can serve its
// event loop) and cancels the compaction by returning false, which then
// fails as any other error does. It must not throw.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace morvane::db {

// Writes a compacted copy of the database `source` to `destination`, which
// must not exist. Every table keeps its rows in stored order, its fields and
// its indexes. Nobody may hold `source` open. Throws db::Error; on failure
// `destination` is removed and `source` is untouched. `locale` as for
// Workspace::CreateDatabase.
using KeepGoing = std::function<bool()>;

void CompactDatabase(const std::filesystem::path& source,
                     const std::filesystem::path& destination,
                     std::string_view locale = {}, const KeepGoing& keep_going = {});

// Compacts `path` in place: a compacted copy is written to `temporary`
// (replaced if it exists), made durable, and then renamed over `path` in one
// atomic step. `path` is never deleted first; on any failure it is left as
// it was and `temporary` is removed.
void CompactInPlace(const std::filesystem::path& path,
                    const std::filesystem::path& temporary,
                    std::string_view locale = {}, const KeepGoing& keep_going = {});

}  // namespace morvane::db
