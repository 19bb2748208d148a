#include "convert/key_rows.h"

#include <limits>
#include <stdexcept>

#include "convert/known_keys.h"
#include "platform/db/sql_recordset.h"

namespace morvane::convert {

namespace {

constexpr std::size_t kFirstSlots = 1024;

// The first slot of a hash: its high bits folded in, as the low bits vary less.
std::size_t HomeOf(std::uint64_t hash, std::size_t mask) {
  return static_cast<std::size_t>(hash ^ (hash >> 29)) & mask;
}

// Bits that the slot's place does not repeat.
std::uint8_t TagOf(std::uint64_t hash) { return static_cast<std::uint8_t>(hash >> 56); }

std::uint32_t CheckedRowId(std::int64_t row_id) {
  if (row_id < 1 || row_id > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("row id " + std::to_string(row_id) +
                            " is out of the key table's range");
  return static_cast<std::uint32_t>(row_id);
}

// The smallest power of two of slots that holds `keys` at most three
// quarters full.
std::size_t SlotsFor(std::size_t keys) {
  std::size_t slots = kFirstSlots;
  while (slots / 4 * 3 < keys) slots *= 2;
  return slots;
}

// The key and count columns of a read: the count is 0 without a count field.
std::string KeyAndCount(std::string_view key_field, std::string_view count_field) {
  return db::QuoteName(key_field) + ", " +
         (count_field.empty() ? std::string("0") : db::QuoteName(count_field));
}

}  // namespace

KeyRows::KeyRows(db::Database& database, std::string_view table, std::string_view key_field,
                 std::string_view count_field)
    : read_row_(database.Prepare("SELECT " + KeyAndCount(key_field, count_field) + " FROM " +
                                 db::QuoteName(table) + " WHERE rowid = ?1")) {}

bool KeyRows::ReadRow(std::uint32_t row_id) {
  return read_row_.Run({db::Value(static_cast<std::int64_t>(row_id))}) > 0;
}

// True when row `row_id` holds `key`; the row is then the last found.
bool KeyRows::Confirms(std::uint32_t row_id, std::string_view key) {
  if (!ReadRow(row_id) || !NocaseKeyEqual(read_row_.Get(0, 0).AsText(), key)) return false;
  last_key_.assign(key);
  last_row_ = {row_id, read_row_.Get(0, 1).AsInteger()};
  has_last_ = true;
  return true;
}

KeyRows::Row* KeyRows::Find(std::string_view key) {
  if (has_last_ && NocaseKeyEqual(last_key_, key)) return &last_row_;
  if (rows_.empty()) return nullptr;
  const std::uint64_t hash = NocaseKeyHash(key);
  const std::uint8_t tag = TagOf(hash);
  const std::size_t mask = rows_.size() - 1;
  for (std::size_t i = HomeOf(hash, mask);; i = (i + 1) & mask) {
    if (rows_[i] == 0) return nullptr;
    if (tags_[i] == tag && Confirms(rows_[i], key)) return &last_row_;
  }
}

void KeyRows::Add(std::string_view key, Row row) {
  const std::uint32_t row_id = CheckedRowId(row.row_id);
  if (SlotsFor(size_ + 1) > rows_.size()) Resize(SlotsFor(size_ + 1));
  Place(NocaseKeyHash(key), row_id);
  ++size_;
  last_key_.assign(key);
  last_row_ = row;
  has_last_ = true;
}

void KeyRows::Reserve(std::size_t more) {
  const std::size_t slots = SlotsFor(size_ + more);
  if (slots > rows_.size()) Resize(slots);
}

void KeyRows::Place(std::uint64_t hash, std::uint32_t row_id) {
  const std::size_t mask = rows_.size() - 1;
  std::size_t i = HomeOf(hash, mask);
  while (rows_[i] != 0) i = (i + 1) & mask;
  rows_[i] = row_id;
  tags_[i] = TagOf(hash);
}

// A slot keeps too little of its key's hash to find its new place, so each
// held key is read back by row id: this happens only for keys held before
// a Reserve, or past it.
void KeyRows::Resize(std::size_t slots) {
  std::vector<std::uint32_t> old;
  old.swap(rows_);
  rows_.assign(slots, 0);
  tags_.assign(slots, 0);
  for (const std::uint32_t row_id : old) {
    if (row_id == 0) continue;
    if (!ReadRow(row_id)) throw std::logic_error("a row of the key table is gone");
    Place(NocaseKeyHash(read_row_.Get(0, 0).AsText()), row_id);
  }
}

KeyRows StoredKeyRows(db::Database& database, std::string_view table, std::string_view key_field,
                      std::string_view count_field) {
  db::SqlRecordset stored = database.OpenSql(
      "SELECT rowid, " + KeyAndCount(key_field, count_field) + " FROM " + db::QuoteName(table) +
      " WHERE " + db::QuoteName(key_field) + " IS NOT NULL ORDER BY rowid");
  KeyRows rows(database, table, key_field, count_field);
  rows.Reserve(static_cast<std::size_t>(stored.RecordCount()));
  for (stored.MoveFirst(); !stored.Eof(); stored.MoveNext()) {
    const std::string key = stored.Get(1).AsText();
    if (!rows.Find(key)) rows.Add(key, {stored.Get(0).AsInteger(), stored.Get(2).AsInteger()});
  }
  return rows;
}

}  // namespace morvane::convert
