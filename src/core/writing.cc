// The writing half of ParserCore: the document frame, the custom sections,
// and Save's file image.
#include <vector>

#include "core/ascii.h"
#include "core/database_image.h"
#include "core/error_report.h"
#include "core/parser.h"
#include "core/return_if_failed.h"
#include "platform/file_system.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kSchemaInstance = "http://www.w3.org/2001/XMLSchema-instance";
constexpr std::string_view kCustomSection = "Custom";
// Without a key the file is written as the writer goes, in chunks of this
// size: a save needs memory for one chunk, not for the whole document.
constexpr std::size_t kSaveChunk = 256 * 1024;

bool Selected(const ParserKind& kind, std::string_view section, std::string_view name) {
  if (section.empty()) return true;
  if (name.empty()) return false;
  return kind.section_names_any_case ? EqualsIgnoringAsciiCase(section, name) : section == name;
}

}  // namespace

HRESULT WriteCustomStore(XmlWriter& writer, const CustomStore& store) {
  XmlAttributes attributes;
  using NodeId = CustomStore::NodeId;
  NodeId node = store.first_child(CustomStore::kRoot);
  while (node != CustomStore::kNone) {
    if (store.type(node) == CustomStore::Type::kText) {
      RETURN_IF_FAILED(writer.Characters(store.text(node)));
    } else {
      attributes.Clear();
      for (std::uint32_t i = 0; i < store.attribute_count(node); ++i) {
        CustomStore::Attribute attribute = store.attribute(node, i);
        attributes.Add(attribute.name, attribute.value);
      }
      RETURN_IF_FAILED(writer.StartElement(store.text(node), attributes));
      if (NodeId child = store.first_child(node); child != CustomStore::kNone) {
        node = child;
        continue;
      }
      RETURN_IF_FAILED(writer.EndElement(store.text(node)));
    }
    // Next in document order: the next sibling, else close ancestors.
    while (store.next_sibling(node) == CustomStore::kNone) {
      node = store.parent(node);
      if (node == CustomStore::kRoot) return S_OK;
      RETURN_IF_FAILED(writer.EndElement(store.text(node)));
    }
    node = store.next_sibling(node);
  }
  return S_OK;
}

HRESULT ParserCore::WriteSections(XmlWriter& writer, std::string_view section) {
  for (Section* s : sections_) {
    if (Selected(kind_, section, s->element()) || Selected(kind_, section, s->combined_name())) {
      BeforeSectionWrite(*s);
      RETURN_IF_FAILED(s->Write(writer));
    }
  }
  return S_OK;
}

HRESULT ParserCore::WriteDocument(XmlWriter& writer, std::string_view section) {
  writer.StartDocument();
  RETURN_IF_FAILED(writer.StartElement(
      "SecDb", {{"xmlns:xsi", kSchemaInstance}, {"xsi:noNamespaceSchemaLocation", kind_.schema_file}}));
  XmlAttributes version;
  auto bits = static_cast<std::uint32_t>(version_);
  version.AddInt("major", static_cast<std::int32_t>(bits >> 16));
  if ((bits & 0xFFFFu) != 0) version.AddInt("minor", static_cast<std::int32_t>(bits & 0xFFFFu));
  RETURN_IF_FAILED(writer.StartElement("VersionInfo", version));
  RETURN_IF_FAILED(writer.EndElement("VersionInfo"));
  RETURN_IF_FAILED(writer.StartElement("Module", {{"id", kind_.module_text}}));
  RETURN_IF_FAILED(writer.EndElement("Module"));
  SortListsIfModified();
  RETURN_IF_FAILED(WriteSections(writer, section));
  if (kind_.writes_custom_sections && Selected(kind_, section, kCustomSection)) {
    RETURN_IF_FAILED(WriteCustomStore(writer, custom_));
  }
  RETURN_IF_FAILED(writer.EndElement("SecDb"));
  return writer.EndDocument();
}

HRESULT ParserCore::ProduceText(std::string_view section, std::string_view source,
                                std::string* text) {
  XmlWriter writer;
  HRESULT hr = WriteDocument(writer, section);
  if (Failed(hr)) {
    if (!writer.error().empty()) {
      return ReportErrorText(source, *kind_.clsid, writer.error(), *kind_.parser_iid, hr);
    }
    return hr;
  }
  *text = writer.TakeOutput();
  return S_OK;
}

HRESULT ParserCore::GetXml(std::string_view section, std::string* xml) {
  if (!xml) return E_INVALIDARG;
  return ProduceText(section, Source(section.empty() ? "get_Xml" : "XmlEx"), xml);
}

HRESULT ParserCore::SaveDatabase(std::string_view path) {
  HRESULT hr = CheckWritable(Source("Save"));
  if (Failed(hr)) return hr;
  FireEvent(DISPID_OnBeforeSave);
  hr = SaveBase(path.empty() ? file_path_ : std::string(path));
  FireEvent(DISPID_OnAfterSave);
  return hr;
}

HRESULT ParserCore::SaveBase(const std::string& path) {
  if (path.empty()) return E_INVALIDARG;
  RETURN_IF_FAILED(crypt_key_.empty() ? StreamPlainFile(path) : WriteEncryptedFile(path));
  ArmWatch(path);
  watching_ = true;
  file_path_ = path;
  return S_OK;
}

HRESULT ParserCore::StreamPlainFile(const std::string& path) {
  RETURN_IF_FAILED(ApplyCryptKey(Source("Save")));
  PlainImageSink sink(*env_->file_system, path);
  XmlWriter writer;
  writer.StreamTo(&sink, kSaveChunk);
  HRESULT hr = WriteDocument(writer, {});
  if (Failed(hr)) {
    if (!writer.error().empty()) {
      return ReportErrorText(Source("Save"), *kind_.clsid, writer.error(), *kind_.parser_iid, hr);
    }
    if (Failed(sink.file_error())) return ReportWriteFailure(path, hr);
    return hr;
  }
  hr = sink.Commit();
  if (Failed(hr)) return ReportWriteFailure(path, hr);
  return S_OK;
}

HRESULT ParserCore::WriteEncryptedFile(const std::string& path) {
  std::string text;
  RETURN_IF_FAILED(ProduceText({}, Source("Save"), &text));
  RETURN_IF_FAILED(ApplyCryptKey(Source("Save")));

  // The whole image — mark, UTF-16 text, encryption — exists before the
  // file is touched, and the file is replaced in one rename, so a failure
  // at any step leaves the previous database as it was.
  std::string image;
  HRESULT hr = BuildDatabaseImage(*engine_, text, &image);
  if (Failed(hr)) {
    return ReportErrorText(Source("Save"), *kind_.clsid, "The database could not be encrypted.",
                           *kind_.parser_iid, hr);
  }
  std::string().swap(text);
  hr = env_->file_system->WriteWholeFile(path, image);
  if (Failed(hr)) return ReportWriteFailure(path, hr);
  return S_OK;
}

HRESULT ParserCore::ReportWriteFailure(const std::string& path, HRESULT hr) {
  // A device or FIFO would take the bytes but could never be replaced whole.
  const char* format = hr == kNotRegularFile
                           ? "The file %s could not be written: it is not a regular file."
                           : "The file %s could not be written.";
  return ReportErrorText(Source("Save"), *kind_.clsid, FormatText(format, path.c_str()),
                         *kind_.parser_iid, hr);
}

}  // namespace xmlsecdb
