#include "ui/message_box_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace pathorama::ui {
namespace {

using B = MessageButton;

std::string Utf8(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

TEST(MessageBoxButtons, EachClosingResultLeadsBackToItsButtonAndHelpNeverCloses) {
  struct Case {
    int result;
    std::optional<MessageButton> button;
  } cases[] = {
      {6, B::Yes},        {7, B::No},          {1, B::Ok},          {2, B::Cancel},
      {3, B::Abort},      {4, B::Retry},       {5, B::Ignore},      {12, B::All},
      {13, B::NoToAll},   {14, B::YesToAll},   {15, B::ForceClose}, {16, B::Continue},
      {17, B::Exit},      {0, std::nullopt},   {8, std::nullopt},   {11, std::nullopt},
      {18, std::nullopt}, {-1, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ButtonOfResult(c.result), c.button) << c.result;
    if (c.button) {
      EXPECT_EQ(DescribeButton(*c.button).result, c.result) << c.result;
    }
  }
  EXPECT_EQ(DescribeButton(B::Help).result, 0);
  EXPECT_EQ(DescribeButton(B::Help).caption, u"帮助(&H)");
}

TEST(MessageBoxButtons, ASetStandsInIndexOrderWhateverOrderItWasWrittenIn) {
  MessageButtons set{B::Exit, B::Cancel, B::Yes, B::No, B::Cancel};
  EXPECT_EQ(set.InOrder(), (std::vector<MessageButton>{B::Yes, B::No, B::Cancel, B::Exit}));
  EXPECT_EQ(set.Bits(), (1u << 0) | (1u << 1) | (1u << 3) | (1u << 13));
  EXPECT_TRUE(set.Contains(B::Exit));
  EXPECT_FALSE(set.Contains(B::Ok));
  EXPECT_TRUE(MessageButtons{}.Empty());
}

TEST(MessageBoxButtons, EnterAndEscapePressTheButtonsTheRulesChoose) {
  struct Case {
    const char* name;
    MessageButtons shown;
    std::optional<MessageButton> enter, escape;
  } cases[] = {
      {"the ignore-list question", {B::Yes, B::No, B::Cancel}, B::Yes, B::Cancel},
      {"OK wins over Yes", {B::Yes, B::Ok}, B::Ok, B::Ok},
      {"yes or no", {B::Yes, B::No}, B::Yes, B::No},
      {"OK alone", {B::Ok}, B::Ok, B::Ok},
      {"OK and Cancel", {B::Ok, B::Cancel}, B::Ok, B::Cancel},
      {"retry and cancel", {B::Retry, B::Cancel}, B::Retry, B::Cancel},
      {"abort, retry, ignore", {B::Abort, B::Retry, B::Ignore}, B::Retry, std::nullopt},
      {"neither rule", {B::Abort, B::Exit}, std::nullopt, std::nullopt},
      {"No cancels before OK", {B::No, B::Ok}, B::Ok, B::No},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefaultButton(c.shown), c.enter) << c.name;
    EXPECT_EQ(CancelButton(c.shown), c.escape) << c.name;
  }
}

TEST(MessageBoxButtons, AnEmptySetShowsOkSoTheBoxCanBeAnswered) {
  EXPECT_EQ(ShownButtons({}).InOrder(), std::vector<MessageButton>{B::Ok});
  EXPECT_EQ(ShownButtons({B::Yes, B::No}).InOrder(), (std::vector<MessageButton>{B::Yes, B::No}));
}

TEST(MessageBoxTypes, EachTypeHasItsSystemIconAndEachPromptItsType) {
  struct Case {
    MessageType type;
    MessageIcon icon;
  } types[] = {
      {MessageType::Warning, MessageIcon::Exclamation},
      {MessageType::Error, MessageIcon::Hand},
      {MessageType::Information, MessageIcon::Asterisk},
      {MessageType::Confirmation, MessageIcon::Question},
      {MessageType::Custom, MessageIcon::None},
  };
  for (const Case& c : types) EXPECT_EQ(IconOf(c.type), c.icon) << static_cast<int>(c.type);
  struct PromptCase {
    core::PromptIcon prompt;
    MessageType type;
  } prompts[] = {
      {core::PromptIcon::Information, MessageType::Information},
      {core::PromptIcon::Warning, MessageType::Warning},
      {core::PromptIcon::Error, MessageType::Error},
      {core::PromptIcon::Question, MessageType::Confirmation},
  };
  for (const PromptCase& c : prompts)
    EXPECT_EQ(MessageTypeOf(c.prompt), c.type) << static_cast<int>(c.prompt);
}

TEST(MessageBoxCopy, CaptionsLoseTheirAccessMarksButKeepDoubledAmpersands) {
  struct Case {
    std::u16string_view caption, plain;
  } cases[] = {
      {u"是(&Y)", u"是(Y)"}, {u"强制关闭(&F)", u"强制关闭(F)"}, {u"A && B", u"A & B"},
      {u"&&&x", u"&x"},      {u"end&", u"end"},                {u"", u""},
      {u"none", u"none"},
  };
  for (const Case& c : cases) EXPECT_EQ(CaptionWithoutAccessMarks(c.caption), c.plain)
                                  << Utf8(c.caption);
}

TEST(MessageBoxCopy, TheFivePartsStandBetweenLinesOf27HyphensWithCrLf) {
  const std::u16string dashes = u"---------------------------\r\n";
  ASSERT_EQ(dashes.size(), 29u);
  struct Case {
    const char* name;
    std::u16string_view caption, message;
    MessageButtons shown;
    std::u16string buttons;
  } cases[] = {
      {"the ignore-list question", u"全局热键失效",
       u"全局热键 Ctrl+D 在 WINWORD.EXE 中已不再弹出路径跳转列表\r而是执行它在该程序中的原有功能"
       u"\r\r下次运行期间是否仍然弹出本提示信息？\r\r　　取消 = 下次在该软件中执行弹出路径跳转列表功能，"
       u"不再提示",
       {B::Yes, B::No, B::Cancel}, u"是(Y)   否(N)   取消(C)   "},
      {"every button in index order", u"c", u"m",
       {B::Exit, B::Continue, B::ForceClose, B::Help, B::YesToAll, B::NoToAll, B::All, B::Ignore,
        B::Retry, B::Abort, B::Cancel, B::Ok, B::No, B::Yes},
       u"是(Y)   否(N)   确定(O)   取消(C)   终止(A)   重试(R)   忽略(I)   全部(A)   全否(O)   "
       u"全是(A)   帮助(H)   强制关闭(F)   继续(C)   退出(E)   "},
      {"empty caption and message", u"", u"", {B::Ok}, u"确定(O)   "},
      {"a message keeps its own line breaks and ampersands", u"R&D", u"a\r\nb\nc & d",
       {B::Retry}, u"重试(R)   "},
  };
  for (const Case& c : cases) {
    std::u16string want = dashes + std::u16string(c.caption) + u"\r\n" + dashes +
                          std::u16string(c.message) + u"\r\n" + dashes + c.buttons + u"\r\n" +
                          dashes;
    EXPECT_EQ(Utf8(MessageBoxCopyText(c.caption, c.message, c.shown)), Utf8(want)) << c.name;
  }
}

TEST(MessageBoxText, EveryKindOfLineBreakBecomesCrLf) {
  struct Case {
    std::u16string_view in, out;
  } cases[] = {
      {u"a\rb", u"a\r\nb"},          {u"a\nb", u"a\r\nb"},      {u"a\r\nb", u"a\r\nb"},
      {u"a\r\rb", u"a\r\n\r\nb"},    {u"a\n\rb", u"a\r\n\r\nb"}, {u"\r", u"\r\n"},
      {u"end\r\n", u"end\r\n"},      {u"", u""},                {u"一行", u"一行"},
      {u"\r\n\n\r", u"\r\n\r\n\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithCrLfLineBreaks(c.in), c.out) << Utf8(c.in);
}

TEST(MessageBoxMetricsTest, MulDivRoundsHalvesAwayFromZero) {
  struct Case {
    int n, numerator, denominator, want;
  } cases[] = {
      {8, 7, 4, 14},     {10, 7, 4, 18},  {14, 15, 8, 26},       {10, 15, 8, 19},
      {50, 6, 4, 75},    {1, 1, 2, 1},    {-1, 1, 2, -1},        {3, -1, 2, -2},
      {-3, -1, 2, 2},    {1, 1, 3, 0},    {2, 1, 3, 1},          {5, 3, 0, 0},
      {100000, 100000, 100000, 100000},   {2147483647, 2, 2, 2147483647},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MulDiv(c.n, c.numerator, c.denominator), c.want)
        << c.n << " * " << c.numerator << " / " << c.denominator;
}

TEST(MessageBoxMetricsTest, AverageWidthAndWrapWidthTruncate) {
  EXPECT_EQ(kAverageWidthSample.size(), 52u);
  EXPECT_EQ(AverageCharWidth(364), 7);
  EXPECT_EQ(AverageCharWidth(415), 7);
  EXPECT_EQ(AverageCharWidth(416), 8);
  EXPECT_EQ(MessageWrapWidth(1280), 640);
  EXPECT_EQ(MessageWrapWidth(1281), 640);
}

// dx 7 and dy 15 give: margins 14 and 15, spacing 18 and 19, buttons at
// least 88 x 26 with gaps of 7.
MessageBoxMetrics Metrics(Size text, std::vector<int> captions, Rect workArea, Size frame,
                          std::optional<Size> icon) {
  MessageBoxMetrics m;
  m.averageCharWidth = 7;
  m.fontHeight = 15;
  m.messageText = text;
  m.buttonCaptionWidths = std::move(captions);
  m.workArea = workArea;
  m.frame = frame;
  m.icon = icon;
  m.scrollBarWidth = 17;
  return m;
}

TEST(MessageBoxLayoutTest, PlacesIconMessageAndButtonRowInDialogUnitsOfTheFont) {
  const Rect screen{0, 0, 1280, 1024};
  const Size icon{32, 32};
  struct Case {
    const char* name;
    MessageBoxMetrics metrics;
    Rect window;
    Size client;
    Rect icon, message;
    bool scrolls;
    std::vector<Rect> buttons;
  } cases[] = {
      {"the question: icon, three buttons, the text wider than the row",
       Metrics({300, 75}, {40, 40, 52}, screen, {8, 31}, icon),
       {447, 421, 833, 602},
       {378, 150},
       {14, 15, 46, 47},
       {64, 15, 364, 90},
       false,
       {{50, 109, 138, 135}, {145, 109, 233, 135}, {240, 109, 328, 135}}},
      {"no icon; a caption wider than the smallest button; a work area off the origin",
       Metrics({100, 15}, {120}, {100, 50, 1100, 850}, {0, 0}, std::nullopt),
       {522, 405, 678, 495},
       {156, 90},
       {},
       {14, 15, 114, 30},
       false,
       {{14, 49, 142, 75}}},
      {"a one-line message is as high as the icon",
       Metrics({50, 15}, {40}, screen, {0, 0}, icon),
       {576, 458, 704, 565},
       {128, 107},
       {14, 15, 46, 47},
       {64, 15, 114, 30},
       false,
       {{20, 66, 108, 92}}},
      {"the row wider than the text; a monitor left of the primary one",
       Metrics({40, 15}, {40, 40, 40, 40}, {-1280, 0, 0, 1024}, {0, 0}, std::nullopt),
       {-841, 467, -440, 557},
       {401, 90},
       {},
       {14, 15, 54, 30},
       false,
       {{14, 49, 102, 75}, {109, 49, 197, 75}, {204, 49, 292, 75}, {299, 49, 387, 75}}},
      {"a long message scrolls in what the work area leaves and gets the scroll bar's width",
       Metrics({300, 2000}, {40, 40, 52}, {0, 0, 1280, 400}, {8, 31}, icon),
       {438, 0, 841, 400},
       {395, 369},
       {14, 15, 46, 47},
       {64, 15, 381, 309},
       true,
       {{58, 328, 146, 354}, {153, 328, 241, 354}, {248, 328, 336, 354}}},
      {"a message that just fits does not scroll",
       Metrics({300, 294}, {40, 40, 52}, {0, 0, 1280, 400}, {8, 31}, icon),
       {447, 0, 833, 400},
       {378, 369},
       {14, 15, 46, 47},
       {64, 15, 364, 309},
       false,
       {{50, 328, 138, 354}, {145, 328, 233, 354}, {240, 328, 328, 354}}},
  };
  for (const Case& c : cases) {
    MessageBoxLayout l = LayOutMessageBox(c.metrics);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(l.window, c.window);
    EXPECT_EQ(l.client, c.client);
    EXPECT_EQ(l.icon, c.icon);
    EXPECT_EQ(l.message, c.message);
    EXPECT_EQ(l.messageScrolls, c.scrolls);
    EXPECT_EQ(l.buttons, c.buttons);
  }
}

TEST(MessageBoxLayoutTest, AWindowLargerThanTheWorkAreaStartsAtItsTopLeft) {
  // Fourteen buttons: 14 * 88 + 13 * 7 + 28 = 1351 pixels, wider than 1280.
  MessageBoxLayout wide =
      LayOutMessageBox(Metrics({100, 15}, std::vector<int>(14, 40), {0, 0, 1280, 1024}, {0, 0},
                               std::nullopt));
  EXPECT_EQ(wide.client.width, 1351);
  EXPECT_EQ(wide.window.left, 0);
  // A work area lower than the frame and the buttons: the message keeps one
  // line and the window starts at the top.
  MessageBoxLayout low = LayOutMessageBox(
      Metrics({300, 600}, {40}, {0, 30, 800, 130}, {8, 31}, Size{32, 32}));
  EXPECT_TRUE(low.messageScrolls);
  EXPECT_EQ(low.message.Height(), 15);
  EXPECT_EQ(low.window.top, 30);
}

// Every message height on a work area of 300 to 1100 pixels: the window
// never gets taller than the work area and stays inside it, and the message,
// the icon and the buttons never overlap and stay inside the client area.
TEST(MessageBoxLayoutTest, NoMessageMakesTheWindowTallerThanTheWorkArea) {
  for (int areaHeight = 300; areaHeight <= 1100; areaHeight += 200) {
    for (int textHeight = 0; textHeight <= 3000; textHeight += 13) {
      const Rect area{0, 40, 1000, 40 + areaHeight};
      MessageBoxLayout l = LayOutMessageBox(
          Metrics({320, textHeight}, {40, 40, 52}, area, {8, 31}, Size{32, 32}));
      SCOPED_TRACE(testing::Message() << areaHeight << " / " << textHeight);
      ASSERT_LE(l.window.Height(), area.Height());
      ASSERT_GE(l.window.top, area.top);
      ASSERT_LE(l.window.bottom, area.bottom);
      ASSERT_EQ(l.window.Height(), l.client.height + 31);
      ASSERT_EQ(l.messageScrolls, l.message.Height() < textHeight);
      if (!l.messageScrolls) {
        ASSERT_EQ(l.message.Height(), textHeight);
      }
      ASSERT_EQ(l.message.Width(), l.messageScrolls ? 337 : 320);
      ASSERT_GE(l.message.left, l.icon.right);
      for (const Rect& b : l.buttons) {
        ASSERT_GE(b.top, l.message.bottom);
        ASSERT_GE(b.top, l.icon.bottom);
        ASSERT_LE(b.bottom, l.client.height);
        ASSERT_GE(b.left, 0);
        ASSERT_LE(b.right, l.client.width);
      }
      // The row is centred: as much room on its left as on its right (within a pixel).
      int leftRoom = l.buttons.front().left, rightRoom = l.client.width - l.buttons.back().right;
      ASSERT_LE(std::abs(leftRoom - rightRoom), 1);
    }
  }
}

}  // namespace
}  // namespace pathorama::ui
