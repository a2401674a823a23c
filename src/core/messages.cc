#include "core/messages.h"

namespace xmlsecdb {
namespace {

struct Message {
  int id;
  std::string_view text;
};

constexpr Message kMessages[] = {
    {100, "XMLSecDBParser"},
    {101, "Cannot set XML Schema Cache 4.0 object to XML Reader."},
    {102, "XML file %s was not found."},
    {103, "Cannot parse XML file."},
    {104, "Fatal Error\nFile:\t\t%s\nLine number:\t%d\nMessage:\t\t%s"},
    {105, "Error\nFile:\t\t%s\nLine number:\t%d\nMessage:\t\t%s"},
    {106, "Object with gived ID already exists."},
    {107, "Item not found."},
    {108, "Current module parser is not intended for this XML Database."},
    {109, "Required attribute is missing."},
    {110, "Security database has invalid content."},
    {111, "Database is opened in read-only mode and cannot be modified."},
    {112, "Invalid object type."},
    {113, "ID of the object is used as reference somewhere and cannot be deleted or changed."},
    {114, "Cannot set this property for current label type."},
    {115, "This attribute name is reserved."},
    {116, "Cannot parse %s. Result=0x%08x:\nThe backup file is used."},
    {117, "Rule with given ID already exists."},
    {119, "Object has wrong ID."},
    {120, "Invalid value."},
    {123, "Invalid checksum."},
};

}  // namespace

std::string_view LoadMessage(int id) {
  for (const Message& m : kMessages) {
    if (m.id == id) return m.text;
  }
  return {};
}

}  // namespace xmlsecdb
