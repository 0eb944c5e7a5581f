#pragma once
// A stand-in for the system's SHA-256: 64 hex digits that differ whenever the bytes do (as far
// as the tests go); `fails` makes it unable to hash.
#include <cstdint>
#include <string>

#include "platform/hash.h"

namespace tallimo::testing {

class FakeHasher : public Hasher {
 public:
  bool fails = false;
  std::optional<std::string> Sha256Hex(std::string_view bytes) override {
    if (fails) return std::nullopt;
    std::string hex;
    for (uint64_t seed : {1469598103934665603ull, 7ull, 11ull, 13ull}) {
      uint64_t h = seed;
      for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
      for (int shift = 60; shift >= 0; shift -= 4) hex += "0123456789abcdef"[(h >> shift) & 15];
    }
    return hex;
  }
};

}  // namespace tallimo::testing
