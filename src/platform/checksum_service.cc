// The real file checksum service (agent_services.h): SHA-256 through
// OpenSSL, as lower-case hexadecimal text.
#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <memory>

#include "platform/agent_services.h"

namespace xmlsecdb {
namespace {

constexpr std::int32_t kFileChecksum = 1;
constexpr std::int32_t kTextChecksum = 2;

struct DigestDeleter {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

// Hashes what `feed` hands it, chunk by chunk; E_FAIL when the library
// fails, or what `feed` returns.
template <typename Feed>
HRESULT Sha256Text(Feed feed, std::string* text) {
  std::unique_ptr<EVP_MD_CTX, DigestDeleter> context(EVP_MD_CTX_new());
  if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) return E_FAIL;
  const HRESULT hr = feed([&](const void* data, std::size_t size) {
    return EVP_DigestUpdate(context.get(), data, size) == 1;
  });
  if (Failed(hr)) return hr;
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int size = 0;
  if (EVP_DigestFinal_ex(context.get(), digest.data(), &size) != 1) return E_FAIL;
  constexpr char kDigits[] = "0123456789abcdef";
  text->clear();
  for (unsigned int i = 0; i < size; ++i) {
    *text += kDigits[digest[i] >> 4];
    *text += kDigits[digest[i] & 0xF];
  }
  return S_OK;
}

HRESULT HashText(std::string_view bytes, std::string* checksum) {
  return Sha256Text([&](auto update) { return update(bytes.data(), bytes.size()) ? S_OK : E_FAIL; },
                    checksum);
}

HRESULT HashFile(const std::string& path, std::string* checksum) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return HResultFromWin32(static_cast<std::uint32_t>(errno));
  // Only a regular file has a checksum: a pipe or device could block or
  // never end.
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const int error = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    close(fd);
    return HResultFromWin32(static_cast<std::uint32_t>(error));
  }
  const HRESULT hr = Sha256Text(
      [&](auto update) {
        std::array<char, 64 * 1024> buffer;
        for (;;) {
          const ssize_t got = read(fd, buffer.data(), buffer.size());
          if (got == 0) return S_OK;
          if (got < 0) {
            if (errno == EINTR) continue;
            return HResultFromWin32(static_cast<std::uint32_t>(errno));
          }
          if (!update(buffer.data(), static_cast<std::size_t>(got))) return E_FAIL;
        }
      },
      checksum);
  close(fd);
  return hr;
}

class SystemChecksumService final : public ChecksumService {
 public:
  HRESULT Compute(std::int32_t kind, std::string_view text, std::string* checksum) override {
    if (checksum == nullptr) return E_POINTER;
    if (kind == kFileChecksum) return HashFile(std::string(text), checksum);
    if (kind == kTextChecksum) return HashText(text, checksum);
    return E_INVALIDARG;
  }

  HRESULT Derive(std::int32_t, std::string_view checksum, std::string* derived) override {
    if (derived == nullptr) return E_POINTER;
    return HashText(checksum, derived);
  }
};

}  // namespace

ChecksumService& DefaultChecksumService() {
  static SystemChecksumService* const service = new SystemChecksumService;
  return *service;
}

}  // namespace xmlsecdb
