// The bytes of a database file: the UTF-16LE text behind its FF FE mark,
// through the crypt engine.
#ifndef XMLSECDB_CORE_DATABASE_IMAGE_H_
#define XMLSECDB_CORE_DATABASE_IMAGE_H_

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "core/crypt_engine.h"
#include "platform/file_system.h"
#include "platform/xml_writer.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

// Decrypts a file's bytes with `engine` (a copy when it has no key). False
// when the engine refuses them.
bool DecryptDatabaseImage(const CCryptEngine& engine, std::string_view bytes, std::string* image);

// The file image of `utf8_text`: mark, UTF-16LE text, then encryption.
// E_INVALIDARG for text that is not UTF-8; the engine's failure otherwise.
HRESULT BuildDatabaseImage(const CCryptEngine& engine, std::string_view utf8_text,
                           std::string* image);

// Streams the image of a database without a key to `path` of `files`: the
// mark, then each chunk an XmlWriter hands over, as UTF-16LE, through one
// reused buffer. The file is opened at the first chunk, so a document the
// writer refuses early never creates one; Commit replaces `path` with it.
class PlainImageSink : public XmlSink {
 public:
  PlainImageSink(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

  HRESULT Write(std::string_view utf8) override;
  // After the writer's EndDocument succeeded.
  [[nodiscard]] HRESULT Commit() { return file_ ? file_->Commit() : E_UNEXPECTED; }
  // The failure of the file itself (open or write), if the last Write
  // failed for that reason.
  HRESULT file_error() const { return file_error_; }

 private:
  FileSystem& files_;
  std::string path_;
  std::unique_ptr<AtomicFile> file_;
  std::string buffer_;
  HRESULT file_error_ = S_OK;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_DATABASE_IMAGE_H_
