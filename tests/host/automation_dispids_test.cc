// Every interface of the landed kinds, reached by name from its parser,
// describes exactly the members and DISPIDs of its type library: the type
// information of each is compared with the expected table below.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "am/am_parser.h"
#include "app/app_parser.h"
#include "di/di_parser.h"
#include "fw/fw_parser.h"
#include "ids/ids_parser.h"
#include "model/expression.h"
#include "model/value_list.h"
#include "sbx/sbx_parser.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

// "Name:dispid:kinds" entries, kinds of m (method), g (get), p (put).
struct ExpectedInterface {
  std::string_view name;
  std::string members;
};

const std::string kCollection = "_NewEnum:-4:g Item:0:g Count:1:g ";
const std::string kPolicyRule =
    "Priority:1:gp AppType:2:gp Application:3:gp ObjectType:4:gp PathType:5:gp Path:6:gp "
    "OutConditionAND:7:gp OutConditionOR:8:gp TimeOfDayType:9:gp TimeOfDay:10:gp "
    "OSVersion:11:gp AccessDescriptorList:12:g RuleID:13:gp RuleIDString:14:gp System:15:gp "
    "Assignment:16:gp Preferred:17:gp ConditionSwitchList:18:g LearningMode:19:gp "
    "ProcessID:20:gp Account:21:gp Enabled:22:gp Description:24:gp UIFlags:25:gp Order:26:gp "
    "CopyToList:27:m ";
const std::string kRuleListWithMoves =
    kCollection +
    "CreateRule:2:m Insert:3:m Remove:4:m Clear:5:m MoveUp:6:m MoveDown:7:m Get:8:m "
    "GenerateRuleID:9:m GetByRuleNum:10:m InsertEx:11:m";
const std::string kLoadSaveEvents =
    "OnBeforeLoad:1:m OnAfterLoad:2:m OnBeforeSave:3:m OnAfterSave:4:m ";
const std::string kPolicyEvents =
    kLoadSaveEvents +
    "OnBeforeGlobalOptionInserted:5:m OnAfterGlobalOptionInserted:6:m "
    "OnBeforeGlobalOptionRemoved:7:m OnAfterGlobalOptionRemoved:8:m "
    "OnBeforeGlobalOptionChanged:9:m OnAfterGlobalOptionChanged:10:m "
    "OnBeforeDefinitionInserted:11:m OnAfterDefinitionInserted:12:m "
    "OnBeforeDefinitionRemoved:13:m OnAfterDefinitionRemoved:14:m "
    "OnBeforeDefinitionChanged:15:m OnAfterDefinitionChanged:16:m "
    "OnBeforeSimpleItemInserted:17:m OnAfterSimpleItemInserted:18:m "
    "OnBeforeSimpleItemRemoved:19:m OnAfterSimpleItemRemoved:20:m "
    "OnBeforeSimpleItemChanged:21:m OnAfterSimpleItemChanged:22:m OnBeforeRuleInserted:23:m "
    "OnAfterRuleInserted:24:m OnBeforeRuleRemoved:25:m OnAfterRuleRemoved:26:m "
    "OnBeforeRuleChanged:27:m OnAfterRuleChanged:28:m OnBeforeAppExceptionInserted:29:m "
    "OnAfterAppExceptionInserted:30:m OnBeforeAppExceptionRemoved:31:m "
    "OnAfterAppExceptionRemoved:32:m OnBeforeAppExceptionChanged:33:m "
    "OnAfterAppExceptionChanged:34:m";

// RuleSetList of the anti-malware and data inspection parsers, and
// GlobalOptions, Xml and RuleSetList of the IDS parser, have no number of
// the type library's and take the next free ones.
const ExpectedInterface kExpected[] = {
    {"ISDParserAM",
     "Load:1:m Save:2:m New:3:m Module:4:g Version:5:gp ParserVersion:6:g SetMasterParser:7:m "
     "GlobalOptions:8:g DefinitionList:9:g AppExceptionList:10:g RuleList:11:g Xml:12:g "
     "XmlEx:13:m ReadOnly:14:gp CryptKey:15:p FilePath:16:g RuleSetList:17:g"},
    {"ISDParserSBX",
     "Load:1:m Save:2:m New:3:m Module:4:g Version:5:gp GlobalOptions:6:g DefinitionList:7:g "
     "AppExceptionList:8:g RuleList:9:g FilePath:10:g ReadOnly:11:gp CryptKey:12:p Xml:13:g "
     "RuleSetList:14:g ParserVersion:15:g SetMasterParser:16:m"},
    {"ISDParserDI",
     "Load:1:m Save:2:m New:3:m Module:4:g Version:5:gp ParserVersion:6:g SetMasterParser:7:m "
     "GlobalOptions:8:g DefinitionList:9:g AppExceptionList:10:g RuleList:11:g Xml:12:g "
     "XmlEx:13:m SetXml:14:m ReadOnly:15:gp CryptKey:16:p FilePath:17:g RuleSetList:18:g"},
    {"ISDParserIDS",
     "Load:1:m Save:2:m New:3:m Module:4:g Version:5:gp ParserVersion:6:g SetMasterParser:7:m "
     "GroupList:8:g DefinitionList:9:g GenerateSID:12:m XmlEx:13:m ReadOnly:14:gp "
     "CryptKey:15:p FilePath:16:g GlobalOptions:17:g Xml:18:g RuleSetList:19:g"},
    {"IPropertyList", kCollection + "CreateProperty:2:m Insert:3:m Remove:4:m Get:5:m Clear:6:m"},
    {"IProperty",
     "PropertyID:1:gp Type:2:gp value:3:gp Priority:4:gp Assignment:5:gp UIFlags:6:gp "
     "Order:7:gp"},
    {"IDefinitionList",
     kCollection + "CreateDefinition:2:m Insert:3:m Remove:4:m Get:5:m Clear:6:m"},
    {"IDefinition", "DefinitionID:1:gp ObjectType:2:gp ItemList:3:g UIFlags:4:gp Description:5:gp"},
    {"ISimpleItemList", kCollection + "CreateItem:2:m Insert:3:m Remove:4:m Clear:5:m"},
    {"ISimpleItem", "Content:1:gp"},
    {"IAppExceptionList",
     kCollection + "CreateAppException:2:m Insert:3:m Remove:4:m Clear:5:m GetAllGuardsText:6:m"},
    {"IAppException",
     "AppType:1:gp Application:2:gp ActiveGuards:3:gp Priority:4:gp Assignment:5:gp "
     "Account:6:gp UIFlags:7:gp Order:8:gp"},
    {"IRuleSetList", kCollection + "CreateRuleSet:2:m Insert:3:m Remove:4:m Clear:5:m"},
    {"IRuleSet", "RuleSetID:1:gp Description:2:gp RuleListIDs:3:g"},
    {"IExpression", kCollection + "Create:2:m Insert:3:m Remove:4:m Clear:6:m String:7:g"},
    {"IExpressionElement", "Description:1:gp value:2:gp"},
    {"ISimpleValueList",
     kCollection + "Insert:2:m Remove:3:m Clear:4:m CopyToList:5:m InsertAt:6:m RemoveAt:7:m"},
    {"IULongList", kCollection + "Insert:2:m Remove:3:m Clear:4:m CopyToList:5:m"},
    {"IAccessDescriptorList",
     kCollection + "CreateAccessDescriptor:2:m Insert:3:m Remove:4:m Clear:5:m CopyToList:6:m"},
    {"IAccessDescriptor", "AccessType:1:gp AccessResult:2:gp AuditLevel:3:gp"},
    {"IConditionSwitchList",
     kCollection + "CreateConditionSwitch:2:m Insert:3:m Remove:4:m Clear:5:m CopyToList:6:m"},
    {"IConditionSwitch", "Type:1:gp Target:2:gp BitsOn:3:gp BitsOff:4:gp UIFlags:5:gp"},
    {"IAMRuleList", kCollection +
                        "CreateRule:2:m Insert:3:m Remove:4:m Clear:5:m Get:6:m GenerateRuleID:7:m "
                        "GetByRuleNum:8:m InsertEx:9:m"},
    {"IAMRule", kPolicyRule},
    {"ISBXRuleList", kRuleListWithMoves},
    {"ISBXRule", kPolicyRule + "DllObject:23:gp"},
    {"IDIRuleList", kRuleListWithMoves},
    {"IDIRule", kPolicyRule + "ScanItemListID:28:gp"},
    {"IIDSGroupList", kCollection + "CreateGroup:2:m Insert:3:m Remove:4:m Get:5:m Clear:6:m"},
    {"IIDSGroup", "Name:1:gp RuleList:2:g RulesStatus:3:g RulesMode:4:g GroupID:5:gp"},
    {"IIDSRuleList", kCollection + "CreateRule:2:m Insert:3:m Remove:4:m Clear:5:m"},
    {"IIDSRule",
     "Name:1:gp AccessResult:2:gp AuditLevel:3:gp Direction:4:gp Protocol:5:gp "
     "RemIPAddressID:6:gp SID:7:gp LocalPortFrom:8:gp LocalPortTo:9:gp RemotePortFrom:10:gp "
     "RemotePortTo:11:gp LocalPortsInverted:12:gp RemotePortsInverted:13:gp TokenList:14:g "
     "Enabled:15:gp Assignment:16:gp LocIPAddressID:17:gp UIFlags:18:gp"},
    {"IIDSTokenList",
     kCollection + "CreateToken:2:m Insert:3:m Remove:4:m Clear:5:m GenerateUniqueId:6:m"},
    {"IIDSToken",
     "TokenID:1:gp Type:2:gp Relation:3:gp value:4:gp BinHEXValue:5:gp TokenAttr:6:gp "
     "TokenAttrAsNumber:7:gp UniqueId:8:gp"},
    // The anti-malware and data inspection event interfaces declare the
    // load and save events and raise the item events with the sandbox's
    // numbers, so they name those too.
    {"_ISDParserAMEvents", kPolicyEvents},
    {"_ISDParserSBXEvents", kPolicyEvents},
    {"_ISDParserDIEvents", kPolicyEvents},
    {"_ISDParserIDSEvents", kLoadSaveEvents},
    // The repository's own members of the parser and its event numbers
    // other than the load, save and global-option ones have no number of
    // the type library's: its lists take 8 to 11 and 17 upwards.
    {"ISDParserAPP",
     "Load:1:m Save:2:m New:3:m Module:4:g Version:5:gp ParserVersion:6:g SetMasterParser:7:m "
     "GlobalOptions:8:g LabelList:9:g AppGroupList:10:g RuleList:11:g Xml:12:g XmlEx:13:m "
     "ReadOnly:14:gp CryptKey:15:p FilePath:16:g IdentityRedirectionList:17:g "
     "DllLabelList:18:g DllGroupList:19:g DllIntegrityList:20:g"},
    {"IAppRuleList", kCollection +
                         "CreateRule:2:m Insert:3:m Remove:4:m Clear:5:m GenerateRuleID:6:m "
                         "Find:7:m Get:8:m FindEx:9:m Find2:10:m FindGroups:11:m"},
    {"IAppRule",
     "RuleID:1:gp RuleIDString:2:gp Assignment:3:gp Enabled:4:gp Description:5:gp UIFlags:6:gp "
     "Usage:7:gp UsageNot:8:gp FoundBy:9:gp Enroll:10:gp Manufacturer:11:gp Groups:12:g "
     "Suite:13:gp SpecialAccess:14:gp SpecialAccessNot:15:gp CopyToList:16:m Order:17:gp "
     "FoundBy2:18:g"},
    {"IAppRuleGroupList", kCollection},
    {"IAppRuleGroup", "Name:1:g AccessResult:2:g RuleID:3:g"},
    {"IIdentityRedirectionList",
     kCollection + "Create:2:m Insert:3:m Remove:4:m Get:5:m Clear:6:m InsertAt:7:m"},
    {"IIdentityRedirection",
     "ID:1:gp Type:2:gp ParsingType:3:gp Description:4:gp Expression:5:g IdentityList:6:g"},
    {"IIdentityList", kCollection + "Create:2:m Insert:3:m Remove:4:m Clear:6:m"},
    {"IIdentity", "Module:1:gp Description:2:gp Path:3:gp NewCmdLine:4:gp ArgumentList:5:g"},
    {"ILabelList", kCollection +
                       "CreateLabel:2:m Insert:3:m Remove:4:m Get:5:m Clear:6:m FindLabel:7:m "
                       "GetAllLabelIDs:8:m EnrollPath:9:m GetLabel:10:m"},
    {"ILabel",
     "LabelID:1:gp Type:2:gp Path:3:gp ChecksumList:4:g Description:5:gp BGAccessResult:6:gp "
     "BGAuditLevel:7:gp LearningMode:8:gp ProcessID:9:gp UIFlags:10:gp KnownApp:11:gp "
     "IdentityRedirectionList:12:g AssGroup:13:gp PathExpanded:14:g"},
    {"IChecksumList",
     kCollection + "CreateChecksum:2:m Insert:3:m Remove:4:m Clear:5:m Contain:6:m"},
    {"IChecksum", "Checksum:1:gp Version:2:gp TimeStamp:3:gp FileName:4:gp"},
    {"IAppGroupList", kCollection +
                          "CreateGroup:2:m Insert:3:m Remove:4:m Get:5:m Clear:6:m "
                          "FindLabelGroups:7:m RemoveLabelFromAllGroups:8:m "
                          "RemoveGroupFromAllGroups:9:m"},
    {"IAppGroup",
     "AppGroupID:1:gp ObjectType:2:gp LabelList:3:g Description:4:gp GetAllLabelIDs:5:m "
     "RemoveLabelFromGroup:6:m AddLabelToGroup:7:m UIFlags:8:gp Contain:9:m "
     "RemoveGroupFromGroup:10:m AddGroupToGroup:11:m ContainGroup:12:m CanInsertGroup:13:m "
     "GetAllGroupIDs:14:m"},
    {"IDllLabelList", kCollection +
                          "CreateDllLabel:2:m Insert:3:m Remove:4:m Get:5:m Clear:6:m "
                          "FindDllLabel:7:m GetAllDllLabelIDs:8:m EnrollPath:9:m GetLabel:10:m"},
    {"IDllLabel",
     "LabelID:1:gp Type:2:gp Path:3:gp ChecksumList:4:g Description:5:gp BGAccessResult:6:gp "
     "BGAuditLevel:7:gp UIFlags:8:gp PathExpanded:9:g"},
    {"IDllGroupList", kCollection +
                          "CreateGroup:2:m Insert:3:m Remove:4:m Get:5:m Clear:6:m "
                          "FindLabelGroups:7:m"},
    {"IDllGroup",
     "DllGroupID:1:gp DllLabelList:2:g Description:3:gp GetAllLabelIDs:5:m "
     "RemoveLabelFromGroup:6:m AddLabelToGroup:7:m UIFlags:8:gp Contain:9:m"},
    {"_ISDParserAPPEvents",
     kLoadSaveEvents +
         "OnBeforeGlobalOptionInserted:5:m OnAfterGlobalOptionInserted:6:m "
         "OnBeforeGlobalOptionRemoved:7:m OnAfterGlobalOptionRemoved:8:m "
         "OnBeforeGlobalOptionChanged:9:m OnAfterGlobalOptionChanged:10:m "
         "OnBeforeLabelInserted:11:m OnAfterLabelInserted:12:m OnBeforeLabelRemoved:13:m "
         "OnAfterLabelRemoved:14:m OnBeforeLabelChanged:15:m OnAfterLabelChanged:16:m "
         "OnBeforeAppGroupInserted:17:m OnAfterAppGroupInserted:18:m "
         "OnBeforeAppGroupRemoved:19:m OnAfterAppGroupRemoved:20:m "
         "OnBeforeAppGroupChanged:21:m OnAfterAppGroupChanged:22:m "
         "OnBeforeDllLabelInserted:23:m OnAfterDllLabelInserted:24:m "
         "OnBeforeDllLabelRemoved:25:m OnAfterDllLabelRemoved:26:m "
         "OnBeforeDllLabelChanged:27:m OnAfterDllLabelChanged:28:m "
         "OnBeforeDllGroupInserted:29:m OnAfterDllGroupInserted:30:m "
         "OnBeforeDllGroupRemoved:31:m OnAfterDllGroupRemoved:32:m "
         "OnBeforeDllGroupChanged:33:m OnAfterDllGroupChanged:34:m"},
};

std::string KindsText(std::uint16_t kinds) {
  std::string text;
  if (kinds & DISPATCH_METHOD) text += 'm';
  if (kinds & DISPATCH_PROPERTYGET) text += 'g';
  if (kinds & DISPATCH_PROPERTYPUT) text += 'p';
  return text;
}

// name -> "dispid:kinds", from the expected text or from type information.
std::map<std::string, std::string> ParseExpected(std::string_view members) {
  std::map<std::string, std::string> out;
  std::istringstream in{std::string(members)};
  std::string entry;
  while (in >> entry) {
    const std::size_t colon = entry.find(':');
    out[entry.substr(0, colon)] = entry.substr(colon + 1);
  }
  return out;
}

std::map<std::string, std::string> Describe(const DispatchTypeInfo& info) {
  std::map<std::string, std::string> out;
  for (const DispatchMemberInfo& m : info.members) {
    EXPECT_TRUE(out.emplace(m.name, std::to_string(m.dispid) + ":" + KindsText(m.kinds)).second)
        << info.interface_name << " lists " << m.name << " twice";
  }
  return out;
}

// Reaches the objects of every interface by name, as a script would.
class AutomationDispidsTest : public ::testing::Test {
 protected:
  // The object member `name` of `object` returns (with `args`).
  ComPtr<IDispatch> Member(IDispatch* object, std::string_view name,
                           std::vector<Variant> args = {}) {
    ComPtr<IDispatch> out;
    if (!object) return out;
    DISPID dispid = 0;
    EXPECT_OK(object->GetIDsOfNames(name, &dispid)) << name;
    Variant result;
    EXPECT_OK(object->Invoke(dispid, args.data(), static_cast<std::uint32_t>(args.size()), &result))
        << name;
    if (const ComPtr<IUnknown>* held = result.as_object()) {
      EXPECT_OK((*held)->QueryInterface(out.Put())) << name;
    }
    EXPECT_TRUE(out) << name;
    return out;
  }

  void Record(IDispatch* object) {
    ASSERT_TRUE(object);
    DispatchTypeInfo info;
    ASSERT_OK(object->GetTypeInfo(&info));
    seen_[info.interface_name] = Describe(info);
  }
  void RecordEvents(IUnknown* parser, const IID& events) {
    ComPtr<IConnectionPointContainer> container;
    ASSERT_OK(parser->QueryInterface(container.Put()));
    ComPtr<IConnectionPoint> point;
    ASSERT_OK(container->FindConnectionPoint(events, point.Put()));
    DispatchTypeInfo info;
    ASSERT_OK(point->GetEventTypeInfo(&info));
    seen_[info.interface_name] = Describe(info);
  }

  // The lists and items of a policy parser.
  void RecordPolicyParser(IDispatch* parser) {
    Record(parser);
    ComPtr<IDispatch> options = Member(parser, "GlobalOptions");
    Record(options.get());
    Record(Member(options.get(), "CreateProperty").get());
    ComPtr<IDispatch> definitions = Member(parser, "DefinitionList");
    Record(definitions.get());
    ComPtr<IDispatch> definition = Member(definitions.get(), "CreateDefinition");
    Record(definition.get());
    ComPtr<IDispatch> items = Member(definition.get(), "ItemList");
    Record(items.get());
    Record(Member(items.get(), "CreateItem").get());
    ComPtr<IDispatch> exceptions = Member(parser, "AppExceptionList");
    Record(exceptions.get());
    Record(Member(exceptions.get(), "CreateAppException").get());
    ComPtr<IDispatch> rule_sets = Member(parser, "RuleSetList");
    Record(rule_sets.get());
    ComPtr<IDispatch> rule_set = Member(rule_sets.get(), "CreateRuleSet");
    Record(rule_set.get());
    Record(Member(rule_set.get(), "RuleListIDs").get());
    ComPtr<IDispatch> rules = Member(parser, "RuleList");
    Record(rules.get());
    ComPtr<IDispatch> rule = Member(rules.get(), "CreateRule");
    Record(rule.get());
    ComPtr<IDispatch> descriptors = Member(rule.get(), "AccessDescriptorList");
    Record(descriptors.get());
    Record(Member(descriptors.get(), "CreateAccessDescriptor").get());
    ComPtr<IDispatch> switches = Member(rule.get(), "ConditionSwitchList");
    Record(switches.get());
    Record(Member(switches.get(), "CreateConditionSwitch").get());
  }

  // The lists and items of an application repository.
  void RecordAppParser() {
    ComPtr<CAPPParser> app = MakeObject<CAPPParser>();
    Record(app->primary());
    ComPtr<IDispatch> labels = Member(app->primary(), "LabelList");
    Record(labels.get());
    ComPtr<IDispatch> label = Member(labels.get(), "CreateLabel");
    Record(label.get());
    ComPtr<IDispatch> checksums = Member(label.get(), "ChecksumList");
    Record(checksums.get());
    Record(Member(checksums.get(), "CreateChecksum").get());
    ComPtr<IDispatch> groups = Member(app->primary(), "AppGroupList");
    Record(groups.get());
    Record(Member(groups.get(), "CreateGroup").get());
    ComPtr<IDispatch> dll_labels = Member(app->primary(), "DllLabelList");
    Record(dll_labels.get());
    Record(Member(dll_labels.get(), "CreateDllLabel").get());
    ComPtr<IDispatch> dll_groups = Member(app->primary(), "DllGroupList");
    Record(dll_groups.get());
    Record(Member(dll_groups.get(), "CreateGroup").get());
    ComPtr<IDispatch> rules = Member(app->primary(), "RuleList");
    Record(rules.get());
    ComPtr<IDispatch> rule = Member(rules.get(), "CreateRule");
    Record(rule.get());
    ComPtr<IAppRule> named;
    ASSERT_OK(rule->QueryInterface(named.Put()));
    ComPtr<ISimpleValueList> names;
    ASSERT_OK(named->get_Groups(names.Put()));
    ASSERT_OK(names->Insert("g"));
    ComPtr<IAppRuleList> rule_list;
    ASSERT_OK(rules->QueryInterface(rule_list.Put()));
    ASSERT_OK(rule_list->Insert(named.get()));
    const Variant all(std::int32_t{-1}), none(std::int32_t{0});
    ComPtr<IDispatch> found =
        Member(rules.get(), "FindGroups", {none, all, none, all, none, Variant(""), Variant("")});
    Record(found.get());
    Record(Member(found.get(), "Item", {Variant(std::int32_t{1})}).get());
    ComPtr<IDispatch> redirections = Member(app->primary(), "IdentityRedirectionList");
    Record(redirections.get());
    ComPtr<IDispatch> redirection = Member(redirections.get(), "Create");
    Record(redirection.get());
    ComPtr<IDispatch> identities = Member(redirection.get(), "IdentityList");
    Record(identities.get());
    Record(Member(identities.get(), "Create").get());
    RecordEvents(app->unknown(), DIID__ISDParserAPPEvents);
  }

  std::map<std::string, std::map<std::string, std::string>> seen_;
};

TEST_F(AutomationDispidsTest, EveryInterfaceHasTheTypeLibraryNumbers) {
  ComPtr<CAMParser> am = MakeObject<CAMParser>();
  ComPtr<CSBXParser> sbx = MakeObject<CSBXParser>();
  ComPtr<CDIParser> di = MakeObject<CDIParser>();
  ComPtr<CIDSParser> ids = MakeObject<CIDSParser>();
  RecordPolicyParser(am->primary());
  RecordPolicyParser(sbx->primary());
  RecordPolicyParser(di->primary());
  Record(ids->primary());
  ComPtr<IDispatch> groups = Member(ids->primary(), "GroupList");
  Record(groups.get());
  ComPtr<IDispatch> group = Member(groups.get(), "CreateGroup");
  Record(group.get());
  ComPtr<IDispatch> ids_rules = Member(group.get(), "RuleList");
  Record(ids_rules.get());
  ComPtr<IDispatch> ids_rule = Member(ids_rules.get(), "CreateRule");
  Record(ids_rule.get());
  ComPtr<IDispatch> tokens = Member(ids_rule.get(), "TokenList");
  Record(tokens.get());
  Record(Member(tokens.get(), "CreateToken").get());
  ComPtr<IULongList> numbers;
  ASSERT_OK(CreateULongList(numbers.Put()));
  Record(numbers.get());
  ComPtr<CExpression> expression = MakeObject<CExpression>(nullptr);
  Record(expression.get());
  Record(Member(expression.get(), "Create").get());
  RecordEvents(am->unknown(), DIID__ISDParserAMEvents);
  RecordEvents(sbx->unknown(), DIID__ISDParserSBXEvents);
  RecordEvents(di->unknown(), DIID__ISDParserDIEvents);
  RecordEvents(ids->unknown(), DIID__ISDParserIDSEvents);
  RecordAppParser();

  for (const ExpectedInterface& expected : kExpected) {
    SCOPED_TRACE(std::string(expected.name));
    auto found = seen_.find(std::string(expected.name));
    ASSERT_NE(found, seen_.end());
    EXPECT_EQ(found->second, ParseExpected(expected.members));
  }
  EXPECT_EQ(seen_.size(), std::size(kExpected));
}

// The firewall's interfaces: numbers of the type library where they are
// given, and for the parser's members and its events the numbers the
// firewall's own header sets (xmlsecdb/fw.h, xmlsecdb/fw_rules.h).
const ExpectedInterface kExpectedFW[] = {
    {"ISDParserFW",
     "Load:1:m Save:2:m New:3:m Module:4:g Version:5:gp ParserVersion:6:g SetMasterParser:7:m "
     "GlobalOptions:8:g DefinitionList:9:g AppExceptionList:10:g RuleList:11:g Xml:12:g "
     "XmlEx:13:m ReadOnly:14:gp CryptKey:15:p FilePath:16:g RuleSetList:17:g "
     "RoutedRuleList:18:g DialNumberList:19:g ZoneRuleList:20:g "
     "BindSocketNotificationList:21:g"},
    {"IDefinitionList",
     kCollection + "CreateDefinition:2:m Insert:3:m Remove:4:m Get:5:m Clear:6:m"},
    {"IDefinition", "DefinitionID:1:gp ObjectType:2:gp ItemList:3:g UIFlags:4:gp Description:5:gp"},
    {"IFWItemList", kCollection + "CreateItem:2:m Insert:3:m Remove:4:m Clear:5:m"},
    {"IFWItem",
     "Content:1:gp Direction:2:gp Protocol:3:gp ICMPType:4:gp LocalPortFrom:5:gp "
     "LocalPortTo:6:gp RemotePortFrom:7:gp RemotePortTo:8:gp CustomProtocolNumber:9:gp "
     "Compare:10:m"},
    {"IAppExceptionList",
     kCollection + "CreateAppException:2:m Insert:3:m Remove:4:m Clear:5:m GetAllGuardsText:6:m"},
    {"IAppException",
     "AppType:1:gp Application:2:gp ActiveGuards:3:gp Priority:4:gp Assignment:5:gp "
     "Account:6:gp UIFlags:7:gp Order:8:gp"},
    {"IFWRuleList",
     kCollection +
         "CreateRule:2:m Insert:3:m Remove:4:m Clear:5:m MoveUp:6:m MoveDown:7:m Get:8:m "
         "GetLabelClientServerStatus:9:m GenerateRuleID:10:m GetByRuleNum:11:m InsertEx:12:m"},
    {"IFWRule",
     "Priority:1:gp RemIPAddrType:2:gp RemIPAddress:3:gp TransportType:4:gp TransportID:5:gp "
     "TransportObject:6:g AppType:7:gp Application:8:gp OutConditionAND:9:gp "
     "OutConditionOR:10:gp TimeOfDayType:11:gp TimeOfDay:12:gp OSVersion:13:gp "
     "AccessDescriptor:14:g RuleID:15:gp RuleIDString:16:gp Zone:17:gp System:18:gp "
     "Assignment:19:gp Preferred:20:gp ConditionSwitchList:21:g LearningMode:22:gp "
     "ProcessID:23:gp Account:24:gp Enabled:25:gp Description:26:gp LocIPAddrType:27:gp "
     "LocIPAddress:28:gp UIFlags:29:gp Order:30:gp CopyToList:31:m"},
    {"IAccessDescriptor", "AccessType:1:gp AccessResult:2:gp AuditLevel:3:gp"},
    {"IConditionSwitchList",
     kCollection + "CreateConditionSwitch:2:m Insert:3:m Remove:4:m Clear:5:m CopyToList:6:m"},
    {"IFWRoutedRuleList",
     kCollection +
         "CreateRule:2:m Insert:3:m Remove:4:m Clear:5:m MoveUp:6:m MoveDown:7:m Get:8:m "
         "GenerateRuleID:9:m GetByRuleNum:10:m InsertEx:11:m"},
    {"IFWRoutedRule",
     "Priority:1:gp RemIPAddrType:2:gp RemIPAddress:3:gp LANIPAddrType:4:gp LANIPAddress:5:gp "
     "TransportType:6:gp TransportID:7:gp TransportObject:8:g OutConditionAND:9:gp "
     "OutConditionOR:10:gp TimeOfDayType:11:gp TimeOfDay:12:gp OSVersion:13:gp "
     "AccessDescriptor:14:g RuleID:15:gp RuleIDString:16:gp Assignment:17:gp Enabled:18:gp "
     "IfaceIPAddrType:19:gp IfaceIPAddress:20:gp Description:21:gp UIFlags:22:gp "
     "Preferred:23:gp Order:24:gp CopyToList:25:m"},
    {"IFWDialNumberList",
     kCollection +
         "CreateDialNumber:2:m Insert:3:m Remove:4:m Clear:5:m GenerateDialNumberID:9:m Get:10:m"},
    {"IFWDialNumber",
     "Number:1:gp AccessDescriptor:2:g Enabled:3:gp Description:4:gp UIFlags:5:gp "
     "Assignment:6:gp Priority:7:gp DialNumberID:8:gp DialNumberIDString:9:gp Order:10:gp"},
    {"IFWZoneRuleList",
     kCollection +
         "CreateRule:2:m Insert:3:m Remove:4:m Clear:5:m Get:8:m GetByRuleNum:9:m "
         "GenerateRuleID:10:m"},
    {"IFWZoneRule",
     "Category:1:gp IPAddrType:2:gp IPAddress:3:gp Interface:4:gp Priority:5:gp Zone:6:gp "
     "RuleID:7:gp RuleIDString:8:gp Enabled:9:gp Description:10:gp UIFlags:11:gp "
     "Assignment:12:gp Order:13:gp CopyToList:14:m Domain:15:gp SSID:16:gp AuditLevel:17:gp"},
    {"IBindSocketNotificationList",
     kCollection + "CreateBindSocketNotification:2:m Insert:3:m Remove:4:m Clear:5:m"},
    {"IBindSocketNotification",
     "Label:1:gp NotifyServerPorts:2:gp NotifyGenPorts:3:gp Priority:4:gp Assignment:5:gp "
     "UIFlags:6:gp Order:7:gp"},
    {"_ISDParserFWEvents",
     kLoadSaveEvents +
         "OnBeforeGlobalOptionInserted:5:m OnAfterGlobalOptionInserted:6:m "
         "OnBeforeGlobalOptionRemoved:7:m OnAfterGlobalOptionRemoved:8:m "
         "OnBeforeGlobalOptionChanged:9:m OnAfterGlobalOptionChanged:10:m "
         "OnBeforeDefinitionInserted:11:m OnAfterDefinitionInserted:12:m "
         "OnBeforeDefinitionRemoved:13:m OnAfterDefinitionRemoved:14:m "
         "OnBeforeDefinitionChanged:15:m OnAfterDefinitionChanged:16:m "
         "OnBeforeFWItemInserted:17:m OnAfterFWItemInserted:18:m OnBeforeFWItemRemoved:19:m "
         "OnAfterFWItemRemoved:20:m OnBeforeFWItemChanged:21:m OnAfterFWItemChanged:22:m "
         "OnBeforeRuleInserted:23:m OnAfterRuleInserted:24:m OnBeforeRuleRemoved:25:m "
         "OnAfterRuleRemoved:26:m OnBeforeRuleChanged:27:m OnAfterRuleChanged:28:m "
         "OnBeforeAppExceptionInserted:29:m OnAfterAppExceptionInserted:30:m "
         "OnBeforeAppExceptionRemoved:31:m OnAfterAppExceptionRemoved:32:m "
         "OnBeforeAppExceptionChanged:33:m OnAfterAppExceptionChanged:34:m "
         "OnBeforeZoneRuleInserted:35:m OnAfterZoneRuleInserted:36:m "
         "OnBeforeZoneRuleRemoved:37:m OnAfterZoneRuleRemoved:38:m "
         "OnBeforeZoneRuleChanged:39:m OnAfterZoneRuleChanged:40:m OnBeforeBSNInserted:41:m "
         "OnAfterBSNInserted:42:m OnBeforeBSNRemoved:43:m OnAfterBSNRemoved:44:m "
         "OnBeforeBSNChanged:45:m OnAfterBSNChanged:46:m"},
};

TEST_F(AutomationDispidsTest, FirewallInterfacesHaveTheirNumbers) {
  ComPtr<CFWParser> fw = MakeObject<CFWParser>();
  IDispatch* parser = fw->primary();
  Record(parser);
  ComPtr<IDispatch> definitions = Member(parser, "DefinitionList");
  Record(definitions.get());
  ComPtr<IDispatch> definition = Member(definitions.get(), "CreateDefinition");
  Record(definition.get());
  ComPtr<IDispatch> items = Member(definition.get(), "ItemList");
  Record(items.get());
  Record(Member(items.get(), "CreateItem").get());
  ComPtr<IDispatch> exceptions = Member(parser, "AppExceptionList");
  Record(exceptions.get());
  Record(Member(exceptions.get(), "CreateAppException").get());
  ComPtr<IDispatch> rules = Member(parser, "RuleList");
  Record(rules.get());
  ComPtr<IDispatch> rule = Member(rules.get(), "CreateRule");
  Record(rule.get());
  Record(Member(rule.get(), "AccessDescriptor").get());
  Record(Member(rule.get(), "ConditionSwitchList").get());
  // The inline transport answers as the definitions' items do.
  EXPECT_TRUE(Member(rule.get(), "TransportObject"));
  ComPtr<IDispatch> routed = Member(parser, "RoutedRuleList");
  Record(routed.get());
  Record(Member(routed.get(), "CreateRule").get());
  ComPtr<IDispatch> numbers = Member(parser, "DialNumberList");
  Record(numbers.get());
  Record(Member(numbers.get(), "CreateDialNumber").get());
  ComPtr<IDispatch> zones = Member(parser, "ZoneRuleList");
  Record(zones.get());
  Record(Member(zones.get(), "CreateRule").get());
  ComPtr<IDispatch> sockets = Member(parser, "BindSocketNotificationList");
  Record(sockets.get());
  Record(Member(sockets.get(), "CreateBindSocketNotification").get());
  RecordEvents(fw->unknown(), DIID__ISDParserFWEvents);

  for (const ExpectedInterface& expected : kExpectedFW) {
    SCOPED_TRACE(std::string(expected.name));
    auto found = seen_.find(std::string(expected.name));
    ASSERT_NE(found, seen_.end());
    EXPECT_EQ(found->second, ParseExpected(expected.members));
  }
  EXPECT_EQ(seen_.size(), std::size(kExpectedFW));
}

}  // namespace
}  // namespace xmlsecdb
