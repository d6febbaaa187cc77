// An in-process server for the shell's window collection (ShellWindows),
// registered in a scratch test prefix in place of the one Wine ships, whose
// Count and Item are not implemented. It serves every Explorer stand-in
// window (explorer.cpp) through the interfaces a reader walks on Windows:
// IShellWindows -> IWebBrowser2 -> IServiceProvider -> IShellBrowser ->
// IShellView (-> IFolderView -> IPersistFolder2, and a CF_HDROP data object
// for the selection). Navigation (Navigate2, BrowseObject) is handed to the
// stand-in window. A tabbed stand-in has one item per tab, all with the
// window's handle; the shell browser's own window is the tab's.
#define CINTERFACE
#define COBJMACROS
#include <windows.h>
#include <exdisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

HRESULT STDMETHODCALLTYPE NotImpl() { return E_NOTIMPL; }

// Methods a reader never calls answer E_NOTIMPL (x64: the caller cleans up
// the arguments, so one function serves every signature).
template <typename Vtbl>
void FillRest(Vtbl& table) {
  void** slots = reinterpret_cast<void**>(&table);
  for (size_t i = 0; i < sizeof(Vtbl) / sizeof(void*); ++i)
    if (!slots[i]) slots[i] = reinterpret_cast<void*>(&NotImpl);
}

struct State {
  std::wstring folder;
  std::vector<std::wstring> selection;
};

bool ReadState(HWND window, State& state) {
  wchar_t name[64];
  swprintf(name, 64, L"PathoramaShellView.%llx",
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, name);
  if (!mapping) return false;
  const wchar_t* view = static_cast<const wchar_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
  if (!view) {
    CloseHandle(mapping);
    return false;
  }
  std::wstring text = view;
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  size_t newline = text.find(L'\n');
  state.folder = text.substr(0, newline);
  state.selection.clear();
  std::wstring rest = newline == std::wstring::npos ? L"" : text.substr(newline + 1);
  size_t start = 0;
  while (start < rest.size()) {
    size_t end = rest.find(L"\r\n", start);
    if (end == std::wstring::npos) end = rest.size();
    if (end > start) state.selection.push_back(rest.substr(start, end - start));
    start = end + 2;
  }
  return true;
}

// One item of the collection: the Explorer window and the window whose
// state it serves (the window itself, or one of its tabs).
struct Item {
  HWND window;
  HWND view;
};

std::vector<Item> StandinWindows() {
  std::vector<Item> items;
  for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    State s;
    if (wcscmp(cls, L"CabinetWClass") != 0 || !ReadState(w, s)) continue;
    std::vector<Item> tabs;
    for (HWND tab = FindWindowExW(w, nullptr, L"ShellTabWindowClass", nullptr); tab;
         tab = FindWindowExW(w, tab, L"ShellTabWindowClass", nullptr))
      if (ReadState(tab, s)) tabs.push_back({w, tab});
    if (tabs.empty()) tabs.push_back({w, w});
    items.insert(items.begin(), tabs.begin(), tabs.end());
  }
  return items;  // registration order: the topmost window came last
}

// Like a call into Explorer's process, this waits for the window's thread
// however long it takes.
bool Navigate(HWND window, const std::wstring& folder) {
  COPYDATASTRUCT data{1, static_cast<DWORD>(folder.size() * sizeof(wchar_t)),
                      const_cast<wchar_t*>(folder.c_str())};
  return SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) == TRUE;
}

#define OBJECT_OF(Type, member, p) \
  reinterpret_cast<Type*>(reinterpret_cast<char*>(p) - offsetof(Type, member))

// The objects count references in `refs` and free themselves at zero.
template <class T>
ULONG ReleaseObject(T* o) {
  ULONG n = InterlockedDecrement(&o->refs);
  if (n == 0) delete o;
  return n;
}

// ---- the selection as a dropped-file list -------------------------------------------
struct DataObject {
  IDataObject iface;
  LONG refs;
  std::vector<std::wstring> files;
};

HRESULT STDMETHODCALLTYPE DataQI(IDataObject* self, REFIID riid, void** out) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
    *out = self;
    self->lpVtbl->AddRef(self);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE DataAddRef(IDataObject* self) {
  return InterlockedIncrement(&OBJECT_OF(DataObject, iface, self)->refs);
}
ULONG STDMETHODCALLTYPE DataRelease(IDataObject* self) {
  return ReleaseObject(OBJECT_OF(DataObject, iface, self));
}
HRESULT STDMETHODCALLTYPE DataGetData(IDataObject* self, FORMATETC* format, STGMEDIUM* medium) {
  DataObject* o = OBJECT_OF(DataObject, iface, self);
  if (format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
  size_t chars = 1;
  for (const std::wstring& f : o->files) chars += f.size() + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  if (!block) return E_OUTOFMEMORY;
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  wchar_t* p = reinterpret_cast<wchar_t*>(drop + 1);
  for (const std::wstring& f : o->files) {
    memcpy(p, f.c_str(), (f.size() + 1) * sizeof(wchar_t));
    p += f.size() + 1;
  }
  GlobalUnlock(block);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = block;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE DataQueryGetData(IDataObject*, FORMATETC* format) {
  return format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
}

IDataObjectVtbl* DataVtbl() {
  static IDataObjectVtbl table = [] {
    IDataObjectVtbl t{};
    t.QueryInterface = DataQI;
    t.AddRef = DataAddRef;
    t.Release = DataRelease;
    t.GetData = DataGetData;
    t.QueryGetData = DataQueryGetData;
    FillRest(t);
    return t;
  }();
  return &table;
}

// ---- the folder as an IPersistFolder2 ---------------------------------------------
struct PersistFolder {
  IPersistFolder2 iface;
  LONG refs;
  HWND window;
};

HRESULT STDMETHODCALLTYPE PersistQI(IPersistFolder2* self, REFIID riid, void** out) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPersist) ||
      IsEqualIID(riid, IID_IPersistFolder) || IsEqualIID(riid, IID_IPersistFolder2)) {
    *out = self;
    self->lpVtbl->AddRef(self);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE PersistAddRef(IPersistFolder2* self) {
  return InterlockedIncrement(&OBJECT_OF(PersistFolder, iface, self)->refs);
}
ULONG STDMETHODCALLTYPE PersistRelease(IPersistFolder2* self) {
  return ReleaseObject(OBJECT_OF(PersistFolder, iface, self));
}
HRESULT STDMETHODCALLTYPE PersistGetCurFolder(IPersistFolder2* self, LPITEMIDLIST* pidl) {
  HWND window = OBJECT_OF(PersistFolder, iface, self)->window;
  // Like a call into Explorer's process, this waits for the window's thread
  // however long it takes.
  SendMessageW(window, WM_NULL, 0, 0);
  State state;
  if (!ReadState(window, state)) return E_FAIL;
  return SHParseDisplayName(state.folder.c_str(), nullptr, pidl, 0, nullptr);
}

IPersistFolder2Vtbl* PersistVtbl() {
  static IPersistFolder2Vtbl table = [] {
    IPersistFolder2Vtbl t{};
    t.QueryInterface = PersistQI;
    t.AddRef = PersistAddRef;
    t.Release = PersistRelease;
    t.GetCurFolder = PersistGetCurFolder;
    FillRest(t);
    return t;
  }();
  return &table;
}

// ---- the view: IShellView and IFolderView -------------------------------------------
struct View {
  IShellView view;
  IFolderView folderView;
  LONG refs;
  HWND window;
};

HRESULT ViewQueryInterface(View* o, REFIID riid, void** out) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleWindow) ||
      IsEqualIID(riid, IID_IShellView)) {
    *out = &o->view;
  } else if (IsEqualIID(riid, IID_IFolderView)) {
    *out = &o->folderView;
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  InterlockedIncrement(&o->refs);
  return S_OK;
}
HRESULT STDMETHODCALLTYPE ShellViewQI(IShellView* self, REFIID riid, void** out) {
  return ViewQueryInterface(OBJECT_OF(View, view, self), riid, out);
}
ULONG STDMETHODCALLTYPE ShellViewAddRef(IShellView* self) {
  return InterlockedIncrement(&OBJECT_OF(View, view, self)->refs);
}
ULONG STDMETHODCALLTYPE ShellViewRelease(IShellView* self) {
  return ReleaseObject(OBJECT_OF(View, view, self));
}
HRESULT STDMETHODCALLTYPE ShellViewGetWindow(IShellView* self, HWND* window) {
  *window = OBJECT_OF(View, view, self)->window;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE ShellViewGetItemObject(IShellView* self, UINT item, REFIID riid, void** out) {
  *out = nullptr;
  if ((item & SVGIO_TYPE_MASK) != SVGIO_SELECTION || !IsEqualIID(riid, IID_IDataObject))
    return E_NOINTERFACE;
  State state;
  if (!ReadState(OBJECT_OF(View, view, self)->window, state)) return E_FAIL;
  auto* data = new DataObject{{DataVtbl()}, 1, state.selection};
  *out = &data->iface;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE FolderViewQI(IFolderView* self, REFIID riid, void** out) {
  return ViewQueryInterface(OBJECT_OF(View, folderView, self), riid, out);
}
ULONG STDMETHODCALLTYPE FolderViewAddRef(IFolderView* self) {
  return InterlockedIncrement(&OBJECT_OF(View, folderView, self)->refs);
}
ULONG STDMETHODCALLTYPE FolderViewRelease(IFolderView* self) {
  return ReleaseObject(OBJECT_OF(View, folderView, self));
}
HRESULT STDMETHODCALLTYPE FolderViewGetFolder(IFolderView* self, REFIID riid, void** out) {
  auto* folder = new PersistFolder{{PersistVtbl()}, 1, OBJECT_OF(View, folderView, self)->window};
  HRESULT hr = PersistQI(&folder->iface, riid, out);
  PersistRelease(&folder->iface);
  return hr;
}

IShellViewVtbl* ShellViewVtbl() {
  static IShellViewVtbl table = [] {
    IShellViewVtbl t{};
    t.QueryInterface = ShellViewQI;
    t.AddRef = ShellViewAddRef;
    t.Release = ShellViewRelease;
    t.GetWindow = ShellViewGetWindow;
    t.GetItemObject = ShellViewGetItemObject;
    FillRest(t);
    return t;
  }();
  return &table;
}
IFolderViewVtbl* FolderViewVtbl() {
  static IFolderViewVtbl table = [] {
    IFolderViewVtbl t{};
    t.QueryInterface = FolderViewQI;
    t.AddRef = FolderViewAddRef;
    t.Release = FolderViewRelease;
    t.GetFolder = FolderViewGetFolder;
    FillRest(t);
    return t;
  }();
  return &table;
}

// ---- the browser: IShellBrowser ------------------------------------------------------
struct ShellBrowser {
  IShellBrowser iface;
  LONG refs;
  HWND window;
};

HRESULT STDMETHODCALLTYPE BrowserQI(IShellBrowser* self, REFIID riid, void** out) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleWindow) ||
      IsEqualIID(riid, IID_IShellBrowser)) {
    *out = self;
    self->lpVtbl->AddRef(self);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE BrowserAddRef(IShellBrowser* self) {
  return InterlockedIncrement(&OBJECT_OF(ShellBrowser, iface, self)->refs);
}
ULONG STDMETHODCALLTYPE BrowserRelease(IShellBrowser* self) {
  return ReleaseObject(OBJECT_OF(ShellBrowser, iface, self));
}
HRESULT STDMETHODCALLTYPE BrowserGetWindow(IShellBrowser* self, HWND* window) {
  *window = OBJECT_OF(ShellBrowser, iface, self)->window;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE BrowserBrowseObject(IShellBrowser* self, PCUIDLIST_RELATIVE pidl, UINT) {
  wchar_t path[MAX_PATH] = {};
  if (!pidl || !SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(pidl), path)) return E_FAIL;
  return Navigate(OBJECT_OF(ShellBrowser, iface, self)->window, path) ? S_OK : E_FAIL;
}
HRESULT STDMETHODCALLTYPE BrowserQueryActiveShellView(IShellBrowser* self, IShellView** out) {
  auto* view = new View{{ShellViewVtbl()}, {FolderViewVtbl()}, 1, OBJECT_OF(ShellBrowser, iface, self)->window};
  *out = &view->view;
  return S_OK;
}

IShellBrowserVtbl* ShellBrowserVtbl() {
  static IShellBrowserVtbl table = [] {
    IShellBrowserVtbl t{};
    t.QueryInterface = BrowserQI;
    t.AddRef = BrowserAddRef;
    t.Release = BrowserRelease;
    t.GetWindow = BrowserGetWindow;
    t.BrowseObject = BrowserBrowseObject;
    t.QueryActiveShellView = BrowserQueryActiveShellView;
    FillRest(t);
    return t;
  }();
  return &table;
}

// ---- one item of the collection: IWebBrowser2 with IServiceProvider ----------------
struct WebBrowser {
  IWebBrowser2 web;
  IServiceProvider services;
  LONG refs;
  HWND window;
  HWND view;
};

HRESULT WebQueryInterface(WebBrowser* o, REFIID riid, void** out) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, IID_IWebBrowser) || IsEqualIID(riid, IID_IWebBrowserApp) ||
      IsEqualIID(riid, IID_IWebBrowser2)) {
    *out = &o->web;
  } else if (IsEqualIID(riid, IID_IServiceProvider)) {
    *out = &o->services;
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  InterlockedIncrement(&o->refs);
  return S_OK;
}
HRESULT STDMETHODCALLTYPE WebQI(IWebBrowser2* self, REFIID riid, void** out) {
  return WebQueryInterface(OBJECT_OF(WebBrowser, web, self), riid, out);
}
ULONG STDMETHODCALLTYPE WebAddRef(IWebBrowser2* self) {
  return InterlockedIncrement(&OBJECT_OF(WebBrowser, web, self)->refs);
}
ULONG STDMETHODCALLTYPE WebRelease(IWebBrowser2* self) {
  return ReleaseObject(OBJECT_OF(WebBrowser, web, self));
}
HRESULT STDMETHODCALLTYPE WebGetTypeInfoCount(IWebBrowser2*, UINT* count) {
  *count = 0;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE WebGetHwnd(IWebBrowser2* self, SHANDLE_PTR* handle) {
  *handle = reinterpret_cast<SHANDLE_PTR>(OBJECT_OF(WebBrowser, web, self)->window);
  return S_OK;
}
HRESULT STDMETHODCALLTYPE WebNavigate(IWebBrowser2* self, BSTR url, VARIANT*, VARIANT*, VARIANT*,
                                      VARIANT*) {
  if (!url) return E_INVALIDARG;
  Navigate(OBJECT_OF(WebBrowser, web, self)->view, url);
  return S_OK;
}
HRESULT STDMETHODCALLTYPE WebNavigate2(IWebBrowser2* self, VARIANT* url, VARIANT*, VARIANT*,
                                       VARIANT*, VARIANT*) {
  if (!url) return E_INVALIDARG;
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, url, 0, VT_BSTR))) return E_INVALIDARG;
  Navigate(OBJECT_OF(WebBrowser, web, self)->view, text.bstrVal ? text.bstrVal : L"");
  VariantClear(&text);
  return S_OK;
}
HRESULT STDMETHODCALLTYPE WebGetLocationUrl(IWebBrowser2* self, BSTR* url) {
  State state;
  if (!ReadState(OBJECT_OF(WebBrowser, web, self)->view, state)) return E_FAIL;
  *url = SysAllocString((L"file:///" + state.folder).c_str());
  return S_OK;
}
HRESULT STDMETHODCALLTYPE ServicesQI(IServiceProvider* self, REFIID riid, void** out) {
  return WebQueryInterface(OBJECT_OF(WebBrowser, services, self), riid, out);
}
ULONG STDMETHODCALLTYPE ServicesAddRef(IServiceProvider* self) {
  return InterlockedIncrement(&OBJECT_OF(WebBrowser, services, self)->refs);
}
ULONG STDMETHODCALLTYPE ServicesRelease(IServiceProvider* self) {
  return ReleaseObject(OBJECT_OF(WebBrowser, services, self));
}
HRESULT STDMETHODCALLTYPE ServicesQueryService(IServiceProvider* self, REFGUID service, REFIID riid,
                                               void** out) {
  *out = nullptr;
  if (!IsEqualGUID(service, SID_STopLevelBrowser) && !IsEqualGUID(service, SID_SShellBrowser))
    return E_NOINTERFACE;
  auto* browser = new ShellBrowser{{ShellBrowserVtbl()}, 1, OBJECT_OF(WebBrowser, services, self)->view};
  HRESULT hr = BrowserQI(&browser->iface, riid, out);
  BrowserRelease(&browser->iface);
  return hr;
}

IWebBrowser2Vtbl* WebVtbl() {
  static IWebBrowser2Vtbl table = [] {
    IWebBrowser2Vtbl t{};
    t.QueryInterface = WebQI;
    t.AddRef = WebAddRef;
    t.Release = WebRelease;
    t.GetTypeInfoCount = WebGetTypeInfoCount;
    t.get_HWND = WebGetHwnd;
    t.Navigate = WebNavigate;
    t.Navigate2 = WebNavigate2;
    t.get_LocationURL = WebGetLocationUrl;
    FillRest(t);
    return t;
  }();
  return &table;
}
IServiceProviderVtbl* ServicesVtbl() {
  static IServiceProviderVtbl table = [] {
    IServiceProviderVtbl t{};
    t.QueryInterface = ServicesQI;
    t.AddRef = ServicesAddRef;
    t.Release = ServicesRelease;
    t.QueryService = ServicesQueryService;
    return t;
  }();
  return &table;
}

// ---- the collection ------------------------------------------------------------------
struct Collection {
  IShellWindows iface;
  LONG refs;
};

HRESULT STDMETHODCALLTYPE CollectionQI(IShellWindows* self, REFIID riid, void** out) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, IID_IShellWindows)) {
    *out = self;
    self->lpVtbl->AddRef(self);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE CollectionAddRef(IShellWindows* self) {
  return InterlockedIncrement(&OBJECT_OF(Collection, iface, self)->refs);
}
ULONG STDMETHODCALLTYPE CollectionRelease(IShellWindows* self) {
  return ReleaseObject(OBJECT_OF(Collection, iface, self));
}
HRESULT STDMETHODCALLTYPE CollectionGetTypeInfoCount(IShellWindows*, UINT* count) {
  *count = 0;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE CollectionCount(IShellWindows*, LONG* count) {
  *count = static_cast<LONG>(StandinWindows().size());
  return S_OK;
}
HRESULT STDMETHODCALLTYPE CollectionItem(IShellWindows*, VARIANT index, IDispatch** out) {
  *out = nullptr;
  VARIANT number;
  VariantInit(&number);
  if (FAILED(VariantChangeType(&number, &index, 0, VT_I4))) return E_INVALIDARG;
  std::vector<Item> items = StandinWindows();
  if (number.lVal < 0 || number.lVal >= static_cast<LONG>(items.size())) return S_FALSE;
  const Item& item = items[number.lVal];
  auto* browser = new WebBrowser{{WebVtbl()}, {ServicesVtbl()}, 1, item.window, item.view};
  *out = reinterpret_cast<IDispatch*>(&browser->web);
  return S_OK;
}

IShellWindowsVtbl* CollectionVtbl() {
  static IShellWindowsVtbl table = [] {
    IShellWindowsVtbl t{};
    t.QueryInterface = CollectionQI;
    t.AddRef = CollectionAddRef;
    t.Release = CollectionRelease;
    t.GetTypeInfoCount = CollectionGetTypeInfoCount;
    t.get_Count = CollectionCount;
    t.Item = CollectionItem;
    FillRest(t);
    return t;
  }();
  return &table;
}

// ---- class factory ---------------------------------------------------------------------
HRESULT STDMETHODCALLTYPE FactoryQI(IClassFactory* self, REFIID riid, void** out) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
    *out = self;
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}
ULONG STDMETHODCALLTYPE FactoryAddRef(IClassFactory*) { return 2; }
ULONG STDMETHODCALLTYPE FactoryRelease(IClassFactory*) { return 1; }
HRESULT STDMETHODCALLTYPE FactoryCreateInstance(IClassFactory*, IUnknown* outer, REFIID riid, void** out) {
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  auto* collection = new Collection{{CollectionVtbl()}, 1};
  HRESULT hr = CollectionQI(&collection->iface, riid, out);
  CollectionRelease(&collection->iface);
  return hr;
}
HRESULT STDMETHODCALLTYPE FactoryLockServer(IClassFactory*, BOOL) { return S_OK; }

IClassFactoryVtbl factoryVtbl = {FactoryQI, FactoryAddRef, FactoryRelease, FactoryCreateInstance,
                                 FactoryLockServer};
IClassFactory factory = {&factoryVtbl};

}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_ShellWindows)) return CLASS_E_CLASSNOTAVAILABLE;
  return FactoryQI(&factory, riid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }
