// The two Setup dialogs: browsing, cancelling, Accept, and what reaches the
// settings file.
#include <QLabel>
#include <fstream>

#include "fake_desktop.h"

namespace morvane::gui::testing {
namespace {

class SetupDialogsTest : public MainWindowTest {
 protected:
  // Starts with a settings file of our own.
  void StartWith(const std::string& ini) {
    std::ofstream(IniFile()) << ini;
    Start();
  }
  QWidget* Dialog(const char* name) { return Control<QWidget>(window_.get(), name); }
  std::string Label(QWidget* dialog, const char* name) {
    return CaptionOf(FindControl(dialog, name)).toStdString();
  }
  bool FileHas(const std::string& line) {
    return ReadFile(IniFile()).find(line + "\n") != std::string::npos;
  }
};

constexpr const char* kIni =
    "[InputFiles]\nTableMain=C:\\Conv\\Main.DAT\n"
    "[OutputFiles]\nOutputPathAndFilename=C:\\Conv\\DalkDB.mdb\n"
    "[TempFiles]\nCompactMdbFile=C:\\Conv\\compact.mdb\n"
    "[Ant Site]\nAntSite_A=/Sites/A.mdb\nAntSite_B=/sites/b.mdb\nAntSite_C=/sites/c.mdb\n"
    "AntSite_D=/sites/d.mdb\nAntSite_E=/sites/e.mdb\nAntSiteDb=/sites/AntSiteDb.mdb\n";

TEST_F(SetupDialogsTest, ModifyFileLocationShowsTheCurrentPaths) {
  StartWith(kIni);
  QWidget* dialog = Dialog("frmModFileLoc");
  EXPECT_FALSE(dialog->isVisible());
  Click("mnuSetupModFileLoc");
  EXPECT_TRUE(dialog->isVisible());
  const std::pair<const char*, const char*> captions[] = {
      {"frmModFileLoc", "Morvane -- Modify File Locations"},
      {"fraInputDataTableOfContents", "Input Data Table of Contents: "},
      {"lblInputDataTableMain", "C:\\Conv\\Main.DAT"},
      {"cmdInputDataTableMain", "Browse"},
      {"fraOutputPathAndFilename", "Output MDB File: "},
      {"lblOutputPathAndFilename", "C:\\Conv\\DalkDB.mdb"},
      {"cmdOutputPathAndFilename", "Browse"},
      {"cmdModFileLoc", "Accept"},
  };
  for (const auto& [name, caption] : captions) EXPECT_EQ(Label(dialog, name), caption) << name;
}

TEST_F(SetupDialogsTest, BrowsingForTheMainDataSetStoresItInLowerCaseAtOnce) {
  StartWith(kIni);
  Click("mnuSetupModFileLoc");
  QWidget* dialog = Dialog("frmModFileLoc");
  desktop_.choices = {"  D:\\Exports\\Main.dat "};
  Click("cmdInputDataTableMain", dialog);

  ASSERT_EQ(desktop_.requests.size(), 1u);
  EXPECT_EQ(desktop_.requests[0].title, "Select the 'Counts' from the Microwave data set!");
  EXPECT_EQ(desktop_.requests[0].file_name, "C:\\Conv\\Main.DAT");
  EXPECT_EQ(desktop_.requests[0].filter, "Input data (main.dat) | *.dat");
  EXPECT_EQ(Label(dialog, "lblInputDataTableMain"), "d:\\exports\\main.dat");
  EXPECT_EQ(window_->paths().table_main, "d:\\exports\\main.dat");
  EXPECT_TRUE(FileHas("TableMain=d:\\exports\\main.dat"));
  // The input folder follows when the settings are read again: on Accept.
  EXPECT_EQ(window_->paths().input_dir, "C:\\Conv\\");
  Click("cmdModFileLoc", dialog);
  EXPECT_EQ(window_->paths().input_dir, "d:\\exports\\");
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(SetupDialogsTest, BrowsingForTheOutputDatabaseStoresItAtOnce) {
  StartWith(kIni);
  Click("mnuSetupModFileLoc");
  QWidget* dialog = Dialog("frmModFileLoc");
  desktop_.choices = {"/Data/Out/New.MDB"};
  Click("cmdOutputPathAndFilename", dialog);
  ASSERT_EQ(desktop_.requests.size(), 1u);
  EXPECT_EQ(desktop_.requests[0].title, "Select a name for the assignment database!");
  EXPECT_EQ(desktop_.requests[0].filter, "Assignment Data Base (dalkdb.mdb) | *.mdb");
  EXPECT_EQ(Label(dialog, "lblOutputPathAndFilename"), "/data/out/new.mdb");
  EXPECT_TRUE(FileHas("OutputPathAndFilename=/data/out/new.mdb"));
  Click("cmdModFileLoc", dialog);
  EXPECT_EQ(window_->paths().output, "/data/out/new.mdb");
}

// A cancelled dialog leaves each path as it was, in lower case.
TEST_F(SetupDialogsTest, CancellingKeepsThePathInLowerCase) {
  StartWith(kIni);
  struct Case {
    const char* menu;
    const char* dialog;
    const char* button;
    const char* label;
    const char* kept;
  };
  const Case cases[] = {
      {"mnuSetupModFileLoc", "frmModFileLoc", "cmdInputDataTableMain", "lblInputDataTableMain",
       "c:\\conv\\main.dat"},
      {"mnuSetupModFileLoc", "frmModFileLoc", "cmdOutputPathAndFilename",
       "lblOutputPathAndFilename", "c:\\conv\\dalkdb.mdb"},
      {"mnuSetupAntSiteFiles", "frmAntSiteFiles", "cmdAntSite_A", "lblAntSite_A",
       "/sites/a.mdb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    Click(c.menu);
    desktop_.choices = {std::nullopt};
    Click(c.button, Dialog(c.dialog));
    EXPECT_EQ(Label(Dialog(c.dialog), c.label), c.kept);
  }
  EXPECT_EQ(window_->paths().table_main, "c:\\conv\\main.dat");
  EXPECT_TRUE(FileHas("TableMain=c:\\conv\\main.dat"));
  EXPECT_TRUE(FileHas("OutputPathAndFilename=c:\\conv\\dalkdb.mdb"));
  EXPECT_TRUE(FileHas("AntSite_A=/Sites/A.mdb"));  // antenna sites: only on Accept
}

TEST_F(SetupDialogsTest, AntSiteChoicesReachTheFileOnlyThroughAccept) {
  StartWith(kIni);
  Click("mnuSetupAntSiteFiles");
  QWidget* dialog = Dialog("frmAntSiteFiles");
  EXPECT_TRUE(dialog->isVisible());
  desktop_.choices = {"/New/A.MDB"};
  Click("cmdAntSite_A", dialog);
  EXPECT_EQ(Label(dialog, "lblAntSite_A"), "/new/a.mdb");
  EXPECT_EQ(window_->paths().ant_site_a, "/new/a.mdb");
  EXPECT_TRUE(FileHas("AntSite_A=/Sites/A.mdb"));

  // The next Setup menu reads the file again: the choice is gone.
  Click("mnuSetupAntSiteFiles");
  EXPECT_EQ(Label(dialog, "lblAntSite_A"), "/Sites/A.mdb");
  EXPECT_EQ(window_->paths().ant_site_a, "/Sites/A.mdb");

  struct Row {
    const char* button;
    const char* filter;
    const char* key;
  };
  const Row rows[] = {
      {"cmdAntSite_A", "Input data (AntSite_a.mdb) | *.mdb", "AntSite_A"},
      {"cmdAntSite_B", "Input data (AntSite_b.mdb) | *.mdb", "AntSite_B"},
      {"cmdAntSite_C", "Input data (AntSite_c.mdb) | *.mdb", "AntSite_C"},
      {"cmdAntSite_D", "Input data (AntSite_d.mdb) | *.mdb", "AntSite_D"},
      {"cmdAntSite_E", "Input data (AntSite_E.mdb) | *.mdb", "AntSite_E"},
      {"cmdlblAntSiteDb", "Input data (AntSiteDb.mdb) | *.mdb", "AntSiteDb"},
  };
  desktop_.requests.clear();
  for (const Row& row : rows) {
    desktop_.choices = {std::string("/Chosen/") + row.key + ".MDB"};
    Click(row.button, dialog);
  }
  ASSERT_EQ(desktop_.requests.size(), 6u);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(desktop_.requests[i].title, "");
    EXPECT_EQ(desktop_.requests[i].filter, rows[i].filter);
  }
  Click("cmdAccept", dialog);
  EXPECT_FALSE(dialog->isVisible());
  for (const Row& row : rows) {
    EXPECT_TRUE(FileHas(std::string(row.key) + "=/chosen/" + text::ToLower(row.key) + ".mdb"))
        << row.key;
  }
  EXPECT_TRUE(FileHas("TableMain=C:\\Conv\\Main.DAT"));  // the rest stays as it was
}

TEST_F(SetupDialogsTest, TheAntSiteDialogHasItsCaptions) {
  StartWith(kIni);
  QWidget* dialog = Dialog("frmAntSiteFiles");
  const std::pair<const char*, const char*> captions[] = {
      {"frmAntSiteFiles", "Ant Site Files"},
      {"fraAntSite_A", "Registered Towers with ZMR IDs: "},
      {"fraAntSite_B", "Non-Registered Towers: "},
      {"fraAntSite_C", "Area of Operation -- State / County / City:  "},
      {"fraAntSite_D", "Area of Operation -- Box/Rectangle:  "},
      {"fraAntSite_E", "Area of Operation -- Box/Rectangle:  "},
      {"fraAntSiteDb", "Antenna Site Database:  "},
      {"cmdAntSite_A", "Browse ...."},
      {"cmdAntSite_D", "Browse ...."},
      {"cmdAntSite_E", "Browse"},
      {"cmdlblAntSiteDb", "Browse ...."},
      {"cmdAccept", "Accept"},
      {"lblAntSiteDb", "/sites/AntSiteDb.mdb"},
  };
  for (const auto& [name, caption] : captions) EXPECT_EQ(Label(dialog, name), caption) << name;
}

TEST_F(SetupDialogsTest, AChoiceThatCannotBeStoredIsReported) {
  StartWith(kIni);
  Click("mnuSetupModFileLoc");
  std::filesystem::remove(IniFile());
  std::filesystem::create_directory(IniFile());  // the file can no longer be written
  desktop_.choices = {"/x/main.dat"};
  Click("cmdInputDataTableMain", Dialog("frmModFileLoc"));
  ASSERT_EQ(desktop_.messages.size(), 1u);
  EXPECT_NE(desktop_.messages[0].text.find("could not be written"), std::string::npos);
  EXPECT_EQ(desktop_.messages[0].icon, ui::Icon::kExclamation);
}

TEST(QtNameFilterTest, TurnsTheWindowsFilterIntoQtsForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"Input data (main.dat) | *.dat", "Input data (main.dat) (*.dat *.DAT)"},
      {"Assignment Data Base (dalkdb.mdb) | *.mdb",
       "Assignment Data Base (dalkdb.mdb) (*.mdb *.MDB)"},
      {"Everything|*", "Everything (*)"},
      {"Data sets (*.dat)", "Data sets (*.dat)"},  // already Qt's form
  };
  for (const auto& [windows, qt] : cases) EXPECT_EQ(QtNameFilter(windows).toStdString(), qt);
}

}  // namespace
}  // namespace morvane::gui::testing
