#include "ui/win32/message_form.h"

#include <vector>

#include "core/diagnostics.h"
#include "core/win32/wide_text.h"
#include "ui/win32/message_form_ids.h"
#include "windows/win32/clipboard.h"

namespace pathorama::ui::win32 {

namespace {

using core::win32::AsWide;

// The innermost box shown on this thread: the one Ctrl+C copies.
thread_local MessageForm* activeForm = nullptr;

const wchar_t* SystemIconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Exclamation: return IDI_EXCLAMATION;
    case MessageIcon::Hand: return IDI_HAND;
    case MessageIcon::Asterisk: return IDI_ASTERISK;
    case MessageIcon::Question: return IDI_QUESTION;
    case MessageIcon::None: return nullptr;
  }
  return nullptr;
}

// A dialog with no controls and no font of its own: the controls are
// created at WM_INITDIALOG in pixels of the message font. A vector's
// storage is aligned for any fundamental type, so the template starts on
// the DWORD boundary the system requires.
std::vector<WORD> DialogTemplate(DWORD style, DWORD exStyle) {
  std::vector<WORD> words = {
      LOWORD(style), HIWORD(style), LOWORD(exStyle), HIWORD(exStyle),
      0,           // no items
      0, 0, 0, 0,  // x, y, cx, cy: set at WM_INITDIALOG
      0,           // no menu
      0,           // the dialog class
      0,           // no title yet
  };
  return words;
}

RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Releases a window's device context and puts its font back.
class FontDc {
 public:
  FontDc(HWND window, HFONT font) : window_(window), dc_(GetDC(window)) {
    old_ = dc_ ? SelectObject(dc_, font) : nullptr;
  }
  ~FontDc() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    ReleaseDC(window_, dc_);
  }
  FontDc(const FontDc&) = delete;
  FontDc& operator=(const FontDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

HFONT CreateMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    if (HFONT font = CreateFontIndirectW(&metrics.lfMessageFont)) return font;
  core::Trace(u"the message box could not get the system message font (error " +
              core::HexText(GetLastError()) + u"); it uses the default GUI font");
  return nullptr;
}

}  // namespace

void MessageForm::FontDeleter::operator()(HFONT font) const { DeleteObject(font); }

MessageForm::MessageForm(std::u16string_view message, std::u16string_view caption,
                         MessageType type, MessageButtons buttons)
    : message_(message), caption_(caption), type_(type), shown_(ShownButtons(buttons)) {}

MessageForm::~MessageForm() = default;

std::optional<MessageButton> MessageForm::Run(bool showCloseBox, HWND owner) {
  // The box appears where the user is working: by its owner, else by the
  // window in front.
  HWND anchor = owner ? owner : GetForegroundWindow();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(anchor, MONITOR_DEFAULTTOPRIMARY), &monitor);
  workArea_ = monitor.rcWork;
  screenWidth_ = monitor.rcMonitor.right - monitor.rcMonitor.left;

  DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFOREGROUND;
  if (showCloseBox) style |= WS_SYSMENU;
  std::vector<WORD> dialogTemplate = DialogTemplate(style, WS_EX_TOPMOST);

  MessageForm* outer = activeForm;
  activeForm = this;
  HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, &MessageForm::FilterKeys, nullptr,
                                 GetCurrentThreadId());
  if (!hook)
    core::Trace(u"the message box could not watch for Ctrl+C (error " +
                core::HexText(GetLastError()) + u")");
  INT_PTR result = ShowModalIndirect(GetModuleHandleW(nullptr),
                                     reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                     owner);
  DWORD error = GetLastError();
  if (hook) UnhookWindowsHookEx(hook);
  activeForm = outer;

  std::optional<MessageButton> answer = ButtonOfResult(static_cast<int>(result));
  if (!answer)
    core::Trace(u"the message box \"" + caption_ + u"\" ended without an answer (result " +
                core::HexText(static_cast<uint64_t>(result)) + u", error " + core::HexText(error) +
                u")");
  return answer;
}

void MessageForm::CreateControls() {
  HWND dialog = Handle();
  SetWindowTextW(dialog, AsWide(caption_));
  font_.reset(CreateMessageFont());
  HFONT font = font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

  const std::vector<MessageButton> buttons = shown_.InOrder();
  const std::u16string text = WithCrLfLineBreaks(message_);
  const MessageIcon iconKind = IconOf(type_);

  MessageBoxMetrics metrics;
  {
    FontDc dc(dialog, font);
    SIZE sample{};
    GetTextExtentPoint32W(dc.Get(), AsWide(kAverageWidthSample),
                          static_cast<int>(kAverageWidthSample.size()), &sample);
    metrics.averageCharWidth = AverageCharWidth(sample.cx);
    metrics.fontHeight = sample.cy;
    // The label draws with these flags (SS_LEFT, SS_NOPREFIX, SS_EDITCONTROL):
    // an ampersand is shown as it is, and a word longer than the line
    // (a long path) is broken rather than cut off.
    RECT textRect{0, 0, MessageWrapWidth(screenWidth_), 0};
    if (!text.empty())
      DrawTextW(dc.Get(), AsWide(text), static_cast<int>(text.size()), &textRect,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
    metrics.messageText = {static_cast<int>(textRect.right - textRect.left),
                           static_cast<int>(textRect.bottom - textRect.top)};
    for (MessageButton b : buttons) {
      std::u16string caption(DescribeButton(b).caption);
      RECT captionRect{};
      DrawTextW(dc.Get(), AsWide(caption), static_cast<int>(caption.size()), &captionRect,
                DT_CALCRECT | DT_SINGLELINE);
      metrics.buttonCaptionWidths.push_back(captionRect.right - captionRect.left);
    }
  }
  metrics.workArea = {workArea_.left, workArea_.top, workArea_.right, workArea_.bottom};
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  metrics.frame = {frame.right - frame.left, frame.bottom - frame.top};
  if (iconKind != MessageIcon::None)
    metrics.icon = Size{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
  metrics.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);

  const MessageBoxLayout layout = LayOutMessageBox(metrics);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  auto create = [&](const wchar_t* windowClass, const std::u16string& windowText, DWORD style,
                    const Rect& r, int id) {
    HWND control = CreateWindowExW(0, windowClass, AsWide(windowText), WS_CHILD | WS_VISIBLE | style,
                                   r.left, r.top, r.Width(), r.Height(), dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                   nullptr);
    if (!control)
      core::Trace(u"the message box could not create a control (error " +
                  core::HexText(GetLastError()) + u")");
    else
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
  };

  if (iconKind != MessageIcon::None) {
    HWND icon = create(L"STATIC", u"", SS_ICON, layout.icon, IDC_MESSAGE_FORM_ICON);
    SendMessageW(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconW(nullptr, SystemIconName(iconKind))), 0);
  }
  if (layout.messageScrolls) {
    // Too long for the screen: a read-only edit that scrolls, reachable with
    // Tab so the keyboard can scroll it too.
    HWND edit = create(L"EDIT", text, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL |
                                          WS_TABSTOP,
                       layout.message, IDC_MESSAGE_FORM_TEXT);
    SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  } else {
    create(L"STATIC", text, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, layout.message,
           IDC_MESSAGE_FORM_TEXT);
  }

  const std::optional<MessageButton> defaultButton = DefaultButton(shown_);
  HWND focus = nullptr;
  for (size_t i = 0; i < buttons.size(); ++i) {
    const bool isDefault = buttons[i] == defaultButton;
    const int id = IDC_MESSAGE_FORM_BUTTON0 + static_cast<int>(buttons[i]);
    HWND button = create(L"BUTTON", std::u16string(DescribeButton(buttons[i]).caption),
                         WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                             (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                         layout.buttons[i], id);
    if (i == 0) focus = button;
    if (isDefault) {
      SendMessageW(dialog, DM_SETDEFID, id, 0);
      focus = button;
    }
  }
  if (focus) SetFocus(focus);

  if (!CancelButton(shown_))
    EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

  const Rect& w = layout.window;
  SetWindowPos(dialog, HWND_TOPMOST, w.left, w.top, w.Width(), w.Height(), 0);
}

bool MessageForm::Answer(std::optional<MessageButton> button) {
  // Only a button the box shows answers: a stray WM_COMMAND with another
  // button's id must not end the box with an answer nobody offered.
  if (!button || !shown_.Contains(*button) || DescribeButton(*button).result == 0) return false;
  EndDialog(Handle(), DescribeButton(*button).result);
  return true;
}

void MessageForm::CopyToClipboard() const {
  if (!windows::win32::SetClipboardText(MessageBoxCopyText(caption_, message_, shown_)))
    core::Trace(u"the message box \"" + caption_ +
                u"\" could not put its text on the clipboard: it stayed closed");
}

LRESULT CALLBACK MessageForm::FilterKeys(int code, WPARAM wParam, LPARAM lParam) {
  // The dialog manager hands keys to the focused button; this sees them
  // first, inside the box's own modal loop.
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  MessageForm* form = activeForm;
  if (code == MSGF_DIALOGBOX && form && form->Handle() && message->message == WM_KEYDOWN &&
      message->wParam == 'C' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 &&
      (message->hwnd == form->Handle() || IsChild(form->Handle(), message->hwnd))) {
    try {
      form->CopyToClipboard();
    } catch (...) {
      core::Trace(u"the message box failed to copy its text");
    }
    return 1;  // the key was used: no WM_CHAR for it
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR MessageForm::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CreateControls();
      return FALSE;  // the focus is set
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK) return Answer(DefaultButton(shown_));  // Enter with no button in focus
      if (id == IDCANCEL) return Answer(CancelButton(shown_));  // Escape
      const int index = id - IDC_MESSAGE_FORM_BUTTON0;
      if (index >= 0 && index < kMessageButtonCount) {
        Answer(static_cast<MessageButton>(index));
        return TRUE;
      }
      return FALSE;
    }
    case WM_CLOSE:
      Answer(CancelButton(shown_));
      return TRUE;
  }
  return FALSE;
}

std::optional<MessageButton> ShowMessageForm(std::u16string_view message,
                                             std::u16string_view caption, MessageType type,
                                             bool showCloseBox, MessageButtons buttons,
                                             HWND owner) {
  MessageForm form(message, caption, type, buttons);
  return form.Run(showCloseBox, owner);
}

core::PromptAnswer MessageFormQuestion::Ask(std::u16string_view text, std::u16string_view caption,
                                            core::PromptIcon icon) {
  using B = MessageButton;
  std::optional<MessageButton> answer =
      ShowMessageForm(text, caption, MessageTypeOf(icon), true, {B::Yes, B::No, B::Cancel}, owner_);
  if (answer == B::No) return core::PromptAnswer::No;
  if (answer == B::Cancel) return core::PromptAnswer::Cancel;
  return core::PromptAnswer::Yes;
}

}  // namespace pathorama::ui::win32
