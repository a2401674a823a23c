#include "core/parser_kind.h"

#include "xmlsecdb/parser.h"

namespace xmlsecdb {

std::int32_t ModuleIdFromText(std::string_view text) {
  struct Word {
    std::string_view text;
    std::int32_t id;
  };
  static constexpr Word kWords[] = {
      {"Firewall", MODULE_FW},           {"Sandbox", MODULE_SBX}, {"AppRepository", MODULE_APP},
      {"IDS", MODULE_IDS},               {"ContentFilter", MODULE_CF},
      {"ExeWatch", MODULE_EXEWATCH},     {"AntiMalware", MODULE_AM},
      {"DataInspection", MODULE_DI},
  };
  for (const Word& w : kWords) {
    if (w.text == text) return w.id;
  }
  return 0;
}

}  // namespace xmlsecdb
