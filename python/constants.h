// The module's constants: every enumeration member and result code of the
// public headers, as python/gen_constants.py lists them at build time.
#ifndef XMLSECDB_PYTHON_CONSTANTS_H_
#define XMLSECDB_PYTHON_CONSTANTS_H_

#include <cstddef>

namespace xmlsecdb_python {

struct Constant {
  const char* group;  // the enumeration, or "HRESULT" / "DISPID"
  const char* name;
  long long value;
  // Result codes are given to Python as unsigned 32-bit numbers
  // (0x80041006), as Error.hresult carries them.
  bool is_result;
};

extern const Constant kConstants[];
extern const std::size_t kConstantCount;

}  // namespace xmlsecdb_python

#endif  // XMLSECDB_PYTHON_CONSTANTS_H_
