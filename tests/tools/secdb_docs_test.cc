// The man page and the bash completion of secdb name exactly the options of
// the tool's option table, so neither can drift from the tool.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "secdb/options.h"
#include "testing/temp_dir.h"

namespace secdb {
namespace {

using Names = std::set<std::string>;

std::string Source(const std::string& name) {
  return xmlsecdb::testing::ReadFileBytes(std::string(XMLSECDB_SOURCE_DIR) + "/tools/secdb/" +
                                          name);
}

Names Matches(const std::string& text, const std::regex& pattern) {
  Names names;
  for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
    names.insert((*it)[1]);
  }
  return names;
}

// The option names of the commands in `mask`, short ones included.
Names TableOptions(unsigned mask) {
  Names names;
  for (const OptionInfo& option : OptionTable()) {
    if (!(option.commands & mask)) continue;
    names.emplace(option.name);
    if (!option.short_name.empty()) names.emplace(option.short_name);
  }
  return names;
}

TEST(SecdbDocsTest, ManPageDescribesEveryOption) {
  const std::string page = Source("secdb.1");
  const std::size_t begin = page.find(".SH OPTIONS");
  const std::size_t end = page.find(".SH", begin + 1);
  ASSERT_NE(begin, std::string::npos);
  const std::string options = page.substr(begin, end - begin);
  // Roff escapes each dash: \-\-kind, \-q.
  Names found = Matches(options, std::regex(R"(\.B[IR]? (\\-\\-(?:[a-z]|\\-)+|\\-[a-z]\b))"));
  Names more = Matches(options, std::regex(R"(\.BR \\-[a-z] ", " (\\-\\-(?:[a-z]|\\-)+))"));
  found.insert(more.begin(), more.end());
  Names unescaped;
  for (std::string name : found) {
    for (std::size_t at; (at = name.find("\\-")) != std::string::npos;) name.replace(at, 2, "-");
    unescaped.insert(name);
  }
  EXPECT_EQ(unescaped, TableOptions(kEveryCommand | kNoCommand));
  for (const CommandInfo& command : Commands()) {
    EXPECT_NE(page.find(".B secdb " + std::string(command.name)), std::string::npos)
        << command.name;
  }
}

TEST(SecdbDocsTest, CompletionOffersEachCommandsOptions) {
  const std::string script = Source("secdb.bash-completion");
  auto words = [](const std::string& list) {
    Names names;
    std::size_t at = 0;
    while (at < list.size()) {
      std::size_t end = list.find(' ', at);
      if (end == std::string::npos) end = list.size();
      if (end > at) names.insert(list.substr(at, end - at));
      at = end + 1;
    }
    return names;
  };
  for (const CommandInfo& command : Commands()) {
    std::smatch match;
    const std::regex line("\\n\\s*" + std::string(command.name) + "\\) opts=\"([^\"]*)\"");
    ASSERT_TRUE(std::regex_search(script, match, line)) << command.name;
    EXPECT_EQ(words(match[1]), TableOptions(command.bit)) << command.name;
  }
  std::smatch match;
  ASSERT_TRUE(std::regex_search(script, match, std::regex("toplevel=\"([^\"]*)\"")));
  Names toplevel = TableOptions(kNoCommand);
  for (const CommandInfo& command : Commands()) toplevel.emplace(command.name);
  EXPECT_EQ(words(match[1]), toplevel);
}

}  // namespace
}  // namespace secdb
