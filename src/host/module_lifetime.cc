// Load and unload of the shared library.
//
// This file holds nothing any other code refers to, so a program that links
// the static archive does not pull it in: only the shared library opens the
// debug log when it is loaded, and tests keep control over when the log is
// initialised and from which store.
#include "platform/debug_log.h"

namespace xmlsecdb {
namespace {

// Runs when the loader maps the library, in no set order with the static
// initialisers of other files; that is safe because the debug log and the
// configuration store it reads build themselves on first use.
__attribute__((constructor)) void OnLibraryLoaded() {
  InitDebugLog();
  DebugLog("ZelXmlSd: Library loaded\n");
}

// Runs when the library is unloaded or the process ends. The log file is
// closed so that a host that unloads the library keeps no descriptor of it.
__attribute__((destructor)) void OnLibraryUnloaded() {
  DebugLog("ZelXmlSd: Library unloaded\n");
  ShutdownDebugLog();
}

}  // namespace
}  // namespace xmlsecdb
