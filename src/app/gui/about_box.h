// frmAbout (Help, About): the program's name, version date, a description
// and the author lines, with an OK button that hides the window.
#pragma once

#include "app/gui/form.h"

namespace morvane::gui {

// The version date shown by the main window and the about box.
inline constexpr const char* kVersionDate = "2013.02.25 (O)";

class AboutBox : public Form {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent);
};

}  // namespace morvane::gui
