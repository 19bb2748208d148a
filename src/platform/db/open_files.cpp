#include "platform/db/internal/open_files.h"

#include <map>
#include <mutex>

namespace morvane::db::internal {
namespace {

// Workspaces may live on different threads; the table is shared by them.
std::mutex& Lock() {
  static std::mutex m;
  return m;
}

std::map<std::string, int>& Table() {
  static std::map<std::string, int> t;
  return t;
}

}  // namespace

void OpenFiles::Add(const std::string& identity) {
  std::lock_guard<std::mutex> guard(Lock());
  ++Table()[identity];
}

void OpenFiles::Remove(const std::string& identity) noexcept {
  std::lock_guard<std::mutex> guard(Lock());
  auto it = Table().find(identity);
  if (it != Table().end() && --it->second <= 0) Table().erase(it);
}

bool OpenFiles::Contains(const std::string& identity) {
  std::lock_guard<std::mutex> guard(Lock());
  return Table().count(identity) > 0;
}

}  // namespace morvane::db::internal
