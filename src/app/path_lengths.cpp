#include "app/path_lengths.h"

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "platform/text/text.h"

namespace morvane::app {
namespace {

constexpr std::string_view kFileLocationMenu = "Setup | Modify File Location";
constexpr std::string_view kAntSiteMenu = "Setup | Ant Site Files";

std::string Bytes(std::size_t count) { return text::Format(static_cast<double>(count), "###,###,##0"); }

// The length of the longest file or folder name in `path` ("/" and "\"
// both separate them).
std::size_t LongestName(std::string_view path) {
  std::size_t longest = 0;
  std::size_t current = 0;
  for (const char c : path) {
    current = (c == '/' || c == '\\') ? 0 : current + 1;
    longest = std::max(longest, current);
  }
  return longest;
}

Refusal OverlongName(std::string_view setting, std::size_t length, std::string_view menu) {
  return {"the setting " + std::string(setting) + " holds a file or folder name longer than this system allows.",
          "The setting " + std::string(setting) + " holds a file or folder name of " + Bytes(length) +
              " bytes; a name may have at most " + Bytes(NameLimit()) +
              " on this system.\r\n\r\nChoose the file again under  \"" + std::string(menu) + "\".",
          ui::Icon::kCritical};
}

Refusal Overlong(std::string_view setting, std::size_t length, std::string_view menu) {
  return {"the setting " + std::string(setting) + " holds a path longer than this system allows.",
          "The setting " + std::string(setting) + " holds a path of " + Bytes(length) +
              " bytes; a path may have at most " + Bytes(PathLimit()) +
              " on this system. It is not used: cut, it could name another file.\r\n\r\nChoose the file "
              "again under  \"" + std::string(menu) + "\".",
          ui::Icon::kCritical};
}

}  // namespace

std::size_t PathLimit() { return PATH_MAX - 1; }

std::size_t NameLimit() { return NAME_MAX; }

std::optional<Refusal> OverlongPathSetting(const engine::RunPaths& paths) {
  struct PathSetting {
    std::string_view key;
    const std::string& path;
    std::string_view menu;
  };
  std::vector<PathSetting> settings = {{kKeyTableMain, paths.table_main, kFileLocationMenu},
                                       {kKeyOutput, paths.output, kFileLocationMenu}};
  for (const auto& [key, path] : kAntSiteKeys) settings.push_back({key, paths.*path, kAntSiteMenu});
  for (const PathSetting& setting : settings) {
    if (setting.path.size() > PathLimit()) return Overlong(setting.key, setting.path.size(), setting.menu);
    if (const std::size_t name = LongestName(setting.path); name > NameLimit())
      return OverlongName(setting.key, name, setting.menu);
  }
  return std::nullopt;
}

}  // namespace morvane::app
