#include "convert/filing_group_keys.h"

#include <algorithm>

#include "convert/known_keys.h"

namespace morvane::convert {
namespace {

// A run holding more keys of one table than this, or having met more
// filings, ends exact answers: a call sign with that many keys (say every
// filing of a large export without one) would otherwise hold them all.
constexpr std::size_t kMostRunKeys = std::size_t{1} << 16;
constexpr std::size_t kMostRunFilings = std::size_t{1} << 16;
// A set that grew past this many buckets is made anew rather than cleared:
// clearing costs every bucket again at each later run, and the memory stays.
constexpr std::size_t kMostKeptBuckets = 1024;

}  // namespace

std::size_t FilingGroupKeys::Hash::operator()(std::string_view key) const {
  return static_cast<std::size_t>(NocaseKeyHash(key));
}

bool FilingGroupKeys::Equal::operator()(std::string_view a, std::string_view b) const {
  return NocaseKeyEqual(a, b);
}

std::size_t FilingGroupKeys::FilingSet::SlotOf(std::int64_t filing) const {
  const std::uint64_t h = static_cast<std::uint64_t>(filing) * 0x9E3779B97F4A7C15ull;
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = static_cast<std::size_t>(h >> 32) & mask;
  while (used_[i] && slots_[i] != filing) i = (i + 1) & mask;
  return i;
}

bool FilingGroupKeys::FilingSet::Contains(std::int64_t filing) const {
  return !slots_.empty() && used_[SlotOf(filing)];
}

void FilingGroupKeys::FilingSet::Insert(std::int64_t filing) {
  if ((size_ + 1) * 2 > slots_.size()) {
    std::vector<std::int64_t> old;
    std::vector<bool> old_used;
    old.swap(slots_);
    old_used.swap(used_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, 0);
    used_.assign(slots_.size(), false);
    for (std::size_t i = 0; i < old.size(); ++i) {
      if (!old_used[i]) continue;
      const std::size_t at = SlotOf(old[i]);
      slots_[at] = old[i];
      used_[at] = true;
    }
  }
  const std::size_t at = SlotOf(filing);
  if (used_[at]) return;
  slots_[at] = filing;
  used_[at] = true;
  ++size_;
}

// A new run starts where the call sign differs as the query's sort sees it
// (NOCASE). Should the comparison split what the sort keeps together, a
// filing met again is caught below: the answers stay right.
void FilingGroupKeys::StartRow(std::string_view call_sign, std::int64_t filing_key) {
  if (!exact_) return;
  if (!in_run_ || !NocaseKeyEqual(call_sign, run_call_sign_)) {
    EndRun();
    run_call_sign_.assign(call_sign);
    in_run_ = true;
  }
  if (!run_filings_.empty() && run_filings_.back() == filing_key) return;
  if (past_filings_.Contains(filing_key) || run_filings_.size() >= kMostRunFilings)
    return Inexact();
  run_filings_.push_back(filing_key);
}

void FilingGroupKeys::EndRun() {
  for (const std::int64_t filing : run_filings_) past_filings_.Insert(filing);
  run_filings_.clear();
  for (auto& keys : run_keys_) {
    if (keys.bucket_count() > kMostKeptBuckets)
      keys = {};
    else
      keys.clear();
  }
  if (run_seqs_.bucket_count() > kMostKeptBuckets)
    run_seqs_ = {};
  else
    run_seqs_.clear();
}

// For good: the memory goes with it.
void FilingGroupKeys::Inexact() {
  exact_ = false;
  run_filings_ = {};
  run_keys_ = {};
  run_seqs_ = {};
  past_filings_ = {};
}

bool FilingGroupKeys::Holds(Table table, std::string_view key) const {
  return run_keys_[table].find(key) != run_keys_[table].end();
}

void FilingGroupKeys::Add(Table table, std::string_view key) {
  run_keys_[table].emplace(key);
  if (run_keys_[table].size() > kMostRunKeys) Inexact();
}

int FilingGroupKeys::LastSeq(std::string_view key) const {
  const auto at = run_seqs_.find(key);
  return at == run_seqs_.end() ? 0 : at->second;
}

void FilingGroupKeys::SetSeq(std::string_view key, int seq) {
  if (const auto at = run_seqs_.find(key); at != run_seqs_.end())
    at->second = seq;
  else
    run_seqs_.emplace(key, seq);
  if (run_seqs_.size() > kMostRunKeys) Inexact();
}

}  // namespace morvane::convert
