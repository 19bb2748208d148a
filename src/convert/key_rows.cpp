#include "convert/key_rows.h"

#include <stdexcept>

#include "convert/known_keys.h"
#include "platform/db/sql_recordset.h"

namespace morvane::convert {

// The slot that holds `key`, or the free slot where it would go (linear
// probing from the hash's slot; the table is never full).
std::size_t KeyRows::SlotOf(std::string_view key, std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = static_cast<std::size_t>(hash ^ (hash >> 29)) & mask;; i = (i + 1) & mask) {
    const std::uint32_t s = slots_[i];
    if (s == 0) return i;
    const Entry& e = entries_[s - 1];
    if (e.hash == hash && NocaseKeyEqual(std::string_view(keys_).substr(e.offset, e.length), key))
      return i;
  }
}

KeyRows::Row* KeyRows::Find(std::string_view key) {
  if (slots_.empty()) return nullptr;
  const std::uint32_t s = slots_[SlotOf(key, NocaseKeyHash(key))];
  return s == 0 ? nullptr : &entries_[s - 1].row;
}

void KeyRows::Add(std::string_view key, Row row) {
  if (keys_.size() + key.size() > UINT32_MAX || entries_.size() >= UINT32_MAX / 2)
    throw std::length_error("too many keys for the key table");
  if ((entries_.size() + 1) * 2 > slots_.size()) Grow();
  const std::uint64_t hash = NocaseKeyHash(key);
  entries_.push_back({hash, static_cast<std::uint32_t>(keys_.size()),
                      static_cast<std::uint32_t>(key.size()), row});
  keys_.append(key);
  slots_[SlotOf(key, hash)] = static_cast<std::uint32_t>(entries_.size());
}

void KeyRows::Grow() {
  slots_.assign(slots_.empty() ? 1024 : slots_.size() * 2, 0);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t n = 0; n < entries_.size(); ++n) {
    const std::uint64_t hash = entries_[n].hash;
    std::size_t i = static_cast<std::size_t>(hash ^ (hash >> 29)) & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = static_cast<std::uint32_t>(n + 1);
  }
}

KeyRows StoredKeyRows(db::Database& database, std::string_view table, std::string_view key_field,
                      std::string_view count_field) {
  auto quoted = [](std::string_view name) { return "\"" + std::string(name) + "\""; };
  const std::string count = count_field.empty() ? "0" : quoted(count_field);
  db::SqlRecordset stored = database.OpenSql(
      "SELECT rowid, " + quoted(key_field) + ", " + count + " FROM " + quoted(table) + " WHERE " +
      quoted(key_field) + " IS NOT NULL ORDER BY rowid");
  KeyRows rows;
  for (stored.MoveFirst(); !stored.Eof(); stored.MoveNext()) {
    const std::string key = stored.Get(1).AsText();
    if (!rows.Find(key)) rows.Add(key, {stored.Get(0).AsInteger(), stored.Get(2).AsInteger()});
  }
  return rows;
}

}  // namespace morvane::convert
