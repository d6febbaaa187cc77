#include "jumplist/caption_limit.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace pathorama::jumplist {
namespace {

TEST(CaptionLimit, ShortensToTheVisibleLimitKeepingTheAccelerator) {
  struct Case {
    const char16_t* source;
    int32_t limit;
    const char16_t* want;
  };
  const Case cases[] = {
      {u"Documents archive(&A)", 10, u"Docu...(&A)"},  // "&" is not shown: 10 visible
      {u"Documents archive", 10, u"Documen..."},
      {u"Document(&A)", 10, u"Docu...(&A)"},
      {u"Documen(&A)", 10, u"Documen(&A)"},  // 11 with an accelerator shows 10: unchanged
      {u"Documents [&B]", 10, u"Docu...[&B]"},
      {u"Documents &C)", 10, u"Docum...&C)"},
      {u"Documents &C", 10, u"Documen..."},  // no closing bracket: no accelerator suffix
      {u"Short", 10, u"Short"},
      {u"0123456789", 10, u"0123456789"},
      {u"", 10, u""},
      {u"abcdef", 2, u"..."},  // a count of zero or less takes no characters
      {u"abc(&D)", 2, u"...(&D)"},
      {u"文档资料库归档文件夹集合", 8, u"文档资料库..."},
      {u"ab\U0001F600defg", 6, u"ab..."},  // a cut inside a surrogate pair drops the pair
      {u"Any caption at all", kNoCaptionLimit, u"Any caption at all"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LimitJumpListItemCaptionLength(c.source, c.limit), c.want)
        << core::Utf16ToUtf8(c.source) << " / " << c.limit;
}

}  // namespace
}  // namespace pathorama::jumplist
