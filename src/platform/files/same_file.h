// Whether two paths name one file as the file system sees it, whatever
// their spelling: a second path through a link, a bind mount or another
// letter case reaches the same file.
#pragma once

#include <filesystem>

namespace morvane::files {

// True when `a` and `b` name one file: the same device and inode when both
// exist (through symbolic and hard links alike), else the same absolute
// path once ".", ".." and the links of its existing part are resolved,
// without regard to letter case (a file made under one spelling is then
// found under the other: see files.h). A path that exists and one that does
// not are never the same file. The paths are taken as given: resolve them
// first as the caller opens them (Resolve, ResolveForWrite).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// True when `a` and `b` are one name in one folder (SameFile of their
// folders, and the same last component, letter case included): the entry
// that removing either would remove. A symbolic link is its own entry,
// wherever it leads, and two hard links of one file are two entries.
// Whether anything stands there does not matter.
bool SameEntry(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace morvane::files
