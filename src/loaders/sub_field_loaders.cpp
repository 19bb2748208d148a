// ant_fx.dat (a second antenna data set) and transmitter.dat, whose records
// are taken apart by the sub-field scanner: every field trimmed, a record
// with fewer fields stored with the missing ones empty, one with more
// stored with its first N.
#include "loaders/data_sets.h"

namespace morvane::loaders {
namespace {

LoaderDef BuildAntennaFx() {
  LoaderDef d;
  d.procedure = "PopulateAntennaFxTable";
  d.file = "ant_fx.dat";
  d.table = "DalkAntennaFx";
  d.opening_status = "Populating 'AntennaFx' table with  < ";
  d.action_text = "Populate Antenna FX Table!";
  d.pieces = 28;
  d.splitting = Splitting::kSubFields;
  // The frequencies of fields 6, 7, 9 and 10 are stored as written; no
  // height is capped.
  d.fields = {
      Number(1, "AntennaKey"),
      Number(2, "SiteKey"),
      Trimmed(3, "AntennaId"),
      Mask(4, "Gain1", "0000.0"),
      Mask(5, "Gain2", "0000.0"),
      Trimmed(6, "Frequency1"),
      Trimmed(7, "Frequency2"),
      Trimmed(8, "PolarizationCode"),
      Trimmed(9, "FrequencyLower"),
      Trimmed(10, "FrequencyUpper"),
      Mask(11, "HeightMaxAmsl", "0000.0"),
      Mask(12, "HeightMaxAgl", "0000.0"),
      Mask(13, "Elevation", "0000.0"),
      Trimmed(14, "Manufacturer"),
      Trimmed(15, "Model"),
      Mask(16, "Quantity", "000000"),
      Trimmed(17, "TowerId"),
      Mask(18, "Beamwidth", "0000.0"),
      Trimmed(19, "RotatableSw"),
      Mask(20, "TakeOffAngle", "0000.0"),
      Trimmed(21, "SlewableSw"),
      Mask(22, "SlewAmt", "0000.0;0000.0; 000.0"),
      Trimmed(23, "TargetZone"),
      Mask(24, "AntennaTypeCode", "00"),
      Trimmed(25, "AntennaPattern"),
      Trimmed(26, "SchematicSw"),
      MemoOfTrimmed(27, "OperationDesc"),
      Trimmed(28, "TowerClearedSw"),
  };
  return d;
}

LoaderDef BuildTransmitter() {
  LoaderDef d;
  d.procedure = "PopulateTransmitterTable";
  d.file = "transmitter.dat";
  d.table = "DalkTransmitter";
  d.opening_status = "Populating 'Transmitter' table with  < ";
  d.action_text = "Populate Transmitter Table!";
  d.pieces = 10;
  d.splitting = Splitting::kSubFields;
  d.fields = {
      Number(1, "TransmitterKey"),
      Number(2, "SiteKey"),
      MemoOfTrimmed(3, "TransmitterDescription"),
      Mask(4, "Quanity", "000000"),
      Trimmed(5, "Manufacturer"),
      Trimmed(6, "Model"),
      Trimmed(7, "SerialNum"),
      Trimmed(8, "EmissionType"),
      Mask(9, "Power", "000000"),
      Mask(10, "Tolerance", "0000.0"),
  };
  return d;
}

}  // namespace

std::vector<const LoaderDef*> SubFieldLoaders() {
  static const LoaderDef antenna_fx = BuildAntennaFx();
  static const LoaderDef transmitter = BuildTransmitter();
  return {&antenna_fx, &transmitter};
}

}  // namespace morvane::loaders
