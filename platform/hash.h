#pragma once
// The hashing seam: SHA-256 from the system (CryptoAPI on Windows), never a hash of our own.
#include <optional>
#include <string>
#include <string_view>

namespace tallimo {

class Hasher {
 public:
  virtual ~Hasher() = default;
  // The SHA-256 of `bytes` as 64 lower-case hex digits; nullopt when the system cannot hash.
  virtual std::optional<std::string> Sha256Hex(std::string_view bytes) = 0;
};

// The system's hasher (Windows only).
Hasher& HostHasher();

}  // namespace tallimo
