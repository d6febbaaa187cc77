// Office's application objects through IDispatch: GetActiveObject for the
// product's ProgID, then property gets by name (late binding: no type
// library of Office is needed, and every version answers the same names).
#include "windows/win32/office_documents.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
#include <vector>

#include "core/diagnostics.h"
#include "core/win32/wide_text.h"
#include "windows/win32/path_probe.h"
#include "windows/win32/window_facts.h"

using Microsoft::WRL::ComPtr;

namespace pathorama::windows::win32 {

using core::win32::AsWide;
using core::win32::FromWide;

namespace {

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* get() { return &value_; }
  const VARIANT& operator*() const { return value_; }

 private:
  VARIANT value_;
};

void FreeException(EXCEPINFO& exception) {
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
}

std::u16string Joined(const std::vector<std::u16string>& names) {
  std::u16string text;
  for (const std::u16string& name : names) text += (text.empty() ? u"" : u".") + name;
  return text;
}

// Reads the property chain `names` from `object` into `result`; traces the
// call that failed.
bool ReadProperty(IDispatch* object, const std::u16string& progId,
                  const std::vector<std::u16string>& names, Variant& result) {
  ComPtr<IDispatch> current = object;
  for (size_t i = 0; i < names.size(); ++i) {
    std::wstring name(AsWide(names[i]), names[i].size());
    LPOLESTR nameList[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = current->GetIDsOfNames(IID_NULL, nameList, 1, LOCALE_USER_DEFAULT, &id);
    Variant value;
    if (SUCCEEDED(hr)) {
      DISPPARAMS none{};
      EXCEPINFO exception{};
      hr = current->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                           value.get(), &exception, nullptr);
      FreeException(exception);
    }
    if (FAILED(hr)) {
      core::Trace(progId + u" gave no " + Joined(names) + u": " + names[i] + u" failed with " +
                  core::HexText(static_cast<uint32_t>(hr), 8));
      return false;
    }
    if (i + 1 == names.size()) {
      VariantCopy(result.get(), value.get());
      return true;
    }
    if ((*value).vt != VT_DISPATCH || !(*value).pdispVal) {
      core::Trace(progId + u" gave no " + Joined(names) + u": " + names[i] + u" is no object");
      return false;
    }
    current = (*value).pdispVal;
  }
  return false;
}

std::optional<OfficeAnswer> AskNow(OfficeProduct product) {
  const std::u16string progId = OfficeProgId(product);
  CLSID clsid{};
  // Not installed, or not running: no folder, and nothing worth a trace.
  if (FAILED(CLSIDFromProgID(AsWide(progId), &clsid))) return std::nullopt;
  ComPtr<IUnknown> running;
  if (FAILED(GetActiveObject(clsid, nullptr, &running)) || !running) return std::nullopt;
  ComPtr<IDispatch> application;
  if (FAILED(running.As(&application))) {
    core::Trace(progId + u"'s running object has no IDispatch");
    return std::nullopt;
  }
  Variant handle, path;
  if (!ReadProperty(application.Get(), progId, OfficeWindowProperties(product), handle) ||
      !ReadProperty(application.Get(), progId, OfficeFolderProperties(product), path))
    return std::nullopt;
  Variant handleNumber, pathText;
  if (FAILED(VariantChangeType(handleNumber.get(), handle.get(), 0, VT_I8)) ||
      FAILED(VariantChangeType(pathText.get(), path.get(), 0, VT_BSTR))) {
    core::Trace(progId + u" answered a window handle or a path of an unexpected type");
    return std::nullopt;
  }
  const HWND window = reinterpret_cast<HWND>(
      static_cast<UINT_PTR>(WindowHandleFromAutomation((*handleNumber).llVal)));
  DWORD processId = 0;
  if (!IsWindow(window) || !GetWindowThreadProcessId(window, &processId)) processId = 0;
  OfficeAnswer answer;
  answer.processId = processId;
  answer.path = FromWide((*pathText).bstrVal, SysStringLen((*pathText).bstrVal));
  return answer;
}

std::vector<OfficeWindowFacts> FactsOf(const std::vector<HWND>& windows) {
  std::vector<OfficeWindowFacts> facts;
  facts.reserve(windows.size());
  for (HWND window : windows) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    facts.push_back({ClassNameOf(window), IsWindowVisible(window) != FALSE, processId});
  }
  return facts;
}

OfficeApplicationAsker AskRunningApplication() {
  return [](OfficeProduct product) { return AskOfficeApplication(product); };
}

DocumentPaneProbe PanesOf(const std::vector<HWND>& windows) {
  return [&windows](size_t i) { return HasWordDocumentPane(windows[i]); };
}

std::u16string ReadProductFolder(OfficeProduct product, HWND start, bool walk) {
  std::vector<HWND> windows = TopLevelWindowsInZOrder();
  size_t index = 0;
  if (start) {
    auto found = std::find(windows.begin(), windows.end(), start);
    if (found == windows.end()) {
      // Not a top-level window: it has no place in the walk.
      windows = {start};
    } else {
      index = static_cast<size_t>(found - windows.begin());
    }
  }
  return ReadOfficeFolder(product, FactsOf(windows), index, walk, PanesOf(windows),
                          AskRunningApplication(), ProbePath);
}

}  // namespace

std::optional<OfficeAnswer> AskOfficeApplication(OfficeProduct product, DWORD timeoutMs) {
  return CallBounded<std::optional<OfficeAnswer>>(
      u"the running " + OfficeProgId(product) + u" object",
      u"folder of the active document and the application's window",
      [product] { return AskNow(product); }, std::nullopt, timeoutMs);
}

bool HasWordDocumentPane(HWND window) {
  std::vector<std::u16string> children;
  if (window) {
    // The cap guards against a list that changes under the walk.
    for (HWND child = FindWindowExW(window, nullptr, nullptr, nullptr);
         child && children.size() < 10000; child = FindWindowExW(window, child, nullptr, nullptr))
      children.push_back(ClassNameOf(child));
  }
  return windows::HasWordDocumentPane(ClassNameOf(window), children);
}

std::u16string GetWordDocumentFolder(HWND start, bool walk) {
  return ReadProductFolder(OfficeProduct::Word, start, walk);
}

std::u16string GetExcelWorkbookFolder(HWND start, bool walk) {
  return ReadProductFolder(OfficeProduct::Excel, start, walk);
}

std::u16string GetPowerPointFolder(HWND start, bool walk) {
  return ReadProductFolder(OfficeProduct::PowerPoint, start, walk);
}

std::u16string GetOfficeDocumentFolder() {
  const std::vector<HWND> windows = TopLevelWindowsInZOrder();
  return FindOfficeDocumentFolder(FactsOf(windows), PanesOf(windows), AskRunningApplication(),
                                  ProbePath);
}

std::u16string GetOfficeFolderOfWindow(HWND window) {
  const std::optional<OfficeProduct> product = OfficeProductOfClass(ClassNameOf(window));
  if (!window || !product) return {};
  return ReadProductFolder(*product, window, false);
}

}  // namespace pathorama::windows::win32
