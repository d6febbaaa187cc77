#include "variables/variable_menu.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "core/regex.h"
#include "core/text.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {
namespace {

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

// Every variable the menu offers is one the language reads: the text in
// braces (the date placeholder filled in) is a whole match of a master
// pattern, except the forms the builder completes (a layer number, a
// sequence's range). And every bare name of the language is on the menu.
TEST(VariableMenu, OffersEveryVariableOfTheLanguageAsItIsWritten) {
  const core::Regex& all = MasterRegex(patterns::AllVariables());
  const core::Regex& layers = MasterRegex(patterns::LayerVariables());
  const std::set<std::u16string> completedByBuilder = {u"NFolder", u"Number", u"RomaNum",
                                                       u"ChineseNum", u"ChineseNum_Caps",
                                                       u"CircledNum"};
  std::set<std::u16string> offered;
  std::function<void(const std::vector<VariableMenuEntry>&)> walk = [&](const auto& entries) {
    for (const VariableMenuEntry& e : entries) {
      if (!e.children.empty()) {
        walk(e.children);
        continue;
      }
      if (e.IsSeparator()) continue;
      ASSERT_EQ(e.caption[0], u'{') << U8(e.caption);
      const size_t close = e.caption.find(u'}');
      ASSERT_NE(close, std::u16string::npos) << U8(e.caption);
      EXPECT_EQ(e.caption.substr(close + 1, 1), u"－") << U8(e.caption);
      std::u16string variable =
          core::ReplaceAllText(e.caption.substr(0, close + 1), u"<8位数字年月日>", u"<20260308>");
      const std::u16string name = variable.substr(1, variable.find_first_of(u"<}") - 1);
      offered.insert(name);
      if (completedByBuilder.count(name)) continue;
      std::optional<core::RegexMatch> m = all.Search(variable);
      if (!m) m = layers.Search(variable);
      EXPECT_TRUE(m && m->Start() == 0 && m->End() == variable.size()) << U8(variable);
    }
  };
  walk(VariableMenu());
  for (const std::u16string& bare : core::SplitText(patterns::BareNames(), u"|"))
    EXPECT_TRUE(offered.count(bare)) << U8(bare) << " is not on the menu";
  std::vector<std::u16string> headings;
  for (const VariableMenuEntry& e : VariableMenu()) headings.push_back(e.caption);
  EXPECT_EQ(headings, (std::vector<std::u16string>{u"日期时间", u"文件夹路径", u"注册表路径", u"序数",
                                                   u"常用字符串", u"系统变量", u"杂项"}));
}

}  // namespace
}  // namespace pathorama::variables
