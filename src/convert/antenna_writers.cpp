#include "convert/antenna_writers.h"

namespace morvane::convert {

AntennaSideTables OpenAntennaSideTables(db::Database& output, db::Database& ant_site_db) {
  AntennaSideTables t;
  t.ant_main = output.OpenTable("AntMain");
  t.site_es_coord = output.OpenTable("SiteEsCoord");
  t.site_sat = output.OpenTable("SiteSat");
  t.class_of_station_code = output.OpenTable("DalkClassOfStationCode");
  t.path_record = output.OpenTable("PathRecord");
  t.mfg_mod_list = output.OpenTable("MfgModList");
  t.site_info = output.OpenTable("SiteInfo");
  t.ant_site_info = ant_site_db.OpenTable("AntSiteInfo");
  t.ant_site_call_sign = ant_site_db.OpenTable("AntSiteCallSign");
  return t;
}

// Not written yet: the antenna side is being built.
void WriteAntMainTable(engine::RunContext&, ConversionState&, AntennaSideTables&) {}

void WriteMfgModList(engine::RunContext&, AntennaSideTables&, const std::string&,
                     const std::string&, const std::string&) {}

}  // namespace morvane::convert
