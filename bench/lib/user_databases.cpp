#include "bench/lib/user_databases.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "loaders/field_conversions.h"
#include "loaders/loader_def.h"
#include "loaders/site_positions.h"
#include "platform/files/line_reader.h"
#include "platform/text/text.h"
#include "run/record_reader.h"

namespace morvane::bench {
namespace {

namespace fs = std::filesystem;
using Pieces = std::vector<std::string_view>;

constexpr int kSitePieces = 33;
constexpr int kAddressPieces = 14;
constexpr std::int64_t kFirstKeyNumber = 1000001;
// TowerSiteInfoD's width in the schema: a longer key is stored and searched cut to it.
constexpr std::size_t kAddressKeyWidth = 255;

// Calls `take` with the pieces of every complete record of `file`, split as
// the loaders split them.
template <typename Take>
void ForEachRecord(const fs::path& file, int pieces, Take take) {
  files::LineReader lines(file);
  engine::RecordReader reader(lines);
  std::string record;
  Pieces split;
  for (;;) {
    const auto result = reader.Next(record);
    if (result == engine::RecordReader::Result::kEnd) return;
    if (result != engine::RecordReader::Result::kRecord) continue;
    loaders::SplitBars(record, pieces, split);
    take(split);
  }
}

std::string Piece(const Pieces& p, int number) { return text::Trim(p[static_cast<std::size_t>(number - 1)]); }

double Number(const Pieces& p, int number) { return loaders::NumberValue(Piece(p, number)); }

// A text as an SQL literal; "" as NULL, as the loaders leave an empty field
// of a registrant's entry unknown.
std::string Sql(std::string_view value) {
  if (value.empty()) return "NULL";
  std::string out = "'";
  for (char c : value) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}

std::string Key(char letter, std::int64_t index) {
  return letter + text::Format(static_cast<double>(kFirstKeyNumber + index), "0000000");
}

// One site as the site loader stores it, with the keys of the matching.
struct Site {
  std::string lat_dms, lat_sec, lon_dms, lon_sec, elevation, datum;
  std::string street, city, county, state;
  bool has_coordinates = false;
  std::string coord_key;    // databases A and B
  std::string address_key;  // database D
};

Site ReadSite(const Pieces& p) {
  Site s;
  s.elevation = loaders::ElevationText(Number(p, 13));
  const auto lat = loaders::LatitudeTexts(Number(p, 14), Number(p, 15), Number(p, 16), Piece(p, 17));
  const auto lon = loaders::LongitudeTexts(Number(p, 18), Number(p, 19), Number(p, 20), Piece(p, 21));
  s.lat_dms = lat.dms, s.lat_sec = lat.seconds, s.lon_dms = lon.dms, s.lon_sec = lon.seconds;
  s.datum = loaders::NumberValue(p[21]) == 83 ? "NAD83" : "NAD27";
  s.street = Piece(p, 6);
  if (!Piece(p, 7).empty()) s.street += " / " + Piece(p, 7);
  s.city = Piece(p, 8), s.county = Piece(p, 9), s.state = Piece(p, 10);
  s.has_coordinates = text::Val(s.lat_sec) != 0 || text::Val(s.lon_sec) != 0;
  s.coord_key = text::Trim(s.lat_dms + "|" + s.lon_dms + "|" + s.datum + "|" + s.elevation);
  s.address_key = text::Trim(s.state + "|" + s.county + "|" + s.city + "|" + s.street + "|" +
                             s.elevation + "|||||||");
  return s;
}

class SqlFile {
 public:
  SqlFile(const fs::path& file, std::string_view what) : out_(file, std::ios::binary) {
    if (!out_) throw std::runtime_error("cannot write " + file.string());
    out_ << "-- " << what << ", made by bench-generate from its export.\nBEGIN;\n";
  }
  void Insert(std::string_view table, std::string_view fields, const std::vector<std::string>& values) {
    out_ << "INSERT INTO " << table << " (" << fields << ") VALUES (";
    for (std::size_t i = 0; i < values.size(); ++i) out_ << (i ? ", " : "") << values[i];
    out_ << ");\n";
  }
  void Finish(const fs::path& file) {
    out_ << "COMMIT;\n";
    out_.close();
    if (!out_) throw std::runtime_error("cannot write " + file.string());
  }

 private:
  std::ofstream out_;
};

class AntSiteWriter {
 public:
  explicit AntSiteWriter(const fs::path& dir)
      : dir_(dir),
        a_(dir / "a.sql", "Antenna-site database A: registered towers"),
        b_(dir / "b.sql", "Antenna-site database B: towers not registered"),
        c_(dir / "c.sql", "Antenna-site database C: entries of earlier runs"),
        d_(dir / "d.sql", "Antenna-site database D: entries of earlier runs"),
        e_(dir / "e.sql", "Antenna-site database E"),
        info_(dir / "antsitedb.sql", "The antenna-site database: sites of earlier runs") {}

  void Add(const Site& site) {
    if (!site.has_coordinates) {
      if (addresses_.insert(site.address_key).second && addresses_.size() % 2 == 1)
        d_.Insert("AntSite_D", "TowerSiteKeyD, TowerSiteInfoD, AntSite_CountD",
                  {Sql(Key('D', counts_.d++)), Sql(text::Left(site.address_key, kAddressKeyWidth)), "1"});
      return;
    }
    if (!positions_.insert(site.coord_key).second) return;
    const std::int64_t i = static_cast<std::int64_t>(positions_.size()) - 1;
    switch (i % 10) {
      case 0: case 1: case 2: {
        const std::string key = Key('A', counts_.a++);
        a_.Insert("AntSite_A", "TowerSiteKeyA, TowerSiteInfoA", {Sql(key), Sql(site.coord_key)});
        if (counts_.a % 10 == 1)
          e_.Insert("AntSite_E", "TowerSiteKeyE, TowerSiteInfoE", {Sql(Key('E', counts_.e++)), Sql(key)});
        if (counts_.a % 2 == 1) Known(key, site);
        break;
      }
      case 3: case 4: {
        const std::string key = Key('B', counts_.b++);
        b_.Insert("AntSite_B", "TowerSiteKeyB, TowerSiteInfoB, AntSite_CountB",
                  {Sql(key), Sql(site.coord_key), std::to_string(1 + i % 3)});
        if (counts_.b % 2 == 1) Known(key, site);
        break;
      }
      case 5:
        c_.Insert("AntSite_C", "TowerSiteKeyC, TowerSiteInfoC, AntSite_CountC",
                  {Sql(Key('C', counts_.c++)), Sql(site.coord_key + "|"), std::to_string(1 + i % 4)});
        break;
      default:
        break;  // new: the run adds it to C
    }
  }

  UserDatabaseCounts Finish() {
    a_.Finish(dir_ / "a.sql");
    b_.Finish(dir_ / "b.sql");
    c_.Finish(dir_ / "c.sql");
    d_.Finish(dir_ / "d.sql");
    e_.Finish(dir_ / "e.sql");
    info_.Finish(dir_ / "antsitedb.sql");
    return counts_;
  }

 private:
  // The site as an earlier run recorded it, with an older status date, so
  // that this run's filings replace it.
  void Known(const std::string& key, const Site& s) {
    info_.Insert("AntSiteInfo",
                 "\"Group\", AntSiteKey, Street, City, County, State, Country, LatDMS, LatSec, "
                 "LonDMS, LonSec, HorizDatum, GrEl, StatusDate",
                 {Sql(key.substr(0, 1)), Sql(key), Sql(text::Left(s.street, 80)), Sql(s.city),
                  Sql(s.county), Sql(s.state), "'USA'", Sql(s.lat_dms), Sql(s.lat_sec),
                  Sql(s.lon_dms), Sql(s.lon_sec), Sql(s.datum), Sql(s.elevation), "'20050614'"});
    info_.Insert("AntSiteCallSign", "AntSiteKey, CallSigns, RadSvc, FreqCount, CallSignCount",
                 {Sql(key), Sql(Key('E', 8000000 + counts_.ant_site_info) + "~"), "'CF~'", "2", "1"});
    ++counts_.ant_site_info;
  }

  fs::path dir_;
  SqlFile a_, b_, c_, d_, e_, info_;
  std::unordered_set<std::string> positions_, addresses_;
  UserDatabaseCounts counts_;
};

std::int64_t WriteRegistrants(const fs::path& export_dir, const fs::path& dir) {
  SqlFile out(dir / "einkwd.sql", "The registration-number database");
  std::unordered_set<std::int64_t> seen;
  std::int64_t written = 0;
  ForEachRecord(export_dir / "address.dat", kAddressPieces, [&](const Pieces& p) {
    if (static_cast<int>(p.size()) < kAddressPieces) return;
    const std::string kwd = text::Left(Piece(p, 13), 10);
    if (kwd.empty() || kwd.find_first_not_of("0123456789") != std::string::npos) return;
    const std::int64_t number = std::stoll(kwd);
    if (number < 1 || number > 2147483647 || !seen.insert(number).second) return;
    if (seen.size() % 4 == 0) return;  // not registered
    const std::string ein = std::to_string(100000000 + number % 900000000);
    out.Insert("EinKwdTable",
               "EinKey, KwdKey, EntityName, EntityOrg, EntityType, Street1, Street2, City, State, "
               "ZipCode, Country, InputSource, RegDt, UpdDt",
               {Sql(ein), std::to_string(number), Sql(text::Left(Piece(p, 3), 150)),
                Sql(text::Left(Piece(p, 4), 150)), "'Corporation'", Sql(text::Left(Piece(p, 5), 150)),
                Sql(text::Left(Piece(p, 6), 150)), Sql(text::Left(Piece(p, 7), 60)),
                Sql(text::Left(Piece(p, 8), 30)), Sql(text::Left(Piece(p, 9), 10)),
                Sql(text::Left(Piece(p, 10), 4)), "'CORES'", "'20040315'", "'20110920'"});
    ++written;
  });
  out.Finish(dir / "einkwd.sql");
  return written;
}

}  // namespace

UserDatabaseCounts WriteUserDatabaseSql(const fs::path& export_dir) {
  const fs::path dir = export_dir / "databases";
  fs::create_directories(dir);
  AntSiteWriter sites(dir);
  ForEachRecord(export_dir / "site.dat", kSitePieces, [&](const Pieces& p) {
    if (static_cast<int>(p.size()) < 22) return;  // the loader sets it aside
    try {
      sites.Add(ReadSite(p));
    } catch (const std::exception&) {
      // a number beyond any field: the loader sets the record aside too
    }
  });
  UserDatabaseCounts counts = sites.Finish();
  counts.registrants = WriteRegistrants(export_dir, dir);
  return counts;
}

}  // namespace morvane::bench
