// Presence tests on the keys of AntMain and SiteSat without their indexes,
// and the last coordination number (SiteEsCoord.Seq) of each path site, so
// that the step builds those tables' indexes once their rows are in.
//
// Why an answer can come from memory: every key of these tables begins with
// its filing's key (QdKey), and the conversion query sorts on the call sign
// first, so the rows of one filing come within one run of rows of its call
// sign. A key can therefore have been stored only during the present run,
// and the keys stored during it are held exactly (compared as the COLLATE
// NOCASE index compares them). That fails only for a filing met before under
// another call sign (two main records of one filing): the filings of past
// runs are remembered to tell, and from then on, or when a table held rows
// before the step, exact() is false and the caller seeks on the index.
//
// Memory: the keys of one call sign's run, and 16 to 32 bytes per filing of
// the past runs. A run too long to hold (see the .cpp) ends exact answers
// too, so the keys held never grow with the export. Owned by the step; not
// shared between threads.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace morvane::convert {

class FilingGroupKeys {
 public:
  enum Table { kAntMain, kSiteSat };

  // `exact` false: the tables held rows before the step.
  explicit FilingGroupKeys(bool exact = true) : exact_(exact) {}

  // Each query row, before its keys are tested: its call sign and filing.
  void StartRow(std::string_view call_sign, std::int64_t filing_key);

  bool exact() const { return exact_; }
  // Only while exact(): whether `table` holds `key`; that it does now (which
  // may end exact answers, the run having grown too long).
  bool Holds(Table table, std::string_view key) const;
  void Add(Table table, std::string_view key);
  // Only while exact(): the highest Seq stored under the path-site key `key`
  // (compared exactly, as the numbering compares its keys), 0 when none;
  // that `seq` is stored under it now (which may end exact answers).
  int LastSeq(std::string_view key) const;
  void SetSeq(std::string_view key, int seq);

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const;
  };
  struct Equal {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  // The filings of past runs: open addressing, at most half full.
  class FilingSet {
   public:
    bool Contains(std::int64_t filing) const;
    void Insert(std::int64_t filing);

   private:
    std::size_t SlotOf(std::int64_t filing) const;
    std::vector<std::int64_t> slots_;
    std::vector<bool> used_;
    std::size_t size_ = 0;
  };

  void EndRun();
  void Inexact();

  bool exact_;
  bool in_run_ = false;
  std::string run_call_sign_;
  std::vector<std::int64_t> run_filings_;  // of the present run, as met
  std::array<std::unordered_set<std::string, Hash, Equal>, 2> run_keys_;
  struct ExactHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
  };
  std::unordered_map<std::string, int, ExactHash, std::equal_to<>> run_seqs_;
  FilingSet past_filings_;
};

}  // namespace morvane::convert
