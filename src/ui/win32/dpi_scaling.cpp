#include "ui/win32/dpi_scaling.h"

#include <utility>
#include <vector>

#include "ui/control_anchors.h"

namespace pathorama::ui::win32 {

namespace {

// Windows 10 1607 and 1703 functions, absent from older systems and Wine.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

BOOL CALLBACK CollectDescendant(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

}  // namespace

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow)
    if (const UINT dpi = getDpiForWindow(window)) return dpi;
  HDC dc = GetDC(window);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

DialogDpiScaling::~DialogDpiScaling() {
  for (HFONT font : fonts_) DeleteObject(font);
}

void DialogDpiScaling::Attach(HWND dialog) {
  dpi_ = WindowDpi(dialog);
  // DDC_DISABLE_ALL: the dialog scales itself in OnDpiChanged.
  using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
  static const auto setBehavior =
      User32Function<SetDialogDpiChangeBehaviorFn>("SetDialogDpiChangeBehavior");
  if (setBehavior) setBehavior(dialog, 1, 1);
}

void DialogDpiScaling::OnDpiChanged(HWND dialog, WPARAM wParam, LPARAM lParam, bool scaleControls) {
  const UINT newDpi = LOWORD(wParam);
  const UINT oldDpi = dpi_;
  dpi_ = newDpi;
  const auto* suggested = reinterpret_cast<const RECT*>(lParam);
  if (newDpi == 0 || newDpi == oldDpi) return;

  std::vector<HWND> controls;
  EnumChildWindows(dialog, CollectDescendant, reinterpret_cast<LPARAM>(&controls));

  // Every font the dialog and its controls show, at the new size (a page
  // of a tab control has a font object of its own; a control may have a
  // bold one).
  std::vector<std::pair<HFONT, HFONT>> scaled;
  std::vector<HFONT> created;
  auto scaledFont = [&](HFONT font) -> HFONT {
    if (!font) return nullptr;
    for (const auto& [from, to] : scaled)
      if (from == font) return to;
    LOGFONTW description{};
    HFONT to = nullptr;
    if (GetObjectW(font, sizeof description, &description)) {
      description.lfHeight =
          ScaledLength(description.lfHeight, static_cast<int>(oldDpi), static_cast<int>(newDpi));
      to = CreateFontIndirectW(&description);
      if (to) created.push_back(to);
    }
    scaled.emplace_back(font, to);
    return to;
  };
  controls.insert(controls.begin(), dialog);
  for (HWND control : controls) {
    if (scaleControls && control != dialog) {
      RECT r{};
      GetWindowRect(control, &r);
      HWND parent = GetParent(control);
      MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
      const ControlBox box = ScaledBox({r.left, r.top, r.right - r.left, r.bottom - r.top},
                                       static_cast<int>(oldDpi), static_cast<int>(newDpi));
      SetWindowPos(control, nullptr, box.x, box.y, box.width, box.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A dialog answers WM_GETFONT with the font it was given last.
    if (HFONT font = scaledFont(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))))
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  // The fonts of the previous change are no longer shown.
  for (HFONT font : fonts_) DeleteObject(font);
  fonts_ = std::move(created);
  if (suggested)
    SetWindowPos(dialog, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(dialog, nullptr, TRUE);
}

}  // namespace pathorama::ui::win32
