// The event numbers (DISPIDs) parsers raise on their connection point.
//
// Every event reaches a sink through IDispatch::Invoke(dispid, args), so a
// sink on any parser receives any of them. The sandbox event interface
// declares all of the numbers below; the anti-malware and data inspection
// parsers raise the same numbers for the same changes although their event
// interfaces declare only the four load and save members.
//
// Arguments: inserted/removed events carry the item (as IUnknown); changed
// events carry the item and, where the item kind has property numbers
// (rules: _EAMRuleProperty and its kin; options: the GOP_ numbers), the
// number of the property that changes. Definition and simple-item events
// carry the definition first. A list's Clear raises its removed events once
// with a null item.
#ifndef XMLSECDB_EVENTS_H_
#define XMLSECDB_EVENTS_H_

#include "xmlsecdb/dispatch.h"
#include "xmlsecdb/parser.h"

namespace xmlsecdb {

enum EPolicyEventDispid : DISPID {
  // 1 to 4: EParserEventDispid (load and save).
  DISPID_OnBeforeGlobalOptionInserted = 5,
  DISPID_OnAfterGlobalOptionInserted = 6,
  DISPID_OnBeforeGlobalOptionRemoved = 7,
  DISPID_OnAfterGlobalOptionRemoved = 8,
  DISPID_OnBeforeGlobalOptionChanged = 9,
  DISPID_OnAfterGlobalOptionChanged = 10,
  DISPID_OnBeforeDefinitionInserted = 11,
  DISPID_OnAfterDefinitionInserted = 12,
  DISPID_OnBeforeDefinitionRemoved = 13,
  DISPID_OnAfterDefinitionRemoved = 14,
  DISPID_OnBeforeDefinitionChanged = 15,
  DISPID_OnAfterDefinitionChanged = 16,
  DISPID_OnBeforeSimpleItemInserted = 17,
  DISPID_OnAfterSimpleItemInserted = 18,
  DISPID_OnBeforeSimpleItemRemoved = 19,
  DISPID_OnAfterSimpleItemRemoved = 20,
  DISPID_OnBeforeSimpleItemChanged = 21,
  DISPID_OnAfterSimpleItemChanged = 22,
  DISPID_OnBeforeRuleInserted = 23,
  DISPID_OnAfterRuleInserted = 24,
  DISPID_OnBeforeRuleRemoved = 25,
  DISPID_OnAfterRuleRemoved = 26,
  DISPID_OnBeforeRuleChanged = 27,
  DISPID_OnAfterRuleChanged = 28,
  DISPID_OnBeforeAppExceptionInserted = 29,
  DISPID_OnAfterAppExceptionInserted = 30,
  DISPID_OnBeforeAppExceptionRemoved = 31,
  DISPID_OnAfterAppExceptionRemoved = 32,
  DISPID_OnBeforeAppExceptionChanged = 33,
  DISPID_OnAfterAppExceptionChanged = 34,
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_EVENTS_H_
