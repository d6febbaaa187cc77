#include "editor/win32/import_file_dialog.h"

#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <vector>

#include "core/win32/wide_text.h"

namespace pathorama::editor::win32 {
namespace {

using core::win32::AsWide;
using core::win32::FromWide;
using Microsoft::WRL::ComPtr;

constexpr DWORD kEncodingList = 1;  // the customisation's control id

}  // namespace

std::optional<ChosenImportFile> ChooseImportFile(HWND owner,
                                                 const ImportFileDialogOptions& options) {
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&dialog))))
    return std::nullopt;
  FILEOPENDIALOGOPTIONS flags = 0;
  dialog->GetOptions(&flags);
  dialog->SetOptions(flags | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST | FOS_FORCESHOWHIDDEN |
                     FOS_FORCEFILESYSTEM);
  const std::wstring title(AsWide(options.title), options.title.size());
  dialog->SetTitle(title.c_str());
  // The filter texts must outlive SetFileTypes' call only, but keep them
  // zero-terminated.
  std::vector<std::wstring> texts;
  texts.reserve(options.filters.size() * 2);
  std::vector<COMDLG_FILTERSPEC> specs;
  for (const FileFilter& filter : options.filters) {
    texts.emplace_back(AsWide(filter.name), filter.name.size());
    texts.emplace_back(AsWide(filter.pattern), filter.pattern.size());
  }
  for (size_t i = 0; i < options.filters.size(); ++i)
    specs.push_back({texts[2 * i].c_str(), texts[2 * i + 1].c_str()});
  if (!specs.empty()) {
    dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
    dialog->SetFileTypeIndex(1);
  }
  if (!options.defaultExtension.empty()) {
    const std::wstring extension(AsWide(options.defaultExtension), options.defaultExtension.size());
    dialog->SetDefaultExtension(extension.c_str());
  }

  if (!options.startFolder.empty()) {
    ComPtr<IShellItem> folder;
    if (SUCCEEDED(SHCreateItemFromParsingName(AsWide(options.startFolder), nullptr,
                                              IID_PPV_ARGS(&folder))))
      dialog->SetFolder(folder.Get());
  }

  const std::span<const EncodingChoice> choices = ImportEncodingChoices();
  ComPtr<IFileDialogCustomize> customize;
  if (options.encodingList && SUCCEEDED(dialog.As(&customize))) {
    customize->StartVisualGroup(kEncodingList + 100, L"编码：");
    customize->AddComboBox(kEncodingList);
    for (size_t i = 0; i < choices.size(); ++i) {
      const std::wstring caption(AsWide(choices[i].caption), choices[i].caption.size());
      customize->AddControlItem(kEncodingList, static_cast<DWORD>(i), caption.c_str());
    }
    customize->SetSelectedControlItem(kEncodingList, 0);
    customize->EndVisualGroup();
  }

  if (FAILED(dialog->Show(owner))) return std::nullopt;
  ComPtr<IShellItem> item;
  wchar_t* path = nullptr;
  if (FAILED(dialog->GetResult(&item)) || FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)))
    return std::nullopt;
  ChosenImportFile chosen;
  chosen.file = FromWide(path);
  CoTaskMemFree(path);
  DWORD selected = 0;
  if (customize && SUCCEEDED(customize->GetSelectedControlItem(kEncodingList, &selected)) &&
      selected < choices.size())
    chosen.encoding = choices[selected].encoding;
  return chosen;
}

}  // namespace pathorama::editor::win32
