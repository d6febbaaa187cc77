#include "variables/win32/variable_builder_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <commctrl.h>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "screenshot.h"
#include "standin_process.h"
#include "variables/win32/variable_builder_dialog_ids.h"

namespace pathorama::variables::win32 {
namespace {

using core::win32::AsWide;

std::u16string TextOf(HWND control) {
  wchar_t buffer[512] = {};
  GetWindowTextW(control, buffer, 512);
  return std::u16string(reinterpret_cast<const char16_t*>(buffer));
}

// A caller with a window of its own; it records what the builder hands it.
class StandInCaller final : public VariableBuilderCaller {
 public:
  StandInCaller() {
    window_ = CreateWindowExW(0, L"STATIC", L"caller", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~StandInCaller() override {
    VariableBuilderDialog::Instance().Forget(*this);
    DestroyWindow(window_);
  }
  HWND CallerWindow() override { return window_; }
  bool ReceiveExpression(std::u16string_view expression, BuilderOutput mode) override {
    if (!hasBox) return false;
    received.emplace_back(expression);
    modes.push_back(mode);
    return true;
  }
  std::function<std::u16string(std::u16string_view)> NewExpansionBatch() override {
    ++batches;
    // Stands for the expansion: the value names its batch.
    const int batch = batches;
    return [batch](std::u16string_view text) {
      return u"value of " + std::u16string(text) + u" #" + std::u16string(1, char16_t(u'0' + batch));
    };
  }
  core::CalendarDate Today() override { return {2026, 3, 8}; }
  void OpenVariableOptions() override { ++optionsOpened; }
  void BuilderClosed() override { ++closed; }

  bool hasBox = true;
  std::vector<std::u16string> received;
  std::vector<BuilderOutput> modes;
  int batches = 0, optionsOpened = 0, closed = 0;

 private:
  HWND window_ = nullptr;
};

class VariableBuilderDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    builder.Open(caller);
    ASSERT_TRUE(builder.Visible());
  }
  HWND Item(int id) { return GetDlgItem(builder.Handle(), id); }
  void Type(int id, const char16_t* text) { SetWindowTextW(Item(id), AsWide(text)); }
  void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }

  StandInCaller caller;
  VariableBuilderDialog& builder = VariableBuilderDialog::Instance();
};

TEST_F(VariableBuilderDialogTest, RebuildsTheExpressionAndItsValueAtEveryChange) {
  builder.SetVariable(u"YYYY");
  EXPECT_EQ(TextOf(Item(IDC_VB_PAGE_TITLE)), u"变量 {YYYY} 的特殊选项");
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_OFFSET_FIRST + 4)));  // 时 is not a date unit
  Type(IDC_VB_OFFSET_FIRST + 0, u"-1");
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{-1YYYY}");
  Type(IDC_VB_OFFSET_FIRST + 0, u"0");
  Type(IDC_VB_OFFSET_FIRST + 3, u"-1");
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{-1dYYYY}");
  // The preview is the caller's expansion of the expression.
  EXPECT_EQ(TextOf(Item(IDC_VB_VALUE)), u"value of {-1dYYYY} #" + std::u16string(1, char16_t(u'0' + caller.batches)));

  // The output goes to the caller by the button's mode.
  Click(IDC_VB_INSERT);
  Click(IDC_VB_COVER);
  ASSERT_EQ(caller.received.size(), 2u);
  EXPECT_EQ(caller.received[0], u"{-1dYYYY}");
  EXPECT_EQ(caller.modes, (std::vector<BuilderOutput>{BuilderOutput::Insert, BuilderOutput::Cover}));

  Click(IDC_VB_OPTIONS);
  EXPECT_EQ(caller.optionsOpened, 1);

  builder.SetVariable(u"pFolder");
  EXPECT_EQ(TextOf(Item(IDC_VB_VALUE)), u"变量 {pFolder} 的值由它所处的位置决定，此处暂时无法获取");
}

TEST_F(VariableBuilderDialogTest, AFieldThatWouldBreakTheExpressionStopsTheOutput) {
  builder.SetVariable(u"Temp");
  Click(IDC_VB_RESTRUCTURE);
  Type(IDC_VB_DELIMITER, u"a|b");
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_INSERT)));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_APPEND)));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_COVER)));
  SendMessageW(builder.Handle(), WM_COMMAND, MAKEWPARAM(IDC_VB_APPEND, BN_CLICKED),
               reinterpret_cast<LPARAM>(Item(IDC_VB_APPEND)));
  EXPECT_TRUE(caller.received.empty()) << "a broken expression was handed over";
  Type(IDC_VB_DELIMITER, u"ab");
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_VB_APPEND)));
  Click(IDC_VB_APPEND);
  ASSERT_EQ(caller.received.size(), 1u);
  EXPECT_EQ(caller.received[0], u"{Temp:ab}");
  Click(IDC_VB_RESTRUCTURE);
}

TEST_F(VariableBuilderDialogTest, AnotherProgramsFolderIsAskedOncePerChoiceOfVariable) {
  builder.SetVariable(u"OpenedDir");
  const int batches = caller.batches;
  Click(IDC_VB_EXTRACT);
  for (const char16_t* start : {u"1", u"2", u"3", u"4"}) Type(IDC_VB_EXTRACT_START, start);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{OpenedDir4}");
  EXPECT_EQ(caller.batches, batches) << "keystrokes asked again";
  Click(IDC_VB_EXTRACT);
  builder.SetVariable(u"DocFolderPath");
  EXPECT_EQ(caller.batches, batches + 1);
}

TEST_F(VariableBuilderDialogTest, WithoutAFocusedBoxNothingIsWritten) {
  caller.hasBox = false;
  builder.SetVariable(u"Today");
  Click(IDC_VB_INSERT);
  EXPECT_TRUE(caller.received.empty());
}

// Step 1's ends: a number, or the N-th occurrence of a text (N in the
// number box) with "正" and "不区分大小写"; the text boxes go with their check
// box and the end's with "结束位置".
TEST_F(VariableBuilderDialogTest, ExtractionEndsByTextComposeTheRange) {
  builder.SetVariable(u"OpenedDir");
  Click(IDC_VB_EXTRACT);
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_EXTRACT_START_TEXT)));
  Click(IDC_VB_EXTRACT_START_BY_TEXT);
  EXPECT_TRUE(IsWindowEnabled(Item(IDC_VB_EXTRACT_START_TEXT)));
  // No text yet: it would break the expression.
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_INSERT)));
  Type(IDC_VB_EXTRACT_START, u"2");
  Type(IDC_VB_EXTRACT_START_TEXT, u"Pro");
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{OpenedDir2'Pro'}");
  Click(IDC_VB_EXTRACT_START_REGEX);
  Click(IDC_VB_EXTRACT_START_CASE);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{OpenedDir2*'Pro'?}");

  // The end: "结束位置" enables its own text option.
  HWND stop = Item(IDC_VB_EXTRACT_STOP);
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_EXTRACT_END_BY_TEXT)));
  SendMessageW(stop, CB_SETCURSEL, 1, 0);
  SendMessageW(builder.Handle(), WM_COMMAND, MAKEWPARAM(IDC_VB_EXTRACT_STOP, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(stop));
  ASSERT_TRUE(IsWindowEnabled(Item(IDC_VB_EXTRACT_END_BY_TEXT)));
  Type(IDC_VB_EXTRACT_END, u"-1");
  Click(IDC_VB_EXTRACT_END_BY_TEXT);
  Type(IDC_VB_EXTRACT_END_TEXT, u"\\");
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{OpenedDir2*'Pro'?--1'\\'}");
  // A quote in the text would end it early.
  Type(IDC_VB_EXTRACT_END_TEXT, u"a'b");
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_INSERT)));
  Type(IDC_VB_EXTRACT_END_TEXT, u"x");
  Click(IDC_VB_EXTRACT_REMOVE);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{OpenedDir2*'Pro'?--1'x'*}");
  // Back to numbers: the boxes hold positions again.
  Click(IDC_VB_EXTRACT_START_BY_TEXT);
  Click(IDC_VB_EXTRACT_END_BY_TEXT);
  Click(IDC_VB_EXTRACT_REMOVE);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{OpenedDir2--1}");
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_EXTRACT_END_TEXT)));
  Click(IDC_VB_EXTRACT);
}

// A path name's layer range takes text ends as step 1 does; the folder and
// sequence pages share their place, and only the current variable's shows.
TEST_F(VariableBuilderDialogTest, LayerRangeEndsByTextAndOnePageShown) {
  builder.SetVariable(u"SelfDir");
  EXPECT_TRUE(IsWindowVisible(Item(IDC_VB_LAYERS)));
  EXPECT_FALSE(IsWindowVisible(Item(IDC_VB_LAYER_NTH)));
  EXPECT_FALSE(IsWindowVisible(Item(IDC_VB_SEQ_START)));
  Click(IDC_VB_LAYERS);
  HWND stop = Item(IDC_VB_LAYER_STOP);
  SendMessageW(stop, CB_SETCURSEL, 1, 0);
  SendMessageW(builder.Handle(), WM_COMMAND, MAKEWPARAM(IDC_VB_LAYER_STOP, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(stop));
  Type(IDC_VB_LAYER_END, u"1");
  Click(IDC_VB_LAYER_END_BY_TEXT);
  ASSERT_TRUE(IsWindowEnabled(Item(IDC_VB_LAYER_END_TEXT)));
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_LAYER_START_TEXT)));
  Type(IDC_VB_LAYER_END_TEXT, u"tools");
  Click(IDC_VB_LAYER_END_CASE);
  Click(IDC_VB_LAYER_REMOVE);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{SelfDir<1-'tools'?*>}");
  Click(IDC_VB_LAYER_START_BY_TEXT);
  Type(IDC_VB_LAYER_START, u"-2");
  Type(IDC_VB_LAYER_START_TEXT, u"\\\\w+");
  Click(IDC_VB_LAYER_START_REGEX);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{SelfDir<-2*'\\\\w+'-'tools'?*>}");
  MSG msg;
  for (int i = 0; i < 30; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  EXPECT_TRUE(test_support::SaveBmp(test_support::CaptureScreen(),
                                    test_support::WindowsPath(PATHORAMA_SCREENSHOT_DIR) + L"\\variable_builder_layers.bmp"));
  Type(IDC_VB_LAYER_START_TEXT, u"");
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_VB_INSERT))) << "an empty text end was let through";

  builder.SetVariable(u"Number");
  EXPECT_TRUE(IsWindowVisible(Item(IDC_VB_SEQ_START)));
  EXPECT_FALSE(IsWindowVisible(Item(IDC_VB_LAYERS)));
  EXPECT_FALSE(IsWindowVisible(Item(IDC_VB_LAYER_START_TEXT)));
  builder.SetVariable(u"NFolder");
  EXPECT_TRUE(IsWindowVisible(Item(IDC_VB_LAYER_NTH)));
  EXPECT_FALSE(IsWindowVisible(Item(IDC_VB_SEQ_START)));
}

// "4", "0", "正" and "Aa" are toggles drawn by colour: each click flips what
// they write.
TEST_F(VariableBuilderDialogTest, ColouredTogglesFlipTheirParts) {
  builder.SetVariable(u"Now");
  Click(IDC_VB_FORMAT_PARTS);
  for (int part : {0, 1, 3}) Click(IDC_VB_PART_FIRST + part);  // 年 月 时
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{Now<yyyymmhh>}");
  Click(IDC_VB_FOUR_DIGITS);
  Click(IDC_VB_ZERO_FIRST + 0);  // 月
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{Now<yymhh>}");
  Click(IDC_VB_ZERO_FIRST + 2);  // 时
  Click(IDC_VB_FOUR_DIGITS);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{Now<yyyymh>}");
  // 日 is not chosen: its toggle changes nothing.
  Click(IDC_VB_ZERO_FIRST + 1);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{Now<yyyymh>}");
  for (int id : {IDC_VB_ZERO_FIRST + 0, IDC_VB_ZERO_FIRST + 1, IDC_VB_ZERO_FIRST + 2}) Click(id);
  for (int part : {0, 1, 3}) Click(IDC_VB_PART_FIRST + part);

  // Step 2: "正" blue is a regular expression; "Aa" grey ignores case.
  builder.SetVariable(u"Temp");
  Click(IDC_VB_RESTRUCTURE);
  Type(IDC_VB_DELIMITER, u"a");
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{Temp:a}");
  Click(IDC_VB_DELIMITER_REGEX);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{Temp:*a}");
  Click(IDC_VB_DELIMITER_CASE);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{Temp:*a?}");
  Type(IDC_VB_DELETION, u"b");
  Click(IDC_VB_DELETION_CASE);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{Temp:*a?:::b?}");
  for (int id : {IDC_VB_DELIMITER_REGEX, IDC_VB_DELIMITER_CASE, IDC_VB_DELETION_CASE}) Click(id);
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{Temp:a:::b}");
  Type(IDC_VB_DELETION, u"");
  Click(IDC_VB_RESTRUCTURE);
}

// The format help and the typed field's rule are hints, not message boxes.
TEST_F(VariableBuilderDialogTest, TheFormatHelpAndTheTypedFieldHaveHints) {
  ASSERT_NE(builder.Hints(), nullptr);
  auto hintOf = [this](int id) {
    wchar_t text[2048] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = builder.Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    tool.lpszText = text;
    SendMessageW(builder.Hints(), TTM_GETTEXTW, 2048, reinterpret_cast<LPARAM>(&tool));
    return std::u16string(reinterpret_cast<const char16_t*>(text));
  };
  EXPECT_EQ(hintOf(IDC_VB_TYPED), u"可手工填写，不能包含 : { | } 等字符");
  const std::u16string help = hintOf(IDC_VB_HELP);
  EXPECT_NE(help.find(u"yyyy"), std::u16string::npos) << "no format help on ?";
  // "预置的日期" names the date an empty parameter stands for, asked of the
  // caller's expansion when the hint shows.
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = builder.Hints();
  info.hdr.idFrom = reinterpret_cast<UINT_PTR>(Item(IDC_VB_DATE_PRESET));
  info.hdr.code = TTN_GETDISPINFOW;
  SendMessageW(builder.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  const std::u16string preset(reinterpret_cast<const char16_t*>(info.lpszText));
  EXPECT_EQ(preset.rfind(u"程序预置的日期是 value of {Day<><yyyy-mm-dd>} #", 0), 0u) << core::Utf16ToUtf8(preset);
  EXPECT_TRUE(preset.ends_with(u"\r点击按钮可修改")) << core::Utf16ToUtf8(preset);
  // A click on "?" shows the hint and opens no window of its own.
  builder.SetVariable(u"Today");
  Click(IDC_VB_HELP);
  EXPECT_EQ(FindWindowW(L"#32770", L"日期/时间格式代码"), nullptr);
}

TEST_F(VariableBuilderDialogTest, ShowsADateVariableWithAFormat) {
  builder.SetVariable(u"Today");
  Type(IDC_VB_OFFSET_FIRST + 1, u"-1");
  Click(IDC_VB_FORMAT_PARTS);
  Click(IDC_VB_PART_FIRST + 0);
  Click(IDC_VB_PART_FIRST + 1);
  Click(IDC_VB_USE_CONNECTOR);
  Type(IDC_VB_CONNECTOR, u"-");
  EXPECT_EQ(TextOf(Item(IDC_VB_EXPRESSION)), u"{-1mToday<yyyy-mm>}");
  MSG msg;
  for (int i = 0; i < 30; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  test_support::Screenshot shot = test_support::CaptureScreen();
  EXPECT_TRUE(test_support::SaveBmp(shot, test_support::WindowsPath(PATHORAMA_SCREENSHOT_DIR) + L"\\variable_builder.bmp"));
  Click(IDCANCEL);
  EXPECT_FALSE(builder.Visible());
  EXPECT_EQ(caller.closed, 1);
}

}  // namespace
}  // namespace pathorama::variables::win32
