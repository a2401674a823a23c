// CChecksum/CChecksumList (a label's known checksums) and their twins
// CBGChecksum/CBGChecksumList (a DLL label's): one item and one list, with
// the differences — class names, and whether the checksum text is checked
// — in a ChecksumFamily.
//
// The list's owner is the label or DLL label: it turns every notice of the
// list and of its items into a change of itself (LP_CHECKSUMS), raised only
// while it is a member of its own list.
#ifndef XMLSECDB_APP_APP_CHECKSUM_H_
#define XMLSECDB_APP_APP_CHECKSUM_H_

#include <string>
#include <string_view>

#include "app/app_dispatch.h"
#include "list/list_item.h"
#include "list/plain_list.h"
#include "xmlsecdb/app.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_Checksum = MakeGuid("{5EC0DB00-0E10-4000-8000-5EC0DB000E10}");
inline constexpr CLSID CLSID_ChecksumList = MakeGuid("{5EC0DB00-0E11-4000-8000-5EC0DB000E11}");
inline constexpr CLSID CLSID_BGChecksum = MakeGuid("{5EC0DB00-0E12-4000-8000-5EC0DB000E12}");
inline constexpr CLSID CLSID_BGChecksumList = MakeGuid("{5EC0DB00-0E13-4000-8000-5EC0DB000E13}");

struct ChecksumFamily {
  std::string_view item_class;  // "CChecksum"
  const CLSID* item_clsid;
  bool checks_text;  // put_Checksum accepts only a label checksum
};

inline constexpr ChecksumFamily kLabelChecksums = {"CChecksum", &CLSID_Checksum, true};
inline constexpr ChecksumFamily kDllLabelChecksums = {"CBGChecksum", &CLSID_BGChecksum, false};

// Whether `text` is a label checksum: 32, 40 or 64 hexadecimal digits, not
// all "0".
bool IsLabelChecksumText(std::string_view text);

class ChecksumItem : public ItemObject<ListItemBase, IChecksum> {
 public:
  HRESULT get_Checksum(std::string* checksum) override { return GetField(checksum_, checksum); }
  HRESULT put_Checksum(std::string_view checksum) override;
  HRESULT get_Version(std::string* version) override { return GetField(version_, version); }
  HRESULT put_Version(std::string_view version) override;
  HRESULT get_TimeStamp(std::string* stamp) override { return GetField(time_stamp_, stamp); }
  HRESULT put_TimeStamp(std::string_view stamp) override;
  HRESULT get_FileName(std::string* name) override { return GetField(file_name_, name); }
  HRESULT put_FileName(std::string_view name) override;

  const std::string& checksum() const { return checksum_; }
  const std::string& version() const { return version_; }
  const std::string& time_stamp() const { return time_stamp_; }
  const std::string& file_name() const { return file_name_; }
  // For loaders and the library's own enrolment: no check, no notices.
  void set_fields(std::string_view checksum, std::string_view version, std::string_view stamp,
                  std::string_view file_name);

 protected:
  explicit ChecksumItem(const ChecksumFamily& family) : family_(family) {}

 private:
  HRESULT PutText(std::string_view setter, std::string& field, std::string_view value);

  const ChecksumFamily& family_;
  std::string checksum_;
  std::string version_;
  std::string time_stamp_;
  std::string file_name_;
};

class CChecksum final : public ChecksumItem {
 public:
  CChecksum() : ChecksumItem(kLabelChecksums) {}
};
class CBGChecksum final : public ChecksumItem {
 public:
  CBGChecksum() : ChecksumItem(kDllLabelChecksums) {}
};

inline constexpr ListTraits kChecksumListTraits = {.class_name = "CChecksumList",
                                                   .create_name = "CreateChecksum",
                                                   .clsid = &CLSID_ChecksumList,
                                                   .iid = &IChecksumList::kIID};
inline constexpr ListTraits kBGChecksumListTraits = {.class_name = "CBGChecksumList",
                                                     .create_name = "CreateChecksum",
                                                     .clsid = &CLSID_BGChecksumList,
                                                     .iid = &IChecksumList::kIID};

template <class Item>
class ChecksumList final : public PlainList<IChecksumList, Item, IChecksum> {
  using Base = PlainList<IChecksumList, Item, IChecksum>;

 public:
  ChecksumList(IListOwner* label, const ListTraits& traits) : Base(label, traits) {}

  HRESULT CreateChecksum(IChecksum** checksum) override { return this->Create(checksum); }
  HRESULT Insert(IChecksum* checksum) override { return Base::Insert(checksum); }
  HRESULT Remove(IChecksum* checksum) override { return Base::Remove(checksum); }
  HRESULT Clear() override { return this->ClearMembers(); }
  HRESULT Contain(std::string_view checksum, std::int16_t* found) override;

  // Whether a member's Checksum equals `checksum` ignoring ASCII case.
  bool Holds(std::string_view checksum) const;
  // Appends a new item with these texts, the text unchecked, through
  // Insert (the read-only guard and the owner's change); for loaders and
  // enrolment.
  [[nodiscard]] HRESULT Append(std::string_view checksum, std::string_view file_name,
                               std::string_view version = {}, std::string_view stamp = {});
};

using CChecksumList = ChecksumList<CChecksum>;
using CBGChecksumList = ChecksumList<CBGChecksum>;

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_CHECKSUM_H_
