// The queries of the rule list: which rules apply to a program with given
// usage, special-access and found-by bits, manufacturer and suite.
#include <map>
#include <string>

#include "app/app_label.h"
#include "app/app_rule.h"
#include "app/app_rule_group.h"
#include "core/ascii.h"
#include "core/messages.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {
namespace {

constexpr std::uint32_t kAllBits = 0xFFFFFFFFu;

bool Within(std::uint32_t bits, std::uint32_t set) { return (bits & ~set) == 0; }

// Calls `found(part)` for each "|"-separated alternative of `text` until
// it answers true; whether one did.
template <class Found>
bool AnyAlternative(std::string_view text, Found&& found) {
  std::size_t start = 0;
  while (true) {
    const std::size_t bar = text.find('|', start);
    const std::string_view part =
        text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start);
    if (found(part)) return true;
    if (bar == std::string_view::npos) return false;
    start = bar + 1;
  }
}

// A rule's manufacturer or suite against the query's: any ("" or "*"), or
// one alternative of each equal, ignoring ASCII case.
bool AlternativesMatch(std::string_view rule, std::string_view query) {
  if (rule.empty() || rule == "*") return true;
  return AnyAlternative(rule, [&](std::string_view mine) {
    return AnyAlternative(
        query, [&](std::string_view theirs) { return EqualsIgnoringAsciiCase(mine, theirs); });
  });
}

bool FoundByMatches(const CULongList& alternatives, std::uint32_t found_by) {
  const auto& values = alternatives.values();
  if (values.empty()) return true;
  for (std::uint32_t alternative : values) {
    if (Within(alternative, found_by)) return true;
  }
  return false;
}

}  // namespace

bool RuleApplies(const CAppRule& rule, const AppRuleQuery& q) {
  if (rule.enabled() == 0) return false;
  if (!Within(rule.usage(), q.usage) || !Within(rule.usage(), q.usage_mask)) return false;
  if ((rule.usage_not() & q.usage) != 0 || !Within(rule.usage_not(), q.usage_mask)) return false;
  if (q.special_access != 0 && !Within(rule.special_access(), q.special_access)) return false;
  if (!Within(rule.special_access(), q.special_access_mask)) return false;
  if ((rule.special_access_not() & q.special_access) != 0 ||
      !Within(rule.special_access_not(), q.special_access_mask)) {
    return false;
  }
  return FoundByMatches(*rule.found_by(), q.found_by) &&
         AlternativesMatch(rule.manufacturer(), q.manufacturer) &&
         AlternativesMatch(rule.suite(), q.suite);
}

HRESULT CAppRuleList::Find(std::uint32_t usage, std::uint32_t found_by,
                           std::string_view manufacturer, std::string_view suite, IAppRule** rule) {
  return FindEx(usage, found_by, manufacturer, suite, 0, rule);
}

HRESULT CAppRuleList::FindEx(std::uint32_t usage, std::uint32_t found_by,
                             std::string_view manufacturer, std::string_view suite,
                             std::uint32_t special_access, IAppRule** rule) {
  return Find2(usage, kAllBits, special_access, kAllBits, found_by, manufacturer, suite, rule);
}

HRESULT CAppRuleList::Find2(std::uint32_t usage, std::uint32_t usage_mask,
                            std::uint32_t special_access, std::uint32_t special_access_mask,
                            std::uint32_t found_by, std::string_view manufacturer,
                            std::string_view suite, IAppRule** rule) {
  if (!rule) return E_INVALIDARG;
  const AppRuleQuery query = {usage,    usage_mask,   special_access, special_access_mask,
                              found_by, manufacturer, suite};
  for (CAppRule* candidate : *this) {
    if (RuleApplies(*candidate, query)) {
      *rule = candidate;
      candidate->AddRef();
      return S_OK;
    }
  }
  return Report("Find2()", kMsgNotFound, SECDB_E_NOTFOUND);
}

HRESULT CAppRuleList::FindGroups(std::uint32_t usage, std::uint32_t usage_mask,
                                 std::uint32_t special_access, std::uint32_t special_access_mask,
                                 std::uint32_t found_by, std::string_view manufacturer,
                                 std::string_view suite, IAppRuleGroupList** groups) {
  if (!groups) return E_INVALIDARG;
  const AppRuleQuery query = {usage,    usage_mask,   special_access, special_access_mask,
                              found_by, manufacturer, suite};
  struct Entry {
    EEnrollType enroll;
    std::int32_t rule_id;
  };
  // The first applicable rule naming a group wins; names in the exact
  // order of their UTF-16 units.
  std::map<std::string, Entry, bool (*)(std::string_view, std::string_view)> entries(&ExactLess);
  for (const CAppRule* rule : *this) {
    if (!RuleApplies(*rule, query)) continue;
    for (const std::string& name : rule->groups()->values()) {
      if (!name.empty()) entries.try_emplace(name, Entry{rule->enroll(), rule->rule_id()});
    }
  }
  if (entries.empty()) return S_OK;
  ComPtr<CAppRuleGroupList> found = MakeObject<CAppRuleGroupList>();
  for (const auto& [name, entry] : entries) {
    // A group a preventing rule named first is not reported.
    if (entry.enroll == EN_PREVENT) continue;
    RETURN_IF_FAILED(found->Append(name, static_cast<EAccessResult>(entry.enroll), entry.rule_id));
  }
  *groups = found.Detach();
  return S_OK;
}

}  // namespace xmlsecdb
