// The window readers, finders and the clipboard backup against the stand-ins
// for the outside programs, under real windows.
#include <windows.h>
#include <exdisp.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "windows/clip_formats.h"
#include "standin_log.h"
#include "standin_process.h"
#include "trace_log.h"
#include "windows/win32/clipboard.h"
#include "windows/win32/dialogs.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/processes.h"
#include "windows/win32/send_keys.h"
#include "windows/win32/window_facts.h"
#include "windows/win32/window_rects.h"

using Microsoft::WRL::ComPtr;

namespace pathorama::windows::win32 {
namespace {

using test_support::PumpFor;
using test_support::Standin;

std::wstring W(std::u16string_view s) { return std::wstring(core::win32::AsWide(s), s.size()); }
std::u16string U(std::wstring_view s) { return core::win32::FromWide(s); }

// A folder with a file and a subfolder, for selections that must exist.
struct Fixture {
  std::wstring dir, file, sub;
  Fixture() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    wchar_t longTemp[MAX_PATH] = {};
    GetLongPathNameW(temp, longTemp, MAX_PATH);
    dir = std::wstring(longTemp) + L"pathorama-windows-" + std::to_wstring(GetCurrentProcessId());
    file = dir + L"\\报告.txt";
    sub = dir + L"\\子文件夹";
    CreateDirectoryW(dir.c_str(), nullptr);
    CreateDirectoryW(sub.c_str(), nullptr);
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);
  }
  ~Fixture() {
    DeleteFileW(file.c_str());
    RemoveDirectoryW(sub.c_str());
    RemoveDirectoryW(dir.c_str());
  }
};

const Fixture& Files() {
  static Fixture fixture;
  return fixture;
}

// ---- the user's clipboard -------------------------------------------------------------
const UINT kPrivateFormat = RegisterClipboardFormatW(L"Pathorama.Test.Private");
const std::string kPrivateBytes("\x01\x02\x00\xFF" "private", 11);
const std::u16string kUserText = u"用户自己的剪贴板文字";

void PutBlock(UINT format, const void* data, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  memcpy(GlobalLock(block), data, size);
  GlobalUnlock(block);
  if (!SetClipboardData(format, block)) GlobalFree(block);
}

void PutUserClipboard() {
  ClipboardSession session;
  ASSERT_TRUE(session.IsOpen());
  EmptyClipboard();
  PutBlock(CF_UNICODETEXT, kUserText.c_str(), (kUserText.size() + 1) * 2);
  PutBlock(kPrivateFormat, kPrivateBytes.data(), kPrivateBytes.size());
}

std::string BlockBytes(UINT format) {
  ClipboardSession session;
  HANDLE data = session.IsOpen() ? GetClipboardData(format) : nullptr;
  if (!data) return "<none>";
  std::string bytes(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
  GlobalUnlock(data);
  return bytes;
}

// Formats in enumeration order, leaving out those the system synthesises.
std::vector<UINT> Formats() {
  ClipboardSession session;
  std::vector<UINT> formats;
  for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
    if (f == CF_UNICODETEXT || f == kPrivateFormat || f == CF_BITMAP || f == CF_ENHMETAFILE)
      formats.push_back(f);
  return formats;
}

void ExpectUserClipboardIntact(const char* after) {
  EXPECT_EQ(GetClipboardText(), kUserText) << after;
  EXPECT_EQ(BlockBytes(kPrivateFormat), kPrivateBytes) << after;
  EXPECT_EQ(Formats(), (std::vector<UINT>{CF_UNICODETEXT, kPrivateFormat})) << after;
}

TEST(ClipboardBackup, RestoresTextAndPrivateFormatInOrder) {
  PutUserClipboard();
  ClipboardBackup backup;
  backup.Backup();
  ASSERT_TRUE(SetClipboardText(u"overwritten"));
  backup.Restore();
  ExpectUserClipboardIntact("restore");
  // The first restore forgot the copies: a second one leaves an empty clipboard.
  backup.Restore();
  EXPECT_EQ(Formats(), std::vector<UINT>{});
  // An empty clipboard stays empty.
  backup.Backup();
  EXPECT_EQ(backup.SavedCount(), 0u);
  SetClipboardText(u"x");
  backup.Restore();
  EXPECT_EQ(GetClipboardText(), u"");
}

TEST(ClipboardBackup, HandleFormatsAreSkippedNotCopied) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HDC meta = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  Rectangle(meta, 0, 0, 10, 10);
  HENHMETAFILE emf = CloseEnhMetaFile(meta);
  {
    ClipboardSession session;
    ASSERT_TRUE(session.IsOpen());
    EmptyClipboard();
    PutBlock(CF_UNICODETEXT, kUserText.c_str(), (kUserText.size() + 1) * 2);
    SetClipboardData(CF_BITMAP, bitmap);
    SetClipboardData(CF_ENHMETAFILE, emf);
    PutBlock(kPrivateFormat, kPrivateBytes.data(), kPrivateBytes.size());
  }
  ClipboardBackup backup;
  backup.Backup();
  std::vector<UINT> saved = backup.SavedFormats();
  for (UINT format : saved) EXPECT_FALSE(IsUnsafeClipFormat(format)) << format;
  EXPECT_NE(std::find(saved.begin(), saved.end(), kPrivateFormat), saved.end());
  SetClipboardText(u"borrowed");
  backup.Restore();
  // The memory formats survive and nothing crashed. (A device-independent
  // bitmap the system offered for the bitmap is a memory block and comes
  // back with them.)
  EXPECT_EQ(GetClipboardText(), kUserText);
  EXPECT_EQ(BlockBytes(kPrivateFormat), kPrivateBytes);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
}

// Another program holds the clipboard open until `release` is set.
struct ClipboardHolder {
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, L"PathoramaClipboardRelease");
  std::unique_ptr<test_support::Standin> holder;
  ClipboardHolder() {
    holder = std::make_unique<test_support::Standin>(L"ClipboardHolder.exe", L"");
    for (int waited = 0; waited < 10000; waited += 20) {
      if (Held()) break;
      Sleep(20);
    }
  }
  ~ClipboardHolder() {
    // Closed by the holder itself, not taken away by killing it.
    Release();
    holder->WaitForExit();
    holder.reset();
    CloseHandle(release);
  }
  static bool Held() {
    HANDLE held = OpenEventW(SYNCHRONIZE, FALSE, L"PathoramaClipboardHeld");
    if (!held) return false;
    CloseHandle(held);
    return true;
  }
  void Release() { SetEvent(release); }
};

TEST(ClipboardBackup, WaitsForAClipboardHeldOpenButNotForever) {
  PutUserClipboard();
  {
    // Let go while the backup is already trying: it gets the clipboard.
    ClipboardHolder holder;
    ASSERT_TRUE(ClipboardHolder::Held());
    std::thread letGo([&] {
      Sleep(300);
      holder.Release();
    });
    ClipboardBackup backup;
    backup.Backup();
    letGo.join();
    EXPECT_GT(backup.SavedCount(), 0u);
  }
  {
    // Never let go: the backup gives up (after about 1.5 s) while it is
    // still held.
    ClipboardHolder holder;
    ASSERT_TRUE(ClipboardHolder::Held());
    DWORD start = GetTickCount();
    ClipboardBackup backup;
    backup.Backup();
    EXPECT_GE(GetTickCount() - start, 1400u);
    EXPECT_TRUE(ClipboardHolder::Held());
    EXPECT_EQ(backup.SavedCount(), 0u);
  }
  ExpectUserClipboardIntact("after a held clipboard");
}

// ---- processes ---------------------------------------------------------------------------
TEST(Processes, CountsAndNamesOfStandins) {
  int before = CountProcessesByName(u"Totalcmd.exe");
  test_support::Standin first(L"Totalcmd.exe", L"", L"TTOTAL_CMD");
  ASSERT_TRUE(first.Window());
  EXPECT_EQ(CountProcessesByName(u"totalcmd.EXE"), before + 1);
  {
    test_support::Standin second(L"Totalcmd.exe", L"", L"TTOTAL_CMD");
    EXPECT_EQ(CountProcessesByName(u"TOTALCMD.exe"), before + 2);
  }
  EXPECT_EQ(CountProcessesByName(u"Totalcmd"), 0);
  EXPECT_EQ(CountProcessesByName(u""), 0);
  EXPECT_EQ(GetProcessExeName(first.ProcessId()), u"Totalcmd.exe");
  EXPECT_EQ(GetProcessExeName(0xFFFFFFF0), u"");
  std::u16string path = GetWindowProcessPath(first.Window());
  EXPECT_TRUE(core::EqualsIgnoreCase(path, U(test_support::StandinDir()) + u"Totalcmd.exe"))
      << core::Utf16ToUtf8(path);
  EXPECT_EQ(GetWindowProcessPath(nullptr), u"");
}

// ---- Total Commander ----------------------------------------------------------------------
TEST(TotalCommander, FolderSelectionAndPanelsThroughTheClipboard) {
  const Fixture& f = Files();
  test_support::Standin tc(L"Totalcmd.exe",
                           L"--left=\"" + f.dir + L"\" --right=C:\\windows --select=\"" + f.file +
                               L"|" + f.sub + L"|C:\\gone.txt\"",
                           L"TTOTAL_CMD");
  ASSERT_TRUE(tc.Window());
  PutUserClipboard();
  OpenedFolder folder = GetTotalCommanderFolder();
  EXPECT_EQ(folder.window, tc.Window());
  EXPECT_EQ(folder.path, U(f.dir));
  ExpectUserClipboardIntact("folder");

  EXPECT_EQ(GetTotalCommanderSelection(tc.Window(), SelectionMode::File), U(f.file));
  EXPECT_EQ(GetTotalCommanderSelection(tc.Window(), SelectionMode::Folder), U(f.sub));
  EXPECT_EQ(GetTotalCommanderSelection(tc.Window(), SelectionMode::Path),
            U(f.file + L"\r\n" + f.sub + L"\r\nC:\\gone.txt\r\n"));
  ExpectUserClipboardIntact("selection");

  EXPECT_TRUE(IsTotalCommanderLeftPanelActive());
  HWND left = FindWindowExW(tc.Window(), nullptr, L"TMyListBox", nullptr);
  RECT want{}, got = GetTotalCommanderPanelRect(1);
  GetWindowRect(left, &want);
  EXPECT_TRUE(EqualRect(&want, &got));
  RECT right = GetTotalCommanderPanelRect(2);
  EXPECT_GT(right.left, got.left);
}

TEST(TotalCommander, NoAnswerOrAHungWindowGiveNoFolderAndKeepTheClipboard) {
  {
    test_support::Standin silent(L"Totalcmd.exe", L"--silent", L"TTOTAL_CMD");
    PutUserClipboard();
    OpenedFolder folder = GetTotalCommanderFolder();
    EXPECT_EQ(folder.window, silent.Window());
    EXPECT_EQ(folder.path, u"");
    ExpectUserClipboardIntact("silent");
  }
  test_support::Standin hung(L"Totalcmd.exe", L"--hang=6000", L"TTOTAL_CMD");
  PutUserClipboard();
  test_support::TraceLog log;
  DWORD start = GetTickCount();
  OpenedFolder folder = GetTotalCommanderFolder();
  EXPECT_LT(GetTickCount() - start, 4000u);
  EXPECT_EQ(folder.path, u"");
  ExpectUserClipboardIntact("hung");
  // The expired wait is traced with the message and the window's class.
  std::string trace = log.Text();
  EXPECT_NE(trace.find("no answer to message 0x0433 from window "), std::string::npos) << trace;
  EXPECT_NE(trace.find("(class TTOTAL_CMD) within 2000 ms"), std::string::npos) << trace;
}

// ---- Explorer --------------------------------------------------------------------------------
TEST(Explorer, FolderAndSelectionThroughTheShellWindows) {
  const Fixture& f = Files();
  test_support::Standin explorer(
      L"ExplorerStandin.exe",
      L"--folder=\"" + f.dir + L"\" --select=\"" + f.file + L"|" + f.sub + L"\"", L"CabinetWClass");
  ASSERT_TRUE(explorer.Window());
  EXPECT_FALSE(IsExplorerHostWindow(explorer.Window()));
  OpenedFolder folder = GetExplorerFolder(explorer.Window());
  EXPECT_EQ(folder.window, explorer.Window());
  EXPECT_TRUE(core::EqualsIgnoreCase(folder.path, U(f.dir))) << core::Utf16ToUtf8(folder.path);
  EXPECT_EQ(GetExplorerSelection(explorer.Window(), SelectionMode::Path),
            U(f.file + L"\r\n" + f.sub + L"\\"));
  EXPECT_EQ(GetExplorerSelection(explorer.Window(), SelectionMode::File), U(f.file));
  EXPECT_EQ(GetExplorerSelection(explorer.Window(), SelectionMode::Folder), U(f.sub + L"\\"));

  OpenedFolder byManager = GetFolderOfManager(FolderManager::Explorer);
  EXPECT_EQ(byManager.window, explorer.Window());
  EXPECT_EQ(byManager.path, folder.path);

  // A window that is not Explorer's gives nothing.
  OpenedFolder none = GetExplorerFolder(GetDesktopWindow());
  EXPECT_EQ(none.window, nullptr);
  EXPECT_EQ(none.path, u"");

  RECT bar = GetExplorerAddressBarRect();
  EXPECT_FALSE(IsRectEmpty(&bar));
}

TEST(Explorer, AHungExplorerGivesNoFolderInsteadOfFreezing) {
  test_support::StandinLog standins;
  test_support::Standin explorer(L"ExplorerStandin.exe", L"--folder=C:\\windows --hang=8000",
                                 L"CabinetWClass");
  ASSERT_TRUE(explorer.Window());
  // Asleep from its own word on, not after a guessed delay (a busy machine
  // may start the stand-in's timer late).
  ASSERT_EQ(standins.WaitFor("ExplorerStandin.exe: hanging").size(), 1u);
  test_support::TraceLog log;
  DWORD start = GetTickCount();
  OpenedFolder folder = GetExplorerFolder(explorer.Window());
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_EQ(folder.window, explorer.Window());
  EXPECT_EQ(folder.path, u"");
  std::string trace = log.Text();
  EXPECT_NE(trace.find("the shell window collection did not answer within 3000 ms: folder of "
                       "window "),
            std::string::npos)
      << trace;
}

TEST(Explorer, StandinNavigatesThroughTheShellWindows) {
  test_support::Standin explorer(L"ExplorerStandin.exe", L"--folder=C:\\windows", L"CabinetWClass");
  ASSERT_TRUE(explorer.Window());
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  {
    ComPtr<IShellWindows> windows;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&windows)));
    long count = 0;
    ASSERT_HRESULT_SUCCEEDED(windows->get_Count(&count));
    bool navigated = false;
    for (long i = 0; i < count && !navigated; ++i) {
      VARIANT index;
      VariantInit(&index);
      index.vt = VT_I4;
      index.lVal = i;
      ComPtr<IDispatch> item;
      ComPtr<IWebBrowser2> browser;
      SHANDLE_PTR handle = 0;
      if (FAILED(windows->Item(index, &item)) || !item || FAILED(item.As(&browser)) ||
          FAILED(browser->get_HWND(&handle)) || reinterpret_cast<HWND>(handle) != explorer.Window())
        continue;
      VARIANT url;
      VariantInit(&url);
      url.vt = VT_BSTR;
      url.bstrVal = SysAllocString(L"C:\\windows\\system32");
      navigated = SUCCEEDED(browser->Navigate2(&url, nullptr, nullptr, nullptr, nullptr));
      VariantClear(&url);
    }
    EXPECT_TRUE(navigated);
  }
  CoUninitialize();
  OpenedFolder folder = GetExplorerFolder(explorer.Window());
  EXPECT_TRUE(core::EqualsIgnoreCase(folder.path, u"C:\\windows\\system32"))
      << core::Utf16ToUtf8(folder.path);
}

TEST(Explorer, HostedViewReportsItsAddressBar) {
  const Fixture& f = Files();
  test_support::Standin host(L"ExplorerStandin.exe", L"--hosted --folder=\"" + f.dir + L"\"",
                             L"PathoramaHostFrame");
  ASSERT_TRUE(host.Window());
  HWND view = FindWindowExW(host.Window(), nullptr, L"CabinetWClass", nullptr);
  ASSERT_TRUE(view);
  EXPECT_TRUE(IsExplorerHostWindow(host.Window()));
  EXPECT_EQ(FindExplorerWindow(host.Window()), view);
  EXPECT_EQ(FindTopmostFolderManagerWindow(), view);
  EXPECT_EQ(GetTopmostFolderManager(), FolderManager::Explorer);
  OpenedFolder folder = GetFolderOfTopmostManager();
  EXPECT_EQ(folder.window, view);
  EXPECT_EQ(folder.path, U(f.dir));
}

// ---- Directory Opus ------------------------------------------------------------------------
// dopusrt.exe needs a process start; under Wine that takes longer than the
// 60 ms a real machine gets.
constexpr int kStartWaitMs = 5000;

TEST(DirectoryOpus, FolderAndSelectionThroughDopusrt) {
  const Fixture& f = Files();
  test_support::Standin lister(
      L"dopus.exe",
      L"--quote --folder=\"" + f.dir + L"\" --select=\"" + f.file + L"|" + f.sub + L"\"",
      L"dopus.lister");
  ASSERT_TRUE(lister.Window());
  // What dopusrt.exe receives, as its raw command line.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring log = std::wstring(temp) + L"pathorama-dopusrt-" + std::to_wstring(GetCurrentProcessId()) + L".log";
  DeleteFileW(log.c_str());
  SetEnvironmentVariableW(L"PATHORAMA_STANDIN_LOG", log.c_str());
  PutUserClipboard();
  OpenedFolder folder = GetDirectoryOpusFolder(kStartWaitMs);
  SetEnvironmentVariableW(L"PATHORAMA_STANDIN_LOG", nullptr);
  std::string logged;
  {
    HANDLE h = CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (h != INVALID_HANDLE_VALUE && ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
      logged.append(buffer, got);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    DeleteFileW(log.c_str());
  }
  std::string runner = core::Utf16ToUtf8(U(test_support::StandinDir())) + "dopusrt.exe";
  EXPECT_NE(logged.find("dopusrt.exe: cmdline: \"" + runner + "\" /cmd Clipboard SET {sourcepath$}"),
            std::string::npos) << logged;
  EXPECT_EQ(folder.window, lister.Window());
  EXPECT_EQ(folder.path, U(f.dir));  // the quotes are trimmed
  ExpectUserClipboardIntact("dopus folder");
  EXPECT_EQ(GetDirectoryOpusSelection(kStartWaitMs), U(f.file + L"\r\n" + f.sub));
  ExpectUserClipboardIntact("dopus selection");
  RECT first = GetDirectoryOpusFileDisplayRect(1),
       second = GetDirectoryOpusFileDisplayRect(2),
       third = GetDirectoryOpusFileDisplayRect(3);
  EXPECT_LT(first.left, second.left);
  EXPECT_TRUE(IsRectEmpty(&third));
}

TEST(DirectoryOpus, TheUsersOwnTextIsNeverTakenForTheFolder) {
  test_support::Standin lister(L"dopus.exe", L"--silent --folder=C:\\windows", L"dopus.lister");
  ASSERT_TRUE(lister.Window());
  PutUserClipboard();
  test_support::TraceLog log;
  OpenedFolder folder = GetDirectoryOpusFolder(1500);
  EXPECT_EQ(folder.window, lister.Window());
  EXPECT_EQ(folder.path, u"");
  ExpectUserClipboardIntact("silent dopus");
  std::string trace = log.Text();
  EXPECT_NE(trace.find("dopusrt.exe left no answer on the clipboard within 1500 ms: /cmd "
                       "Clipboard SET {sourcepath$}"),
            std::string::npos)
      << trace;
}

// ---- XYplorer, Xplorer2, FreeCommander and the Z order ----------------------------------
bool IsAbove(HWND upper, HWND lower) {
  for (HWND w : TopLevelWindowsInZOrder()) {
    if (w == upper) return true;
    if (w == lower) return false;
  }
  return false;
}

// Raising another process' window may take the window system a moment.
void RaiseAbove(HWND window, HWND other) {
  for (int attempt = 0; attempt < 40 && !IsAbove(window, other); ++attempt) {
    SetForegroundWindow(window);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    test_support::PumpFor(50);
  }
  ASSERT_TRUE(IsAbove(window, other));
}

TEST(FolderManagers, TopmostOfEachKindInZOrder) {
  const Fixture& f = Files();
  test_support::Standin explorer(L"ExplorerStandin.exe", L"--folder=C:\\windows", L"CabinetWClass");
  test_support::Standin tc(L"Totalcmd.exe", L"--left=\"" + f.dir + L"\"", L"TTOTAL_CMD");
  ASSERT_TRUE(explorer.Window() && tc.Window());
  EXPECT_EQ(FindTopmostFolderManagerWindow(), tc.Window());
  EXPECT_EQ(GetTopmostFolderManager(), FolderManager::TotalCommander);
  EXPECT_EQ(GetFolderOfTopmostManager().path, U(f.dir));

  // Minimised, Total Commander still counts where it stands.
  ShowWindow(tc.Window(), SW_MINIMIZE);
  ASSERT_TRUE(test_support::PumpUntil([&] { return IsIconic(tc.Window()) != FALSE; }));
  SetWindowPos(explorer.Window(), tc.Window(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  test_support::PumpFor(200);
  EXPECT_EQ(FindTopmostFolderManagerWindow(), tc.Window());
  RECT minimised = GetTotalCommanderPanelRect(1);
  EXPECT_TRUE(IsRectEmpty(&minimised));

  // A VB form without "XYplorer" in its title is passed over.
  test_support::Standin vb(L"XYplorer.exe", L"--title=\"Some VB program\"", L"ThunderRT6FormDC");
  ASSERT_TRUE(vb.Window());
  EXPECT_EQ(FindTopmostFolderManagerWindow(), tc.Window());

  test_support::Standin xy(L"XYplorer.exe", L"--folder=\"" + f.sub + L"\"", L"ThunderRT6FormDC");
  ASSERT_TRUE(xy.Window());
  EXPECT_EQ(FindTopmostFolderManagerWindow(), xy.Window());
  EXPECT_EQ(GetTopmostFolderManager(), FolderManager::XYplorer);
  OpenedFolder folder = GetXYplorerFolder();
  EXPECT_EQ(folder.window, xy.Window());
  EXPECT_EQ(folder.path, U(f.sub));
  folder = GetFolderOfTopmostManager();
  EXPECT_EQ(folder.window, xy.Window());
  EXPECT_EQ(folder.path, U(f.sub));
  RECT address = GetXYplorerAddressRect();
  EXPECT_FALSE(IsRectEmpty(&address));

  Standin x2(L"xplorer2_64.exe", L"--folder=C:\\users", L"ATL:ExplorerFrame");
  ASSERT_TRUE(x2.Window());
  EXPECT_EQ(GetTopmostFolderManager(), FolderManager::Xplorer2);
  folder = GetFolderOfTopmostManager();
  EXPECT_EQ(folder.window, x2.Window());
  EXPECT_EQ(folder.path, u"C:\\users");
  RECT bar = GetXplorer2AddressRect();
  EXPECT_FALSE(IsRectEmpty(&bar));

  Standin fc(L"FreeCommander.exe", L"", L"FreeCommanderXE.SingleInst.1");
  ASSERT_TRUE(fc.Window());
  EXPECT_EQ(GetTopmostFolderManager(), FolderManager::FreeCommander);
  folder = GetFolderOfTopmostManager();
  EXPECT_EQ(folder.window, nullptr);  // its folder cannot be read
  EXPECT_EQ(folder.path, u"");
  HWND firstList = FindWindowExW(fc.Window(), nullptr, L"TfcDragdropFileListView", nullptr);
  RECT want{}, right = GetFreeCommanderFileListRect(2),
               left = GetFreeCommanderFileListRect(1);
  GetWindowRect(firstList, &want);
  EXPECT_TRUE(EqualRect(&want, &right));
  EXPECT_LT(left.left, right.left);

  // Explorer brought to the top wins again.
  RaiseAbove(explorer.Window(), fc.Window());
  EXPECT_EQ(FindTopmostFolderManagerWindow(), explorer.Window());
  EXPECT_EQ(GetTopmostFolderManager(), FolderManager::Explorer);
}

TEST(FolderManagers, MinimisedFreeCommanderIsShownMaximisedToMeasureItsLists) {
  test_support::Standin fc(L"FreeCommander.exe", L"--minimized", L"FreeCommanderXE.SingleInst.1");
  ASSERT_TRUE(fc.Window());
  ASSERT_TRUE(IsIconic(fc.Window()));
  RECT right = GetFreeCommanderFileListRect(2);
  EXPECT_FALSE(IsIconic(fc.Window()));
  EXPECT_TRUE(IsZoomed(fc.Window()));
  EXPECT_FALSE(IsRectEmpty(&right));
}

// ---- dialogs and keystrokes -------------------------------------------------------------
TEST(Dialogs, TypesAndFileNameEditsAreToldApart) {
  struct Case {
    const wchar_t* mode;
    DialogType type;
    const wchar_t* editParent;
  } cases[] = {
      {L"file", DialogType::OpenFile, L"ComboBox"},
      {L"folder", DialogType::OpenFolder, L"#32770"},
  };
  for (const Case& c : cases) {
    test_support::Standin dialog(L"OpenDialog.exe", std::wstring(L"--mode=") + c.mode, L"#32770");
    ASSERT_TRUE(dialog.Window()) << c.mode;
    EXPECT_EQ(GetDialogType(dialog.Window()), c.type);
    HWND edit = FindDialogFileNameEdit(dialog.Window());
    ASSERT_TRUE(edit) << c.mode;
    EXPECT_EQ(W(ClassNameOf(GetParent(edit))), c.editParent);
    EXPECT_TRUE(IsDialogFileNameEdit(edit, dialog.Window()));
  }
  EXPECT_EQ(GetDialogType(nullptr), DialogType::None);
}

TEST(Dialogs, AddressBandAndDtePathBoxRectangles) {
  test_support::Standin dialog(L"OpenDialog.exe", L"--mode=file", L"#32770");
  ASSERT_TRUE(dialog.Window());
  RECT want{}, got = GetDialogAddressBandRect(dialog.Window());
  GetWindowRect(FindWindowExW(dialog.Window(), nullptr, L"Address Band Root", nullptr), &want);
  EXPECT_FALSE(IsRectEmpty(&got));
  EXPECT_TRUE(EqualRect(&want, &got));

  RECT none = GetDteEditRect();
  EXPECT_TRUE(IsRectEmpty(&none));
  test_support::Standin dte(L"DteStandin.exe", L"--folder=C:\\windows", L"DTE");
  ASSERT_TRUE(dte.Window());
  HWND edit = FindDescendantByChain(
      dte.Window(), {u"Edit", u"SysTabControl32", u"Button", u"DTE"});
  ASSERT_TRUE(edit);
  EXPECT_EQ(ControlTextOf(edit), u"C:\\windows");
  RECT box = GetDteEditRect();
  GetWindowRect(edit, &want);
  EXPECT_TRUE(EqualRect(&want, &box));
}

TEST(Dialogs, SystemOpenDialogIsAnOpenFileDialog) {
  test_support::Standin dialog(L"OpenDialog.exe", L"--mode=common", L"#32770");
  ASSERT_TRUE(dialog.Window());
  EXPECT_EQ(GetDialogType(dialog.Window()), DialogType::OpenFile);
  HWND edit = FindDialogFileNameEdit(dialog.Window());
  std::string layout;
  for (HWND c : DescendantsOf(dialog.Window()))
    layout += core::Utf16ToUtf8(ClassNameOf(c)) + "<" +
              core::Utf16ToUtf8(ClassNameOf(GetParent(c))) +
              (IsWindowVisible(c) ? " v" : " h") + (IsWindowEnabled(c) ? "e" : "d") + "; ";
  ASSERT_TRUE(edit) << layout;
  EXPECT_TRUE(IsDialogFileNameEdit(edit, dialog.Window()));
  PostMessageW(dialog.Window(), WM_COMMAND, IDCANCEL, 0);
}

TEST(Dialogs, DesktopFolderAndDesktopWindow) {
  std::u16string desktop = GetDesktopFolder();
  EXPECT_FALSE(desktop.empty());
  EXPECT_FALSE(IsDesktopWindow(nullptr));
  test_support::Standin x2(L"xplorer2_64.exe", L"", L"ATL:ExplorerFrame");
  EXPECT_FALSE(IsDesktopWindow(x2.Window()));
}

TEST(SendKeys, HeldKeysAndTypedCharactersReachTheFocusedEdit) {
  test_support::Standin dialog(L"OpenDialog.exe", L"--mode=folder", L"#32770");
  ASSERT_TRUE(dialog.Window());
  HWND edit = FindDialogFileNameEdit(dialog.Window());
  ASSERT_TRUE(edit);
  SetForegroundWindow(dialog.Window());
  ASSERT_TRUE(test_support::PumpUntil([&] { return GetForegroundWindow() == dialog.Window(); }));
  DWORD thread = GetWindowThreadProcessId(dialog.Window(), nullptr);
  AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
  SetFocus(edit);
  AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
  EXPECT_EQ(GetForegroundFocus(), edit);
  SendKeysToWindow(dialog.Window(), u"", u"ab1");
  SendKeysToWindow(dialog.Window(), u"Shift+Foo", u"C");
  // The keys arrive when the dialog's thread gets to them.
  test_support::PumpUntil([&] { return ControlTextOf(edit).size() >= 4; });
  EXPECT_EQ(ControlTextOf(edit), u"ab1C");
  // Nothing happens for a vanished window.
  SendKeysToWindow(nullptr, u"Ctrl", u"V");
}

// ---- pathorama-cli windows ----------------------------------------------------------------
std::string Hex(HWND window) {
  char text[32];
  snprintf(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return text;
}

TEST(CliWindows, ListsManagersTopmostFirstAndTheDialogInFront) {
  const Fixture& f = Files();
  test_support::Standin tc(L"Totalcmd.exe",
                           L"--left=C:\\windows --select=\"" + f.file + L"|" + f.sub + L"\"",
                           L"TTOTAL_CMD");
  test_support::Standin explorer(L"ExplorerStandin.exe",
                                 L"--folder=\"" + f.dir + L"\" --select=\"" + f.file + L"\"",
                                 L"CabinetWClass");
  test_support::Standin dialog(L"OpenDialog.exe", L"--mode=file", L"#32770");
  ASSERT_TRUE(tc.Window() && explorer.Window() && dialog.Window());
  SetForegroundWindow(dialog.Window());
  ASSERT_TRUE(test_support::PumpUntil([&] { return GetForegroundWindow() == dialog.Window(); }));
  PutUserClipboard();
  DWORD code = 99;
  std::string out = test_support::RunAndCapture(
      L"\"" + test_support::WindowsPath(PATHORAMA_CLI) + L"\" windows", &code);
  EXPECT_EQ(code, 0u);
  std::string want = "Explorer\t" + Hex(explorer.Window()) + "\t" + core::Utf16ToUtf8(U(f.dir)) +
                     "\t1\n" + "TotalCommander\t" + Hex(tc.Window()) + "\tC:\\windows\t2\n" +
                     "dialog\t" + Hex(dialog.Window()) + "\tOpenFile\n";
  EXPECT_EQ(out, want);
  ExpectUserClipboardIntact("pathorama-cli windows");
}

}  // namespace
}  // namespace pathorama::windows::win32
