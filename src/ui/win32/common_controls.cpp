#include "ui/win32/common_controls.h"

#include "core/diagnostics.h"
#include "core/text.h"

namespace pathorama::ui::win32 {

namespace {

struct CommonControls {
  HMODULE module = nullptr;
  decltype(&::InitCommonControlsEx) init = nullptr;
  decltype(&::SetWindowSubclass) setSubclass = nullptr;
  decltype(&::DefSubclassProc) defSubclassProc = nullptr;
};

template <typename Function>
Function Find(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Loaded once, under the activation context of the program's manifest
// (version 6 where it asks for it).
const CommonControls& Library() {
  static const CommonControls library = [] {
    CommonControls found;
    found.module = LoadLibraryW(L"comctl32.dll");
    if (!found.module) {
      core::Trace(u"the common controls could not be loaded: " + core::IntToText(GetLastError()));
      return found;
    }
    found.init = Find<decltype(found.init)>(found.module, "InitCommonControlsEx");
    found.setSubclass = Find<decltype(found.setSubclass)>(found.module, "SetWindowSubclass");
    found.defSubclassProc = Find<decltype(found.defSubclassProc)>(found.module, "DefSubclassProc");
    return found;
  }();
  return library;
}

}  // namespace

bool LoadCommonControls(DWORD classes) {
  const CommonControls& library = Library();
  INITCOMMONCONTROLSEX controls{sizeof controls, classes};
  return library.init && library.init(&controls);
}

bool SetSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  const CommonControls& library = Library();
  return library.setSubclass && library.setSubclass(window, proc, id, data);
}

LRESULT DefaultSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Only subclass procedures call it, so the library is there.
  const CommonControls& library = Library();
  return library.defSubclassProc ? library.defSubclassProc(window, message, wParam, lParam)
                                 : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace pathorama::ui::win32
