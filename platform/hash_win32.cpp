// SHA-256 through CryptoAPI's AES provider (advapi32, from XP SP3 on).
#include <windows.h>
// after windows.h
#include <wincrypt.h>

#include "platform/hash.h"

// From XP SP3 on; the headers name it only for builds that target SP3 or later.
#ifndef CALG_SHA_256
#define CALG_SHA_256 (ALG_CLASS_HASH | ALG_TYPE_ANY | 12)
#endif

namespace tallimo {
namespace {

// A provider context and a hash object, released with their owners.
class Provider {
 public:
  Provider() {
    if (!CryptAcquireContextW(&handle_, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
      handle_ = 0;
  }
  ~Provider() {
    if (handle_) CryptReleaseContext(handle_, 0);
  }
  Provider(const Provider&) = delete;
  Provider& operator=(const Provider&) = delete;
  HCRYPTPROV Get() const { return handle_; }

 private:
  HCRYPTPROV handle_ = 0;
};

class Hash {
 public:
  explicit Hash(HCRYPTPROV provider) {
    if (!provider || !CryptCreateHash(provider, CALG_SHA_256, 0, 0, &handle_)) handle_ = 0;
  }
  ~Hash() {
    if (handle_) CryptDestroyHash(handle_);
  }
  Hash(const Hash&) = delete;
  Hash& operator=(const Hash&) = delete;
  HCRYPTHASH Get() const { return handle_; }

 private:
  HCRYPTHASH handle_ = 0;
};

class CryptoHasher final : public Hasher {
 public:
  std::optional<std::string> Sha256Hex(std::string_view bytes) override {
    Provider provider;
    Hash hash(provider.Get());
    if (!hash.Get()) return std::nullopt;
    // Fed in pieces that a DWORD counts.
    constexpr size_t kPiece = 1u << 30;
    for (size_t at = 0; at < bytes.size(); at += kPiece) {
      const size_t size = bytes.size() - at < kPiece ? bytes.size() - at : kPiece;
      if (!CryptHashData(hash.Get(), reinterpret_cast<const BYTE*>(bytes.data() + at),
                         static_cast<DWORD>(size), 0))
        return std::nullopt;
    }
    BYTE digest[32];
    DWORD length = sizeof digest;
    if (!CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &length, 0) || length != sizeof digest)
      return std::nullopt;
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (BYTE b : digest) {
      hex += kDigits[b >> 4];
      hex += kDigits[b & 15];
    }
    return hex;
  }
};

}  // namespace

Hasher& HostHasher() {
  static CryptoHasher hasher;
  return hasher;
}

}  // namespace tallimo
