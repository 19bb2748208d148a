// class.dat, purpose.dat and status_code.dat: short code lists.
#include "loaders/data_sets.h"

namespace morvane::loaders {
namespace {

// The codes are kept exactly as the export gives them, blanks included: the
// conversion looks them up as they stand. The opening caption is the one the
// nature-of-service code list shows, kept as it has always read.
LoaderDef ClassOfStationCode() {
  LoaderDef d;
  d.procedure = "PopulateClassOfStationCode";
  d.file = "class.dat";
  d.table = "DalkClassOfStationCode";
  // Shown with the other table's name, and stored with its stray "A", on purpose.
  d.opening_status = "Populating 'NatureOfServiceCode' table with  < ";
  d.action_text = "APopulate Class Of Station Code Table!";
  d.pieces = 3;
  d.fields = {
      AsIs(1, "ClassOfStationCode"),
      AsIs(2, "Description"),
      Date(3, "InactiveDate"),
  };
  return d;
}

// A record of more than two fields keeps the rest, bars included, in
// PurposeCode.
LoaderDef Purpose() {
  LoaderDef d;
  d.procedure = "PopulatePurposeTable";
  d.file = "purpose.dat";
  d.table = "DalkPurpose";
  d.opening_status = "Populating 'Purpose' table with  < ";
  d.action_text = "Populate Purpose Table!";
  d.pieces = 2;
  d.fields = {
      Number(1, "FilingKey"),
      MemoOfTrimmed(2, "PurposeCode"),
  };
  return d;
}

LoaderDef StatusCode() {
  LoaderDef d;
  d.procedure = "PopulateStatusCodeTable";
  d.file = "status_code.dat";
  d.table = "DalkStatusCode";
  d.opening_status = "Populating 'StatusCode' table with  < ";
  d.action_text = "Populate Status Code Table!";
  d.pieces = 4;
  d.fields = {
      Trimmed(1, "StatusCode"),
      MemoOfTrimmed(2, "StatusText"),
      Trimmed(3, "InternalSw"),
      Date(4, "InactiveDate"),
  };
  return d;
}

}  // namespace

std::vector<const LoaderDef*> CodeListLoaders() {
  static const LoaderDef class_of_station_code = ClassOfStationCode();
  static const LoaderDef purpose = Purpose();
  static const LoaderDef status_code = StatusCode();
  return {&class_of_station_code, &purpose, &status_code};
}

}  // namespace morvane::loaders
