// DefinitionsContext: the comparison context (list/compare_context.h) of a
// parser with a definition list. It finds definitions by ID in the
// parser's own list and in the definition list of the parser's master,
// whatever kind the master is (through the master's ISDParserLists, the
// list its "DefinitionList" property names).
//
// The parser derives a context from it, or is one, and says what its
// master is:
//
//   class CFWParser final : public ParserObject<ISDParserFW>, private DefinitionsContext {
//     IUnknown* master_parser() const override { return master(); }
//   };
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_MODEL_DEFINITIONS_CONTEXT_H_
#define XMLSECDB_MODEL_DEFINITIONS_CONTEXT_H_

#include <string_view>

#include "list/compare_context.h"
#include "model/definition.h"

namespace xmlsecdb {

class DefinitionsContext : public RuleCompareContext {
 public:
  const ListItemBase* FindDefinition(std::string_view id) const override;
  const ListItemBase* FindMasterDefinition(std::string_view id) const override;

 protected:
  // `definitions` is the parser's list, which outlives the context's use
  // (nullptr: the parser has none yet; set_definitions gives it later).
  explicit DefinitionsContext(const DefinitionListBase* definitions = nullptr)
      : definitions_(definitions) {}
  ~DefinitionsContext() = default;

  void set_definitions(const DefinitionListBase* definitions) { definitions_ = definitions; }
  // The parser's master, or nullptr.
  virtual IUnknown* master_parser() const = 0;

 private:
  const DefinitionListBase* definitions_;
};

// The definition list of `parser` (any parser of this library): the list
// its "DefinitionList" property names, or nullptr.
const DefinitionListBase* DefinitionListOf(IUnknown* parser);

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_DEFINITIONS_CONTEXT_H_
