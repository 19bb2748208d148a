#include "app/gui/file_location_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::gui {

FileLocationDialog::FileLocationDialog(QWidget* parent, engine::RunPaths& paths,
                                       const app::SettingsFile& settings,
                                       const Services& services)
    : PathDialog(parent, "frmModFileLoc", "Morvane -- Modify File Locations", paths,
                 settings, services) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NewPathFrame("fraInputDataTableOfContents",
                                 "Input Data Table of Contents: ", "lblInputDataTableMain",
                                 "cmdInputDataTableMain", "Browse", &main_data_set_,
                                 [this] { BrowseMainDataSet(); }));
  layout->addWidget(NewPathFrame("fraOutputPathAndFilename", "Output MDB File: ",
                                 "lblOutputPathAndFilename", "cmdOutputPathAndFilename",
                                 "Browse", &output_, [this] { BrowseOutput(); }));
  layout->addWidget(NewButton("cmdModFileLoc", "Accept", [this] { Accept(); }), 0,
                    Qt::AlignHCenter);
}

void FileLocationDialog::ShowPaths() {
  main_data_set_->setText(FromUtf8(paths_.table_main));
  output_->setText(FromUtf8(paths_.output));
}

void FileLocationDialog::BrowseMainDataSet() {
  Browse({"Select the 'Counts' from the Microwave data set!", paths_.table_main,
          "Input data (main.dat) | *.dat"},
         paths_.table_main, main_data_set_);
  // The input folder follows only when the settings are read again.
  if (!settings_.WriteValue(app::kSectionInputFiles, app::kKeyTableMain,
                            paths_.table_main)) {
    WarnNotWritten();
  }
}

void FileLocationDialog::BrowseOutput() {
  Browse({"Select a name for the assignment database!", paths_.output,
          "Assignment Data Base (dalkdb.mdb) | *.mdb"},
         paths_.output, output_);
  if (!settings_.WriteValue(app::kSectionOutputFiles, app::kKeyOutput, paths_.output)) {
    WarnNotWritten();
  }
}

void FileLocationDialog::Accept() {
  settings_.ReadFileLocations(paths_);
  ShowPaths();
  hide();
}

}  // namespace morvane::gui
