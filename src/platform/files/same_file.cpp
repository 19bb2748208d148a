#include "platform/files/same_file.h"

#include <sys/stat.h>

#include "platform/text/text.h"

namespace morvane::files {
namespace fs = std::filesystem;
namespace {

fs::path Absolute(const fs::path& path) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(path, ec);
  if (ec) p = fs::absolute(path, ec);
  return ec ? path : p;
}

}  // namespace

bool SameFile(const fs::path& a, const fs::path& b) {
  struct stat sa {}, sb {};
  const bool a_exists = ::stat(a.c_str(), &sa) == 0;
  const bool b_exists = ::stat(b.c_str(), &sb) == 0;
  if (a_exists && b_exists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  if (a_exists != b_exists) return false;
  return text::EqualsIgnoreCase(Absolute(a).string(), Absolute(b).string());
}

bool SameEntry(const fs::path& a, const fs::path& b) {
  const auto folder = [](const fs::path& p) { return p.parent_path().empty() ? fs::path(".") : p.parent_path(); };
  return a.filename() == b.filename() && SameFile(folder(a), folder(b));
}

}  // namespace morvane::files
