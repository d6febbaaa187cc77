#include "windows/office_documents.h"

#include <algorithm>
#include <array>

#include "core/text.h"
#include "paths/opening.h"

namespace pathorama::windows {

namespace {

struct ProductFacts {
  OfficeProduct product;
  std::u16string_view className;
  std::u16string_view word;
  std::u16string_view progId;
  std::u16string_view documentProperty;
};

constexpr std::array<ProductFacts, 3> kProducts = {{
    {OfficeProduct::Word, kWordClass, u"Word", u"Word.Application", u"ActiveDocument"},
    {OfficeProduct::Excel, kExcelClass, u"Excel", u"Excel.Application", u"ActiveWorkbook"},
    {OfficeProduct::PowerPoint, kPowerPointClass, u"PPT", u"PowerPoint.Application",
     u"ActivePresentation"},
}};

const ProductFacts& FactsOf(OfficeProduct product) {
  for (const ProductFacts& f : kProducts)
    if (f.product == product) return f;
  return kProducts[0];
}

bool IsMainWindowOf(OfficeProduct product, const OfficeWindowFacts& window, size_t index,
                    const DocumentPaneProbe& hasDocumentPane) {
  if (!window.visible || OfficeProductOfClass(window.className) != product) return false;
  return product != OfficeProduct::Word || (hasDocumentPane && hasDocumentPane(index));
}

}  // namespace

std::optional<OfficeProduct> OfficeProductOfClass(std::u16string_view className) {
  for (const ProductFacts& f : kProducts)
    if (core::EqualsIgnoreCase(className, f.className)) return f.product;
  return std::nullopt;
}

std::u16string OfficeProductWord(OfficeProduct product) {
  return std::u16string(FactsOf(product).word);
}

std::u16string OfficeProgId(OfficeProduct product) {
  return std::u16string(FactsOf(product).progId);
}

std::vector<std::u16string> OfficeFolderProperties(OfficeProduct product) {
  return {std::u16string(FactsOf(product).documentProperty), u"Path"};
}

std::vector<std::u16string> OfficeWindowProperties(OfficeProduct product) {
  switch (product) {
    case OfficeProduct::Word:
      return {u"ActiveWindow", u"Hwnd"};
    case OfficeProduct::Excel:
      return {u"Hwnd"};
    case OfficeProduct::PowerPoint:
      return {u"HWND"};
  }
  return {};
}

bool HasWordDocumentPane(std::u16string_view className,
                         const std::vector<std::u16string>& childClasses) {
  if (!core::EqualsIgnoreCase(className, kWordClass)) return false;
  for (const std::u16string& child : childClasses)
    if (core::EqualsIgnoreCase(child, kWordDocumentPaneClass)) return true;
  return false;
}

uint64_t WindowHandleFromAutomation(int64_t value) {
  return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(value))));
}

std::u16string FolderForWindow(const OfficeAnswer& answer, uint32_t windowProcessId,
                               const PathKindProbe& probe) {
  if (answer.processId == 0 || answer.processId != windowProcessId) return {};
  if (!paths::IsAbsolutePath(answer.path) || !probe) return {};
  return probe(answer.path) == PathKind::Folder ? answer.path : std::u16string();
}

std::u16string ReadOfficeFolder(OfficeProduct product, const std::vector<OfficeWindowFacts>& zOrder,
                                size_t start, bool walk, const DocumentPaneProbe& hasDocumentPane,
                                const OfficeApplicationAsker& ask, const PathKindProbe& probe) {
  bool asked = false;
  std::optional<OfficeAnswer> answer;
  const size_t end = walk ? zOrder.size() : std::min(zOrder.size(), start + 1);
  for (size_t i = start; i < end; ++i) {
    if (!IsMainWindowOf(product, zOrder[i], i, hasDocumentPane)) continue;
    if (!asked) {
      asked = true;
      if (ask) answer = ask(product);
    }
    // No application, or none that answered: no window of the product can
    // have a folder.
    if (!answer) return {};
    std::u16string folder = FolderForWindow(*answer, zOrder[i].processId, probe);
    if (!folder.empty()) return folder;
  }
  return {};
}

std::u16string FindOfficeDocumentFolder(const std::vector<OfficeWindowFacts>& zOrder,
                                        const DocumentPaneProbe& hasDocumentPane,
                                        const OfficeApplicationAsker& ask,
                                        const PathKindProbe& probe) {
  std::vector<OfficeProduct> read;
  for (size_t i = 0; i < zOrder.size(); ++i) {
    if (!zOrder[i].visible) continue;
    const std::optional<OfficeProduct> product = OfficeProductOfClass(zOrder[i].className);
    if (!product || std::find(read.begin(), read.end(), *product) != read.end()) continue;
    read.push_back(*product);
    std::u16string folder =
        ReadOfficeFolder(*product, zOrder, i, true, hasDocumentPane, ask, probe);
    if (!folder.empty()) return folder;
  }
  return {};
}

}  // namespace pathorama::windows
