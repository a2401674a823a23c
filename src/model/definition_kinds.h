// The `Definitions` section of each kind of database with simple
// definitions: which object-type words its files carry and which parser
// events its definitions raise. A kind's parser wires its section with
//
//   DefinitionsSection definitions_{this, kAMDefinitions};
//
// The firewall has its own definitions (transport items) and no entry here.
#ifndef XMLSECDB_MODEL_DEFINITION_KINDS_H_
#define XMLSECDB_MODEL_DEFINITION_KINDS_H_

#include "model/definitions_section.h"

namespace xmlsecdb {

// The definition and item events of the parsers that raise them (sandbox,
// anti-malware, data inspection, content filter): DISPIDs 11 to 16 for
// definitions inserted, removed and changed (before and after; the change
// carries an EDefinitionProperty), 17 to 22 for their items (the
// definition, then the item; no property).
inline constexpr ListEventIds kDefinitionEvents = {.before_insert = 11,
                                                   .after_insert = 12,
                                                   .before_remove = 13,
                                                   .after_remove = 14,
                                                   .before_change = 15,
                                                   .after_change = 16,
                                                   .change_has_property = true,
                                                   .change_marks_modified = false};
inline constexpr ListEventIds kSimpleItemEvents = {.before_insert = 17,
                                                   .after_insert = 18,
                                                   .before_remove = 19,
                                                   .after_remove = 20,
                                                   .before_change = 21,
                                                   .after_change = 22,
                                                   .change_has_property = false,
                                                   .change_marks_modified = false};
// For kinds whose definitions raise nothing (IDS).
inline constexpr ListEventIds kNoDefinitionEvents = {.change_has_property = false,
                                                     .change_marks_modified = false};

inline constexpr Spelling<EObjectType> kAMDefinitionTypes[] = {
    {OT_FILE, "File"}, {OT_TIME, "time"}, {OT_ANTI_MALWARE, "AntiMalware"}};

inline constexpr Spelling<EObjectType> kSBXDefinitionTypes[] = {
    {OT_FILE, "File"},       {OT_REGISTRY, "Registry"},    {OT_SPAWNING, "Spawning"},
    {OT_SERVICE, "Service"}, {OT_DEVICE, "Device"},        {OT_COMOBJECT, "COM"},
    {OT_TIME, "time"},       {OT_FILETYPE, "FileTypeList"}};

inline constexpr Spelling<EObjectType> kIDSDefinitionTypes[] = {
    {OT_IDS_IPADDR, "ipaddress"}, {OT_IDS_RULE_INFO, "ruleinfo"}, {OT_IDS_NODE_INFO, "nodeinfo"}};

inline constexpr Spelling<EObjectType> kCFDefinitionTypes[] = {{OT_URL_REQUEST, "UrlRequest"}};

inline constexpr DefinitionsConfig kAMDefinitions = {.object_types = kAMDefinitionTypes,
                                                     .definition_events = kDefinitionEvents,
                                                     .item_events = kSimpleItemEvents};

inline constexpr DefinitionsConfig kSBXDefinitions = {.object_types = kSBXDefinitionTypes,
                                                      .definition_events = kDefinitionEvents,
                                                      .item_events = kSimpleItemEvents};

// The data inspection handler reads definitions as the anti-malware one.
inline constexpr DefinitionsConfig kDIDefinitions = {.object_types = kAMDefinitionTypes,
                                                     .definition_events = kDefinitionEvents,
                                                     .item_events = kSimpleItemEvents};

inline constexpr DefinitionsConfig kIDSDefinitions = {.object_types = kIDSDefinitionTypes,
                                                      .definition_events = kNoDefinitionEvents,
                                                      .item_events = kNoDefinitionEvents};

inline constexpr DefinitionsConfig kCFDefinitions = {.object_types = kCFDefinitionTypes,
                                                     .definition_events = kDefinitionEvents,
                                                     .item_events = kSimpleItemEvents};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_DEFINITION_KINDS_H_
