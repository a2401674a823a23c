#include "platform/crypto_provider.h"

#include <openssl/evp.h>

#include <algorithm>
#include <memory>

namespace xmlsecdb {
namespace {

constexpr std::size_t kAesBlockSize = 16;
// The cipher calls take int lengths; larger inputs go through in pieces of
// this many bytes (a multiple of the block length).
constexpr std::size_t kMaxPiece = std::size_t{1} << 30;
constexpr std::uint8_t kDeriveKeyPad = 0x36;
constexpr std::size_t kDeriveKeyBlockSize = 64;

struct CipherCtxDeleter {
  void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};
using CipherCtx = std::unique_ptr<EVP_CIPHER_CTX, CipherCtxDeleter>;

// Runs the update calls of one encryption or decryption over `in`, then the
// final call. Returns the number of bytes written, or -1 if the library
// refused (for decryption, a padding that does not check).
long long RunCipher(EVP_CIPHER_CTX* ctx, bool encrypt, std::span<const std::uint8_t> in,
                    std::uint8_t* out) {
  std::size_t written = 0;
  for (std::size_t done = 0; done < in.size();) {
    const std::size_t piece = std::min(kMaxPiece, in.size() - done);
    int n = 0;
    const int ok =
        encrypt
            ? EVP_EncryptUpdate(ctx, out + written, &n, in.data() + done, static_cast<int>(piece))
            : EVP_DecryptUpdate(ctx, out + written, &n, in.data() + done, static_cast<int>(piece));
    if (ok != 1) return -1;
    written += static_cast<std::size_t>(n);
    done += piece;
  }
  int n = 0;
  const int ok = encrypt ? EVP_EncryptFinal_ex(ctx, out + written, &n)
                         : EVP_DecryptFinal_ex(ctx, out + written, &n);
  if (ok != 1) return -1;
  return static_cast<long long>(written + static_cast<std::size_t>(n));
}

class OpenSslCryptoProvider final : public CryptoProvider {
 public:
  std::uint32_t HashSha1(std::span<const std::uint8_t> data, Sha1Digest* digest) const override {
    unsigned int size = 0;
    if (EVP_Digest(data.data(), data.size(), digest->data(), &size, EVP_sha1(), nullptr) != 1 ||
        size != kSha1DigestSize) {
      return kCryptErrorProviderFailure;
    }
    return 0;
  }

  std::uint32_t DeriveAes128Key(const Sha1Digest& hash, Aes128Key* key) const override {
    std::array<std::uint8_t, kDeriveKeyBlockSize> block;
    block.fill(kDeriveKeyPad);
    for (std::size_t i = 0; i < hash.size(); ++i) block[i] ^= hash[i];
    Sha1Digest derived;
    if (const std::uint32_t error = HashSha1(block, &derived); error != 0) return error;
    std::copy_n(derived.begin(), key->size(), key->begin());
    return 0;
  }

  std::uint32_t BlockLength() const override {
    const int size = EVP_CIPHER_get_block_size(EVP_aes_128_cbc());
    return size > 0 ? static_cast<std::uint32_t>(size) : 0;
  }

  std::uint32_t EncryptAes128Cbc(const Aes128Key& key, std::span<const std::uint8_t> in,
                                 std::uint8_t* out, std::size_t capacity,
                                 std::size_t* written) const override {
    *written = 0;
    const std::size_t needed = in.size() - in.size() % kAesBlockSize + kAesBlockSize;
    if (needed < in.size() || capacity < needed) return kCryptErrorMoreData;
    return Run(/*encrypt=*/true, key, in, out, written);
  }

  std::uint32_t DecryptAes128Cbc(const Aes128Key& key, std::span<const std::uint8_t> in,
                                 std::uint8_t* out, std::size_t* written) const override {
    *written = 0;
    // Padding always adds at least one byte, so ciphertext is never empty.
    if (in.empty() || in.size() % kAesBlockSize != 0) return kCryptErrorBadData;
    return Run(/*encrypt=*/false, key, in, out, written);
  }

 private:
  static std::uint32_t Run(bool encrypt, const Aes128Key& key, std::span<const std::uint8_t> in,
                           std::uint8_t* out, std::size_t* written) {
    static constexpr std::uint8_t kZeroIv[kAesBlockSize] = {};
    CipherCtx ctx(EVP_CIPHER_CTX_new());
    if (!ctx || EVP_CipherInit_ex(ctx.get(), EVP_aes_128_cbc(), nullptr, key.data(), kZeroIv,
                                  encrypt ? 1 : 0) != 1) {
      return kCryptErrorProviderFailure;
    }
    const long long n = RunCipher(ctx.get(), encrypt, in, out);
    if (n < 0) return encrypt ? kCryptErrorProviderFailure : kCryptErrorBadData;
    *written = static_cast<std::size_t>(n);
    return 0;
  }
};

}  // namespace

const CryptoProvider& DefaultCryptoProvider() {
  static const OpenSslCryptoProvider provider;
  return provider;
}

}  // namespace xmlsecdb
