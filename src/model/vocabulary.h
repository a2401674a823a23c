// How the shared value sets and scalar forms are spelled in database files.
//
// A vocabulary is data: the words of one attribute in the order a reader
// tries them, what an absent attribute means, what unknown text does, and
// which value a writer leaves out. Content handlers turn attribute text into
// values with ReadWord (or the bare ValueFromText); save routines turn
// values back into text with WordToWrite (or the bare TextFromValue). A kind
// whose files use other words for the same enumeration declares its own
// Vocabulary over its own Spelling array and passes that instead.
//
// Every "...Text" function that returns std::optional gives std::nullopt
// when the save writes no attribute at all.
//
// Everything here is stateless and may be called from any thread.
#ifndef XMLSECDB_MODEL_VOCABULARY_H_
#define XMLSECDB_MODEL_VOCABULARY_H_

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "xmlsecdb/enums.h"

namespace xmlsecdb {

enum class TextCase {
  kSensitive,
  kInsensitive,  // ASCII letters only; other bytes compare exactly
};

// Whole-string comparison of `a` and `b` under `text_case`.
bool TextEquals(std::string_view a, std::string_view b, TextCase text_case);

template <typename E>
struct Spelling {
  E value;
  std::string_view text;
};

// What a reader does with text that is not one of the words.
enum class IfUnknown {
  kFail,  // an invalid-content failure (message 110)
  kKeep,  // no failure; the value stays what it was
};

template <typename E>
struct Vocabulary {
  // The words, in the order reading tries them. Writing takes the first
  // word of a value; a value without a word is not written.
  std::span<const Spelling<E>> words;
  // The value an absent attribute stands for; std::nullopt makes the
  // attribute required (message 109 when absent).
  std::optional<E> if_absent = std::nullopt;
  IfUnknown if_unknown = IfUnknown::kFail;
  // The value a writer expresses by leaving the attribute out.
  std::optional<E> omitted = std::nullopt;
  TextCase text_case = TextCase::kSensitive;
};

// The value of the first word equal to `text`, or std::nullopt.
template <typename E>
std::optional<E> ValueFromText(const Vocabulary<E>& vocabulary, std::string_view text) {
  for (const Spelling<E>& word : vocabulary.words) {
    if (TextEquals(word.text, text, vocabulary.text_case)) return word.value;
  }
  return std::nullopt;
}

// The first word whose value is `value`, or std::nullopt.
template <typename E>
std::optional<std::string_view> TextFromValue(const Vocabulary<E>& vocabulary, E value) {
  for (const Spelling<E>& word : vocabulary.words) {
    if (word.value == value) return word.text;
  }
  return std::nullopt;
}

// The outcome of reading one attribute. The caller turns kMissing into
// message 109 and kWrong into message 110, with its own detail text
// (" Missing rule AR.", " Wrong rule priority.", ...).
enum class ReadStatus {
  kOk,
  kMissing,  // a required attribute is absent
  kWrong,    // the text is no word of the vocabulary
};

// Reads an attribute's text (std::nullopt when the element lacks it) into
// *value. An empty text is present, not absent. *value is left as it was on
// a failure and for unknown text under IfUnknown::kKeep, so the caller
// initialises it with the value to keep.
template <typename E>
[[nodiscard]] ReadStatus ReadWord(const Vocabulary<E>& vocabulary,
                                  std::optional<std::string_view> text, E* value) {
  if (!text) {
    if (!vocabulary.if_absent) return ReadStatus::kMissing;
    *value = *vocabulary.if_absent;
    return ReadStatus::kOk;
  }
  std::optional<E> found = ValueFromText(vocabulary, *text);
  if (found) {
    *value = *found;
    return ReadStatus::kOk;
  }
  return vocabulary.if_unknown == IfUnknown::kKeep ? ReadStatus::kOk : ReadStatus::kWrong;
}

// The text a save writes for `value`; std::nullopt for the omitted value
// and for values without a word.
template <typename E>
std::optional<std::string_view> WordToWrite(const Vocabulary<E>& vocabulary, E value) {
  if (vocabulary.omitted && *vocabulary.omitted == value) return std::nullopt;
  return TextFromValue(vocabulary, value);
}

// ---------------------------------------------------------------------------
// The shared vocabularies.

// `ar`: required; values outside 0..3 are not written.
inline constexpr Spelling<EAccessResult> kAccessResultWords[] = {
    {AR_PREVENT, "Prevent"}, {AR_ALLOW, "Allow"}, {AR_ASKUSER, "AskUser"}, {AR_NONE, "None"}};
inline constexpr Vocabulary<EAccessResult> kAccessResult{.words = kAccessResultWords};

// `priority`: absent means normal, and normal is not written. PRIOR_UNUSED
// has no word.
inline constexpr Spelling<EPriority> kPriorityWords[] = {
    {PRIOR_LOW, "low"}, {PRIOR_NORMAL, "normal"}, {PRIOR_HIGH, "high"}};
inline constexpr Vocabulary<EPriority> kPriority{
    .words = kPriorityWords, .if_absent = PRIOR_NORMAL, .omitted = PRIOR_NORMAL};

// `os`: unknown words (a newer system's name) load without failure.
inline constexpr Spelling<EOSVersion> kOSVersionWords[] = {{OSVER_WIN_ALL, "*"},
                                                           {OSVER_WIN_9X, "Win9x"},
                                                           {OSVER_WIN_NT_OR_HIGHER, "NT_and_up"},
                                                           {OSVER_WIN_2K_OR_HIGHER, "W2K_and_up"},
                                                           {OSVER_WIN_XP_OR_HIGHER, "XP_and_up"},
                                                           {OSVER_WIN_NT_ONLY, "NT_only"}};
inline constexpr Vocabulary<EOSVersion> kOSVersion{.words = kOSVersionWords,
                                                   .if_absent = OSVER_WIN_ALL,
                                                   .if_unknown = IfUnknown::kKeep,
                                                   .omitted = OSVER_WIN_ALL};

// `account`: readers try "system" first.
inline constexpr Spelling<ERuleAccount> kRuleAccountWords[] = {
    {RA_SYSTEM, "system"}, {RA_USER, "user"}, {RA_BOTH, "both"}};
inline constexpr Vocabulary<ERuleAccount> kRuleAccount{.words = kRuleAccountWords,
                                                       .if_absent = RA_USER,
                                                       .if_unknown = IfUnknown::kKeep,
                                                       .omitted = RA_USER};

// `type` of a global option: required; an unknown word keeps the type.
inline constexpr Spelling<EPropertyType> kPropertyTypeWords[] = {
    {PT_STR, "str"}, {PT_INT, "int"}, {PT_BOOL, "bool"}, {PT_STR_LIST, "stringList"}};
inline constexpr Vocabulary<EPropertyType> kPropertyType{.words = kPropertyTypeWords,
                                                         .if_unknown = IfUnknown::kKeep};

// `type` and `target` of a condition switch: required.
inline constexpr Spelling<ECFType> kCFTypeWords[] = {
    {CST_AND, "and"}, {CST_OR, "or"}, {CST_AND_OR, "and_or"}};
inline constexpr Vocabulary<ECFType> kCFType{.words = kCFTypeWords};

inline constexpr Spelling<ECFTarget> kCFTargetWords[] = {
    {CSTRG_GLOBAL, "global"}, {CSTRG_PROCESS, "process"}, {CSTRG_GLOBAL_PROCESS, "global_process"}};
inline constexpr Vocabulary<ECFTarget> kCFTarget{.words = kCFTargetWords};

// `dir`: required here; a kind in which it is optional declares its own
// Vocabulary over the same words with its default.
inline constexpr Spelling<EDirection> kDirectionWords[] = {
    {DIR_IN, "in"}, {DIR_OUT, "out"}, {DIR_IN_OUT, "in_out"}};
inline constexpr Vocabulary<EDirection> kDirection{.words = kDirectionWords};

// ---------------------------------------------------------------------------
// Audit level (`al` and the other audit-level attributes).

// Reads "Severity<n>" (at least one character after the eight-letter
// prefix; n read as by ReadDecimal, so "Severityx" is 0) or one of the
// words "Ignore", "Monitor", "Alert" (always case-sensitive); std::nullopt
// for anything else. `prefix_case` is the kind's rule for the prefix.
std::optional<EAuditLevel> AuditLevelFromText(std::string_view text, TextCase prefix_case);

// Like ReadWord; an absent attribute gives AL_IGNORE. A kind that requires
// the attribute checks its presence itself.
[[nodiscard]] ReadStatus ReadAuditLevel(std::optional<std::string_view> text, TextCase prefix_case,
                                        EAuditLevel* level);

// Always "Severity" and the level as unsigned decimal: AL_MONITOR is
// "Severity1", and a level of -1 is "Severity4294967295".
std::string AuditLevelText(EAuditLevel level);

// ---------------------------------------------------------------------------
// Application and definition references, expressed by which attribute of a
// pair carries the text (`app` / `app_id`, `timeofday` / `timeofday_id`).

struct AttributePair {
  std::string_view direct;  // holds the text itself (a label, a time)
  std::string_view by_id;   // holds the ID of a definition
};
inline constexpr AttributePair kAppAttributes{"app", "app_id"};
inline constexpr AttributePair kTimeOfDayAttributes{"timeofday", "timeofday_id"};

// Which attributes of a pair are non-empty (absent counts as empty).
enum class PairChoice { kNeither, kDirect, kById, kBoth };
PairChoice ChoosePair(std::string_view direct_text, std::string_view by_id_text);

// The attribute a save writes for the reference type; std::nullopt for
// values other than the two.
std::optional<std::string_view> AttributeFor(const AttributePair& pair, EAppType type);
std::optional<std::string_view> AttributeFor(const AttributePair& pair, ERefType type);

// ---------------------------------------------------------------------------
// Flags.

// A flag written only when set (`preferred`, `system`, `lm`, and `disabled`
// for Enabled 0): "1" or "true" set it; other text, including "True", and
// absence (pass "") leave it clear.
bool FlagFromText(std::string_view text);
// "1" when set; the attribute is left out otherwise.
std::optional<std::string_view> FlagText(bool set);

// A flag that defaults to on (`mailprotect`, `webprotect`): "0" or "false"
// clear it; other text and absence (pass "") leave it set.
bool OnFlagFromText(std::string_view text);
// "0" when clear; the attribute is left out otherwise.
std::optional<std::string_view> OnFlagText(bool set);

// ---------------------------------------------------------------------------
// Numbers. Signed decimals (`order`, `timeout`, decimal IDs) are read with
// ReadDecimal and written with XmlAttributes::AddInt; unsigned decimals
// ("%u") are read with ReadUnsignedDecimal; process identifiers (`proc_id`)
// are read with ReadHex (all in core/number_text.h).

// "%u".
std::string UnsignedDecimalText(std::uint32_t value);

// A 32-bit number as decimal text ("%d" or "%u" by the type of the value),
// held in the object itself: for writers that write many numbers and must
// not allocate for each.
class DecimalText {
 public:
  template <class N>
  explicit DecimalText(N value)
      : size_(static_cast<std::size_t>(std::to_chars(text_, text_ + sizeof text_, value).ptr -
                                       text_)) {}
  std::string_view view() const { return {text_, size_}; }

 private:
  char text_[16];
  std::size_t size_;
};

// `proc_id`: eight upper-case hexadecimal digits ("%08X"); left out for 0.
std::optional<std::string> ProcessIdText(std::uint32_t process_id);

// Bit lists (`bits_on`, `bits_off`, `outcond_and`, `outcond_or`): the
// 1-based numbers of the set bits, increasing, joined by "|" (0x5 is
// "1|3"); left out for 0.
std::optional<std::string> BitListText(std::uint32_t mask);

// Splits at "|" and reads each piece with ReadDecimal; a piece n other than
// 0 sets bit (n - 1) modulo 32, so "33" sets bit 0 and "-1" bit 30.
std::uint32_t BitListFromText(std::string_view text);

// ---------------------------------------------------------------------------
// Free text (`desc`, `uiflags`, `filter` of an assignment) is copied
// verbatim both ways; a save writes it only when it is not empty.
std::optional<std::string_view> FreeText(std::string_view text);

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_VOCABULARY_H_
