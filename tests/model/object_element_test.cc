// The `Object` element reader for any kind of definition: the write order
// of its attributes and the kind of its items are parameters.
#include <gtest/gtest.h>

#include <string>

#include "model/definitions_fixture.h"
#include "model/definitions_section.h"
#include "testing/hresult_matchers.h"
#include "testing/test_parser.h"

namespace xmlsecdb::testing {
namespace {

// Items whose `Item` element carries an attribute besides its text: the
// content is kept as "<lang>|<text>".
class TaggedItems {
 public:
  using List = CDefinitionList;
  using Definition = CSimpleDefinition;

  ComPtr<CSimpleDefinition> NewDefinition(CDefinitionList& list) {
    return list.NewSimpleDefinition();
  }
  HRESULT StartItem(SectionReadContext&, const SaxAttributes& attributes, CSimpleDefinition&) {
    lang_ = attributes.Find("lang").value_or("");
    return S_OK;
  }
  HRESULT EndItem(std::string_view text, CSimpleDefinition& definition) {
    ComPtr<CSimpleItem> item = definition.items()->NewItem();
    RETURN_IF_FAILED(item->put_Content(lang_ + "|" + std::string(text)));
    return definition.items()->Insert(item.get());
  }
  void Clear() { lang_.clear(); }
  HRESULT WriteItems(XmlWriter& writer, const CSimpleDefinition& definition) {
    for (const CSimpleItem* item : *definition.items()) {
      const std::string& content = item->content();
      const std::size_t bar = content.find('|');
      attributes_.Clear();
      attributes_.Add("lang", content.substr(0, bar));
      RETURN_IF_FAILED(writer.StartElement("Item", attributes_));
      RETURN_IF_FAILED(writer.Characters(content.substr(bar + 1)));
      RETURN_IF_FAILED(writer.EndElement("Item"));
    }
    return S_OK;
  }

 private:
  std::string lang_;
  XmlAttributes attributes_;
};

constexpr DefinitionsConfig kTypeFirst = {.object_types = kTestDefinitionTypes,
                                          .definition_events = kDefinitionEvents,
                                          .item_events = kSimpleItemEvents,
                                          .object_attributes = kObjectTypeFirst};

TEST(ObjectElementTest, WriteOrderAndItemKindAreTheKindsChoice) {
  // Read in any order; written `ot` first, as this kind orders them.
  const std::string file =
      "<Definitions><Object desc=\"d\" id=\"Web\" uiflags=\"u\" ot=\"File\">"
      "<Item lang=\"en\">a</Item><Item>b</Item></Object></Definitions>";
  const std::string saved =
      "\t<Definitions>\n"
      "\t\t<Object ot=\"File\" id=\"Web\" uiflags=\"u\" desc=\"d\">\n"
      "\t\t\t<Item lang=\"en\">a</Item>\n"
      "\t\t\t<Item lang=\"\">b</Item>\n"
      "\t\t</Object>\n"
      "\t</Definitions>\n";
  ComPtr<TestParser> tagged = MakeObject<TestParser>();
  tagged->AddSection<DefinitionsSectionOf<TaggedItems>>(kTypeFirst);
  ASSERT_OK(LoadBody(*tagged, file));
  EXPECT_EQ(SectionText(*tagged, "Definitions"), saved);

  // The simple definitions of the same file keep `id` first and plain items.
  ComPtr<TestParser> simple = MakeDefinitionsParser();
  ASSERT_OK(LoadBody(*simple, file));
  EXPECT_EQ(SectionText(*simple, "Definitions"),
            "\t<Definitions>\n"
            "\t\t<Object id=\"Web\" ot=\"File\" uiflags=\"u\" desc=\"d\">\n"
            "\t\t\t<Item>a</Item>\n"
            "\t\t\t<Item>b</Item>\n"
            "\t\t</Object>\n"
            "\t</Definitions>\n");
}

}  // namespace
}  // namespace xmlsecdb::testing
