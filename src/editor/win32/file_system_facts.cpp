#include "editor/win32/file_system_facts.h"

#include <objbase.h>
#include <shlobj.h>
#include <windows.h>
#include <wrl/client.h>

#include <vector>

#include "core/diagnostics.h"
#include "core/win32/wide_text.h"

namespace pathorama::editor::win32 {

namespace {

using core::win32::AsWide;
using core::win32::FromWide;
using Microsoft::WRL::ComPtr;

// COM for this call when the thread has none yet; a thread already in the
// other apartment kind still serves the in-process shell link object.
class ComForCall {
 public:
  ComForCall() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComForCall() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  ComForCall(const ComForCall&) = delete;
  ComForCall& operator=(const ComForCall&) = delete;

 private:
  HRESULT hr_;
};

DWORD Attributes(std::u16string_view path) {
  return GetFileAttributesW(AsWide(std::u16string(path)));
}

}  // namespace

std::u16string ResolveShortcutTarget(std::u16string_view path) {
  ComForCall com;
  ComPtr<IShellLinkW> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
  if (FAILED(hr)) {
    core::Trace(u"shortcut not read: no shell link object");
    return {};
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link.As(&file))) return {};
  const std::u16string name(path);
  if (FAILED(file->Load(AsWide(name), STGM_READ))) {
    core::Trace(u"shortcut not read: " + name);
    return {};
  }
  // Long paths fit: the buffer is as long as any Windows path can be.
  std::vector<wchar_t> target(32768, L'\0');
  hr = link->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0);
  if (hr != S_OK) return {};
  return FromWide(target.data());
}

bool WindowsFileSystemFacts::IsExistingFile(std::u16string_view path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsFileSystemFacts::IsExistingFolder(std::u16string_view path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace pathorama::editor::win32
