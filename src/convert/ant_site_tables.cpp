#include "convert/ant_site_tables.h"

#include "platform/text/text.h"

namespace morvane::convert {
namespace {

constexpr const char* kKeyIndex = "idxAntSiteKey";

db::TableRecordset OpenOnKey(db::Database& database, std::string_view table) {
  db::TableRecordset rs = database.OpenTable(table);
  rs.SetIndex(kKeyIndex);
  return rs;
}

}  // namespace

AntSiteInfoTable::AntSiteInfoTable(db::Database& ant_site_db)
    : rs_(OpenOnKey(ant_site_db, "AntSiteInfo")) {}

std::optional<db::Value> AntSiteInfoTable::StatusDateOf(const std::string& key) {
  rs_.Seek("=", key);
  if (rs_.NoMatch()) return std::nullopt;
  return rs_.Get("StatusDate");
}

AntSiteCallSignTable::AntSiteCallSignTable(db::Database& ant_site_db)
    : rs_(OpenOnKey(ant_site_db, "AntSiteCallSign")) {}

std::optional<AntSiteCallSignTable::Row> AntSiteCallSignTable::Find(const std::string& key) {
  if (!at_.Seek(rs_, key)) return std::nullopt;
  Row row;
  row.freq_count = rs_.Get("FreqCount").AsInteger();
  row.call_sign_count = rs_.Get("CallSignCount").AsInteger();
  row.call_signs = text::Trim(rs_.Get("CallSigns").AsText());
  row.rad_svc = text::Trim(rs_.Get("RadSvc").AsText());
  return row;
}

bool AntSiteCallSignTable::FirstHeld(const std::string& key, std::string_view field) {
  if (held_.Contains(key, field)) return false;
  held_.Add(key, field);
  return true;
}

}  // namespace morvane::convert
