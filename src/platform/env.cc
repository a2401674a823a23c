#include "platform/env.h"

#include <atomic>

#include "platform/agent_services.h"
#include "platform/crypto_provider.h"
#include "platform/debug_log.h"
#include "platform/event_log.h"
#include "platform/file_system.h"
#include "platform/name_service.h"
#include "platform/registry.h"

namespace xmlsecdb {
namespace {

std::atomic<const Env*> g_process_env{nullptr};

}  // namespace

const Env& Env::Default() {
  static const Env env{&DefaultFileSystem(),   &Registry::Instance(),    &DefaultEventLog(),
                       &DefaultDebugLog(),     &DefaultCryptoProvider(), &DefaultNameService(),
                       &DefaultPathExpander(), &DefaultChecksumService()};
  return env;
}

const Env& ProcessEnv() {
  const Env* env = g_process_env.load(std::memory_order_acquire);
  return env ? *env : Env::Default();
}

const Env* SetProcessEnv(const Env* env) {
  const Env* previous = g_process_env.exchange(env, std::memory_order_acq_rel);
  return previous ? previous : &Env::Default();
}

}  // namespace xmlsecdb
