#include "core/crypt_engine.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace xmlsecdb {
namespace {

// Whether [a, a + a_len) and [b, b + b_len) share a byte, or a and b are the
// same buffer (also when a length is 0).
bool BuffersOverlap(const std::uint8_t* a, std::size_t a_len, const std::uint8_t* b,
                    std::size_t b_len) {
  const auto x = reinterpret_cast<std::uintptr_t>(a);
  const auto y = reinterpret_cast<std::uintptr_t>(b);
  return x == y || (x < y + b_len && y < x + a_len);
}

}  // namespace

bool DecodeBinaryHex(std::string_view text, std::vector<std::uint8_t>* bytes) {
  if (text.size() % 2 != 0) return false;
  std::vector<std::uint8_t> decoded(text.size() / 2);
  for (std::size_t i = 0; i < decoded.size(); ++i) {
    const char* first = text.data() + 2 * i;
    // from_chars takes a leading '-' for signed types only and no "0x", so
    // anything but two hex digits stops before the end of the pair.
    const auto [end, error] = std::from_chars(first, first + 2, decoded[i], 16);
    if (error != std::errc{} || end != first + 2) return false;
  }
  *bytes = std::move(decoded);
  return true;
}

KeyMaterial BuildKeyMaterial(std::span<const std::uint8_t> key) {
  KeyMaterial material;
  if (key.empty()) {
    material.fill(0);
    return material;
  }
  material.fill(kKeyMaterialFiller);
  const std::size_t head = std::min(key.size(), kKeyMaterialSize);
  std::copy_n(key.begin(), head, material.begin());
  for (std::size_t i = kKeyMaterialSize; i < key.size(); ++i) {
    std::uint8_t& m = material[i % kKeyMaterialSize];
    m = static_cast<std::uint8_t>(key[i] * (m + 1));
  }
  return material;
}

std::uint32_t CCryptEngine::Encrypt(const std::uint8_t* in, std::uint32_t in_len, std::uint8_t* out,
                                    std::uint32_t* out_len) const {
  if (!in || in_len == 0 || !out || !out_len) return kCryptErrorBadArguments;
  if (*out_len < in_len) return kCryptErrorBufferTooSmall;
  // memmove and then transforming `out` in place is right for any overlap.
  std::memmove(out, in, in_len);
  if (!key_.empty()) {
    for (std::uint32_t i = 0; i < in_len; ++i) out[i] ^= key_[i % key_.size()];
  }
  *out_len = in_len;
  return 0;
}

std::uint32_t CCryptEngine::Decrypt(const std::uint8_t* in, std::uint32_t in_len, std::uint8_t* out,
                                    std::uint32_t* out_len) const {
  return CCryptEngine::Encrypt(in, in_len, out, out_len);
}

std::uint32_t CCryptEngine::SetKey(const std::uint8_t* bytes, std::uint32_t len) {
  if (!bytes && len != 0) return kCryptErrorBadArguments;
  key_.assign(bytes, bytes + len);
  return 0;
}

std::uint32_t CCryptEngine::GetEncryptedSize(const std::uint8_t*, std::uint32_t in_len) const {
  return in_len;
}

std::uint32_t CCryptEngine::GetDecryptedSize(const std::uint8_t*, std::uint32_t in_len) const {
  return in_len;
}

std::uint32_t CCryptEngineAPI::Encrypt(const std::uint8_t* in, std::uint32_t in_len,
                                       std::uint8_t* out, std::uint32_t* out_len) const {
  return Transform(/*encrypt=*/true, in, in_len, out, out_len);
}

std::uint32_t CCryptEngineAPI::Decrypt(const std::uint8_t* in, std::uint32_t in_len,
                                       std::uint8_t* out, std::uint32_t* out_len) const {
  return Transform(/*encrypt=*/false, in, in_len, out, out_len);
}

std::uint32_t CCryptEngineAPI::GetEncryptedSize(const std::uint8_t* in,
                                                std::uint32_t in_len) const {
  if (key().empty()) return in_len;
  std::uint32_t size = 0;
  return ProviderStep(/*encrypt=*/true, in, in_len, nullptr, &size) == kCryptErrorSizeReport ? size
                                                                                             : 0;
}

std::uint32_t CCryptEngineAPI::GetDecryptedSize(const std::uint8_t* in,
                                                std::uint32_t in_len) const {
  if (key().empty()) return in_len;
  std::uint32_t size = 0;
  return ProviderStep(/*encrypt=*/false, in, in_len, nullptr, &size) == kCryptErrorSizeReport ? size
                                                                                              : 0;
}

std::uint32_t CCryptEngineAPI::Transform(bool encrypt, const std::uint8_t* in, std::uint32_t in_len,
                                         std::uint8_t* out, std::uint32_t* out_len) const {
  // Overlap, not only identity, is refused: the cipher reads input after it
  // has started writing output.
  if (!in || in_len == 0 || !out || !out_len || BuffersOverlap(in, in_len, out, *out_len)) {
    return kCryptErrorBadArguments;
  }
  const std::uint32_t required =
      encrypt ? GetEncryptedSize(in, in_len) : GetDecryptedSize(in, in_len);
  if (*out_len < required) return kCryptErrorBufferTooSmall;
  if (key().empty()) {
    std::memcpy(out, in, in_len);
    *out_len = in_len;
    return 0;
  }
  std::uint32_t size = *out_len;
  const std::uint32_t result = ProviderStep(encrypt, in, in_len, out, &size);
  *out_len = size;
  return result;
}

std::uint32_t CCryptEngineAPI::ProviderStep(bool encrypt, const std::uint8_t* in,
                                            std::uint32_t in_len, std::uint8_t* out,
                                            std::uint32_t* size) const {
  const std::uint32_t capacity = out ? *size : 0;
  *size = 0;
  if (!in || in_len == 0) return kCryptErrorNoInput;

  const KeyMaterial material = BuildKeyMaterial(key());
  Sha1Digest hash;
  Aes128Key session_key;
  if (const std::uint32_t error = provider_->HashSha1(material, &hash); error != 0) return error;
  if (const std::uint32_t error = provider_->DeriveAes128Key(hash, &session_key); error != 0) {
    return error;
  }
  const std::uint32_t block = provider_->BlockLength();
  if (block == 0) return kCryptErrorNoBlockLength;

  // Padding makes ciphertext longer by 1..block bytes; decryption needs
  // room for the whole input before the padding is taken off.
  const std::uint64_t needed =
      encrypt ? std::uint64_t{in_len} - in_len % block + block : std::uint64_t{in_len};
  if (needed > std::numeric_limits<std::uint32_t>::max()) return kCryptErrorBadArguments;
  if (!out || capacity < needed) {
    *size = static_cast<std::uint32_t>(needed);
    return kCryptErrorSizeReport;
  }

  const std::span<const std::uint8_t> input(in, in_len);
  std::size_t written = 0;
  const std::uint32_t result =
      encrypt ? provider_->EncryptAes128Cbc(session_key, input, out, capacity, &written)
              : provider_->DecryptAes128Cbc(session_key, input, out, &written);
  if (result == 0) *size = static_cast<std::uint32_t>(written);
  return result;
}

}  // namespace xmlsecdb
