#include "app/settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/files/files.h"
#include "platform/text/text.h"

namespace morvane::app {
namespace {
namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "morvane-settings-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    // mkdtemp's letters may be capitals: AppPath has them in lower case.
    lower_root_ = text::ToLower(root_.string());
  }
  void TearDown() override { fs::remove_all(root_); }

  static std::string Slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path root_;
  std::string lower_root_;
};

TEST_F(SettingsTest, FirstStartWritesTheDefaultsAndReadsThemBack) {
  const SettingsFile settings(root_.string());
  const std::string app = lower_root_ + "/";
  ASSERT_EQ(settings.app_path(), app);
  EXPECT_EQ(settings.ini_file(), app + "morvane.ini");
  ASSERT_FALSE(settings.Exists());

  ASSERT_TRUE(settings.WriteDefaults(engine::RunPaths{}));
  ASSERT_TRUE(settings.Exists());
  EXPECT_EQ(Slurp(root_ / "morvane.ini"),
            "[InputFiles]\n"
            "TableMain=" + app + "main.dat\n"
            "[OutputFiles]\n"
            "OutputPathAndFilename=" + app + "dalkdb.mdb\n"
            "[TempFiles]\n"
            "CompactMdbFile=" + app + "compact.mdb\n"
            "[Ant Site]\n"
            "AntSite_A=\n"
            "AntSite_B=\n"
            "AntSite_C=\n"
            "AntSite_D=\n"
            "AntSite_E=\n"
            "AntSiteDb=" + app + "AntSiteDb.mdb\n");

  const engine::RunPaths paths = settings.Read();
  EXPECT_EQ(paths.table_main, app + "main.dat");
  EXPECT_EQ(paths.input_dir, app);
  EXPECT_EQ(paths.output, app + "dalkdb.mdb");
  for (const auto& [key, path] : kAntSiteKeys) {
    EXPECT_EQ(paths.*path, key == "AntSiteDb" ? app + "AntSiteDb.mdb" : "") << key;
  }
}

TEST_F(SettingsTest, AProgramFolderWithCapitalLettersKeepsWorking) {
  const fs::path folder = root_ / "Radio Tools" / "MorVane";
  fs::create_directories(folder);
  const std::string lower_app = lower_root_ + "/radio tools/morvane/";
  // With and without the trailing separator: one AppPath.
  for (const std::string& given : {folder.string(), folder.string() + "/"}) {
    SCOPED_TRACE(given);
    const SettingsFile settings(given);
    EXPECT_EQ(settings.app_path(), lower_app);
    EXPECT_EQ(settings.ini_file(), lower_app + "morvane.ini");
  }

  const SettingsFile settings(folder.string());
  ASSERT_FALSE(settings.Exists());
  ASSERT_TRUE(settings.WriteDefaults(engine::RunPaths{}));
  // The file lands in the folder as it exists on disk...
  EXPECT_TRUE(fs::is_regular_file(folder / "morvane.ini"));
  EXPECT_TRUE(settings.Exists());
  EXPECT_EQ(settings.DiskPath(), folder / "morvane.ini");
  // ...and the default paths, in lower case, still lead there.
  const engine::RunPaths paths = settings.Read();
  EXPECT_EQ(paths.input_dir, lower_app);
  EXPECT_EQ(paths.settings_file, (folder / "morvane.ini").string());  // the file the paths came from
  std::ofstream(folder / "main.dat") << "";
  EXPECT_EQ(files::Resolve(files::FromSetting(paths.table_main)), folder / "main.dat");
}

TEST_F(SettingsTest, PathsAreReadWholeOtherValuesAsTheirFirst99Characters) {
  const SettingsFile settings(root_.string());
  const std::string long_path = "/" + std::string(300, 'x') + "/dalkdb.mdb";
  const std::string long_main = "/" + std::string(200, 'y') + "/main.dat";
  ASSERT_TRUE(settings.WriteValue(kSectionOutputFiles, kKeyOutput, long_path));
  ASSERT_TRUE(settings.WriteValue(kSectionAntSite, "AntSiteDb", long_path + "2"));
  ASSERT_TRUE(settings.WriteValue(kSectionAntSite, "AntSite_C", long_path + "3"));
  ASSERT_TRUE(settings.WriteValue(kSectionInputFiles, kKeyTableMain, long_main));
  ASSERT_TRUE(settings.WriteValue(kSectionTempFiles, kKeyCompact, long_path));

  const engine::RunPaths paths = settings.Read();
  EXPECT_EQ(paths.output, long_path);
  EXPECT_EQ(paths.ant_site_db, long_path + "2");
  EXPECT_EQ(paths.ant_site_c, long_path + "3");
  EXPECT_EQ(paths.table_main, long_main);
  EXPECT_EQ(paths.input_dir, "/" + std::string(200, 'y') + "/");
  EXPECT_EQ(settings.ReadValue(kSectionTempFiles, kKeyCompact), long_path.substr(0, 99));
}

TEST(SplitTableMainTest, SplitsAtTheFirstMainDatInAnyCase) {
  struct Case {
    const char* value;
    const char* table_main;
    const char* input_dir;
  };
  const Case cases[] = {
      {R"(D:\Exports\MAIN.DAT)", R"(D:\Exports\MAIN.DAT)", R"(D:\Exports\)"},
      {R"(c:\conv\Main.Dat)", R"(c:\conv\Main.Dat)", R"(c:\conv\)"},
      {"/data/export/main.dat", "/data/export/main.dat", "/data/export/"},
      {"/data/main.dat.old/main.dat", "/data/main.dat", "/data/"},
      {"main.dat", "main.dat", ""},
      // No main.dat: the value stays the path, and there is no input folder.
      {"NONE", "NONE", ""},
      {"/data/export/", "/data/export/", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const MainDataSet split = SplitTableMain(c.value);
    EXPECT_EQ(split.table_main_path, c.table_main);
    EXPECT_EQ(split.input_dir, c.input_dir);
  }
}

TEST_F(SettingsTest, ADriveStyleValueIsStoredAsGivenAndUsedWithSlashes) {
  const SettingsFile settings(root_.string());
  ASSERT_TRUE(settings.WriteValue(kSectionInputFiles, kKeyTableMain, R"(D:\Exports\MAIN.DAT)"));
  engine::RunPaths paths = settings.Read();
  EXPECT_EQ(paths.table_main, R"(D:\Exports\MAIN.DAT)");
  EXPECT_EQ(paths.input_dir, R"(D:\Exports\)");
  EXPECT_NE(Slurp(root_ / "morvane.ini").find(R"(TableMain=D:\Exports\MAIN.DAT)"),
            std::string::npos);

  // The same form pointing at a real folder with capitals: the data sets of
  // the input folder are found through it.
  fs::create_directories(root_ / "Exports");
  std::ofstream(root_ / "Exports" / "Address.DAT") << "";
  std::string stored = root_.string() + R"(\exports\Main.Dat)";
  ASSERT_TRUE(settings.WriteValue(kSectionInputFiles, kKeyTableMain, stored));
  paths = settings.Read();
  EXPECT_EQ(paths.input_dir, root_.string() + R"(\exports\)");
  EXPECT_EQ(files::Resolve(files::FromSetting(paths.input_dir + "address.dat")),
            root_ / "Exports" / "Address.DAT");
}

TEST_F(SettingsTest, AMissingFileOrKeyReadsAsNone) {
  const SettingsFile settings(root_.string());
  engine::RunPaths paths = settings.Read();
  EXPECT_EQ(paths.table_main, "NONE");
  EXPECT_EQ(paths.input_dir, "");
  EXPECT_EQ(paths.output, "NONE");
  EXPECT_EQ(paths.ant_site_c, "NONE");

  ASSERT_TRUE(settings.WriteValue(kSectionAntSite, "AntSite_C", "/sites/c.mdb"));
  paths = settings.Read();
  EXPECT_EQ(paths.ant_site_c, "/sites/c.mdb");
  EXPECT_EQ(paths.ant_site_d, "NONE");
}

TEST_F(SettingsTest, AFolderThatCannotHoldTheFileReportsTheFailedWrite) {
  const SettingsFile settings((root_ / "no such folder").string());
  EXPECT_FALSE(settings.WriteDefaults(engine::RunPaths{}));
  EXPECT_FALSE(settings.Exists());
  EXPECT_FALSE(settings.WriteValue(kSectionInputFiles, kKeyTableMain, "/x/main.dat"));
}

TEST_F(SettingsTest, FileLocationsAreReadWithoutTouchingTheAntennaSitePaths) {
  const SettingsFile settings(root_.string());
  ASSERT_TRUE(settings.WriteDefaults(engine::RunPaths{}));
  engine::RunPaths paths;
  paths.ant_site_a = "/chosen/but/not/accepted.mdb";
  settings.ReadFileLocations(paths);
  EXPECT_EQ(paths.table_main, lower_root_ + "/main.dat");
  EXPECT_EQ(paths.ant_site_a, "/chosen/but/not/accepted.mdb");

  // Accepting the antenna sites writes all six keys.
  paths.ant_site_db = "/sites/db.mdb";
  ASSERT_TRUE(settings.WriteAntSites(paths));
  const engine::RunPaths read = settings.Read();
  EXPECT_EQ(read.ant_site_a, "/chosen/but/not/accepted.mdb");
  EXPECT_EQ(read.ant_site_b, "");
  EXPECT_EQ(read.ant_site_db, "/sites/db.mdb");
}

}  // namespace
}  // namespace morvane::app
