#include "bench/lib/data_set_layouts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <stdexcept>

namespace morvane::bench {
namespace {

// One row of the table below. The pieces are written as words, one per
// piece in record order:
//   -        not stored           *        stored whatever it holds
//   L I S    Long, Integer, Single
//   Tn       text of at most n characters once trimmed
//   An       text of at most n characters as it stands
//   D        date
//   Rlo:hi   number from lo to hi (the limits its number mask fits in)
//   Wlo:hi   whole number from lo to hi
struct Row {
  const char* file;
  Splitting splitting;
  LineEnd line_end;
  const char* pieces;
};

constexpr Splitting kBars = Splitting::kBars;
constexpr Splitting kSub = Splitting::kSubFields;
constexpr LineEnd kCrLf = LineEnd::kCrLf;
constexpr LineEnd kLf = LineEnd::kLf;

// "0000.0" fits up to 9999.9; "000.0" of a negative value down to -999.9;
// "00000000.00000000" up to 99999999. Limits of 1e9 stand for "capped by the
// loader" or "any value the export holds".
constexpr Row kRows[] = {
    {"address.dat", kBars, kCrLf, "L T12 T80 T80 T80 T80 T40 * T10 * T12 T12 * -"},
    {"ant_cond.dat", kBars, kLf, "L L L -"},
    {"ant_fx.dat", kSub, kCrLf,
     "L L T10 R0:9999.9 R0:9999.9 T17 T17 T3 T17 T17 R0:9999.9 R0:9999.9 R0:9999.9 T40 T20 "
     "W0:999999 T10 R0:9999.9 T1 R0:9999.9 T1 R-9999.9:9999.9 T80 W0:99 T2 T1 * T1"},
    {"ant_gain.dat", kBars, kLf, "L L * R-9999999:99999999 T1"},
    {"ant_type_code.dat", kBars, kCrLf, "W0:99 * D"},
    {"anten.dat", kBars, kLf,
     "L T10 L R0:9999.9 R0:9999.9 R0:9999.9 R0:9999.9 R-1e9:1e9 R-999.9:1e9 R-9999.9:1e9 T40 "
     "R-999.9:1e9 R-999.9:1e9 T20 W0:999999999 T10 T1"},
    {"azimuth.dat", kBars, kCrLf, "L L S"},
    {"class.dat", kBars, kLf, "A4 A50 D"},
    {"Cond.dat", kBars, kCrLf, "L T3 * * -"},
    {"contact.dat", kBars, kLf, "L T12 T80 T40 T80 T80 T80 T40 * T10 * *"},
    {"earth_sta.dat", kBars, kCrLf, "L T5 D * T2 I I S T1 I I S T1"},
    {"form_312.dat", kBars, kLf,
     "L A19 D D D A1 A1 A1 A1 A2 A1 A1 A1 A1 A1 A1 A1 A1 A1 A1 A1 A1 A1 * A20 A10 A1 * "
     "- - - - - - - -"},
    {"freq.dat", kBars, kCrLf,
     "L L T3 R-1e9:9999.9 R-1e9:9999.9 T9 R0:99999999 R0:99999999 T1 * - - -"},
    {"freq_cond.dat", kBars, kLf, "L L L -"},
    {"freq_coord.dat", kBars, kCrLf,
     "L L R-999.9:9999.9 R-999.9:9999.9 R-999.9:9999.9 R-999.9:9999.9 R0:99999999 R0:99999999 "
     "* R0:9999.9 R0:9999.9 T1 T1 T1 -"},
    {"freq_fx.dat", kBars, kLf, "L L T3 R-999.9:9999.9 T9 R0:99999999 R0:99999999 T1"},
    {"fx.dat", kBars, kCrLf,
     "L A19 D A10 A10 D A1 A1 A1 A1 A1 A2 A1 A1 A1 A1 A1 A1 L I * A1 A1 A1 A1 A1 A1 A1 A1"},
    {"licensee_history.dat", kBars, kLf, "L L L T80 T25 T25 T40 -"},
    {"lic_cond.dat", kBars, kCrLf, "L L L -"},
    {"main.dat", kBars, kCrLf,
     "L T1 T10 T19 T3 T5 D T3 D T6 D D D D D D D D D T1 D T1 D T12 * T3 * T6 T6 T1 D T4 * T3 * "
     "T3 * * * D * L * T25 T25 * L * T20 T25 T25 * * T1 D T1 D D T1 T12 D T30 L T1 * L * T1 D D "
     "T12"},
    {"nat_serv.dat", kBars, kLf, "L A4"},
    {"nat_serv_code.dat", kBars, kCrLf, "A4 A50 D"},
    {"polar.dat", kBars, kLf, "A3 A28 D"},
    {"ptcomm.dat", kBars, kCrLf, "L L L"},
    {"ptcomm_fx.dat", kBars, kLf, "L L * L"},
    {"purpose.dat", kBars, kCrLf, "L *"},
    {"site.dat", kBars, kLf,
     "L L T20 * T40 T40 T40 T20 T22 T2 T10 T25 R-999.9:1e9 R0:90 R0:59.99 R0:99.9 * R0:180 "
     "R0:99.4 R0:99.9 * W0:99 W0:999999 D T1 T1 T1 T1 T1 T1 - - -"},
    {"site_cond.dat", kBars, kCrLf, "L L L -"},
    {"space_sta.dat", kBars, kLf, "L T20 T20 T10 * D T1"},
    {"space_sta_sta.dat", kBars, kCrLf, "L T5 D *"},
    {"status_code.dat", kBars, kLf, "T5 * T1 D"},
    {"transmitter.dat", kSub, kCrLf, "L L * W0:999999 T40 T10 T15 T20 W0:999999 R0:9999.9"},
    {"FREQUENCY_BAND.dat", kBars, kLf, "L T17 T17 T40 T17 T17 T17 T17 T25"},
    {"INTL_ALOC_FREQUENCY.dat", kBars, kCrLf, "L T17 T17 -"},
    {"FREQUENCY_SAT.dat", kBars, kLf, "L L T17 T17 T1"},
};

double ParseDouble(std::string_view s) {
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size())
    throw std::logic_error("bad number in a data set layout: " + std::string(s));
  return v;
}

PieceCheck ParseWord(std::string_view word) {
  PieceCheck c;
  const std::string_view rest = word.substr(1);
  switch (word[0]) {
    case '-': c.check = Check::kUnused; break;
    case '*': c.check = Check::kAny; break;
    case 'L': c.check = Check::kLong; break;
    case 'I': c.check = Check::kInteger; break;
    case 'S': c.check = Check::kSingle; break;
    case 'D': c.check = Check::kDate; break;
    case 'T':
    case 'A':
      c.check = word[0] == 'T' ? Check::kText : Check::kAsIs;
      c.size = static_cast<int>(ParseDouble(rest));
      break;
    case 'R':
    case 'W': {
      c.check = word[0] == 'R' ? Check::kRange : Check::kWhole;
      const std::size_t colon = rest.find(':');
      c.lo = ParseDouble(rest.substr(0, colon));
      c.hi = ParseDouble(rest.substr(colon + 1));
      break;
    }
    default:
      throw std::logic_error("bad word in a data set layout: " + std::string(word));
  }
  return c;
}

std::vector<DataSetLayout> BuildLayouts() {
  std::vector<DataSetLayout> layouts;
  for (const Row& row : kRows) {
    DataSetLayout layout;
    layout.file = row.file;
    layout.splitting = row.splitting;
    layout.line_end = row.line_end;
    std::string_view words = row.pieces;
    while (!words.empty()) {
      const std::size_t blank = words.find(' ');
      layout.checks.push_back(ParseWord(words.substr(0, blank)));
      words = blank == std::string_view::npos ? std::string_view() : words.substr(blank + 1);
    }
    layout.pieces = static_cast<int>(layout.checks.size());
    layouts.push_back(std::move(layout));
  }
  return layouts;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The value of a number piece: empty is 0; anything else must be a plain
// number (the generator writes nothing else, so anything else is a fault).
std::optional<double> NumberOf(std::string_view piece) {
  piece = TrimBlanks(piece);
  if (piece.empty()) return 0.0;
  if (piece.front() == '+') piece.remove_prefix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(piece.data(), piece.data() + piece.size(), v);
  if (ec != std::errc() || end != piece.data() + piece.size()) return std::nullopt;
  return v;
}

std::optional<double> WholeNumberOf(std::string_view piece) {
  const std::optional<double> v = NumberOf(piece);
  if (!v || *v != static_cast<double>(static_cast<std::int64_t>(*v))) return std::nullopt;
  return v;
}

bool IsDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsDate(std::string_view piece) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::string_view d = TrimBlanks(piece);
  if (d.empty()) return true;
  if (d.size() < 11 || d[3] != ' ' || d[6] != ' ') return false;
  if (std::find(kMonths.begin(), kMonths.end(), d.substr(0, 3)) == kMonths.end()) return false;
  const std::string_view day = TrimBlanks(d.substr(4, 2));
  if (!IsDigits(day)) return false;
  const int day_number = (day.size() == 2 ? (day[0] - '0') * 10 : 0) + (day.back() - '0');
  return day_number >= 1 && day_number <= 31 && IsDigits(d.substr(7, 4));
}

std::optional<std::string> CheckPiece(const PieceCheck& c, std::string_view piece) {
  auto out_of = [](const char* what) { return std::optional<std::string>(what); };
  switch (c.check) {
    case Check::kUnused:
    case Check::kAny:
      return std::nullopt;
    case Check::kLong:
    case Check::kInteger: {
      const double limit = c.check == Check::kLong ? 2147483647.0 : 32767.0;
      const std::optional<double> v = WholeNumberOf(piece);
      if (!v || *v > limit || *v < -limit - 1) return out_of("not a whole number in range");
      return std::nullopt;
    }
    case Check::kSingle:
      if (!NumberOf(piece)) return out_of("not a number");
      return std::nullopt;
    case Check::kText:
      if (static_cast<int>(TrimBlanks(piece).size()) > c.size) return out_of("text too long");
      return std::nullopt;
    case Check::kAsIs:
      if (static_cast<int>(piece.size()) > c.size) return out_of("text too long");
      return std::nullopt;
    case Check::kDate:
      if (!IsDate(piece)) return out_of("not a date");
      return std::nullopt;
    case Check::kRange:
    case Check::kWhole: {
      const std::optional<double> v =
          c.check == Check::kRange ? NumberOf(piece) : WholeNumberOf(piece);
      if (!v || *v < c.lo || *v > c.hi) return out_of("number out of range");
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace

int DataSetLayout::PiecesNeeded() const {
  if (splitting == Splitting::kSubFields) return 1;
  int needed = 0;
  for (int i = 0; i < pieces; ++i)
    if (checks[i].check != Check::kUnused) needed = i + 1;
  return needed;
}

const std::vector<DataSetLayout>& DataSetLayouts() {
  static const std::vector<DataSetLayout> layouts = BuildLayouts();
  return layouts;
}

std::vector<std::string_view> SplitRecord(const DataSetLayout& layout, std::string_view record) {
  const bool cut = layout.splitting == Splitting::kBars;
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (!cut || static_cast<int>(pieces.size()) + 1 < layout.pieces) {
    const std::size_t bar = record.find('|', start);
    if (bar == std::string_view::npos) break;
    pieces.push_back(record.substr(start, bar - start));
    start = bar + 1;
  }
  pieces.push_back(record.substr(start));
  return pieces;
}

std::optional<std::string> CheckRecord(const DataSetLayout& layout, std::string_view record) {
  const std::vector<std::string_view> pieces = SplitRecord(layout, record);
  const int count = static_cast<int>(pieces.size());
  if (count < layout.PiecesNeeded())
    return "too few fields: " + std::to_string(count) + " of " +
           std::to_string(layout.PiecesNeeded());
  const int checked = std::min(count, layout.pieces);
  for (int i = 0; i < checked; ++i) {
    // The sub-field scanner trims every field before it is converted.
    const std::string_view piece =
        layout.splitting == Splitting::kSubFields ? TrimBlanks(pieces[i]) : pieces[i];
    if (auto reason = CheckPiece(layout.checks[i], piece))
      return "piece " + std::to_string(i + 1) + ": " + *reason;
  }
  return std::nullopt;
}

}  // namespace morvane::bench
