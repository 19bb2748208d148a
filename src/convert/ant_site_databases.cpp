#include "convert/ant_site_databases.h"

#include "convert/registration_data.h"

namespace morvane::convert {
namespace {

// The match databases A to D share one layout: a key, the text searched
// through its index, and (B, C, D) a count.
// B, C and D are counted, and so written.
engine::UserDatabase MatchDatabase(const std::string& letter, const std::string& path, bool counted) {
  const std::string table = "AntSite_" + letter;
  engine::UserTable t{table, {"TowerSiteKey" + letter, "TowerSiteInfo" + letter}, {}};
  if (counted) t.fields.push_back("AntSite_Count" + letter);
  t.indexes.push_back({"idxTowerSiteInfo" + letter, "TowerSiteInfo" + letter});
  return {table, path, {t}, /*written=*/counted};
}

}  // namespace

engine::UserDatabase AntSiteA(const std::string& path) { return MatchDatabase("A", path, false); }
engine::UserDatabase AntSiteB(const std::string& path) { return MatchDatabase("B", path, true); }
engine::UserDatabase AntSiteC(const std::string& path) { return MatchDatabase("C", path, true); }
engine::UserDatabase AntSiteD(const std::string& path) { return MatchDatabase("D", path, true); }

// Only counted, and a run goes on without it (its count serves nothing): the
// table is not required either.
engine::UserDatabase AntSiteE(const std::string& path) {
  return {"AntSite_E", path, {}, /*written=*/false, /*optional=*/true};
}

engine::UserDatabase AntSiteDb(const std::string& path) {
  return {"AntSiteDb",
          path,
          {{"AntSiteInfo",
            {"Group", "AntSiteKey", "TowerReg", "StructureType", "Name", "Street", "City", "County", "State",
             "Country", "LatDMS", "LatSec", "LonDMS", "LonSec", "HorizDatum", "Nepa", "GrEl", "HgtStructure",
             "HgtToTip", "StatusDate"},
            {{"idxAntSiteKey", "AntSiteKey"}}},
           {"AntSiteCallSign",
            {"AntSiteKey", "CallSigns", "RadSvc", "FreqCount", "CallSignCount"},
            {{"idxAntSiteKey", "AntSiteKey"}}},
           {"AntSiteOwner", {}, {}}},
          /*written=*/true};
}

std::vector<engine::UserDatabase> AntSiteDatabasesToCheck(const engine::RunPaths& paths) {
  return {AntSiteA(paths.ant_site_a), AntSiteB(paths.ant_site_b),   AntSiteC(paths.ant_site_c),
          AntSiteD(paths.ant_site_d), AntSiteE(paths.ant_site_e),   AntSiteDb(paths.ant_site_db),
          RegistrationDatabase(paths.registration_database)};
}

}  // namespace morvane::convert
