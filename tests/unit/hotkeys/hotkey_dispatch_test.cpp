#include "hotkeys/hotkey_dispatch.h"

#include <gtest/gtest.h>

#include <set>

#include "core/text.h"
#include "unit/hotkeys/fake_question.h"

namespace pathorama::hotkeys {
namespace {

using app::HotKeySlot;
using core::PromptAnswer;
using paths::FolderManagerChoice;
using testing::FakeQuestion;

TEST(HotKeyDispatchTest, WhetherAPressIsHandled) {
  struct Case {
    const char* name;
    std::optional<HotKeySlot> slot;
    uint64_t now;
    bool popupOpen, running;
    PressStart want;
  } cases[] = {
      {"no slot", std::nullopt, 5000, false, false, PressStart::Ignore},
      {"jump list", HotKeySlot::kJumpMenu1, 5000, false, false, PressStart::Handle},
      {"too soon", HotKeySlot::kJumpMenu1, 1100, false, false, PressStart::Debounced},
      {"too soon, popup open: still one popup", HotKeySlot::kJumpMenu1, 1100, true, false,
       PressStart::Debounced},
      {"second jump-list press closes the popup", HotKeySlot::kJumpMenu2, 5000, true, true,
       PressStart::ClosePopup},
      {"the dialog hotkey leaves the popup's target alone", HotKeySlot::kOpenSaveDialog, 5000, true,
       true, PressStart::Busy},
      {"capture while a question is open", HotKeySlot::kCaptureOfficeFolderPath, 1100, false, true,
       PressStart::Busy},
      {"jump list while a warning is open", HotKeySlot::kJumpMenu1, 5000, false, true,
       PressStart::Busy},
      {"capture is not debounced", HotKeySlot::kCaptureOfficeFolderPath, 1100, false, false,
       PressStart::Handle},
  };
  for (const Case& c : cases) {
    uint64_t last = 1000;
    EXPECT_EQ(StartPress(c.slot, c.now, last, c.popupOpen, c.running), c.want) << c.name;
  }
}

// Facts for the jump-list decision; records which were asked.
class FakeJumpListFacts : public JumpListHotKeyFacts {
 public:
  bool on = true, capsBypass = false, passOn = false, dialogOfOwn = false;
  std::set<OwnWindow> visible;
  ManagerMatch match = ManagerMatch::Matched;
  std::vector<std::string> asked;

  bool GlobalHotKeysOn() override { return Note("on", on); }
  bool CapsLockBypassesIgnoreLists() override { return Note("caps", capsBypass); }
  bool IgnoreListsPassOn() override { return Note("ignore", passOn); }
  bool OwnWindowVisible(OwnWindow w) override { return visible.count(w) != 0; }
  bool TargetIsDialogOfOwnWindow() override { return Note("dialog", dialogOfOwn); }
  ManagerMatch CheckFolderManager() override {
    asked.push_back("manager");
    return match;
  }

 private:
  bool Note(const char* what, bool value) {
    asked.push_back(what);
    return value;
  }
};

TEST(HotKeyDispatchTest, JumpListHotKeyDecisions) {
  using A = JumpListAction;
  struct Case {
    const char* name;
    FakeJumpListFacts facts;
    JumpListDecision want;
    std::vector<std::string> asked;
  };
  auto facts = [](auto change) {
    FakeJumpListFacts f;
    change(f);
    return f;
  };
  Case cases[] = {
      {"switched off: swallowed, nothing read", facts([](auto& f) { f.on = false; }),
       {A::Swallow, std::nullopt}, {"on"}},
      {"an ignore list passes on", facts([](auto& f) { f.passOn = true; }),
       {A::GiveBack, std::nullopt}, {"on", "caps", "ignore"}},
      {"Caps Lock bypasses the lists", facts([](auto& f) { f.passOn = true; f.capsBypass = true; }),
       {A::PopUp, std::nullopt}, {"on", "caps", "manager"}},
      {"pop up", FakeJumpListFacts{}, {A::PopUp, std::nullopt}, {"on", "caps", "ignore", "manager"}},
      {"the options were opened instead",
       facts([](auto& f) { f.match = ManagerMatch::OptionsOpened; }), {A::Nothing, std::nullopt},
       {"on", "caps", "ignore", "manager"}},
      {"a mismatch kept pops up", facts([](auto& f) { f.match = ManagerMatch::Mismatched; }),
       {A::PopUp, std::nullopt}, {"on", "caps", "ignore", "manager"}},
      {"the about box is brought forward", facts([](auto& f) { f.visible = {OwnWindow::AboutBox}; }),
       {A::BringOwnWindowToFront, OwnWindow::AboutBox}, {"on", "caps", "ignore", "dialog"}},
      {"the highest priority wins",
       facts([](auto& f) {
         f.visible = {OwnWindow::AboutBox, OwnWindow::WindowSpy, OwnWindow::AddToJumpListDialog};
       }),
       {A::BringOwnWindowToFront, OwnWindow::WindowSpy}, {"on", "caps", "ignore", "dialog"}},
      {"the editor over the options",
       facts([](auto& f) { f.visible = {OwnWindow::JumpListEditor, OwnWindow::OptionsDialog}; }),
       {A::BringOwnWindowToFront, OwnWindow::JumpListEditor}, {"on", "caps", "ignore", "dialog"}},
      {"a file dialog of an own window gets the list",
       facts([](auto& f) {
         f.visible = {OwnWindow::JumpListEditor};
         f.dialogOfOwn = true;
       }),
       {A::PopUp, std::nullopt}, {"on", "caps", "ignore", "dialog"}},
  };
  for (Case& c : cases) {
    EXPECT_EQ(DecideJumpListHotKey(c.facts), c.want) << c.name;
    EXPECT_EQ(c.facts.asked, c.asked) << c.name;
  }
}

TEST(HotKeyDispatchTest, OwnWindowPriorities) {
  const std::vector<OwnWindow> want = {OwnWindow::AddToJumpListDialog, OwnWindow::AboutBox,
                                       OwnWindow::WindowSpy,           OwnWindow::OptionsDialog,
                                       OwnWindow::JumpListEditor,      OwnWindow::AcceleratorKeysDialog};
  auto order = OwnWindowsByPriority();
  EXPECT_EQ(std::vector<OwnWindow>(order.begin(), order.end()), want);
}

TEST(HotKeyDispatchTest, ManagerOfAWindowClass) {
  struct Case {
    std::u16string className;
    std::optional<FolderManagerChoice> want;
  } cases[] = {
      {u"CabinetWClass", FolderManagerChoice::Explorer},
      {u"ttotal_cmd", FolderManagerChoice::TotalCommander},
      {u"dopus.lister", FolderManagerChoice::DirectoryOpus},
      {u"ThunderRT6FormDC", FolderManagerChoice::XYplorer},
      {u"ATL:ExplorerFrame", FolderManagerChoice::Xplorer2},
      {u"FreeCommanderXE.SingleInst.1", FolderManagerChoice::FreeCommander},
      {u"ExplorerWClass", std::nullopt},
      {u"#32770", std::nullopt},
      {u"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ManagerChoiceOfClass(c.className), c.want) << core::Utf16ToUtf8(c.className);
}

class RecordingEffects : public ManagerMatchEffects {
 public:
  void SelectFolderManager(FolderManagerChoice choice) override { selected.push_back(choice); }
  void OpenFolderManagerOptions() override { ++optionsOpened; }
  std::vector<FolderManagerChoice> selected;
  int optionsOpened = 0;
};

TEST(HotKeyDispatchTest, FolderManagerMatchCheck) {
  struct Case {
    const char* name;
    std::u16string targetClass;
    FolderManagerChoice chosen;
    bool autoMatch, askAgain;
    std::vector<PromptAnswer> answers;
    ManagerMatch want;
    bool askAgainAfter;
    size_t questions;
    std::vector<FolderManagerChoice> selected;
    int optionsOpened;
  } cases[] = {
      {"matching", u"TTOTAL_CMD", FolderManagerChoice::TotalCommander, false, true, {},
       ManagerMatch::Matched, true, 0, {}, 0},
      {"not a manager", u"Notepad", FolderManagerChoice::TotalCommander, false, true, {},
       ManagerMatch::Matched, true, 0, {}, 0},
      {"auto-match follows the window", u"CabinetWClass", FolderManagerChoice::TotalCommander, true,
       false, {}, ManagerMatch::Matched, true, 0, {FolderManagerChoice::Explorer}, 0},
      {"Yes opens the options", u"CabinetWClass", FolderManagerChoice::TotalCommander, false, true,
       {PromptAnswer::Yes}, ManagerMatch::OptionsOpened, true, 1, {}, 1},
      {"No pops up", u"dopus.lister", FolderManagerChoice::Explorer, false, true, {PromptAnswer::No},
       ManagerMatch::Mismatched, true, 1, {}, 0},
      {"Cancel: not asked again", u"dopus.lister", FolderManagerChoice::Explorer, false, true,
       {PromptAnswer::Cancel}, ManagerMatch::Mismatched, false, 1, {}, 0},
      {"not asked after Cancel", u"dopus.lister", FolderManagerChoice::Explorer, false, false, {},
       ManagerMatch::Mismatched, false, 0, {}, 0},
      {"any FreeCommander class", u"FreeCommanderXE.Other", FolderManagerChoice::Other, true, true, {},
       ManagerMatch::Matched, true, 0, {FolderManagerChoice::FreeCommander}, 0},
  };
  for (const Case& c : cases) {
    bool askAgain = c.askAgain;
    FakeQuestion question(c.answers);
    RecordingEffects effects;
    EXPECT_EQ(CheckFolderManagerMatch(c.targetClass, c.chosen, c.autoMatch, askAgain, question,
                                      effects),
              c.want)
        << c.name;
    EXPECT_EQ(askAgain, c.askAgainAfter) << c.name;
    ASSERT_EQ(question.asked.size(), c.questions) << c.name;
    EXPECT_EQ(effects.selected, c.selected) << c.name;
    EXPECT_EQ(effects.optionsOpened, c.optionsOpened) << c.name;
    if (c.questions) {
      EXPECT_EQ(question.asked[0].text, ManagerMismatchQuestion(c.chosen)) << c.name;
      EXPECT_EQ(question.asked[0].caption, kManagerMismatchCaption) << c.name;
      EXPECT_EQ(question.asked[0].icon, core::PromptIcon::Warning) << c.name;
    }
  }
}

TEST(HotKeyDispatchTest, MismatchQuestionNamesTheChosenManager) {
  EXPECT_EQ(core::Utf16ToUtf8(ManagerMismatchQuestion(FolderManagerChoice::TotalCommander)),
            "程序设置的文件夹管理器是 TotalCommander\r与当前捕获到的程序窗口不一致\r\r"
            "是否修改程序中的相关设置？\r\r\u3000\u3000\u3000\u3000取消 = 此后不再提示");
  EXPECT_NE(ManagerMismatchQuestion(FolderManagerChoice::Explorer).find(u"自带的资源管理器 Explorer\r"),
            std::u16string::npos);
}

}  // namespace
}  // namespace pathorama::hotkeys
