// Word, Excel and PowerPoint as the capture of a document's folder sees them:
// which main window is which product, what its running application object is
// asked, which answers count, and the walks over the windows. Pure
// decisions; the Win32 side gathers the facts and makes the automation calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "windows/selection_text.h"

namespace pathorama::windows {

enum class OfficeProduct { Word, Excel, PowerPoint };

inline constexpr std::u16string_view kWordClass = u"OpusApp";
inline constexpr std::u16string_view kWordDocumentPaneClass = u"_WwF";
inline constexpr std::u16string_view kExcelClass = u"XLMAIN";
inline constexpr std::u16string_view kPowerPointClass = u"PPTFrameClass";

// The product whose main window has this class (ignoring case); none for
// any other class.
std::optional<OfficeProduct> OfficeProductOfClass(std::u16string_view className);
// "Word", "Excel", "PPT": the product as the capture's messages name it.
std::u16string OfficeProductWord(OfficeProduct product);
// "Word.Application", "Excel.Application", "PowerPoint.Application".
std::u16string OfficeProgId(OfficeProduct product);
// The property chain from the application object to the active document's
// folder: ActiveDocument.Path, ActiveWorkbook.Path, ActivePresentation.Path.
std::vector<std::u16string> OfficeFolderProperties(OfficeProduct product);
// The property chain from the application object to a window handle of the
// application: Word ActiveWindow.Hwnd (Word has no Application.Hwnd), Excel
// Hwnd, PowerPoint HWND.
std::vector<std::u16string> OfficeWindowProperties(OfficeProduct product);

// An "OpusApp" window is Word's only with a document pane ("_WwF") among its
// children; `childClasses` are the classes of its direct children.
bool HasWordDocumentPane(std::u16string_view className,
                         const std::vector<std::u16string>& childClasses);

// Automation hands a window handle over as a Long, its low 32 bits; the
// handle is that value sign-extended, as the system widens 32-bit handles.
uint64_t WindowHandleFromAutomation(int64_t value);

// What the running application object of a product told.
struct OfficeAnswer {
  uint32_t processId = 0;  // the process of the application's window; 0: unknown
  std::u16string path;     // the active document's Path; empty: never saved
  friend bool operator==(const OfficeAnswer&, const OfficeAnswer&) = default;
};

// The folder an answer gives for a window of process `windowProcessId`:
// only the application of that very process speaks for it (GetActiveObject
// gives one instance of a product however many run), and only an absolute
// path of an existing folder is a folder (a cloud document's Path is a web
// address). Empty otherwise.
std::u16string FolderForWindow(const OfficeAnswer& answer, uint32_t windowProcessId,
                               const PathKindProbe& probe);

// One top-level window, in Z order.
struct OfficeWindowFacts {
  std::u16string className;
  bool visible = false;
  uint32_t processId = 0;
};

// Whether the window at an index has Word's document pane (asked lazily:
// the Win32 side lists its children).
using DocumentPaneProbe = std::function<bool(size_t)>;
// Asks the running application object of a product; nothing when there is
// none, it failed or it did not answer in time.
using OfficeApplicationAsker = std::function<std::optional<OfficeAnswer>(OfficeProduct)>;

// A product's reader (GetWordDocumentFolder, GetExcelWorkbookFolder,
// GetPowerPointFolder): from the window at `start` (with `walk`, on down the
// Z order) the first visible main window of the product (Word's with its
// document pane) for which the application's answer gives a folder. The
// application is asked once, at the first such window: every window of the
// walk would get the same answer, and a hung application costs one bound,
// not one per window.
std::u16string ReadOfficeFolder(OfficeProduct product, const std::vector<OfficeWindowFacts>& zOrder,
                                size_t start, bool walk, const DocumentPaneProbe& hasDocumentPane,
                                const OfficeApplicationAsker& ask, const PathKindProbe& probe);

// GetOfficeDocumentFolder: down the visible windows from the top, at each
// Office main window the reader of its product from there with walk, until
// a folder is found. A product whose reader ran once is not read again: its
// walk already went past every later window of it. Each product is asked at
// most once.
std::u16string FindOfficeDocumentFolder(const std::vector<OfficeWindowFacts>& zOrder,
                                        const DocumentPaneProbe& hasDocumentPane,
                                        const OfficeApplicationAsker& ask,
                                        const PathKindProbe& probe);

}  // namespace pathorama::windows
