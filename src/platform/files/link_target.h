// Where a file named through symbolic links really is.
#pragma once

#include <filesystem>
#include <vector>

namespace morvane::files {

// The path of the file that `path` stands for when its last component is a
// symbolic link: the link is followed (a relative one from the link's own
// folder), as often as links lead to links, also to a target that does not
// exist yet. `path` itself when it is no link. A link that cannot be read,
// or a chain of more than 40 links, gives the last link reached, so that
// opening it reports the fault.
//
// A file is deleted, rebuilt or replaced at this path, never at the link,
// so that the link keeps leading to the file.
std::filesystem::path LinkTarget(const std::filesystem::path& path);

// Every name that `path` passes through on its way to that file: `path`,
// then the target of each link in turn, ending with LinkTarget(path).
std::vector<std::filesystem::path> LinkChain(const std::filesystem::path& path);

}  // namespace morvane::files
