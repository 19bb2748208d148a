#include "support/ant_site_db.h"

#include <utility>
#include <vector>

#include "platform/db/workspace.h"

namespace morvane::testing {

std::filesystem::path BuildAntSiteDb(const std::filesystem::path& file) {
  using db::FieldType;
  db::Workspace workspace;
  db::Database db = workspace.CreateDatabase(file);
  db::TableDef info{"AntSiteInfo", {{"Group", FieldType::kText, 1}}, {{"idxAntSiteKey", "AntSiteKey"}}};
  const std::vector<std::pair<const char*, int>> texts = {
      {"AntSiteKey", 20}, {"TowerReg", 10}, {"StructureType", 9}, {"Name", 20}, {"Street", 80},
      {"City", 20},       {"County", 30},   {"State", 2},         {"Country", 5}, {"LatDMS", 10},
      {"LatSec", 10},     {"LonDMS", 10},   {"LonSec", 10},       {"HorizDatum", 6}, {"Nepa", 1},
      {"GrEl", 6},        {"HgtStructure", 6}, {"HgtToTip", 6},   {"StatusDate", 8}};
  for (const auto& [name, size] : texts) info.fields.push_back({name, FieldType::kText, size});
  db.AppendTable(info);
  db.AppendTable({"AntSiteCallSign",
                  {{"AntSiteKey", FieldType::kText, 20}, {"CallSigns", FieldType::kMemo, 0},
                   {"RadSvc", FieldType::kMemo, 0}, {"FreqCount", FieldType::kInteger, 0},
                   {"CallSignCount", FieldType::kInteger, 0}},
                  {{"idxAntSiteKey", "AntSiteKey"}}});
  db.AppendTable({"AntSiteOwner", {{"AntSiteKey", FieldType::kText, 20}, {"Owner", FieldType::kText, 80}}, {}});
  db.Close();
  return file;
}

}  // namespace morvane::testing
