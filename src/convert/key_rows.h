// Every key of FreqList, the KTB table whose rows the earth-station
// conversion counts, with the row id of the key's row, so that a presence
// test needs no Seek and the key's index can be built once the rows are in.
//
// Keys compare as the table's COLLATE NOCASE index compares them (see
// NocaseKeyEqual): a key that differs from a held one only in the case of
// ASCII letters is the same key. A key is added once; a held key keeps the
// row it was added with, as a Seek "=" finds a key's first row.
//
// Memory: 5 bytes per slot (the row id and 8 bits of the key's hash), the
// key itself staying in the table; at most three quarters of the slots are
// used. A slot whose hash bits match is confirmed by reading its row by row
// id (key and count in one read), so every answer is exact. The step
// reserves slots for as many keys as it has query rows, so the table does
// not grow while rows come; growing past a reserve reads every key back.
// The last key found or added is held whole: the next row often asks for it.
//
// Lifetime: refers to `database`, which must outlive it. Errors: db::Error
// from the reads; std::length_error for a row id outside 1 to 2^32 - 1;
// std::logic_error when a held row is gone from the table as slots move.
// Owned by the step; not shared between threads.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/database.h"
#include "platform/db/prepared_sql.h"

namespace morvane::convert {

class KeyRows {
 public:
  struct Row {
    std::int64_t row_id;
    std::int64_t count;  // the row's count field as read (0 without one)
  };

  KeyRows() = default;  // holds no key and reads no table
  // Keys of `key_field` in `table` of `database`, none held yet; a found
  // row's count is read from `count_field` (0 without one).
  KeyRows(db::Database& database, std::string_view table, std::string_view key_field,
          std::string_view count_field = {});

  // The row of `key`, or nullptr when no key equal to it is held. Valid
  // until the next call; a caller that writes the row's count sets it here
  // too.
  Row* Find(std::string_view key);
  // Holds `key`, which Find does not hold yet, with its row.
  void Add(std::string_view key, Row row);
  // Makes room for `more` keys beyond those held, so that adding them
  // moves no slot.
  void Reserve(std::size_t more);
  std::size_t size() const { return size_; }

 private:
  bool ReadRow(std::uint32_t row_id);
  bool Confirms(std::uint32_t row_id, std::string_view key);
  void Place(std::uint64_t hash, std::uint32_t row_id);  // into a free slot
  void Resize(std::size_t slots);

  db::PreparedSql read_row_;         // ?1 row id -> key, count
  std::vector<std::uint32_t> rows_;  // per slot: row id; 0 = free
  std::vector<std::uint8_t> tags_;   // per slot: 8 bits of the key's hash
  std::size_t size_ = 0;
  std::string last_key_;
  Row last_row_{};
  bool has_last_ = false;
};

// The keys that `table` of `database` holds before the step, each with the
// first of its rows in row id order (the row a Seek on the key's index finds
// first); rows without a key are left out, as a Seek never finds them.
// Throws db::Error.
KeyRows StoredKeyRows(db::Database& database, std::string_view table, std::string_view key_field,
                      std::string_view count_field = {});

}  // namespace morvane::convert
