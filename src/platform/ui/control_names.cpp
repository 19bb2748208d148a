#include "platform/ui/control_names.h"

#include <algorithm>

namespace morvane::ui {

std::span<const std::string_view> ControlsOf(std::string_view window) {
  if (window == kMainWindow) return kMainWindowControls;
  if (window == kStatusWindow) return kStatusWindowControls;
  if (window == kTargetForm || window == kStagingForm) return kSchemaFormControls;
  return {};
}

bool IsControlOf(std::string_view window, std::string_view control) {
  const auto controls = ControlsOf(window);
  return std::find(controls.begin(), controls.end(), control) != controls.end();
}

}  // namespace morvane::ui
