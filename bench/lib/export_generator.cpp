// The shape of a synthetic export (the means marked * are options):
//
//   licensee    one address and one contact; 1.6 call signs on average
//               (at most 4)
//   call sign   1.5 filings on average (at most 3): the first applies for
//               the licence, later ones modify, renew or amend it; they
//               share the call sign's physical locations, so a later filing
//               repeats the coordinates of an earlier one
//   filing      80% earth station (subsystem "SES"), 12% fixed ("FX"), 8%
//               space station ("SAT"); state "0" 25%, "1" 40%, "2" 15%,
//               "3" 20%, so about 65% of the earth-station filings are the
//               ones the conversion takes; 1-2 natures of service, one
//               purpose, licence conditions (30%: 1-3), licensee history
//               (15%)
//   earth-station filing
//               form 312 (90%), STA (8%); sites* 2 (at most 12); per site
//               1-3 points of communication, site conditions (20%: 1-2),
//               antennas* 2 (at most 10); per antenna one azimuth, 1-2
//               gains, coordination records (60%: 1-2), antenna conditions
//               (10%), frequencies* 3.5 (at most 16), transmit and receive
//               in turn; frequency conditions (5%)
//   fixed filing
//               one fx record; sites as above; per site 1-3 antennas
//               (ant_fx), 1-4 frequencies (freq_fx), 1-2 transmitters,
//               points of communication (50%: 1-2)
//   space filing
//               form 312, 2-8 satellite frequencies, STA (30%)
//   code lists  13 classes of station, 15 status codes, 8 polarizations, 13
//               antenna types, the 34 natures of service, 18 frequency
//               bands, 60 allocations; 40 + filings/50 space stations and
//               40 + filings/25 conditions
//   texts       6% of the filing descriptions, 4% of the site descriptions,
//               30% of the condition texts and 10% of the space-station
//               texts run over 2-4 lines; 5% of the transmitter records
//               hold only their first 3 fields and 1% of the ant_fx records
//               30 fields (the sub-field loaders take either)
//
// With the default means a filing brings about 40 records: 25,000 filings
// make 991,075 records (81 MB) with seed 1; bench/README.md has the counts
// per file.
// The first filings of the export are an earth-station, a fixed and a space
// filing that carry every optional record, so that even a small export has
// records in all 35 files.
#include "bench/lib/export_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "bench/lib/bad_records.h"
#include "bench/lib/data_set_layouts.h"
#include "bench/lib/data_set_writer.h"
#include "bench/lib/prng.h"
#include "bench/lib/vocabulary.h"

namespace morvane::bench {
namespace {

namespace v = vocabulary;

// The data sets in load order, as DataSetLayouts() lists them.
enum DataSet : int {
  kAddress, kAntCond, kAntFx, kAntGain, kAntTypeCode, kAnten, kAzimuth, kClass, kCond,
  kContact, kEarthSta, kForm312, kFreq, kFreqCond, kFreqCoord, kFreqFx, kFx,
  kLicenseeHistory, kLicCond, kMain, kNatServ, kNatServCode, kPolar, kPtComm, kPtCommFx,
  kPurpose, kSite, kSiteCond, kSpaceSta, kSpaceStaSta, kStatusCode, kTransmitter,
  kFrequencyBand, kIntlAlocFrequency, kFrequencySat, kDataSetCount
};

enum class Kind { kEarth, kFixed, kSpace };

// A calendar day, with the export's way of writing it.
struct Day {
  int y = 2000, m = 1, d = 1;
};

// Days since 1970-01-01 and back (proleptic Gregorian calendar).
int DaysFromCivil(Day day) {
  const int y = day.y - (day.m <= 2);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (day.m + (day.m > 2 ? -3 : 9)) + 2) / 5 + day.d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Day CivilFromDays(int z) {
  z += 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  Day day;
  day.d = doy - (153 * mp + 2) / 5 + 1;
  day.m = mp < 10 ? mp + 3 : mp - 9;
  day.y = yoe + era * 400 + (day.m <= 2);
  return day;
}

Day AddDays(Day day, int days) { return CivilFromDays(DaysFromCivil(day) + days); }

// "Jan  5 2010": month name, blank, day right-aligned in two characters,
// blank, year; optionally followed by a time of day ("Jan  5 2010 12:00AM").
std::string DateText(Day day, std::string_view time = {}) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string text(kMonths[static_cast<std::size_t>(day.m - 1)]);
  text += day.d < 10 ? "  " : " ";
  text += std::to_string(day.d);
  text += ' ';
  text += std::to_string(day.y);
  if (!time.empty()) {
    text += ' ';
    text += time;
  }
  return text;
}

std::string Zeros(std::int64_t value, int width) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width)
    digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return digits;
}

// A physical location of a call sign: where its sites stand.
struct Location {
  const v::Place* place = nullptr;
  double lat = 0, lon = 0;  // signed degrees; both 0 for a mobile station without coordinates
  double elevation = 0;
  std::string street1, street2, zip;
  int nad = 83;
};

struct Licensee {
  std::int64_t address_key = 0;
  std::int64_t contact_key = 0;
  std::string name;
  std::string phone, fax, email;
  std::string type_code;       // type of applicant
  std::string contact_name, contact_phone, contact_email;
  std::int64_t last_filing_key = 0;
};

struct CallSign {
  std::string text;
  Kind kind = Kind::kEarth;
  std::vector<Location> locations;
  std::string last_file_number;
};

// What a filing's records share.
struct Filing {
  std::int64_t key = 0;
  Kind kind = Kind::kEarth;
  std::string state;
  std::string app_type;
  std::string file_number;
  Day filed;
  bool showcase = false;  // carries every optional record
};

class Generator {
 public:
  Generator(const std::filesystem::path& dir, const GeneratorOptions& options)
      : layouts_(DataSetLayouts()), o_(options), rng_(options.seed) {
    Validate();
    std::filesystem::create_directories(dir);
    for (const DataSetLayout& layout : layouts_)
      out_.push_back(std::make_unique<DataSetWriter>(dir / layout.file, layout));
    if (layouts_.size() != kDataSetCount || layouts_[kMain].file != "main.dat" ||
        layouts_[kFrequencySat].file != "FREQUENCY_SAT.dat")
      throw std::logic_error("the data set list and the generator disagree");
    bad_counts_.assign(layouts_.size(), 0);
    for (BadRecord& bad : PlanBadRecords(layouts_, options.bad_records)) {
      ++bad_counts_[bad.data_set];
      out_[bad.data_set]->AddBadRecord(std::move(bad.body), bad.kind != BadKind::kUnterminated);
    }
    space_stations_ = 40 + static_cast<int>(o_.filings / 50);
    conditions_ = 40 + static_cast<int>(o_.filings / 25);
  }

  ExportSummary Run() {
    WriteCodeLists();
    while (filings_ < o_.filings) WriteLicensee();
    ExportSummary summary;
    summary.filings = filings_;
    summary.conversion_rows = conversion_rows_;
    for (std::size_t i = 0; i < out_.size(); ++i) {
      out_[i]->Close();
      summary.files.push_back({layouts_[i].file, out_[i]->records(), bad_counts_[i]});
      summary.records += out_[i]->records();
      summary.bad_records += bad_counts_[i];
    }
    return summary;
  }

 private:
  void Validate() const {
    if (o_.filings < 1 || o_.filings > 50'000'000)
      throw std::invalid_argument("the number of filings must be 1 to 50,000,000");
    for (double mean : {o_.sites_per_filing, o_.antennas_per_site, o_.frequencies_per_antenna})
      if (!(mean >= 1.0 && mean <= 10.0))
        throw std::invalid_argument("a mean count must be 1 to 10");
    if (o_.bad_records < 0 || o_.bad_records > 10'000)
      throw std::invalid_argument("the number of bad records must be 0 to 10,000");
  }

  DataSetWriter& W(DataSet d) { return out_[d]->Begin(); }

  // ---- small makers -------------------------------------------------------

  template <typename T>
  const T& Pick(std::span<const T> items) { return items[rng_.Next() % items.size()]; }

  std::string Digits(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('0' + rng_.Between(0, 9));
    return s;
  }

  std::string PersonName() {
    return std::string(Pick(v::FirstNames())) + " " + std::string(Pick(v::LastNames()));
  }

  std::string CompanyName() {
    return std::string(Pick(v::CompanyWords())) + " " + std::string(Pick(v::CompanyTrades())) +
           " " + std::string(Pick(v::CompanyForms()));
  }

  std::string Street() {
    return std::to_string(rng_.Between(1, 29999)) + " " + std::string(Pick(v::StreetNames())) +
           " " + std::string(Pick(v::StreetTypes()));
  }

  std::string Suite() {
    static constexpr std::string_view kUnits[] = {"Suite", "Bldg", "Floor", "Room", "Unit"};
    return std::string(rng_.Pick(kUnits)) + " " + std::to_string(rng_.Between(1, 1200));
  }

  std::string Zip(const v::Place& place) {
    std::string zip = std::string(place.zip3) + Digits(2);
    if (rng_.Chance(0.3)) zip += "-" + Digits(4);
    return zip;
  }

  // Telephone numbers as people type them: the conversion normalises them.
  std::string Phone() {
    const std::string a = std::to_string(rng_.Between(201, 989));
    const std::string b = std::to_string(rng_.Between(200, 999));
    const std::string c = Digits(4);
    switch (rng_.Between(0, 9)) {
      case 0: return "(" + a + ") " + b + "-" + c;
      case 1: return "1-" + a + "-" + b + "-" + c;
      case 2: return a + b + c;
      case 3: return a + "." + b + "." + c;
      case 4: return "(" + a + ")" + b + "-" + c;
      case 5: return "+1 " + a + " " + b + " " + c;
      case 6: return a + "-" + b + "-" + c + " x" + Digits(3);
      default: return a + "-" + b + "-" + c;
    }
  }

  std::string Email(std::string_view person) {
    std::string user;
    for (char ch : person) {
      const auto u = static_cast<unsigned char>(ch);
      if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z')) user += static_cast<char>(u | 0x20);
      else if (ch == ' ') user += '.';
    }
    static constexpr std::string_view kDomains[] = {"example.com", "example.net",
                                                    "example.org", "mail.example.com"};
    user = user.substr(0, 20);  // the address stays within 40 characters
    return user + "@" + std::string(rng_.Pick(kDomains));
  }

  std::string YesNo(double yes = 0.5) { return rng_.Chance(yes) ? "Y" : "N"; }

  std::string YesNoEmpty() {
    const auto r = rng_.Between(0, 9);
    return r < 4 ? "Y" : r < 8 ? "N" : "";
  }

  Day RandomDay(int from_year, int to_year) {
    const int lo = DaysFromCivil({from_year, 1, 1});
    const int hi = DaysFromCivil({to_year, 12, 31});
    return CivilFromDays(static_cast<int>(rng_.Between(lo, hi)));
  }

  std::string TimeOfDay() {
    const int hour = static_cast<int>(rng_.Between(1, 12));
    return (hour < 10 ? " " : "") + std::to_string(hour) + ":" + Zeros(rng_.Between(0, 59), 2) +
           (rng_.Chance(0.5) ? "AM" : "PM");
  }

  // A date as the export writes it; every fourth one carries a time.
  std::string DateOf(Day day) { return DateText(day, rng_.Chance(0.25) ? "12:00AM" : ""); }

  // Sentences for a long text, on one line or (with chance `multi`) over
  // several lines; now and then a line is indented or left empty, which the
  // reader trims and joins all the same.
  std::vector<std::string> Paragraph(std::span<const std::string_view> pool, int lo, int hi,
                                     double multi) {
    const int count = static_cast<int>(rng_.Between(lo, hi));
    std::vector<std::string> lines;
    const bool several = count > 1 && rng_.Chance(multi);
    for (int i = 0; i < count; ++i) {
      std::string sentence(Pick(pool));
      if (several || lines.empty()) {
        if (several && i > 0 && rng_.Chance(0.1)) lines.emplace_back();
        lines.push_back((several && i > 0 && rng_.Chance(0.2) ? "   " : "") + sentence);
      } else {
        lines.back() += " " + sentence;
      }
    }
    return lines;
  }

  // ---- code lists ---------------------------------------------------------

  void WriteCodeLists() {
    for (const v::Code& c : v::ClassesOfStation())
      W(kClass).Text(c.code).Text(c.text).Text(rng_.Chance(0.15) ? DateOf(RandomDay(2001, 2012)) : "").End();
    for (const v::Code& c : v::StatusCodes())
      W(kStatusCode).Text(c.code).Text(c.text).Text(YesNo(0.2)).Text(rng_.Chance(0.1) ? DateOf(RandomDay(2001, 2012)) : "").End();
    for (const v::Code& c : v::Polarizations())
      W(kPolar).Text(c.code).Text(c.text).Text("").End();
    for (const v::Code& c : v::AntennaTypes())
      W(kAntTypeCode).Text(c.code).Text(c.text).Text(rng_.Chance(0.1) ? DateOf(RandomDay(2001, 2012)) : "").End();
    for (const v::Code& c : v::NaturesOfService())
      W(kNatServCode).Text(c.code).Text(c.text).Text("").End();
    WriteFrequencyBands();
    WriteAllocations();
    WriteSpaceStations();
    WriteConditions();
  }

  void WriteFrequencyBands() {
    static constexpr std::string_view kRules[] = {"25.202(a)(1)", "25.202(a)(5)", "25.136",
                                                  "25.115(e)", "25.138", "25.218"};
    std::int64_t id = 1;
    for (int round = 0; round < 3; ++round) {
      for (const v::Band& band : v::Bands()) {
        const std::string name = std::string(band.name) + "-band" +
                                 (round == 0 ? "" : round == 1 ? " (planned)" : " (shared)");
        W(kFrequencyBand)
            .Num(id++)
            .Fixed(band.down_lo, 1).Fixed(band.up_hi, 1)
            .Text(name)
            .Fixed(band.down_lo, 1).Fixed(band.down_hi, 1)
            .Fixed(band.up_lo, 1).Fixed(band.up_hi, 1)
            .Text(rng_.Pick(kRules))
            .End();
      }
    }
  }

  void WriteAllocations() {
    double lo = 1000.0;
    for (std::int64_t id = 1; id <= 60; ++id) {
      const double hi = lo + static_cast<double>(rng_.Between(1, 40)) * 25.0;
      W(kIntlAlocFrequency).Num(id).Fixed(lo, 3).Fixed(hi, 3).Text(std::to_string(rng_.Between(1, 3))).End();
      lo = hi;
    }
  }

  void WriteSpaceStations() {
    const auto satellites = v::Satellites();
    for (int i = 0; i < space_stations_; ++i) {
      const v::Satellite& sat = satellites[static_cast<std::size_t>(i) % satellites.size()];
      std::string name(sat.name);
      if (i >= static_cast<int>(satellites.size()))
        name += "-" + std::to_string(i / static_cast<int>(satellites.size()) + 1);
      std::string itu;
      for (char ch : name)
        if (ch != ' ') itu += (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 32) : ch;
      const double orbit = sat.orbit + (i >= static_cast<int>(satellites.size()) ? 0.5 : 0.0);
      const std::string hemi = orbit < 0 ? "W" : "E";
      const std::vector<std::string> verbose = Paragraph(v::Sentences(), 1, 3, 0.1);
      W(kSpaceSta)
          .Num(SpaceStationKey(i))
          .Text(name)
          .Text(("USA-" + itu).substr(0, 20))
          .Text(FixedText(std::fabs(orbit), 1) + " " + hemi)
          .Lines(verbose)
          .Text(rng_.Chance(0.1) ? DateOf(RandomDay(2005, 2012)) : "")
          .Text(hemi)
          .End();
    }
  }

  static std::int64_t SpaceStationKey(int index) { return 1000 + index; }
  static std::int64_t ConditionCode(int index) { return 5000 + index; }

  void WriteConditions() {
    static constexpr std::string_view kSubsystems[] = {"SES", "SES", "SES", "FX", "SAT", ""};
    for (int i = 0; i < conditions_; ++i) {
      const std::vector<std::string> text = Paragraph(v::ConditionTexts(), 1, 4, 0.3);
      const std::vector<std::string> note =
          rng_.Chance(0.3) ? Paragraph(v::Sentences(), 1, 1, 0.0) : std::vector<std::string>{""};
      W(kCond)
          .Num(ConditionCode(i))
          .Text(rng_.Pick(kSubsystems))
          .Lines(text)
          .Lines(note)
          .Text(rng_.Chance(0.5) ? DateOf(RandomDay(1998, 2012)) : "")
          .End();
    }
  }

  // A condition code, now and then one that Cond.dat lacks.
  std::int64_t SomeCondition() {
    if (rng_.Chance(0.01)) return ConditionCode(conditions_ + static_cast<int>(rng_.Between(0, 99)));
    return ConditionCode(static_cast<int>(rng_.Between(0, conditions_ - 1)));
  }

  // ---- licensees, call signs, filings -------------------------------------

  void WriteLicensee() {
    static constexpr std::string_view kApplicantTypes[] = {"C", "C", "C", "L", "P", "I", "G", "N", "T"};
    Licensee lic;
    lic.address_key = address_key_ += rng_.Between(1, 4);
    lic.contact_key = contact_key_ += rng_.Between(1, 4);
    lic.name = CompanyName();
    lic.phone = Phone();
    lic.fax = rng_.Chance(0.6) ? Phone() : "";
    lic.email = Email(lic.name);
    lic.type_code = rng_.Pick(kApplicantTypes);
    lic.contact_name = PersonName();
    lic.contact_phone = rng_.Chance(0.03) ? "Not available" : Phone();
    lic.contact_email = Email(lic.contact_name);
    WriteAddress(lic);
    WriteContact(lic);

    const int call_signs = rng_.Count(1.6, 4);
    for (int c = 0; c < call_signs && filings_ < o_.filings; ++c) {
      CallSign cs;
      cs.kind = NextKind();
      cs.text = CallSignText(cs.kind);
      const int filings = rng_.Count(1.5, 3);
      for (int f = 0; f < filings && filings_ < o_.filings; ++f) WriteFiling(lic, cs, f);
    }
  }

  Kind NextKind() {
    // The first three filings of an export show every kind.
    if (call_signs_ < 3) return static_cast<Kind>(call_signs_++);
    ++call_signs_;
    const double r = rng_.Unit();
    return r < 0.80 ? Kind::kEarth : r < 0.92 ? Kind::kFixed : Kind::kSpace;
  }

  std::string CallSignText(Kind kind) {
    switch (kind) {
      case Kind::kEarth: return "E" + Zeros(++earth_call_signs_ + 10000, 6);
      case Kind::kFixed: return "WP" + Zeros(++fixed_call_signs_ + 1000, 5);
      case Kind::kSpace: return "S" + Zeros(++space_call_signs_ + 2000, 4);
    }
    return "";
  }

  void WriteAddress(const Licensee& lic) {
    const v::Place& place = Pick(v::Places());
    const bool dba = rng_.Chance(0.2);
    const std::string id =
        (rng_.Chance(0.1) ? "QD" : "L") + Zeros(lic.address_key, 7) + (rng_.Chance(0.1) ? "A" : "");
    W(kAddress)
        .Num(lic.address_key)
        .Text(id)
        .Text(lic.name)
        .Text(dba ? CompanyName() : "")
        .Text(Street())
        .Text(rng_.Chance(0.3) ? Suite() : "")
        .Text(place.city)
        .Text(place.state)
        .Text(Zip(place))
        .Text(rng_.Chance(0.8) ? "US" : "USA")
        .Text(std::string(1, lic.name[0]) + Digits(3))
        .Text(dba ? "D" + Digits(3) : "")
        .Text(rng_.Chance(0.85) ? "00" + Digits(8) : "")
        .Text(rng_.Chance(0.02) ? "Y" : "N")
        .End();
  }

  void WriteContact(const Licensee& lic) {
    const v::Place& place = rng_.Chance(0.7) ? v::Places()[0] : Pick(v::Places());
    W(kContact)
        .Num(lic.contact_key)
        .Text("C" + Zeros(lic.contact_key, 7))
        .Text(lic.contact_name)
        .Text(Pick(v::Titles()))
        .Text(Pick(v::LawFirms()))
        .Text(Street())
        .Text(rng_.Chance(0.5) ? Suite() : "")
        .Text(place.city)
        .Text(place.state)
        .Text(Zip(place))
        .Text("USA")
        .Text(rng_.Chance(0.5) ? "00" + Digits(8) : "")
        .End();
  }

  void WriteFiling(Licensee& lic, CallSign& cs, int index) {
    Filing f;
    f.key = filing_key_ += rng_.Between(1, 3);
    f.kind = cs.kind;
    f.showcase = !shown_[static_cast<int>(cs.kind)];
    shown_[static_cast<int>(cs.kind)] = true;
    const double r = rng_.Unit();
    f.state = r < 0.25 ? "0" : r < 0.65 ? "1" : r < 0.80 ? "2" : "3";
    if (f.showcase) f.state = "1";
    static constexpr std::string_view kLaterApps[] = {"MOD", "AMD", "RWL", "STA", "ASG",
                                                     "TC", "MOD", "CAN", "NOT", ""};
    f.app_type = index == 0 ? (rng_.Chance(0.8) ? "LIC" : "REG") : std::string(rng_.Pick(kLaterApps));
    f.filed = RandomDay(1996, 2012);
    const std::string subsystem = Subsystem(f.kind);
    f.file_number = subsystem + "-" + (f.app_type.empty() ? std::string("MSC") : f.app_type) + "-" +
                    std::to_string(f.filed.y) + "-" + Zeros(f.key % 100000, 5);
    ++filings_;

    WriteMain(f, lic, cs);
    WriteFilingExtras(f, lic, cs);
    switch (f.kind) {
      case Kind::kEarth: WriteEarthStation(f, cs); break;
      case Kind::kFixed: WriteFixed(f, cs); break;
      case Kind::kSpace: WriteSpace(f); break;
    }
    cs.last_file_number = f.file_number;
    lic.last_filing_key = f.key;
  }

  static std::string Subsystem(Kind kind) {
    switch (kind) {
      case Kind::kEarth: return "SES";
      case Kind::kFixed: return "FX";
      case Kind::kSpace: return "SAT";
    }
    return "";
  }

  std::string StatusFor(const std::string& state) {
    static constexpr std::string_view kOpen[] = {"PEN", "ACC", "OPN", "RCV", "PND-A"};
    static constexpr std::string_view kGranted[] = {"GRT", "GRT", "GRT", "CNS"};
    static constexpr std::string_view kClosed[] = {"DIS", "DEN", "WDR", "RET"};
    static constexpr std::string_view kEnded[] = {"EXP", "CAN", "TRM", "SUS"};
    if (state == "0") return std::string(rng_.Pick(kOpen));
    if (state == "1") return std::string(rng_.Pick(kGranted));
    if (state == "2") return std::string(rng_.Pick(kClosed));
    return std::string(rng_.Pick(kEnded));
  }

  std::string Maybe(double p, Day day) { return rng_.Chance(p) ? DateOf(day) : ""; }

  void WriteMain(const Filing& f, const Licensee& lic, const CallSign& cs) {
    static constexpr std::string_view kLastActions[] = {"GRT", "ACC", "PN", "MOD", "DIS", "REC"};
    static constexpr std::string_view kRelations[] = {"Attorney", "Engineer", "Consultant",
                                                      "Officer", "Employee", "Legal Counsel"};
    const bool granted = f.state == "1" || f.state == "3";
    const Day status = AddDays(f.filed, static_cast<int>(rng_.Between(0, 400)));
    const Day grant = AddDays(f.filed, static_cast<int>(rng_.Between(30, 300)));
    const Day expire = AddDays(grant, 365 * 15 + 3);
    const std::string signer = PersonName();
    const std::vector<std::string> description =
        Paragraph(v::Sentences(), 1, 3, f.showcase ? 1.0 : 0.06);
    // The last class of station has four letters, one more than a filing's
    // field holds: it stands in the code list only.
    const auto classes = v::ClassesOfStation().first(v::ClassesOfStation().size() - 1);
    const std::string class_code = rng_.Chance(0.05) ? "" : std::string(Pick(classes).code);
    std::string fee_control = Digits(static_cast<int>(rng_.Between(12, 24)));

    DataSetWriter& out = W(kMain);
    out.Num(f.key)
        .Text(f.state)
        .Text(cs.text)
        .Text(f.file_number)
        .Text(Subsystem(f.kind))
        .Text(StatusFor(f.state))
        .Text(DateOf(status))
        .Text(rng_.Pick(kLastActions))
        .Text(DateOf(status))
        .Text(rng_.Chance(0.3) ? Digits(6) : "")
        .Text(DateOf(f.filed))
        .Text(Maybe(0.8, AddDays(f.filed, static_cast<int>(rng_.Between(1, 5)))))
        .Text(granted ? DateOf(grant) : "")
        .Text(f.state == "2" && rng_.Chance(0.3) ? DateOf(status) : "")
        .Text(f.state == "2" && rng_.Chance(0.6) ? DateOf(status) : "")
        .Text(f.state == "3" && rng_.Chance(0.2) ? DateOf(status) : "")
        .Text(granted ? DateOf(grant) : "")
        .Text(granted ? DateOf(expire) : "")
        .Text(DateText(AddDays(status, static_cast<int>(rng_.Between(0, 30))), TimeOfDay()))
        .Text(YesNo(0.7))
        .Text(Maybe(0.7, AddDays(f.filed, static_cast<int>(rng_.Between(10, 40)))))
        .Text(granted ? "Y" : "N")
        .Text(granted ? DateOf(AddDays(grant, static_cast<int>(rng_.Between(7, 30)))) : "")
        .Text("IB" + std::to_string(f.filed.y) + Digits(6))
        .Text(fee_control)
        .Text(f.app_type)
        .Text(rng_.Chance(0.05) ? std::string(Pick(v::Sentences())) : "")
        .Text(rng_.Chance(0.2) ? "VSAT" : "")
        .Text(rng_.Chance(0.1) ? "HUB" : "")
        .Text(YesNoEmpty())
        .Text(rng_.Chance(0.02) ? DateOf(status) : "")
        .Text(rng_.Chance(0.02) ? "FEE" : "")
        .Text(rng_.Chance(0.02) ? "Fee not received." : "")
        .Text(lic.type_code)
        .Text(rng_.Chance(0.03) ? "Tribal government entity" : "")
        .Text(class_code)
        .Text(rng_.Chance(0.05) ? "Transportable earth station" : "")
        .Text(signer)
        .Text(Pick(v::Titles()))
        .Text(DateOf(AddDays(f.filed, -static_cast<int>(rng_.Between(0, 10)))))
        .Lines(description)
        .Num(lic.address_key)
        .Text(rng_.Chance(0.5) ? "Attn: " + PersonName() : "")
        .Text(lic.phone)
        .Text(lic.fax)
        .Text(lic.email)
        .Num(lic.contact_key)
        .Text(rng_.Chance(0.3) ? "Attn: " + lic.contact_name : "")
        .Text(rng_.Pick(kRelations))
        .Text(lic.contact_phone)
        .Text(rng_.Chance(0.5) ? Phone() : "")
        .Text(lic.contact_email)
        .Text(rng_.Chance(0.05) ? std::string(Pick(v::Purposes())) : "")
        .Text(YesNo(0.1))
        .Text(rng_.Chance(0.03) ? DateOf(status) : "")
        .Text("N")
        .Text(rng_.Chance(0.05) ? DateOf(f.filed) : "")
        .Text(f.state == "2" && rng_.Chance(0.3) ? DateOf(status) : "")
        .Text(rng_.Chance(0.1) ? "Q" : "")
        .Text("F" + Zeros(f.key, 10))
        .Text(DateOf(AddDays(f.filed, -static_cast<int>(rng_.Between(0, 30)))))
        .Text(Email(signer).substr(0, 30))
        .Num(rng_.Chance(0.2) ? rng_.Between(1, 99999) : 0)
        .Text(YesNo(0.05))
        .Text(rng_.Chance(0.03) ? "Governmental entity, exempt under the fee rules." : "")
        .Num(rng_.Chance(0.7) ? rng_.Between(100000, 99999999) : 0)
        .Text(rng_.Chance(0.1) ? "Awaiting coordination report." : "")
        .Text(rng_.Chance(0.2) ? "Y" : "")
        .Text(granted && rng_.Chance(0.3) ? DateOf(grant) : "")
        .Text(rng_.Chance(0.05) ? DateOf(grant) : "")
        .Text(rng_.Chance(0.05) ? "DA " + Zeros(f.filed.y % 100, 2) + "-" + Digits(4) : "")
        .End();
  }

  void WriteFilingExtras(const Filing& f, const Licensee& lic, const CallSign& cs) {
    static constexpr std::string_view kEarthServices[] = {"FSS", "FSS", "IFSS", "DFSS", "CC",
                                                          "DBS", "MSS", "IC", "IP", "DTH"};
    const auto natures = v::NaturesOfService();
    const int services = rng_.Count(1.3, 3);
    for (int i = 0; i < services; ++i) {
      const std::string_view code = f.kind == Kind::kEarth && i == 0
                                        ? rng_.Pick(kEarthServices)
                                        : Pick(natures).code;
      W(kNatServ).Num(f.key).Text(code).End();
    }
    W(kPurpose).Num(f.key).Text(Pick(v::Purposes())).End();
    if (f.showcase || rng_.Chance(0.3)) {
      const int n = static_cast<int>(rng_.Between(1, 3));
      for (int i = 0; i < n; ++i)
        W(kLicCond).Num(++lic_cond_key_).Num(f.key).Num(SomeCondition()).Text(std::to_string(i + 1)).End();
    }
    if (f.showcase || rng_.Chance(0.15)) {
      const std::string person = PersonName();
      W(kLicenseeHistory)
          .Num(f.key)
          .Num(lic.last_filing_key)
          .Num(lic.address_key)
          .Text("Attn: " + person + " ")
          .Text(Phone())
          .Text(rng_.Chance(0.5) ? Phone() : " ")
          .Text(Email(person))
          .Text(DateOf(f.filed))
          .End();
    }
    if (f.kind == Kind::kSpace || (f.kind == Kind::kEarth && (f.showcase || rng_.Chance(0.9))))
      WriteForm312(f, cs);
  }

  void WriteForm312(const Filing& f, const CallSign& cs) {
    static constexpr std::string_view kFacilities[] = {"TC", "RO", "TT", "TR", "HB"};
    static constexpr std::string_view kAdministrations[] = {"USA", "USA", "USA", "CAN", "LUX",
                                                           "G", "F", "MEX"};
    const auto sats = v::Satellites();
    const v::Satellite& sat = sats[static_cast<std::size_t>(rng_.Next() % sats.size())];
    const std::string hemi = sat.orbit < 0 ? "W" : "E";
    DataSetWriter& out = W(kForm312);
    out.Num(f.key)
        .Text(cs.last_file_number)
        .Text(cs.last_file_number.empty() ? "" : DateOf(AddDays(f.filed, -365)))
        .Text(DateOf(AddDays(f.filed, 365)))
        .Text(f.state == "1" && rng_.Chance(0.6) ? DateOf(AddDays(f.filed, 200)) : "")
        .Text("N").Text(YesNo(0.2)).Text(YesNo(0.9)).Text(YesNo(0.2))
        .Text(rng_.Pick(kFacilities))
        .Text(rng_.Chance(0.05) ? "" : YesNo(0.1));
    for (int i = 12; i <= 23; ++i) out.Text(YesNo(0.05));
    out.Text(rng_.Chance(0.05) ? "Private carrier services" : "")
        .Text(f.kind == Kind::kSpace || rng_.Chance(0.3) ? sat.name : "")
        .Text(f.kind == Kind::kSpace ? FixedText(std::fabs(sat.orbit), 1) + " " + hemi : "")
        .Text(YesNo(0.2))
        .Text(rng_.Pick(kAdministrations))
        // Fields the loader does not store.
        .Text(rng_.Chance(0.3) ? DateOf(AddDays(f.filed, 400)) : "")
        .Text("").Text("").Text(hemi).Text("").Text("").Text("N").Text("N")
        .End();
  }

  // ---- earth-station filings ----------------------------------------------

  Location NewLocation() {
    Location loc;
    loc.place = &Pick(v::Places());
    if (rng_.Chance(0.02)) {  // a mobile station: no coordinates
      loc.elevation = 0;
    } else {
      loc.lat = loc.place->lat + rng_.Real(-0.15, 0.15);
      loc.lon = loc.place->lon + rng_.Real(-0.15, 0.15);
      loc.elevation = std::max(loc.place->elevation + rng_.Real(-20.0, 60.0), -85.0);
    }
    loc.street1 = Street();
    loc.street2 = rng_.Chance(0.15) ? Suite() : "";
    loc.zip = Zip(*loc.place);
    const double r = rng_.Unit();
    loc.nad = r < 0.8 ? 83 : r < 0.95 ? 27 : 0;
    return loc;
  }

  const Location& LocationOf(CallSign& cs, int site) {
    while (static_cast<int>(cs.locations.size()) <= site) cs.locations.push_back(NewLocation());
    return cs.locations[static_cast<std::size_t>(site)];
  }

  // Degrees, minutes and seconds (one decimal, never rounded up to 60.0).
  struct Dms {
    int deg, min;
    double sec;
  };
  static Dms ToDms(double value) {
    const double a = std::fabs(value);
    Dms d;
    d.deg = static_cast<int>(a);
    const double minutes = (a - d.deg) * 60.0;
    d.min = static_cast<int>(minutes);
    d.sec = std::floor((minutes - d.min) * 600.0) / 10.0;
    return d;
  }

  std::int64_t WriteSite(const Filing& f, const Location& loc, int number) {
    static constexpr std::string_view kIds[] = {"SITE ", "Hub ", "Teleport ", "", "ES-"};
    const std::int64_t key = site_key_ += rng_.Between(1, 3);
    const bool coords = loc.lat != 0 || loc.lon != 0;
    const Dms lat = ToDms(loc.lat), lon = ToDms(loc.lon);
    const bool vsat = rng_.Chance(0.05);
    const std::vector<std::string> description =
        rng_.Chance(0.6) ? Paragraph(v::Sentences(), 1, 3, f.showcase ? 1.0 : 0.04)
                         : std::vector<std::string>{""};
    DataSetWriter& out = W(kSite);
    out.Num(key)
        .Num(f.key)
        .Text(std::string(rng_.Pick(kIds)) + std::to_string(number))
        .Lines(description)
        .Text(rng_.Chance(0.7) ? PersonName() : "")
        .Text(loc.street1)
        .Text(loc.street2)
        .Text(loc.place->city)
        .Text(loc.place->county)
        .Text(loc.place->state)
        .Text(loc.zip)
        .Text(rng_.Chance(0.8) ? Phone() : "")
        .Fixed(loc.elevation, 1);
    if (coords) {
      out.Num(lat.deg).Num(lat.min).Fixed(lat.sec, 1).Text(loc.lat >= 0 ? "N" : "S");
      out.Num(lon.deg).Num(lon.min).Fixed(lon.sec, 1).Text(loc.lon < 0 ? "W" : "E");
    } else {
      out.Text("0").Text("0").Text("0").Text("N").Text("0").Text("0").Text("0").Text("W");
    }
    out.Text(loc.nad == 0 ? "" : std::to_string(loc.nad))
        .Text(vsat ? std::to_string(rng_.Between(10, 3000)) : "")
        .Text(vsat ? DateOf(AddDays(f.filed, 300)) : "")
        .Text(YesNoEmpty()).Text(YesNoEmpty()).Text(YesNoEmpty())
        .Text(YesNoEmpty()).Text(YesNoEmpty()).Text(YesNoEmpty())
        // Fields the loader does not store.
        .Text("").Text("N").Text(YesNoEmpty())
        .End();
    return key;
  }

  void WriteEarthStation(const Filing& f, CallSign& cs) {
    const bool converted = f.state == "0" || f.state == "1";
    if (f.showcase || rng_.Chance(0.08)) WriteEarthStationSta(f, cs);
    const int sites = rng_.Count(o_.sites_per_filing, 12);
    for (int s = 0; s < sites; ++s) {
      const Location& loc = LocationOf(cs, s);
      const std::int64_t site = WriteSite(f, loc, s + 1);
      const int points = static_cast<int>(rng_.Between(1, 3));
      for (int p = 0; p < points; ++p)
        W(kPtComm).Num(ptcomm_key_ += 1).Num(site).Num(SpaceStationKey(static_cast<int>(rng_.Between(0, space_stations_ - 1)))).End();
      if (f.showcase || rng_.Chance(0.2)) {
        const int n = rng_.Count(1.3, 2);
        for (int i = 0; i < n; ++i)
          W(kSiteCond).Num(++site_cond_key_).Num(SomeCondition()).Num(site).Text("").End();
      }
      const int antennas = rng_.Count(o_.antennas_per_site, 10);
      for (int a = 0; a < antennas; ++a) {
        const std::int64_t frequencies = WriteAntenna(f, site, loc, a + 1);
        if (converted) conversion_rows_ += frequencies;
      }
    }
  }

  void WriteEarthStationSta(const Filing& f, CallSign& cs) {
    static constexpr std::string_view kTypes[] = {"TEMP", "DEMO", "EMERG", "TEST"};
    const Location& loc = LocationOf(cs, 0);
    const Dms lat = ToDms(loc.lat), lon = ToDms(loc.lon);
    W(kEarthSta)
        .Num(f.key)
        .Text(rng_.Pick(kTypes))
        .Text(DateOf(AddDays(f.filed, 14)))
        .Text(std::string(loc.place->city) + ", " + std::string(loc.place->state))
        .Text(loc.place->state)
        .Num(lat.deg).Num(lat.min).Fixed(lat.sec, 1).Text(loc.lat >= 0 ? "N" : "S")
        .Num(lon.deg).Num(lon.min).Fixed(lon.sec, 1).Text(loc.lon < 0 ? "W" : "E")
        .End();
  }

  // Writes one antenna with its gains, azimuth, coordination, conditions
  // and frequencies; returns the number of frequencies.
  std::int64_t WriteAntenna(const Filing& f, std::int64_t site, const Location& loc, int number) {
    const v::Antenna& ant = Pick(v::Antennas());
    const std::int64_t key = antenna_key_ += rng_.Between(1, 2);
    const bool elliptic = rng_.Chance(0.05);
    const bool receive_only = rng_.Chance(0.15);
    const double agl = ant.diameter / 2 + rng_.Real(1.0, 25.0);
    const auto bands = v::Bands();
    const v::Band& band = rng_.Chance(0.6) ? bands[0] : Pick(bands);
    const bool vsat_net = ant.diameter <= 1.8 && rng_.Chance(0.3);
    W(kAnten)
        .Num(key)
        .Text(rng_.Chance(0.7) ? std::to_string(number) : "ANT-" + std::to_string(number))
        .Num(site)
        .Fixed(ant.diameter, 1)
        .Fixed(elliptic ? ant.diameter * 0.8 : 0.0, 1)
        .Fixed(elliptic ? ant.diameter * 1.2 : 0.0, 1)
        .Fixed(rng_.Chance(0.3) ? rng_.Real(3.0, 30.0) : 0.0, 1)
        .Fixed(agl, 1)
        .Fixed(loc.elevation + agl, 1)
        .Fixed(rng_.Chance(0.2) ? rng_.Real(1.0, 10.0) : 0.0, 1)
        .Text(ant.make)
        .Text(receive_only ? "" : std::to_string(rng_.Between(1, 30) * 100))
        .Fixed(receive_only ? 0.0 : rng_.Real(50.0, 88.0), 1)
        .Text(ant.model)
        .Num(vsat_net ? rng_.Between(50, 5000) : 1)
        .Text(rng_.Chance(0.2) ? std::to_string(rng_.Between(1000000, 1299999)) : rng_.Chance(0.1) ? "N/A" : "")
        .Text(YesNoEmpty())
        .End();

    W(kAzimuth).Num(azimuth_key_ += 1).Num(key).Fixed(rng_.Real(90.0, 270.0), 2).End();
    const bool both = !receive_only && rng_.Chance(0.7);
    if (both || !receive_only)
      W(kAntGain).Num(++gain_key_).Num(key).Fixed(rng_.Real(35.0, 66.0), 1)
          .Fixed((band.up_lo + band.up_hi) / 2, 1).Text("T").End();
    if (both || receive_only)
      W(kAntGain).Num(++gain_key_).Num(key).Fixed(rng_.Real(30.0, 62.0), 1)
          .Fixed((band.down_lo + band.down_hi) / 2, 1).Text("R").End();
    if (f.showcase || rng_.Chance(0.6)) {
      const int n = rng_.Count(1.5, 2);
      for (int i = 0; i < n; ++i) WriteFreqCoord(key, band, i == 0 && !receive_only);
    }
    if (f.showcase || rng_.Chance(0.1))
      W(kAntCond).Num(++ant_cond_key_).Num(key).Num(SomeCondition()).Text("").End();

    const int frequencies = rng_.Count(o_.frequencies_per_antenna, 16);
    for (int i = 0; i < frequencies; ++i) {
      const bool transmit = !receive_only && i % 2 == 0;
      const std::int64_t frequency = WriteFrequency(key, band, transmit);
      if (f.showcase || rng_.Chance(0.05))
        W(kFreqCond).Num(++freq_cond_key_).Num(frequency).Num(SomeCondition()).Text("").End();
    }
    return frequencies;
  }

  // A carrier inside [lo, hi]: now and then the whole band.
  std::pair<double, double> Carrier(double lo, double hi) {
    static constexpr double kWidths[] = {0.5, 2.0, 9.0, 36.0, 54.0, 72.0};
    if (rng_.Chance(0.25)) return {lo, hi};
    const double width = std::min(rng_.Pick(kWidths), hi - lo);
    const double start = lo + std::floor(rng_.Real(0.0, hi - lo - width) * 100.0) / 100.0;
    return {start, start + width};
  }

  std::int64_t WriteFrequency(std::int64_t antenna, const v::Band& band, bool transmit) {
    static constexpr std::string_view kModulations[] = {"QPSK", "8PSK", "16APSK", "FM", "BPSK",
                                                        "", "", "DVB-S2"};
    static constexpr std::string_view kPolar[] = {"H", "V", "L", "R", "X"};
    const std::int64_t key = frequency_key_ += rng_.Between(1, 2);
    const auto [lo, hi] =
        transmit ? Carrier(band.up_lo, band.up_hi) : Carrier(band.down_lo, band.down_hi);
    std::string mode = transmit ? "T" : "R";
    const double odd = rng_.Unit();
    if (odd < 0.03) mode = "";
    else if (odd < 0.04) mode = transmit ? "t" : "r";
    W(kFreq)
        .Num(key)
        .Num(antenna)
        .Text(rng_.Pick(kPolar))
        .Text(transmit ? FixedText(rng_.Real(40.0, 85.0), 1) : "")
        .Text(transmit ? FixedText(rng_.Real(-20.0, 45.0), 2) : "")
        .Text(Pick(v::Emissions()))
        .Fixed(lo, 4)
        .Fixed(hi, 4)
        .Text(mode)
        .Text(rng_.Pick(kModulations))
        // Fields the loader does not store.
        .Fixed(lo, 3).Fixed(hi, 3).Text("M")
        .End();
    return key;
  }

  void WriteFreqCoord(std::int64_t antenna, const v::Band& band, bool transmit) {
    const double east = rng_.Real(80.0, 180.0);
    W(kFreqCoord)
        .Num(coord_key_ += 1)
        .Num(antenna)
        .Fixed(east, 1)
        .Fixed(east + rng_.Real(40.0, 140.0), 1)
        .Fixed(rng_.Real(5.0, 45.0), 1)
        .Fixed(rng_.Real(5.0, 45.0), 1)
        .Fixed(transmit ? band.up_lo : band.down_lo, 1)
        .Fixed(transmit ? band.up_hi : band.down_hi, 1)
        .Text(transmit ? FixedText(rng_.Real(-40.0, 10.0), 1) : "")
        .Fixed(rng_.Real(50.0, 80.0), 1)
        .Fixed(rng_.Real(120.0, 140.0), 1)
        .Text("W")
        .Text("W")
        .Text("G")
        .Text("")
        .End();
  }

  // ---- fixed and space filings --------------------------------------------

  void WriteFixed(const Filing& f, CallSign& cs) {
    WriteFx(f, cs);
    const int sites = rng_.Count(o_.sites_per_filing, 12);
    for (int s = 0; s < sites; ++s) {
      const Location& loc = LocationOf(cs, s);
      const std::int64_t site = WriteSite(f, loc, s + 1);
      const int antennas = static_cast<int>(rng_.Between(1, 3));
      for (int a = 0; a < antennas; ++a) WriteAntennaFx(f, site, loc, a + 1);
      const int frequencies = static_cast<int>(rng_.Between(1, 4));
      for (int i = 0; i < frequencies; ++i) WriteFrequencyFx(site);
      const int transmitters = static_cast<int>(rng_.Between(1, 2));
      for (int t = 0; t < transmitters; ++t) WriteTransmitter(f, site);
      if (f.showcase || rng_.Chance(0.5)) {
        const int n = static_cast<int>(rng_.Between(1, 2));
        for (int p = 0; p < n; ++p) {
          const v::Place& far = Pick(v::Places());
          W(kPtCommFx)
              .Num(ptcomm_key_ += 1)
              .Num(site)
              .Text(" " + std::string(far.city) + ", " + std::string(far.state) + " ")
              .Num(rng_.Between(5, 120))
              .End();
        }
      }
    }
  }

  void WriteFx(const Filing& f, const CallSign& cs) {
    static constexpr std::string_view kIrac[] = {"APPROVED", "PENDING", "", "NOTREQ"};
    static constexpr std::string_view kTower[] = {"CLEARED", "NOTREQ", "", "PENDING"};
    static constexpr std::string_view kStates[] = {"DE", "NY", "VA", "CA", "TX", ""};
    DataSetWriter& out = W(kFx);
    out.Num(f.key)
        .Text(cs.last_file_number)
        .Text(cs.last_file_number.empty() ? "" : DateOf(AddDays(f.filed, -200)))
        .Text(rng_.Pick(kIrac))
        .Text(rng_.Pick(kTower))
        .Text(rng_.Chance(0.5) ? DateOf(AddDays(f.filed, 540)) : "");
    for (int i = 7; i <= 11; ++i) out.Text(YesNo(0.8));
    out.Text(rng_.Pick(kStates));
    for (int i = 13; i <= 18; ++i) out.Text(YesNo(0.05));
    const bool association = rng_.Chance(0.1);
    out.Num(association ? rng_.Between(10, 5000) : 0)
        .Num(association ? rng_.Between(0, 50) : 0)
        .Text(rng_.Chance(0.7) ? "Electric utility operating a private microwave network." : "");
    for (int i = 22; i <= 29; ++i) out.Text(YesNo(0.05));
    out.End();
  }

  void WriteAntennaFx(const Filing& f, std::int64_t site, const Location& loc, int number) {
    const v::Antenna& ant = Pick(v::MicrowaveAntennas());
    const std::int64_t key = antenna_key_ += rng_.Between(1, 2);
    const double freq = rng_.Chance(0.5) ? 6175.0 : 11200.0;
    const double agl = rng_.Real(10.0, 90.0);
    const std::vector<std::string> operation =
        rng_.Chance(0.5) ? Paragraph(v::Sentences(), 1, 3, f.showcase ? 1.0 : 0.05)
                         : std::vector<std::string>{""};
    DataSetWriter& out = W(kAntFx);
    out.Num(key)
        .Num(site)
        .Text(" " + std::to_string(number) + " ")
        .Fixed(rng_.Real(30.0, 45.0), 1)
        .Fixed(rng_.Real(30.0, 45.0), 1)
        .Fixed(freq, 1)
        .Fixed(freq + 252.0, 1)
        .Text(rng_.Chance(0.5) ? "V" : "H")
        .Fixed(freq - 250.0, 4)
        .Fixed(freq + 250.0, 4)
        .Fixed(std::max(loc.elevation, 0.0) + agl, 1)
        .Fixed(agl, 1)
        .Fixed(rng_.Real(0.0, 5.0), 1)
        .Text(ant.make)
        .Text(ant.model)
        .Num(1)
        .Text(rng_.Chance(0.4) ? std::to_string(rng_.Between(1000000, 1299999)) : "")
        .Fixed(rng_.Real(0.8, 3.5), 1)
        .Text(YesNo(0.05))
        .Fixed(rng_.Real(0.0, 3.0), 1)
        .Text(YesNo(0.05))
        .Fixed(rng_.Real(-3.0, 3.0), 1)
        .Text(rng_.Chance(0.5) ? "Point to point, see path data" : "")
        .Num(rng_.Between(1, 15))
        .Text(rng_.Chance(0.5) ? "A" : "B")
        .Text(YesNo(0.3))
        .Lines(operation)
        .Text(YesNoEmpty());
    if (rng_.Chance(0.01)) out.Text("extra").Text("fields");  // more than the loader reads
    out.End();
  }

  void WriteFrequencyFx(std::int64_t site) {
    static constexpr double kCentres[] = {5945.2, 6004.5, 6152.5, 6226.9, 10995.0, 11405.0};
    const double centre = rng_.Pick(kCentres);
    const double width = rng_.Chance(0.5) ? 10.0 : 30.0;
    W(kFreqFx)
        .Num(frequency_key_ += rng_.Between(1, 2))
        .Text(" " + std::to_string(site) + " ")
        .Text(rng_.Chance(0.5) ? "V" : "H")
        .Fixed(rng_.Real(-30.0, 60.0), 1)
        .Text(Pick(v::Emissions()))
        .Fixed(centre - width / 2, 4)
        .Fixed(centre + width / 2, 4)
        .Text(rng_.Chance(0.5) ? "T" : "R")
        .End();
  }

  void WriteTransmitter(const Filing& f, std::int64_t site) {
    static constexpr std::string_view kMakes[] = {"Harris", "Alcatel-Lucent", "Aviat Networks",
                                                  "NEC", "Ericsson", "Motorola"};
    static constexpr std::string_view kModels[] = {"MDR-8000", "Eclipse", "TRuepoint", "iPasolink",
                                                   "MINI-LINK", "PTP 600"};
    DataSetWriter& out = W(kTransmitter);
    out.Num(transmitter_key_ += 1).Num(site).Text(rng_.Chance(0.5) ? "Digital microwave radio" : "");
    if (!f.showcase && rng_.Chance(0.05)) {  // only the first three fields
      out.End();
      return;
    }
    out.Num(rng_.Between(1, 4))
        .Text(rng_.Pick(kMakes))
        .Text(rng_.Pick(kModels))
        .Text("SN" + Digits(static_cast<int>(rng_.Between(6, 12))))
        .Text(Pick(v::Emissions()))
        .Num(rng_.Between(1, 2000))
        .Fixed(rng_.Real(0.001, 5.0), 3)
        .End();
  }

  void WriteSpace(const Filing& f) {
    const auto bands = v::Bands();
    const int n = static_cast<int>(rng_.Between(2, 8));
    for (int i = 0; i < n; ++i) {
      const v::Band& band = bands[static_cast<std::size_t>(i / 2) % bands.size()];
      const bool up = i % 2 == 0;
      W(kFrequencySat)
          .Num(frequency_key_ += rng_.Between(1, 2))
          .Num(f.key)
          .Fixed(up ? band.up_lo : band.down_lo, 4)
          .Fixed(up ? band.up_hi : band.down_hi, 4)
          .Text(up ? "T" : "R")
          .End();
    }
    if (f.showcase || rng_.Chance(0.3)) {
      const v::Satellite& sat = Pick(v::Satellites());
      W(kSpaceStaSta)
          .Num(f.key)
          .Text(rng_.Chance(0.5) ? "TEMP" : "DRIFT")
          .Text(DateOf(AddDays(f.filed, 30)))
          .Text(FixedText(std::fabs(sat.orbit), 1) + (sat.orbit < 0 ? " W" : " E"))
          .End();
    }
  }

  const std::vector<DataSetLayout>& layouts_;
  const GeneratorOptions o_;
  Prng rng_;
  std::vector<std::unique_ptr<DataSetWriter>> out_;
  std::vector<std::int64_t> bad_counts_;
  int space_stations_ = 0;
  int conditions_ = 0;
  std::array<bool, 3> shown_{};
  std::int64_t filings_ = 0;
  std::int64_t conversion_rows_ = 0;
  std::int64_t call_signs_ = 0;
  std::int64_t earth_call_signs_ = 0, fixed_call_signs_ = 0, space_call_signs_ = 0;
  // Keys: each kind of record numbers on from its own start, with gaps.
  std::int64_t filing_key_ = 1'000'000;
  std::int64_t address_key_ = 10'000;
  std::int64_t contact_key_ = 20'000;
  std::int64_t site_key_ = 2'000'000;
  std::int64_t antenna_key_ = 3'000'000;
  std::int64_t frequency_key_ = 4'000'000;
  std::int64_t gain_key_ = 5'000'000;
  std::int64_t azimuth_key_ = 6'000'000;
  std::int64_t coord_key_ = 7'000'000;
  std::int64_t ptcomm_key_ = 8'000'000;
  std::int64_t transmitter_key_ = 9'000'000;
  std::int64_t lic_cond_key_ = 100'000;
  std::int64_t site_cond_key_ = 200'000;
  std::int64_t ant_cond_key_ = 300'000;
  std::int64_t freq_cond_key_ = 400'000;
};

}  // namespace

ExportSummary GenerateExport(const std::filesystem::path& dir, const GeneratorOptions& options) {
  return Generator(dir, options).Run();
}

}  // namespace morvane::bench
