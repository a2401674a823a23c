#include "model/vocabulary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/number_text.h"

namespace xmlsecdb {
namespace {

using std::nullopt;
using Text = std::optional<std::string_view>;

// Each word reads as its value and the value writes back as the word, and
// the vocabulary has no other words. The expected spellings are written out
// here rather than taken from the tables, so a misspelt table fails.
template <typename E>
void ExpectWords(const Vocabulary<E>& vocabulary, std::initializer_list<Spelling<E>> expected) {
  EXPECT_EQ(vocabulary.words.size(), expected.size());
  for (const Spelling<E>& word : expected) {
    EXPECT_EQ(ValueFromText(vocabulary, word.text), std::optional<E>(word.value)) << word.text;
    EXPECT_EQ(TextFromValue(vocabulary, word.value), Text(word.text)) << word.text;
  }
}

TEST(VocabularyWords, EveryWordReadsAndWritesBothWays) {
  ExpectWords(
      kAccessResult,
      {{AR_PREVENT, "Prevent"}, {AR_ALLOW, "Allow"}, {AR_ASKUSER, "AskUser"}, {AR_NONE, "None"}});
  ExpectWords(kPriority, {{PRIOR_LOW, "low"}, {PRIOR_NORMAL, "normal"}, {PRIOR_HIGH, "high"}});
  ExpectWords(kOSVersion, {{OSVER_WIN_ALL, "*"},
                           {OSVER_WIN_9X, "Win9x"},
                           {OSVER_WIN_NT_OR_HIGHER, "NT_and_up"},
                           {OSVER_WIN_2K_OR_HIGHER, "W2K_and_up"},
                           {OSVER_WIN_XP_OR_HIGHER, "XP_and_up"},
                           {OSVER_WIN_NT_ONLY, "NT_only"}});
  ExpectWords(kRuleAccount, {{RA_USER, "user"}, {RA_SYSTEM, "system"}, {RA_BOTH, "both"}});
  ExpectWords(kPropertyType,
              {{PT_STR, "str"}, {PT_INT, "int"}, {PT_BOOL, "bool"}, {PT_STR_LIST, "stringList"}});
  ExpectWords(kCFType, {{CST_AND, "and"}, {CST_OR, "or"}, {CST_AND_OR, "and_or"}});
  ExpectWords(kCFTarget, {{CSTRG_GLOBAL, "global"},
                          {CSTRG_PROCESS, "process"},
                          {CSTRG_GLOBAL_PROCESS, "global_process"}});
  ExpectWords(kDirection, {{DIR_IN, "in"}, {DIR_OUT, "out"}, {DIR_IN_OUT, "in_out"}});
  // Reading tries the account words in this order.
  EXPECT_EQ(kRuleAccount.words[0].text, "system");
  EXPECT_EQ(kRuleAccount.words[1].text, "user");
}

// One attribute read: its text (nullopt when absent), the value the caller
// starts from, and what comes out.
template <typename E>
struct ReadCase {
  Text text;
  E start;
  ReadStatus status;
  E value;
};

template <typename E>
void ExpectReads(const Vocabulary<E>& vocabulary, std::initializer_list<ReadCase<E>> cases) {
  for (const ReadCase<E>& c : cases) {
    E value = c.start;
    EXPECT_EQ(ReadWord(vocabulary, c.text, &value), c.status) << c.text.value_or("(absent)");
    EXPECT_EQ(value, c.value) << c.text.value_or("(absent)");
  }
}

TEST(VocabularyWords, AbsentAndUnknownTextFollowEachAttributesRule) {
  using S = ReadStatus;
  // Required, unknown fails; words are case-sensitive and whole-string.
  ExpectReads(kAccessResult, {{nullopt, AR_ALLOW, S::kMissing, AR_ALLOW},
                              {"allow", AR_ALLOW, S::kWrong, AR_ALLOW},
                              {"Allowed", AR_PREVENT, S::kWrong, AR_PREVENT},
                              {"", AR_ALLOW, S::kWrong, AR_ALLOW},
                              {"None", AR_ALLOW, S::kOk, AR_NONE}});
  // Absent means normal; other text fails.
  ExpectReads(kPriority, {{nullopt, PRIOR_HIGH, S::kOk, PRIOR_NORMAL},
                          {"High", PRIOR_NORMAL, S::kWrong, PRIOR_NORMAL},
                          {"low", PRIOR_NORMAL, S::kOk, PRIOR_LOW}});
  // Unknown words load without failure and keep the value.
  ExpectReads(kOSVersion, {{"Vista", OSVER_WIN_ALL, S::kOk, OSVER_WIN_ALL},
                           {"Vista", OSVER_WIN_XP_OR_HIGHER, S::kOk, OSVER_WIN_XP_OR_HIGHER},
                           {nullopt, OSVER_WIN_9X, S::kOk, OSVER_WIN_ALL}});
  ExpectReads(kRuleAccount,
              {{"admin", RA_BOTH, S::kOk, RA_BOTH}, {nullopt, RA_SYSTEM, S::kOk, RA_USER}});
  // Required, but unknown words keep the type.
  ExpectReads(kPropertyType,
              {{nullopt, PT_INT, S::kMissing, PT_INT}, {"string", PT_BOOL, S::kOk, PT_BOOL}});
  ExpectReads(kCFType,
              {{nullopt, CST_AND, S::kMissing, CST_AND}, {"xor", CST_AND, S::kWrong, CST_AND}});
  ExpectReads(kCFTarget, {{nullopt, CSTRG_GLOBAL, S::kMissing, CSTRG_GLOBAL},
                          {"Global", CSTRG_GLOBAL, S::kWrong, CSTRG_GLOBAL}});
  ExpectReads(kDirection, {{"inout", DIR_IN, S::kWrong, DIR_IN}});
}

TEST(VocabularyWords, WritersLeaveOutDefaultsAndValuesWithoutWord) {
  EXPECT_EQ(WordToWrite(kPriority, PRIOR_NORMAL), nullopt);
  EXPECT_EQ(WordToWrite(kPriority, PRIOR_LOW), Text("low"));
  EXPECT_EQ(WordToWrite(kPriority, PRIOR_HIGH), Text("high"));
  EXPECT_EQ(WordToWrite(kPriority, PRIOR_UNUSED), nullopt);
  EXPECT_EQ(WordToWrite(kOSVersion, OSVER_WIN_ALL), nullopt);
  EXPECT_EQ(WordToWrite(kOSVersion, OSVER_WIN_NT_ONLY), Text("NT_only"));
  EXPECT_EQ(WordToWrite(kRuleAccount, RA_USER), nullopt);
  EXPECT_EQ(WordToWrite(kRuleAccount, RA_SYSTEM), Text("system"));
  EXPECT_EQ(WordToWrite(kAccessResult, AR_PREVENT), Text("Prevent"));
  EXPECT_EQ(WordToWrite(kAccessResult, static_cast<EAccessResult>(4)), nullopt);
  EXPECT_EQ(WordToWrite(kAccessResult, static_cast<EAccessResult>(-1)), nullopt);
}

TEST(VocabularyWords, NormalPriorityRoundTripsThroughAnAbsentAttribute) {
  EPriority read = PRIOR_LOW;
  ASSERT_EQ(ReadWord(kPriority, WordToWrite(kPriority, PRIOR_NORMAL), &read), ReadStatus::kOk);
  EXPECT_EQ(read, PRIOR_NORMAL);
}

// A kind with its own words for a shared enumeration passes its own table:
// fewer words, a second word for one value, a case-insensitive match.
TEST(VocabularyWords, KindTablesAreParameters) {
  static constexpr Spelling<EAccessResult> kTwoWords[] = {{AR_PREVENT, "Prevent"},
                                                          {AR_ALLOW, "Allow"}};
  constexpr Vocabulary<EAccessResult> kTwoWordResult{.words = kTwoWords};
  EXPECT_EQ(ValueFromText(kTwoWordResult, "AskUser"), nullopt);
  EXPECT_EQ(WordToWrite(kTwoWordResult, AR_ASKUSER), nullopt);

  static constexpr Spelling<EAccessResult> kLoose[] = {
      {AR_PREVENT, "Prevent"}, {AR_ASKUSER, "AskUser"}, {AR_ASKUSER, "ask"}};
  constexpr Vocabulary<EAccessResult> kLooseResult{.words = kLoose,
                                                   .text_case = TextCase::kInsensitive};
  EXPECT_EQ(ValueFromText(kLooseResult, "ASK"), std::optional(AR_ASKUSER));
  EXPECT_EQ(ValueFromText(kLooseResult, "prevent"), std::optional(AR_PREVENT));
  EXPECT_EQ(ValueFromText(kLooseResult, "prevents"), nullopt);
  EXPECT_EQ(TextFromValue(kLooseResult, AR_ASKUSER), Text("AskUser"));  // the first word
}

TEST(VocabularyText, CaseFoldingIsAsciiOnly) {
  EXPECT_TRUE(TextEquals("SeVeRiTy", "severity", TextCase::kInsensitive));
  EXPECT_FALSE(TextEquals("SeVeRiTy", "severity", TextCase::kSensitive));
  EXPECT_FALSE(TextEquals("\xC3\x89", "\xC3\xA9", TextCase::kInsensitive));  // É, é
  EXPECT_FALSE(TextEquals("[", "{", TextCase::kInsensitive));
  EXPECT_FALSE(TextEquals("ab", "abc", TextCase::kInsensitive));
}

TEST(VocabularyAuditLevel, ReadsSeverityNumbersAndWords) {
  constexpr auto kCased = TextCase::kSensitive;
  constexpr auto kCaseless = TextCase::kInsensitive;
  struct Case {
    std::string_view text;
    TextCase prefix_case;
    std::optional<std::int32_t> level;
  } cases[] = {
      {"Severity12", kCased, 12},
      {"Severity0", kCased, 0},
      {"Severity", kCased, nullopt},  // the prefix alone is not a severity
      {"Severity", kCaseless, nullopt},
      {"Severityx", kCased, 0},     // no digits
      {"Severity7abc", kCased, 7},  // leading digits only
      {"severity3", kCaseless, 3},
      {"SEVERITY3", kCaseless, 3},
      {"severity3", kCased, nullopt},
      {"Ignore", kCased, 0},
      {"Monitor", kCased, 1},
      {"Alert", kCaseless, 2},
      {"ignore", kCaseless, nullopt},  // the words are case-sensitive everywhere
      {"Critical", kCased, nullopt},
      {"", kCased, nullopt},
      // Read as the writer writes ("%u"), so each level reads back as itself:
      {"Severity99999999999999", kCased, -1},  // saturates at 0xFFFFFFFF
      {"Severity4294967295", kCased, -1},
      {"Severity-3", kCased, -3},
      {"Severity2147483648", kCased, std::numeric_limits<std::int32_t>::min()},
  };
  for (const Case& c : cases) {
    std::optional<EAuditLevel> level = AuditLevelFromText(c.text, c.prefix_case);
    ASSERT_EQ(level.has_value(), c.level.has_value()) << c.text;
    if (level) {
      EXPECT_EQ(static_cast<std::int32_t>(*level), *c.level) << c.text;
    }
  }

  EAuditLevel level = AL_SEVERITY_9;
  EXPECT_EQ(ReadAuditLevel(nullopt, kCased, &level), ReadStatus::kOk);
  EXPECT_EQ(level, AL_IGNORE);
  level = AL_SEVERITY_9;
  EXPECT_EQ(ReadAuditLevel("Severity", kCased, &level), ReadStatus::kWrong);
  EXPECT_EQ(level, AL_SEVERITY_9);
}

TEST(VocabularyAuditLevel, AlwaysWritesSeverityAndUnsignedNumber) {
  EXPECT_EQ(AuditLevelText(AL_IGNORE), "Severity0");
  EXPECT_EQ(AuditLevelText(AL_MONITOR), "Severity1");
  EXPECT_EQ(AuditLevelText(MAX_AUDIT_LEVEL), "Severity15");
  EXPECT_EQ(AuditLevelText(static_cast<EAuditLevel>(-1)), "Severity4294967295");
  EXPECT_EQ(AuditLevelFromText(AuditLevelText(AL_SEVERITY_12), TextCase::kSensitive),
            std::optional(AL_SEVERITY_12));
}

TEST(VocabularyReference, PairOfAttributesNamesTheKind) {
  EXPECT_EQ(ChoosePair("", ""), PairChoice::kNeither);
  EXPECT_EQ(ChoosePair("notepad.exe", ""), PairChoice::kDirect);
  EXPECT_EQ(ChoosePair("", "12"), PairChoice::kById);
  EXPECT_EQ(ChoosePair("notepad.exe", "12"), PairChoice::kBoth);

  EXPECT_EQ(AttributeFor(kAppAttributes, AT_LABEL), Text("app"));
  EXPECT_EQ(AttributeFor(kAppAttributes, AT_DEFINITION), Text("app_id"));
  EXPECT_EQ(AttributeFor(kAppAttributes, static_cast<EAppType>(2)), nullopt);
  EXPECT_EQ(AttributeFor(kTimeOfDayAttributes, RT_DIRECT), Text("timeofday"));
  EXPECT_EQ(AttributeFor(kTimeOfDayAttributes, RT_DEFINITION), Text("timeofday_id"));
  EXPECT_EQ(AttributeFor(kTimeOfDayAttributes, static_cast<ERefType>(-1)), nullopt);
}

TEST(VocabularyFlags, ReadAndWrite) {
  struct Case {
    std::string_view text;
    bool flag;     // FlagFromText
    bool on_flag;  // OnFlagFromText
  } cases[] = {
      {"1", true, true},       {"true", true, true},   {"", false, true},
      {"yes", false, true},    {"True", false, true},  {"0", false, false},
      {"false", false, false}, {"False", false, true}, {" 1", false, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FlagFromText(c.text), c.flag) << c.text;
    EXPECT_EQ(OnFlagFromText(c.text), c.on_flag) << c.text;
  }
  EXPECT_EQ(FlagText(true), Text("1"));
  EXPECT_EQ(FlagText(false), nullopt);
  EXPECT_EQ(OnFlagText(false), Text("0"));
  EXPECT_EQ(OnFlagText(true), nullopt);
}

TEST(VocabularyBitList, WritesOneBasedBitNumbers) {
  EXPECT_EQ(BitListText(0), nullopt);
  EXPECT_EQ(BitListText(0x5), std::optional<std::string>("1|3"));
  EXPECT_EQ(BitListText(0x80000000u), std::optional<std::string>("32"));
  for (std::uint32_t mask : {0x5u, 0x1u, 0x80000001u, 0xFFFFFFFFu, 0x12345678u}) {
    EXPECT_EQ(BitListFromText(*BitListText(mask)), mask) << mask;
  }
}

TEST(VocabularyBitList, ReadsPiecesAndIgnoresZeros) {
  struct Case {
    std::string_view text;
    std::uint32_t mask;
  } cases[] = {
      {"1|3|0", 0x5},
      {"", 0},
      {"0", 0},
      {"x|2", 0x2},
      {"3||1", 0x5},
      {"2abc|4", 0xA},
      {"33", 0x1},                  // modulo 32
      {"-1", 0x40000000},           // (-1 - 1) modulo 32 = 30
      {"99999999999", 0x40000000},  // saturates at 2^31 - 1
      {"-2147483648", 0x80000000},  // no overflow in n - 1
      {"-99999999999|32", 0x80000000},
  };
  for (const Case& c : cases) EXPECT_EQ(BitListFromText(c.text), c.mask) << c.text;
}

TEST(VocabularyNumbers, ProcessIdIsEightUpperCaseHexDigits) {
  EXPECT_EQ(ProcessIdText(0), nullopt);
  EXPECT_EQ(ProcessIdText(0x1a2b), std::optional<std::string>("00001A2B"));
  EXPECT_EQ(ProcessIdText(0xFFFFFFFFu), std::optional<std::string>("FFFFFFFF"));
  EXPECT_EQ(ReadHex(*ProcessIdText(0xABCDEF01u)), 0xABCDEF01u);
}

TEST(VocabularyNumbers, UnsignedAndHexReadersSaturate) {
  constexpr std::uint32_t kMax = 0xFFFFFFFFu;
  struct Case {
    std::string_view text;
    std::uint32_t decimal;
    std::uint32_t hex;
  } cases[] = {
      {"", 0, 0},
      {"zz", 0, 0},
      {"12ab", 12, 0x12AB},
      {"  7", 7, 7},
      {"+7", 7, 7},
      {"-1", kMax, kMax},
      {"4294967295", kMax, kMax},
      {"4294967296", kMax, kMax},
      {"99999999999999999999999", kMax, kMax},
      {"-99999999999999999999999", kMax, kMax},
      {"0x1f", 0, 0x1F},
      {"0X1F", 0, 0x1F},
      {"ffffffff", 0, kMax},
      {"100000000", 100000000, kMax},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadUnsignedDecimal(c.text), c.decimal) << c.text;
    EXPECT_EQ(ReadHex(c.text), c.hex) << c.text;
  }
  EXPECT_EQ(UnsignedDecimalText(kMax), "4294967295");
  EXPECT_EQ(UnsignedDecimalText(0), "0");
  EXPECT_EQ(ReadDecimal("-99999999999"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ReadDecimal("2147483648"), std::numeric_limits<std::int32_t>::max());
}

TEST(VocabularyText, FreeTextIsVerbatimAndLeftOutWhenEmpty) {
  EXPECT_EQ(FreeText(""), nullopt);
  EXPECT_EQ(FreeText(" a <b> & \"c\" "), Text(" a <b> & \"c\" "));
}

}  // namespace
}  // namespace xmlsecdb
