// frmAntSiteFiles (Setup, Ant Site Files): chooses the five antenna-site
// match databases and the antenna-site database.
//
// Browse changes only the program's current paths; Accept writes all six
// keys to the settings file, hides the window and unloads it. Choices
// without Accept hold until the settings are read again.
#pragma once

#include <array>

#include "app/gui/path_dialog.h"

namespace morvane::gui {

class AntSiteDialog : public PathDialog {
  Q_OBJECT

 public:
  AntSiteDialog(QWidget* parent, engine::RunPaths& paths,
                const app::SettingsFile& settings, const Services& services);

  void ShowPaths() override;

 private:
  void BrowseRow(std::size_t row);
  void Accept();

  std::array<QLabel*, 6> labels_{};
};

}  // namespace morvane::gui
