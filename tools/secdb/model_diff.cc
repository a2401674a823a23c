#include "model_diff.h"

#include <algorithm>
#include <unordered_map>

#include "model_text.h"

namespace secdb {
namespace {

bool SameValue(const Node& a, const Node& b) {
  return a.kind == b.kind && a.number == b.number && a.text == b.text;
}

bool Structured(const Node& node) { return node.kind == Node::kObject || node.kind == Node::kList; }

// A fingerprint of a member's whole content (FNV-1a).
void Mix(std::uint64_t* h, std::string_view bytes) {
  for (unsigned char c : bytes) *h = (*h ^ c) * 1099511628211ull;
  *h = (*h ^ 0xFF) * 1099511628211ull;
}
void Fingerprint(const Node& node, std::uint64_t* h) {
  const char head[] = {static_cast<char>(node.kind)};
  Mix(h, {head, 1});
  const std::int64_t number = node.number;
  Mix(h, {reinterpret_cast<const char*>(&number), sizeof number});
  Mix(h, node.text);
  for (const auto& [name, value] : node.fields) {
    Mix(h, name);
    Fingerprint(value, h);
  }
  for (const Node& item : node.items) Fingerprint(item, h);
}

class Differ {
 public:
  Differ(std::vector<Change>* out, ModelReader* reader, std::deque<Node>* kept)
      : out_(out), reader_(reader), kept_(kept) {}

  // The properties of two partners: `a` and `b` are the member `id` of
  // `list` ("" for the root), or an object inside it whose properties
  // are named with `inner` ("Transport.").
  void Object(const std::string& list, const std::string& id, const nlohmann::json& id_json,
              const std::string& inner, const Node& a, const Node& b) {
    const auto changed = [&](std::string_view name, const Node* before, const Node* after) {
      Change change;
      change.list = list;
      change.id = id;
      change.id_json = id_json;
      change.property = inner + std::string(name);
      change.before = before;
      change.after = after;
      out_->push_back(std::move(change));
    };
    const std::string item = list.empty() ? "" : list + "[" + id + "].";
    for (const auto& [name, before] : a.fields) {
      const Node* after = b.Field(name);
      if (!after) {
        changed(name, &before, nullptr);
      } else if (before.kind == Node::kList && after->kind == Node::kList) {
        if (before.source && after->source && reader_ && kept_) {
          LazyList(item + inner + std::string(name), before, *after);
        } else {
          List(item + inner + std::string(name), before, *after);
        }
      } else if (before.kind == Node::kObject && after->kind == Node::kObject) {
        Object(list, id, id_json, inner + std::string(name) + ".", before, *after);
      } else if (Structured(before) || Structured(*after) || !SameValue(before, *after)) {
        changed(name, &before, after);
      }
    }
    for (const auto& [name, after] : b.fields) {
      if (!a.Field(name)) changed(name, nullptr, &after);
    }
  }

  void List(const std::string& path, const Node& a, const Node& b) {
    const ObjectType* type = a.type ? a.type : b.type;
    const std::vector<Identity> ids_a = Identities(a, type);
    const std::vector<Identity> ids_b = Identities(b, type);
    std::unordered_map<std::string_view, std::size_t> in_b;
    in_b.reserve(ids_b.size());
    for (std::size_t j = 0; j < ids_b.size(); ++j) in_b.emplace(ids_b[j].key, j);
    std::vector<bool> matched_b(ids_b.size(), false);
    // For each member of A, in order: its partner's position in B.
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    for (std::size_t i = 0; i < ids_a.size(); ++i) {
      auto found = in_b.find(ids_a[i].key);
      if (found == in_b.end()) {
        Member(Change::kRemoved, path, ids_a[i], &a.items[i], type);
        continue;
      }
      matched_b[found->second] = true;
      pairs.emplace_back(i, found->second);
      const Node& x = a.items[i];
      const Node& y = b.items[found->second];
      if (x.kind == Node::kObject && y.kind == Node::kObject) {
        Object(path, ids_a[i].shown, ids_a[i].json, "", x, y);
      }
    }
    for (std::size_t j = 0; j < ids_b.size(); ++j) {
      if (!matched_b[j]) Member(Change::kAdded, path, ids_b[j], &b.items[j], type);
    }
    if (!type || type->order != xmlsecdb::LISTORDER_SORTED) Moves(path, ids_a, pairs, type);
  }

 private:
  struct Entry {
    Identity id;
    std::uint64_t fingerprint = 14695981039346656037ull;
  };

  // The members of a lazy list: identities with ranks, and fingerprints.
  std::vector<Entry> Entries(const Node& list, const ObjectType* type) {
    std::vector<Entry> entries(reader_->MemberCount(list));
    std::unordered_map<std::string, int> seen;
    seen.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const Node member = reader_->ReadMember(list, i);
      Entry& entry = entries[i];
      entry.id = IdentityOf(member, type, i + 1);
      if (int rank = ++seen[entry.id.key]; rank > 1) {
        entry.id.key += "\x1e" + std::to_string(rank);
        entry.id.shown += " #" + std::to_string(rank);
      }
      Fingerprint(member, &entry.fingerprint);
    }
    return entries;
  }

  const Node* Keep(const Node& list, std::size_t index) {
    kept_->push_back(reader_->ReadMember(list, index));
    return &kept_->back();
  }

  // As List, for two lists read lazily: only the members that were added,
  // removed or changed are read a second time and kept.
  void LazyList(const std::string& path, const Node& a, const Node& b) {
    const ObjectType* type = a.type ? a.type : b.type;
    const std::vector<Entry> ea = Entries(a, type);
    const std::vector<Entry> eb = Entries(b, type);
    // The members' types are known now that they were read.
    type = a.type ? a.type : b.type;
    std::unordered_map<std::string_view, std::size_t> in_b;
    in_b.reserve(eb.size());
    for (std::size_t j = 0; j < eb.size(); ++j) in_b.emplace(eb[j].id.key, j);
    std::vector<bool> matched_b(eb.size(), false);
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    std::vector<Identity> ids_a;
    ids_a.reserve(ea.size());
    for (std::size_t i = 0; i < ea.size(); ++i) {
      ids_a.push_back(ea[i].id);
      auto found = in_b.find(ea[i].id.key);
      if (found == in_b.end()) {
        Member(Change::kRemoved, path, ea[i].id, Keep(a, i), type);
        continue;
      }
      matched_b[found->second] = true;
      pairs.emplace_back(i, found->second);
      if (ea[i].fingerprint == eb[found->second].fingerprint) continue;
      const Node* x = Keep(a, i);
      const Node* y = Keep(b, found->second);
      if (x->kind == Node::kObject && y->kind == Node::kObject) {
        Object(path, ea[i].id.shown, ea[i].id.json, "", *x, *y);
      }
    }
    for (std::size_t j = 0; j < eb.size(); ++j) {
      if (!matched_b[j]) Member(Change::kAdded, path, eb[j].id, Keep(b, j), type);
    }
    if (!type || type->order != xmlsecdb::LISTORDER_SORTED) Moves(path, ids_a, pairs, type);
  }

  static std::vector<Identity> Identities(const Node& list, const ObjectType* type) {
    std::vector<Identity> ids;
    ids.reserve(list.items.size());
    std::unordered_map<std::string, int> seen;
    seen.reserve(list.items.size());
    for (std::size_t i = 0; i < list.items.size(); ++i) {
      Identity id = IdentityOf(list.items[i], type, i + 1);
      // Members that share an identity are told apart by their rank.
      if (int rank = ++seen[id.key]; rank > 1) {
        id.key += "\x1e" + std::to_string(rank);
        id.shown += " #" + std::to_string(rank);
      }
      ids.push_back(std::move(id));
    }
    return ids;
  }

  void Member(Change::Op op, const std::string& path, const Identity& id, const Node* item,
              const ObjectType* type) {
    Change change;
    change.op = op;
    change.list = path;
    change.id = id.shown;
    change.id_json = id.json;
    (op == Change::kAdded ? change.after : change.before) = item;
    change.list_type = type;
    out_->push_back(std::move(change));
  }

  // The members whose relative order changed: those outside a longest
  // run of partners that keeps its order.
  void Moves(const std::string& path, const std::vector<Identity>& ids_a,
             const std::vector<std::pair<std::size_t, std::size_t>>& pairs,
             const ObjectType* type) {
    std::vector<std::size_t> tails;  // indices into pairs
    std::vector<std::ptrdiff_t> previous(pairs.size(), -1);
    for (std::size_t k = 0; k < pairs.size(); ++k) {
      auto at = std::lower_bound(tails.begin(), tails.end(), pairs[k].second,
                                 [&](std::size_t t, std::size_t v) { return pairs[t].second < v; });
      if (at != tails.begin()) previous[k] = static_cast<std::ptrdiff_t>(*(at - 1));
      if (at == tails.end()) {
        tails.push_back(k);
      } else {
        *at = k;
      }
    }
    std::vector<bool> stays(pairs.size(), false);
    for (std::ptrdiff_t k = tails.empty() ? -1 : static_cast<std::ptrdiff_t>(tails.back()); k >= 0;
         k = previous[static_cast<std::size_t>(k)]) {
      stays[static_cast<std::size_t>(k)] = true;
    }
    for (std::size_t k = 0; k < pairs.size(); ++k) {
      if (stays[k]) continue;
      Change change;
      change.op = Change::kMoved;
      change.list = path;
      change.id = ids_a[pairs[k].first].shown;
      change.id_json = ids_a[pairs[k].first].json;
      change.list_type = type;
      change.from = pairs[k].first + 1;
      change.to = pairs[k].second + 1;
      out_->push_back(std::move(change));
    }
  }

  std::vector<Change>* out_;
  ModelReader* reader_;
  std::deque<Node>* kept_;
};

std::string ItemPath(const Change& change) { return change.list + "[" + change.id + "]"; }

std::string Shown(const Node* node) { return node ? Display(*node) : "(none)"; }

}  // namespace

std::vector<Change> Diff(const Node& a, const Node& b, ModelReader* reader,
                         std::deque<Node>* kept) {
  std::vector<Change> changes;
  Differ(&changes, reader, kept).Object("", "", nullptr, "", a, b);
  return changes;
}

std::string ChangeLine(const Change& change) {
  switch (change.op) {
    case Change::kAdded:
    case Change::kRemoved: {
      const Node* item = change.op == Change::kAdded ? change.after : change.before;
      std::string line = (change.op == Change::kAdded ? "+ " : "- ") + ItemPath(change);
      const std::string summary = Summary(*item, change.list_type);
      if (!summary.empty()) line += " " + summary;
      return line;
    }
    case Change::kMoved:
      return "> " + ItemPath(change) + ": " + std::to_string(change.from) + " -> " +
             std::to_string(change.to);
    case Change::kChanged:
      break;
  }
  const std::string where = change.list.empty() ? "" : ItemPath(change) + ".";
  return "~ " + where + change.property + ": " + Shown(change.before) + " -> " +
         Shown(change.after);
}

nlohmann::json ChangeJson(const Change& change) {
  static constexpr const char* kOps[] = {"added", "removed", "changed", "moved"};
  nlohmann::json json = nlohmann::json::object();
  json["change"] = kOps[change.op];
  json["list"] = change.list.empty() ? nlohmann::json() : nlohmann::json(change.list);
  json["id"] = change.id_json;
  switch (change.op) {
    case Change::kAdded:
      json["item"] = ToJson(*change.after);
      break;
    case Change::kRemoved:
      json["item"] = ToJson(*change.before);
      break;
    case Change::kMoved:
      json["from"] = change.from;
      json["to"] = change.to;
      break;
    case Change::kChanged:
      json["property"] = change.property;
      json["old"] = change.before ? ToJson(*change.before) : nlohmann::json();
      json["new"] = change.after ? ToJson(*change.after) : nlohmann::json();
      break;
  }
  return json;
}

}  // namespace secdb
