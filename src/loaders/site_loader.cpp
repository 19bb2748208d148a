// site.dat: one record per earth-station site of a filing, into DalkSite.
//
// Besides the plain fields, the loader turns the elevation into a fixed
// six-character text and each coordinate (degrees, minutes, seconds,
// hemisphere: four pieces each) into a degree-minute-second text and a
// signed total-seconds text, and warns about degrees and latitude minutes
// out of range. A warned record is still stored as it stands.
#include <algorithm>
#include <cmath>

#include "loaders/data_sets.h"
#include "loaders/field_conversions.h"
#include "loaders/site_positions.h"
#include "platform/text/text.h"
#include "run/run_context.h"

namespace morvane::loaders {
namespace {

constexpr double kHighestElevation = 9999.9;

bool BeginsWith(std::string_view hemisphere, char upper) {
  return !hemisphere.empty() &&
         (hemisphere.front() == upper || hemisphere.front() == upper - 'A' + 'a');
}

CoordinateTexts Texts(char letter, bool positive, double degrees, double minutes, double seconds) {
  CoordinateTexts texts;
  texts.dms = std::string(1, letter) + text::Format(degrees, "000") + text::Format(minutes, "00") +
              text::Format(seconds, "00.0");
  const double total = degrees * 3600 + minutes * 60 + seconds;
  texts.seconds = text::Format(total, positive ? "00000000.0" : "-0000000.0");
  return texts;
}

// Pieces 14 to 17 (latitude) and 18 to 21 (longitude).
constexpr int kLatitude = 14;
constexpr int kLongitude = 18;

double ValueOfTrimmed(const Record& record, int piece) {
  return NumberValue(text::Trim(record.Piece(piece)));
}

CoordinateTexts Latitude(const Record& r) {
  return LatitudeTexts(ValueOfTrimmed(r, kLatitude), ValueOfTrimmed(r, kLatitude + 1),
                       ValueOfTrimmed(r, kLatitude + 2), text::Trim(r.Piece(kLatitude + 3)));
}

CoordinateTexts Longitude(const Record& r) {
  return LongitudeTexts(ValueOfTrimmed(r, kLongitude), ValueOfTrimmed(r, kLongitude + 1),
                        ValueOfTrimmed(r, kLongitude + 2), text::Trim(r.Piece(kLongitude + 3)));
}

// Shows the warning about one piece out of range and goes on. The texts
// are the record's own, untrimmed, so the user finds the record as written.
void Warn(const Record& record, RunActions& actions, int piece, std::string_view label) {
  ui::Message message;
  message.title = "Site Table";
  message.text = "Site Key: " + std::string(record.Piece(1)) + "\r\n" + std::string(label) +
                 "\r\n" + std::string(record.Piece(piece));
  message.buttons = ui::Buttons::kOk;
  actions.Add([message = std::move(message)](engine::RunContext& run) {
    run.ShowMessage(message);
    run.Yield();
  });
}

bool Outside(const Record& record, int piece, double limit, bool limit_allowed) {
  const double v = std::fabs(NumberValue(record.Piece(piece)));
  return limit_allowed ? v > limit : v >= limit;
}

FieldValue Elevation(const Record& r, RunActions&) {
  return db::Value(ElevationText(ValueOfTrimmed(r, 13)));
}

// The warnings come where the fields they concern are assigned: the
// latitude checks before the latitude texts, the longitude check before the
// longitude texts, so a record refused earlier raises none.
FieldValue LatitudeDms(const Record& r, RunActions& actions) {
  if (Outside(r, kLatitude, 90, true)) Warn(r, actions, kLatitude, "Lat Deg: ");
  if (Outside(r, kLatitude + 1, 60, false)) Warn(r, actions, kLatitude + 1, "Lat Min: ");
  return db::Value(Latitude(r).dms);
}

FieldValue LatitudeSeconds(const Record& r, RunActions&) {
  return db::Value(Latitude(r).seconds);
}

FieldValue LongitudeDms(const Record& r, RunActions& actions) {
  if (Outside(r, kLongitude, 180, true)) Warn(r, actions, kLongitude, "Lon Deg: ");
  return db::Value(Longitude(r).dms);
}

FieldValue LongitudeSeconds(const Record& r, RunActions&) {
  return db::Value(Longitude(r).seconds);
}

LoaderDef Build() {
  LoaderDef d;
  d.procedure = "PopulateSiteTable";
  d.file = "site.dat";
  d.table = "DalkSite";
  d.opening_status = "Populating 'Site' table with  < ";
  d.action_text = "Populate Site Table!";
  d.pieces = 33;  // pieces 31 to 33 are not stored
  d.fields = {
      Number(1, "SiteKey"),
      Number(2, "FilingKey"),
      Trimmed(3, "SiteId"),
      MemoOfTrimmed(4, "SiteDescription"),
      Trimmed(5, "ContactPerson"),
      Trimmed(6, "SiteStreet1"),
      Trimmed(7, "SiteStreet2"),
      Trimmed(8, "SiteCity"),
      Trimmed(9, "SiteCounty"),
      Trimmed(10, "SiteState"),
      Trimmed(11, "SiteZipcode"),
      Trimmed(12, "SiteTelephone"),
      Custom(13, "SiteElevation", Elevation),
      Custom(kLatitude, "SiteLatDMS", LatitudeDms, kLatitude + 3),
      Custom(kLatitude, "SiteLatSec", LatitudeSeconds, kLatitude + 3),
      Custom(kLongitude, "SiteLonDMS", LongitudeDms, kLongitude + 3),
      Custom(kLongitude, "SiteLonSec", LongitudeSeconds, kLongitude + 3),
      Number(22, "NadInd"),  // the Text field holds the number's shortest text
      Mask(23, "NumVsatsBuilt", "000000"),
      Date(24, "VsatReportDate"),
      Trimmed(25, "FaaCoordSw"),
      Trimmed(26, "Comply25209aSw"),
      Trimmed(27, "Comply25209a2Sw"),
      Trimmed(28, "RemoteControlSw"),
      Trimmed(29, "ForeignFreqCoordReqSw"),
      Trimmed(30, "FreqCoordReqSw"),
  };
  return d;
}

}  // namespace

std::string ElevationText(double elevation) {
  const double v = std::min(elevation, kHighestElevation);
  if (v < 0) return text::Format(std::fabs(v), "-000.0");
  return text::Format(v, "0000.0; 000.0;0000.0");
}

CoordinateTexts LatitudeTexts(double degrees, double minutes, double seconds,
                              std::string_view hemisphere) {
  const bool north = BeginsWith(hemisphere, 'N');
  return Texts(north ? 'N' : 'S', north, degrees, minutes, seconds);
}

CoordinateTexts LongitudeTexts(double degrees, double minutes, double seconds,
                               std::string_view hemisphere) {
  const bool west = BeginsWith(hemisphere, 'W');
  return Texts(west ? 'W' : 'E', !west, degrees, minutes, seconds);
}

std::vector<const LoaderDef*> SiteLoaders() {
  static const LoaderDef site = Build();
  return {&site};
}

}  // namespace morvane::loaders
