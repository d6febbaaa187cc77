// The window "设置变量的表达式": composes a variable expression from its
// controls, shows its value, and hands it to the window that opened it.
// Modeless, kept over its caller, created once; its state stays between
// openings.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/win32/dialog_base.h"
#include "variables/variable_builder.h"
#include "variables/win32/variable_popup_menu.h"

namespace pathorama::variables::win32 {

enum class BuilderOutput { Insert, Append, Cover };
struct RangeControls;

// What the builder needs of the window that opened it.
class VariableBuilderCaller {
 public:
  virtual ~VariableBuilderCaller() = default;
  virtual HWND CallerWindow() = 0;
  // Puts the expression into the caller's focused text box by the mode;
  // false (and nothing written) when the caller has none.
  virtual bool ReceiveExpression(std::u16string_view expression, BuilderOutput mode) = 0;
  // An expander whose round trips to other programs are made once.
  virtual std::function<std::u16string(std::u16string_view)> NewExpansionBatch() = 0;
  virtual core::CalendarDate Today() = 0;
  // "变量选项": the options dialog on its variables page.
  virtual void OpenVariableOptions() = 0;
  // The dialog was closed (the caller unchecks what opened it).
  virtual void BuilderClosed() = 0;
};

class VariableBuilderDialog : public ui::win32::DialogBase<VariableBuilderDialog> {
 public:
  static VariableBuilderDialog& Instance();

  // Shows the dialog for `caller`, topmost when the caller is, in front.
  void Open(VariableBuilderCaller& caller);
  // `SetCtlsStatusByVar`: makes `name` the current variable, controls reset.
  void SetVariable(std::u16string_view name);
  void Close();
  bool Visible() const { return Handle() && IsWindowVisible(Handle()); }
  // Follows the caller's "窗口置顶".
  void SetTopmost(bool topmost);
  // Ends the link to a caller that goes away.
  void Forget(VariableBuilderCaller& caller);

  std::u16string Expression() const { return expression_; }
  std::u16string Value() const { return value_; }
  // The window of the dialog's hints.
  HWND Hints() const { return hints_; }

 private:
  friend DialogBase;
  VariableBuilderDialog() = default;
  ~VariableBuilderDialog();
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HWND Item(int id) const { return GetDlgItem(Handle(), id); }
  bool Checked(int id) const { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; }
  void InitDialog();
  void CreateHints();
  void FillPresetHint(NMTTDISPINFOW& info);
  // The coloured toggle buttons ("0", "4", "正", "Aa").
  bool Toggled(int id) const;
  void SetToggle(int id, bool on);
  void ShowState();        // the state into the controls
  BuilderState ReadState() const;
  void EnableAreas();
  // The controls of a range of positions or layers (their IDs).
  void ShowRange(const RangeOptions& range, const RangeControls& controls);
  RangeOptions ReadRange(const RangeControls& controls) const;
  void EnableRangeEnds(bool on, const RangeControls& controls);
  void Rebuild();          // controls → expression → value
  void ShowVariableMenu();
  void Output(BuilderOutput mode);
  void CopyToClipboard(bool value);

  VariableBuilderCaller* caller_ = nullptr;
  BuilderState state_ = StateFor(u"Today");
  std::function<std::u16string(std::u16string_view)> expand_;
  std::u16string expression_, value_;
  std::vector<BuilderField> bad_;
  bool filling_ = false;
  bool hoverExpression_ = false;
  HBRUSH badBrush_ = nullptr;
  VariablePopupMenu menu_;
  HWND hints_ = nullptr;
  std::wstring presetHint_;
};

}  // namespace pathorama::variables::win32
