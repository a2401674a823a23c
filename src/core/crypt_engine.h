// The encryption engine that every parser owns for its database files.
//
// A parser hands the engine its key (see DecodeBinaryHex) and runs file
// contents through Decrypt after reading and Encrypt before writing. With no
// key set, both operations copy the bytes unchanged, so unencrypted databases
// stay plain files.
//
// CCryptEngine is the base: it defines the operations and a repeating-key
// XOR transform. CCryptEngineAPI, the engine parsers use, replaces the
// transforms with AES-128 from the platform's cryptographic provider.
//
// Results are platform error numbers, not HRESULTs: 0 on success, one of the
// kCryptError* numbers below, or a provider error number (crypto_provider.h).
// An engine is used on its parser's thread only.
#ifndef XMLSECDB_CORE_CRYPT_ENGINE_H_
#define XMLSECDB_CORE_CRYPT_ENGINE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/crypto_provider.h"

namespace xmlsecdb {

// A required pointer is null, the input is empty, or the output buffer is
// (or overlaps) the input buffer.
inline constexpr std::uint32_t kCryptErrorBadArguments = 160;
// The output capacity is below what the operation produces.
inline constexpr std::uint32_t kCryptErrorBufferTooSmall = 122;
// Internal to the AES transform: it reports the size it needs this way when
// asked without an output buffer or with one that is too small.
inline constexpr std::uint32_t kCryptErrorSizeReport = 4112;
// The provider could not tell the cipher's block length.
inline constexpr std::uint32_t kCryptErrorNoBlockLength = 4114;
// The AES transform was given no input bytes.
inline constexpr std::uint32_t kCryptErrorNoInput = 4116;

// Parses key text in the "BinaryHex" form: two hexadecimal digits per byte,
// most significant first, either case. Empty text gives no bytes. Returns
// false, leaving *bytes unchanged, on an odd length or any non-hex
// character; callers must treat that as a bad key rather than fall back to
// no encryption.
[[nodiscard]] bool DecodeBinaryHex(std::string_view text, std::vector<std::uint8_t>* bytes);

inline constexpr std::size_t kKeyMaterialSize = 20;
using KeyMaterial = std::array<std::uint8_t, kKeyMaterialSize>;

// Pads keys shorter than the material. Zero is the choice that other
// writers of these files are most likely to have made too; changing it makes
// every file encrypted with a short key unreadable.
inline constexpr std::uint8_t kKeyMaterialFiller = 0x00;

// Folds a key of any length into the 20 bytes the session key is derived
// from. A key of 20 bytes is the material itself; every further byte i
// replaces material[i % 20] with key[i] * (material[i % 20] + 1), modulo 256;
// a shorter key is followed by kKeyMaterialFiller. An empty key gives all
// zero bytes: a fixed value, so that the result never depends on the
// machine (the engines never derive a session key without a key).
KeyMaterial BuildKeyMaterial(std::span<const std::uint8_t> key);

class CCryptEngine {
 public:
  CCryptEngine() = default;
  virtual ~CCryptEngine() = default;
  CCryptEngine(const CCryptEngine&) = delete;
  CCryptEngine& operator=(const CCryptEngine&) = delete;

  // Transforms in[0, in_len) into `out`. *out_len is the capacity of `out`
  // on entry and the number of bytes written on success; it is left
  // unchanged by kCryptErrorBadArguments and kCryptErrorBufferTooSmall.
  // The base transform XORs with the key repeated (or copies without a key);
  // Encrypt and Decrypt are the same operation, and `out` may overlap `in`.
  [[nodiscard]] virtual std::uint32_t Encrypt(const std::uint8_t* in, std::uint32_t in_len,
                                              std::uint8_t* out, std::uint32_t* out_len) const;
  [[nodiscard]] virtual std::uint32_t Decrypt(const std::uint8_t* in, std::uint32_t in_len,
                                              std::uint8_t* out, std::uint32_t* out_len) const;

  // Replaces the key with a copy of bytes[0, len); len 0 removes it, and the
  // next operation uses the new key. Null bytes with a nonzero len give
  // kCryptErrorBadArguments and keep the old key.
  virtual std::uint32_t SetKey(const std::uint8_t* bytes, std::uint32_t len);

  // The number of bytes Encrypt produces for this input, and the output
  // capacity Decrypt needs for it. 0 when the size cannot be computed.
  // The base transform preserves length.
  virtual std::uint32_t GetEncryptedSize(const std::uint8_t* in, std::uint32_t in_len) const;
  virtual std::uint32_t GetDecryptedSize(const std::uint8_t* in, std::uint32_t in_len) const;

 protected:
  std::span<const std::uint8_t> key() const { return key_; }

 private:
  std::vector<std::uint8_t> key_;
};

// The engine parsers use. With a key, the session key is derived from
// BuildKeyMaterial(key) through the provider (SHA-1, then the provider's
// AES-128 key rule), and data is AES-128-CBC with PKCS#7 padding, so the
// output is the input rounded down to the block length plus one block
// (32 bytes give 48, 31 give 32). `out` must not overlap `in`.
//
// Decryption of data written with another key, or of a length that is not
// a whole number of blocks, fails with kCryptErrorBadData; note that a wrong
// key can, rarely, yield a padding that checks, so callers that need to
// detect a wrong key must also check the content.
class CCryptEngineAPI : public CCryptEngine {
 public:
  // `provider` must outlive the engine.
  explicit CCryptEngineAPI(const CryptoProvider& provider = DefaultCryptoProvider())
      : provider_(&provider) {}

  // On a provider failure *out_len is 0; when the capacity is short inside
  // the provider step it is the size needed.
  [[nodiscard]] std::uint32_t Encrypt(const std::uint8_t* in, std::uint32_t in_len,
                                      std::uint8_t* out, std::uint32_t* out_len) const override;
  [[nodiscard]] std::uint32_t Decrypt(const std::uint8_t* in, std::uint32_t in_len,
                                      std::uint8_t* out, std::uint32_t* out_len) const override;

  // With a key: 0 if the input is missing or the encrypted size would not
  // fit in 32 bits. The decrypted size is the input length, an upper bound
  // of the plaintext.
  std::uint32_t GetEncryptedSize(const std::uint8_t* in, std::uint32_t in_len) const override;
  std::uint32_t GetDecryptedSize(const std::uint8_t* in, std::uint32_t in_len) const override;

 private:
  std::uint32_t Transform(bool encrypt, const std::uint8_t* in, std::uint32_t in_len,
                          std::uint8_t* out, std::uint32_t* out_len) const;
  // Derives the session key and runs the cipher. *size is the capacity of
  // `out` on entry (ignored when `out` is null) and the produced or needed
  // size on return.
  std::uint32_t ProviderStep(bool encrypt, const std::uint8_t* in, std::uint32_t in_len,
                             std::uint8_t* out, std::uint32_t* size) const;

  const CryptoProvider* provider_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_CRYPT_ENGINE_H_
