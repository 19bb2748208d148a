#include "convert/key_rows.h"

#include <algorithm>
#include <stdexcept>

#include "convert/known_keys.h"
#include "platform/db/sql_recordset.h"

namespace morvane::convert {

namespace {

std::uint32_t SlotHash(std::string_view key) {
  const std::uint64_t hash = NocaseKeyHash(key);
  return static_cast<std::uint32_t>(hash ^ (hash >> 29));
}

}  // namespace

// The slot that holds `key`, or the free slot where it would go (linear
// probing from the hash's slot; the table is never full).
std::size_t KeyRows::SlotOf(std::string_view key, std::uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const std::uint32_t s = slots_[i];
    if (s == 0) return i;
    const Entry& e = At(s - 1);
    if (e.hash == hash && NocaseKeyEqual(std::string_view(e.key, e.length), key)) return i;
  }
}

KeyRows::Row* KeyRows::Find(std::string_view key) {
  if (slots_.empty()) return nullptr;
  const std::uint32_t s = slots_[SlotOf(key, SlotHash(key))];
  return s == 0 ? nullptr : &At(s - 1).row;
}

// A copy of the key's bytes in a block that is never reallocated.
const char* KeyRows::Store(std::string_view key) {
  if (key_blocks_.empty() ||
      key_blocks_.back().capacity() - key_blocks_.back().size() < key.size()) {
    key_blocks_.emplace_back();
    key_blocks_.back().reserve(std::max(kKeyBlockBytes, key.size()));
  }
  std::string& block = key_blocks_.back();
  const std::size_t at = block.size();
  block.append(key);
  return block.data() + at;
}

void KeyRows::Add(std::string_view key, Row row) {
  if (size_ >= UINT32_MAX / 4 || key.size() > UINT32_MAX)
    throw std::length_error("too many keys for the key table");
  if ((std::size_t{size_} + 1) * 2 > slots_.size()) Grow();
  if (size_ % kBlockEntries == 0) entry_blocks_.push_back(std::make_unique<Entry[]>(kBlockEntries));
  const std::uint32_t hash = SlotHash(key);
  const std::size_t slot = SlotOf(key, hash);
  At(size_) = {Store(key), static_cast<std::uint32_t>(key.size()), hash, row};
  slots_[slot] = ++size_;
}

void KeyRows::Grow() {
  slots_.assign(slots_.empty() ? 1024 : slots_.size() * 2, 0);
  const std::size_t mask = slots_.size() - 1;
  for (std::uint32_t n = 0; n < size_; ++n) {
    std::size_t i = At(n).hash & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = n + 1;
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
