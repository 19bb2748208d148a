// Every key of a KTB table that the earth-station conversion counts rows
// under (FreqList), with the row id of the key's row and its count, so that
// the step finds a key's row without a Seek and the key's index can be built
// once the rows are in.
//
// Keys compare as the table's COLLATE NOCASE index compares them (see
// NocaseKeyEqual): a key that differs from a held one only in the case of
// ASCII letters is the same key. A key is added once; a held key keeps the
// row it was added with, as a Seek "=" finds a key's first row.
//
// Memory: one entry of 32 bytes, the key's bytes and a few bytes of slots
// per key; the keys of a step are a fraction of its rows. Owned by the step;
// not shared between threads.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/database.h"

namespace morvane::convert {

class KeyRows {
 public:
  struct Row {
    std::int64_t row_id;
    std::int64_t count;
  };

  // The row of `key`, or nullptr when no key equal to it is held. Valid
  // until the next Add.
  Row* Find(std::string_view key);
  // Holds `key`, which Find does not hold yet, with its row.
  void Add(std::string_view key, Row row);
  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::uint64_t hash;
    std::uint32_t offset, length;  // of the key in keys_
    Row row;
  };
  std::size_t SlotOf(std::string_view key, std::uint64_t hash) const;
  void Grow();

  std::string keys_;                   // every key's bytes, one after another
  std::vector<Entry> entries_;
  std::vector<std::uint32_t> slots_;   // entry index + 1; 0 = free; at most half used
};

// The keys that `table` of `database` holds before the step, each with the
// first of its rows in row id order (the row a Seek on the key's index finds
// first) and that row's `count_field` (0 without one); rows without a key
// are left out, as a Seek never finds them. Throws db::Error.
KeyRows StoredKeyRows(db::Database& database, std::string_view table, std::string_view key_field,
                      std::string_view count_field = {});

}  // namespace morvane::convert
