#include "editor/accelerator_dialog.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace pathorama::editor {
namespace {

std::string Show(std::u16string_view text) { return core::Utf16ToUtf8(text); }

TEST(AcceleratorDialog, LabelAndProposal) {
  struct Case {
    const char16_t* nodeText;
    bool groupHead;
    const char16_t* label;
    const char16_t* proposal;
  };
  const Case cases[] = {
      {u"  Docs  ", false, u"Docs", u"D"},
      {u"-Work[&W]", true, u"Work[&W]", u"W"},
      {u" -  工作", true, u"工作", u"G"},
      {u"-Work[&7]", true, u"Work[&7]", u"7"},  // the caption's own key, digit included
      {u"Docs[&d]", false, u"Docs[&d]", u"D"},
      {u"Docs(&O)", false, u"Docs(&O)", u"D"},  // another form: the automatic choice
      {u"R&D", false, u"R&D", u"R"},
      {u"2024", false, u"2024", u""},
      {u"--x", true, u"-x", u"X"},  // only the first "-" marks the group head
  };
  for (const Case& c : cases) {
    std::u16string label = AcceleratorDialogLabel(c.nodeText, c.groupHead);
    EXPECT_EQ(label, c.label) << Show(c.nodeText);
    EXPECT_EQ(ProposedAcceleratorKey(label), c.proposal) << Show(c.nodeText);
  }
}

TEST(AcceleratorDialog, OkSetsOrRemovesTheKeyOrStaysOpen) {
  struct Case {
    const char* name;
    const char16_t* nodeText;
    bool groupHead;
    const char16_t* box;
    bool close;
    const char16_t* newText;  // nullptr: the node keeps its text
  };
  const Case cases[] = {
      {"empty box removes", u"Docs[&D]", false, u"", true, u"Docs"},
      {"digit on a group head", u"-Work[&W]", true, u"7", true, u"-Work[&7]"},
      {"lower case written upper", u"Docs", false, u"k", true, u"Docs[&K]"},
      {"every old form goes", u"R&D(&O)", false, u"x", true, u"RD[&X]"},
      {"spaces trimmed", u"  Docs  ", false, u" d ", true, u"Docs[&D]"},
      {"spaces only is empty", u"Docs[&D]", false, u"  ", true, u"Docs"},
      {"Chinese caption", u"文档", false, u"W", true, u"文档[&W]"},
      {"same key: no change", u"Docs[&D]", false, u"D", true, nullptr},
      {"punctuation stays open", u"Docs", false, u"!", false, nullptr},
      {"Chinese key stays open", u"Docs", false, u"中", false, nullptr},
      {"full-width letter stays open", u"Docs", false, u"Ｄ", false, nullptr},
      {"end marker: nothing", u"--", false, u"A", false, nullptr},
      {"group head kept when emptied", u"-[&W]", true, u"", true, nullptr},
      {"caption kept when emptied", u"[&W]", false, u"", true, nullptr},
      {"a key on an empty caption", u"-[&W]", true, u"8", true, u"-[&8]"},
  };
  for (const Case& c : cases) {
    AcceleratorDialogOk ok = DecideAcceleratorDialogOk(c.nodeText, c.groupHead, c.box);
    EXPECT_EQ(ok.close, c.close) << c.name;
    if (c.newText) {
      ASSERT_TRUE(ok.newText.has_value()) << c.name;
      EXPECT_EQ(*ok.newText, c.newText) << c.name;
    } else {
      EXPECT_FALSE(ok.newText.has_value()) << c.name << ": " << Show(ok.newText.value_or(u""));
    }
  }
}

TEST(AcceleratorDialog, StaysInsideTheWorkArea) {
  struct Case {
    const char* name;
    int left, top;
    int wantLeft, wantTop;
  };
  // A 200 x 100 dialog in the work area (0, 0)-(1280, 984).
  const Case cases[] = {
      {"inside: as asked", 300, 400, 300, 400},
      {"past the right edge", 1200, 400, 1080, 400},
      {"past the bottom (the taskbar)", 300, 950, 300, 884},
      {"past the corner", 1279, 983, 1080, 884},
      {"left of the area", -50, -20, 0, 0},
      {"exactly fitting", 1080, 884, 1080, 884},
  };
  const DialogBounds area{0, 0, 1280, 984};
  for (const Case& c : cases) {
    DialogBounds placed = PlaceAcceleratorDialog(c.left, c.top, 200, 100, area);
    EXPECT_EQ(placed.left, c.wantLeft) << c.name;
    EXPECT_EQ(placed.top, c.wantTop) << c.name;
    EXPECT_EQ(placed.right - placed.left, 200) << c.name;
    EXPECT_EQ(placed.bottom - placed.top, 100) << c.name;
  }
  // A second monitor to the left, and a dialog larger than a small area.
  DialogBounds left = PlaceAcceleratorDialog(-100, 500, 200, 100, {-1920, 0, 0, 1040});
  EXPECT_EQ(left.left, -200);
  DialogBounds tight = PlaceAcceleratorDialog(50, 50, 200, 100, {10, 20, 110, 70});
  EXPECT_EQ(tight.left, 10);
  EXPECT_EQ(tight.top, 20);
}

}  // namespace
}  // namespace pathorama::editor
