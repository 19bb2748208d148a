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
// Memory: per key an entry of 32 bytes, the key's bytes and 8 to 16 bytes
// of slots, held in blocks that never move, so growing copies no entry and
// holds no second copy of them. Owned by the step; not shared between
// threads.
#pragma once

#include <cstdint>
#include <memory>
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
  std::size_t size() const { return size_; }

 private:
  struct Entry {
    const char* key;     // in one of key_blocks_
    std::uint32_t length;
    std::uint32_t hash;  // places the entry's slot
    Row row;
  };
  std::size_t SlotOf(std::string_view key, std::uint32_t hash) const;
  Entry& At(std::uint32_t index) const {
    return entry_blocks_[index / kBlockEntries][index % kBlockEntries];
  }
  const char* Store(std::string_view key);
  void Grow();

  static constexpr std::uint32_t kBlockEntries = 4096;
  static constexpr std::size_t kKeyBlockBytes = 64 * 1024;
  std::vector<std::unique_ptr<Entry[]>> entry_blocks_;
  // Each filled within its capacity only; a moved block keeps its bytes
  // where they are (its capacity is never small enough to be held inline).
  std::vector<std::string> key_blocks_;
  std::uint32_t size_ = 0;
  std::vector<std::uint32_t> slots_;     // entry index + 1; 0 = free; at most half used
};

// The keys that `table` of `database` holds before the step, each with the
// first of its rows in row id order (the row a Seek on the key's index finds
// first) and that row's `count_field` (0 without one); rows without a key
// are left out, as a Seek never finds them. Throws db::Error.
KeyRows StoredKeyRows(db::Database& database, std::string_view table, std::string_view key_field,
                      std::string_view count_field = {});

}  // namespace morvane::convert
