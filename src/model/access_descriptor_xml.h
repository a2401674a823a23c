// The `AccessDesc` element: one access descriptor of the rule whose
// element encloses it.
//
//   <AccessDesc at="FileRead" ar="Prevent" al="Severity3"/>
//
// A rule section reads each `AccessDesc` child with ReadAccessDesc and
// writes its rule's descriptors with WriteAccessDescs. What differs between
// kinds — the access-type words, what "*" stands for, what an absent or
// unknown `at` gives, how the audit-level prefix is compared, the failure
// suffixes — is an AccessDescConfig; each kind's config is in its folder's
// <kind>_words.h.
//
// Stateless; the functions may be called from any thread that may use the
// list they are given.
#ifndef XMLSECDB_MODEL_ACCESS_DESCRIPTOR_XML_H_
#define XMLSECDB_MODEL_ACCESS_DESCRIPTOR_XML_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/section.h"
#include "model/access_descriptor.h"
#include "model/vocabulary.h"
#include "platform/xml_writer.h"

namespace xmlsecdb {

inline constexpr std::string_view kAccessDescElement = "AccessDesc";

// One access-type word. Reading matches the name whatever the rule's object
// type; writing names a value with the first entry of the rule's object type
// that has it, so an entry that only reads (an older spelling) follows the
// one that writes the same value.
struct AccessTypeName {
  std::int32_t object_type;
  std::string_view name;
  std::int32_t value;
};

// What "*" stands for on a rule of one object type.
struct AccessTypeMask {
  std::int32_t object_type;
  std::int32_t mask;
};

struct AccessDescConfig {
  std::span<const AccessTypeName> names = {};
  std::span<const AccessTypeMask> full_masks = {};
  // Whether a value equal to its object type's full mask is written as "*"
  // (when no name has the value).
  bool write_full_mask = true;
  // When not empty, `at` is always written with this text and never read
  // (every text gives `at_default`).
  std::string_view fixed_at = {};
  // The access type of an `AccessDesc` without `at`, and of "*" on a rule
  // whose object type has no full mask.
  std::int32_t at_default = 0;
  // What an unknown `at` word gives; std::nullopt fails with message 110
  // and `wrong_at`.
  std::optional<std::int32_t> at_if_unknown = std::nullopt;
  // How "Severity" is compared in `al`.
  TextCase audit_prefix_case = TextCase::kInsensitive;
  std::string_view missing_ar = {};  // 109
  std::string_view wrong_ar = {};    // 110
  // 109 for an absent `al`; empty: `al` is optional and defaults to 0.
  std::string_view missing_al = {};
  std::string_view wrong_al = {};  // 110
  std::string_view wrong_at = {};  // 110
};

// The converted attributes of one `AccessDesc`.
struct AccessDescFields {
  std::int32_t access_type = 0;
  EAccessResult access_result = AR_ALLOW;
  EAuditLevel audit_level = AL_IGNORE;
};

// The access type `text` stands for on a rule of `object_type`: a name,
// "*", or config.at_if_unknown; std::nullopt for an unknown word that
// fails.
std::optional<std::int32_t> AccessTypeFromText(const AccessDescConfig& config,
                                               std::int32_t object_type, std::string_view text);

// The `at` text written for `access_type` on a rule of `object_type`;
// std::nullopt writes no `at`.
std::optional<std::string_view> AccessTypeText(const AccessDescConfig& config,
                                               std::int32_t object_type, std::int32_t access_type);

// Converts the attributes of an `AccessDesc` (`at`, then `ar`, then `al`).
// A content error is reported through context.Fail, whose result is
// returned; *fields is then unspecified.
[[nodiscard]] HRESULT ReadAccessDescFields(SectionReadContext& context,
                                           const SaxAttributes& attributes,
                                           std::int32_t object_type, const AccessDescConfig& config,
                                           AccessDescFields* fields);

// Reads an `AccessDesc` of a rule of `object_type` into a new descriptor of
// `list` (made with CreateAccessDescriptor, its access result, access type
// and audit level set in that order, then inserted at the end). Returns a
// content failure from context.Fail or the failure of a list call.
[[nodiscard]] HRESULT ReadAccessDesc(SectionReadContext& context, const SaxAttributes& attributes,
                                     std::int32_t object_type, const AccessDescConfig& config,
                                     CAccessDescriptorList& list);

// Writes one `AccessDesc` with `at`, `ar`, `al` in that order; `ar` is left
// out for a result without a word, `al` is always "Severity<n>".
// `attributes` is scratch space: cleared here, so a section may pass the
// one it wrote the `Rule` start tag with.
[[nodiscard]] HRESULT WriteAccessDesc(XmlWriter& writer, XmlAttributes& attributes,
                                      const CAccessDescriptor& descriptor, std::int32_t object_type,
                                      const AccessDescConfig& config);

// One `AccessDesc` per member of `list`, in order.
[[nodiscard]] HRESULT WriteAccessDescs(XmlWriter& writer, XmlAttributes& attributes,
                                       const CAccessDescriptorList& list, std::int32_t object_type,
                                       const AccessDescConfig& config);

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_ACCESS_DESCRIPTOR_XML_H_
