// CDefinition and DefinitionListBase: what every definition and every
// definition list shares, whatever its items are.
//
// CDefinition holds the ID, object type, UI flags and description, the
// setters with their duplicate, type and read-only rules, and acts as the
// owner site of its own item list: item insertions, removals and changes
// become the parser's item events, carrying (definition, item[, property]),
// while the definition is a member of its list. A concrete definition adds
// the item list (simple items here, transport items for the firewall) and
// may restrict the object types it accepts.
//
// DefinitionListBase is the plain list of definitions a parser owns: it
// refuses duplicate IDs (except for the two IDS object types, whose
// definitions may share one) and finds a definition by ID through a hash
// index rather than a walk. A concrete list says which definitions it
// makes and accepts.
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_MODEL_DEFINITION_H_
#define XMLSECDB_MODEL_DEFINITION_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "list/list_core.h"
#include "list/list_item.h"
#include "list/list_owner.h"
#include "list/plain_list.h"
#include "model/model_dispatch.h"
#include "xmlsecdb/definitions.h"
#include "xmlsecdb/enums.h"

namespace xmlsecdb {

class DefinitionListBase;

// Whether definitions of `type` may share their ID with other members.
constexpr bool SharesDefinitionIds(std::int32_t type) {
  return type == OT_IDS_RULE_INFO || type == OT_IDS_NODE_INFO;
}

class CDefinition : public ItemObject<ListItemBase, IDefinition>, public IListOwner {
 public:
  HRESULT get_DefinitionID(std::string* id) override;
  HRESULT put_DefinitionID(std::string_view id) override;
  HRESULT get_ObjectType(std::int32_t* type) override;
  HRESULT put_ObjectType(std::int32_t type) override;
  HRESULT get_UIFlags(std::string* flags) override;
  HRESULT put_UIFlags(std::string_view flags) override;
  HRESULT get_Description(std::string* description) override;
  HRESULT put_Description(std::string_view description) override;

  const std::string& id() const { return id_; }
  std::int32_t object_type() const { return type_; }
  const std::string& ui_flags() const { return ui_flags_; }
  const std::string& description() const { return description_; }

  // The class named in this definition's error records.
  virtual const CLSID& clsid() const = 0;

  // The owner site of the item list. A definition's modification is bit
  // 0x2 of the parser's modified flags (its rules may need re-sorting).
  void MarkModified() override;
  ParserCore* GetParser() override { return parser(); }
  void BeforeInsert(IUnknown* item) override;
  void AfterInsert(IUnknown* item) override;
  void BeforeRemove(IUnknown* item) override;
  void AfterRemove(IUnknown* item) override;
  void BeforeChange(IUnknown* item, std::int32_t property) override;
  void AfterChange(IUnknown* item, std::int32_t property) override;

 protected:
  CDefinition() = default;
  ~CDefinition() = default;

  // The concrete class's test of put_ObjectType; refused values fail with
  // message 112.
  virtual bool AcceptsObjectType(std::int32_t) const { return true; }

 private:
  friend class DefinitionListBase;

  DefinitionListBase* definitions() const;
  // Raises the item event `slot` of the list's item events, while this
  // definition is a member.
  void FireItemEvent(DISPID ListEventIds::*slot, IUnknown* item, const std::int32_t* property);

  std::string id_;
  std::int32_t type_ = 0;
  std::string ui_flags_;
  std::string description_;
  // The ID index: whether this definition is in its list's index, and the
  // next definition in the index with the same ID (IDS types only).
  bool indexed_ = false;
  CDefinition* next_same_id_ = nullptr;
};

class DefinitionListBase : public ListObject<IDefinitionList, PlainListCore> {
 public:
  HRESULT CreateDefinition(IDefinition** definition) override;
  HRESULT Insert(IDefinition* definition) override;
  HRESULT Remove(IDefinition* definition) override;
  HRESULT Get(std::string_view id, IDefinition** definition) override;
  HRESULT Clear() override;

  // The parser events of the members' items (0 where none are raised).
  const ListEventIds& item_events() const { return item_events_; }
  // The first member (in list order) whose ID is `id`, or nullptr.
  CDefinition* Find(std::string_view id) const;
  CDefinition* definition_at(std::int32_t index) const {
    return static_cast<CDefinition*>(members()[static_cast<std::size_t>(index)]);
  }

 protected:
  DefinitionListBase(IListOwner* owner, const ListTraits& traits, const ListEventIds& item_events)
      : ListObject(owner, traits), item_events_(item_events) {}
  ~DefinitionListBase();

  // A new definition of the list's own class, not yet bound.
  virtual ComPtr<CDefinition> MakeDefinition() = 0;
  // Whether `definition` (bound to a definition list, maybe another
  // kind's) may become a member of this one.
  virtual bool Accepts(const CDefinition& definition) const = 0;
  // A new definition bound to this list.
  ComPtr<CDefinition> NewDefinition();

 private:
  friend class CDefinition;

  // Adds `definition` to the index under its ID: in list order for a
  // member, at the end otherwise (it is about to be appended).
  void Index(CDefinition* definition);
  void Unindex(CDefinition* definition);
  void DropIndex();
  // Stores a new ID in an indexed definition.
  void Rekey(CDefinition* definition, std::string_view id);

  const ListEventIds& item_events_;
  // ID -> the first indexed definition with it; keys view that
  // definition's own ID text.
  std::unordered_map<std::string_view, CDefinition*> by_id_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_DEFINITION_H_
