// Opening paths against the stand-ins: the console, the registry editors,
// folder-manager command lines, waits and hidden starts, Explorer's active
// tab, the "DTE" path box and web addresses.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "paths/opening.h"
#include "paths/win32/item_run.h"
#include "paths/win32/open_path.h"
#include "standin_log.h"
#include "standin_process.h"
#include "windows/win32/clipboard.h"
#include "windows/win32/explorer_shell.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/target_window.h"

namespace pathorama::paths::win32 {
namespace {

using test_support::PumpFor;
using test_support::Standin;
using test_support::StandinDir;
using test_support::StandinLog;

std::u16string U(std::wstring_view s) { return core::win32::FromWide(s); }
std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }
std::string U8(std::wstring_view s) { return core::Utf16ToUtf8(U(s)); }

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  wchar_t longTemp[MAX_PATH] = {};
  GetLongPathNameW(temp, longTemp, MAX_PATH);
  return std::wstring(longTemp);
}

// A scratch folder with two subfolders, removed with everything in it.
struct Scratch {
  std::wstring dir;
  Scratch() {
    static int count = 0;
    dir = TempFolder() + L"pathorama-opening-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++count);
    CreateDirectoryW(dir.c_str(), nullptr);
    CreateDirectoryW((dir + L"\\甲").c_str(), nullptr);
    CreateDirectoryW((dir + L"\\乙").c_str(), nullptr);
  }
  ~Scratch() {
    std::wstring from = dir + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
  }
};

class RecordingPrompts : public core::UserPrompts {
 public:
  std::deque<bool> answers;
  std::vector<std::u16string> shown;
  void Tell(std::u16string_view text, std::u16string_view, core::PromptIcon) override {
    shown.emplace_back(text);
  }
  bool AskYesNo(std::u16string_view text, std::u16string_view, core::PromptIcon) override {
    shown.emplace_back(text);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Points "WinDir" at a folder whose Explorer.exe and RegEdit.exe are the
// start logger, so that nothing real is started and the starts are logged.
class FakeWindowsFolder {
 public:
  // `explorer`: the stand-in that plays Explorer.exe (the start logger, or
  // the Explorer stand-in, which opens a window).
  explicit FakeWindowsFolder(const wchar_t* explorer = L"StartLogger.exe") {
    wchar_t old[MAX_PATH] = {};
    hadOld_ = GetEnvironmentVariableW(L"WinDir", old, MAX_PATH) > 0;
    old_ = old;
    const std::wstring logger = StandinDir() + L"StartLogger.exe";
    CopyFileW((StandinDir() + explorer).c_str(), (scratch_.dir + L"\\Explorer.exe").c_str(), FALSE);
    CopyFileW(logger.c_str(), (scratch_.dir + L"\\RegEdit.exe").c_str(), FALSE);
    SetEnvironmentVariableW(L"WinDir", scratch_.dir.c_str());
  }
  ~FakeWindowsFolder() { SetEnvironmentVariableW(L"WinDir", hadOld_ ? old_.c_str() : nullptr); }

 private:
  Scratch scratch_;
  std::wstring old_;
  bool hadOld_ = false;
};

const std::u16string kUserText = u"用户的剪贴板";

// ---- the console --------------------------------------------------------------------------

TEST(ChangeConsoleFolder, EachModeGetsTheCommandOnceAndTheClipboardComesBack) {
  for (const wchar_t* mode : {L"quickedit", L"menu"}) {
    SCOPED_TRACE(U8(std::wstring_view(mode)));
    Scratch scratch;
    StandinLog log;
    Standin console(L"ConsoleStandin.exe", std::wstring(L"--mode=") + mode + L" --typed=half-typed",
                    L"ConsoleWindowClass");
    ASSERT_TRUE(console.Window());
    PumpFor(300);
    ASSERT_TRUE(windows::win32::SetClipboardText(kUserText));
    const std::wstring folder = scratch.dir + L"\\甲";
    EXPECT_TRUE(ChangeConsoleFolder(console.Window(), U(folder) + u"\\"));
    const std::string want = "cls && cd /d \"" + U8(folder) + "\"";
    std::vector<std::string> commands = log.WaitFor("ConsoleStandin.exe: command ");
    PumpFor(500);  // a second paste or Enter would have arrived by now
    commands = log.LinesStarting("ConsoleStandin.exe: command ");
    EXPECT_EQ(commands, std::vector<std::string>{want});
    EXPECT_EQ(log.LinesStarting("ConsoleStandin.exe: paste ").size(), 1u);
    EXPECT_EQ(U8(windows::win32::GetClipboardText()), U8(kUserText));
  }
}

TEST(ChangeConsoleFolder, ClipboardTakenMeanwhileAbandonsTheCommandAndStays) {
  Scratch scratch;
  StandinLog log;
  Standin console(L"ConsoleStandin.exe", L"--mode=quickedit --steal=别人的", L"ConsoleWindowClass");
  ASSERT_TRUE(console.Window());
  PumpFor(300);
  ASSERT_TRUE(windows::win32::SetClipboardText(kUserText));
  EXPECT_FALSE(ChangeConsoleFolder(console.Window(), U(scratch.dir)));
  EXPECT_EQ(log.WaitFor("ConsoleStandin.exe: escape").size(), 1u);
  PumpFor(300);
  EXPECT_TRUE(log.LinesStarting("ConsoleStandin.exe: command ").empty());
  // What the other program put there is not overwritten by the backup.
  EXPECT_EQ(U8(windows::win32::GetClipboardText()), "别人的");
}

TEST(ChangeConsoleFolder, ConsoleThatIsGoneIsLeftAlone) {
  Scratch scratch;
  HWND gone = nullptr;
  {
    Standin console(L"ConsoleStandin.exe", L"", L"ConsoleWindowClass");
    gone = console.Window();
    ASSERT_TRUE(gone);
  }
  for (int waited = 0; IsWindow(gone) && waited < 5000; waited += 50) PumpFor(50);
  ASSERT_FALSE(IsWindow(gone));
  ASSERT_TRUE(windows::win32::SetClipboardText(kUserText));
  EXPECT_FALSE(ChangeConsoleFolder(gone, U(scratch.dir)));
  EXPECT_EQ(U8(windows::win32::GetClipboardText()), U8(kUserText));
}

// ---- the registry editors ---------------------------------------------------------------

constexpr wchar_t kRegeditKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

std::wstring ReadLastKey() {
  wchar_t value[1024] = {};
  DWORD bytes = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kRegeditKey, L"LastKey", RRF_RT_REG_SZ, nullptr, value, &bytes) !=
      ERROR_SUCCESS)
    return L"<none>";
  return value;
}

void WriteLastKey(const std::wstring& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRegeditKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"LastKey", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

TEST(OpenRegistryPath, OtherEditorGetsTheNormalisedPath) {
  StandinLog log;
  Standin editor(L"RegWorkshopStandin.exe", L"", L"RegWorkshopWndClass");
  ASSERT_TRUE(editor.Window());
  RecordingPrompts prompts;
  OpenRegistryPath(u" hkcu\\Software\\Pathorama\\ ", prompts);
  EXPECT_EQ(log.WaitFor("RegWorkshopStandin.exe: go "),
            std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Pathorama"});
  EXPECT_TRUE(prompts.shown.empty());
}

TEST(OpenRegistryPath, LastKeyIsWrittenAfterTheRunningEditorHasExited) {
  FakeWindowsFolder windowsFolder;
  StandinLog log;
  WriteLastKey(L"我的电脑\\HKEY_USERS");
  // The running editor takes a while to exit and writes its own key as it does.
  Standin running(L"RegeditStandin.exe",
                  L"--exit-ms=800 \"--lastkey=我的电脑\\HKEY_LOCAL_MACHINE\\Stale\"",
                  L"RegEdit_RegEdit");
  ASSERT_TRUE(running.Window());
  RecordingPrompts prompts;
  OpenRegistryPath(u"HKLM\\Software", prompts);
  EXPECT_EQ(U8(ReadLastKey()), "我的电脑\\HKEY_LOCAL_MACHINE\\Software");
  ASSERT_EQ(log.WaitFor("RegEdit.exe: start ").size(), 1u);
  // The editor was started only after the running one had gone.
  const std::vector<std::string> lines = log.Lines();
  const auto exited = std::find(lines.begin(), lines.end(), "RegeditStandin.exe: exit");
  const auto started = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("RegEdit.exe: start ", 0) == 0;
  });
  ASSERT_NE(exited, lines.end());
  EXPECT_LT(exited - lines.begin(), started - lines.begin());
  PumpFor(300);
  EXPECT_EQ(U8(ReadLastKey()), "我的电脑\\HKEY_LOCAL_MACHINE\\Software");
  EXPECT_TRUE(prompts.shown.empty());
}

// ---- OpenPath --------------------------------------------------------------------------------

// "start <ms> show <n> args <arguments>" of the start logger.
struct StartLine {
  long long ms = -1;
  int show = -1;
  std::string args;
};

StartLine ParseStart(const std::string& line) {
  StartLine start;
  const size_t show = line.find(" show ");
  const size_t args = line.find(" args ");
  if (show == std::string::npos || args == std::string::npos) return start;
  start.ms = std::stoll(line.substr(0, show));
  start.show = std::stoi(line.substr(show + 6, args - show - 6));
  start.args = line.substr(args + 6);
  return start;
}

std::vector<StartLine> Starts(const std::vector<std::string>& lines) {
  std::vector<StartLine> starts;
  for (const std::string& line : lines) starts.push_back(ParseStart(line));
  return starts;
}

TEST(OpenPath, StartsTheManagerWithItsTemplate) {
  struct Case {
    const char* what;
    FolderManagerChoice manager;
    const char16_t* params;
    std::string want;  // FOLDER stands for the folder
  };
  const Case cases[] = {
      {"Total Commander", FolderManagerChoice::TotalCommander, uR"(/O /S /L="%1" /T)",
       R"(/O /S /L="FOLDER\" /T)"},
      {"another program", FolderManagerChoice::Other, uR"(-open "%1" -tab)",
       R"(-open "FOLDER\\" -tab)"},
      {"no template", FolderManagerChoice::XYplorer, u"", "FOLDER"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch scratch;
    StandinLog log;
    OpeningOptions options;
    options.manager = c.manager;
    options.programPath = U(StandinDir() + L"StartLogger.exe");
    options.paramTemplate = c.params;
    Win32OpeningFacts facts(c.manager);
    RecordingPrompts prompts;
    const std::u16string folder = U(scratch.dir + L"\\乙");
    OpenPath(PathType::Local, folder, u"", true, nullptr, ShowCommand::Normal, options, facts,
             prompts, {});
    std::string want = c.want;
    want.replace(want.find("FOLDER"), 6, U8(folder));
    const std::vector<StartLine> starts = Starts(log.WaitFor("StartLogger.exe: start "));
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].args, want);
    EXPECT_EQ(starts[0].show, SW_SHOWNORMAL);
    EXPECT_TRUE(prompts.shown.empty());
  }
}

TEST(OpenPath, RefusedStartIsToldWithThePathAndTheReason) {
  Scratch scratch;
  const std::wstring file = scratch.dir + L"\\data.pathorama-no-such-type";
  CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  OpeningOptions options;
  Win32OpeningFacts facts(options.manager);
  RecordingPrompts prompts;
  OpenPath(PathType::Local, U(file), u"", true, nullptr, ShowCommand::Normal, options, facts,
           prompts, {});
  ASSERT_EQ(prompts.shown.size(), 1u);
  const std::string told = U8(prompts.shown[0]);
  EXPECT_EQ(told.rfind(U8(StartFailedMessage(U(file), u"")), 0), 0u) << told;
  EXPECT_GT(told.size(), U8(StartFailedMessage(U(file), u"")).size()) << "no reason: " << told;
}

// A timer that fires while an item waits: messages keep flowing, and a
// second wait asked for meanwhile is refused at once.
int timerTicks = 0;
int nestedWaitResult = -1;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) {
  if (++timerTicks == 1) nestedWaitResult = WaitWithMessages(5) ? 1 : 0;
}

TEST(RunJumpListItem, WaitAndHideStartHiddenThenWaitWithoutFreezing) {
  StandinLog log;
  const std::u16string logger = U(StandinDir() + L"StartLogger.exe");
  const std::u16string info =
      logger + u" </first /Wait 2 /Hide> | " + logger + u" </second>";
  OpenContext context;
  RecordingPrompts prompts;
  timerTicks = 0;
  nestedWaitResult = -1;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, CountTick);
  const ULONGLONG begun = GetTickCount64();
  const ItemRunResult result = RunJumpListItem(info, {}, context, prompts);
  const ULONGLONG took = GetTickCount64() - begun;
  KillTimer(nullptr, timer);
  EXPECT_TRUE(result.anyOpenable);
  EXPECT_TRUE(prompts.shown.empty());
  const std::vector<StartLine> starts = Starts(log.WaitFor("StartLogger.exe: start ", 2));
  ASSERT_EQ(starts.size(), 2u);
  EXPECT_EQ(starts[0].args, "/first");
  EXPECT_EQ(starts[0].show, SW_HIDE);
  EXPECT_EQ(starts[1].args, "/second");
  EXPECT_EQ(starts[1].show, SW_SHOWNORMAL);
  EXPECT_GE(starts[1].ms - starts[0].ms, 1900);
  EXPECT_GE(took, 1900u);
  EXPECT_LT(took, 60000u);
  EXPECT_GT(timerTicks, 5);
  EXPECT_EQ(nestedWaitResult, 0);
}

// ---- Explorer --------------------------------------------------------------------------------

TEST(NavigateExplorerWindow, ActiveTabOfATabbedWindow) {
  Scratch scratch;
  StandinLog log;
  const std::wstring a = scratch.dir, b = scratch.dir + L"\\甲", c = scratch.dir + L"\\乙";
  Standin explorer(L"ExplorerStandin.exe",
                   L"\"--tabs=" + a + L"|" + b + L"|" + c + L"\" --active=2", L"CabinetWClass");
  ASSERT_TRUE(explorer.Window());
  PumpFor(300);
  EXPECT_EQ(U8(windows::win32::GetExplorerFolder(explorer.Window()).path), U8(b));
  EXPECT_TRUE(windows::win32::NavigateExplorerWindow(U(c), explorer.Window()));
  EXPECT_EQ(log.WaitFor("ExplorerStandin.exe: navigate "),
            std::vector<std::string>{"tab 2 " + U8(c)});
  EXPECT_EQ(U8(windows::win32::GetExplorerFolder(explorer.Window()).path), U8(c));
}

TEST(NavigateExplorerWindow, WindowWithoutTabs) {
  Scratch scratch;
  StandinLog log;
  Standin explorer(L"ExplorerStandin.exe", L"\"--folder=" + scratch.dir + L"\"", L"CabinetWClass");
  ASSERT_TRUE(explorer.Window());
  const std::wstring target = scratch.dir + L"\\乙";
  EXPECT_TRUE(windows::win32::NavigateExplorerWindow(U(target), explorer.Window()));
  EXPECT_EQ(log.WaitFor("ExplorerStandin.exe: navigate "), std::vector<std::string>{U8(target)});
}

TEST(NavigateExplorerWindow, HungExplorerGivesFalseInsteadOfFreezing) {
  Scratch scratch;
  StandinLog log;
  Standin explorer(L"ExplorerStandin.exe", L"\"--folder=" + scratch.dir + L"\" --hang=8000",
                   L"CabinetWClass");
  ASSERT_TRUE(explorer.Window());
  ASSERT_EQ(log.WaitFor("ExplorerStandin.exe: hanging").size(), 1u);
  // Unbounded, the call would wait for the window and then succeed.
  EXPECT_FALSE(windows::win32::NavigateExplorerWindow(U(scratch.dir + L"\\甲"), explorer.Window()));
  EXPECT_TRUE(log.LinesStarting("ExplorerStandin.exe: navigate ").empty());
}

// ---- the front ---------------------------------------------------------------------------------

// A window of this test in front, so that a change of the foreground shows.
struct FrontWindow {
  HWND window;
  FrontWindow() {
    window = CreateWindowExW(0, L"STATIC", L"in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400,
                             200, 100, nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(window);
    PumpFor(200);
  }
  ~FrontWindow() { DestroyWindow(window); }
};

// Opens `folder` in a new window of the built-in Explorer; what the user was told.
std::vector<std::u16string> OpenInNewExplorerWindow(const std::wstring& folder) {
  OpeningOptions options;
  Win32OpeningFacts facts(options.manager);
  RecordingPrompts prompts;
  OpenPath(PathType::Local, U(folder), u"", false, nullptr, ShowCommand::Normal, options, facts,
           prompts, {});
  return prompts.shown;
}

TEST(OpenPath, ExplorerWindowTheUserHadStaysWhereItIs) {
  FakeWindowsFolder windowsFolder;  // Explorer.exe opens no window
  Scratch scratch;
  Standin old(L"ExplorerStandin.exe", L"\"--folder=" + scratch.dir + L"\"", L"CabinetWClass");
  ASSERT_TRUE(old.Window());
  FrontWindow front;
  ASSERT_EQ(GetForegroundWindow(), front.window);
  const std::vector<std::u16string> told = OpenInNewExplorerWindow(scratch.dir + L"\\甲");
  for (int waited = 0; GetForegroundWindow() != old.Window() && waited < 1000; waited += 50)
    PumpFor(50);
  EXPECT_NE(GetForegroundWindow(), old.Window());
  EXPECT_TRUE(told.empty());
}

TEST(OpenPath, NewExplorerWindowComesToTheFront) {
  FakeWindowsFolder windowsFolder(L"ExplorerStandin.exe");  // Explorer.exe opens a window
  Scratch scratch;
  FrontWindow front;
  ASSERT_EQ(GetForegroundWindow(), front.window);
  const std::vector<std::u16string> told = OpenInNewExplorerWindow(scratch.dir + L"\\甲");
  EXPECT_TRUE(told.empty());
  HWND fresh = windows::win32::FindTopmostWindowOfClass(u"CabinetWClass");
  ASSERT_TRUE(fresh);
  // The window manager of the display takes a moment to hand over the focus.
  for (int waited = 0; GetForegroundWindow() != fresh && waited < 3000; waited += 50) PumpFor(50);
  EXPECT_EQ(GetForegroundWindow(), fresh);
  DWORD processId = 0;
  GetWindowThreadProcessId(fresh, &processId);
  PostMessageW(fresh, WM_CLOSE, 0, 0);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
  if (process && WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
  if (process) CloseHandle(process);
}

// ---- item runs -------------------------------------------------------------------------------

TEST(RunJumpListItem, MissingFolderAskedNoEndsWithTheMessage) {
  Scratch scratch;
  const std::wstring missing = scratch.dir + L"\\无\\更深";
  OpenContext context;
  RecordingPrompts prompts;
  const ItemRunResult result = RunJumpListItem(U(missing), {}, context, prompts);
  EXPECT_FALSE(result.anyOpenable);
  ASSERT_EQ(prompts.shown.size(), 2u);
  EXPECT_EQ(U8(prompts.shown[0]), U8(CreateFolderQuestion(U(missing))));
  EXPECT_EQ(U8(prompts.shown[1]), U8(kItemPathMissingMessage));
  EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(RunJumpListItem, MissingFolderAskedYesIsCreatedAndOpened) {
  FakeWindowsFolder windowsFolder;
  Scratch scratch;
  StandinLog log;
  const std::wstring missing = scratch.dir + L"\\新\\更深";
  OpenContext context;
  RecordingPrompts prompts;
  prompts.answers = {true};
  const ItemRunResult result = RunJumpListItem(U(missing), {}, context, prompts);
  EXPECT_TRUE(result.anyOpenable);
  EXPECT_EQ(prompts.shown.size(), 1u);
  EXPECT_NE(GetFileAttributesW(missing.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  const std::vector<StartLine> starts = Starts(log.WaitFor("Explorer.exe: start "));
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].args, U8(missing));
}

// Relative paths lie in the program's folder, wherever the process's
// current folder is.
TEST(RunJumpListItem, RelativePathLiesInTheProgramsFolder) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring beside(self);
  beside = beside.substr(0, beside.find_last_of(L'\\') + 1) + L"PathoramaRelativeLogger.exe";
  ASSERT_TRUE(CopyFileW((StandinDir() + L"StartLogger.exe").c_str(), beside.c_str(), FALSE));
  Scratch elsewhere;
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  SetCurrentDirectoryW(elsewhere.dir.c_str());
  StandinLog log;
  OpenContext context;
  RecordingPrompts prompts;
  const ItemRunResult result =
      RunJumpListItem(u"PathoramaRelativeLogger.exe </relative>", {}, context, prompts);
  SetCurrentDirectoryW(previous);
  EXPECT_TRUE(result.anyOpenable);
  EXPECT_TRUE(prompts.shown.empty());
  const std::vector<StartLine> starts = Starts(log.WaitFor("PathoramaRelativeLogger.exe: start "));
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_EQ(starts[0].args, "/relative");
  for (int tries = 0; !DeleteFileW(beside.c_str()) && tries < 50; ++tries) PumpFor(100);
}

TEST(RunJumpListItem, DteTargetGetsTheFolderInItsBox) {
  Scratch scratch;
  StandinLog log;
  Standin dte(L"DteStandin.exe", L"", L"DTE");
  ASSERT_TRUE(dte.Window());
  OpenContext context;
  RecordingPrompts prompts;
  const std::wstring folder = scratch.dir + L"\\甲";
  RunJumpListItem(U(folder), windows::win32::CaptureTarget(dte.Window()), context, prompts);
  EXPECT_EQ(log.WaitFor("DteStandin.exe: enter "), std::vector<std::string>{U8(folder)});
  EXPECT_TRUE(prompts.shown.empty());
}

TEST(RunJumpListItem, WebAddressGoesToTheRegisteredHandler) {
  StandinLog log;
  OpenContext context;
  RecordingPrompts prompts;
  RunJumpListItem(u"<Url>https://example.org/pathorama?q=1", {}, context, prompts);
  const std::vector<StartLine> starts = Starts(log.WaitFor("StartLogger.exe: start "));
  ASSERT_EQ(starts.size(), 1u);
  EXPECT_NE(starts[0].args.find("https://example.org/pathorama?q=1"), std::string::npos)
      << starts[0].args;
  EXPECT_TRUE(prompts.shown.empty());
}

}  // namespace
}  // namespace pathorama::paths::win32
