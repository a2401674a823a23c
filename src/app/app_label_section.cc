#include "app/app_label_section.h"

#include <optional>
#include <type_traits>

#include "core/error_report.h"
#include "core/messages.h"
#include "core/number_text.h"
#include "core/return_if_failed.h"
#include "platform/debug_log.h"
#include "platform/sax_reader.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kPath = "Path";
constexpr std::string_view kChecksum = "Chksm";
constexpr std::string_view kRedirection = "IdentityRedirection";

bool HasAccessFields(std::int32_t type) {
  return type == LT_CHECKSUM_AND_PATH || type == LT_CHECKSUM_AND_NAME;
}

// Which types write their checksums: every checksum type for labels; for
// DLL labels only the plain checksum ones.
template <class Label>
bool WritesChecksums(std::int32_t type) {
  if constexpr (std::is_same_v<Label, CLabel>) {
    return TypeChecksChecksum(type);
  } else {
    return type == LT_CHECKSUM || HasAccessFields(type);
  }
}

}  // namespace

template <class List, class Label>
HRESULT LabelListSection<List, Label>::StartElement(SectionReadContext& context,
                                                    std::string_view name,
                                                    std::string_view parent,
                                                    const SaxAttributes& attributes,
                                                    bool* handled) {
  if (name == format_.item_element && parent == format_.list_element) {
    *handled = true;
    return StartLabel(context, attributes);
  }
  if (!label_ || parent != format_.item_element) return S_OK;
  if (name == kPath) {
    *handled = true;
  } else if (name == kChecksum) {
    *handled = true;
    ComPtr<ChecksumItem> item(label_->checksums()->NewItem().get());
    item->set_fields({}, attributes.Find("binver").value_or(""),
                     attributes.Find("timestamp").value_or(""),
                     attributes.Find("origname").value_or(""));
    checksum_ = std::move(item);
  } else if constexpr (std::is_same_v<Label, CLabel>) {
    if (name == kRedirection) {
      *handled = true;
      std::optional<std::string_view> id = attributes.Find("id");
      if (!id) return context.Fail(kMsgMissingAttribute, kCannotInsertRedirection);
      label_->identity_redirections()->Append(*id);
    }
  }
  return S_OK;
}

template <class List, class Label>
HRESULT LabelListSection<List, Label>::StartLabel(SectionReadContext& context,
                                                  const SaxAttributes& attributes) {
  label_.Reset();
  checksum_.Reset();
  const LabelFailureTexts& failures = format_.failures;
  std::optional<std::string_view> id = attributes.Find("id");
  if (!id) return context.Fail(kMsgMissingAttribute, failures.missing_id);
  ELabelType type = LT_PATH;
  RETURN_IF_FAILED(
      ReadWordAttribute(context, kLabelType, attributes.Find("type"), failures.type, &type));
  EAccessResult result = AR_ALLOW;
  if (std::optional<std::string_view> ar = attributes.Find("ar")) {
    std::optional<EAccessResult> word = ValueFromText(kAccessResult, *ar);
    if (!word) return context.Fail(kMsgInvalidContent, failures.wrong_ar);
    result = *word;
  }
  EAuditLevel level = AL_IGNORE;
  if (ReadAuditLevel(attributes.Find("al"), TextCase::kSensitive, &level) != ReadStatus::kOk) {
    return context.Fail(kMsgInvalidContent, failures.wrong_al);
  }

  ComPtr<Label> label = this->list()->NewItem();
  label->set_id(*id);
  label->set_type(type);
  label->set_description(attributes.Find("desc").value_or(""));
  label->set_ui_flags(attributes.Find("uiflags").value_or(""));
  if (HasAccessFields(type)) label->set_access(result, level);
  if constexpr (std::is_same_v<Label, CLabel>) {
    label->set_ass_group(attributes.Find("assgroup").value_or(""));
    label->set_marks(FlagFromText(attributes.Find("lm").value_or("")) ? 1 : 0,
                     FlagFromText(attributes.Find("knownapp").value_or("")) ? 1 : 0,
                     static_cast<std::int32_t>(ReadHex(attributes.Find("proc_id").value_or(""))));
  }
  label_ = std::move(label);
  return S_OK;
}

template <class List, class Label>
HRESULT LabelListSection<List, Label>::EndElement(SectionReadContext&, std::string_view name,
                                                  std::string_view parent,
                                                  std::string_view text) {
  if (name == format_.item_element && parent == format_.list_element) {
    ComPtr<Label> label = std::move(label_);
    checksum_.Reset();
    if (!label) return S_OK;
    if constexpr (std::is_same_v<Label, CLabel>) {
      return this->list()->InsertLoaded(label.get(), label->id());
    } else {
      return this->list()->AppendLoaded(label.get());
    }
  }
  if (!label_) return S_OK;
  if (name == kPath) {
    label_->set_path(text);
  } else if (name == kChecksum && checksum_) {
    checksum_->set_fields(text, checksum_->version(), checksum_->time_stamp(),
                          checksum_->file_name());
    ComPtr<ChecksumItem> item = std::move(checksum_);
    return label_->checksums()->Insert(item.get());
  }
  return S_OK;
}

template <class List, class Label>
HRESULT LabelListSection<List, Label>::Write(XmlWriter& writer) {
  const std::string list_class(format_.save_name);
  const bool logs = !list_class.empty();
  if (logs) DebugLog("ZelXmlSd: %s::Save started\n", list_class.c_str());
  HRESULT hr = writer.StartElement(format_.list_element);
  for (auto it = this->list()->begin(); Succeeded(hr) && it != this->list()->end(); ++it) {
    hr = WriteLabel(writer, **it);
  }
  if (Succeeded(hr)) hr = writer.EndElement(format_.list_element);
  if (!logs) return hr;
  if (Succeeded(hr)) {
    DebugLog("ZelXmlSd: %s::Save ended hr=S_OK\n", list_class.c_str());
  } else {
    DebugLog("ZelXmlSd: %s::Save ended hr=0x%08x\n", list_class.c_str(),
             static_cast<unsigned>(hr));
  }
  return hr;
}

template <class List, class Label>
HRESULT LabelListSection<List, Label>::WriteLabel(XmlWriter& writer, const Label& label) {
  const std::int32_t type = label.type();
  attributes_.Clear();
  attributes_.Add("id", label.id());
  if (std::optional<std::string_view> word =
          TextFromValue(kLabelType, static_cast<ELabelType>(type))) {
    attributes_.Add("type", *word);
  }
  if constexpr (std::is_same_v<Label, CLabel>) {
    if (!label.ass_group().empty()) attributes_.Add("assgroup", label.ass_group());
  }
  if (!label.description().empty()) attributes_.Add("desc", label.description());
  if (!label.ui_flags().empty()) attributes_.Add("uiflags", label.ui_flags());
  if (HasAccessFields(type)) {
    if (label.access_result() != AR_ALLOW) {
      if (std::optional<std::string_view> word = TextFromValue(
              kAccessResult, static_cast<EAccessResult>(label.access_result()))) {
        attributes_.Add("ar", *word);
      }
    }
    attributes_.Add("al", AuditLevelText(static_cast<EAuditLevel>(label.audit_level())));
  }
  if constexpr (std::is_same_v<Label, CLabel>) {
    if (label.learning_mode() != 0) attributes_.Add("lm", "1");
    if (label.known_app() != 0) attributes_.Add("knownapp", "1");
    if (label.process_id() != 0) {
      attributes_.Add("proc_id", FormatText("%08X", static_cast<unsigned>(label.process_id())));
    }
  }
  RETURN_IF_FAILED(writer.StartElement(format_.item_element, attributes_));
  if (type >= LT_PATH && type <= LT_SIGNED_AND_NAME) {
    RETURN_IF_FAILED(writer.StartElement(kPath));
    RETURN_IF_FAILED(writer.Characters(label.path()));
    RETURN_IF_FAILED(writer.EndElement(kPath));
  }
  const auto* checksums = label.checksums_if_any();
  if (checksums && WritesChecksums<Label>(type)) {
    for (const auto* checksum : *checksums) {
      attributes_.Clear();
      if (!checksum->version().empty()) attributes_.Add("binver", checksum->version());
      if (!checksum->time_stamp().empty()) attributes_.Add("timestamp", checksum->time_stamp());
      if (!checksum->file_name().empty()) attributes_.Add("origname", checksum->file_name());
      RETURN_IF_FAILED(writer.StartElement(kChecksum, attributes_));
      RETURN_IF_FAILED(writer.Characters(checksum->checksum()));
      RETURN_IF_FAILED(writer.EndElement(kChecksum));
    }
  }
  const CSimpleValueList* redirections = nullptr;
  if constexpr (std::is_same_v<Label, CLabel>) redirections = label.identity_redirections_if_any();
  if (redirections) {
    for (const std::string& id : redirections->values()) {
      if (id.empty()) continue;
      attributes_.Clear();
      attributes_.Add("id", id);
      RETURN_IF_FAILED(writer.StartElement(kRedirection, attributes_));
      RETURN_IF_FAILED(writer.EndElement(kRedirection));
    }
  }
  return writer.EndElement(format_.item_element);
}

template <class List, class Label>
void LabelListSection<List, Label>::Clear() {
  checksum_.Reset();
  label_.Reset();
  // Groups reference labels, but emptying the whole model is no removal.
  (void)this->list()->ClearMembers();
}

template class LabelListSection<CLabelList, CLabel>;
template class LabelListSection<CDllLabelList, CDllLabel>;

}  // namespace xmlsecdb
