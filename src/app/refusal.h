// Why Convert stops before it asks its question: nothing on disk has
// changed by then.
#pragma once

#include <string>

#include "platform/ui/ui.h"

namespace morvane::app {

struct Refusal {
  std::string failure;  // for the main window: "The conversion stopped: " + failure
  std::string text;     // the message box
  ui::Icon icon = ui::Icon::kExclamation;
};

}  // namespace morvane::app
