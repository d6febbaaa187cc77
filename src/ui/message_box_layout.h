// The program's own message box, decided without Windows: its buttons with
// their Chinese captions, the icon of each kind of box, which button Enter
// and Escape press, the text Ctrl+C copies, and where everything goes for a
// given font and screen. The Win32 box (ui/win32/message_form.h) measures,
// asks these functions, and creates what they say.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/prompts.h"

namespace pathorama::ui {

// A button's index is its bit in a button set and its place in the row.
enum class MessageButton {
  Yes,
  No,
  Ok,
  Cancel,
  Abort,
  Retry,
  Ignore,
  All,
  NoToAll,
  YesToAll,
  Help,
  ForceClose,
  Continue,
  Exit,
};
inline constexpr int kMessageButtonCount = 14;

struct MessageButtonInfo {
  MessageButton button;
  std::u16string_view name;
  std::u16string_view caption;  // with the ampersand before its access key
  int result;                   // what the box returns for it; 0: it does not close the box
};

// The row of every button, in index order.
std::span<const MessageButtonInfo, kMessageButtonCount> MessageButtonTable();
const MessageButtonInfo& DescribeButton(MessageButton button);
// The button whose result is `result`; none for 0 and unknown numbers.
std::optional<MessageButton> ButtonOfResult(int result);

// A set of buttons; they always stand in index order.
class MessageButtons {
 public:
  constexpr MessageButtons() = default;
  constexpr MessageButtons(std::initializer_list<MessageButton> buttons) {
    for (MessageButton b : buttons) bits_ |= Bit(b);
  }
  constexpr bool Contains(MessageButton button) const { return (bits_ & Bit(button)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint32_t Bits() const { return bits_; }
  // The buttons of the set in index order.
  std::vector<MessageButton> InOrder() const;

 private:
  static constexpr uint32_t Bit(MessageButton b) { return 1u << static_cast<int>(b); }
  uint32_t bits_ = 0;
};

// What a box with `requested` shows: an empty set would leave the user no
// way to answer, so it shows OK.
MessageButtons ShownButtons(MessageButtons requested);

// The button Enter presses: OK, else Yes, else Retry, when shown.
std::optional<MessageButton> DefaultButton(MessageButtons shown);
// The button Escape and the close box press: Cancel, else No, else OK, when
// shown. Without one the close box is disabled and Escape does nothing, so
// the box never answers with a button it did not offer.
std::optional<MessageButton> CancelButton(MessageButtons shown);

enum class MessageType { Warning, Error, Information, Confirmation, Custom };
enum class MessageIcon { None, Exclamation, Hand, Asterisk, Question };

MessageIcon IconOf(MessageType type);
MessageType MessageTypeOf(core::PromptIcon icon);

// The clipboard text of Ctrl+C: caption, message and the button captions
// (without ampersands, each followed by three spaces), each between lines of
// 27 hyphens, every line ended by CR LF. The message is copied as given.
std::u16string MessageBoxCopyText(std::u16string_view caption, std::u16string_view message,
                                  MessageButtons shown);

// A caption as it reads on the button: "&&" is one ampersand, any other
// ampersand only marks the access key.
std::u16string CaptionWithoutAccessMarks(std::u16string_view caption);

// The message with every line break (CR LF, a lone CR, a lone LF) as CR LF,
// the one form both a label and a multi-line edit break lines at.
std::u16string WithCrLfLineBreaks(std::u16string_view message);

// n * numerator / denominator rounded to the nearest integer, halves away
// from zero (as Windows' MulDiv); 0 for a zero denominator.
int MulDiv(int n, int numerator, int denominator);

// The text whose width, divided by its length, is the font's average
// character width: the 52 letters A-Z and a-z.
inline constexpr std::u16string_view kAverageWidthSample =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
int AverageCharWidth(int sampleWidth);

// The message is word-wrapped within half the width of its screen.
int MessageWrapWidth(int screenWidth);

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct MessageBoxMetrics {
  int averageCharWidth = 0;  // of the message font
  int fontHeight = 0;
  Size messageText;  // the message measured word-wrapped within MessageWrapWidth
  std::vector<int> buttonCaptionWidths;  // one per shown button, in row order
  Rect workArea;                         // of the monitor the box appears on
  Size frame;                            // window size minus client size
  std::optional<Size> icon;              // none for a box without icon
  int scrollBarWidth = 0;                // a vertical scroll bar's width
};

struct MessageBoxLayout {
  Rect window;  // in screen coordinates
  Size client;
  Rect icon;     // client coordinates; empty without icon
  Rect message;  // client coordinates
  // The message does not fit the work area's height: its area is cut to fit
  // and scrolls (its width then includes the scroll bar).
  bool messageScrolls = false;
  std::vector<Rect> buttons;  // client coordinates, in row order
};

// The box as a standard message dialog is laid out, in dialog units of the
// message font (dx = average width, dy = height; n horizontal units are
// MulDiv(n, dx, 4) pixels, n vertical ones MulDiv(n, dy, 8)): margins of 8,
// spacing of 10, buttons 50 wide (or the widest caption + 8 pixels) and 14
// high with gaps of 4; the icon at the margins, the message beside it (at
// least as high as the icon), the buttons centred in a row below. The window
// is centred on the work area and never taller than it: a message that
// would make it taller scrolls in the height that is left. A window larger
// than the work area starts at its top left corner.
MessageBoxLayout LayOutMessageBox(const MessageBoxMetrics& metrics);

}  // namespace pathorama::ui
