#include "core/database_image.h"

#include <cstdint>

#include "platform/utf.h"

namespace xmlsecdb {
namespace {

// The engine counts in 32 bits; larger images are refused whole.
constexpr std::size_t kMaxImage = 0xFFFFFF00u;

}  // namespace

bool DecryptDatabaseImage(const CCryptEngine& engine, std::string_view bytes, std::string* image) {
  if (bytes.size() > kMaxImage) return false;
  auto in = reinterpret_cast<const std::uint8_t*>(bytes.data());
  auto in_len = static_cast<std::uint32_t>(bytes.size());
  image->assign(engine.GetDecryptedSize(in, in_len), '\0');
  auto out_len = static_cast<std::uint32_t>(image->size());
  if (engine.Decrypt(in, in_len, reinterpret_cast<std::uint8_t*>(image->data()), &out_len) != 0) {
    return false;
  }
  image->resize(out_len);
  return true;
}

HRESULT BuildDatabaseImage(const CCryptEngine& engine, std::string_view utf8_text,
                           std::string* image) {
  std::string plain("\xFF\xFE", 2);
  plain.reserve(2 + utf8_text.size() * 2);
  if (!Utf8ToUtf16LE(utf8_text, &plain)) return E_INVALIDARG;
  if (plain.size() > kMaxImage) return E_OUTOFMEMORY;
  auto in = reinterpret_cast<const std::uint8_t*>(plain.data());
  auto in_len = static_cast<std::uint32_t>(plain.size());
  std::uint32_t size = engine.GetEncryptedSize(in, in_len);
  if (size == 0) return E_OUTOFMEMORY;
  image->assign(size, '\0');
  std::uint32_t out_len = size;
  std::uint32_t error =
      engine.Encrypt(in, in_len, reinterpret_cast<std::uint8_t*>(image->data()), &out_len);
  if (error != 0) return HResultFromWin32(error);
  image->resize(out_len);
  return S_OK;
}

HRESULT PlainImageSink::Write(std::string_view utf8) {
  buffer_.clear();
  if (!file_) {
    if (HRESULT hr = files_.NewAtomicFile(path_, &file_); Failed(hr)) return file_error_ = hr;
    buffer_.assign("\xFF\xFE", 2);
  }
  if (!Utf8ToUtf16LE(utf8, &buffer_)) return E_INVALIDARG;
  if (HRESULT hr = file_->Append(buffer_); Failed(hr)) return file_error_ = hr;
  return S_OK;
}

}  // namespace xmlsecdb
