// The frequency data sets: freq.dat (the frequencies of an antenna, with
// the transmit/receive letter worked out here), freq_coord.dat (the
// coordination records of an antenna) and freq_fx.dat (the frequencies of a
// site), each into its staging table.
#include <cmath>

#include "loaders/data_sets.h"
#include "loaders/field_conversions.h"
#include "loaders/frequency_values.h"
#include "platform/text/text.h"

namespace morvane::loaders {
namespace {

struct Band {
  double lower;  // MHz
  double upper;
  const char* letter;
};

// Tried in this order; a later match wins (1610 MHz lies in two bands).
constexpr Band kBands[] = {
    {1525, 1610, "R"}, {1610, 1660, "T"},   {3700, 4200, "R"},
    {5925, 6425, "T"}, {10700, 12200, "R"}, {14000, 14500, "T"},
};

constexpr const char* kFrequencyMask = "00000000.00000000";

FieldRule Eirp(int piece, std::string field, std::string (*text_of)(double)) {
  return Custom(piece, std::move(field), [piece, text_of](const Record& r, RunActions&) {
    return FieldValue(db::Value(text_of(NumberValue(r.Piece(piece)))));
  });
}

FieldValue TransModeFix(const Record& r, RunActions&) {
  return db::Value(TransmitReceiveLetter(text::Trim(r.Piece(9)), NumberValue(r.Piece(7)),
                                         NumberValue(r.Piece(8))));
}

FieldValue HorizMaxDensity(const Record& r, RunActions&) {
  auto density = DensityText(NumberValue(text::Trim(r.Piece(9))));
  if (!density) return std::nullopt;
  return db::Value(std::move(*density));
}

// freq_fx.dat's site key is the trimmed piece itself, which must be a whole
// number to be stored; an empty piece leaves the key Null.
FieldValue FxSiteKey(const Record& r, RunActions&) {
  std::string key = text::Trim(r.Piece(2));
  if (key.empty()) return std::nullopt;
  return db::Value(std::move(key));
}

LoaderDef BuildFrequency() {
  LoaderDef d;
  d.procedure = "PopulateFrequencyTable";
  d.file = "freq.dat";
  d.table = "DalkFrequency";
  d.opening_status = "Populating 'Frequency' table with  < ";
  d.action_text = "Populate Frequency Table!";
  d.pieces = 13;  // pieces 11 to 13 are not stored
  d.fields = {
      Number(1, "FrequencyKey"),
      Number(2, "AntennaKey"),
      Trimmed(3, "PolarizationCode"),
      Eirp(4, "Eirp", EirpText),
      Eirp(5, "EirpDensity", EirpText),
      Trimmed(6, "Emission"),
      Mask(7, "FrequencyLower", kFrequencyMask),
      Mask(8, "FrequencyUpper", kFrequencyMask),
      Trimmed(9, "TransMode"),
      Custom(9, "TransModeFix", TransModeFix),
      Trimmed(10, "Modulation"),
  };
  return d;
}

LoaderDef BuildFreqCoord() {
  LoaderDef d;
  d.procedure = "PopulateFreqCoordTable";
  d.file = "freq_coord.dat";
  d.table = "DalkFreqCoord";
  d.opening_status = "Populating 'FreqCoord' table with  < ";
  d.action_text = "Populate Freq Coord Table!";
  d.pieces = 15;  // piece 15 is not stored
  d.fields = {
      Number(1, "CoordKey"),
      Number(2, "AntennaKey"),
      Mask(3, "AzimuthEast", "0000.0; 000.0;0000.0"),
      Mask(4, "AzimuthWest", "0000.0; 000.0;0000.0"),
      Mask(5, "ElevationEast", "0000.0; 000.0;0000.0"),
      Mask(6, "ElevationWest", "0000.0; 000.0;0000.0"),
      Mask(7, "FreqLimitLow", kFrequencyMask),
      Mask(8, "FreqLimitHigh", kFrequencyMask),
      Custom(9, "HorizMaxDensity", HorizMaxDensity),
      Mask(10, "SatArcEast", "0000.0"),
      Mask(11, "SatArcWest", "0000.0"),
      Trimmed(12, "SatHemiEast"),
      Trimmed(13, "SatHemiWest"),
      Trimmed(14, "SatOrbitType"),
  };
  return d;
}

LoaderDef BuildFrequencyFx() {
  LoaderDef d;
  d.procedure = "PopulateFrequencyFxTable";
  d.file = "freq_fx.dat";
  d.table = "DalkFrequencyFx";
  d.opening_status = "Populating 'FrequencyFx' table with  < ";
  d.action_text = "Populate Frequency FX Table!";
  d.pieces = 8;
  d.fields = {
      Number(1, "FrequencyKey"),
      Custom(2, "SiteKey", FxSiteKey),
      Trimmed(3, "PolarizationCode"),
      Eirp(4, "Eirp", SignedEirpText),
      Trimmed(5, "Emission"),
      Mask(6, "FrequencyLower", kFrequencyMask),
      Mask(7, "FrequencyUpper", kFrequencyMask),
      Trimmed(8, "TransMode"),
  };
  return d;
}

}  // namespace

std::string TransmitReceiveLetter(std::string_view trimmed_mode, double lower, double upper) {
  std::string letter = trimmed_mode.empty() ? "R" : std::string(trimmed_mode);
  for (const Band& band : kBands) {
    if (lower >= band.lower && lower <= band.upper && upper >= band.lower && upper <= band.upper)
      letter = band.letter;
  }
  return letter;
}

std::string EirpText(double eirp) {
  if (eirp < 0 && std::fabs(eirp) >= 999) return "-999.0";
  return SignedEirpText(eirp);
}

std::string SignedEirpText(double eirp) {
  return text::Format(eirp, eirp < 0 ? "000.0" : "0000.0");
}

std::optional<std::string> DensityText(double density) {
  if (density < -999 || density > 9999) return std::nullopt;
  return text::Format(density, "0000.0;-000.0; ");
}

std::vector<const LoaderDef*> FrequencyLoaders() {
  static const LoaderDef frequency = BuildFrequency();
  static const LoaderDef freq_coord = BuildFreqCoord();
  static const LoaderDef frequency_fx = BuildFrequencyFx();
  return {&frequency, &freq_coord, &frequency_fx};
}

}  // namespace morvane::loaders
