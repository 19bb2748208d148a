#include "platform/files/link_target.h"

namespace morvane::files {
namespace fs = std::filesystem;

std::vector<fs::path> LinkChain(const fs::path& path) {
  constexpr int kMaxLinks = 40;  // as the system's own limit
  std::vector<fs::path> chain{path};
  for (int i = 0; i < kMaxLinks; ++i) {
    const fs::path file = chain.back();
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(file, ec))) break;
    const fs::path target = fs::read_symlink(file, ec);
    if (ec) break;
    // Not normalised: ".." in a link is taken by the system from the real
    // folder, which a lexical "a/b/.." would not do through a linked folder.
    chain.push_back(target.is_absolute() ? target : file.parent_path() / target);
  }
  return chain;
}

fs::path LinkTarget(const fs::path& path) { return LinkChain(path).back(); }

}  // namespace morvane::files
