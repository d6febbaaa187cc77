// Stands in for a running Word, Excel or PowerPoint: the product's main
// window ("OpusApp" with a "_WwF" document pane, "XLMAIN" or "PPTFrameClass")
// and its application object, registered as the active object of the
// product's ProgID in the running object table, answering through IDispatch
// what a reader asks: the active document's Path and the application's
// window handle (Word: ActiveWindow.Hwnd; Excel: Hwnd; PowerPoint: HWND and
// ActiveWindow.HWND). Names a product does not have are unknown names.
// Options:
//   --product=word|excel|powerpoint (default word)
//   --mode=saved      Path is --folder
//          unsaved    Path is empty
//          nodocument the document property fails as with no document open
//          hang       every Invoke waits forever (GetIDsOfNames answers)
//          reject     every Invoke answers RPC_E_CALL_REJECTED
//          absent     nothing is registered: the window alone
//   --folder=PATH, --delay=MS (every Invoke waits that long first),
//   --no-pane (Word without its document pane), --hidden (window not shown),
//   --title=TEXT, --extra-window=hidden|no-pane (Word: a second main window
//   of the same process above the first, hidden or without its pane).
// Logs "registered PID", "get NAME by PID" for each property answered,
// "hanging PID", "ready PID" once its windows are there, and "revoked PID".
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "standin_common.h"

namespace {

enum class Product { Word, Excel, PowerPoint };

Product product = Product::Word;
std::wstring mode = L"saved";
std::wstring folder;
DWORD delayMs = 0;
HWND mainWindow = nullptr;

std::wstring Pid() { return std::to_wstring(GetCurrentProcessId()); }

// Property identifiers, one per name any object of the stand-in answers.
enum Dispid : DISPID {
  kActiveDocument = 1,
  kActiveWindow,
  kApplicationHwnd,
  kPath,
  kFullName,
  kWindowHwnd,
  kName,
};

struct Name {
  const wchar_t* text;
  DISPID id;
};

// What each kind of object answers, by product.
std::vector<Name> ApplicationNames() {
  switch (product) {
    case Product::Word:
      return {{L"ActiveDocument", kActiveDocument}, {L"ActiveWindow", kActiveWindow},
              {L"Name", kName}};
    case Product::Excel:
      return {{L"ActiveWorkbook", kActiveDocument}, {L"ActiveWindow", kActiveWindow},
              {L"Hwnd", kApplicationHwnd}, {L"Name", kName}};
    case Product::PowerPoint:
      return {{L"ActivePresentation", kActiveDocument}, {L"ActiveWindow", kActiveWindow},
              {L"HWND", kApplicationHwnd}, {L"Name", kName}};
  }
  return {};
}
std::vector<Name> DocumentNames() { return {{L"Path", kPath}, {L"FullName", kFullName}}; }
std::vector<Name> WindowNames() {
  // Excel's Window object has Hwnd only from 2013 on; the reader uses Application.Hwnd.
  if (product == Product::Excel) return {{L"Caption", kName}};
  return {{product == Product::Word ? L"Hwnd" : L"HWND", kWindowHwnd}};
}

// One automation object: the application, its active document or its
// active window, told apart by the names it answers.
class Object : public IDispatch {
 public:
  explicit Object(std::vector<Name> names) : names_(std::move(names)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    HRESULT result = S_OK;
    for (UINT i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      for (const Name& n : names_)
        if (_wcsicmp(n.text, names[i]) == 0) ids[i] = n.id;
      if (ids[i] == DISPID_UNKNOWN) {
        standin::Log(L"unknown name " + std::wstring(names[i]) + L" asked of " + Pid());
        result = DISP_E_UNKNOWNNAME;
      }
    }
    return result;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result,
                                   EXCEPINFO* exception, UINT*) override {
    if (mode == L"hang") {
      standin::Log(L"hanging " + Pid());
      // Like an Office busy with a modal dialog: the call is never answered.
      WaitForSingleObject(GetCurrentProcess(), INFINITE);
    }
    if (delayMs) Sleep(delayMs);
    if (mode == L"reject") return RPC_E_CALL_REJECTED;
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    std::wstring name;
    for (const Name& n : names_)
      if (n.id == id) name = n.text;
    if (name.empty()) return DISP_E_MEMBERNOTFOUND;
    VariantInit(result);
    switch (id) {
      case kActiveDocument:
        if (mode == L"nodocument") {
          if (exception) {
            *exception = EXCEPINFO{};
            exception->scode = E_FAIL;
            exception->bstrDescription = SysAllocString(L"no document is open");
          }
          standin::Log(L"refused " + name + L" by " + Pid());
          return DISP_E_EXCEPTION;
        }
        result->vt = VT_DISPATCH;
        result->pdispVal = new Object(DocumentNames());
        break;
      case kActiveWindow:
        result->vt = VT_DISPATCH;
        result->pdispVal = new Object(WindowNames());
        break;
      case kApplicationHwnd:
      case kWindowHwnd:
        // Office answers a Long: the handle's low 32 bits.
        result->vt = VT_I4;
        result->lVal = static_cast<LONG>(reinterpret_cast<LONG_PTR>(mainWindow));
        break;
      case kPath:
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(mode == L"saved" ? folder.c_str() : L"");
        break;
      case kFullName:
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(
            (mode == L"saved" ? folder + L"\\Document1.docx" : std::wstring(L"Document1")).c_str());
        break;
      case kName:
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocString(L"stand-in");
        break;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
    standin::Log(L"get " + name + L" by " + Pid());
    return S_OK;
  }

 private:
  virtual ~Object() = default;
  LONG refs_ = 1;
  std::vector<Name> names_;
};

DWORD registration = 0;
bool registered = false;

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    if (registered) {
      RevokeActiveObject(registration, nullptr);
      standin::Log(L"revoked " + Pid());
    }
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  standin::LogCommandLine();
  const std::wstring productWord = standin::Option(L"product", L"word");
  product = productWord == L"excel"        ? Product::Excel
            : productWord == L"powerpoint" ? Product::PowerPoint
                                           : Product::Word;
  mode = standin::Option(L"mode", L"saved");
  folder = standin::Option(L"folder", L"C:\\");
  delayMs = static_cast<DWORD>(_wtoi(standin::Option(L"delay", L"0").c_str()));

  const wchar_t* className = product == Product::Word    ? L"OpusApp"
                             : product == Product::Excel ? L"XLMAIN"
                                                         : L"PPTFrameClass";
  const wchar_t* progId = product == Product::Word    ? L"Word.Application"
                          : product == Product::Excel ? L"Excel.Application"
                                                      : L"PowerPoint.Application";
  standin::RegisterPlainClass(className, Proc);
  standin::RegisterPlainClass(L"_WwF");
  standin::RegisterPlainClass(L"_WwG");
  const std::wstring title = standin::Option(L"title", L"Document1 (stand-in)");
  mainWindow = CreateWindowExW(0, className, title.c_str(), WS_OVERLAPPEDWINDOW, 80, 80, 520, 360,
                               nullptr, nullptr, nullptr, nullptr);
  if (product == Product::Word && !standin::HasFlag(L"no-pane")) {
    HWND pane = standin::Child(mainWindow, L"_WwF", L"", 0, 0, 0, 500, 320);
    standin::Child(pane, L"_WwG", L"Document1", 0, 0, 0, 500, 320);
  }

  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    standin::Log(L"COM failed " + Pid());
    return 1;
  }
  if (mode != L"absent") {
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (SUCCEEDED(hr)) {
      auto* application = new Object(ApplicationNames());
      hr = RegisterActiveObject(application, clsid, ACTIVEOBJECT_STRONG, &registration);
      application->Release();  // the running object table holds it now
      registered = SUCCEEDED(hr);
    }
    wchar_t code[16];
    swprintf(code, 16, L"%08lX", static_cast<unsigned long>(hr));
    standin::Log((registered ? std::wstring(L"registered ") : L"not registered (" + std::wstring(code) + L") ") +
                 Pid());
  }
  if (!standin::HasFlag(L"hidden")) ShowWindow(mainWindow, SW_SHOWNORMAL);
  const std::wstring extra = standin::Option(L"extra-window");
  if (product == Product::Word && !extra.empty()) {
    HWND second = CreateWindowExW(0, className, L"Document2 (stand-in)", WS_OVERLAPPEDWINDOW, 120,
                                  120, 520, 360, nullptr, nullptr, nullptr, nullptr);
    if (extra != L"no-pane") standin::Child(second, L"_WwF", L"", 0, 0, 0, 500, 320);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | (extra == L"hidden" ? SWP_NOACTIVATE : SWP_SHOWWINDOW));
  }
  standin::Log(L"ready " + Pid());
  int code = standin::RunMessageLoop();
  CoUninitialize();
  return code;
}
