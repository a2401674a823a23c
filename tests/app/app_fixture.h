// Helpers of the application repository tests: a parser loaded from an
// inline document body, the text a save writes for chosen sections, and
// agent services whose answers a test sets (put into the process's
// environment before the parser is made).
#ifndef XMLSECDB_TESTS_APP_APP_FIXTURE_H_
#define XMLSECDB_TESTS_APP_APP_FIXTURE_H_

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_parser.h"
#include "platform/agent_services.h"
#include "testing/temp_dir.h"
#include "testing/test_env.h"

namespace xmlsecdb::testing {

inline std::string AppDocument(std::string_view body) {
  return "<SecDb><VersionInfo major=\"3\"/><Module id=\"AppRepository\"/>" + std::string(body) +
         "</SecDb>";
}

inline HRESULT LoadAppBody(ISDParserAPP* parser, std::string_view body) {
  TempDir dir;
  const std::string path = dir.File("app.xml");
  WriteFileBytes(path, AppDocument(body));
  return parser->Load(path, 0);
}

// What XmlEx writes for `section`, without the document frame.
inline std::string AppSectionText(ISDParserAPP* parser, std::string_view section) {
  std::string xml;
  if (Failed(parser->XmlEx(section, &xml))) return "<failed>";
  const std::size_t start = xml.find('\n', xml.find("<Module")) + 1;
  const std::size_t end = xml.rfind("</SecDb>");
  return end != std::string::npos && end >= start ? xml.substr(start, end - start) : std::string();
}

// Answers Expand from a table (a path not in it: not expanded, the path
// itself) or fails every call with `failure`; Describe gives "desc:" and
// the path.
class FakePathExpander final : public PathExpander {
 public:
  HRESULT Expand(std::string_view path, std::vector<std::string>* paths, bool* expanded) override {
    ++calls;
    if (Failed(failure)) return failure;
    auto it = table.find(std::string(path));
    if (it == table.end()) {
      *paths = {std::string(path)};
      *expanded = false;
    } else {
      *paths = it->second;
      *expanded = true;
    }
    return S_OK;
  }
  HRESULT Describe(std::string_view path, std::string* description) override {
    *description = "desc:" + std::string(path);
    return S_OK;
  }
  std::map<std::string, std::vector<std::string>> table;
  HRESULT failure = S_OK;
  int calls = 0;
};

// An environment with the fake expander and a capturing debug log, made
// the process's for the fixture's life; `services_missing` unregisters
// both agent services, so that their creation fails.
class AppEnv {
 public:
  explicit AppEnv(bool services_missing = false) : env_(MakeEnv(services_missing)), scope_(env_) {}
  FakePathExpander& expander() { return expander_; }
  CapturingDebugLog& log() { return log_; }

 private:
  TestEnv MakeEnv(bool services_missing) {
    TestEnv env;
    env.debug_log = &log_;
    env.path_expander = services_missing ? nullptr : &expander_;
    if (services_missing) env.checksum_service = nullptr;
    return env;
  }
  FakePathExpander expander_;
  CapturingDebugLog log_;
  TestEnv env_;
  ScopedProcessEnv scope_;
};

inline ComPtr<CAPPParser> MakeAppParser() { return MakeObject<CAPPParser>(); }

template <class List>
ComPtr<List> LabelsOf(ISDParserAPP* parser) {
  ComPtr<List> list;
  if constexpr (std::is_same_v<List, ILabelList>) {
    (void)parser->get_LabelList(list.Put());
  } else if constexpr (std::is_same_v<List, IDllLabelList>) {
    (void)parser->get_DllLabelList(list.Put());
  } else if constexpr (std::is_same_v<List, IAppGroupList>) {
    (void)parser->get_AppGroupList(list.Put());
  } else {
    (void)parser->get_DllGroupList(list.Put());
  }
  return list;
}

// A label made through the object model and inserted.
inline ComPtr<ILabel> AddLabel(ILabelList* labels, std::string_view id,
                               ELabelType type = LT_PATH, std::string_view path = {}) {
  ComPtr<ILabel> label;
  if (Failed(labels->CreateLabel(label.Put())) || Failed(label->put_LabelID(id)) ||
      Failed(label->put_Type(type)) || Failed(label->put_Path(path)) ||
      Failed(labels->Insert(label.get()))) {
    return {};
  }
  return label;
}

inline ComPtr<IAppGroup> AddGroup(IAppGroupList* groups, std::string_view id) {
  ComPtr<IAppGroup> group;
  if (Failed(groups->CreateGroup(group.Put())) || Failed(group->put_AppGroupID(id)) ||
      Failed(groups->Insert(group.get()))) {
    return {};
  }
  return group;
}

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_APP_APP_FIXTURE_H_
