// Late-bound calls through each family of interfaces, on the example
// databases: property gets and puts, methods with out-parameters,
// collection walks by Item and by _NewEnum, and failures that keep their
// error record and debug-log line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "am/am_parser.h"
#include "app/app_parser.h"
#include "ids/ids_parser.h"
#include "sbx/sbx_parser.h"
#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"
#include "testing/test_env.h"

namespace xmlsecdb {
namespace {

using testing::Reported;
using testing::ScopedDebugLogCapture;

std::string Example(std::string_view name) { return std::string(XMLSECDB_EXAMPLES "/") += name; }

// Calls members by name, as a script does.
class Script {
 public:
  HRESULT Call(IDispatch* object, std::string_view name, std::vector<Variant> args, Variant* result,
               std::uint16_t kinds = DISPATCH_METHOD | DISPATCH_PROPERTYGET) {
    if (!object) return E_POINTER;
    DISPID dispid = 0;
    HRESULT hr = object->GetIDsOfNames(name, &dispid);
    if (Failed(hr)) return hr;
    return object->InvokeMember(dispid, kinds, args.data(), static_cast<std::uint32_t>(args.size()),
                                result);
  }
  // The result of a call that must succeed.
  Variant Get(IDispatch* object, std::string_view name, std::vector<Variant> args = {}) {
    Variant result;
    EXPECT_OK(Call(object, name, std::move(args), &result)) << name;
    return result;
  }
  ComPtr<IDispatch> Object(IDispatch* object, std::string_view name,
                           std::vector<Variant> args = {}) {
    return AsDispatch(Get(object, name, std::move(args)));
  }
  HRESULT Put(IDispatch* object, std::string_view name, Variant value) {
    return Call(object, name, {std::move(value)}, nullptr, DISPATCH_PROPERTYPUT);
  }

  static ComPtr<IDispatch> AsDispatch(const Variant& value) {
    ComPtr<IDispatch> out;
    if (const ComPtr<IUnknown>* held = value.as_object(); held && *held) {
      EXPECT_OK((*held)->QueryInterface(out.Put()));
    }
    return out;
  }
  static Variant Wrap(IDispatch* object) { return Variant(ComPtr<IUnknown>(object)); }
};

class AutomationInvokeTest : public ::testing::Test, protected Script {
 protected:
  // A parser of class P with the example `file` loaded by name.
  template <class P>
  ComPtr<IDispatch> Loaded(std::string_view file) {
    ComPtr<P> parser = MakeObject<P>();
    ComPtr<IDispatch> object(parser->primary());
    EXPECT_OK(
        Call(object.get(), "load", {Variant(Example(file)), Variant(std::int32_t{0})}, nullptr));
    return object;
  }
};

TEST_F(AutomationInvokeTest, ParserPropertiesMethodsAndSaveReload) {
  ComPtr<IDispatch> db = Loaded<CAMParser>("antimalware.xml");
  EXPECT_EQ(Get(db.get(), "Module"), Variant(std::int32_t{MODULE_AM}));
  EXPECT_EQ(Get(db.get(), "ParserVersion"), Variant(kParserVersion));
  ASSERT_OK(Put(db.get(), "Version", Variant(std::int32_t{0x00030005})));
  EXPECT_EQ(Get(db.get(), "version"), Variant(std::int32_t{0x00030005}));
  // XmlEx takes a section and returns the text; Xml is the whole file.
  const Variant rules_xml = Get(db.get(), "XmlEx", {Variant("RuleList")});
  ASSERT_NE(rules_xml.as_string(), nullptr);
  EXPECT_NE(rules_xml.as_string()->find("<RuleList>"), std::string::npos);
  EXPECT_EQ(rules_xml.as_string()->find("<Globals>"), std::string::npos);
  const Variant xml = Get(db.get(), "Xml");
  ASSERT_NE(xml.as_string(), nullptr);

  testing::TempDir dir;
  const std::string path = dir.File("saved.xml");
  ASSERT_OK(Call(db.get(), "Save", {Variant(path)}, nullptr));
  ComPtr<IDispatch> again(MakeObject<CAMParser>()->primary());
  ASSERT_OK(Call(again.get(), "Load", {Variant(path), Variant(true)}, nullptr));
  EXPECT_EQ(Get(again.get(), "Xml"), xml);
  EXPECT_EQ(Get(again.get(), "ReadOnly"), Variant(std::int32_t{1}));

  // The parser's own failures keep their codes: a null master, a missing
  // file, and the wrong kind of master.
  EXPECT_HR(Call(db.get(), "SetMasterParser", {Variant::MakeNull()}, nullptr), E_POINTER);
  EXPECT_HR(Call(db.get(), "SetMasterParser", {Wrap(again.get())}, nullptr), E_NOINTERFACE);
  EXPECT_HR(Call(db.get(), "Load", {Variant("")}, nullptr), DISP_E_BADPARAMCOUNT);
  EXPECT_HR(Call(db.get(), "Load", {Variant(std::int32_t{1}), Variant("x")}, nullptr),
            DISP_E_TYPEMISMATCH);
  EXPECT_HR(Put(db.get(), "Module", Variant(std::int32_t{1})), DISP_E_MEMBERNOTFOUND);
  EXPECT_HR(Call(db.get(), "CryptKey", {}, nullptr), DISP_E_MEMBERNOTFOUND);
  EXPECT_HR(Call(db.get(), "NoSuchMember", {}, nullptr), DISP_E_UNKNOWNNAME);
}

TEST_F(AutomationInvokeTest, RuleListWalkEditAndOutParameters) {
  ComPtr<IDispatch> db = Loaded<CAMParser>("antimalware.xml");
  ComPtr<IDispatch> rules = Object(db.get(), "RuleList");
  const Variant count = Get(rules.get(), "Count");
  ASSERT_NE(count.as_int(), nullptr);
  ASSERT_GT(*count.as_int(), 1);

  // Item is the default member; _NewEnum walks the same rules in order.
  std::vector<Variant> by_item;
  for (std::int32_t i = 1; i <= *count.as_int(); ++i) {
    Variant item;
    ASSERT_OK(rules->Invoke(DISPID_VALUE, std::vector<Variant>{Variant(i)}.data(), 1, &item));
    by_item.push_back(item);
  }
  const Variant enumerator = Get(rules.get(), "_NewEnum");
  ComPtr<IEnumVARIANT> walk;
  ASSERT_NE(enumerator.as_object(), nullptr);
  ASSERT_OK((*enumerator.as_object())->QueryInterface(walk.Put()));
  std::vector<Variant> by_enum(by_item.size() + 1);
  std::uint32_t fetched = 0;
  EXPECT_HR(walk->Next(static_cast<std::uint32_t>(by_enum.size()), by_enum.data(), &fetched),
            S_FALSE);
  ASSERT_EQ(fetched, by_item.size());
  by_enum.pop_back();
  EXPECT_EQ(by_enum, by_item);
  Variant none;
  EXPECT_HR(Call(rules.get(), "Item", {Variant(*count.as_int() + 1)}, &none), E_FAIL);
  EXPECT_HR(Call(rules.get(), "Item", {Variant(std::int32_t{0})}, &none), E_INVALIDARG);

  // Edit a rule by name; enumerations take their numbers.
  ComPtr<IDispatch> rule = AsDispatch(by_item.front());
  ASSERT_OK(Put(rule.get(), "Priority", Variant(std::int32_t{PRIOR_LOW})));
  EXPECT_EQ(Get(rule.get(), "Priority"), Variant(std::int32_t{PRIOR_LOW}));
  ASSERT_OK(Put(rule.get(), "Description", Variant("by name")));
  EXPECT_EQ(Get(rule.get(), "DESCRIPTION"), Variant("by name"));

  // Methods with out-parameters return them.
  const Variant id = Get(rules.get(), "GenerateRuleID", {Variant(OT_ANTI_MALWARE), Variant(0)});
  ASSERT_NE(id.as_int(), nullptr);
  ComPtr<IDispatch> copy =
      Object(rule.get(), "CopyToList", {Wrap(rules.get()), Variant(std::int32_t{1})});
  ASSERT_TRUE(copy);
  EXPECT_EQ(Get(copy.get(), "RuleID"), id);
  EXPECT_EQ(Get(rules.get(), "Count"), Variant(*count.as_int() + 1));
  EXPECT_EQ(Get(rules.get(), "Get", {Get(copy.get(), "RuleIDString")}), Wrap(copy.get()));

  // A null object where the list needs one, and an object of the wrong
  // interface.
  EXPECT_HR(Call(rules.get(), "Remove", {Variant::MakeNull()}, nullptr), E_POINTER);
  EXPECT_HR(Call(rules.get(), "Insert", {Wrap(db.get()), Variant::MakeNull()}, nullptr),
            DISP_E_TYPEMISMATCH);
}

TEST_F(AutomationInvokeTest, FailuresKeepTheirErrorRecordAndLogLine) {
  ComPtr<IDispatch> db = Loaded<CAMParser>("antimalware.xml");
  ComPtr<IDispatch> rules = Object(db.get(), "RuleList");
  ComPtr<IDispatch> rule = Object(rules.get(), "Item", {Variant(std::int32_t{1})});
  ComPtr<IDispatch> descriptors = Object(rule.get(), "AccessDescriptorList");
  ASSERT_OK(Put(db.get(), "ReadOnly", Variant(std::int32_t{1})));
  ScopedDebugLogCapture log;
  struct Case {
    IDispatch* object;
    std::string_view member;
    std::vector<Variant> args;
    std::uint16_t kinds;
    std::string_view source;
  } cases[] = {
      {rule.get(),
       "Priority",
       {Variant(std::int32_t{PRIOR_HIGH})},
       DISPATCH_PROPERTYPUT,
       "CAMRule::put_Priority()"},
      {rules.get(), "Clear", {}, DISPATCH_METHOD, "CAMRuleList::Clear()"},
      {rules.get(), "CreateRule", {}, DISPATCH_METHOD, "CAMRuleList::CreateRule()"},
      {db.get(), "New", {}, DISPATCH_METHOD, "CAMParser::New()"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(std::string(c.member));
    Variant result("stale");
    EXPECT_HR(Call(c.object, c.member, c.args, &result, c.kinds), SECDB_E_READONLY);
    EXPECT_TRUE(result.is_empty());
    EXPECT_TRUE(Reported(log, c.source, testing::kReadOnlyText));
  }
  // A call the dispatcher refuses never reaches the member: no record.
  EXPECT_HR(Call(descriptors.get(), "CreateAccessDescriptor", {Variant(1)}, nullptr),
            DISP_E_BADPARAMCOUNT);
  EXPECT_TRUE(log.errors().empty());
}

TEST_F(AutomationInvokeTest, SharedModelItemsAndValueLists) {
  ComPtr<IDispatch> db = Loaded<CSBXParser>("sandbox.xml");
  ComPtr<IDispatch> rules = Object(db.get(), "RuleList");
  ComPtr<IDispatch> rule = Object(rules.get(), "CreateRule");
  ASSERT_OK(Put(rule.get(), "DllObject", Variant(std::int32_t{3})));
  EXPECT_EQ(Get(rule.get(), "DllObject"), Variant(std::int32_t{3}));

  // Access descriptors: create, set, insert, copy to another rule's list.
  ComPtr<IDispatch> descriptors = Object(rule.get(), "AccessDescriptorList");
  ComPtr<IDispatch> descriptor = Object(descriptors.get(), "CreateAccessDescriptor");
  ASSERT_OK(Put(descriptor.get(), "AccessType", Variant(std::uint32_t{4})));
  ASSERT_OK(Put(descriptor.get(), "AccessResult", Variant(std::int32_t{AR_ALLOW})));
  ASSERT_OK(Call(descriptors.get(), "Insert", {Wrap(descriptor.get())}, nullptr));
  ComPtr<IDispatch> other = Object(rules.get(), "CreateRule");
  ComPtr<IDispatch> target = Object(other.get(), "AccessDescriptorList");
  ASSERT_OK(Call(descriptors.get(), "CopyToList", {Wrap(target.get())}, nullptr));
  EXPECT_EQ(Get(target.get(), "Count"), Variant(std::int32_t{1}));
  ComPtr<IDispatch> copied = Object(target.get(), "Item", {Variant(std::int32_t{1})});
  EXPECT_EQ(Get(copied.get(), "AccessType"), Variant(std::int32_t{4}));

  // Rule sets and their value list of rule-list identifiers.
  ComPtr<IDispatch> sets = Object(db.get(), "RuleSetList");
  ComPtr<IDispatch> set = Object(sets.get(), "CreateRuleSet");
  ASSERT_OK(Put(set.get(), "RuleSetID", Variant("set-1")));
  ComPtr<IDispatch> ids = Object(set.get(), "RuleListIDs");
  ASSERT_OK(Call(ids.get(), "Insert", {Variant("b")}, nullptr));
  ASSERT_OK(Call(ids.get(), "InsertAt", {Variant(std::int32_t{1}), Variant("a")}, nullptr));
  EXPECT_EQ(Get(ids.get(), "Item", {Variant(std::int32_t{1})}), Variant("a"));
  EXPECT_EQ(Get(ids.get(), "Count"), Variant(std::int32_t{2}));
  // A null `before` appends.
  ASSERT_OK(Call(sets.get(), "Insert", {Wrap(set.get()), Variant()}, nullptr));
  EXPECT_EQ(Get(Object(sets.get(), "Item", {Get(sets.get(), "Count")}).get(), "RuleSetID"),
            Variant("set-1"));

  // Global options: the variant-typed value.
  ComPtr<IDispatch> options = Object(db.get(), "GlobalOptions");
  ComPtr<IDispatch> option = Object(options.get(), "CreateProperty");
  ASSERT_OK(Put(option.get(), "Type", Variant(std::int32_t{PT_STR})));
  ASSERT_OK(Put(option.get(), "value", Variant("text")));
  EXPECT_EQ(Get(option.get(), "Value"), Variant("text"));
}

TEST_F(AutomationInvokeTest, IdsGroupsRulesAndTokens) {
  ComPtr<IDispatch> db = Loaded<CIDSParser>("ids.xml");
  ComPtr<IDispatch> groups = Object(db.get(), "GroupList");
  ComPtr<IDispatch> group = Object(groups.get(), "Item", {Variant(std::int32_t{1})});
  ComPtr<IDispatch> rules = Object(group.get(), "RuleList");
  ComPtr<IDispatch> rule = Object(rules.get(), "Item", {Variant(std::int32_t{1})});
  EXPECT_EQ(Get(rule.get(), "Name"), Variant("Directory traversal"));
  ASSERT_OK(Put(rule.get(), "LocalPortsInverted", Variant(true)));
  // An automation boolean: true reads back as -1.
  EXPECT_EQ(Get(rule.get(), "LocalPortsInverted"), Variant(std::int32_t{-1}));

  ComPtr<IDispatch> tokens = Object(rule.get(), "TokenList");
  ComPtr<IDispatch> token = Object(tokens.get(), "Item", {Variant(std::int32_t{1})});
  // A property with an argument: the value comes last on a put.
  EXPECT_EQ(Get(token.get(), "TokenAttr", {Variant("depth")}), Variant("256"));
  ASSERT_OK(Call(token.get(), "TokenAttr", {Variant("depth"), Variant(std::int32_t{128})}, nullptr,
                 DISPATCH_PROPERTYPUT));
  EXPECT_EQ(Get(token.get(), "TokenAttrAsNumber", {Variant("depth")}), Variant(std::int32_t{128}));
  const Variant unique = Get(tokens.get(), "GenerateUniqueId");
  ASSERT_NE(unique.as_int(), nullptr);
  EXPECT_GT(*unique.as_int(), 0);
  const Variant sid = Get(db.get(), "GenerateSID");
  ASSERT_NE(sid.as_int(), nullptr);
  EXPECT_NE(*sid.as_int(), 0);
  EXPECT_HR(Call(groups.get(), "Get", {Variant("no such group")}, nullptr), SECDB_E_NOTFOUND);
}

TEST_F(AutomationInvokeTest, RepositoryLabelsGroupsAndChecksums) {
  ComPtr<IDispatch> db = Loaded<CAPPParser>("app_repository.xml");
  ComPtr<IDispatch> labels = Object(db.get(), "LabelList");
  ComPtr<IDispatch> bash = Object(labels.get(), "Get", {Variant("BASH")});
  EXPECT_EQ(Get(bash.get(), "Path"), Variant("/usr/bin/bash|/bin/bash"));
  // FindLabel has two out-parameters: the similar labels, then the label.
  const Variant found =
      Get(labels.get(), "FindLabel", {Variant("/usr/bin/curl"),
                                      Variant("DA39A3EE5E6B4B0D3255BFEF95601890AFD80709")});
  ASSERT_NE(found.as_array(), nullptr);
  ASSERT_EQ(found.as_array()->size(), 2u);
  EXPECT_EQ(Get(AsDispatch((*found.as_array())[1]).get(), "LabelID"), Variant("curl"));

  ComPtr<IDispatch> curl = Object(labels.get(), "Get", {Variant("curl")});
  ComPtr<IDispatch> checksums = Object(curl.get(), "ChecksumList");
  EXPECT_EQ(Get(checksums.get(), "Contain", {Variant("DA39A3EE5E6B4B0D3255BFEF95601890AFD80709")}),
            Variant(std::int32_t{1}));
  ComPtr<IDispatch> checksum = Object(checksums.get(), "CreateChecksum");
  EXPECT_HR(Put(checksum.get(), "Checksum", Variant("not hex")), SECDB_E_BADCHECKSUM);

  ComPtr<IDispatch> groups = Object(db.get(), "AppGroupList");
  ComPtr<IDispatch> tools = Object(groups.get(), "Get", {Variant("tools")});
  EXPECT_EQ(Get(tools.get(), "ContainGroup", {Variant("browsers")}), Variant(std::int32_t{1}));
  EXPECT_EQ(Get(groups.get(), "FindLabelGroups", {Variant("curl")}),
            Variant(std::vector<std::string>{"browsers"}));
  ComPtr<IDispatch> dll_groups = Object(db.get(), "DllGroupList");
  ComPtr<IDispatch> runtime = Object(dll_groups.get(), "Item", {Variant(std::int32_t{1})});
  EXPECT_EQ(Get(runtime.get(), "DllGroupID"), Variant("runtime"));
  EXPECT_HR(Call(db.get(), "DllIntegrityList", {}, nullptr), E_NOTIMPL);
}

}  // namespace
}  // namespace xmlsecdb
