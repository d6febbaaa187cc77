#include "variables/variable_patterns.h"

#include <gtest/gtest.h>

#include "core/regex.h"
#include "core/text.h"

namespace pathorama::variables {
namespace {

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

TEST(VariablePatterns, EveryPatternCompiles) {
  for (const std::u16string* p :
       {&patterns::AllVariables(), &patterns::LayerVariables(), &patterns::LayerDetector(),
        &patterns::ExtractRestructure(), &patterns::Grouping()}) {
    const core::Regex& re = core::Regex::Get(*p);
    EXPECT_TRUE(re.IsValid()) << U8(re.Error());
  }
  EXPECT_TRUE(MasterRegex(patterns::AllVariables()).IsValid());
  EXPECT_TRUE(MasterRegex(patterns::LayerVariables()).IsValid());
}

// What the master pattern takes as one variable: the name with its
// parameters, the extraction and restructure section and the grouping.
TEST(VariablePatterns, MasterPatternSplitsAVariableIntoItsParts) {
  struct Case {
    bool layer;  // the layer alternation instead of all variables
    const char16_t* text;
    const char16_t* name;  // nullptr: not a variable
    const char16_t* sections;
    const char16_t* grouping;
  } cases[] = {
      {false, u"{Today}", u"Today", u"", u""},
      {false, u"{today}", u"today", u"", u""},
      {false, u"{-1dYYYY}", u"-1dYYYY", u"", u""},
      {false, u"{+1y-2m+3w-4dToday}", u"+1y-2m+3w-4dToday", u"", u""},
      {false, u"{Day<20240131><yyyy-mm-dd>}", u"Day<20240131><yyyy-mm-dd>", u"", u""},
      {false, u"{Day<><yyyy>}", u"Day<><yyyy>", u"", u""},
      {false, u"{+2hTime<hh.nn>}", u"+2hTime<hh.nn>", u"", u""},
      {false, u"{+30sNow<yyyy>}", u"+30sNow<yyyy>", u"", u""},
      {false, u"{WInY}", u"WInY", u"", u""},
      {false, u"{DInY<Chn>}", u"DInY<Chn>", u"", u""},
      {false, u"{MM<Eng>}", u"MM<Eng>", u"", u""},
      {false, u"{YYYY<ShengXiao>}", u"YYYY<ShengXiao>", u"", u""},
      {false, u"{CurWeekDay<ShortEng>}", u"CurWeekDay<ShortEng>", u"", u""},
      {false, u"{YYYY<Eng>}", nullptr, nullptr, nullptr},       // no English years
      {false, u"{MonthDays<-67>}", u"MonthDays<-67>", u"", u""},
      {false, u"{202402MonthDays<yyyy-mm-dd>}", u"202402MonthDays<yyyy-mm-dd>", u"", u""},
      {false, u"{+1WeekDays<1-5><mm.dd>}", u"+1WeekDays<1-5><mm.dd>", u"", u""},
      {false, u"{1-10Number}", u"1-10Number", u"", u""},
      {false, u"{0-100:10:3Number}", u"0-100:10:3Number", u"", u""},
      {false, u"{1-2ChineseNum_Caps}", u"1-2ChineseNum_Caps", u"", u""},
      {false, u"{1-3RomaNum:2:1}", u"1-3RomaNum", u":2:1", u""},  // a width only before Number
      {false, u"{1-3Number<2>}", nullptr, nullptr, nullptr},    // lists take no grouping
      {false, u"{1-3Number1-2}", nullptr, nullptr, nullptr},    // nor extraction
      {false, u"{4-8Random}", u"4-8Random", u"", u""},
      {false, u"{8+Random}", u"8+Random", u"", u""},
      {false, u"{ABC_Lower}", u"ABC_Lower", u"", u""},
      {false, u"{Tomorrow}", nullptr, nullptr, nullptr},
      {false, u"{Today", nullptr, nullptr, nullptr},
      {false, u"{Today1-4}", u"Today", u"1-4", u""},
      {false, u"{Today5,2}", u"Today", u"5,2", u""},
      {false, u"{Today-2}", u"Today", u"-2", u""},
      {false, u"{Today1-4*}", u"Today", u"1-4*", u""},
      {false, u"{Today:-::1,3}", u"Today", u":-::1,3", u""},
      {false, u"{Today<4/->}", u"Today", u"", u"<4/->"},
      {false, u"{Today<-3>}", u"Today", u"", u"<-3>"},
      {false, u"{Today1-6:-:_<2>}", u"Today", u"1-6:-:_", u"<2>"},
      {false, u"{OpenedDir'Pro'}", u"OpenedDir", u"'Pro'", u""},
      {false, u"{MyDocuments-2'\\'}", u"MyDocuments", u"-2'\\'", u""},
      {false, u"{MyDocuments<2>}", u"MyDocuments", u"<2>", u""},  // layers, not groups
      {false, u"{MyDocuments<1-2>3*}", u"MyDocuments", u"<1-2>3*", u""},
      {false, u"{MyDocuments<2/->}", nullptr, nullptr, nullptr},  // path names take no grouping
      {false, u"{\\Today}", u"Today", u"", u""},
      {false, u"{\\\\Today:x}", u"Today", u":x", u""},
      {false, u"{pFolder}", nullptr, nullptr, nullptr},  // layers wait for their own pass
      {true, u"{pFolder}", u"pFolder", u"", u""},
      {true, u"{-2Folder1-3}", u"-2Folder", u"1-3", u""},
      {true, u"{:2Folder}", u":2Folder", u"", u""},
      {true, u"{::+1Folder<2>}", u"::+1Folder", u"", u"<2>"},
      {true, u"{Today}", nullptr, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.text));
    const core::Regex& master =
        MasterRegex(c.layer ? patterns::LayerVariables() : patterns::AllVariables());
    std::optional<core::RegexMatch> m = master.Search(c.text);
    if (!c.name) {
      EXPECT_FALSE(m.has_value()) << U8(m->Group());
      continue;
    }
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(U8(m->Group()), U8(c.text));
    EXPECT_EQ(U8(m->Named(u"VarListWithOptions")), U8(c.name));
    EXPECT_EQ(U8(m->Named(u"StrExtractRestructure")), U8(c.sections));
    EXPECT_EQ(U8(m->Named(u"StrSplitToGroup")), U8(c.grouping));
  }
}

TEST(VariablePatterns, LayerDetectorFindsOnlyLayerVariables) {
  const core::Regex& detector = core::Regex::Get(patterns::LayerDetector());
  EXPECT_TRUE(detector.IsMatch(u"D:\\{pFolder}\\x"));
  EXPECT_TRUE(detector.IsMatch(u"{::-12Folder1-3:a:b<2/->}"));
  EXPECT_FALSE(detector.IsMatch(u"D:\\{Today}\\{Folder}"));
  EXPECT_FALSE(detector.IsMatch(u"D:\\pFolder"));
}

}  // namespace
}  // namespace pathorama::variables
