#include "ids/ids_parser.h"

#include <algorithm>
#include <vector>

#include "core/parser_kinds.h"
#include "list/owned.h"

namespace xmlsecdb {
namespace {

// Signature ids handed out for local signatures lie in this range.
constexpr std::uint32_t kFirstLocalSID = 0x40000000u;
constexpr std::uint32_t kLastLocalSID = 0xBFFFFFFFu;

}  // namespace

CIDSParser::CIDSParser() : ParserObjectEx(ParserKindOf(MODULE_IDS)) {
  AddSection(&globals_);
  AddSection(&definitions_);
  AddSection(&groups_);
  AddSection(&rule_sets_);
}

HRESULT CIDSParser::get_GroupList(IIDSGroupList** groups) {
  return GetOwned(groups_.list(), groups);
}

HRESULT CIDSParser::get_GlobalOptions(IPropertyList** options) {
  return GetOwned(globals_.list(), options);
}

HRESULT CIDSParser::get_DefinitionList(IDefinitionList** definitions) {
  return GetOwned(definitions_.list(), definitions);
}

HRESULT CIDSParser::get_RuleSetList(IRuleSetList** rule_sets) {
  return GetOwned(rule_sets_.list(), rule_sets);
}

HRESULT CIDSParser::GenerateSID(std::int32_t* sid) {
  if (!sid) return E_POINTER;
  std::vector<std::uint32_t> taken;
  for (const CIDSGroup* group : *groups_.list()) {
    for (const CIDSRule* rule : *group->rules()) {
      if (rule->sid() >= kFirstLocalSID && rule->sid() <= kLastLocalSID) {
        taken.push_back(rule->sid());
      }
    }
  }
  std::sort(taken.begin(), taken.end());
  std::uint32_t candidate = kFirstLocalSID;
  for (std::uint32_t used : taken) {
    if (used == candidate) ++candidate;
    if (used > candidate) break;
  }
  *sid = static_cast<std::int32_t>(candidate);
  return S_OK;
}

}  // namespace xmlsecdb
