// The apply step's registry effects on the real registry. Both roots are
// redirected to scratch keys under HKEY_CURRENT_USER, removed afterwards, so
// the test leaves the prefix as it found it.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/apply_step.h"
#include "settings/win32/registry_effects.h"

namespace pathorama::settings::win32 {
namespace {

constexpr char16_t kExe[] = u"C:\\Program Files\\Pathorama\\pathorama.exe";
constexpr wchar_t kQuotedExe[] = L"\"C:\\Program Files\\Pathorama\\pathorama.exe\"";
constexpr core::CalendarDate kToday{2026, 12, 9};

class ScratchRoots : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = L"Software\\PathoramaSettingsTest\\" + std::to_wstring(GetCurrentProcessId());
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (base_ + L"\\user").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &roots_.currentUser, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (base_ + L"\\machine").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &roots_.localMachine, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    if (roots_.currentUser) RegCloseKey(roots_.currentUser);
    if (roots_.localMachine) RegCloseKey(roots_.localMachine);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PathoramaSettingsTest");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\PathoramaSettingsTest");
  }

  static std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key,
                                                const wchar_t* value) {
    wchar_t buffer[1024];
    DWORD bytes = sizeof(buffer);
    if (RegGetValueW(root, key.c_str(), value, RRF_RT_REG_SZ, nullptr, buffer, &bytes) != ERROR_SUCCESS)
      return std::nullopt;
    return std::wstring(buffer);
  }
  static bool KeyExists(HKEY root, const std::wstring& key) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
  }
  static void Put(HKEY root, const std::wstring& key, const wchar_t* value, const std::wstring& data) {
    ASSERT_EQ(RegSetKeyValueW(root, key.c_str(), value, REG_SZ, data.c_str(),
                              static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }

  std::wstring base_;
  RegistryRoots roots_{nullptr, nullptr};
};

const wchar_t* const kShellKeys[] = {L"Software\\Classes\\Directory\\shell\\",
                                     L"Software\\Classes\\*\\shell\\",
                                     L"Software\\Classes\\Directory\\Background\\shell\\"};
const wchar_t* const kCommands[] = {L" /AddToJumpList \"%1\"", L" /AddToJumpList \"%1\"",
                                    L" /AddToJumpList \"%V\\\""};
constexpr wchar_t kVerb[] = L"添加到 Pathorama 列表中";
constexpr wchar_t kLegacyVerb[] = L"添加到Pathorama列表中";
constexpr wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST_F(ScratchRoots, WritesPerUserValuesAndRemovesEarlierOnes) {
  // What earlier releases left: legacy verbs per user, everything machine-wide.
  for (const wchar_t* shell : kShellKeys) {
    Put(roots_.currentUser, std::wstring(shell) + kLegacyVerb + L"\\command", nullptr, L"old");
    Put(roots_.localMachine, std::wstring(shell) + kLegacyVerb + L"\\command", nullptr, L"old");
    Put(roots_.localMachine, std::wstring(shell) + kVerb + L"\\command", nullptr, L"old");
  }
  Put(roots_.localMachine, kRun, L"Pathorama", L"old");
  Put(roots_.localMachine, kRun, L"Other", L"keep");
  Put(roots_.currentUser, kRun, L"Other", L"keep");

  settings::AppSettings settings(kToday);
  ASSERT_TRUE(ExecuteRegistryOperations(
      settings::RegistryOperationsFor(settings, kExe), roots_));

  EXPECT_EQ(ReadString(roots_.currentUser, kRun, L"Pathorama"), kQuotedExe);
  EXPECT_EQ(ReadString(roots_.currentUser, kRun, L"Other"), L"keep");
  for (size_t i = 0; i < 3; ++i) {
    const std::wstring verbKey = std::wstring(kShellKeys[i]) + kVerb;
    EXPECT_EQ(ReadString(roots_.currentUser, verbKey + L"\\command", nullptr),
              std::wstring(kQuotedExe) + kCommands[i]);
    EXPECT_EQ(ReadString(roots_.currentUser, verbKey, L"Icon"), kQuotedExe);
    EXPECT_FALSE(KeyExists(roots_.currentUser, std::wstring(kShellKeys[i]) + kLegacyVerb));
    EXPECT_FALSE(KeyExists(roots_.localMachine, std::wstring(kShellKeys[i]) + kLegacyVerb));
    EXPECT_FALSE(KeyExists(roots_.localMachine, verbKey));
  }
  EXPECT_FALSE(ReadString(roots_.localMachine, kRun, L"Pathorama"));
  EXPECT_EQ(ReadString(roots_.localMachine, kRun, L"Other"), L"keep");

  // Switched off: the values go, the shared keys stay; doing it twice is fine.
  settings.SetBool(settings::Setting::AutoRunWhenSystemStart, false);
  settings.SetBool(settings::Setting::AddSelectedItemToJumpListFromContextMenu, false);
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(ExecuteRegistryOperations(
        settings::RegistryOperationsFor(settings, kExe), roots_));
    EXPECT_FALSE(ReadString(roots_.currentUser, kRun, L"Pathorama"));
    EXPECT_EQ(ReadString(roots_.currentUser, kRun, L"Other"), L"keep");
    for (const wchar_t* shell : kShellKeys) {
      EXPECT_FALSE(KeyExists(roots_.currentUser, std::wstring(shell) + kVerb));
      EXPECT_TRUE(KeyExists(roots_.currentUser, shell));
    }
  }
}

TEST_F(ScratchRoots, OnlyPerUserFailuresAreReported) {
  settings::AppSettings settings(kToday);
  const auto ops = settings::RegistryOperationsFor(settings, kExe);
  // A machine-wide root that cannot be written (no rights) goes unnoticed.
  RegistryRoots noMachine{roots_.currentUser,
                                           reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x7FFF0))};
  EXPECT_TRUE(ExecuteRegistryOperations(ops, noMachine));
  EXPECT_EQ(ReadString(roots_.currentUser, kRun, L"Pathorama"), kQuotedExe);
  // A per-user value that cannot be written is a failure.
  RegistryRoots noUser{reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x7FFF0)),
                                        roots_.localMachine};
  EXPECT_FALSE(ExecuteRegistryOperations(ops, noUser));
}

}  // namespace
}  // namespace pathorama::settings::win32
