#include "variables/win32/variable_builder_dialog.h"

#include <commctrl.h>

#include <utility>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "ui/win32/hints.h"
#include "variables/win32/variable_builder_dialog_ids.h"
#include "ui/win32/clipboard_copy.h"
#include "ui/win32/common_controls.h"
#include "ui/win32/message_box_prompts.h"

namespace pathorama::variables::win32 {

// The controls of a range: the layer range of a path name, step 1.
struct RangeEndControls {
  int number, byText, text, regex, ignoreCase;  // the number box holds N of a text end
};
struct RangeControls {
  int enabled;
  RangeEndControls start;
  int stop;
  RangeEndControls end;
  int remove;
};

namespace {

using core::win32::AsWide;

std::u16string TextOf(HWND control) {
  std::u16string text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, AsWide(text.data()), static_cast<int>(text.size()))));
  return text;
}

constexpr UINT kHoverExpression = WM_APP + 61;
constexpr UINT_PTR kSubclassId = 1;

// The caption "变量表达式" opens the variable menu when the mouse comes onto
// it, once each time it comes.
LRESULT CALLBACK HoverCaption(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data) {
  bool& inside = *reinterpret_cast<bool*>(data);
  if (message == WM_MOUSEMOVE && !inside) {
    inside = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, label, 0};
    TrackMouseEvent(&track);
    PostMessageW(GetParent(label), kHoverExpression, 0, 0);
  } else if (message == WM_MOUSELEAVE) {
    inside = false;
  }
  return ui::win32::DefaultSubclassProc(label, message, wParam, lParam);
}

int FieldControl(BuilderField field) {
  switch (field) {
    case BuilderField::DateConnector: return IDC_VB_CONNECTOR;
    case BuilderField::DateTyped: return IDC_VB_TYPED;
    case BuilderField::LayerStartText: return IDC_VB_LAYER_START_TEXT;
    case BuilderField::LayerEndText: return IDC_VB_LAYER_END_TEXT;
    case BuilderField::ExtractStartText: return IDC_VB_EXTRACT_START_TEXT;
    case BuilderField::ExtractEndText: return IDC_VB_EXTRACT_END_TEXT;
    case BuilderField::Delimiter: return IDC_VB_DELIMITER;
    case BuilderField::Connector:
    case BuilderField::Replacement: return IDC_VB_CONNECTOR2;
    case BuilderField::Sections: return IDC_VB_SECTIONS;
    case BuilderField::Deletion: return IDC_VB_DELETION;
    case BuilderField::GroupSeparator: return IDC_VB_GROUP_SEPARATOR;
  }
  return 0;
}

constexpr const char16_t* kHelp =
    u"注意：日期/时间格式代码不区分大小写\r\n各日期/时间单位之间可以用其他字符连接\r\n\r\n"
    u"各日期/时间格式代码含义如下：\r\n"
    u"y, yy：两位数年份\r\nyyy, yyyy：四位数年份\r\n"
    u"m：月份（紧跟在 h 或 hh 之后为分钟）\r\nmm：两位数月份（紧跟在 h 或 hh 之后为两位数分钟）\r\n"
    u"mmm, mmmm：月份的简称和全称\r\nd, dd：日\r\nddd, dddd：星期的简称和全称\r\n"
    u"ddddd, dddddd：短日期和长日期格式\r\ne, ee, g, gg：纪元年份和纪元名称\r\nc：短日期和长时间\r\n"
    u"h, hh：小时\r\nn, nn：分钟\r\ns, ss：秒\r\nz, zzz：毫秒\r\nt, tt：短时间和长时间格式\r\n"
    u"am/pm, a/p, ampm：12 小时制标记\r\n\"…\" 或 '…'：原样输出";

constexpr const char16_t* kTypedHint = u"可手工填写，不能包含 : { | } 等字符";

// The coloured toggles: on is the colour, off is grey; the state lives in
// the button itself.
struct Toggle {
  int id;
  COLORREF on;
  const char16_t* hint;
};
constexpr COLORREF kBlue = RGB(0, 90, 200), kRed = RGB(210, 0, 0);
constexpr const char16_t* kZeroHint = u"蓝色：不足两位时补0\r\n灰色：不补0";
constexpr const char16_t* kBlueRegexHint = u"蓝色：按正则表达式匹配\r\n灰色：按普通文本匹配";
constexpr const char16_t* kRedRegexHint = u"红色：按正则表达式匹配\r\n灰色：按普通文本匹配";
constexpr const char16_t* kCaseHint = u"蓝色：区分大小写\r\n灰色：不区分大小写";
constexpr Toggle kToggles[] = {
    {IDC_VB_FOUR_DIGITS, kBlue, u"蓝色：4位年份\r\n灰色：2位年份"},
    {IDC_VB_ZERO_FIRST + 0, kBlue, kZeroHint},
    {IDC_VB_ZERO_FIRST + 1, kBlue, kZeroHint},
    {IDC_VB_ZERO_FIRST + 2, kBlue, kZeroHint},
    {IDC_VB_ZERO_FIRST + 3, kBlue, kZeroHint},
    {IDC_VB_ZERO_FIRST + 4, kBlue, kZeroHint},
    {IDC_VB_LAYER_START_REGEX, kRed, kRedRegexHint},
    {IDC_VB_LAYER_END_REGEX, kRed, kRedRegexHint},
    {IDC_VB_EXTRACT_START_REGEX, kRed, kRedRegexHint},
    {IDC_VB_EXTRACT_END_REGEX, kRed, kRedRegexHint},
    {IDC_VB_DELIMITER_REGEX, kBlue, kBlueRegexHint},
    {IDC_VB_DELIMITER_CASE, kBlue, kCaseHint},
    {IDC_VB_DELETION_REGEX, kBlue, kBlueRegexHint},
    {IDC_VB_DELETION_CASE, kBlue, kCaseHint},
};

constexpr RangeControls kLayerRange{
    IDC_VB_LAYERS,
    {IDC_VB_LAYER_START, IDC_VB_LAYER_START_BY_TEXT, IDC_VB_LAYER_START_TEXT, IDC_VB_LAYER_START_REGEX,
     IDC_VB_LAYER_START_CASE},
    IDC_VB_LAYER_STOP,
    {IDC_VB_LAYER_END, IDC_VB_LAYER_END_BY_TEXT, IDC_VB_LAYER_END_TEXT, IDC_VB_LAYER_END_REGEX, IDC_VB_LAYER_END_CASE},
    IDC_VB_LAYER_REMOVE};
constexpr RangeControls kExtractRange{
    IDC_VB_EXTRACT,
    {IDC_VB_EXTRACT_START, IDC_VB_EXTRACT_START_BY_TEXT, IDC_VB_EXTRACT_START_TEXT, IDC_VB_EXTRACT_START_REGEX,
     IDC_VB_EXTRACT_START_CASE},
    IDC_VB_EXTRACT_STOP,
    {IDC_VB_EXTRACT_END, IDC_VB_EXTRACT_END_BY_TEXT, IDC_VB_EXTRACT_END_TEXT, IDC_VB_EXTRACT_END_REGEX,
     IDC_VB_EXTRACT_END_CASE},
    IDC_VB_EXTRACT_REMOVE};

const Toggle* ToggleOf(int id) {
  for (const Toggle& toggle : kToggles)
    if (toggle.id == id) return &toggle;
  return nullptr;
}

void DrawToggle(const DRAWITEMSTRUCT& draw, const Toggle& toggle) {
  const bool on = GetWindowLongPtrW(draw.hwndItem, GWLP_USERDATA) != 0;
  const bool disabled = (draw.itemState & ODS_DISABLED) != 0;
  RECT r = draw.rcItem;
  DrawFrameControl(draw.hDC, &r, DFC_BUTTON,
                   DFCS_BUTTONPUSH | (on || (draw.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0) |
                       (disabled ? DFCS_INACTIVE : 0));
  RECT face = r;
  InflateRect(&face, -2, -2);
  if (on && !disabled) {
    HBRUSH brush = CreateSolidBrush(toggle.on);
    FillRect(draw.hDC, &face, brush);
    DeleteObject(brush);
  }
  wchar_t caption[8] = {};
  GetWindowTextW(draw.hwndItem, caption, 8);
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, disabled ? GetSysColor(COLOR_GRAYTEXT) : on ? RGB(255, 255, 255) : RGB(128, 128, 128));
  HGDIOBJ old = SelectObject(draw.hDC, reinterpret_cast<HGDIOBJ>(SendMessageW(draw.hwndItem, WM_GETFONT, 0, 0)));
  DrawTextW(draw.hDC, caption, -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(draw.hDC, old);
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(draw.hDC, &face);
}

}  // namespace

VariableBuilderDialog& VariableBuilderDialog::Instance() {
  static VariableBuilderDialog dialog;
  return dialog;
}

VariableBuilderDialog::~VariableBuilderDialog() {
  if (Handle()) DestroyWindow(Handle());
  if (badBrush_) DeleteObject(badBrush_);
  if (menu_.menu) DestroyMenu(menu_.menu);
}

void VariableBuilderDialog::Open(VariableBuilderCaller& caller) {
  caller_ = &caller;
  if (!Handle()) {
    ui::win32::LoadCommonControls(ICC_DATE_CLASSES | ICC_STANDARD_CLASSES);
    if (!CreateModeless(GetModuleHandleW(nullptr), IDD_VARIABLE_BUILDER, caller.CallerWindow())) return;
  } else {
    // Owned by the caller, so it always stands over it.
    SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(caller.CallerWindow()));
  }
  expand_ = nullptr;
  Rebuild();
  const bool topmost = (GetWindowLongPtrW(caller.CallerWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  SetTopmost(topmost);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
}

void VariableBuilderDialog::SetVariable(std::u16string_view name) {
  if (name.empty()) return;
  state_ = StateFor(name);
  // One batch per choice of variable: a value another program has is asked
  // for once, not at every keystroke.
  expand_ = nullptr;
  if (Handle()) ShowState();
  Rebuild();
}

void VariableBuilderDialog::Close() {
  if (!Handle() || !IsWindowVisible(Handle())) return;
  ShowWindow(Handle(), SW_HIDE);
  if (caller_) caller_->BuilderClosed();
}

void VariableBuilderDialog::SetTopmost(bool topmost) {
  if (!Handle()) return;
  SetWindowPos(Handle(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void VariableBuilderDialog::Forget(VariableBuilderCaller& caller) {
  if (caller_ != &caller) return;
  if (Handle()) ShowWindow(Handle(), SW_HIDE);
  caller_ = nullptr;
  expand_ = nullptr;
}

INT_PTR VariableBuilderDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitDialog();
      return TRUE;
    case WM_CLOSE:
      Close();
      return TRUE;
    case WM_CONTEXTMENU:
    case kHoverExpression:
      ShowVariableMenu();
      return TRUE;
    case WM_CTLCOLOREDIT: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      for (BuilderField field : bad_) {
        if (FieldControl(field) != id) continue;
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 200, 200));
        return reinterpret_cast<INT_PTR>(badBrush_);
      }
      return FALSE;
    }
    case WM_DRAWITEM: {
      const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const Toggle* toggle = ToggleOf(static_cast<int>(draw.CtlID));
      if (!toggle) return FALSE;
      DrawToggle(draw, *toggle);
      return TRUE;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->code == DTN_DATETIMECHANGE) Rebuild();
      if (header->code == TTN_GETDISPINFOW &&
          reinterpret_cast<HWND>(header->idFrom) == Item(IDC_VB_DATE_PRESET)) {
        FillPresetHint(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
        return TRUE;
      }
      return FALSE;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (const std::u16string* caption = menu_.CaptionOf(static_cast<UINT>(id))) {
        SetVariable(VariableOfCaption(*caption, caller_ ? caller_->Today() : core::CalendarDate{2000, 1, 1}));
        return TRUE;
      }
      switch (id) {
        case IDCANCEL: Close(); return TRUE;
        case IDC_VB_INSERT: Output(BuilderOutput::Insert); return TRUE;
        case IDC_VB_APPEND: Output(BuilderOutput::Append); return TRUE;
        case IDC_VB_COVER: Output(BuilderOutput::Cover); return TRUE;
        case IDC_VB_OPTIONS:
          if (caller_) caller_->OpenVariableOptions();
          return TRUE;
        case IDC_VB_HELP:
          // The help is the button's hint; a click shows it at once.
          if (hints_) SendMessageW(hints_, TTM_POPUP, 0, 0);
          return TRUE;
        case IDC_VB_EXPRESSION_CAPTION:
          if (code == STN_CLICKED) ShowVariableMenu();
          return TRUE;
        case IDC_VB_EXPRESSION:
        case IDC_VB_VALUE:
          if (code == STN_DBLCLK) CopyToClipboard(id == IDC_VB_VALUE);
          return TRUE;
        case IDC_VB_SEQ_BY:
          state_.sequence.byCount = !state_.sequence.byCount;
          SetDlgItemTextW(Handle(), IDC_VB_SEQ_BY, state_.sequence.byCount ? L"数量" : L"结束值");
          Rebuild();
          return TRUE;
        case IDC_VB_MODE:
          state_.restructure.connectorMode = !state_.restructure.connectorMode;
          EnableAreas();
          Rebuild();
          return TRUE;
      }
      if (ToggleOf(id) && code == BN_CLICKED) {
        SetToggle(id, !Toggled(id));
        Rebuild();
        return TRUE;
      }
      if (code == EN_CHANGE || code == BN_CLICKED || code == CBN_SELCHANGE) {
        if (code != EN_CHANGE) EnableAreas();
        Rebuild();
      }
      return FALSE;
    }
  }
  return FALSE;
}

void VariableBuilderDialog::InitDialog() {
  badBrush_ = CreateSolidBrush(RGB(255, 200, 200));
  for (const char16_t* word : {u"中文数字", u"干支纪元", u"十二生肖", u"英文单词", u"英文缩写"})
    SendMessageW(Item(IDC_VB_WORD), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(word)));
  SendMessageW(Item(IDC_VB_DAY_FORMAT), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"（默认）"));
  for (const std::u16string& format : DayListFormats())
    SendMessageW(Item(IDC_VB_DAY_FORMAT), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(format)));
  for (int combo : {IDC_VB_LAYER_STOP, IDC_VB_EXTRACT_STOP}) {
    const bool layers = combo == IDC_VB_LAYER_STOP;
    for (const char16_t* stop : {u"直到结尾", layers ? u"结束层级" : u"结束位置", layers ? u"提取层数" : u"提取长度"})
      SendMessageW(Item(combo), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(stop)));
  }
  ui::win32::SetSubclass(Item(IDC_VB_EXPRESSION_CAPTION), HoverCaption, kSubclassId,
                    reinterpret_cast<DWORD_PTR>(&hoverExpression_));
  CreateHints();
  ShowState();
}

void VariableBuilderDialog::CreateHints() {
  hints_ = ui::win32::CreateHintWindow(Handle());
  if (!hints_) return;
  auto add = [this](int id, const char16_t* text) {
    ui::win32::AddHint(hints_, Handle(), Item(id), AsWide(text));
  };
  add(IDC_VB_HELP, kHelp);
  // The preset date is asked when the hint shows: the options may change it.
  ui::win32::AddHint(hints_, Handle(), Item(IDC_VB_DATE_PRESET), LPSTR_TEXTCALLBACKW);
  add(IDC_VB_TYPED, kTypedHint);
  for (const Toggle& toggle : kToggles) add(toggle.id, toggle.hint);
  // The format help is long: several lines, and time to read them.
  SendMessageW(hints_, TTM_SETMAXTIPWIDTH, 0, 600);
  SendMessageW(hints_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 30000);
}

// "预置的日期": the date an empty date parameter stands for, as the
// expansion gives it.
void VariableBuilderDialog::FillPresetHint(NMTTDISPINFOW& info) {
  presetHint_.clear();
  if (caller_) {
    const std::u16string date = caller_->NewExpansionBatch()(u"{Day<><yyyy-mm-dd>}");
    const std::u16string hint = u"程序预置的日期是 " + date + u"\r点击按钮可修改";
    presetHint_.assign(hint.begin(), hint.end());
  }
  info.lpszText = presetHint_.data();
}

bool VariableBuilderDialog::Toggled(int id) const {
  return GetWindowLongPtrW(Item(id), GWLP_USERDATA) != 0;
}

void VariableBuilderDialog::SetToggle(int id, bool on) {
  SetWindowLongPtrW(Item(id), GWLP_USERDATA, on ? 1 : 0);
  InvalidateRect(Item(id), nullptr, TRUE);
}

void VariableBuilderDialog::ShowState() {
  filling_ = true;
  const BuilderState& s = state_;
  auto setInt = [this](int id, int value) { SetDlgItemInt(Handle(), id, static_cast<UINT>(value), TRUE); };
  auto check = [this](int id, bool on) { CheckDlgButton(Handle(), id, on ? BST_CHECKED : BST_UNCHECKED); };
  auto setText = [this](int id, const std::u16string& text) { SetDlgItemTextW(Handle(), id, AsWide(text)); };
  for (size_t i = 0; i < kOffsetUnits; ++i) setInt(IDC_VB_OFFSET_FIRST + static_cast<int>(i), s.date.offsets[i]);
  check(IDC_VB_DATE_GIVEN, s.date.param == DateOptions::Param::Given);
  check(IDC_VB_DATE_PRESET, s.date.param == DateOptions::Param::Preset);
  check(IDC_VB_FORMAT_PARTS, s.date.format == DateOptions::Format::Parts);
  check(IDC_VB_FORMAT_WORD, s.date.format == DateOptions::Format::Word);
  for (size_t i = 0; i < kDateParts; ++i) check(IDC_VB_PART_FIRST + static_cast<int>(i), s.date.parts[i]);
  SetToggle(IDC_VB_FOUR_DIGITS, s.date.fourDigitYear);
  for (size_t i = 1; i < kDateParts; ++i) SetToggle(IDC_VB_ZERO_FIRST + static_cast<int>(i) - 1, s.date.twoDigits[i]);
  check(IDC_VB_USE_CONNECTOR, s.date.useConnector);
  setText(IDC_VB_CONNECTOR, s.date.connector);
  SendMessageW(Item(IDC_VB_WORD), CB_SETCURSEL, static_cast<WPARAM>(s.date.word), 0);
  check(IDC_VB_TYPED_CHECK, s.date.typed.has_value());
  setText(IDC_VB_TYPED, s.date.typed.value_or(u""));
  int period = static_cast<int>(s.dayList.period);
  if (!AreasOf(s.name).weekList && period >= 2) --period;  // no "指定年月日" for months
  SendMessageW(Item(IDC_VB_PERIOD), CB_SETCURSEL, static_cast<WPARAM>(period), 0);
  setInt(IDC_VB_PERIOD_YEAR, s.dayList.year);
  setInt(IDC_VB_PERIOD_NUMBER, s.dayList.period == DayListOptions::Period::Relative ? s.dayList.relative
                                                                                    : s.dayList.number);
  check(IDC_VB_SHOW_DAYS, !s.dayList.hideChosen);
  check(IDC_VB_HIDE_DAYS, s.dayList.hideChosen);
  for (size_t i = 0; i < 7; ++i) check(IDC_VB_WEEKDAY_FIRST + static_cast<int>(i), s.dayList.weekdays[i]);
  SendMessageW(Item(IDC_VB_DAY_FORMAT), CB_SETCURSEL, s.dayList.format ? *s.dayList.format + 1 : 0, 0);
  check(IDC_VB_LAYER_NTH, s.folder.layer == FolderOptions::Layer::Nth);
  check(IDC_VB_LAYER_BEFORE, s.folder.layer == FolderOptions::Layer::Before);
  check(IDC_VB_LAYER_AFTER, s.folder.layer == FolderOptions::Layer::After);
  setInt(IDC_VB_LAYER_N, s.folder.n);
  ShowRange(s.folder.layers, kLayerRange);
  setInt(IDC_VB_SEQ_START, s.sequence.start);
  SetDlgItemTextW(Handle(), IDC_VB_SEQ_BY, s.sequence.byCount ? L"数量" : L"结束值");
  setInt(IDC_VB_SEQ_END, s.sequence.endOrCount);
  setInt(IDC_VB_SEQ_STEP, s.sequence.step);
  check(IDC_VB_SEQ_USE_LENGTH, s.sequence.useLength);
  setInt(IDC_VB_SEQ_LENGTH, s.sequence.length);
  ShowRange(s.extract, kExtractRange);
  const RestructureOptions& r = s.restructure;
  check(IDC_VB_RESTRUCTURE, r.enabled);
  setText(IDC_VB_DELIMITER, r.delimiter);
  SetToggle(IDC_VB_DELIMITER_REGEX, r.delimiterRegex);
  SetToggle(IDC_VB_DELIMITER_CASE, !r.delimiterIgnoreCase);
  check(IDC_VB_EVERY_CHARACTER, r.everyCharacter);
  setText(IDC_VB_CONNECTOR2, r.connectorMode ? r.connector : r.replacement);
  setText(IDC_VB_SECTIONS, r.sections);
  setText(IDC_VB_DELETION, r.deletion);
  SetToggle(IDC_VB_DELETION_REGEX, r.deletionRegex);
  SetToggle(IDC_VB_DELETION_CASE, !r.deletionIgnoreCase);
  check(IDC_VB_DELETION_EVERY, r.deletionEveryCharacter);
  check(IDC_VB_GROUPING, s.grouping.enabled);
  setInt(IDC_VB_GROUP_SIZE, s.grouping.size);
  check(IDC_VB_GROUP_SEPARATE, s.grouping.separate);
  setText(IDC_VB_GROUP_SEPARATOR, s.grouping.separator);
  EnableAreas();
  filling_ = false;
}

BuilderState VariableBuilderDialog::ReadState() const {
  BuilderState s = state_;
  auto getInt = [this](int id, int fallback) {
    BOOL ok = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(Handle(), id, &ok, TRUE));
    return ok ? value : fallback;
  };
  auto text = [this](int id) { return TextOf(Item(id)); };
  auto selection = [this](int id) {
    return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
  };
  for (size_t i = 0; i < kOffsetUnits; ++i) s.date.offsets[i] = getInt(IDC_VB_OFFSET_FIRST + static_cast<int>(i), 0);
  s.date.param = Checked(IDC_VB_DATE_GIVEN)    ? DateOptions::Param::Given
                 : Checked(IDC_VB_DATE_PRESET) ? DateOptions::Param::Preset
                                               : DateOptions::Param::None;
  SYSTEMTIME picked{};
  if (DateTime_GetSystemtime(Item(IDC_VB_DATE_PICKER), &picked) == GDT_VALID)
    s.date.given = {picked.wYear, picked.wMonth, picked.wDay};
  s.date.format = Checked(IDC_VB_FORMAT_PARTS)  ? DateOptions::Format::Parts
                  : Checked(IDC_VB_FORMAT_WORD) ? DateOptions::Format::Word
                                                : DateOptions::Format::None;
  for (size_t i = 0; i < kDateParts; ++i) s.date.parts[i] = Checked(IDC_VB_PART_FIRST + static_cast<int>(i));
  s.date.fourDigitYear = Toggled(IDC_VB_FOUR_DIGITS);
  for (size_t i = 1; i < kDateParts; ++i) s.date.twoDigits[i] = Toggled(IDC_VB_ZERO_FIRST + static_cast<int>(i) - 1);
  s.date.useConnector = Checked(IDC_VB_USE_CONNECTOR);
  s.date.connector = text(IDC_VB_CONNECTOR);
  if (const int word = selection(IDC_VB_WORD); word >= 0) s.date.word = static_cast<DateWord>(word);
  s.date.typed.reset();
  if (Checked(IDC_VB_TYPED_CHECK)) s.date.typed = text(IDC_VB_TYPED);
  if (const int period = selection(IDC_VB_PERIOD); period >= 0) {
    // The month list has no "指定年月日" entry.
    int p = period;
    if (!AreasOf(s.name).weekList && p >= 2) ++p;
    s.dayList.period = static_cast<DayListOptions::Period>(p);
  }
  s.dayList.year = getInt(IDC_VB_PERIOD_YEAR, 0);
  s.dayList.number = s.dayList.relative = getInt(IDC_VB_PERIOD_NUMBER, 0);
  if (s.dayList.period == DayListOptions::Period::GivenDate) s.dayList.given = s.date.given;
  s.dayList.hideChosen = Checked(IDC_VB_HIDE_DAYS);
  for (size_t i = 0; i < 7; ++i) s.dayList.weekdays[i] = Checked(IDC_VB_WEEKDAY_FIRST + static_cast<int>(i));
  const int format = selection(IDC_VB_DAY_FORMAT);
  s.dayList.format = format > 0 ? std::optional<int>(format - 1) : std::nullopt;
  s.folder.layer = Checked(IDC_VB_LAYER_BEFORE)  ? FolderOptions::Layer::Before
                   : Checked(IDC_VB_LAYER_AFTER) ? FolderOptions::Layer::After
                                                 : FolderOptions::Layer::Nth;
  s.folder.n = getInt(IDC_VB_LAYER_N, 1);
  s.folder.layers = ReadRange(kLayerRange);
  s.extract = ReadRange(kExtractRange);
  s.sequence.start = getInt(IDC_VB_SEQ_START, 1);
  s.sequence.endOrCount = getInt(IDC_VB_SEQ_END, 1);
  s.sequence.step = getInt(IDC_VB_SEQ_STEP, 1);
  s.sequence.useLength = Checked(IDC_VB_SEQ_USE_LENGTH);
  s.sequence.length = getInt(IDC_VB_SEQ_LENGTH, 1);
  RestructureOptions& r = s.restructure;
  r.enabled = Checked(IDC_VB_RESTRUCTURE);
  r.delimiter = text(IDC_VB_DELIMITER);
  r.delimiterRegex = Toggled(IDC_VB_DELIMITER_REGEX);
  r.delimiterIgnoreCase = !Toggled(IDC_VB_DELIMITER_CASE);
  r.everyCharacter = Checked(IDC_VB_EVERY_CHARACTER);
  (r.connectorMode ? r.connector : r.replacement) = text(IDC_VB_CONNECTOR2);
  r.sections = text(IDC_VB_SECTIONS);
  r.deletion = text(IDC_VB_DELETION);
  r.deletionRegex = Toggled(IDC_VB_DELETION_REGEX);
  r.deletionIgnoreCase = !Toggled(IDC_VB_DELETION_CASE);
  r.deletionEveryCharacter = Checked(IDC_VB_DELETION_EVERY);
  s.grouping.enabled = Checked(IDC_VB_GROUPING);
  s.grouping.size = getInt(IDC_VB_GROUP_SIZE, 2);
  s.grouping.separate = Checked(IDC_VB_GROUP_SEPARATE);
  s.grouping.separator = text(IDC_VB_GROUP_SEPARATOR);
  return s;
}

void VariableBuilderDialog::ShowRange(const RangeOptions& range, const RangeControls& controls) {
  auto showEnd = [this](const RangeEnd& end, const RangeEndControls& c) {
    SetDlgItemInt(Handle(), c.number, static_cast<UINT>(end.byText ? end.occurrence : end.number), TRUE);
    CheckDlgButton(Handle(), c.byText, end.byText ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextW(Handle(), c.text, AsWide(end.text));
    SetToggle(c.regex, end.regex);
    CheckDlgButton(Handle(), c.ignoreCase, end.ignoreCase ? BST_CHECKED : BST_UNCHECKED);
  };
  CheckDlgButton(Handle(), controls.enabled, range.enabled ? BST_CHECKED : BST_UNCHECKED);
  showEnd(range.start, controls.start);
  SendMessageW(Item(controls.stop), CB_SETCURSEL, static_cast<WPARAM>(range.stop), 0);
  showEnd(range.end, controls.end);
  if (range.stop == RangeStop::Count) SetDlgItemInt(Handle(), controls.end.number, static_cast<UINT>(range.count), TRUE);
  CheckDlgButton(Handle(), controls.remove, range.remove ? BST_CHECKED : BST_UNCHECKED);
}

RangeOptions VariableBuilderDialog::ReadRange(const RangeControls& controls) const {
  auto getInt = [this](int id) {
    BOOL ok = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(Handle(), id, &ok, TRUE));
    return ok ? value : 1;
  };
  // A text end: the number box holds N, its occurrence.
  auto readEnd = [&](const RangeEndControls& c) {
    RangeEnd end;
    end.number = end.occurrence = getInt(c.number);
    end.byText = Checked(c.byText);
    end.text = TextOf(Item(c.text));
    end.regex = Toggled(c.regex);
    end.ignoreCase = Checked(c.ignoreCase);
    return end;
  };
  RangeOptions range;
  range.enabled = Checked(controls.enabled);
  range.start = readEnd(controls.start);
  range.stop = static_cast<RangeStop>(std::max(0, static_cast<int>(SendMessageW(Item(controls.stop), CB_GETCURSEL, 0, 0))));
  range.end = readEnd(controls.end);
  range.count = getInt(controls.end.number);
  range.remove = Checked(controls.remove);
  return range;
}

// An end's text options while it is a text; the end's only while the range
// has an end.
void VariableBuilderDialog::EnableRangeEnds(bool on, const RangeControls& controls) {
  const bool hasEnd =
      SendMessageW(Item(controls.stop), CB_GETCURSEL, 0, 0) == static_cast<LRESULT>(RangeStop::End);
  EnableWindow(Item(controls.start.byText), on);
  EnableWindow(Item(controls.end.byText), on && hasEnd);
  for (const auto& [end, active] : {std::pair{controls.start, on}, std::pair{controls.end, on && hasEnd}})
    for (int id : {end.text, end.regex, end.ignoreCase}) EnableWindow(Item(id), active && Checked(end.byText));
}

void VariableBuilderDialog::EnableAreas() {
  const BuilderAreas a = AreasOf(state_.name);
  auto enable = [this](int id, bool on) { EnableWindow(Item(id), on); };
  SetDlgItemTextW(Handle(), IDC_VB_PAGE_TITLE,
                  AsWide(u"变量 {" + state_.name.substr(0, state_.name.find(u'<')) + u"} 的特殊选项"));
  for (size_t i = 0; i < kOffsetUnits; ++i) enable(IDC_VB_OFFSET_FIRST + static_cast<int>(i), a.offsets[i]);
  enable(IDC_VB_DATE_GIVEN, a.dateParam);
  enable(IDC_VB_DATE_PICKER, a.dateParam || a.weekList);
  enable(IDC_VB_DATE_PRESET, a.dateParam);
  enable(IDC_VB_FORMAT_PARTS, a.dateFormat);
  for (size_t i = 0; i < kDateParts; ++i) enable(IDC_VB_PART_FIRST + static_cast<int>(i), a.formatParts[i]);
  enable(IDC_VB_FOUR_DIGITS, a.formatParts[0]);
  for (size_t i = 1; i < kDateParts; ++i) enable(IDC_VB_ZERO_FIRST + static_cast<int>(i) - 1, a.formatParts[i]);
  for (int id : {IDC_VB_USE_CONNECTOR, IDC_VB_CONNECTOR}) enable(id, a.dateFormat);
  enable(IDC_VB_FORMAT_WORD, a.dateWords);
  enable(IDC_VB_WORD, a.dateWords);
  enable(IDC_VB_TYPED_CHECK, a.datePage);
  enable(IDC_VB_TYPED, a.datePage);
  enable(IDC_VB_HELP, a.datePage);
  // The day-list period entries follow the list.
  HWND period = Item(IDC_VB_PERIOD);
  const int chosen = static_cast<int>(SendMessageW(period, CB_GETCURSEL, 0, 0));
  const bool wasWeek = GetWindowLongPtrW(period, GWLP_USERDATA) == 1;
  if (SendMessageW(period, CB_GETCOUNT, 0, 0) == 0 || wasWeek != a.weekList) {
    SendMessageW(period, CB_RESETCONTENT, 0, 0);
    const std::vector<const char16_t*> entries =
        a.weekList ? std::vector<const char16_t*>{u"本周", u"指定年度及周次", u"指定年月日", u"今年指定周次", u"N 个星期前/后"}
                   : std::vector<const char16_t*>{u"本月", u"指定年度及月份", u"今年指定月份", u"N 个月前/后"};
    for (const char16_t* entry : entries)
      SendMessageW(period, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(entry)));
    SetWindowLongPtrW(period, GWLP_USERDATA, a.weekList ? 1 : 0);
    SendMessageW(period, CB_SETCURSEL, 0, 0);
  } else if (chosen < 0) {
    SendMessageW(period, CB_SETCURSEL, 0, 0);
  }
  for (int id = IDC_VB_PERIOD; id <= IDC_VB_DAY_FORMAT; ++id) enable(id, a.dayList);
  // The folder and sequence pages share their place: only the current
  // variable's page is shown.
  auto show = [this](int id, bool on) { ShowWindow(Item(id), on ? SW_SHOWNA : SW_HIDE); };
  for (int id : {IDC_VB_LAYER_NTH, IDC_VB_LAYER_BEFORE, IDC_VB_LAYER_AFTER, IDC_VB_LAYER_N}) {
    enable(id, a.layerNumber);
    show(id, a.layerNumber);
  }
  for (int id = IDC_VB_LAYERS; id <= IDC_VB_LAYER_REMOVE; ++id) enable(id, a.pathLayers);
  for (int id = IDC_VB_LAYERS; id <= IDC_VB_LAYER_REMOVE; ++id) show(id, a.pathLayers);
  for (int id = IDC_VB_LAYER_START_BY_TEXT; id <= IDC_VB_LAYER_END_CASE; ++id) show(id, a.pathLayers);
  show(IDC_VB_LAYER_START_LABEL, a.pathLayers);
  for (int id = IDC_VB_SEQ_START; id <= IDC_VB_SEQ_LENGTH; ++id) show(id, a.sequencePage);
  show(IDC_VB_SEQ_START_LABEL, a.sequencePage);
  show(IDC_VB_SEQ_STEP_LABEL, a.sequencePage);
  EnableRangeEnds(a.pathLayers, kLayerRange);
  SetDlgItemTextW(Handle(), IDC_VB_LAYERS, a.runKeyLayers ? L"提取指定的路径层级" : L"提取指定的文件夹层级");
  for (int id = IDC_VB_SEQ_START; id <= IDC_VB_SEQ_LENGTH; ++id) enable(id, a.sequencePage);
  enable(IDC_VB_SEQ_USE_LENGTH, a.sequenceLength);
  enable(IDC_VB_SEQ_LENGTH, a.sequenceLength);
  for (int id = IDC_VB_EXTRACT; id <= IDC_VB_DELETION_EVERY; ++id) enable(id, a.steps);
  EnableRangeEnds(a.steps, kExtractRange);
  enable(IDC_VB_SECTIONS, a.steps && state_.restructure.connectorMode);
  SetDlgItemTextW(Handle(), IDC_VB_MODE,
                  state_.restructure.connectorMode ? L"设置各分节间的连接符" : L"替换分隔符为以下字符串");
  for (int id = IDC_VB_GROUPING; id <= IDC_VB_GROUP_SEPARATOR; ++id) enable(id, a.grouping);
}

void VariableBuilderDialog::Rebuild() {
  if (filling_) return;
  if (Handle()) state_ = ReadState();
  expression_ = ComposeExpression(state_);
  bad_ = BadFields(state_);
  switch (PreviewKindOf(state_.name)) {
    case PreviewKind::ByPosition: value_ = PositionMessage(state_.name); break;
    case PreviewKind::Expand:
    case PreviewKind::OtherProgram:
      if (!expand_ && caller_) expand_ = caller_->NewExpansionBatch();
      value_ = bad_.empty() && expand_ ? expand_(expression_) : std::u16string();
      break;
  }
  if (!Handle()) return;
  // Unchecked, "表达式" shows the date part the controls build.
  if (!state_.date.typed) {
    filling_ = true;
    SetDlgItemTextW(Handle(), IDC_VB_TYPED, AsWide(BuiltDatePart(state_)));
    filling_ = false;
  }
  SetDlgItemTextW(Handle(), IDC_VB_EXPRESSION, AsWide(expression_));
  SetDlgItemTextW(Handle(), IDC_VB_VALUE, AsWide(value_));
  for (int id : {IDC_VB_INSERT, IDC_VB_APPEND, IDC_VB_COVER}) EnableWindow(Item(id), bad_.empty());
  for (int id : {IDC_VB_CONNECTOR, IDC_VB_TYPED, IDC_VB_DELIMITER, IDC_VB_CONNECTOR2, IDC_VB_SECTIONS,
                 IDC_VB_DELETION, IDC_VB_GROUP_SEPARATOR, IDC_VB_EXTRACT_START_TEXT, IDC_VB_EXTRACT_END_TEXT,
                 IDC_VB_LAYER_START_TEXT, IDC_VB_LAYER_END_TEXT})
    InvalidateRect(Item(id), nullptr, TRUE);
}

void VariableBuilderDialog::ShowVariableMenu() {
  if (menu_.menu) DestroyMenu(menu_.menu);
  menu_ = CreateVariablePopupMenu(IDM_VB_VARIABLE_FIRST);
  RECT r{};
  GetWindowRect(Item(IDC_VB_EXPRESSION_CAPTION), &r);
  TrackPopupMenu(menu_.menu, TPM_LEFTALIGN, r.left, r.bottom, 0, Handle(), nullptr);
}

void VariableBuilderDialog::Output(BuilderOutput mode) {
  Rebuild();
  if (!bad_.empty() || !caller_) return;
  caller_->ReceiveExpression(expression_, mode);
}

void VariableBuilderDialog::CopyToClipboard(bool value) {
  ui::win32::MessageBoxPrompts prompts(Handle());
  ui::win32::CopyAndTell(
      value ? value_ : expression_, prompts,
      value ? ui::win32::CopyMessages{u"已经把变量表达式的解析结果复制到剪贴板中",
                                      u"无法把变量表达式的解析结果复制到剪贴板中，剪贴板正被其他程序占用",
                                      u"复制提醒"}
            : ui::win32::CopyMessages{u"已经把变量表达式复制到剪贴板中",
                                      u"无法把变量表达式复制到剪贴板中，剪贴板正被其他程序占用", u"复制提醒"});
}

}  // namespace pathorama::variables::win32
