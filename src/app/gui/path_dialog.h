// The base of the two Setup dialogs: windows of path labels with Browse
// buttons, which work on the program's current paths (the engine::RunPaths that the
// main window keeps) and on its settings file.
//
// Browse shows the file-open dialog with the current path; the path becomes
// the chosen file name, trimmed and in lower case (a cancelled dialog
// leaves the path as it was, in lower case), and its label shows it.
#pragma once

#include <string>

#include "app/gui/form.h"
#include "app/gui/services.h"
#include "app/settings.h"
#include "run/run_context.h"

class QLabel;
class QPushButton;

namespace morvane::gui {

// The warning shown when the settings file cannot be written.
ui::Message SettingsNotWritten(const app::SettingsFile& settings);

class PathDialog : public Form {
  Q_OBJECT

 public:
  PathDialog(QWidget* parent, const char* name, const QString& caption,
             engine::RunPaths& paths, const app::SettingsFile& settings,
             const Services& services);

  // Shows the current paths in the labels.
  virtual void ShowPaths() = 0;

 protected:
  // A frame holding a path label and its Browse button; the button's
  // clicks call `on_click`.
  QGroupBox* NewPathFrame(const char* frame_name, const QString& caption,
                          const char* label_name, const char* button_name,
                          const QString& button_caption, QLabel** label,
                          std::function<void()> on_click);
  QPushButton* NewButton(const char* name, const QString& caption,
                         std::function<void()> on_click);

  void Browse(const FileRequest& request, std::string& path, QLabel* label);
  // Tells the user that the settings file could not be written.
  void WarnNotWritten();

  engine::RunPaths& paths_;
  const app::SettingsFile& settings_;
  const Services& services_;
};

}  // namespace morvane::gui
