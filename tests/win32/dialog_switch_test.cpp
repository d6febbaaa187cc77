// Switching Open/Save dialogs and filling text boxes, against Wine's own
// file dialog and the stand-ins, and the dialog watch that switches a dialog
// coming to the front right after a file manager.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "standin_process.h"
#include "trace_log.h"
#include "windows/win32/dialog_switch.h"
#include "windows/win32/dialog_watch.h"
#include "windows/win32/dialogs.h"
#include "windows/win32/window_facts.h"

namespace pathorama::windows::win32 {
namespace {

using test_support::PumpFor;
using test_support::Standin;

std::wstring W(std::u16string_view s) { return std::wstring(core::win32::AsWide(s), s.size()); }
std::u16string U(std::wstring_view s) { return core::win32::FromWide(s); }
std::string Utf8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

bool WaitFor(const std::function<bool()>& done, int ms) {
  for (int waited = 0;; waited += 50) {
    if (done()) return true;
    if (waited >= ms) return false;
    PumpFor(50);
  }
}

void MakeFile(const std::wstring& path) {
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// A target folder with two files and a subfolder, and another folder.
struct Folders {
  std::wstring root, target, other;
  Folders() {
    wchar_t temp[MAX_PATH] = {}, longTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    GetLongPathNameW(temp, longTemp, MAX_PATH);
    root = std::wstring(longTemp) + L"pathorama-dialogs-" + std::to_wstring(GetCurrentProcessId());
    target = root + L"\\目标";
    other = root + L"\\other";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(target.c_str(), nullptr);
    CreateDirectoryW(other.c_str(), nullptr);
    CreateDirectoryW((target + L"\\sub").c_str(), nullptr);
    MakeFile(target + L"\\a.txt");
    MakeFile(target + L"\\my report.docx");
    MakeFile(target + L"\\sub\\c.txt");
    MakeFile(other + L"\\b.txt");
  }
  ~Folders() {
    for (const std::wstring& f : {target + L"\\a.txt", target + L"\\my report.docx",
                                  target + L"\\sub\\c.txt", other + L"\\b.txt"})
      DeleteFileW(f.c_str());
    for (const std::wstring& d : {target + L"\\sub", target, other, root})
      RemoveDirectoryW(d.c_str());
  }
  // What a file manager has selected: two files of the target folder, a
  // file elsewhere, a subfolder and a file inside it.
  std::wstring Selection() const {
    return target + L"\\a.txt|" + target + L"\\my report.docx|" + other + L"\\b.txt|" + target +
           L"\\sub|" + target + L"\\sub\\c.txt";
  }
};

const Folders& TheFolders() {
  static Folders folders;
  return folders;
}

// Points the stand-ins' log at a scratch file for the life of the object.
class StandinLog {
 public:
  StandinLog() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"pathorama-dialog-standins-" +
            std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count_) + L".log";
    DeleteFileW(path_.c_str());
    SetEnvironmentVariableW(L"PATHORAMA_STANDIN_LOG", path_.c_str());
  }
  ~StandinLog() {
    SetEnvironmentVariableW(L"PATHORAMA_STANDIN_LOG", nullptr);
    DeleteFileW(path_.c_str());
  }
  std::string Text() const {
    std::string text;
    HANDLE h = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(h);
    return text;
  }
  int Count(const std::string& line) const {
    std::string text = Text();
    int n = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
    return n;
  }

 private:
  static inline int count_ = 0;
  std::wstring path_;
};

// What the stand-in dialog logged of Enter presses in its name field.
int EnterPresses(const StandinLog& log) {
  return log.Count(": navigated: ") + log.Count(": confirmed: ") + log.Count(": refused: ");
}

std::u16string FieldText(HWND edit) { return ControlTextOf(edit, 4096); }

TextRange SelectionOf(HWND edit) {
  DWORD packed = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
  return {LOWORD(packed), HIWORD(packed)};
}

void SetField(HWND edit, std::u16string_view text) {
  std::wstring copy = W(text);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

// Brings `window` to the front; other processes' windows may take a moment.
bool BringForeground(HWND window) {
  return WaitFor(
      [&] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
      },
      3000);
}

class RecordingPrompts : public core::UserPrompts {
 public:
  struct Told {
    std::u16string text, caption;
    core::PromptIcon icon;
  };
  std::vector<Told> told;
  void Tell(std::u16string_view text, std::u16string_view caption,
            core::PromptIcon icon) override {
    told.push_back({std::u16string(text), std::u16string(caption), icon});
  }
  bool AskYesNo(std::u16string_view, std::u16string_view, core::PromptIcon) override {
    ADD_FAILURE() << "no question is asked here";
    return false;
  }
};

std::u16string TargetFolder() { return U(TheFolders().target); }

// Wine's own Save dialog, opened in the other folder, logging its folder changes.
std::wstring CommonDialogArguments(const std::wstring& name) {
  std::wstring args = L"--mode=common --save --log --folder=\"" + TheFolders().other + L"\"";
  if (!name.empty()) args += L" --name=" + name;
  return args;
}

HWND ReadyFileNameField(HWND dialog, std::u16string_view expected) {
  HWND edit = nullptr;
  WaitFor(
      [&] {
        edit = FindDialogFileNameEdit(dialog);
        return edit && FieldText(edit) == expected;
      },
      5000);
  return edit;
}

// ---- Wine's own file dialog -------------------------------------------------------------
TEST(DialogSwitch, SystemDialogSwitchesAndTheTypedNameComesBackSelected) {
  StandinLog log;
  Standin dialog(L"OpenDialog.exe", CommonDialogArguments(L"report.docx"), L"#32770");
  ASSERT_TRUE(dialog.Window());
  HWND field = ReadyFileNameField(dialog.Window(), u"report.docx");
  ASSERT_TRUE(field);
  DialogSwitchContext context;
  EXPECT_EQ(ChangeDialogFolderPath(dialog.Window(), TargetFolder(), u"", SwitchReason::JumpListItem,
                                   context),
            SwitchResult::Switched);
  EXPECT_TRUE(WaitFor([&] { return log.Count("folder: " + Utf8(TargetFolder()) + "\n") == 1; }, 3000))
      << log.Text();
  EXPECT_EQ(Utf8(FieldText(field)), "report.docx");
  EXPECT_EQ(SelectionOf(field), (TextRange{0, 11}));
  // The dialog was never confirmed, with the name or anything else.
  PumpFor(500);
  EXPECT_TRUE(IsWindow(dialog.Window()));
  EXPECT_EQ(log.Count("result:"), 0) << log.Text();
}

TEST(DialogSwitch, AnEmptyNameIsFilledWithTheManagersFilesOfTheTargetFolderOnly) {
  const Folders& f = TheFolders();
  struct Case {
    const wchar_t* program;
    std::wstring arguments;
    const wchar_t* windowClass;
  } cases[] = {
      {L"Totalcmd.exe", L"--left=\"" + f.target + L"\" --select=\"" + f.Selection() + L"\"",
       L"TTOTAL_CMD"},
      {L"ExplorerStandin.exe", L"--folder=\"" + f.target + L"\" --select=\"" + f.Selection() + L"\"",
       L"CabinetWClass"},
  };
  for (const Case& c : cases) {
    Standin manager(c.program, c.arguments, c.windowClass);
    ASSERT_TRUE(manager.Window()) << Utf8(U(c.program));
    StandinLog log;
    Standin dialog(L"OpenDialog.exe", CommonDialogArguments(L""), L"#32770");
    ASSERT_TRUE(dialog.Window());
    HWND field = ReadyFileNameField(dialog.Window(), u"");
    ASSERT_TRUE(field);
    DialogSwitchContext context;
    EXPECT_EQ(ChangeDialogFolderPath(dialog.Window(), TargetFolder(), u"",
                                     SwitchReason::DialogHotKey, context),
              SwitchResult::Switched)
        << Utf8(U(c.program));
    EXPECT_EQ(Utf8(FieldText(field)), "a.txt \"my report.docx\"") << Utf8(U(c.program));
    EXPECT_EQ(log.Count("folder: " + Utf8(TargetFolder()) + "\n"), 1) << log.Text();
  }
}

// ---- the stand-in dialog: names, refusals and the bounds ------------------------------
TEST(DialogSwitch, TheNameComesBackWholeAndOnlyAfterTheDialogNavigated) {
  std::u16string longName(300, u'n');
  longName += u".txt";
  struct Case {
    const char* name;
    std::u16string typed, fileName, offered, want;
  } cases[] = {
      {"typed name", u"report.docx", u"", u"", u"report.docx"},
      {"name longer than 256", u"", longName, u"", longName},
      {"typed name of 300", longName, u"", u"", longName},
      {"offered names", u"", u"", U(TheFolders().target + L"\\a.txt\r\n" + TheFolders().other +
                                    L"\\b.txt"),
       u"a.txt"},
  };
  for (const Case& c : cases) {
    StandinLog log;
    // The dialog reads its field some time after the Enter, as a real one
    // busy with a large folder does.
    Standin dialog(L"OpenDialog.exe", L"--mode=file --navigate --slow=400", L"#32770");
    ASSERT_TRUE(dialog.Window()) << c.name;
    HWND field = FindDialogFileNameEdit(dialog.Window());
    ASSERT_TRUE(field) << c.name;
    SetField(field, c.typed);
    DialogSwitchContext context;
    std::u16string offered = c.offered;
    context.managerSelection = [&] { return offered; };
    EXPECT_EQ(ChangeDialogFolderPath(dialog.Window(), TargetFolder(), c.fileName,
                                     SwitchReason::JumpListItem, context),
              SwitchResult::Switched)
        << c.name;
    EXPECT_EQ(Utf8(FieldText(field)), Utf8(c.want)) << c.name;
    EXPECT_EQ(SelectionOf(field), (TextRange{0, c.want.size()})) << c.name;
    EXPECT_EQ(log.Count("navigated: " + Utf8(TargetFolder()) + "\n"), 1) << c.name << log.Text();
    EXPECT_EQ(log.Count("confirmed:"), 0) << c.name << log.Text();
  }
}

TEST(DialogSwitch, ADialogThatKeepsTheFolderIsNeitherConfirmedNorGivenTheName) {
  struct Case {
    SwitchReason reason;
    SwitchResult want;
    int fallbacks;
  } cases[] = {
      {SwitchReason::JumpListItem, SwitchResult::NotTaken, 0},
      {SwitchReason::DialogHotKey, SwitchResult::FellBack, 1},
  };
  for (const Case& c : cases) {
    StandinLog log;
    Standin dialog(L"OpenDialog.exe", L"--mode=file --navigate --refuse", L"#32770");
    ASSERT_TRUE(dialog.Window());
    HWND field = FindDialogFileNameEdit(dialog.Window());
    SetField(field, u"report.docx");
    std::vector<std::u16string> fallbacks;
    DialogSwitchContext context;
    context.clipboardFallback = [&](std::u16string_view folder) {
      fallbacks.emplace_back(folder);
    };
    EXPECT_EQ(ChangeDialogFolderPath(dialog.Window(), TargetFolder(), u"", c.reason, context),
              c.want);
    EXPECT_EQ(fallbacks.size(), static_cast<size_t>(c.fallbacks));
    if (!fallbacks.empty()) {
      EXPECT_EQ(fallbacks[0], TargetFolder());
    }
    // One Enter, and the user's name never followed the folder into the dialog.
    PumpFor(300);
    EXPECT_EQ(log.Count("refused: "), 1) << log.Text();
    EXPECT_EQ(log.Count("report.docx"), 0) << log.Text();
    EXPECT_NE(Utf8(FieldText(field)), "report.docx");
  }
}

TEST(DialogSwitch, AFieldThatNeverShowsTheFolderIsNotConfirmedAndGetsItsTextBack) {
  StandinLog log;
  Standin dialog(L"OpenDialog.exe", L"--mode=file --navigate", L"#32770");
  ASSERT_TRUE(dialog.Window());
  HWND field = FindDialogFileNameEdit(dialog.Window());
  SetField(field, u"report.docx");
  SendMessageW(field, EM_SETSEL, 2, 2);
  DialogSwitchContext context;
  // Inserted, the folder never makes up the whole field.
  EXPECT_EQ(InputFolderPathInSubEdit(dialog.Window(), field, TargetFolder(), u"", FillMode::Insert,
                                     SwitchReason::JumpListItem, context),
            SwitchResult::NotTaken);
  EXPECT_EQ(Utf8(FieldText(field)), "report.docx");
  PumpFor(200);
  EXPECT_EQ(EnterPresses(log), 0) << log.Text();  // no Enter reached the dialog
}

TEST(DialogSwitch, NotAFolderIsToldAndNothingIsTyped) {
  StandinLog log;
  Standin dialog(L"OpenDialog.exe", L"--mode=file --navigate", L"#32770");
  ASSERT_TRUE(dialog.Window());
  HWND field = FindDialogFileNameEdit(dialog.Window());
  SetField(field, u"report.docx");
  RecordingPrompts prompts;
  DialogSwitchContext context;
  context.prompts = &prompts;
  for (std::u16string folder : {U(TheFolders().target + L"\\a.txt"), std::u16string(u"C:\\no\\such"),
                                std::u16string()}) {
    prompts.told.clear();
    EXPECT_EQ(ChangeDialogFolderPath(dialog.Window(), folder, u"", SwitchReason::DialogHotKey,
                                     context),
              SwitchResult::NotAFolder)
        << Utf8(folder);
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_EQ(Utf8(prompts.told[0].text), "当前待打开的不是本地文件夹路径，无法切换");
    EXPECT_EQ(Utf8(prompts.told[0].caption), "文件夹路径不存在");
    EXPECT_EQ(prompts.told[0].icon, core::PromptIcon::Warning);
  }
  EXPECT_EQ(Utf8(FieldText(field)), "report.docx");
  EXPECT_EQ(EnterPresses(log), 0) << log.Text();
}

// One of the program's own file dialogs, as the future ones register.
class FakeOwnDialog : public OwnFileDialog {
 public:
  explicit FakeOwnDialog(HWND shows) : shows_(shows) {}
  bool Shows(HWND dialog) const override { return dialog == shows_; }
  void Reopen(HWND dialog, std::u16string_view folder, std::u16string_view fileName) override {
    calls.push_back({dialog, std::u16string(folder), std::u16string(fileName)});
  }
  struct Call {
    HWND dialog;
    std::u16string folder, fileName;
  };
  std::vector<Call> calls;

 private:
  HWND shows_;
};

TEST(DialogSwitch, OwnFileDialogsAreReopenedNotTypedInto) {
  StandinLog log;
  Standin dialog(L"OpenDialog.exe", L"--mode=file --navigate", L"#32770");
  ASSERT_TRUE(dialog.Window());
  HWND field = FindDialogFileNameEdit(dialog.Window());
  FakeOwnDialog own(dialog.Window()), unrelated(nullptr);
  OwnFileDialogs registry;
  registry.Register(unrelated);
  registry.Register(own);
  DialogSwitchContext context;
  context.ownDialogs = &registry;
  EXPECT_EQ(ChangeDialogFolderPath(dialog.Window(), TargetFolder(), u"x.txt",
                                   SwitchReason::JumpListItem, context),
            SwitchResult::ReopenedOwnDialog);
  ASSERT_EQ(own.calls.size(), 1u);
  EXPECT_EQ(own.calls[0].dialog, dialog.Window());
  EXPECT_EQ(own.calls[0].folder, TargetFolder());
  EXPECT_EQ(own.calls[0].fileName, u"");
  EXPECT_TRUE(unrelated.calls.empty());
  EXPECT_EQ(Utf8(FieldText(field)), "");
  EXPECT_EQ(EnterPresses(log), 0) << log.Text();
  registry.Unregister(own);
  EXPECT_EQ(registry.Find(dialog.Window()), nullptr);
}

// ---- ordinary text boxes ---------------------------------------------------------------------
TEST(DialogSwitch, OrdinaryBoxesAreFilledByEveryModeAsOneUndoableEdit) {
  Standin editor(L"EditorStandin.exe", L"", L"EditorStandin");
  ASSERT_TRUE(editor.Window());
  HWND edit = FindWindowExW(editor.Window(), nullptr, L"Edit", nullptr);
  ASSERT_TRUE(edit);
  std::u16string longText(300, u'a');
  longText += u"TAIL";
  using M = FillMode;
  using S = SelectionAfterFill;
  struct Case {
    const char* name;
    std::u16string text;
    TextRange selection;
    M mode;
    S select;
    std::u16string want;
    TextRange wantSelection;
  } cases[] = {
      {"cover", u"abcdef", {2, 4}, M::CoverAll, S::FilledFolder, u"D:\\Work", {0, 7}},
      {"cover, whole", u"abcdef", {2, 4}, M::CoverAll, S::WholeText, u"D:\\Work", {0, 7}},
      {"insert, folder selected", u"abcdef", {2, 4}, M::Insert, S::FilledFolder, u"abcdD:\\Workef", {4, 11}},
      {"insert, whole", u"abcdef", {2, 4}, M::Insert, S::WholeText, u"abcdD:\\Workef", {0, 13}},
      {"replace, folder selected", u"abcdef", {2, 4}, M::ReplaceSel, S::FilledFolder, u"abD:\\Workef", {2, 9}},
      {"replace, whole", u"abcdef", {2, 4}, M::ReplaceSel, S::WholeText, u"abD:\\Workef", {0, 11}},
      {"long text keeps every character", longText, {280, 280}, M::Insert, S::FilledFolder,
       longText.substr(0, 280) + u"D:\\Work" + longText.substr(280), {280, 287}},
  };
  for (const Case& c : cases) {
    SetField(edit, c.text);
    SendMessageW(edit, EM_SETSEL, c.selection.start, c.selection.end);
    DialogSwitchContext context;
    context.options.selectionAfterFill = c.select;
    EXPECT_EQ(InputFolderPathInSubEdit(editor.Window(), edit, u"D:\\Work", u"", c.mode,
                                       SwitchReason::DialogHotKey, context),
              SwitchResult::Filled)
        << c.name;
    EXPECT_EQ(Utf8(FieldText(edit)), Utf8(c.want)) << c.name;
    EXPECT_EQ(SelectionOf(edit), c.wantSelection) << c.name;
    // One undo gives the text back as it was.
    EXPECT_TRUE(SendMessageW(edit, EM_CANUNDO, 0, 0)) << c.name;
    SendMessageW(edit, EM_UNDO, 0, 0);
    EXPECT_EQ(Utf8(FieldText(edit)), Utf8(c.text)) << c.name;
  }
}

TEST(DialogSwitch, AHungBoxEndsTheFillWithinTheBound) {
  StandinLog log;
  Standin editor(L"EditorStandin.exe", L"--text=abc --hang=10000", L"EditorStandin");
  ASSERT_TRUE(editor.Window());
  HWND edit = FindWindowExW(editor.Window(), nullptr, L"Edit", nullptr);
  ASSERT_TRUE(edit);
  ASSERT_TRUE(WaitFor([&] { return log.Count("hanging") == 1; }, 5000));
  test_support::TraceLog trace;
  DialogSwitchContext context;
  DWORD start = GetTickCount();
  EXPECT_EQ(InputFolderPathInSubEdit(editor.Window(), edit, u"D:\\Work", u"", FillMode::Insert,
                                     SwitchReason::DialogHotKey, context),
            SwitchResult::NoAnswer);
  // The box hangs for 10 s; the fill gives up after its one bounded wait.
  EXPECT_LT(GetTickCount() - start, 5000u);
  EXPECT_NE(trace.Text().find("stopped answering: folder not filled"), std::string::npos)
      << trace.Text();
}

// A "#32770" of this process without a file name field: its only edit is
// its first child.
struct OwnPlainDialog {
  HWND dialog = nullptr, edit = nullptr;
  OwnPlainDialog() {
    dialog = CreateWindowExW(0, L"#32770", L"own", WS_POPUP | WS_CAPTION | WS_VISIBLE, 300, 300, 300,
                             120, nullptr, nullptr, nullptr, nullptr);
    edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10,
                           10, 260, 24,
                           dialog, nullptr, nullptr, nullptr);
  }
  ~OwnPlainDialog() { DestroyWindow(dialog); }
};

TEST(DialogSwitch, OnlyTheDialogHotKeyFillsTheFocusedBoxOrFallsBack) {
  OwnPlainDialog own;
  ASSERT_EQ(FindDialogFileNameEdit(own.dialog), nullptr);
  struct Case {
    const char* name;
    SwitchReason reason;
    bool fillOption;
    SwitchResult want;
    bool filled;
    int fallbacks;
  } cases[] = {
      {"jump-list entry", SwitchReason::JumpListItem, true, SwitchResult::Nothing, false, 0},
      {"watch", SwitchReason::Timer, true, SwitchResult::Nothing, false, 0},
      {"dialog hotkey", SwitchReason::DialogHotKey, true, SwitchResult::Filled, true, 0},
      {"dialog hotkey, filling off", SwitchReason::DialogHotKey, false, SwitchResult::FellBack,
       false, 1},
  };
  for (const Case& c : cases) {
    SetField(own.edit, u"old");
    ASSERT_TRUE(BringForeground(own.dialog)) << c.name;
    SetFocus(own.edit);
    SendMessageW(own.edit, EM_SETSEL, 3, 3);
    int fallbacks = 0;
    DialogSwitchContext context;
    context.options.fillFocusedEdit = c.fillOption;
    context.options.focusedEditMode = FillMode::Insert;
    context.clipboardFallback = [&](std::u16string_view folder) {
      ++fallbacks;
      EXPECT_EQ(folder, TargetFolder());
    };
    EXPECT_EQ(ChangeDialogFolderPath(own.dialog, TargetFolder(), u"", c.reason, context), c.want)
        << c.name;
    EXPECT_EQ(Utf8(FieldText(own.edit)), Utf8(c.filled ? u"old" + TargetFolder() : u"old"))
        << c.name;
    EXPECT_EQ(fallbacks, c.fallbacks) << c.name;
  }
}

// ---- the dialog watch ------------------------------------------------------------------------
TEST(DialogWatch, SwitchesADialogThatComesRightAfterAFileManagerOnce) {
  const Folders& f = TheFolders();
  struct Case {
    const wchar_t* program;
    std::wstring arguments;
    const wchar_t* windowClass;
  } cases[] = {
      {L"Totalcmd.exe", L"--left=\"" + f.target + L"\"", L"TTOTAL_CMD"},
      {L"ExplorerStandin.exe", L"--folder=\"" + f.target + L"\"", L"CabinetWClass"},
  };
  for (const Case& c : cases) {
    std::string name = Utf8(U(c.program));
    Standin manager(c.program, c.arguments, c.windowClass);
    ASSERT_TRUE(manager.Window()) << name;
    StandinLog log;
    Standin dialog(L"OpenDialog.exe", CommonDialogArguments(L"report.docx"), L"#32770");
    ASSERT_TRUE(dialog.Window()) << name;
    HWND field = ReadyFileNameField(dialog.Window(), u"report.docx");
    ASSERT_TRUE(field) << name;
    DialogWatch watch(DialogSwitchContext{});
    ASSERT_TRUE(BringForeground(manager.Window())) << name;
    watch.Tick();
    ASSERT_TRUE(BringForeground(dialog.Window())) << name;
    watch.Tick();
    EXPECT_EQ(watch.Actions(), 1) << name;
    std::string switched = "folder: " + Utf8(TargetFolder()) + "\n";
    EXPECT_TRUE(WaitFor([&] { return log.Count(switched) == 1; }, 3000)) << name << log.Text();
    EXPECT_EQ(Utf8(FieldText(field)), "report.docx") << name;
    // While the dialog stays in front nothing more happens.
    for (int tick = 0; tick < 5; ++tick) {
      PumpFor(200);
      watch.Tick();
    }
    EXPECT_EQ(watch.Actions(), 1) << name;
    EXPECT_EQ(log.Count(switched), 1) << name << log.Text();
  }
}

TEST(DialogWatch, LeavesOtherDialogsAndTheProgramsOwnWindowsAlone) {
  const Folders& f = TheFolders();
  Standin tc(L"Totalcmd.exe", L"--left=\"" + f.target + L"\"", L"TTOTAL_CMD");
  ASSERT_TRUE(tc.Window());
  StandinLog log;
  Standin nameOnly(L"OpenDialog.exe", L"--mode=file --navigate", L"#32770");
  Standin message(L"OpenDialog.exe", L"--mode=message", L"#32770");
  ASSERT_TRUE(nameOnly.Window() && message.Window());
  // A window of this process that looks like a file dialog.
  OwnPlainDialog own;
  WNDCLASSW view{};
  view.lpfnWndProc = DefWindowProcW;
  view.lpszClassName = L"SHELLDLL_DefView";
  RegisterClassW(&view);
  CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE, 10, 40, 260, 40, own.dialog,
                  nullptr, nullptr, nullptr);
  struct Case {
    const char* name;
    HWND window;
    HWND field;
  } cases[] = {
      {"a dialog without a folder view", nameOnly.Window(), FindDialogFileNameEdit(nameOnly.Window())},
      {"a message box", message.Window(), nullptr},
      {"the program's own window", own.dialog, own.edit},
  };
  DialogWatch watch(DialogSwitchContext{});
  for (const Case& c : cases) {
    ASSERT_TRUE(BringForeground(tc.Window())) << c.name;
    watch.Tick();
    ASSERT_TRUE(BringForeground(c.window)) << c.name;
    watch.Tick();
    PumpFor(200);
    EXPECT_EQ(watch.Actions(), 0) << c.name;
    if (c.field) {
      EXPECT_EQ(Utf8(FieldText(c.field)), "") << c.name;
    }
  }
  EXPECT_EQ(EnterPresses(log), 0) << log.Text();
}

TEST(DialogWatch, DoesNothingWhilePausedAndActsOnTheNextArrival) {
  const Folders& f = TheFolders();
  Standin tc(L"Totalcmd.exe", L"--left=\"" + f.target + L"\"", L"TTOTAL_CMD");
  ASSERT_TRUE(tc.Window());
  StandinLog log;
  DialogWatch watch(DialogSwitchContext{});
  Standin real(L"OpenDialog.exe", CommonDialogArguments(L"report.docx"), L"#32770");
  ASSERT_TRUE(real.Window());
  ASSERT_TRUE(ReadyFileNameField(real.Window(), u"report.docx"));
  std::string switched = "folder: " + Utf8(TargetFolder()) + "\n";
  {
    DialogWatch::Pause pause(watch);
    EXPECT_TRUE(watch.IsPaused());
    ASSERT_TRUE(BringForeground(tc.Window()));
    watch.Tick();
    ASSERT_TRUE(BringForeground(real.Window()));
    watch.Tick();
    EXPECT_EQ(watch.Actions(), 0);
  }
  EXPECT_FALSE(watch.IsPaused());
  watch.Tick();  // the same dialog, still in front: no new arrival
  EXPECT_EQ(watch.Actions(), 0);
  PumpFor(300);
  EXPECT_EQ(log.Count(switched), 0) << log.Text();
  ASSERT_TRUE(BringForeground(tc.Window()));
  watch.Tick();
  ASSERT_TRUE(BringForeground(real.Window()));
  watch.Tick();
  EXPECT_EQ(watch.Actions(), 1);
  EXPECT_TRUE(WaitFor([&] { return log.Count(switched) == 1; }, 3000)) << log.Text();
}

}  // namespace
}  // namespace pathorama::windows::win32
