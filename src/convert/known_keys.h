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
// Owned by the step (in its table structs); not shared between threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
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
struct NocaseKeyHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view key) const;
  std::size_t operator()(const HashedKey& key) const { return key.hash; }
};
struct NocaseKeyEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
  bool operator()(const HashedKey& a, std::string_view b) const { return (*this)(a.key, b); }
  bool operator()(std::string_view a, const HashedKey& b) const { return (*this)(a, b.key); }
};

class KnownKeys {
 public:
  enum class Answer { kAbsent, kPresent, kUnknown };

  explicit KnownKeys(bool starts_empty = true);

  Answer Find(std::string_view key) const;
  // The table holds `key` now: the step added its row, or a Seek found it.
  void Add(std::string_view key);

 private:
  using Recent = std::unordered_set<std::string, NocaseKeyHash, NocaseKeyEqual>;
  // One Bloom filter sized for `capacity` keys; a full one is followed by
  // one twice its size. Its bit count is a power of two, so a probe takes
  // its bit with a mask rather than a division.
  struct Filter {
    std::vector<std::uint64_t> bits;
    std::size_t mask = 0;  // bit count - 1
    std::size_t capacity = 0, count = 0;
  };

  bool MayHold(std::uint64_t hash) const;
  void Remember(std::uint64_t hash);

  bool starts_empty_;
  Recent recent_, older_;
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
