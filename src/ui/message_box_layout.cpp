#include "ui/message_box_layout.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace pathorama::ui {

namespace {

using B = MessageButton;

constexpr std::array<MessageButtonInfo, kMessageButtonCount> kButtons{{
    {B::Yes, u"Yes", u"是(&Y)", 6},
    {B::No, u"No", u"否(&N)", 7},
    {B::Ok, u"OK", u"确定(&O)", 1},
    {B::Cancel, u"Cancel", u"取消(&C)", 2},
    {B::Abort, u"Abort", u"终止(&A)", 3},
    {B::Retry, u"Retry", u"重试(&R)", 4},
    {B::Ignore, u"Ignore", u"忽略(&I)", 5},
    {B::All, u"All", u"全部(&A)", 12},
    {B::NoToAll, u"NoToAll", u"全否(&O)", 13},
    {B::YesToAll, u"YesToAll", u"全是(&A)", 14},
    {B::Help, u"Help", u"帮助(&H)", 0},
    {B::ForceClose, u"ForceClose", u"强制关闭(&F)", 15},
    {B::Continue, u"Continue", u"继续(&C)", 16},
    {B::Exit, u"Exit", u"退出(&E)", 17},
}};

constexpr bool TableIsInIndexOrder() {
  for (int i = 0; i < kMessageButtonCount; ++i)
    if (static_cast<int>(kButtons[i].button) != i) return false;
  return true;
}
static_assert(TableIsInIndexOrder(), "a button's row must sit at its index");

constexpr std::u16string_view kDivider = u"---------------------------";  // 27 hyphens
static_assert(kDivider.size() == 27);
constexpr std::u16string_view kCrLf = u"\r\n";

std::optional<MessageButton> FirstShown(MessageButtons shown,
                                        std::initializer_list<MessageButton> preference) {
  for (MessageButton b : preference)
    if (shown.Contains(b)) return b;
  return std::nullopt;
}

}  // namespace

std::span<const MessageButtonInfo, kMessageButtonCount> MessageButtonTable() { return kButtons; }

const MessageButtonInfo& DescribeButton(MessageButton button) {
  return kButtons[static_cast<size_t>(button)];
}

std::optional<MessageButton> ButtonOfResult(int result) {
  if (result == 0) return std::nullopt;
  for (const MessageButtonInfo& info : kButtons)
    if (info.result == result) return info.button;
  return std::nullopt;
}

std::vector<MessageButton> MessageButtons::InOrder() const {
  std::vector<MessageButton> buttons;
  for (const MessageButtonInfo& info : kButtons)
    if (Contains(info.button)) buttons.push_back(info.button);
  return buttons;
}

MessageButtons ShownButtons(MessageButtons requested) {
  return requested.Empty() ? MessageButtons{B::Ok} : requested;
}

std::optional<MessageButton> DefaultButton(MessageButtons shown) {
  return FirstShown(shown, {B::Ok, B::Yes, B::Retry});
}

std::optional<MessageButton> CancelButton(MessageButtons shown) {
  return FirstShown(shown, {B::Cancel, B::No, B::Ok});
}

MessageIcon IconOf(MessageType type) {
  switch (type) {
    case MessageType::Warning: return MessageIcon::Exclamation;
    case MessageType::Error: return MessageIcon::Hand;
    case MessageType::Information: return MessageIcon::Asterisk;
    case MessageType::Confirmation: return MessageIcon::Question;
    case MessageType::Custom: return MessageIcon::None;
  }
  return MessageIcon::None;
}

MessageType MessageTypeOf(core::PromptIcon icon) {
  switch (icon) {
    case core::PromptIcon::Information: return MessageType::Information;
    case core::PromptIcon::Warning: return MessageType::Warning;
    case core::PromptIcon::Error: return MessageType::Error;
    case core::PromptIcon::Question: return MessageType::Confirmation;
  }
  return MessageType::Custom;
}

std::u16string CaptionWithoutAccessMarks(std::u16string_view caption) {
  std::u16string plain;
  plain.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != u'&') {
      plain += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == u'&') {
      plain += u'&';
      ++i;
    }
  }
  return plain;
}

std::u16string MessageBoxCopyText(std::u16string_view caption, std::u16string_view message,
                                  MessageButtons shown) {
  std::u16string captions;
  for (MessageButton b : shown.InOrder())
    captions += CaptionWithoutAccessMarks(DescribeButton(b).caption) + u"   ";
  std::u16string text;
  for (std::u16string_view part : {kDivider, caption, kDivider, message, kDivider,
                                   std::u16string_view(captions), kDivider}) {
    text += part;
    text += kCrLf;
  }
  return text;
}

std::u16string WithCrLfLineBreaks(std::u16string_view message) {
  std::u16string text;
  text.reserve(message.size());
  for (size_t i = 0; i < message.size(); ++i) {
    char16_t c = message[i];
    if (c == u'\r') {
      if (i + 1 < message.size() && message[i + 1] == u'\n') ++i;
      text += kCrLf;
    } else if (c == u'\n') {
      text += kCrLf;
    } else {
      text += c;
    }
  }
  return text;
}

int MulDiv(int n, int numerator, int denominator) {
  if (denominator == 0) return 0;
  long long product = static_cast<long long>(n) * numerator;
  long long quotient = product / denominator;
  long long remainder = product % denominator;
  if (2 * std::llabs(remainder) >= std::llabs(static_cast<long long>(denominator)))
    quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
  return static_cast<int>(quotient);
}

int AverageCharWidth(int sampleWidth) {
  return sampleWidth / static_cast<int>(kAverageWidthSample.size());
}

int MessageWrapWidth(int screenWidth) { return screenWidth / 2; }

MessageBoxLayout LayOutMessageBox(const MessageBoxMetrics& m) {
  const int dx = m.averageCharWidth, dy = m.fontHeight;
  const int horzMargin = MulDiv(8, dx, 4), vertMargin = MulDiv(8, dy, 8);
  const int horzSpacing = MulDiv(10, dx, 4), vertSpacing = MulDiv(10, dy, 8);
  const int buttonGap = MulDiv(4, dx, 4), buttonHeight = MulDiv(14, dy, 8);
  int widestCaption = 0;
  for (int w : m.buttonCaptionWidths) widestCaption = std::max(widestCaption, w);
  const int buttonWidth = std::max(MulDiv(50, dx, 4), widestCaption + 8);
  const int buttonCount = static_cast<int>(m.buttonCaptionWidths.size());
  const int rowWidth = buttonCount ? buttonCount * buttonWidth + (buttonCount - 1) * buttonGap : 0;

  const Size icon = m.icon.value_or(Size{});
  const int textLeft = horzMargin + (m.icon ? icon.width + horzSpacing : 0);

  MessageBoxLayout layout;
  Size message = m.messageText;
  // Everything but the message area is fixed; the message gives up height
  // (down to one line) before the window outgrows the work area.
  const int fixedHeight = m.frame.height + 2 * vertMargin + vertSpacing + buttonHeight;
  const int heightLeft = std::max(m.workArea.Height() - fixedHeight, dy);
  if (message.height > heightLeft) {
    message.height = heightLeft;
    message.width += m.scrollBarWidth;
    layout.messageScrolls = true;
  }
  const int areaHeight = std::max(message.height, icon.height);

  layout.client.width = std::max(textLeft - horzMargin + message.width, rowWidth) + 2 * horzMargin;
  layout.client.height = areaHeight + vertSpacing + buttonHeight + 2 * vertMargin;
  if (m.icon) layout.icon = {horzMargin, vertMargin, horzMargin + icon.width, vertMargin + icon.height};
  layout.message = {textLeft, vertMargin, textLeft + message.width, vertMargin + message.height};

  const int buttonTop = vertMargin + areaHeight + vertSpacing;
  int x = (layout.client.width - rowWidth) / 2;
  for (int i = 0; i < buttonCount; ++i) {
    layout.buttons.push_back({x, buttonTop, x + buttonWidth, buttonTop + buttonHeight});
    x += buttonWidth + buttonGap;
  }

  const int width = layout.client.width + m.frame.width;
  const int height = layout.client.height + m.frame.height;
  const int left = std::max(m.workArea.left + (m.workArea.Width() - width) / 2, m.workArea.left);
  const int top = std::max(m.workArea.top + (m.workArea.Height() - height) / 2, m.workArea.top);
  layout.window = {left, top, left + width, top + height};
  return layout;
}

}  // namespace pathorama::ui
