// The Office readers against the Office stand-in, registered as the running
// Word, Excel or PowerPoint in a scratch prefix whose ProgIDs map to the
// products' class ids (run_with_shell_windows.sh, PATHORAMA_OFFICE_SERVER),
// and the bounded call that every call into another program goes through.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "standin_log.h"
#include "standin_process.h"
#include "trace_log.h"
#include "windows/win32/bounded_call.h"
#include "windows/win32/office_documents.h"
#include "windows/win32/window_facts.h"

namespace pathorama::windows::win32 {
namespace {

using test_support::PumpFor;
using test_support::Standin;
using test_support::StandinLog;

std::u16string U(std::wstring_view s) { return core::win32::FromWide(s); }
std::string U8(std::wstring_view s) { return core::Utf16ToUtf8(U(s)); }

// Scratch folders that exist (a document's folder must), removed at the end.
struct Folders {
  std::wstring root, reports, budget;
  Folders() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    wchar_t longTemp[MAX_PATH] = {};
    GetLongPathNameW(temp, longTemp, MAX_PATH);
    root = std::wstring(longTemp) + L"pathorama-office-" + std::to_wstring(GetCurrentProcessId());
    reports = root + L"\\季度报告";
    budget = root + L"\\Budget 2024";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(reports.c_str(), nullptr);
    CreateDirectoryW(budget.c_str(), nullptr);
  }
  ~Folders() {
    std::wstring from = root + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
  }
};

const Folders& TheFolders() {
  static Folders folders;
  return folders;
}

struct Product {
  OfficeProduct product;
  const wchar_t* option;     // --product=
  const wchar_t* className;  // its main window
  const char* progId;        // as the trace names it
  std::u16string (*reader)(HWND, bool);
};

const Product kWord{OfficeProduct::Word, L"word", L"OpusApp", "Word.Application", GetWordDocumentFolder};
const Product kExcel{OfficeProduct::Excel, L"excel", L"XLMAIN", "Excel.Application", GetExcelWorkbookFolder};
const Product kPowerPoint{OfficeProduct::PowerPoint, L"powerpoint", L"PPTFrameClass", "PowerPoint.Application",
                          GetPowerPointFolder};
const Product kProducts[] = {kWord, kExcel, kPowerPoint};

std::wstring Quoted(const std::wstring& option, const std::wstring& value) {
  return L"\"--" + option + L"=" + value + L"\"";
}

// A stand-in of `product` in `mode`, its document in `folder`.
std::wstring Arguments(const Product& product, const std::wstring& mode,
                       const std::wstring& folder = L"", const std::wstring& more = L"") {
  return L"--product=" + std::wstring(product.option) + L" --mode=" + mode + L" " +
         Quoted(L"folder", folder) + L" " + more;
}

// The "get NAME by PID" lines the stand-ins logged.
std::vector<std::string> Answers(const StandinLog& log) {
  return log.LinesStarting("OfficeStandin.exe: get ");
}

// Whether a process is still running.
bool StillRuns(DWORD processId) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (!process) return false;
  const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return runs;
}

// The top-level windows of `className` owned by `processId`, in Z order from
// the top, visible or not.
std::vector<HWND> WindowsOf(DWORD processId, const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND window : TopLevelWindowsInZOrder()) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && ClassNameOf(window) == U(className)) found.push_back(window);
  }
  return found;
}

// Where a window lies in the Z order (0: the topmost).
size_t ZIndexOf(HWND window) {
  std::vector<HWND> z = TopLevelWindowsInZOrder();
  return static_cast<size_t>(std::find(z.begin(), z.end(), window) - z.begin());
}

// ---- each product in each mode ----------------------------------------------------------

TEST(OfficeReaders, EachProductInEachMode) {
  const std::wstring& folder = TheFolders().reports;
  struct Mode {
    const char* what;
    std::wstring mode;
    std::wstring folder;
    bool found;  // the document's folder is the answer
  } modes[] = {
      {"saved", L"saved", folder, true},
      {"never saved", L"unsaved", L"", false},
      {"no document open", L"nodocument", L"", false},
      {"the call rejected", L"reject", folder, false},
      {"not registered as running", L"absent", folder, false},
      {"a cloud document", L"saved", L"https://d.docs.live.net/4f2a9c/Documents", false},
      {"a folder that is gone", L"saved", folder + L"\\不在了", false},
  };
  for (const Product& product : kProducts) {
    for (const Mode& m : modes) {
      SCOPED_TRACE(std::string(product.progId) + ": " + m.what);
      StandinLog log(L"office");
      Standin office(L"OfficeStandin.exe", Arguments(product, m.mode, m.folder),
                     product.className);
      ASSERT_TRUE(office.Window());
      const std::u16string want = m.found ? U(m.folder) : u"";
      EXPECT_EQ(product.reader(office.Window(), false), want);
      EXPECT_EQ(product.reader(nullptr, true), want);
      EXPECT_EQ(GetOfficeFolderOfWindow(office.Window()), want);
      EXPECT_EQ(GetOfficeDocumentFolder(), want);
      // The readers ask only for names the product has.
      EXPECT_EQ(log.LinesStarting("OfficeStandin.exe: unknown name "), std::vector<std::string>{});
      const std::string pid = std::to_string(office.ProcessId());
      if (m.mode == L"saved") {
        std::vector<std::string> answers = Answers(log);
        EXPECT_NE(std::find(answers.begin(), answers.end(), "Path by " + pid), answers.end());
      }
      if (m.mode == L"absent") {
        EXPECT_EQ(Answers(log), std::vector<std::string>{});
      }
    }
  }
}

TEST(OfficeReaders, OtherWindowsAreNoOfficeWindows) {
  StandinLog log(L"office");
  Standin office(L"OfficeStandin.exe", Arguments(kExcel, L"saved", TheFolders().budget),
                 kExcel.className);
  ASSERT_TRUE(office.Window());
  // Each reader takes its own product's windows only.
  EXPECT_EQ(GetWordDocumentFolder(office.Window(), false), u"");
  EXPECT_EQ(GetPowerPointFolder(office.Window(), false), u"");
  EXPECT_EQ(GetOfficeFolderOfWindow(GetDesktopWindow()), u"");
  EXPECT_EQ(GetOfficeFolderOfWindow(nullptr), u"");
  EXPECT_FALSE(HasWordDocumentPane(office.Window()));
  // Only the Excel reader asked anything.
  EXPECT_EQ(Answers(log), std::vector<std::string>{});
}

TEST(OfficeReaders, NoOfficeRunningGivesNothingAndStartsNone) {
  StandinLog log(L"office");
  test_support::TraceLog trace;
  for (const Product& product : kProducts) {
    EXPECT_EQ(product.reader(nullptr, true), u"") << product.progId;
    EXPECT_FALSE(AskOfficeApplication(product.product).has_value()) << product.progId;
  }
  EXPECT_EQ(GetOfficeDocumentFolder(), u"");
  // The products' local server is StartLogger.exe: it was never started.
  PumpFor(500);
  EXPECT_EQ(log.LinesStarting("StartLogger.exe: start "), std::vector<std::string>{});
  // No Office is no failure worth a trace.
  EXPECT_EQ(trace.Text(), "");
}

TEST(OfficeReaders, WordWithoutDocumentPaneDoesNotCount) {
  StandinLog log(L"office");
  Standin office(L"OfficeStandin.exe",
                 Arguments(kWord, L"saved", TheFolders().reports, L"--no-pane"), kWord.className);
  ASSERT_TRUE(office.Window());
  EXPECT_FALSE(HasWordDocumentPane(office.Window()));
  EXPECT_EQ(GetWordDocumentFolder(office.Window(), true), u"");
  EXPECT_EQ(GetOfficeFolderOfWindow(office.Window()), u"");
  EXPECT_EQ(GetOfficeDocumentFolder(), u"");
  // Without a window to speak for, Word is not even asked.
  EXPECT_EQ(Answers(log), std::vector<std::string>{});
}

TEST(OfficeReaders, TheWalkPassesAnInvisibleOrPanelessWordWindow) {
  for (const wchar_t* extra : {L"hidden", L"no-pane"}) {
    SCOPED_TRACE(U8(extra));
    StandinLog log(L"office");
    // Not waited for by class: the second window, hidden perhaps, is found first.
    Standin office(L"OfficeStandin.exe",
                   Arguments(kWord, L"saved", TheFolders().reports,
                             std::wstring(L"--extra-window=") + extra),
                   nullptr);
    ASSERT_EQ(log.WaitFor("OfficeStandin.exe: ready ").size(), 1u);
    // The second window of the same Word lies above the one with the document.
    const std::vector<HWND> windows = WindowsOf(office.ProcessId(), kWord.className);
    ASSERT_EQ(windows.size(), 2u);
    const HWND second = windows[0], main = windows[1];
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(HasWordDocumentPane(main));
    EXPECT_EQ(IsWindowVisible(second) != FALSE, std::wstring(extra) == L"no-pane");
    EXPECT_EQ(HasWordDocumentPane(second), std::wstring(extra) == L"hidden");

    // That window alone gives nothing; walking on reaches the document.
    EXPECT_EQ(GetWordDocumentFolder(second, false), u"");
    EXPECT_EQ(GetOfficeFolderOfWindow(second), u"");
    EXPECT_EQ(GetWordDocumentFolder(second, true), U(TheFolders().reports));
    EXPECT_EQ(GetWordDocumentFolder(nullptr, true), U(TheFolders().reports));
    EXPECT_EQ(GetOfficeDocumentFolder(), U(TheFolders().reports));
    EXPECT_EQ(GetOfficeFolderOfWindow(main), U(TheFolders().reports));

    // Closed the way the others are, so that it leaves the running object table.
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(log.WaitFor("OfficeStandin.exe: revoked ").size(), 1u);
  }
}

TEST(OfficeReaders, UnsavedWordInFrontSavedExcelBelowGivesTheWorkbooksFolder) {
  StandinLog log(L"office");
  Standin excel(L"OfficeStandin.exe", Arguments(kExcel, L"saved", TheFolders().budget),
                kExcel.className);
  Standin word(L"OfficeStandin.exe", Arguments(kWord, L"unsaved"), kWord.className);
  ASSERT_TRUE(excel.Window());
  ASSERT_TRUE(word.Window());
  ASSERT_LT(ZIndexOf(word.Window()), ZIndexOf(excel.Window()));
  EXPECT_EQ(GetOfficeDocumentFolder(), U(TheFolders().budget));
  // Word was asked first and had no folder.
  std::vector<std::string> answers = Answers(log);
  const std::string wordPath = "Path by " + std::to_string(word.ProcessId());
  const std::string excelPath = "Path by " + std::to_string(excel.ProcessId());
  auto wordAt = std::find(answers.begin(), answers.end(), wordPath);
  auto excelAt = std::find(answers.begin(), answers.end(), excelPath);
  ASSERT_NE(wordAt, answers.end());
  ASSERT_NE(excelAt, answers.end());
  EXPECT_LT(wordAt, excelAt);
  // The hotkey in the Word window has nothing; in the Excel window, the workbook's folder.
  EXPECT_EQ(GetOfficeFolderOfWindow(word.Window()), u"");
  EXPECT_EQ(GetOfficeFolderOfWindow(excel.Window()), U(TheFolders().budget));
}

TEST(OfficeReaders, AnswerWithinTheBoundCounts) {
  Standin office(L"OfficeStandin.exe",
                 Arguments(kPowerPoint, L"saved", TheFolders().reports, L"--delay=400"),
                 kPowerPoint.className);
  ASSERT_TRUE(office.Window());
  EXPECT_EQ(GetOfficeFolderOfWindow(office.Window()), U(TheFolders().reports));
}

// ---- a hung Office ------------------------------------------------------------------------

// A window of this test that records whether a message sent to it was
// answered while an Office call was under way.
struct Witness {
  static inline std::atomic<bool> callUnderWay{false};
  static inline std::atomic<int> answeredDuringCall{0};
  static inline std::atomic<int> answeredAfterCall{0};
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
      (callUnderWay ? answeredDuringCall : answeredAfterCall)++;
      return 42;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  HWND window = nullptr;
  Witness() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PathoramaOfficeTestWitness";
    RegisterClassW(&wc);
    window = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
    callUnderWay = false;
    answeredDuringCall = 0;
    answeredAfterCall = 0;
  }
  ~Witness() { DestroyWindow(window); }
};

TEST(OfficeReaders, HungOfficeGivesNothingWithinTheBoundAndTheCallerKeepsServing) {
  for (const Product& product : kProducts) {
    SCOPED_TRACE(product.progId);
    StandinLog log(L"office");
    test_support::TraceLog trace;
    Standin office(L"OfficeStandin.exe", Arguments(product, L"hang", TheFolders().reports),
                   product.className);
    ASSERT_TRUE(office.Window());
    Witness witness;
    // Another thread sends to this thread's window once Office hangs in the call.
    std::atomic<bool> sent{false}, senderDone{false};
    std::atomic<LRESULT> reply{0};
    std::thread sender([&] {
      if (!log.WaitFor("OfficeStandin.exe: hanging ", 1, 10000).empty()) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(witness.window, WM_APP, 0, 0, SMTO_NORMAL, 20000, &result)) {
          reply = static_cast<LRESULT>(result);
          sent = true;
        }
      }
      senderDone = true;
    });
    Witness::callUnderWay = true;
    const std::u16string folder = GetOfficeFolderOfWindow(office.Window());
    Witness::callUnderWay = false;
    // A message that waited for the call to end is answered here, after it.
    for (int waited = 0; waited < 30000 && !senderDone; waited += 50) PumpFor(50);
    sender.join();

    EXPECT_EQ(folder, u"");
    // The caller came back while the stand-in still hung in the call.
    EXPECT_EQ(log.LinesStarting("OfficeStandin.exe: hanging ").size(), 1u);
    EXPECT_EQ(Answers(log), std::vector<std::string>{});
    EXPECT_TRUE(StillRuns(office.ProcessId()));
    // Meanwhile it answered what another thread sent it.
    EXPECT_TRUE(sent);
    EXPECT_EQ(reply.load(), 42);
    EXPECT_EQ(Witness::answeredDuringCall, 1);
    EXPECT_EQ(Witness::answeredAfterCall, 0);
    const std::string text = trace.Text();
    EXPECT_NE(text.find("the running " + std::string(product.progId) +
                        " object did not answer within 3000 ms"),
              std::string::npos)
        << text;
  }
}

// ---- two processes of one product ---------------------------------------------------------

TEST(OfficeReaders, TwoProcessesOfAProductNeverGiveEachOthersFolders) {
  for (const Product& product : kProducts) {
    SCOPED_TRACE(product.progId);
    StandinLog log(L"office");
    Standin first(L"OfficeStandin.exe", Arguments(product, L"saved", TheFolders().reports),
                  product.className);
    ASSERT_EQ(log.WaitFor("OfficeStandin.exe: registered ").size(), 1u);
    Standin second(L"OfficeStandin.exe", Arguments(product, L"saved", TheFolders().budget),
                   product.className);
    ASSERT_EQ(log.WaitFor("OfficeStandin.exe: registered ", 2).size(), 2u);
    ASSERT_TRUE(first.Window());
    ASSERT_TRUE(second.Window());

    // The running object is one of the two; which one, its log tells.
    const std::u16string ofFirst = GetOfficeFolderOfWindow(first.Window());
    const std::u16string ofSecond = GetOfficeFolderOfWindow(second.Window());
    std::vector<std::string> answers = Answers(log);
    ASSERT_FALSE(answers.empty());
    const std::string answering = answers.back().substr(answers.back().rfind(' ') + 1);
    for (const std::string& a : answers) EXPECT_EQ(a.substr(a.rfind(' ') + 1), answering);
    const bool firstAnswers = answering == std::to_string(first.ProcessId());
    ASSERT_TRUE(firstAnswers || answering == std::to_string(second.ProcessId())) << answering;

    EXPECT_EQ(ofFirst, firstAnswers ? U(TheFolders().reports) : u"");
    EXPECT_EQ(ofSecond, firstAnswers ? u"" : U(TheFolders().budget));
    // The other window has nothing however its reader is asked.
    HWND other = firstAnswers ? second.Window() : first.Window();
    EXPECT_EQ(product.reader(other, false), u"");
  }
}

// ---- the bounded call itself ----------------------------------------------------------------

TEST(BoundedCall, AnswerInTimeComesBackFromACallThatInitialisedCom) {
  const DWORD caller = GetCurrentThreadId();
  struct Seen {
    DWORD thread = 0;
    HRESULT apartmentThreaded = E_FAIL;  // initialising COM once more, for an apartment
    HRESULT multiThreaded = E_FAIL;      // and for the multithreaded one
  };
  Seen seen = CallBounded<Seen>(u"a test", u"apartment", [] {
    Seen s;
    s.thread = GetCurrentThreadId();
    s.apartmentThreaded = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(s.apartmentThreaded)) CoUninitialize();
    s.multiThreaded = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(s.multiThreaded)) CoUninitialize();
    return s;
  }, Seen{});
  EXPECT_NE(seen.thread, 0u);
  EXPECT_NE(seen.thread, caller);
  // Already initialised, and apartment-threaded.
  EXPECT_EQ(seen.apartmentThreaded, S_FALSE);
  EXPECT_EQ(seen.multiThreaded, RPC_E_CHANGED_MODE);
}

TEST(BoundedCall, LateAnswerIsNoAnswerAndTheHelperFinishesOnItsOwn) {
  test_support::TraceLog trace;
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const int answer = CallBounded<int>(u"a slow callee", u"the late question", [=] {
    WaitForSingleObject(release, 30000);
    SetEvent(finished);
    return 7;
  }, -1, 300);
  EXPECT_EQ(answer, -1);
  EXPECT_NE(trace.Text().find("a slow callee did not answer within 300 ms: the late question"),
            std::string::npos)
      << trace.Text();
  // The helper is still waiting; let it go and see it end.
  EXPECT_EQ(WaitForSingleObject(finished, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  SetEvent(release);
  EXPECT_EQ(WaitForSingleObject(finished, 10000), WAIT_OBJECT_0);
  CloseHandle(release);
  CloseHandle(finished);
}

TEST(BoundedCall, ThrownExceptionGivesTheFallbackAndIsTraced) {
  test_support::TraceLog trace;
  const std::u16string answer = CallBounded<std::u16string>(
      u"a broken callee", u"the question", []() -> std::u16string {
        throw std::runtime_error("boom");
      }, u"fallback");
  EXPECT_EQ(answer, u"fallback");
  EXPECT_NE(trace.Text().find("asking a broken callee failed: the question: boom"),
            std::string::npos)
      << trace.Text();
}

TEST(BoundedCall, MessagesSentToTheCallerAreServedPostedOnesWait) {
  Witness witness;
  HWND window = witness.window;
  Witness::callUnderWay = true;
  // The work itself needs an answer from the caller's window: without the
  // caller serving sent messages it could only end after the bound.
  const LRESULT answer = CallBounded<LRESULT>(u"a callee", u"a message round trip", [window] {
    PostMessageW(window, WM_APP, 0, 0);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_APP, 0, 0, SMTO_NORMAL, 20000, &result)
               ? static_cast<LRESULT>(result)
               : LRESULT{-1};
  }, LRESULT{-2}, 20000);
  Witness::callUnderWay = false;
  EXPECT_EQ(answer, 42);
  EXPECT_EQ(Witness::answeredDuringCall, 1);
  EXPECT_EQ(Witness::answeredAfterCall, 0);
  // The posted message was left for the caller's own loop.
  PumpFor(200);
  EXPECT_EQ(Witness::answeredAfterCall, 1);
}

}  // namespace
}  // namespace pathorama::windows::win32
