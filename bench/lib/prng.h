// A small pseudo-random generator (SplitMix64) whose output depends only on
// its seed, so that a synthetic export is the same byte for byte on every
// machine and with every standard library (std::uniform_*_distribution is
// not: its algorithm is left to each library).
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvane::bench {

class Prng {
 public:
  explicit Prng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }

  // A whole number from lo to hi, both included (lo <= hi). The modulo bias
  // is below one in 2^40 for the small ranges used here.
  std::int64_t Between(std::int64_t lo, std::int64_t hi) {
    const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
    return lo + static_cast<std::int64_t>(Next() % span);
  }

  // A number in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

  // A number in [lo, hi).
  double Real(double lo, double hi) { return lo + (hi - lo) * Unit(); }

  // True with probability p.
  bool Chance(double p) { return Unit() < p; }

  // 1 + a geometric count with the given mean (mean >= 1), capped at `max`:
  // most filings have few sites, a few have many.
  int Count(double mean, int max) {
    int n = 1;
    const double more = 1.0 - 1.0 / mean;  // chance of one more
    while (n < max && Chance(more)) ++n;
    return n;
  }

  // One element of a non-empty array.
  template <typename T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[static_cast<std::size_t>(Next() % N)];
  }

 private:
  std::uint64_t state_;
};

}  // namespace morvane::bench
