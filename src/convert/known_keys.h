// What the earth-station conversion knows of the keys of a KTB table that it
// fills, so that a presence test (a Seek on the key's index) is answered
// without the Seek whenever the answer is certain.
//
// Keys compare as the table's COLLATE NOCASE index compares them: ASCII
// letters without regard to case, every other byte as it stands, the
// lengths too; past a NUL byte the index compares no further bytes.
//
// Memory stays small however long the export: kept are
//  - the keys made known most recently, exactly (two generations of a few
//    thousand): the query brings the rows of one filing, site and antenna
//    together, so a key that comes again is nearly always among them;
//  - a Bloom filter of every key made known: a key it never saw is certainly
//    absent.
// Any other key is kUnknown and the caller asks the table. A table that held
// rows before the step holds keys that the filter never saw: for it
// (starts_empty false) a key that is not recent is never kAbsent.
//
// Owned by the table object whose presence test it serves; not shared
// between threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/table_recordset.h"

namespace morvane::convert {

// A key with its hash, so that one lookup hashes the key once for both
// generations and the filter.
struct HashedKey {
  std::string_view key;
  std::uint64_t hash;
};

// Hash and equality of keys as a COLLATE NOCASE index compares them.
std::uint64_t NocaseKeyHash(std::string_view key);
bool NocaseKeyEqual(std::string_view a, std::string_view b);

class KnownKeys {
 public:
  enum class Answer { kAbsent, kPresent, kUnknown };

  explicit KnownKeys(bool starts_empty = true);

  Answer Find(std::string_view key) const;
  // The table holds `key` now: the step added its row, or a Seek found it.
  void Add(std::string_view key);

 private:
  // One generation of recent keys: an open-addressing table of the keys
  // and their hashes, at most half full, so a look-up reads adjacent slots
  // rather than chasing nodes. Its slots are made on the first insert.
  class Generation {
   public:
    bool Contains(const HashedKey& key) const;
    void Insert(const HashedKey& key);  // not contained yet
    std::size_t size() const { return size_; }
    void Clear();

   private:
    struct Slot {
      bool used = false;
      std::uint64_t hash = 0;
      std::string key;
    };
    std::vector<Slot> slots_;
    std::size_t size_ = 0;
  };
  // One Bloom filter sized for `capacity` keys; a full one is followed by
  // one twice its size. Its blocks of 512 bits are a power of two, so a
  // key's block is taken with a mask rather than a division.
  struct Filter {
    std::vector<std::uint64_t> bits;
    std::size_t block_mask = 0;  // block count - 1
    std::size_t capacity = 0, count = 0;
  };

  static std::size_t BlockOf(const Filter& f, std::uint64_t hash);
  bool MayHold(std::uint64_t hash) const;
  void Remember(std::uint64_t hash);

  bool starts_empty_;
  Generation recent_, older_;
  std::vector<Filter> filters_;
};

// Presence tests on a table recordset set to the key's index. A row that a
// Seek finds is made known.
// True when the table holds a row under `key`; no Seek when `known` can tell.
bool Holds(KnownKeys& known, db::TableRecordset& table, const std::string& key);

// The keys known of `table` at the start of the step: none, and whether the
// table is empty.
KnownKeys KnownKeysOf(db::TableRecordset& table);

}  // namespace morvane::convert
