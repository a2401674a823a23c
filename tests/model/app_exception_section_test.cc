#include "model/app_exception_section.h"

#include <gtest/gtest.h>

#include <string>

#include "cf/cf_words.h"
#include "di/di_words.h"
#include "fw/fw_words.h"
#include "model/section_parser.h"
#include "sbx/sbx_words.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb::testing {
namespace {

TEST(AppExceptionSectionTest, GuardMaskText) {
  struct Case {
    const AppItemVocabulary& items;
    std::uint32_t mask;
    const char* text;
  };
  const Case writes[] = {
      {kCFExceptionItems, 0x40380000, "*"},
      {kCFExceptionItems, 0x180000, "IdLock|Privacy"},
      {kSBXExceptionItems, 0x201DF, "*"},
      {kSBXExceptionItems, 0xF, "File|Registry|Spawning|Service"},
      {kSBXExceptionItems, 0x20000 | 0x400 | 0x100, "DllLoading|iptransport"},
      {kFWExceptionItems, 0x400, "*"},
      // Only the database's own full mask is "*": another kind's full mask
      // would read back here as this kind's.
      {kCFExceptionItems, 0x20, "AntiMalware"},
      {kDIExceptionItems, 0, ""},
  };
  for (const Case& c : writes) {
    ComPtr<TestParser> parser = MakeSectionParser(c.items);
    std::string text;
    Exceptions(*parser).GuardsText(c.mask, &text);
    EXPECT_EQ(text, c.text) << std::hex << c.mask;
  }
  const Case reads[] = {
      {kCFExceptionItems, 0x80000, "IdLock|Bogus"},
      {kCFExceptionItems, 0x40380000, "*"},
      {kCFExceptionItems, 0, "File|*"},
      {kCFExceptionItems, 0x200000, "|Attachment|"},
      {kSBXExceptionItems, 0x201DF, "*"},
      {kSBXExceptionItems, 0x20001, "DllLoading|File|IdLock"},
      {kSBXExceptionItems, 0, "file"},
      {kFWExceptionItems, 0, ""},
  };
  for (const Case& c : reads) {
    ComPtr<TestParser> parser = MakeSectionParser(c.items);
    EXPECT_EQ(Exceptions(*parser).GuardsFromText(c.text), c.mask) << c.text;
  }
}

TEST(AppExceptionSectionTest, RoundTrip) {
  ComPtr<TestParser> parser = MakeSectionParser(kSBXExceptionItems);
  ASSERT_OK(LoadBody(*parser,
                     "<ExceptionList>"
                     "<AppItem app=\"notepad.exe\" activeGuardsMask=\"Registry|File\"/>"
                     "<AppItem app_id=\"browsers\" activeGuardsMask=\"*\" priority=\"high\" "
                     "filter=\"grp\" uiflags=\"u\" account=\"both\"/>"
                     "<AppItem app=\"a\" app_id=\"\" activeGuardsMask=\"\" priority=\"low\" "
                     "order=\"12345\" account=\"system\"/>"
                     "</ExceptionList>"));
  const std::string expected =
      "\t<ExceptionList>\n"
      "\t\t<AppItem app=\"notepad.exe\" activeGuardsMask=\"File|Registry\" order=\"35000\"/>\n"
      "\t\t<AppItem app_id=\"browsers\" activeGuardsMask=\"*\" priority=\"high\" order=\"15000\" "
      "filter=\"grp\" uiflags=\"u\" account=\"both\"/>\n"
      "\t\t<AppItem app=\"a\" activeGuardsMask=\"\" order=\"12345\" account=\"system\"/>\n"
      "\t</ExceptionList>\n";
  EXPECT_EQ(SectionText(*parser, "ExceptionList"), expected);

  ComPtr<TestParser> reloaded = MakeSectionParser(kSBXExceptionItems);
  ASSERT_OK(SaveAndReload(*parser, *reloaded));
  EXPECT_EQ(SectionText(*reloaded, "ExceptionList"), expected);
  std::string guards;
  ASSERT_OK(Exceptions(*reloaded).list()->GetAllGuardsText(&guards));
  EXPECT_EQ(guards,
            "L|notepad.exe|00000005|*|user#G|browsers|000201DF|grp|both#L|a|00000000|*|system");
}

TEST(AppExceptionSectionTest, EmptyListIsStillWritten) {
  ComPtr<TestParser> parser = MakeSectionParser();
  ASSERT_OK(LoadBody(*parser, ""));
  EXPECT_EQ(SectionText(*parser, "ExceptionList"), "\t<ExceptionList/>\n");
}

// An `AppItem` without `activeGuardsMask` exempts from all of the
// database's guards, and is saved back as "*".
TEST(AppExceptionSectionTest, MissingMaskMeansTheFullMask) {
  struct Case {
    const AppItemVocabulary& items;
    std::uint32_t mask;
  };
  for (const Case& c : {Case{kSBXExceptionItems, 0x201DF}, Case{kCFExceptionItems, 0x40380000},
                        Case{kFWExceptionItems, 0x400}, Case{kDIExceptionItems, 0x4000000}}) {
    ComPtr<TestParser> parser = MakeSectionParser(c.items);
    ASSERT_OK(LoadBody(*parser, "<ExceptionList><AppItem app=\"x\"/></ExceptionList>"));
    ASSERT_EQ(Exceptions(*parser).list()->count(), 1);
    EXPECT_EQ(Exceptions(*parser).list()->at(0)->data().guards, c.mask);
    EXPECT_EQ(SectionText(*parser, "ExceptionList"),
              "\t<ExceptionList>\n\t\t<AppItem app=\"x\" activeGuardsMask=\"*\" order=\"35000\"/>\n"
              "\t</ExceptionList>\n");
  }
}

TEST(AppExceptionSectionTest, InvalidAppItemsFailTheLoad) {
  struct Case {
    const AppItemVocabulary& items;
    const char* item;
    const char* description;
  };
  const Case cases[] = {
      {kCFExceptionItems, "<AppItem app=\"a\" app_id=\"b\"/>",
       "Security database has invalid content. Missing AppItem app or app_id."},
      {kCFExceptionItems, "<AppItem app=\"\"/>",
       "Security database has invalid content. Missing AppItem app or app_id."},
      {kCFExceptionItems, "<AppItem app=\"a\" priority=\"High\"/>",
       "Security database has invalid content. Missing AppItem priority."},
      {kFWExceptionItems, "<AppItem/>",
       "Security database has invalid content. The appitem app or app_id must be used."},
      {kFWExceptionItems, "<AppItem app_id=\"a\" priority=\"\"/>",
       "Security database has invalid content. Wrong appitem priority."},
  };
  for (const Case& c : cases) {
    ComPtr<TestParser> parser = MakeSectionParser(c.items);
    std::string body =
        "<ExceptionList><AppItem app=\"ok\"/>" + std::string(c.item) + "</ExceptionList>";
    EXPECT_HR(LoadBody(*parser, body), E_FAIL) << c.item;
    EXPECT_EQ(TakeErrorDescription(), c.description) << c.item;
  }
}

// Exceptions are read anywhere inside `ExceptionList` (also wrapped in an
// element), and outside it only by the kinds that go by name alone.
TEST(AppExceptionSectionTest, WhereAppItemsAreRead) {
  constexpr std::string_view kBody =
      "<ExceptionList><Item><AppItem app=\"wrapped\"/></Item></ExceptionList>"
      "<Elsewhere><AppItem app=\"outside\"/></Elsewhere>";
  struct Case {
    const AppItemVocabulary& items;
    const char* guards_text;
  };
  for (const Case& c :
       {Case{kCFExceptionItems, "L|wrapped|40380000|*|user"},
        Case{kFWExceptionItems, "L|wrapped|00000400|*|user#L|outside|00000400|*|user"}}) {
    ComPtr<TestParser> parser = MakeSectionParser(c.items);
    ASSERT_OK(LoadBody(*parser, kBody));
    std::string text;
    ASSERT_OK(Exceptions(*parser).list()->GetAllGuardsText(&text));
    EXPECT_EQ(text, c.guards_text);
  }
}

}  // namespace
}  // namespace xmlsecdb::testing
