// The synthetic export of the benchmark: the same bytes for a seed, all 35
// files, records a loader takes as they stand, keys that agree across files,
// and bad records exactly where they were asked for.
#include "bench/lib/export_generator.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/lib/data_set_layouts.h"
#include "bench/lib/export_check.h"
#include "support/temp_dir.h"

namespace morvane::bench {
namespace {


using testing::TempDir;

// The data set files with the piece counts their loaders split into, in
// the order of a run.
const std::vector<std::pair<std::string, int>> kDataSets = {
    {"address.dat", 14}, {"ant_cond.dat", 4}, {"ant_fx.dat", 28}, {"ant_gain.dat", 5},
    {"ant_type_code.dat", 3}, {"anten.dat", 17}, {"azimuth.dat", 3}, {"class.dat", 3},
    {"Cond.dat", 5}, {"contact.dat", 12}, {"earth_sta.dat", 13}, {"form_312.dat", 36},
    {"freq.dat", 13}, {"freq_cond.dat", 4}, {"freq_coord.dat", 15}, {"freq_fx.dat", 8},
    {"fx.dat", 29}, {"licensee_history.dat", 8}, {"lic_cond.dat", 4}, {"main.dat", 71},
    {"nat_serv.dat", 2}, {"nat_serv_code.dat", 3}, {"polar.dat", 3}, {"ptcomm.dat", 3},
    {"ptcomm_fx.dat", 4}, {"purpose.dat", 2}, {"site.dat", 33}, {"site_cond.dat", 4},
    {"space_sta.dat", 7}, {"space_sta_sta.dat", 4}, {"status_code.dat", 4},
    {"transmitter.dat", 10}, {"FREQUENCY_BAND.dat", 9}, {"INTL_ALOC_FREQUENCY.dat", 4},
    {"FREQUENCY_SAT.dat", 5}};

const DataSetLayout& LayoutOf(const std::string& file) {
  for (const DataSetLayout& layout : DataSetLayouts())
    if (layout.file == file) return layout;
  throw std::out_of_range(file);
}

// The pieces of every record of one file.
std::vector<std::vector<std::string>> Records(const std::filesystem::path& dir,
                                              const std::string& file) {
  std::vector<std::vector<std::string>> records;
  ExportReader reader(dir / file);
  ExportRecord record;
  while (reader.Next(record)) {
    std::vector<std::string> pieces;
    for (std::string_view piece : SplitRecord(LayoutOf(file), record.text))
      pieces.emplace_back(piece);
    records.push_back(std::move(pieces));
  }
  return records;
}

std::string Trim(const std::string& s) {
  const auto b = s.find_first_not_of(' ');
  return b == std::string::npos ? "" : s.substr(b, s.find_last_not_of(' ') - b + 1);
}

TEST(DataSetLayoutsTest, NamesThe35FilesWithTheirPieceCountsInLoadOrder) {
  const auto& layouts = DataSetLayouts();
  ASSERT_EQ(layouts.size(), kDataSets.size());
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    EXPECT_EQ(layouts[i].file, kDataSets[i].first);
    EXPECT_EQ(layouts[i].pieces, kDataSets[i].second) << layouts[i].file;
    EXPECT_EQ(static_cast<int>(layouts[i].checks.size()), layouts[i].pieces) << layouts[i].file;
  }
  EXPECT_EQ(LayoutOf("main.dat").PiecesNeeded(), 71);
  EXPECT_EQ(LayoutOf("site.dat").PiecesNeeded(), 30);
  EXPECT_EQ(LayoutOf("transmitter.dat").PiecesNeeded(), 1);  // the sub-field scanner pads
}

struct CheckCase {
  const char* name;  // the case's name in the test list
  const char* file;
  std::string record;
  bool stored;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.file << " \"" << c.record << "\""; }

class CheckRecordTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckRecordTest, TellsWhatALoaderRejects) {
  const CheckCase& c = GetParam();
  EXPECT_EQ(!CheckRecord(LayoutOf(c.file), c.record).has_value(), c.stored) << c.record;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckRecordTest,
    ::testing::Values(
        CheckCase{"PtCommStored", "ptcomm.dat", "7|1002|45", true},
        CheckCase{"PtCommTooFewPieces", "ptcomm.dat", "7|1002", false},
        CheckCase{"PtCommBeyond32Bits", "ptcomm.dat", "7|1002|4294967296", false},
        CheckCase{"PurposeLastPieceKeepsBars", "purpose.dat", "12|A|B", true},
        CheckCase{"ClassStored", "class.dat", "AB|First class|", true},
        CheckCase{"ClassCodeTooLong", "class.dat", "ABCDE|First class|", false},  // as is: 5 characters
        CheckCase{"StatusCodeDateRead", "status_code.dat", "GRT|Granted|N|Dec 31 1999 12:00AM", true},
        CheckCase{"StatusCodeMonthUnknown", "status_code.dat", "GRT|Granted|N|Foo 12 2001", false},
        CheckCase{"StatusCodeTwoDigitYear", "status_code.dat", "GRT|Granted|N|Jan  5 10", false},
        CheckCase{"StatusCodeTrimmedToFit", "status_code.dat", "GRT |Granted|N|Jan  5 2010", true},
        CheckCase{"StatusCodeTooLong", "status_code.dat", "GRANTD|Granted|N|", false},
        CheckCase{"TransmitterSubFieldsMissing", "transmitter.dat", "1|2|Radio", true},
        CheckCase{"TransmitterNumberTooLong", "transmitter.dat", "1|2|Radio|1000000", false},  // "000000" holds 6 digits
        CheckCase{"AntennaDiameterOutOfRange", "anten.dat", "1|A|2|10000|0|0|0|0|0|0|M|0|0|X|1||Y", false},
        CheckCase{"AntennaStored", "anten.dat", "1|A|2|3.8|0|0|0|-12.5|-12.5|0|M|0|0|X|1||Y", true}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST(ExportGeneratorTest, SameSeedGivesTheSameBytesAndAnotherSeedOthers) {
  TempDir dir;
  GeneratorOptions options;
  options.filings = 30;
  options.seed = 7;
  GenerateExport(dir / "a", options);
  GenerateExport(dir / "b", options);
  options.seed = 8;
  GenerateExport(dir / "c", options);
  for (const auto& [file, pieces] : kDataSets)
    EXPECT_EQ(TempDir::Read(dir / "a" / file), TempDir::Read(dir / "b" / file)) << file;
  EXPECT_NE(TempDir::Read(dir / "a" / "main.dat"), TempDir::Read(dir / "c" / "main.dat"));
  EXPECT_NE(TempDir::Read(dir / "a" / "freq.dat"), TempDir::Read(dir / "c" / "freq.dat"));
}

class GeneratedExportTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir();
    GeneratorOptions options;
    options.filings = 300;
    summary_ = new ExportSummary(GenerateExport(dir_->path(), options));
  }
  static void TearDownTestSuite() {
    delete summary_;
    delete dir_;
  }
  static TempDir* dir_;
  static ExportSummary* summary_;
};
TempDir* GeneratedExportTest::dir_ = nullptr;
ExportSummary* GeneratedExportTest::summary_ = nullptr;

TEST_F(GeneratedExportTest, EveryFileHoldsRecordsThatItsLoaderStores) {
  const auto reports = CheckExport(dir_->path());
  ASSERT_EQ(reports.size(), kDataSets.size());
  ASSERT_EQ(summary_->files.size(), kDataSets.size());
  std::int64_t records = 0;
  for (std::size_t i = 0; i < reports.size(); ++i) {
    const FileReport& r = reports[i];
    SCOPED_TRACE(r.file);
    EXPECT_TRUE(r.present);
    EXPECT_GT(r.records, 0);
    EXPECT_EQ(r.records, summary_->files[i].records);
    EXPECT_EQ(r.rejected, 0) << (r.reasons.empty() ? "" : r.reasons.front());
    records += r.records;
  }
  EXPECT_EQ(records, summary_->records);
  EXPECT_EQ(summary_->filings, 300);
  EXPECT_EQ(summary_->bad_records, 0);
}

TEST_F(GeneratedExportTest, EveryRecordEndsInTheEndMarkAndHasThePiecesItsLoaderReads) {
  for (const auto& [file, n] : kDataSets) {
    SCOPED_TRACE(file);
    const DataSetLayout& layout = LayoutOf(file);
    ExportReader reader(dir_->path() / file);
    ExportRecord record;
    while (reader.Next(record)) {
      EXPECT_TRUE(record.terminated) << "line " << record.first_line;
      EXPECT_GE(static_cast<int>(SplitRecord(layout, record.text).size()), layout.PiecesNeeded())
          << "line " << record.first_line;
    }
  }
  // Unlike the reader, the raw file: the last line ends with the end mark
  // and a line end, and no record is glued to the one before it.
  const std::string main = TempDir::Read(dir_->path() / "main.dat");
  EXPECT_TRUE(main.ends_with("|^|\r\n"));
  EXPECT_EQ(main.find("|^|1"), std::string::npos);
}

TEST_F(GeneratedExportTest, UsesBothLineEndsAndSomeRecordsRunOverSeveralLines) {
  std::set<std::string> crlf, lf;
  std::map<std::string, std::int64_t> multi_line;
  for (const FileReport& r : CheckExport(dir_->path())) {
    EXPECT_TRUE(r.crlf_lines == 0 || r.lf_lines == 0) << r.file << " mixes line ends";
    (r.crlf_lines > 0 ? crlf : lf).insert(r.file);
    multi_line[r.file] = r.multi_line;
  }
  EXPECT_TRUE(crlf.count("main.dat"));
  EXPECT_TRUE(lf.count("site.dat"));
  EXPECT_GT(multi_line["main.dat"], 0);
  EXPECT_GT(multi_line["Cond.dat"], 0);
  EXPECT_GT(multi_line["ant_fx.dat"], 0);  // a sub-field record over several lines
  EXPECT_EQ(multi_line["freq.dat"], 0);    // only long texts are broken
}

TEST_F(GeneratedExportTest, KeysAgreeAcrossFilesInTheProportionsOfAnExport) {
  const auto& dir = dir_->path();
  std::map<std::int64_t, std::pair<std::string, std::string>> filings;  // key -> state, subsystem
  std::set<std::int64_t> addresses, contacts, sites, antennas, stations, conditions;
  for (const auto& r : Records(dir, "address.dat")) addresses.insert(std::stoll(r[0]));
  for (const auto& r : Records(dir, "contact.dat")) contacts.insert(std::stoll(r[0]));
  for (const auto& r : Records(dir, "space_sta.dat")) stations.insert(std::stoll(r[0]));
  for (const auto& r : Records(dir, "Cond.dat")) conditions.insert(std::stoll(r[0]));
  for (const auto& r : Records(dir, "main.dat")) {
    filings[std::stoll(r[0])] = {r[1], r[4]};
    EXPECT_TRUE(addresses.count(std::stoll(r[41]))) << "address of filing " << r[0];
    EXPECT_TRUE(contacts.count(std::stoll(r[46]))) << "contact of filing " << r[0];
  }
  ASSERT_EQ(filings.size(), 300u) << "filing keys are unique";

  std::map<std::int64_t, std::int64_t> site_filing;
  for (const auto& r : Records(dir, "site.dat")) {
    ASSERT_TRUE(filings.count(std::stoll(r[1]))) << "site " << r[0];
    EXPECT_TRUE(site_filing.emplace(std::stoll(r[0]), std::stoll(r[1])).second) << "site " << r[0];
  }
  std::map<std::int64_t, std::int64_t> antenna_site;
  for (const auto& r : Records(dir, "anten.dat")) {
    ASSERT_TRUE(site_filing.count(std::stoll(r[2]))) << "antenna " << r[0];
    antenna_site[std::stoll(r[0])] = std::stoll(r[2]);
  }
  std::int64_t frequencies = 0, converted = 0;
  for (const auto& r : Records(dir, "freq.dat")) {
    ASSERT_TRUE(antenna_site.count(std::stoll(r[1]))) << "frequency " << r[0];
    const auto& [state, subsystem] = filings[site_filing[antenna_site[std::stoll(r[1])]]];
    ++frequencies;
    if ((state == "0" || state == "1") && subsystem == "SES") ++converted;
  }
  for (const auto& r : Records(dir, "ptcomm.dat")) {
    EXPECT_TRUE(site_filing.count(std::stoll(r[1])));
    EXPECT_TRUE(stations.count(std::stoll(r[2])));
  }
  for (const auto& r : Records(dir, "ant_gain.dat")) EXPECT_TRUE(antenna_site.count(std::stoll(r[1])));
  for (const auto& r : Records(dir, "freq_coord.dat")) EXPECT_TRUE(antenna_site.count(std::stoll(r[1])));
  for (const auto& r : Records(dir, "site_cond.dat")) EXPECT_TRUE(site_filing.count(std::stoll(r[2])));
  for (const auto& r : Records(dir, "lic_cond.dat")) EXPECT_TRUE(filings.count(std::stoll(r[1])));
  for (const auto& r : Records(dir, "ant_fx.dat")) EXPECT_TRUE(site_filing.count(std::stoll(r[1])));
  for (const auto& r : Records(dir, "freq_fx.dat")) EXPECT_TRUE(site_filing.count(std::stoll(Trim(r[1]))));
  for (const auto& r : Records(dir, "FREQUENCY_SAT.dat")) {
    ASSERT_TRUE(filings.count(std::stoll(r[1])));
    EXPECT_EQ(filings[std::stoll(r[1])].second, "SAT");
  }
  std::int64_t known = 0, links = 0;
  for (const auto& r : Records(dir, "freq_cond.dat")) {
    ++links;
    known += conditions.count(std::stoll(r[2]));
  }
  EXPECT_GT(known, links * 9 / 10) << "conditions mostly exist";

  std::int64_t earth = 0, earth_converted = 0;
  for (const auto& [key, f] : filings) {
    if (f.second != "SES") continue;
    ++earth;
    if (f.first == "0" || f.first == "1") ++earth_converted;
  }
  EXPECT_GT(earth, 300 * 6 / 10);
  EXPECT_GT(earth_converted, earth * 5 / 10);
  EXPECT_EQ(converted, summary_->conversion_rows);
  EXPECT_GT(site_filing.size(), filings.size() * 3 / 2);   // several sites per filing
  EXPECT_GT(antenna_site.size(), site_filing.size() * 3 / 2);  // several antennas per site
  EXPECT_GT(frequencies, static_cast<std::int64_t>(antenna_site.size()) * 5 / 2);
}

TEST(ExportGeneratorBadRecordsTest, WritesExactlyTheBadRecordsAskedForAndKeepsTheGoodOnes) {
  TempDir dir;
  GeneratorOptions options;
  options.filings = 40;
  const ExportSummary clean = GenerateExport(dir / "clean", options);
  options.bad_records = 12;
  const ExportSummary bad = GenerateExport(dir / "bad", options);
  EXPECT_EQ(bad.bad_records, 12);
  EXPECT_EQ(bad.records, clean.records);

  const auto reports = CheckExport(dir / "bad");
  std::int64_t rejected = 0, unterminated = 0;
  std::set<std::string> reasons;
  for (std::size_t i = 0; i < reports.size(); ++i) {
    SCOPED_TRACE(reports[i].file);
    EXPECT_EQ(reports[i].rejected, bad.files[i].bad_records);
    EXPECT_EQ(reports[i].records - reports[i].rejected, clean.files[i].records);
    rejected += reports[i].rejected;
    for (const std::string& reason : reports[i].reasons) {
      const std::string what = reason.substr(reason.find(": ") + 2);
      reasons.insert(what.starts_with("piece") ? what.substr(what.find(": ") + 2)
                                               : what.substr(0, what.find(':')));
    }
  }
  EXPECT_EQ(rejected, 12);
  EXPECT_EQ(reasons, (std::set<std::string>{"too few fields", "text too long",
                                            "not a whole number in range", "not a date",
                                            "no end mark before the end of the file"}));

  // An unterminated record is its file's last: the file ends without "|^|".
  for (const FileReport& r : reports) {
    if (r.reasons.empty() || !r.reasons.back().ends_with("end of the file")) continue;
    ++unterminated;
    const std::string text = TempDir::Read(dir / "bad" / r.file);
    EXPECT_FALSE(text.ends_with("|^|\n") || text.ends_with("|^|\r\n")) << r.file;
  }
  EXPECT_GE(unterminated, 2);
}

TEST(ExportGeneratorTest, RefusesOptionsOutOfRange) {
  TempDir dir;
  GeneratorOptions options;
  options.filings = 0;
  EXPECT_THROW(GenerateExport(dir.path(), options), std::invalid_argument);
  options.filings = 10;
  options.antennas_per_site = 0.5;
  EXPECT_THROW(GenerateExport(dir.path(), options), std::invalid_argument);
}

}  // namespace
}  // namespace morvane::bench
