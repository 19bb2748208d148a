#include "convert/known_keys.h"

#include <bit>

namespace morvane::convert {
namespace {

constexpr std::size_t kRecentKeys = 1024;     // per generation
constexpr std::size_t kFirstCapacity = 16384;  // keys of the first filter
constexpr std::size_t kBitsPerKey = 10;        // at least; with 7 probes: under 1% false "maybe"
constexpr int kProbes = 7;
constexpr std::size_t kBlockWords = 8;         // 512 bits: one cache line

unsigned char Folded(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - 32) : b;
}

// FNV-1a over the key as the index sees it: letters folded, bytes past a
// NUL counted as NUL, then the length.
std::uint64_t KeyHash(std::string_view key) {
  std::uint64_t h = 14695981039346656037ull;
  bool past_nul = false;
  for (const char c : key) {
    const unsigned char b = past_nul ? 0 : Folded(c);
    past_nul = past_nul || b == 0;
    h = (h ^ b) * 1099511628211ull;
  }
  return (h ^ key.size()) * 1099511628211ull;
}

// A second, independent hash for the filter's probes (splitmix64's finish).
std::uint64_t Mixed(std::uint64_t h) {
  h = (h ^ (h >> 30)) * 0xbf58476d1ce4e5b9ull;
  h = (h ^ (h >> 27)) * 0x94d049bb133111ebull;
  return (h ^ (h >> 31)) | 1;
}

// The first slot of a hash: its high bits folded in, as the low bits of
// the hash above vary less.
std::size_t SlotOf(std::uint64_t hash, std::size_t mask) {
  return static_cast<std::size_t>(hash ^ (hash >> 29)) & mask;
}

}  // namespace

std::uint64_t NocaseKeyHash(std::string_view key) { return KeyHash(key); }

bool NocaseKeyEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
    if (a[i] == '\0') return true;  // both NUL: the index compares no further
  }
  return true;
}

KnownKeys::KnownKeys(bool starts_empty) : starts_empty_(starts_empty) {}

bool KnownKeys::Generation::Contains(const HashedKey& key) const {
  if (slots_.empty()) return false;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = SlotOf(key.hash, mask);; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (!slot.used) return false;
    if (slot.hash == key.hash && NocaseKeyEqual(slot.key, key.key)) return true;
  }
}

void KnownKeys::Generation::Insert(const HashedKey& key) {
  if (slots_.empty()) slots_.resize(2 * kRecentKeys);
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = SlotOf(key.hash, mask);
  while (slots_[i].used) i = (i + 1) & mask;
  slots_[i].used = true;
  slots_[i].hash = key.hash;
  slots_[i].key.assign(key.key);
  ++size_;
}

void KnownKeys::Generation::Clear() {
  for (Slot& slot : slots_) slot.used = false;
  size_ = 0;
}

KnownKeys::Answer KnownKeys::Find(std::string_view key) const {
  const HashedKey hashed{key, KeyHash(key)};
  if (recent_.Contains(hashed) || older_.Contains(hashed)) return Answer::kPresent;
  if (starts_empty_ && !MayHold(hashed.hash)) return Answer::kAbsent;
  return Answer::kUnknown;
}

void KnownKeys::Add(std::string_view key) {
  const HashedKey hashed{key, KeyHash(key)};
  if (recent_.Contains(hashed)) return;  // known already
  if (recent_.size() >= kRecentKeys) {
    std::swap(older_, recent_);  // the older generation's slots are reused
    recent_.Clear();
  }
  recent_.Insert(hashed);
  // The filter answers only for a table that started empty.
  if (starts_empty_) Remember(hashed.hash);
}

// A key's probes all fall in one block of 512 bits (one cache line), picked
// by the hash's high half: a look-up costs one memory access per filter.
std::size_t KnownKeys::BlockOf(const Filter& f, std::uint64_t hash) {
  return static_cast<std::size_t>(hash >> 32) & f.block_mask;
}

bool KnownKeys::MayHold(std::uint64_t hash) const {
  const std::uint64_t step = Mixed(hash);
  for (const Filter& f : filters_) {
    const std::uint64_t* block = &f.bits[BlockOf(f, hash) * kBlockWords];
    bool all = true;
    for (int i = 0; i < kProbes && all; ++i) {
      const std::size_t bit = (hash + i * step) & (kBlockWords * 64 - 1);
      all = (block[bit / 64] >> (bit % 64)) & 1;
    }
    if (all) return true;
  }
  return false;
}

void KnownKeys::Remember(std::uint64_t hash) {
  if (filters_.empty() || filters_.back().count >= filters_.back().capacity) {
    Filter f;
    f.capacity = filters_.empty() ? kFirstCapacity : filters_.back().capacity * 2;
    const std::size_t blocks = std::bit_ceil(f.capacity * kBitsPerKey / (kBlockWords * 64));
    f.bits.assign(blocks * kBlockWords, 0);
    f.block_mask = blocks - 1;
    filters_.push_back(std::move(f));
  }
  Filter& f = filters_.back();
  std::uint64_t* block = &f.bits[BlockOf(f, hash) * kBlockWords];
  const std::uint64_t step = Mixed(hash);
  for (int i = 0; i < kProbes; ++i) {
    const std::size_t bit = (hash + i * step) & (kBlockWords * 64 - 1);
    block[bit / 64] |= std::uint64_t{1} << (bit % 64);
  }
  ++f.count;
}

namespace {

bool SeekAndLearn(KnownKeys& known, db::TableRecordset& table, const std::string& key) {
  table.Seek("=", key);
  if (table.NoMatch()) return false;
  known.Add(key);
  return true;
}

}  // namespace

bool Holds(KnownKeys& known, db::TableRecordset& table, const std::string& key) {
  switch (known.Find(key)) {
    case KnownKeys::Answer::kPresent: return true;
    case KnownKeys::Answer::kAbsent: return false;
    case KnownKeys::Answer::kUnknown: break;
  }
  return SeekAndLearn(known, table, key);
}

KnownKeys KnownKeysOf(db::TableRecordset& table) { return KnownKeys(table.RecordCount() == 0); }

}  // namespace morvane::convert
