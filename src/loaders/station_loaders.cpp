// earth_sta.dat, ptcomm.dat, ptcomm_fx.dat, space_sta.dat and
// space_sta_sta.dat: the stations of the filings and the space stations.
// Every piece of each record is stored, piece k into the k-th field.
#include "loaders/data_sets.h"

namespace morvane::loaders {
namespace {

// Ends without the "Finished processing" text: the window keeps the opening
// caption until the next step shows its own.
LoaderDef EarthStationSta() {
  LoaderDef d;
  d.procedure = "PopulateEarthStationStaTable";
  d.file = "earth_sta.dat";
  d.table = "DalkEarthStationSta";
  d.opening_status = "Populating 'EarthStationSta' table with  < ";
  d.action_text = "Populate Earth Station STA Table!";
  d.pieces = 13;
  d.finishing_status = false;
  d.fields = {
      Number(1, "FilingKey"),
      Trimmed(2, "TypeStaCode"),
      Date(3, "RequestedDate"),
      Trimmed(4, "City"),  // a long-text field, given the trimmed piece whole
      Trimmed(5, "StateCode"),
      Number(6, "LatDeg"),
      Number(7, "LatMin"),
      Number(8, "LatSec"),
      Trimmed(9, "LatHemi"),
      Number(10, "LonDeg"),
      Number(11, "LonMin"),
      Number(12, "LonSec"),
      Trimmed(13, "LonHemi"),
  };
  return d;
}

LoaderDef PtComm() {
  LoaderDef d;
  d.procedure = "PopulatePtCommTable";
  d.file = "ptcomm.dat";
  d.table = "DalkPtComm";
  d.opening_status = "Populating 'PtComm' table with  < ";
  d.action_text = "Populate Pt CommT able!";  // stored as it stands on purpose
  d.pieces = 3;
  d.fields = {
      Number(1, "PtCommKey"),
      Number(2, "SiteKey"),
      Number(3, "SpaceStationKey"),
  };
  return d;
}

LoaderDef PtCommFx() {
  LoaderDef d;
  d.procedure = "PopulatePtCommFxTable";
  d.file = "ptcomm_fx.dat";
  d.table = "DalkPtCommFx";
  d.opening_status = "Populating 'PtCommFx' table with  < ";
  d.action_text = "Populate Pt Comm FX Table!";
  d.pieces = 4;
  d.fields = {
      Number(1, "PtCommKey"),
      Number(2, "SiteKey"),
      MemoOfTrimmed(3, "Location"),
      Number(4, "Distance"),
  };
  return d;
}

LoaderDef SpaceStation() {
  LoaderDef d;
  d.procedure = "PopulateSpaceStationTable";
  d.file = "space_sta.dat";
  d.table = "DalkSpaceStation";
  d.opening_status = "Populating 'SpaceStation' table with  < ";
  d.action_text = "Populate Space Station Table!";
  d.pieces = 7;
  d.fields = {
      Number(1, "SpaceStationKey"),
      Trimmed(2, "UsName"),
      Trimmed(3, "ItuName"),
      Trimmed(4, "OrbitLocation"),
      MemoOfTrimmed(5, "Verbose"),
      Date(6, "InactiveDate"),
      Trimmed(7, "LongHemi"),
  };
  return d;
}

LoaderDef SpaceStationSta() {
  LoaderDef d;
  d.procedure = "PopulateSpaceStationStaTable";
  d.file = "space_sta_sta.dat";
  d.table = "DalkSpaceStationSta";
  d.opening_status = "Populating 'SpaceStationSta' table with  < ";
  d.action_text = "Populate Space Station STA Table!";
  d.pieces = 4;
  d.fields = {
      Number(1, "FilingKey"),
      Trimmed(2, "TypeStaCode"),
      Date(3, "RequestedDate"),
      MemoOfTrimmed(4, "RequestedLocation"),
  };
  return d;
}

}  // namespace

std::vector<const LoaderDef*> StationLoaders() {
  static const LoaderDef earth_station_sta = EarthStationSta();
  static const LoaderDef pt_comm = PtComm();
  static const LoaderDef pt_comm_fx = PtCommFx();
  static const LoaderDef space_station = SpaceStation();
  static const LoaderDef space_station_sta = SpaceStationSta();
  return {&earth_station_sta, &pt_comm, &pt_comm_fx, &space_station, &space_station_sta};
}

}  // namespace morvane::loaders
