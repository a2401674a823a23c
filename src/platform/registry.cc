#include "platform/registry.h"

#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace xmlsecdb {

namespace registry_internal {

struct Key {
  struct Value {
    std::string name;
    std::uint32_t type = REG_NONE;
    std::vector<std::uint8_t> data;
  };

  std::string name;
  // Keyed by the ASCII-folded name, so the file lists subkeys in the order a
  // case-insensitive reader expects.
  std::map<std::string, std::unique_ptr<Key>> children;
  // In the order the values were created, as the file lists them.
  std::vector<Value> values;
};

}  // namespace registry_internal

namespace {

using registry_internal::Key;

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

struct RootName {
  std::string_view name;
  std::string_view alias;
};
constexpr RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", "HKCR"}, {"HKEY_CURRENT_USER", "HKCU"},   {"HKEY_LOCAL_MACHINE", "HKLM"},
    {"HKEY_USERS", "HKU"},         {"HKEY_CURRENT_CONFIG", "HKCC"},
};

char FoldChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Fold(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = FoldChar(c);
  return out;
}

bool EqualsFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldChar(a[i]) != FoldChar(b[i])) return false;
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses 1 to 8 hex digits; nothing else may follow.
bool ParseHex32(std::string_view s, std::uint32_t* out) {
  if (s.empty() || s.size() > 8) return false;
  std::uint32_t v = 0;
  for (char c : s) {
    int d = HexValue(c);
    if (d < 0) return false;
    v = (v << 4) | static_cast<std::uint32_t>(d);
  }
  *out = v;
  return true;
}

// --- Text encodings -------------------------------------------------------

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at s[*i]; an invalid byte decodes as U+FFFD and
// is consumed alone.
char32_t DecodeUtf8(std::string_view s, std::size_t* i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char b0 = byte(*i);
  if (b0 < 0x80) {
    ++*i;
    return b0;
  }
  int extra = (b0 & 0xE0) == 0xC0 ? 1 : (b0 & 0xF0) == 0xE0 ? 2 : (b0 & 0xF8) == 0xF0 ? 3 : -1;
  if (extra < 0 || *i + static_cast<std::size_t>(extra) >= s.size()) {
    ++*i;
    return kReplacement;
  }
  char32_t cp = b0 & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    unsigned char b = byte(*i + k);
    if ((b & 0xC0) != 0x80) {
      ++*i;
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++*i;
    return kReplacement;
  }
  *i += 1 + extra;
  return cp;
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

void AppendUnit(std::uint16_t unit, std::vector<std::uint8_t>* out) {
  out->push_back(static_cast<std::uint8_t>(unit & 0xFF));
  out->push_back(static_cast<std::uint8_t>(unit >> 8));
}

// UTF-8 text as UTF-16LE bytes followed by a zero character.
std::vector<std::uint8_t> ToStringData(std::string_view text) {
  std::vector<std::uint8_t> out;
  out.reserve(text.size() * 2 + 2);
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = DecodeUtf8(text, &i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      AppendUnit(static_cast<std::uint16_t>(0xD800 | (cp >> 10)), &out);
      AppendUnit(static_cast<std::uint16_t>(0xDC00 | (cp & 0x3FF)), &out);
    } else {
      AppendUnit(static_cast<std::uint16_t>(cp), &out);
    }
  }
  AppendUnit(0, &out);
  return out;
}

// UTF-16LE units as UTF-8, stopping at the first zero unit when stop_at_zero;
// unpaired surrogates become U+FFFD.
std::string FromUtf16Le(const std::uint8_t* data, std::size_t units, bool stop_at_zero) {
  auto unit = [&](std::size_t k) {
    return static_cast<char32_t>(data[2 * k] | (data[2 * k + 1] << 8));
  };
  std::string out;
  out.reserve(units);
  for (std::size_t k = 0; k < units; ++k) {
    char32_t u = unit(k);
    if (u == 0 && stop_at_zero) break;
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 &&
        unit(k + 1) <= 0xDFFF) {
      u = 0x10000 + ((u - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
      ++k;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      u = kReplacement;
    }
    AppendUtf8(u, &out);
  }
  return out;
}

// The file's text as UTF-8, whatever encoding its byte-order mark announces.
std::string FileTextAsUtf8(std::string_view raw) {
  if (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF &&
      static_cast<unsigned char>(raw[1]) == 0xFE) {
    raw.remove_prefix(2);
    return FromUtf16Le(reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size() / 2, false);
  }
  if (raw.size() >= 3 && raw.substr(0, 3) == "\xEF\xBB\xBF") raw.remove_prefix(3);
  return std::string(raw);
}

// --- The tree -------------------------------------------------------------

std::unique_ptr<Key> MakeTree() {
  auto tree = std::make_unique<Key>();
  for (const RootName& root : kRoots) {
    auto key = std::make_unique<Key>();
    key->name = std::string(root.name);
    tree->children.emplace(Fold(root.name), std::move(key));
  }
  return tree;
}

// Splits a key path into its non-empty components with the root first,
// spelled out in full. False when the path does not start with a root.
bool SplitPath(std::string_view path, std::vector<std::string_view>* parts) {
  parts->clear();
  while (!path.empty()) {
    std::size_t cut = path.find('\\');
    std::string_view part = path.substr(0, cut);
    if (!part.empty()) parts->push_back(part);
    if (cut == std::string_view::npos) break;
    path.remove_prefix(cut + 1);
  }
  if (parts->empty()) return false;
  for (const RootName& root : kRoots) {
    if (EqualsFolded((*parts)[0], root.name) || EqualsFolded((*parts)[0], root.alias)) {
      (*parts)[0] = root.name;
      return true;
    }
  }
  return false;
}

// The key at `path`, or null. With `create`, missing keys are made.
Key* Walk(Key* tree, std::string_view path, bool create) {
  std::vector<std::string_view> parts;
  if (!SplitPath(path, &parts)) return nullptr;
  Key* key = tree;
  for (std::string_view part : parts) {
    std::string folded = Fold(part);
    auto it = key->children.find(folded);
    if (it == key->children.end()) {
      if (!create) return nullptr;
      auto child = std::make_unique<Key>();
      child->name = std::string(part);
      it = key->children.emplace(std::move(folded), std::move(child)).first;
    }
    key = it->second.get();
  }
  return key;
}

// 1: deleted, 0: absent, -1: not a deletable path (no root, or a root).
int DeleteAt(Key* tree, std::string_view path) {
  std::vector<std::string_view> parts;
  if (!SplitPath(path, &parts) || parts.size() < 2) return -1;
  Key* parent = tree;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    auto it = parent->children.find(Fold(parts[i]));
    if (it == parent->children.end()) return 0;
    parent = it->second.get();
  }
  return parent->children.erase(Fold(parts.back())) ? 1 : 0;
}

Key::Value* FindValue(Key* key, std::string_view name) {
  for (Key::Value& v : key->values) {
    if (EqualsFolded(v.name, name)) return &v;
  }
  return nullptr;
}

void PutValue(Key* key, std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data) {
  Key::Value* v = FindValue(key, name);
  if (!v) {
    key->values.emplace_back();
    v = &key->values.back();
    v->name = std::string(name);
  }
  v->type = type;
  v->data = std::move(data);
}

void EraseValue(Key* key, std::string_view name) {
  for (auto it = key->values.begin(); it != key->values.end(); ++it) {
    if (EqualsFolded(it->name, name)) {
      key->values.erase(it);
      return;
    }
  }
}

// --- Reading the text format ----------------------------------------------

// Reads a quoted string starting at s[*pos] == '"'; \\ and \" are escapes,
// any other backslash is kept as it is. Leaves *pos after the closing quote.
bool ParseQuoted(std::string_view s, std::size_t* pos, std::string* out) {
  out->clear();
  for (std::size_t i = *pos + 1; i < s.size(); ++i) {
    char c = s[i];
    if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
      out->push_back(s[++i]);
    } else if (c == '"') {
      *pos = i + 1;
      return true;
    } else {
      out->push_back(c);
    }
  }
  return false;
}

bool StartsWithFolded(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsFolded(s.substr(0, prefix.size()), prefix);
}

bool ParseHexList(std::string_view list, std::vector<std::uint8_t>* out) {
  out->clear();
  if (Trim(list).empty()) return true;
  while (true) {
    std::size_t cut = list.find(',');
    std::string_view item = Trim(list.substr(0, cut));
    std::uint32_t byte = 0;
    if (item.size() > 2 || !ParseHex32(item, &byte)) return false;
    out->push_back(static_cast<std::uint8_t>(byte));
    if (cut == std::string_view::npos) return true;
    list.remove_prefix(cut + 1);
  }
}

enum class DataKind { kValue, kDelete, kMalformed };

// Parses the text after "=" of a value line.
DataKind ParseData(std::string_view data, std::uint32_t* type, std::vector<std::uint8_t>* bytes) {
  data = Trim(data);
  if (data == "-") return DataKind::kDelete;
  if (!data.empty() && data[0] == '"') {
    std::size_t pos = 0;
    std::string text;
    if (!ParseQuoted(data, &pos, &text) || !Trim(data.substr(pos)).empty()) {
      return DataKind::kMalformed;
    }
    *type = REG_SZ;
    *bytes = ToStringData(text);
    return DataKind::kValue;
  }
  if (StartsWithFolded(data, "dword:")) {
    std::uint32_t v = 0;
    if (!ParseHex32(data.substr(6), &v)) return DataKind::kMalformed;
    *type = REG_DWORD;
    bytes->clear();
    for (int i = 0; i < 4; ++i) bytes->push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    return DataKind::kValue;
  }
  if (StartsWithFolded(data, "hex")) {
    data.remove_prefix(3);
    *type = REG_BINARY;
    if (!data.empty() && data[0] == '(') {
      std::size_t close = data.find(')');
      if (close == std::string_view::npos || !ParseHex32(data.substr(1, close - 1), type)) {
        return DataKind::kMalformed;
      }
      data.remove_prefix(close + 1);
    }
    if (data.empty() || data[0] != ':' || !ParseHexList(data.substr(1), bytes)) {
      return DataKind::kMalformed;
    }
    return DataKind::kValue;
  }
  return DataKind::kMalformed;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t cut = text.find('\n');
    lines.push_back(text.substr(0, cut));
    if (cut == std::string_view::npos) break;
    text.remove_prefix(cut + 1);
  }
  return lines;
}

// Fills `tree` from the text format. kRegBadFile when the header is missing.
HRESULT ParseText(std::string_view raw, Key* tree) {
  std::string text = FileTextAsUtf8(raw);
  std::vector<std::string_view> lines = SplitLines(text);
  std::size_t i = 0;
  while (i < lines.size() && Trim(lines[i]).empty()) ++i;
  if (i == lines.size() || Trim(lines[i]) != kHeader) return kRegBadFile;

  Key* current = nullptr;  // null: values are skipped
  for (++i; i < lines.size(); ++i) {
    std::string_view line = Trim(lines[i]);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      current = nullptr;
      if (line.size() < 2 || line.back() != ']') continue;
      std::string_view path = line.substr(1, line.size() - 2);
      if (!path.empty() && path[0] == '-') {
        DeleteAt(tree, path.substr(1));
      } else {
        current = Walk(tree, path, /*create=*/true);
      }
      continue;
    }

    std::string name;
    std::size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (line[0] != '"' || !ParseQuoted(line, &pos, &name)) {
      continue;
    }
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos == line.size() || line[pos] != '=') continue;
    std::string data(Trim(line.substr(pos + 1)));
    // Only hex lists continue on the next line; joining anything else would
    // swallow the valid line that follows a malformed one.
    if (StartsWithFolded(data, "hex")) {
      while (!data.empty() && data.back() == '\\' && i + 1 < lines.size()) {
        data.pop_back();
        data += Trim(lines[++i]);
      }
    }
    if (!current) continue;

    std::uint32_t type = REG_NONE;
    std::vector<std::uint8_t> bytes;
    switch (ParseData(data, &type, &bytes)) {
      case DataKind::kValue:
        PutValue(current, name, type, std::move(bytes));
        break;
      case DataKind::kDelete:
        EraseValue(current, name);
        break;
      case DataKind::kMalformed:
        break;
    }
  }
  return S_OK;
}

// --- Writing the text format ----------------------------------------------

void AppendQuoted(std::string_view s, std::string* out) {
  out->push_back('"');
  for (char c : s) {
    if (c == '\\' || c == '"') out->push_back('\\');
    out->push_back(c);
  }
  out->push_back('"');
}

// A REG_SZ value that the quoted form reproduces byte for byte.
bool AsPlainString(const std::vector<std::uint8_t>& data, std::string* text) {
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  *text = FromUtf16Le(data.data(), data.size() / 2, /*stop_at_zero=*/false);
  if (text->empty() || text->back() != '\0') return false;
  text->pop_back();
  if (text->find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) return false;
  return ToStringData(*text) == data;
}

void AppendValue(const Key::Value& v, std::string* out) {
  std::size_t line_start = out->size();
  if (v.name.empty()) {
    out->push_back('@');
  } else {
    AppendQuoted(v.name, out);
  }
  out->push_back('=');
  std::string text;
  if (v.type == REG_SZ && AsPlainString(v.data, &text)) {
    AppendQuoted(text, out);
  } else if (v.type == REG_DWORD && v.data.size() == 4) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "dword:%08x",
                  static_cast<unsigned>(v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) |
                                        (static_cast<std::uint32_t>(v.data[3]) << 24)));
    out->append(buf);
  } else {
    char buf[24];
    if (v.type == REG_BINARY) {
      std::snprintf(buf, sizeof buf, "hex:");
    } else {
      std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
    }
    out->append(buf);
    // Lines of at most 80 characters, continued with a backslash.
    std::size_t column = out->size() - line_start;
    for (std::size_t k = 0; k < v.data.size(); ++k) {
      if (column + 3 > 77) {
        out->append("\\\n  ");
        column = 2;
      }
      std::snprintf(buf, sizeof buf, "%02x", v.data[k]);
      out->append(buf);
      column += 2;
      if (k + 1 < v.data.size()) {
        out->push_back(',');
        ++column;
      }
    }
  }
  out->push_back('\n');
}

void AppendKey(const Key& key, const std::string& path, bool is_root, std::string* out) {
  // The roots always exist; they get a section only to hold values.
  if (!is_root || !key.values.empty()) {
    out->append("\n[").append(path).append("]\n");
    for (const Key::Value& v : key.values) AppendValue(v, out);
  }
  for (const auto& [folded, child] : key.children) {
    AppendKey(*child, path + "\\" + child->name, false, out);
  }
}

}  // namespace

// --- Registry -------------------------------------------------------------

Registry& Registry::Instance() {
  // Never destroyed: the debug log may still read it while the process exits.
  static Registry* const instance = [] {
    auto* registry = new Registry();
    const char* path = std::getenv("XMLSECDB_REGISTRY");
    if (path && *path) (void)registry->LoadFile(path);
    return registry;
  }();
  return *instance;
}

Registry::Registry() : tree_(MakeTree()) {
  static std::atomic<std::uint64_t> next_serial{1};
  serial_ = next_serial.fetch_add(1, std::memory_order_relaxed);
}

Registry::~Registry() = default;

bool Registry::KeyExists(std::string_view key) const {
  std::lock_guard lock(mu_);
  return Walk(tree_.get(), key, false) != nullptr;
}

HRESULT Registry::QueryValue(std::string_view key, std::string_view name, std::uint32_t* type,
                             std::vector<std::uint8_t>* data) const {
  if (!type || !data) return E_POINTER;
  std::lock_guard lock(mu_);
  Key* k = Walk(tree_.get(), key, false);
  Key::Value* v = k ? FindValue(k, name) : nullptr;
  if (!v) return kRegNotFound;
  *type = v->type;
  *data = v->data;
  return S_OK;
}

HRESULT Registry::QueryDword(std::string_view key, std::string_view name,
                             std::uint32_t* value) const {
  if (!value) return E_POINTER;
  std::uint32_t type = REG_NONE;
  std::vector<std::uint8_t> data;
  HRESULT hr = QueryValue(key, name, &type, &data);
  if (Failed(hr)) return hr;
  if (type != REG_DWORD) return kRegWrongType;
  if (data.size() != 4) return kRegBadData;
  *value = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
  return S_OK;
}

HRESULT Registry::QueryString(std::string_view key, std::string_view name, std::string* value,
                              std::uint32_t* type) const {
  if (!value) return E_POINTER;
  std::uint32_t stored_type = REG_NONE;
  std::vector<std::uint8_t> data;
  HRESULT hr = QueryValue(key, name, &stored_type, &data);
  if (Failed(hr)) return hr;
  if (stored_type != REG_SZ && stored_type != REG_EXPAND_SZ) return kRegWrongType;
  std::size_t n = data.size();
  if (n < 2 || n % 2 != 0 || data[n - 1] != 0 || data[n - 2] != 0) return kRegBadData;
  *value = FromUtf16Le(data.data(), n / 2, /*stop_at_zero=*/true);
  if (type) *type = stored_type;
  return S_OK;
}

HRESULT Registry::CreateKey(std::string_view key) {
  std::lock_guard lock(mu_);
  return Walk(tree_.get(), key, true) ? S_OK : E_INVALIDARG;
}

HRESULT Registry::DeleteKey(std::string_view key) {
  std::lock_guard lock(mu_);
  switch (DeleteAt(tree_.get(), key)) {
    case 1:
      return S_OK;
    case 0:
      return S_FALSE;
    default: {
      std::vector<std::string_view> parts;
      return SplitPath(key, &parts) ? E_ACCESSDENIED : E_INVALIDARG;
    }
  }
}

HRESULT Registry::SetValue(std::string_view key, std::string_view name, std::uint32_t type,
                           const std::vector<std::uint8_t>& data) {
  std::lock_guard lock(mu_);
  Key* k = Walk(tree_.get(), key, true);
  if (!k) return E_INVALIDARG;
  PutValue(k, name, type, data);
  return S_OK;
}

HRESULT Registry::SetDword(std::string_view key, std::string_view name, std::uint32_t value) {
  std::vector<std::uint8_t> data;
  for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  return SetValue(key, name, REG_DWORD, data);
}

HRESULT Registry::SetString(std::string_view key, std::string_view name, std::string_view value,
                            std::uint32_t type) {
  if (type != REG_SZ && type != REG_EXPAND_SZ) return E_INVALIDARG;
  return SetValue(key, name, type, ToStringData(value));
}

HRESULT Registry::DeleteValue(std::string_view key, std::string_view name) {
  std::lock_guard lock(mu_);
  Key* k = Walk(tree_.get(), key, false);
  if (!k || !FindValue(k, name)) return kRegNotFound;
  EraseValue(k, name);
  return S_OK;
}

void Registry::ResetLocked() {
  tree_ = MakeTree();
  path_.clear();
  load_error_ = S_OK;
}

void Registry::Reset() {
  std::lock_guard lock(mu_);
  ResetLocked();
}

HRESULT Registry::LoadText(std::string_view text) {
  auto tree = MakeTree();
  HRESULT hr = ParseText(text, tree.get());
  if (Failed(hr)) return hr;
  std::lock_guard lock(mu_);
  ResetLocked();
  tree_ = std::move(tree);
  return S_OK;
}

HRESULT Registry::LoadFile(const std::string& path) {
  std::string raw;
  HRESULT hr = S_OK;
  auto tree = MakeTree();
  hr = ReadWholeFile(path, &raw);
  if (hr == HResultFromWin32(ENOENT)) {
    hr = S_FALSE;
  } else if (Succeeded(hr)) {
    hr = ParseText(raw, tree.get());
    if (Failed(hr)) tree = MakeTree();
  }
  std::lock_guard lock(mu_);
  ResetLocked();
  tree_ = std::move(tree);
  path_ = path;
  load_error_ = Failed(hr) ? hr : S_OK;
  return hr;
}

std::string Registry::ToTextLocked() const {
  std::string out(kHeader);
  out.push_back('\n');
  for (const auto& [folded, root] : tree_->children) AppendKey(*root, root->name, true, &out);
  return out;
}

std::string Registry::ToText() const {
  std::lock_guard lock(mu_);
  return ToTextLocked();
}

HRESULT Registry::Save() {
  std::lock_guard lock(mu_);
  if (path_.empty()) return S_FALSE;
  if (Failed(load_error_)) return load_error_;
  // Replaced in one rename, so a failed write leaves the previous store.
  return WriteFileAtomically(path_, ToTextLocked());
}

}  // namespace xmlsecdb
