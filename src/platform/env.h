// Env: everything the library asks of the platform, in one place — files,
// the registry store, the event log, the debug log, the crypto provider,
// the name service, and the agent's path expander and checksum service.
//
// The default environment (Env::Default) is the real one. A parser takes
// the process's environment (ProcessEnv) when it is created and can be
// given another (ParserCore::UseEnv); the registry and the debug log are
// process-wide by design and are always taken from the process's
// environment. Tests and fuzz targets put in-memory or failing services in
// place of the real ones.
//
// An Env only points at its services; they must outlive every object that
// uses the Env. Thread-safe to read; SetProcessEnv is meant for program
// start-up and tests, while no other thread uses the library.
#ifndef XMLSECDB_PLATFORM_ENV_H_
#define XMLSECDB_PLATFORM_ENV_H_

namespace xmlsecdb {

class FileSystem;
class Registry;
class EventLog;
class DebugLogSink;
class CryptoProvider;
class NameService;
class PathExpander;
class ChecksumService;

struct Env {
  FileSystem* file_system;
  Registry* registry;
  EventLog* event_log;
  DebugLogSink* debug_log;
  const CryptoProvider* crypto;
  NameService* name_service;
  PathExpander* path_expander;
  ChecksumService* checksum_service;

  // The real services. Lives for the whole process.
  static const Env& Default();
};

// The environment of the process: Env::Default() unless replaced.
const Env& ProcessEnv();
// Makes `env` (which must outlive its use; null restores the default) the
// process's environment and returns the one it replaces.
const Env* SetProcessEnv(const Env* env);

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_ENV_H_
