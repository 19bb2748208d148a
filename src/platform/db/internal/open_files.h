// The database files that this process holds open, so that compaction can
// refuse a file whose latest rows still wait in an open connection.
#pragma once

#include <string>

namespace morvane::db::internal {

class OpenFiles {
 public:
  // `identity` is the file's canonical path. Counts: a file may be open in
  // several workspaces.
  static void Add(const std::string& identity);
  static void Remove(const std::string& identity) noexcept;
  static bool Contains(const std::string& identity);
};

}  // namespace morvane::db::internal
