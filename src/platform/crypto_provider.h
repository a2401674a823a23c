// The cryptographic service provider behind database encryption.
//
// On this platform the provider always works with SHA-1 as its hash, AES-128
// as its cipher and 128-bit session keys. Ciphertext is AES-128-CBC with an
// all-zero IV and PKCS#7 padding: encryption always adds padding (a whole
// extra block when the input is already a multiple of the block length), and
// decryption removes it and checks it.
//
// Operations return 0 or one of the provider error numbers below; they never
// throw. A CryptoProvider holds no state, so one instance may be shared by any
// number of threads. Tests substitute their own subclass to inject failures.
#ifndef XMLSECDB_PLATFORM_CRYPTO_PROVIDER_H_
#define XMLSECDB_PLATFORM_CRYPTO_PROVIDER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace xmlsecdb {

inline constexpr std::size_t kSha1DigestSize = 20;
inline constexpr std::size_t kAes128KeySize = 16;

using Sha1Digest = std::array<std::uint8_t, kSha1DigestSize>;
using Aes128Key = std::array<std::uint8_t, kAes128KeySize>;

// The data cannot be decrypted: its length is not a whole number of blocks,
// or the padding does not check (typically a wrong key). Same number as the
// platform's own "bad data" provider error.
inline constexpr std::uint32_t kCryptErrorBadData = 0x80090005u;
// The output buffer is too small. Same number as the platform's "more data".
inline constexpr std::uint32_t kCryptErrorMoreData = 234u;
// The cryptographic library failed for a reason of its own (for example it
// could not allocate a context). Same number as the platform's provider
// internal error.
inline constexpr std::uint32_t kCryptErrorProviderFailure = 0x80090020u;

class CryptoProvider {
 public:
  virtual ~CryptoProvider() = default;

  // Stores the SHA-1 digest of `data` in *digest.
  [[nodiscard]] virtual std::uint32_t HashSha1(std::span<const std::uint8_t> data,
                                               Sha1Digest* digest) const = 0;

  // The provider's rule for turning a SHA-1 hash object into an AES-128
  // session key: a 64-byte block of 0x36 bytes, its first 20 bytes XORed
  // with `hash`, is hashed with SHA-1 again and the first 16 bytes of that
  // digest are the key. Files written by any implementation with the same
  // key material decrypt here only if this rule is followed exactly.
  [[nodiscard]] virtual std::uint32_t DeriveAes128Key(const Sha1Digest& hash,
                                                      Aes128Key* key) const = 0;

  // The cipher's block length in bytes, or 0 if it cannot be determined.
  virtual std::uint32_t BlockLength() const = 0;

  // Encrypts `in` into `out`, which has room for `capacity` bytes, and stores
  // the number of bytes written in *written. The output is always longer
  // than the input (see the file comment); a capacity below that gives
  // kCryptErrorMoreData without writing. `out` must not overlap `in`.
  [[nodiscard]] virtual std::uint32_t EncryptAes128Cbc(const Aes128Key& key,
                                                       std::span<const std::uint8_t> in,
                                                       std::uint8_t* out, std::size_t capacity,
                                                       std::size_t* written) const = 0;

  // Decrypts `in` into `out`, which must have room for in.size() bytes, and
  // stores the plaintext length (padding removed) in *written. `out` must not
  // overlap `in`. On failure *written is 0 and the contents of `out` are
  // unspecified.
  [[nodiscard]] virtual std::uint32_t DecryptAes128Cbc(const Aes128Key& key,
                                                       std::span<const std::uint8_t> in,
                                                       std::uint8_t* out,
                                                       std::size_t* written) const = 0;
};

// The provider backed by the system's cryptographic library. Lives for the
// whole process.
const CryptoProvider& DefaultCryptoProvider();

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_CRYPTO_PROVIDER_H_
