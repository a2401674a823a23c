// The one control-flow macro of the library.
#ifndef XMLSECDB_CORE_RETURN_IF_FAILED_H_
#define XMLSECDB_CORE_RETURN_IF_FAILED_H_

#include "xmlsecdb/result.h"

// Evaluates `expr` once and returns its HRESULT from the enclosing function
// when it is a failure.
#define RETURN_IF_FAILED(expr)                        \
  do {                                                \
    ::xmlsecdb::HRESULT hr_ = (expr);                 \
    if (::xmlsecdb::Failed(hr_)) return hr_;          \
  } while (false)

#endif  // XMLSECDB_CORE_RETURN_IF_FAILED_H_
