#include "paths/win32/shortcut_target.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <vector>

#include "core/text.h"
#include "core/win32/wide_text.h"

namespace pathorama::paths::win32 {

namespace {

using Microsoft::WRL::ComPtr;
using core::win32::AsWide;
using core::win32::FromWide;

// COM for this call, unless the thread already has it.
class ComForCall {
 public:
  ComForCall() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComForCall() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComForCall(const ComForCall&) = delete;
  ComForCall& operator=(const ComForCall&) = delete;

 private:
  HRESULT result_;
};

// Long targets do not fit the classic 260 characters.
constexpr int kTargetBuffer = 32768;

}  // namespace

bool IsShortcutFile(std::u16string_view path) { return core::EndsWithIgnoreCase(path, u".lnk"); }

std::u16string ResolveShortcutTarget(std::u16string_view shortcutFile) {
  ComForCall com;
  ComPtr<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
    return u"";
  ComPtr<IPersistFile> file;
  const std::u16string name(shortcutFile);
  if (FAILED(link.As(&file)) || FAILED(file->Load(AsWide(name), STGM_READ))) return u"";
  std::vector<wchar_t> raw(kTargetBuffer, L'\0');
  // The raw path: a target written with environment variables keeps them
  // here, and they are expanded below for this machine.
  if (link->GetPath(raw.data(), kTargetBuffer, nullptr, SLGP_RAWPATH) != S_OK || !raw[0]) return u"";
  std::vector<wchar_t> expanded(kTargetBuffer, L'\0');
  const DWORD n = ExpandEnvironmentStringsW(raw.data(), expanded.data(), kTargetBuffer);
  if (n == 0 || n > static_cast<DWORD>(kTargetBuffer)) return FromWide(raw.data());
  return FromWide(expanded.data());
}

}  // namespace pathorama::paths::win32
