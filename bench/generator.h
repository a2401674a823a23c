// Deterministic generators of realistic databases for the benchmarks.
//
// Every generator writes a valid database of its kind as UTF-8 text, with
// every section and attribute of the kind in use, a few per cent of
// non-ASCII text and of characters that need escaping, and its elements in
// the order and spelling a save writes them: loading a generated file and
// asking for its Xml gives the same text back (the benchmarks check this
// before they measure). The same options always give the same text.
#ifndef XMLSECDB_BENCH_GENERATOR_H_
#define XMLSECDB_BENCH_GENERATOR_H_

#include <cstdint>
#include <span>
#include <string>

namespace xmlsecdb::bench {

struct GeneratorOptions {
  int rules = 10000;
  // The rules are written in the order a save writes them, as in every
  // file the agent or this library saved; `reverse` writes the same rules
  // backwards (for policy kinds, the worst case for loading).
  bool reverse = false;
  std::uint64_t seed = 1;
};

// One object type the rules of a policy kind use: its `ot` word and value
// (the first key of the rule order), the access types its descriptors name
// (word and mask, in the order the kind's table lists them), how a direct
// path of it looks, and the definition id prefix a rule by reference uses.
struct PolicyRuleShape {
  const char* object_type;
  std::int32_t object_type_value;
  std::span<const char* const> access_words;
  std::span<const std::int32_t> access_masks;
  // printf-style, one %d: the rule's path number.
  const char* path_format;
  // Empty: rules of this shape never reference a definition.
  const char* definition_prefix;
  bool dll_object = false;
};

// One kind of `Definitions` object: id prefix, `ot` word and one item.
struct PolicyDefinitionShape {
  const char* prefix;
  const char* object_type;
  const char* item_format;  // one %d: the definition number
  int count;
};

// What differs between the anti-malware, sandbox and data inspection
// databases: the rest of the file has one shape.
struct PolicyKindTable {
  const char* module;
  const char* schema;
  int minor_version;
  const char* globals;  // the `Globals` section, as saved
  std::span<const PolicyDefinitionShape> definitions;
  const char* guards;  // `activeGuardsMask` of the exception items
  std::span<const PolicyRuleShape> rules;
  bool writes_scan_item_list;  // `scanItemList_id` on every rule
  const char* custom;          // a `Custom` section, or nullptr
};

extern const PolicyKindTable kAntiMalwareTable;
extern const PolicyKindTable kSandboxTable;
extern const PolicyKindTable kDataInspectionTable;

// A policy database of `kind`, rules sorted as the rule comparison sorts
// them.
std::string GeneratePolicy(const PolicyKindTable& kind, const GeneratorOptions& options);

std::string GenerateAntiMalware(const GeneratorOptions& options);
std::string GenerateSandbox(const GeneratorOptions& options);
std::string GenerateDataInspection(const GeneratorOptions& options);

// An IDS database: groups of 1,000 rules (the last one shorter), every
// rule with two to five tokens; the rules keep the order they are listed
// in.
std::string GenerateIds(const GeneratorOptions& options);

// A firewall database: every rule family, definitions referenced by id,
// application rules with increasing orders (the order a save writes them).
std::string GenerateFirewall(const GeneratorOptions& options);

// An application repository of `rules` labels in key order (backwards
// when reversed) of every label type, a group for every 50 of them
// referencing each, and a DLL label for every ten labels, listed in order.
std::string GenerateAppRepository(const GeneratorOptions& options);

// `utf8` as a database file image: FF FE mark and UTF-16LE text.
std::string ToUtf16File(const std::string& utf8);

}  // namespace xmlsecdb::bench

#endif  // XMLSECDB_BENCH_GENERATOR_H_
