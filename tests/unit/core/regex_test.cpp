#include "core/regex.h"

#include <gtest/gtest.h>

#include <string>

namespace pathorama::core {
namespace {

TEST(Regex, CaselessAndUtfByDefault) {
  const Regex& re = Regex::Get(uR"(today)");
  EXPECT_TRUE(re.IsMatch(u"{ToDay}"));
  // Case folding reaches beyond ASCII in UTF mode.
  EXPECT_TRUE(Regex::Get(u"ä").IsMatch(u"Ä"));
  EXPECT_FALSE(Regex::Get(u"today", Regex::kCaseSensitive).IsMatch(u"Today"));
  // One code point, two UTF-16 units: "." takes the whole pair.
  auto m = Regex::Get(u"^.$").Search(u"\U0001F600");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->Length(), 2u);
}

TEST(Regex, GetCompilesOnceAndCaches) {
  const Regex& a = Regex::Get(u"x+y");
  const Regex& b = Regex::Get(u"x+y");
  const Regex& c = Regex::Get(u"x+y", Regex::kCaseSensitive);
  EXPECT_EQ(&a, &b);
  EXPECT_NE(&a, &c);
}

TEST(Regex, AnInvalidPatternCannotBeRun) {
  Regex re(u"(unclosed");
  EXPECT_FALSE(re.IsValid());
  EXPECT_FALSE(re.Error().empty());
  EXPECT_THROW(re.IsMatch(u"(unclosed"), RegexError);
  EXPECT_THROW(re.FindAll(u"x"), RegexError);
  EXPECT_THROW(re.ReplaceAll(u"abc", u"z"), RegexError);
}

// An unpaired surrogate (legal in an NTFS file name) is one character like
// any other; it never makes the whole subject unmatchable, and matches
// report the text as it is.
TEST(Regex, SubjectsWithUnpairedSurrogatesStillMatch) {
  const std::u16string lone(1, char16_t(0xD800));
  const std::u16string subject = u"D:\\(a|b)\\x" + lone + u"y";
  auto m = Regex::Get(uR"(\\x(.)y)").Search(subject);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->Group(1), lone);
  EXPECT_EQ(Regex::Get(uR"(\\(\w+))").Search(subject)->Group(1), u"x");
  EXPECT_EQ(Regex::Get(u"y").ReplaceAll(subject, u"z"), u"D:\\(a|b)\\x" + lone + u"z");
  EXPECT_EQ(Regex::Get(uR"(\|)").Split(subject).size(), 2u);
  const std::u16string lowFirst = std::u16string(1, char16_t(0xDC00)) + u"Today";
  EXPECT_EQ(Regex::Get(u"today").Search(lowFirst)->Start(), 1u);
}

TEST(Regex, RecursionMatchesNestedTags) {
  const Regex& tag = Regex::Get(uR"(<([^<>]+|(?R)+)>)");
  auto m = tag.Search(u"C:\\x<<a><b>>y");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->Group(), u"<<a><b>>");
  EXPECT_EQ(tag.Search(u"<a<b>")->Group(), u"<b>");
  // Anchored, the recursion can only restart at the subject's start.
  EXPECT_FALSE(Regex::Get(uR"(^ *<([^<>]+|(?R)+)> *)").IsMatch(u"<<a>>x"));
}

TEST(Regex, SubroutineCallsReuseAGroup) {
  // An alternation group: (?2) re-runs the alternative pattern of group 2.
  const Regex& group = Regex::Get(uR"((\(([^\(\)\|]*)\|((?2)\|)*(?2)\)))");
  struct Case {
    const char16_t* subject;
    const char16_t* match;  // nullptr: no match
  } cases[] = {
      {u"D:\\(a|b)\\x", u"(a|b)"},
      {u"D:\\(a|b|)\\x", u"(a|b|)"},
      {u"C:\\Program Files (x86)\\T", nullptr},
      {u"(a|(b|c))", u"(b|c)"},
  };
  for (const Case& c : cases) {
    auto m = group.Search(c.subject);
    if (!c.match) {
      EXPECT_FALSE(m) << std::string(c.subject, c.subject + 5);
      continue;
    }
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Group(), c.match);
  }
  // The shell namespace path expression relies on (?4) and (?1).
  const Regex& ns = Regex::Get(uR"(^(::{((([a-z\d]+)-)+(?4))})(\\\d+(\\(?1))?)?$)");
  EXPECT_TRUE(ns.IsMatch(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"));
  EXPECT_TRUE(ns.IsMatch(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\0\\::{ab-cd}"));
  EXPECT_FALSE(ns.IsMatch(u"::{20D04FE0}"));
  EXPECT_FALSE(ns.IsMatch(u"C:\\Windows"));
}

TEST(Regex, NamedGroupsAndUnsetGroups) {
  const Regex& re = Regex::Get(uR"((?<Sign>[+-])?(?<Num>\d+)(?<Unit>[dm])?)");
  auto m = re.Search(u"x12d");
  ASSERT_TRUE(m);
  EXPECT_EQ(m->Named(u"Num"), u"12");
  EXPECT_EQ(m->Named(u"Unit"), u"d");
  EXPECT_FALSE(m->NamedMatched(u"Sign"));
  EXPECT_EQ(m->Named(u"Sign"), u"");
  // A name the pattern does not have is a mistake of the program.
  EXPECT_THROW(m->Named(u"NoSuchGroup"), std::logic_error);
  EXPECT_EQ(re.GroupIndex(u"Unit"), 3);
  EXPECT_EQ(m->Start(), 1u);
  EXPECT_EQ(m->End(), 4u);
}

TEST(Regex, LookBehindWithAlternativesOfDifferentLengths) {
  const Regex& re = Regex::Get(uR"((?<=Today<|MM<20240131><|WeekDay<)(Chn|\w+)>)");
  EXPECT_EQ(re.Search(u"{MM<20240131><Chn>}")->Group(1), u"Chn");
  EXPECT_EQ(re.Search(u"{today<yyyy>}")->Group(1), u"yyyy");
  EXPECT_FALSE(re.IsMatch(u"{Hour<yyyy>}"));
}

TEST(Regex, UnicodeHanProperty) {
  const Regex& han = Regex::Get(uR"(^\p{Han}+$)");
  EXPECT_TRUE(han.IsMatch(u"跳转列表"));
  EXPECT_FALSE(han.IsMatch(u"跳转list"));
  EXPECT_FALSE(han.IsMatch(u"ジャンプ"));
}

TEST(Regex, SearchFromOffsetAndIterate) {
  const Regex& digits = Regex::Get(uR"(\d+)");
  EXPECT_EQ(digits.Search(u"a1b22c333", 2)->Group(), u"22");
  EXPECT_FALSE(digits.Search(u"a1", 2));
  EXPECT_FALSE(digits.Search(u"a1", 99));
  std::u16string found;
  for (const RegexMatch& m : digits.FindAll(u"a1b22c333")) found += m.Group() + u",";
  EXPECT_EQ(found, u"1,22,333,");
  // Empty matches advance, so iteration always ends.
  EXPECT_EQ(Regex::Get(u"x*").FindAll(u"abc").size(), 4u);
}

TEST(Regex, SplitKeepsEmptyFields) {
  struct Case {
    const char16_t* pattern;
    const char16_t* subject;
    std::vector<std::u16string> parts;
  } cases[] = {
      {uR"( *\| *)", u"a | b|c", {u"a", u"b", u"c"}},
      {uR"(\|)", u"|a||b|", {u"", u"a", u"", u"b", u""}},
      {uR"(,)", u"", {u""}},
      {uR"(x)", u"abc", {u"abc"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Regex::Get(c.pattern).Split(c.subject), c.parts);
}

TEST(Regex, ReplaceAllWithReferencesOrLiterally) {
  EXPECT_EQ(Regex::Get(uR"( *\\+ *)").ReplaceAll(u"C:\\ a\\\\b", u"\\", true), u"C:\\a\\b");
  EXPECT_EQ(Regex::Get(uR"((\w)(\d))").ReplaceAll(u"a1 b2", u"$2$1"), u"1a 2b");
  EXPECT_EQ(Regex::Get(uR"((?<n>\d))").ReplaceAll(u"x1y", u"[${n}]"), u"x[1]y");
  EXPECT_EQ(Regex::Get(uR"(\d)").ReplaceAll(u"a1", u"$$"), u"a$");
  // The result may be much longer than the subject.
  std::u16string many(1000, u'a');
  EXPECT_EQ(Regex::Get(u"a").ReplaceAll(many, u"bbbb", true).size(), 4000u);
  EXPECT_EQ(Regex::Get(u"z").ReplaceAll(u"abc", u"q"), u"abc");
}

// A search that hits a limit is an error, never a "no match" that a caller
// could act on.
TEST(Regex, APathologicalSubjectFailsQuicklyInsteadOfPassingForNoMatch) {
  // Nested quantifiers backtrack exponentially; the match limit stops them.
  const Regex& evil = Regex::Get(uR"(^(a+)+$)");
  std::u16string subject(40, u'a');
  subject += u'!';
  EXPECT_THROW(evil.IsMatch(subject), RegexError);
  EXPECT_THROW(evil.ReplaceAll(subject, u"x"), RegexError);
  EXPECT_THROW(evil.Split(subject), RegexError);
  // Deep recursion is cut by the depth limit instead of overflowing the stack.
  const Regex& nested = Regex::Get(uR"(^(<(?1)*>)$)");
  std::u16string deep(200000, u'<');
  deep += std::u16string(199999, u'>');
  EXPECT_THROW(nested.IsMatch(deep), RegexError);
  // A nesting well inside the limits still matches: the bounds stop only
  // the pathological.
  const std::u16string fine = std::u16string(1000, u'<') + std::u16string(1000, u'>');
  EXPECT_TRUE(nested.IsMatch(fine));
  EXPECT_FALSE(nested.IsMatch(fine + u">"));
}

TEST(Regex, ABudgetBoundsASeriesOfSearchesWithCountedSteps) {
  const Regex& counted = Regex::Get(uR"(\d)", Regex::kDefault | Regex::kCountSteps);
  RegexBudget budget(1000);
  EXPECT_EQ(counted.Search(u"ab1", 0, &budget)->Start(), 2u);
  const uint64_t afterOne = budget.Remaining();
  EXPECT_LT(afterOne, 1000u);
  EXPECT_GT(afterOne, 0u);
  // The same budget runs out across calls, whatever each call alone costs.
  EXPECT_THROW(
      for (int i = 0; i < 10000; ++i) counted.FindAll(u"a1b2c3", &budget), RegexError);
  EXPECT_EQ(budget.Remaining(), 0u);
  // Without a budget the same pattern runs as usual.
  EXPECT_EQ(counted.FindAll(u"a1b2c3").size(), 3u);
}

}  // namespace
}  // namespace pathorama::core
