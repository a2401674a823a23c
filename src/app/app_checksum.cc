#include "app/app_checksum.h"

#include "core/ascii.h"
#include "core/error_report.h"
#include "core/messages.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {

bool IsLabelChecksumText(std::string_view text) {
  if (text.size() != 32 && text.size() != 40 && text.size() != 64) return false;
  bool any_non_zero = false;
  for (char c : text) {
    if (HexDigitValue(c) < 0) return false;
    if (c != '0') any_non_zero = true;
  }
  return any_non_zero;
}

HRESULT ChecksumItem::PutText(std::string_view setter, std::string& field,
                              std::string_view value) {
  const std::string source = std::string(family_.item_class) + "::" + std::string(setter);
  RETURN_IF_FAILED(CheckWritable(source));
  if (&field == &checksum_ && family_.checks_text && !IsLabelChecksumText(value)) {
    return ReportError(source, *family_.item_clsid, kMsgInvalidChecksum, IChecksum::kIID,
                       SECDB_E_BADCHECKSUM);
  }
  Change(field, std::string(value), LP_CHECKSUMS);
  return S_OK;
}

HRESULT ChecksumItem::put_Checksum(std::string_view checksum) {
  return PutText("put_Checksum()", checksum_, checksum);
}
HRESULT ChecksumItem::put_Version(std::string_view version) {
  return PutText("put_Version()", version_, version);
}
HRESULT ChecksumItem::put_TimeStamp(std::string_view stamp) {
  return PutText("put_TimeStamp()", time_stamp_, stamp);
}
HRESULT ChecksumItem::put_FileName(std::string_view name) {
  return PutText("put_FileName()", file_name_, name);
}

void ChecksumItem::set_fields(std::string_view checksum, std::string_view version,
                              std::string_view stamp, std::string_view file_name) {
  checksum_ = checksum;
  version_ = version;
  time_stamp_ = stamp;
  file_name_ = file_name;
}

template <class Item>
bool ChecksumList<Item>::Holds(std::string_view checksum) const {
  for (const Item* item : *this) {
    if (EqualsIgnoringAsciiCase(item->checksum(), checksum)) return true;
  }
  return false;
}

template <class Item>
HRESULT ChecksumList<Item>::Contain(std::string_view checksum, std::int16_t* found) {
  if (!found) return E_POINTER;
  *found = Holds(checksum) ? 1 : 0;
  return *found ? S_OK : S_FALSE;
}

template <class Item>
HRESULT ChecksumList<Item>::Append(std::string_view checksum, std::string_view file_name,
                                   std::string_view version, std::string_view stamp) {
  ComPtr<Item> item = this->NewItem();
  item->set_fields(checksum, version, stamp, file_name);
  return this->InsertMember(item.get());
}

template class ChecksumList<CChecksum>;
template class ChecksumList<CBGChecksum>;

}  // namespace xmlsecdb
