// Explorer's folder and selection through the shell's window collection:
// ShellWindows -> IWebBrowser2 -> IServiceProvider -> IShellBrowser -> IShellView.
#include <windows.h>
#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/wide_text.h"
#include "windows/selection_text.h"
#include "windows/win32/bounded_call.h"
#include "windows/win32/path_probe.h"
#include "windows/window_classes.h"
#include "windows/win32/explorer_shell.h"

using Microsoft::WRL::ComPtr;

namespace pathorama::windows::win32 {

using core::win32::AsWide;
using core::win32::FromWide;

namespace {

struct PidlFreer {
  void operator()(ITEMIDLIST* p) const { CoTaskMemFree(p); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlFreer>;

struct CoTaskString {
  wchar_t* text = nullptr;
  ~CoTaskString() { CoTaskMemFree(text); }
};

// The visible tab of a tabbed Explorer window, or null.
HWND VisibleTabOf(HWND explorer) {
  const std::u16string tabClass(kShellTabClass);
  for (HWND tab = FindWindowExW(explorer, nullptr, AsWide(tabClass), nullptr); tab;
       tab = FindWindowExW(explorer, tab, AsWide(tabClass), nullptr))
    if (IsWindowVisible(tab)) return tab;
  return nullptr;
}

// The shell browser of the Explorer window `explorer`: of its active tab
// when it has tabs (every tab is an item of the collection with the
// window's handle), else of its first item.
ComPtr<IShellBrowser> ShellBrowserOf(HWND explorer) {
  ComPtr<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&windows))))
    return nullptr;
  long count = 0;
  if (FAILED(windows->get_Count(&count))) return nullptr;
  const HWND activeTab = VisibleTabOf(explorer);
  std::vector<ComPtr<IShellBrowser>> browsers;
  std::vector<bool> isActiveTab;
  for (long i = 0; i < count; ++i) {
    VARIANT index;
    VariantInit(&index);
    index.vt = VT_I4;
    index.lVal = i;
    ComPtr<IDispatch> item;
    if (FAILED(windows->Item(index, &item)) || !item) continue;
    ComPtr<IWebBrowser2> browser;
    if (FAILED(item.As(&browser))) continue;
    SHANDLE_PTR handle = 0;
    if (FAILED(browser->get_HWND(&handle)) || reinterpret_cast<HWND>(handle) != explorer) continue;
    ComPtr<IServiceProvider> services;
    ComPtr<IShellBrowser> shellBrowser;
    if (FAILED(browser.As(&services)) ||
        FAILED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(&shellBrowser))))
      continue;
    HWND browserWindow = nullptr;
    if (FAILED(shellBrowser->GetWindow(&browserWindow))) browserWindow = nullptr;
    isActiveTab.push_back(activeTab && browserWindow == activeTab);
    browsers.push_back(std::move(shellBrowser));
    // Without tabs there is one item per window: no need to look further.
    if (!activeTab) break;
  }
  const size_t chosen = ChooseShellWindowItem(isActiveTab);
  return chosen < browsers.size() ? browsers[chosen] : nullptr;
}

ComPtr<IShellView> ActiveShellViewOf(HWND explorer) {
  ComPtr<IShellBrowser> browser = ShellBrowserOf(explorer);
  ComPtr<IShellView> view;
  if (!browser || FAILED(browser->QueryActiveShellView(&view))) return nullptr;
  return view;
}

UniquePidl FolderIdListOf(IShellView* view) {
  ITEMIDLIST* pidl = nullptr;
  ComPtr<IFolderView> folderView;
  ComPtr<IPersistFolder2> persistFolder;
  if (SUCCEEDED(view->QueryInterface(IID_PPV_ARGS(&folderView))) &&
      SUCCEEDED(folderView->GetFolder(IID_PPV_ARGS(&persistFolder))) &&
      SUCCEEDED(persistFolder->GetCurFolder(&pidl)) && pidl)
    return UniquePidl(pidl);
  ComPtr<IPersistIDList> persistIdList;
  if (SUCCEEDED(view->QueryInterface(IID_PPV_ARGS(&persistIdList))) &&
      SUCCEEDED(persistIdList->GetIDList(&pidl)) && pidl)
    return UniquePidl(pidl);
  return nullptr;
}

std::u16string ParsingNameOf(const ITEMIDLIST* pidl) {
  ComPtr<IShellFolder> parent;
  PCUITEMID_CHILD last = nullptr;
  if (FAILED(SHBindToParent(pidl, IID_PPV_ARGS(&parent), &last))) return {};
  STRRET name{};
  if (FAILED(parent->GetDisplayNameOf(last, SHGDN_FORPARSING, &name))) return {};
  CoTaskString text;
  if (FAILED(StrRetToStrW(&name, last, &text.text)) || !text.text) return {};
  return FromWide(text.text);
}

// The shell's window collection lives in Explorer's process: a hung Explorer
// would hold a call forever.
constexpr std::u16string_view kShellWindows = u"the shell window collection";

std::u16string ReadFolderNow(HWND explorer) {
  ComPtr<IShellView> view = ActiveShellViewOf(explorer);
  if (!view) return {};
  UniquePidl pidl = FolderIdListOf(view.Get());
  return pidl ? ParsingNameOf(pidl.get()) : std::u16string();
}

std::u16string ReadSelectionNow(HWND explorer, SelectionMode mode) {
  ComPtr<IShellView> view = ActiveShellViewOf(explorer);
  if (!view) return {};
  ComPtr<IDataObject> data;
  if (FAILED(view->GetItemObject(SVGIO_SELECTION, IID_PPV_ARGS(&data))) || !data) return {};
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return {};
  std::vector<std::u16string> names;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    HDROP drop = static_cast<HDROP>(medium.hGlobal);
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      // Each name at its own length: a long path (\\?\...) is kept whole.
      UINT length = DragQueryFileW(drop, i, nullptr, 0);
      if (length == 0) continue;
      std::wstring name(length + 1, L'\0');
      UINT copied = DragQueryFileW(drop, i, name.data(), length + 1);
      if (copied > 0) names.push_back(FromWide(name.data(), std::min(copied, length)));
    }
  }
  ReleaseStgMedium(&medium);
  return JoinDroppedNames(names, mode, ProbePath);
}

}  // namespace

std::u16string ReadShellViewFolder(HWND explorer) {
  return CallBounded<std::u16string>(
      kShellWindows, u"folder of window " + core::HexText(reinterpret_cast<UINT_PTR>(explorer), 8),
      [explorer] { return ReadFolderNow(explorer); }, {});
}

std::u16string ReadShellViewSelection(HWND explorer, SelectionMode mode) {
  return CallBounded<std::u16string>(
      kShellWindows, u"selection of window " + core::HexText(reinterpret_cast<UINT_PTR>(explorer), 8),
      [explorer, mode] { return ReadSelectionNow(explorer, mode); }, {});
}

bool NavigateExplorerWindow(std::u16string_view path, HWND explorer) {
  const std::u16string target(path);
  const std::u16string what =
      u"navigate window " + core::HexText(reinterpret_cast<UINT_PTR>(explorer), 8) + u" to " + target;
  const bool done = CallBounded<bool>(
      kShellWindows, what,
      [explorer, target] {
        ComPtr<IShellBrowser> browser = ShellBrowserOf(explorer);
        if (!browser) return false;
        ComPtr<IShellFolder> desktop;
        if (FAILED(SHGetDesktopFolder(&desktop))) return false;
        ITEMIDLIST* parsed = nullptr;
        std::wstring name(AsWide(target), target.size());
        if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &parsed, nullptr)) ||
            !parsed)
          return false;
        UniquePidl pidl(parsed);
        return SUCCEEDED(browser->BrowseObject(pidl.get(), SBSP_SAMEBROWSER));
      },
      false);
  if (!done) core::Trace(u"Explorer did not take the folder: " + what);
  return done;
}

}  // namespace pathorama::windows::win32
