#include "platform/files/link_target.h"

namespace morvane::files {
namespace fs = std::filesystem;

fs::path LinkTarget(const fs::path& path) {
  constexpr int kMaxLinks = 40;  // as the system's own limit
  fs::path file = path;
  for (int i = 0; i < kMaxLinks; ++i) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(file, ec))) return file;
    const fs::path target = fs::read_symlink(file, ec);
    if (ec) return file;
    // Not normalised: ".." in a link is taken by the system from the real
    // folder, which a lexical "a/b/.." would not do through a linked folder.
    file = target.is_absolute() ? target : file.parent_path() / target;
  }
  return file;
}

}  // namespace morvane::files
