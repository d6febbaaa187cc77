#include "settings/win32/registry_effects.h"

#include <string>

namespace pathorama::settings::win32 {

namespace {

class RegKey {
 public:
  RegKey() = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() {
    if (key_) RegCloseKey(key_);
  }
  HKEY* Put() { return &key_; }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

bool Gone(LSTATUS status) {
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

LSTATUS SetString(HKEY root, const RegistryOperation& op, REGSAM view) {
  RegKey key;
  LSTATUS status = RegCreateKeyExW(root, Wide(op.key), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_SET_VALUE | view, nullptr, key.Put(), nullptr);
  if (status != ERROR_SUCCESS) return status;
  const DWORD bytes = static_cast<DWORD>((op.data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.Get(), op.valueName.empty() ? nullptr : Wide(op.valueName), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(op.data.c_str()), bytes);
}

LSTATUS DeleteValue(HKEY root, const RegistryOperation& op, REGSAM view) {
  RegKey key;
  LSTATUS status = RegOpenKeyExW(root, Wide(op.key), 0, KEY_SET_VALUE | view, key.Put());
  if (status != ERROR_SUCCESS) return status;
  return RegDeleteValueW(key.Get(), op.valueName.empty() ? nullptr : Wide(op.valueName));
}

LSTATUS DeleteTree(HKEY root, const RegistryOperation& op, REGSAM view) {
  const size_t slash = op.key.find_last_of(u'\\');
  const std::u16string parentPath = slash == std::u16string::npos ? u"" : op.key.substr(0, slash);
  const std::u16string name = slash == std::u16string::npos ? op.key : op.key.substr(slash + 1);
  RegKey parent;
  LSTATUS status = RegOpenKeyExW(root, Wide(parentPath), 0,
                                 KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | KEY_SET_VALUE | DELETE | view,
                                 parent.Put());
  if (status != ERROR_SUCCESS) return status;
  status = RegDeleteTreeW(parent.Get(), Wide(name));
  if (status != ERROR_SUCCESS) return status;
  // RegDeleteTree empties the key; make sure the key itself goes too.
  status = RegDeleteKeyW(parent.Get(), Wide(name));
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LSTATUS Execute(HKEY root, const RegistryOperation& op, REGSAM view) {
  switch (op.action) {
    case RegistryAction::SetString:
      return SetString(root, op, view);
    case RegistryAction::DeleteValue:
      return DeleteValue(root, op, view);
    case RegistryAction::DeleteTree:
      return DeleteTree(root, op, view);
  }
  return ERROR_INVALID_PARAMETER;
}

}  // namespace

bool ExecuteRegistryOperations(const std::vector<RegistryOperation>& operations,
                               const RegistryRoots& roots) {
  bool ok = true;
  for (const RegistryOperation& op : operations) {
    HKEY root = op.root == RegistryRoot::CurrentUser ? roots.currentUser : roots.localMachine;
    if (op.bestEffort) {
      // A 32-bit earlier release wrote machine-wide values into the 32-bit view.
      Execute(root, op, KEY_WOW64_64KEY);
      Execute(root, op, KEY_WOW64_32KEY);
      continue;
    }
    LSTATUS status = Execute(root, op, 0);
    if (op.action == RegistryAction::SetString ? status != ERROR_SUCCESS : !Gone(status)) ok = false;
  }
  return ok;
}

}  // namespace pathorama::settings::win32
