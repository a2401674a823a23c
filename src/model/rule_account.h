// The coupling of a rule's System and Account properties, which every rule
// kind with both has: setting System sets Account to RA_SYSTEM (non-zero)
// or RA_USER (zero); setting Account to RA_USER or RA_SYSTEM sets System to
// the same number, and RA_BOTH (or any other number) leaves System as it
// is. The setters store the pair these give and decide about their change
// notices themselves (kinds test different members for a change).
#ifndef XMLSECDB_MODEL_RULE_ACCOUNT_H_
#define XMLSECDB_MODEL_RULE_ACCOUNT_H_

#include <cstdint>

#include "xmlsecdb/enums.h"

namespace xmlsecdb {

struct SystemAccount {
  std::int32_t system;
  std::int32_t account;
  friend constexpr bool operator==(SystemAccount, SystemAccount) = default;
};

// The pair after put_System(`system`).
constexpr SystemAccount WithSystem(SystemAccount, std::int32_t system) {
  return {system, system != 0 ? RA_SYSTEM : RA_USER};
}

// The pair after put_Account(`account`).
constexpr SystemAccount WithAccount(SystemAccount current, std::int32_t account) {
  return {account == RA_USER || account == RA_SYSTEM ? account : current.system, account};
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_RULE_ACCOUNT_H_
