#include "app/path_lengths.h"

#include <climits>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "platform/text/text.h"

namespace morvane::app {
namespace {

constexpr std::string_view kFileLocationMenu = "Setup | Modify File Location";
constexpr std::string_view kAntSiteMenu = "Setup | Ant Site Files";

std::string Bytes(std::size_t count) { return text::Format(static_cast<double>(count), "###,###,##0"); }

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

std::optional<Refusal> OverlongPathSetting(const engine::RunPaths& paths) {
  if (paths.table_main.size() > PathLimit())
    return Overlong(kKeyTableMain, paths.table_main.size(), kFileLocationMenu);
  if (paths.output.size() > PathLimit()) return Overlong(kKeyOutput, paths.output.size(), kFileLocationMenu);
  for (const auto& [key, path] : kAntSiteKeys)
    if ((paths.*path).size() > PathLimit()) return Overlong(key, (paths.*path).size(), kAntSiteMenu);
  return std::nullopt;
}

}  // namespace morvane::app
