#include "model/access_descriptor_xml.h"

#include <charconv>

#include "core/messages.h"
#include "core/return_if_failed.h"
#include "model/attribute_read.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kFullMaskWord = "*";

std::optional<std::int32_t> FullMask(const AccessDescConfig& config, std::int32_t object_type) {
  for (const AccessTypeMask& entry : config.full_masks) {
    if (entry.object_type == object_type) return entry.mask;
  }
  return std::nullopt;
}

// "Severity<n>" as AuditLevelText spells it, without a heap string per
// element.
class AuditLevelBuffer {
 public:
  explicit AuditLevelBuffer(EAuditLevel level) {
    constexpr std::string_view kPrefix = "Severity";
    kPrefix.copy(text_, kPrefix.size());
    auto end = std::to_chars(text_ + kPrefix.size(), text_ + sizeof(text_),
                             static_cast<std::uint32_t>(level))
                   .ptr;
    size_ = static_cast<std::size_t>(end - text_);
  }
  std::string_view view() const { return {text_, size_}; }

 private:
  char text_[24];
  std::size_t size_;
};

}  // namespace

std::optional<std::int32_t> AccessTypeFromText(const AccessDescConfig& config,
                                               std::int32_t object_type, std::string_view text) {
  if (!config.fixed_at.empty()) return config.at_default;
  if (text == kFullMaskWord) return FullMask(config, object_type).value_or(config.at_default);
  for (const AccessTypeName& entry : config.names) {
    if (entry.name == text) return entry.value;
  }
  return config.at_if_unknown;
}

std::optional<std::string_view> AccessTypeText(const AccessDescConfig& config,
                                               std::int32_t object_type, std::int32_t access_type) {
  if (!config.fixed_at.empty()) return config.fixed_at;
  for (const AccessTypeName& entry : config.names) {
    if (entry.object_type == object_type && entry.value == access_type) return entry.name;
  }
  if (config.write_full_mask && FullMask(config, object_type) == access_type) {
    return kFullMaskWord;
  }
  return std::nullopt;
}

HRESULT ReadAccessDescFields(SectionReadContext& context, const SaxAttributes& attributes,
                             std::int32_t object_type, const AccessDescConfig& config,
                             AccessDescFields* fields) {
  fields->access_type = config.at_default;
  if (std::optional<std::string_view> at = attributes.Find("at")) {
    std::optional<std::int32_t> access_type = AccessTypeFromText(config, object_type, *at);
    if (!access_type) return context.Fail(kMsgInvalidContent, config.wrong_at);
    fields->access_type = *access_type;
  }

  RETURN_IF_FAILED(ReadWordAttribute(context, kAccessResult, attributes.Find("ar"),
                                     {config.missing_ar, config.wrong_ar}, &fields->access_result));

  std::optional<std::string_view> al = attributes.Find("al");
  if (!al && !config.missing_al.empty()) {
    return context.Fail(kMsgMissingAttribute, config.missing_al);
  }
  if (ReadAuditLevel(al, config.audit_prefix_case, &fields->audit_level) != ReadStatus::kOk) {
    return context.Fail(kMsgInvalidContent, config.wrong_al);
  }
  return S_OK;
}

HRESULT ReadAccessDesc(SectionReadContext& context, const SaxAttributes& attributes,
                       std::int32_t object_type, const AccessDescConfig& config,
                       CAccessDescriptorList& list) {
  AccessDescFields fields;
  RETURN_IF_FAILED(ReadAccessDescFields(context, attributes, object_type, config, &fields));
  ComPtr<IAccessDescriptor> item;
  RETURN_IF_FAILED(list.CreateAccessDescriptor(item.Put()));
  RETURN_IF_FAILED(item->put_AccessResult(fields.access_result));
  RETURN_IF_FAILED(item->put_AccessType(fields.access_type));
  RETURN_IF_FAILED(item->put_AuditLevel(fields.audit_level));
  return list.Insert(item.get());
}

HRESULT WriteAccessDesc(XmlWriter& writer, XmlAttributes& attributes,
                        const CAccessDescriptor& descriptor, std::int32_t object_type,
                        const AccessDescConfig& config) {
  attributes.Clear();
  if (std::optional<std::string_view> at =
          AccessTypeText(config, object_type, descriptor.access_type())) {
    attributes.Add("at", *at);
  }
  if (std::optional<std::string_view> ar = WordToWrite(kAccessResult, descriptor.access_result())) {
    attributes.Add("ar", *ar);
  }
  attributes.Add("al", AuditLevelBuffer(descriptor.audit_level()).view());
  RETURN_IF_FAILED(writer.StartElement(kAccessDescElement, attributes));
  return writer.EndElement(kAccessDescElement);
}

HRESULT WriteAccessDescs(XmlWriter& writer, XmlAttributes& attributes,
                         const CAccessDescriptorList& list, std::int32_t object_type,
                         const AccessDescConfig& config) {
  for (const CAccessDescriptor* descriptor : list) {
    RETURN_IF_FAILED(WriteAccessDesc(writer, attributes, *descriptor, object_type, config));
  }
  return S_OK;
}

}  // namespace xmlsecdb
