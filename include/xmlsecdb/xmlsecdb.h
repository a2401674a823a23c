// XMLSecDB: reads, checks, edits and writes the XML security databases of a
// host intrusion prevention agent. Include this header for the whole API.
#ifndef XMLSECDB_XMLSECDB_H_
#define XMLSECDB_XMLSECDB_H_

#include "xmlsecdb/access.h"
#include "xmlsecdb/am.h"
#include "xmlsecdb/app.h"
#include "xmlsecdb/app_exceptions.h"
#include "xmlsecdb/classes.h"
#include "xmlsecdb/definitions.h"
#include "xmlsecdb/di.h"
#include "xmlsecdb/dispatch.h"
#include "xmlsecdb/enums.h"
#include "xmlsecdb/expression.h"
#include "xmlsecdb/events.h"
#include "xmlsecdb/fw.h"
#include "xmlsecdb/fw_rules.h"
#include "xmlsecdb/global_options.h"
#include "xmlsecdb/guid.h"
#include "xmlsecdb/ids.h"
#include "xmlsecdb/module.h"
#include "xmlsecdb/parser.h"
#include "xmlsecdb/parsers.h"
#include "xmlsecdb/probe.h"
#include "xmlsecdb/restore.h"
#include "xmlsecdb/result.h"
#include "xmlsecdb/rule_sets.h"
#include "xmlsecdb/sbx.h"
#include "xmlsecdb/settings.h"
#include "xmlsecdb/unknown.h"
#include "xmlsecdb/variant.h"
#include "xmlsecdb/version.h"

#endif  // XMLSECDB_XMLSECDB_H_
