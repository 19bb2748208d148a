#include "convert/spc_cnd_table.h"

#include "convert/row_writer.h"

namespace morvane::convert {

SpcCndTable::SpcCndTable(db::Database& database, std::string_view table,
                         std::string_view key_field, std::string_view key_index)
    : rs_(database.OpenTable(table)), key_field_(key_field) {
  rs_.SetIndex(key_index);
  stored_.keys = KnownKeysOf(rs_);
}

// Every text the table holds under `key`.
std::vector<std::string> SpcCndTable::TextsOf(const std::string& key) {
  std::vector<std::string> texts;
  if (stored_.keys.Find(key) == KnownKeys::Answer::kAbsent) return texts;
  for (rs_.Seek("=", key); !rs_.Eof() && NocaseKeyEqual(rs_.Get(key_field_).AsText(), key);
       rs_.MoveNext())
    texts.push_back(rs_.Get("SpecCond").AsText());
  return texts;
}

bool SpcCndTable::Holds(const std::string& key, const std::string& text) {
  if (refused_.Contains(key, text)) return true;
  if (!stored_.valid || stored_.key != key) {
    stored_.valid = false;
    stored_.texts = TextsOf(key);
    stored_.key = key;
    stored_.valid = true;
  }
  for (const std::string& held : stored_.texts)
    if (held == text) return true;
  return false;
}

void SpcCndTable::Add(engine::RunContext& run, const std::string& key, const std::string& text,
                      std::string_view where) {
  const bool stored = WriteRow(run, rs_, RowWrite::kAdd, where, [&](db::TableRecordset& rs) {
    rs.Set(key_field_, key);
    rs.Set("SpecCond", text);
  });
  if (!stored) return refused_.Add(key, text);
  stored_.keys.Add(key);
  stored_.texts.push_back(text);  // Holds has just gathered `key`
}

}  // namespace morvane::convert
