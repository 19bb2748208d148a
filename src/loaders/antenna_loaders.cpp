// The antenna data sets: anten.dat (the antennas), ant_gain.dat (their
// gains), ant_type_code.dat and polar.dat (two code lists) and azimuth.dat
// (their azimuths), each into its staging table.
#include <algorithm>
#include <cmath>
#include <functional>

#include "loaders/antenna_values.h"
#include "loaders/data_sets.h"
#include "loaders/field_conversions.h"
#include "platform/text/text.h"

namespace morvane::loaders {
namespace {

// A number rule of anten.dat: `shape` turns the piece's numeric value into
// the field's text.
FieldRule Shaped(int piece, std::string field, std::function<std::string(double)> shape) {
  return Custom(piece, std::move(field),
                [piece, shape = std::move(shape)](const Record& r, RunActions&) {
                  return FieldValue(db::Value(shape(NumberValue(r.Piece(piece)))));
                });
}

FieldRule CappedMask(int piece, std::string field, std::string mask) {
  return Shaped(piece, std::move(field),
                [mask = std::move(mask)](double v) { return text::Format(CapAt9999_9(v), mask); });
}

LoaderDef BuildAntenna() {
  LoaderDef d;
  d.procedure = "PopulateAntennaTable";
  d.file = "anten.dat";
  d.table = "DalkAntenna";
  d.opening_status = "Populating 'Antenna' table with  < ";
  d.action_text = "Populate Antenna Table!";
  d.pieces = 17;
  d.fields = {
      Number(1, "AntennaKey"),
      Trimmed(2, "AntennaId"),
      Number(3, "SiteKey"),
      Mask(4, "Diameter", "0000.0"),
      Mask(5, "DiameterMinor", "0000.0"),
      Mask(6, "DiameterMajor", "0000.0"),
      Mask(7, "HeightBldgAgl", "0000.0"),
      // The four heights take four forms: uncapped and signed (above),
      // unsigned, signed with "-", and unsigned with zero as " 000.0".
      Shaped(8, "HeightMaxAgl",
             [](double v) { return text::Format(CapAt9999_9(std::fabs(v)), "0000.0"); }),
      Shaped(9, "HeightMaxAmsl",
             [](double v) {
               v = CapAt9999_9(v);
               return text::Format(v, v < 0 ? "000.0" : "0000.0");
             }),
      CappedMask(10, "HeightMaxARoof", "0000.0;0000.0; 000.0"),
      Trimmed(11, "Manufacturer"),
      CappedMask(12, "MaxInputPower", "0000.0; 000.0;0000.0"),
      CappedMask(13, "MaxOutputEirp", "0000.0; 000.0;0000.0"),
      Trimmed(14, "Model"),
      Mask(15, "Quantity", "000000"),
      Trimmed(16, "TowerId"),
      Trimmed(17, "TowerClearedSw"),
  };
  return d;
}

LoaderDef BuildGain() {
  LoaderDef d;
  d.procedure = "PopulateAntennaGainTable";
  d.file = "ant_gain.dat";
  d.table = "DalkAntennaGain";
  d.opening_status = "Populating 'AntennaGain' table with  < ";
  d.action_text = "Populate Antenna Gain Table!";
  d.pieces = 5;
  d.fields = {
      Number(1, "GainKey"),
      Number(2, "AntennaKey"),
      Custom(3, "Gain",
             [](const Record& r, RunActions&) {
               return FieldValue(db::Value(GainText(r.Piece(3))));
             }),
      Mask(4, "Frequency", "00000000.00000000;-0000000.00000000;00000000.00000000"),
      Trimmed(5, "TransMode"),
  };
  return d;
}

LoaderDef BuildTypeCode() {
  LoaderDef d;
  d.procedure = "PopulateAntennaTypeCodeTable";
  d.file = "ant_type_code.dat";
  d.table = "DalkAntTypCod";
  d.opening_status = "Populating 'AntTypCod' table with  < ";
  d.action_text = "Populate Antenna Type Code Table!";
  d.pieces = 3;
  d.fields = {
      Mask(1, "AntennaTypeCode", "00"),
      Memo(2, "Description"),  // blanks and all
      Date(3, "InactiveDate"),
  };
  return d;
}

LoaderDef BuildAzimuth() {
  LoaderDef d;
  d.procedure = "PopulateAzimuth";
  d.file = "azimuth.dat";
  d.table = "DalkAzimuth";
  d.opening_status = "Populating 'Azimuth' table with  < ";
  d.action_text = "Populate Azimuth Table!";
  d.pieces = 3;
  d.fields = {
      Number(1, "AzimuthKey"),
      Number(2, "AntennaKey"),
      Number(3, "Azimuth"),
  };
  return d;
}

LoaderDef BuildPolarization() {
  LoaderDef d;
  d.procedure = "PopulatePolarizationCode";
  d.file = "polar.dat";
  d.table = "DalkPolarCode";
  // The status window has always named this table so; kept as users know it.
  d.opening_status = "Populating 'NatureOfServiceCode' table with  < ";
  d.action_text = "Populate Polarization Code Table!";
  d.pieces = 3;
  d.fields = {
      AsIs(1, "PolarizationCode"),
      AsIs(2, "PolarizationType"),
      Date(3, "InactiveDate"),
  };
  return d;
}

}  // namespace

double CapAt9999_9(double value) { return std::min(value, 9999.9); }

std::string GainText(std::string_view piece) {
  return text::Left(text::Format(NumberValue(text::Left(piece, 5)), "0000.0;-000.0;0000.0"), 6);
}

std::vector<const LoaderDef*> AntennaLoaders() {
  static const LoaderDef gain = BuildGain();
  static const LoaderDef type_code = BuildTypeCode();
  static const LoaderDef antenna = BuildAntenna();
  static const LoaderDef azimuth = BuildAzimuth();
  static const LoaderDef polarization = BuildPolarization();
  return {&gain, &type_code, &antenna, &azimuth, &polarization};
}

}  // namespace morvane::loaders
