// Loads an anti-malware database, raises its low-priority rules to high
// while counting the change events, saves it elsewhere and reloads the copy.
// Usage: consumer IN OUT
#include <xmlsecdb/convenience.h>
#include <xmlsecdb/xmlsecdb.h>

#include <cstdio>

using namespace xmlsecdb;

// Ends the program with the failing step and its error record.
#define CHECK(call)                                                                     \
  if (HRESULT hr = (call); Failed(hr)) {                                                \
    std::fprintf(stderr, "consumer: %s: 0x%08X %s\n", #call, static_cast<unsigned>(hr), \
                 TakeErrorDescription().c_str());                                       \
    return 1;                                                                           \
  }

int main(int argc, char** argv) {
  if (argc != 3) return std::fprintf(stderr, "usage: consumer IN OUT\n"), 2;
  ComPtr<ISDParserAM> db;
  ComPtr<IAMRuleList> rules;
  CHECK(CreateInstanceByProgID("XMLSecDB.AMParser", db.Put()));
  CHECK(db->Load(argv[1], /*read_only=*/0));
  CHECK(db->get_RuleList(rules.Put()));

  int changes = 0, raised = 0;
  EventConnection events;
  CHECK(Subscribe(
      db.get(), DIID__ISDParserAMEvents,
      [&](DISPID id, const Variant*, std::uint32_t) { changes += id == DISPID_OnAfterRuleChanged; },
      &events));
  for (ComPtr<IAMRule> rule : Items<IAMRule>(rules.get())) {
    EPriority priority{};
    CHECK(rule->get_Priority(&priority));
    if (priority != PRIOR_LOW) continue;
    CHECK(rule->put_Priority(PRIOR_HIGH));
    ++raised;
  }
  CHECK(db->Save(argv[2]));

  ComPtr<ISDParserAM> copy;
  ComPtr<IAMRuleList> copied;
  std::int32_t count = 0;
  CHECK(CreateInstanceByProgID("XMLSecDB.AMParser.1", copy.Put()));
  CHECK(copy->Load(argv[2], /*read_only=*/1));
  CHECK(copy->get_RuleList(copied.Put()));
  CHECK(copied->get_Count(&count));
  std::printf("rules: %d, raised: %d, change events: %d\n", count, raised, changes);
  return 0;
}
