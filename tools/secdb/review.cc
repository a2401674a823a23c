#include "review.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <vector>

#include "database.h"
#include "input.h"
#include "model_diff.h"
#include "model_text.h"
#include "model_walk.h"

namespace secdb {
namespace {

using namespace xmlsecdb;

constexpr int kExitDifferent = 1;
constexpr int kExitTrouble = 2;

struct ListName {
  std::string property;  // "RuleList"
  std::string element;   // "Rules"
  std::string combined;  // "LabelAll", or ""
};

std::vector<ListName> ListNames(ISDParser* parser) {
  std::vector<ListName> names;
  ComPtr<ISDParserLists> lists;
  std::int32_t count = 0;
  if (Failed(parser->QueryInterface(lists.Put())) || Failed(lists->get_ListCount(&count))) {
    return names;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    ListName name;
    ComPtr<ISDCollection> list;
    if (Failed(lists->GetList(i, &name.property, list.Put()))) continue;
    if (Failed(lists->GetListSection(i, &name.element))) name.element = name.property;
    if (Failed(lists->GetListCombinedSection(i, &name.combined))) name.combined.clear();
    names.push_back(std::move(name));
  }
  return names;
}

// The lists `given` names: a list as check prints it, its element name,
// or the combined name of several; a usage error when none.
int SelectLists(const Options& options, const Database& db, const std::string& given,
                std::vector<std::string>* selected) {
  const bool any_case = db.kind->section_names_any_case;
  std::string valid;
  for (const ListName& name : ListNames(db.parser.get())) {
    if (SameSectionName(name.property, given, any_case) ||
        SameSectionName(name.element, given, any_case) ||
        (!name.combined.empty() && SameSectionName(name.combined, given, any_case))) {
      selected->push_back(name.property);
    }
    valid += (valid.empty() ? "" : ", ") + name.property;
  }
  if (!selected->empty()) return kExitOk;
  return Usage(options.command, "unknown list \"" + given + "\" for " +
                                    std::string(db.kind->abbreviation) + " (" + valid + ")");
}

// Prepares and loads one database; a restore is not expected (the review
// commands keep recovery off), so any status but 0 is a failure.
int Open(const Options& options, const std::string& key, const std::string& path, Database* db,
         const Messages& say) {
  if (int status = Prepare(options, key, path, db, say)) return status;
  return Read(db, key, say);
}

void WarnOpaque(const Database& db, const ModelReader& reader, const Messages& say) {
  if (reader.saw_opaque()) {
    say.Say(0, db.input.name +
                   ": some objects describe no members (no type information); shown as null");
  }
}

}  // namespace

int PrintJson(const Options& options, const std::string& key) {
  const Messages say(false);
  Database db;
  if (int status = Prepare(options, key, options.files[0], &db, say)) return status;
  std::vector<std::string> only;
  if (options.section) {
    if (int status = SelectLists(options, db, *options.section, &only)) return status;
  }
  if (int status = Read(&db, key, say)) return status;
  ModelReader reader;
  const Node root = reader.ReadParser(db.parser.get(), only);
  WarnOpaque(db, reader, say);
  const std::string text =
      ToJson(root).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  std::fwrite(text.data(), 1, text.size(), stdout);
  return Flushed(kExitOk);
}

int PrintList(const Options& options, const std::string& key) {
  const Messages say(false);
  Database db;
  if (int status = Prepare(options, key, options.files[0], &db, say)) return status;
  std::vector<std::string> only;
  if (options.files.size() > 1) {
    if (int status = SelectLists(options, db, options.files[1], &only)) return status;
  }
  if (int status = Read(&db, key, say)) return status;
  ModelReader reader;
  const Node root = reader.ReadParser(db.parser.get(), only);
  WarnOpaque(db, reader, say);
  std::string text;
  for (const auto& [name, list] : root.fields) {
    if (list.kind != Node::kList) continue;
    if (only.empty()) {
      text += std::string(name) + "\t" + std::to_string(list.items.size()) + "\n";
      continue;
    }
    for (std::size_t i = 0; i < list.items.size(); ++i) {
      const Node& item = list.items[i];
      text += IdentityOf(item, list.type, i + 1).raw;
      const std::string summary = Summary(item, list.type);
      text += summary.empty() ? "\n" : "\t" + summary + "\n";
    }
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  return Flushed(kExitOk);
}

int PrintDiff(const Options& options, const std::string& key) {
  const Messages say(false);
  Database a;
  Database b;
  if (Open(options, key, options.files[0], &a, say) ||
      Open(options, key, options.files[1], &b, say)) {
    return kExitTrouble;
  }
  if (a.kind != b.kind) {
    return say.Say(kExitTrouble, "cannot compare " + a.input.name + " (" +
                                     std::string(a.kind->abbreviation) + ") with " + b.input.name +
                                     " (" + std::string(b.kind->abbreviation) +
                                     "): databases of different kinds");
  }
  ModelReader reader;
  const Node root_a = reader.ReadParser(a.parser.get(), {}, true);
  const Node root_b = reader.ReadParser(b.parser.get(), {}, true);
  std::deque<Node> kept;
  const std::vector<Change> changes = Diff(root_a, root_b, &reader, &kept);
  if (reader.saw_opaque()) {
    return say.Say(kExitTrouble, "cannot compare " + std::string(a.kind->abbreviation) +
                                     " databases: some of their objects describe no members "
                                     "(no type information)");
  }
  std::string text;
  if (options.json) {
    nlohmann::json json = nlohmann::json::object();
    json["equal"] = changes.empty();
    json["changes"] = nlohmann::json::array();
    for (const Change& change : changes) json["changes"].push_back(ChangeJson(change));
    text = json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
  } else {
    for (const Change& change : changes) text += ChangeLine(change) + "\n";
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::string error;
  if (!FlushOutput(&error)) return say.Say(kExitTrouble, error);
  return changes.empty() ? kExitOk : kExitDifferent;
}

}  // namespace secdb
