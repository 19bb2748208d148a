#include "app/gui/ant_site_dialog.h"

#include <QLabel>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::gui {
namespace {

// One row per key of the "Ant Site" section, in the same order.
struct Row {
  const char* frame;
  const char* caption;
  const char* label;
  const char* button;
  const char* button_caption;
  const char* filter;
};

constexpr std::array<Row, 6> kRows = {{
    {"fraAntSite_A", "Registered Towers with ZMR IDs: ", "lblAntSite_A", "cmdAntSite_A",
     "Browse ....", "Input data (AntSite_a.mdb) | *.mdb"},
    {"fraAntSite_B", "Non-Registered Towers: ", "lblAntSite_B", "cmdAntSite_B",
     "Browse ....", "Input data (AntSite_b.mdb) | *.mdb"},
    {"fraAntSite_C", "Area of Operation -- State / County / City:  ", "lblAntSite_C",
     "cmdAntSite_C", "Browse ....", "Input data (AntSite_c.mdb) | *.mdb"},
    {"fraAntSite_D", "Area of Operation -- Box/Rectangle:  ", "lblAntSite_D",
     "cmdAntSite_D", "Browse ....", "Input data (AntSite_d.mdb) | *.mdb"},
    {"fraAntSite_E", "Area of Operation -- Box/Rectangle:  ", "lblAntSite_E",
     "cmdAntSite_E", "Browse", "Input data (AntSite_E.mdb) | *.mdb"},
    {"fraAntSiteDb", "Antenna Site Database:  ", "lblAntSiteDb", "cmdlblAntSiteDb",
     "Browse ....", "Input data (AntSiteDb.mdb) | *.mdb"},
}};
static_assert(kRows.size() == app::kAntSiteKeys.size());

}  // namespace

AntSiteDialog::AntSiteDialog(QWidget* parent, engine::RunPaths& paths,
                             const app::SettingsFile& settings, const Services& services)
    : PathDialog(parent, "frmAntSiteFiles", "Ant Site Files", paths, settings, services) {
  auto* layout = new QVBoxLayout(this);
  for (std::size_t row = 0; row < kRows.size(); ++row) {
    const Row& r = kRows[row];
    layout->addWidget(NewPathFrame(r.frame, QString::fromLatin1(r.caption), r.label,
                                   r.button, QString::fromLatin1(r.button_caption),
                                   &labels_[row], [this, row] { BrowseRow(row); }));
  }
  layout->addWidget(NewButton("cmdAccept", "Accept", [this] { Accept(); }), 0,
                    Qt::AlignHCenter);
}

void AntSiteDialog::ShowPaths() {
  for (std::size_t row = 0; row < kRows.size(); ++row) {
    labels_[row]->setText(FromUtf8(paths_.*app::kAntSiteKeys[row].path));
  }
}

void AntSiteDialog::BrowseRow(std::size_t row) {
  std::string& path = paths_.*app::kAntSiteKeys[row].path;
  Browse({"", path, kRows[row].filter}, path, labels_[row]);
}

void AntSiteDialog::Accept() {
  if (!settings_.WriteAntSites(paths_)) WarnNotWritten();
  Unload();
}

}  // namespace morvane::gui
