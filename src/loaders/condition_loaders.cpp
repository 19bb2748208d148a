// Cond.dat, the condition code list, and the four data sets that link
// condition codes to antennas, frequencies, filings and sites: ant_cond.dat,
// freq_cond.dat, lic_cond.dat and site_cond.dat.
//
// None of the five writes its step number into the status window; it keeps
// the number an earlier step wrote.
#include "loaders/data_sets.h"

namespace morvane::loaders {
namespace {

// Piece 5 (with whatever follows it) is not stored.
LoaderDef Condition() {
  LoaderDef d;
  d.procedure = "PopulateConditionTable";
  d.file = "Cond.dat";
  d.table = "DalkCondition";
  d.opening_status = "Populating 'Condition' table with  < ";
  d.action_text = "Populate Condition Table!";
  d.pieces = 5;
  d.fields = {
      Number(1, "ConditionCode"),
      Trimmed(2, "Subsystemcode"),
      MemoOfTrimmed(3, "ConditionText"),
      MemoOfTrimmed(4, "ConditionNote"),
  };
  return d;
}

// A link data set: three whole numbers per record, the fourth piece (with
// whatever follows it) not stored.
LoaderDef Link(std::string procedure, std::string file, std::string table,
               std::string name, std::string action_text,
               std::vector<std::string> fields) {
  LoaderDef d;
  d.procedure = std::move(procedure);
  d.file = std::move(file);
  d.table = std::move(table);
  d.opening_status = "Populating '" + name + "' table with  < ";
  d.action_text = std::move(action_text);
  d.pieces = 4;
  for (std::size_t i = 0; i < fields.size(); ++i)
    d.fields.push_back(Number(static_cast<int>(i) + 1, std::move(fields[i])));
  return d;
}

}  // namespace

std::vector<const LoaderDef*> ConditionLoaders() {
  static const LoaderDef condition = Condition();
  static const LoaderDef antenna = Link(
      "PopulateAntennaConditionTable", "ant_cond.dat", "DalkAntennaCondition",
      "AntennaCondition", "Populate Antenna Condition Table!",
      {"ConditionKey", "AntennaKey", "ConditionCode"});
  static const LoaderDef frequency = Link(
      "PopulateFreqCondTable", "freq_cond.dat", "DalkFrequencyCondition",
      "FrequencyCondition", "Populate Freq Cond Table!",
      {"ConditionKey", "FrequencyKey", "ConditionCode"});
  static const LoaderDef license = Link(
      "PopulateLicenseConditionTable", "lic_cond.dat", "DalkLicenseCondition",
      "LicenseCondition", "Populate License Condition Table!",
      {"ConditionKey", "FilingKey", "ConditionCode"});
  // In this data set the condition code stands before the site key.
  static const LoaderDef site = Link(
      "PopulateSiteConditionTable", "site_cond.dat", "DalkSiteCondition",
      "SiteCondition", "Populate Site Condition Table!",
      {"ConditionKey", "ConditionCode", "SiteKey"});
  return {&condition, &antenna, &frequency, &license, &site};
}

}  // namespace morvane::loaders
