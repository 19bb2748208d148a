// frmModFileLoc (Setup, Modify File Location): chooses the main data set
// file, and so the input folder, and the output database.
//
// Each Browse writes its key to the settings file at once. Accept reads
// both keys back (so the input folder follows the chosen main.dat) and
// hides the window.
#pragma once

#include "app/gui/path_dialog.h"

namespace morvane::gui {

class FileLocationDialog : public PathDialog {
  Q_OBJECT

 public:
  FileLocationDialog(QWidget* parent, engine::RunPaths& paths,
                     const app::SettingsFile& settings, const Services& services);

  void ShowPaths() override;

 private:
  void BrowseMainDataSet();
  void BrowseOutput();
  void Accept();

  QLabel* main_data_set_ = nullptr;  // lblInputDataTableMain
  QLabel* output_ = nullptr;         // lblOutputPathAndFilename
};

}  // namespace morvane::gui
