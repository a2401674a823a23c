// Checksum items and lists of labels and DLL labels: the label checksum
// form, Contain, and changes announced as changes of the owning label.
#include "app/app_checksum.h"

#include <gtest/gtest.h>

#include <string>

#include "app/app_fixture.h"
#include "testing/event_log.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

using testing::AddLabel;
using testing::LabelsOf;
using testing::MakeAppParser;

TEST(ChecksumTest, LabelChecksumsMustBeHexOfAKnownLengthDllChecksumsAnyText) {
  const struct {
    std::string text;
    bool label_ok;
  } cases[] = {
      {std::string(32, '0'), false},
      {std::string(31, 'a'), false},
      {std::string(31, 'a') + "g", false},
      {"", false},
      {std::string(33, 'a'), false},
      {"0123456789abcdefABCDEF0123456789abcdef01", true},  // 40, mixed case
      {std::string(31, '0') + "1", true},
      {std::string(64, 'F'), true},
  };
  testing::ScopedDebugLogCapture log;
  ComPtr<CChecksum> label_sum = MakeObject<CChecksum>();
  ComPtr<CBGChecksum> dll_sum = MakeObject<CBGChecksum>();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.label_ok) {
      EXPECT_OK(label_sum->put_Checksum(c.text));
      EXPECT_EQ(label_sum->checksum(), c.text);
    } else {
      EXPECT_HR(label_sum->put_Checksum(c.text), SECDB_E_BADCHECKSUM);
      EXPECT_TRUE(testing::Reported(log, "CChecksum::put_Checksum()", "Invalid checksum."));
    }
    EXPECT_OK(dll_sum->put_Checksum(c.text));
    EXPECT_EQ(dll_sum->checksum(), c.text);
  }
}

TEST(ChecksumTest, ContainIgnoresAsciiCaseAndAnswersOneOrZero) {
  ComPtr<CAPPParser> parser = MakeAppParser();
  ComPtr<ILabel> label = AddLabel(LabelsOf<ILabelList>(parser.get()).get(), "l", LT_CHECKSUM);
  ComPtr<IChecksumList> sums;
  ASSERT_OK(label->get_ChecksumList(sums.Put()));
  ComPtr<IChecksum> sum;
  ASSERT_OK(sums->CreateChecksum(sum.Put()));
  ASSERT_OK(sum->put_Checksum("D41D8CD98F00B204E9800998ECF8427E"));
  ASSERT_OK(sums->Insert(sum.get()));
  EXPECT_HR(sums->Insert(sum.get()), E_INVALIDARG);  // a member already
  std::int16_t found = -1;
  EXPECT_HR(sums->Contain("d41d8cd98f00b204e9800998ecf8427e", &found), S_OK);
  EXPECT_EQ(found, 1);
  EXPECT_HR(sums->Contain("d41d8cd98f00b204e9800998ecf8427f", &found), S_FALSE);
  EXPECT_EQ(found, 0);
  EXPECT_HR(sums->Contain("x", nullptr), E_POINTER);
}

// Field changes of an item in the list of a member label, and every list
// change, are LP_CHECKSUMS changes of the label; nothing is raised for a
// label that is not a member.
TEST(ChecksumTest, ChangesAreChangesOfTheOwningMemberLabel) {
  ComPtr<CAPPParser> parser = MakeAppParser();
  ComPtr<testing::EventLog> sink = MakeObject<testing::EventLog>();
  ComPtr<IConnectionPoint> point;
  ASSERT_OK(parser->FindConnectionPoint(DIID__ISDParserAPPEvents, point.Put()));
  std::uint32_t cookie = 0;
  ASSERT_OK(point->Advise(sink.get(), &cookie));
  ComPtr<ILabelList> labels = LabelsOf<ILabelList>(parser.get());

  ComPtr<ILabel> loose;
  ASSERT_OK(labels->CreateLabel(loose.Put()));
  ComPtr<IChecksumList> loose_sums;
  ASSERT_OK(loose->get_ChecksumList(loose_sums.Put()));
  ComPtr<IChecksum> loose_sum;
  ASSERT_OK(loose_sums->CreateChecksum(loose_sum.Put()));
  ASSERT_OK(loose_sums->Insert(loose_sum.get()));
  ASSERT_OK(loose_sum->put_FileName("a"));
  EXPECT_TRUE(sink->lines.empty());

  ComPtr<ILabel> label = AddLabel(labels.get(), "member");
  sink->lines.clear();
  ComPtr<IChecksumList> sums;
  ASSERT_OK(label->get_ChecksumList(sums.Put()));
  ComPtr<IChecksum> sum;
  ASSERT_OK(sums->CreateChecksum(sum.Put()));
  ASSERT_OK(sum->put_Version("1"));  // not in the list yet: silent
  ASSERT_OK(sums->Insert(sum.get()));
  ASSERT_OK(sum->put_Version("2"));
  ASSERT_OK(sum->put_Version("2"));  // no change: silent
  ASSERT_OK(sums->Remove(sum.get()));
  EXPECT_HR(sums->Remove(sum.get()), SECDB_E_NOTFOUND);
  ASSERT_OK(sums->Clear());  // empty: silent
  const std::vector<std::string> expected = {"15:3", "16:3", "15:3", "16:3", "15:3", "16:3"};
  EXPECT_EQ(sink->lines, expected);
}

}  // namespace
}  // namespace xmlsecdb
