// The window spy against stand-in windows: what it shows after a click, when
// it follows the mouse, and that it never describes itself; with a
// screenshot (window_spy.bmp in the build folder) whose information edit
// shows blue text. Its keys reach it through the program's message loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/about_box.h"
#include "app/win32/about_box_ids.h"
#include "app/win32/window_spy.h"
#include "app/win32/window_spy_ids.h"
#include "standin_process.h"
#include "ui/win32/message_loop.h"

namespace pathorama::app::win32 {
namespace {

using test_support::PumpFor;
using test_support::Standin;

std::wstring InfoText() {
  wchar_t text[1024] = {};
  GetWindowTextW(WindowSpy::Instance().InfoEdit(), text, 1024);
  return text;
}

// Runs the spy's timer for a while the way the program's message loop does.
void Wait(int ms) {
  DWORD end = GetTickCount() + ms;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (ui::win32::DispatchToModelessDialog(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

void LeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

std::wstring Describe(const wchar_t* title, const wchar_t* cls, const wchar_t* program, DWORD pid) {
  return std::wstring(L"窗口标题： ") + title + L"\r\n窗口类名： " + cls + L"\r\n进 程  名 ： " + program +
         L"\r\n进 程  ID ： " + std::to_wstring(pid);
}

// Saves the screen as a BMP and counts blue text pixels inside `area`.
int ScreenshotBluePixels(const std::wstring& file, RECT area) {
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  auto* pixels = static_cast<uint8_t*>(bits);
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) pixels[i * 4 + 3] = 255;  // opaque
  int blue = 0;
  for (int y = std::max(0L, area.top); y < std::min<long>(height, area.bottom); ++y)
    for (int x = std::max(0L, area.left); x < std::min<long>(width, area.right); ++x) {
      const uint8_t* p = pixels + (static_cast<size_t>(y) * width + x) * 4;  // B G R A
      if (p[0] > 180 && p[1] < 90 && p[2] < 90) ++blue;
    }
  BITMAPFILEHEADER header{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  DWORD size = static_cast<DWORD>(width) * height * 4;
  header.bfSize = header.bfOffBits + size;
  HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, &header, sizeof header, &written, nullptr);
  WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
  WriteFile(out, bits, size, &written, nullptr);
  CloseHandle(out);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return blue;
}

TEST(WindowSpy, ShowsTheWindowClickedOrPointedAtButNeverItself) {
  test_support::Standin xy(L"XYplorer.exe", L"--folder=C:\\windows", L"ThunderRT6FormDC");
  test_support::Standin fc(L"FreeCommander.exe", L"", L"FreeCommanderXE.SingleInst.1");
  ASSERT_TRUE(xy.Window() && fc.Window());
  WindowSpy& spy = WindowSpy::Instance();
  ASSERT_TRUE(spy.Handle());
  wchar_t caption[64] = {};
  GetWindowTextW(spy.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"WindowSpy");
  EXPECT_TRUE(GetWindowLongW(spy.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  spy.Show();
  Wait(300);
  const std::wstring intro =
      L"\r\n鼠标点击任意窗口\r\n将在此处显示该窗口的相关信息\r\n若不能及时更新，请多点击几次即可";
  EXPECT_EQ(InfoText(), intro);

  // Unchecked: pointing alone changes nothing; a click does.
  RECT xyRect{}, fcRect{}, spyRect{};
  GetWindowRect(xy.Window(), &xyRect);
  GetWindowRect(fc.Window(), &fcRect);
  GetWindowRect(spy.Handle(), &spyRect);
  POINT onXy{xyRect.left + 20, xyRect.top + 180};  // left of the FreeCommander window
  ASSERT_LT(onXy.x, fcRect.left);
  SetCursorPos(onXy.x, onXy.y);
  Wait(600);
  EXPECT_EQ(InfoText(), intro);
  LeftButton(true);
  Wait(400);
  LeftButton(false);
  Wait(300);
  const std::wstring xyInfo =
      Describe(L"C:\\windows - XYplorer 24.0", L"ThunderRT6FormDC", L"XYplorer.exe", xy.ProcessId());
  EXPECT_EQ(InfoText(), xyInfo);

  // Checked: the text follows the mouse.
  CheckDlgButton(spy.Handle(), IDC_SPY_FOLLOW_MOUSE, BST_CHECKED);
  POINT onFc{fcRect.right - 20, fcRect.top + 40};
  ASSERT_FALSE(PtInRect(&spyRect, onFc));
  SetCursorPos(onFc.x, onFc.y);
  Wait(600);
  const std::wstring fcInfo = Describe(L"FreeCommander (stand-in)", L"FreeCommanderXE.SingleInst.1",
                                       L"FreeCommander.exe", fc.ProcessId());
  EXPECT_EQ(InfoText(), fcInfo);

  // Pointing at the spy itself leaves the last information in place.
  SetCursorPos((spyRect.left + spyRect.right) / 2, (spyRect.top + spyRect.bottom) / 2);
  Wait(600);
  EXPECT_EQ(InfoText(), fcInfo);

  SetCursorPos(onFc.x, onFc.y);
  Wait(400);
  RECT info{};
  GetWindowRect(spy.InfoEdit(), &info);
  std::wstring shot = test_support::WindowsPath(PATHORAMA_SCREENSHOT_DIR) + L"\\window_spy.bmp";
  EXPECT_GT(ScreenshotBluePixels(shot, info), 50) << "no blue text in the information edit";

  spy.Hide();
  EXPECT_FALSE(spy.Visible());
}

// Tab and Esc are the dialog manager's keys: they work only when the message
// loop hands the spy's messages to IsDialogMessage.
TEST(WindowSpy, TabAndEscapeWorkThroughTheMessageLoop) {
  WindowSpy& spy = WindowSpy::Instance();
  ASSERT_TRUE(spy.Handle());
  spy.Show();
  SetForegroundWindow(spy.Handle());
  HWND followMouse = GetDlgItem(spy.Handle(), IDC_SPY_FOLLOW_MOUSE);
  SetFocus(followMouse);
  Wait(200);
  ASSERT_EQ(GetFocus(), followMouse);

  PostMessageW(followMouse, WM_KEYDOWN, VK_TAB, 0);
  PostMessageW(followMouse, WM_KEYUP, VK_TAB, 0xC0000000);
  Wait(200);
  EXPECT_EQ(GetFocus(), spy.InfoEdit());

  SetFocus(followMouse);
  PostMessageW(followMouse, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(followMouse, WM_KEYUP, VK_ESCAPE, 0xC0000000);
  Wait(300);
  EXPECT_FALSE(spy.Visible());  // Esc is IDCANCEL, which hides the spy
  // Hidden, not destroyed: it is created once.
  EXPECT_TRUE(IsWindow(spy.Handle()));
}

// What the about box showed, read while it is open.
std::wstring aboutSeen;

BOOL CALLBACK ReadAbout(HWND w, LPARAM) {
  wchar_t caption[32] = {};
  GetWindowTextW(w, caption, 32);
  if (wcscmp(caption, L"关于") != 0) return TRUE;
  for (int id : {IDC_ABOUT_PRODUCT, IDC_ABOUT_VERSION, IDC_ABOUT_SLOGAN}) {
    wchar_t text[256] = {};
    GetDlgItemTextW(w, id, text, 256);
    aboutSeen += std::wstring(text) + L"|";
  }
  wchar_t ok[32] = {};
  GetDlgItemTextW(w, IDOK, ok, 32);
  aboutSeen += ok;
  PostMessageW(w, WM_COMMAND, IDOK, 0);
  return FALSE;
}

TEST(AboutBox, ShowsProductVersionAndSloganAndClosesWithOk) {
  aboutSeen.clear();
  UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), ReadAbout, 0);
  });
  DWORD start = GetTickCount();
  ShowAboutBox(nullptr);  // returns once the timer pressed OK
  KillTimer(nullptr, timer);
  EXPECT_LT(GetTickCount() - start, 10000u);
  EXPECT_EQ(aboutSeen.substr(0, 10), L"Pathorama|");
  EXPECT_NE(aboutSeen.find(L"|文件夹/网址/注册表路径快速跳转利器|确定"), std::wstring::npos)
      << std::string(aboutSeen.begin(), aboutSeen.end());
  EXPECT_NE(aboutSeen.find(L"版本 1."), std::wstring::npos);
}

}  // namespace
}  // namespace pathorama::app::win32
