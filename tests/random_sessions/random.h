// A small deterministic generator (SplitMix64) for the randomized sessions:
// the same seed draws the same session with any compiler and standard
// library, which the replay of a seed relies on.
#pragma once

#include <cstddef>
#include <cstdint>

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }
  // 0 <= result < bound; the tiny bias of the modulo does not matter here.
  std::uint32_t Below(std::uint32_t bound) { return static_cast<std::uint32_t>(Next() % bound); }
  std::uint32_t Between(std::uint32_t low, std::uint32_t high) {
    return low + Below(high - low + 1);
  }
  bool Percent(std::uint32_t chance) { return Below(100) < chance; }
  std::uint8_t Byte() { return static_cast<std::uint8_t>(Next()); }
  std::uint32_t Word() { return static_cast<std::uint32_t>(Next()); }

  template <class T, std::size_t N>
  const T& Pick(const T (&choices)[N]) {
    return choices[Below(N)];
  }

 private:
  std::uint64_t state_;
};
