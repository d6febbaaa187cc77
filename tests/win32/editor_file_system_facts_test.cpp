// The editor's file facts against real files, folders and shortcuts made
// with the shell's own link object.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "core/text.h"
#include "core/win32/wide_text.h"
#include "editor/win32/file_system_facts.h"

namespace pathorama::editor::win32 {
namespace {

using core::win32::AsWide;

class EditorFileSystemFactsTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    dir_ = core::win32::FromWide(temp) + u"pathorama_editor_" +
           core::IntToText(static_cast<long long>(GetCurrentProcessId())) + u"_测试";
    ASSERT_TRUE(CreateDirectoryW(AsWide(dir_), nullptr));
    target_ = dir_ + u"\\目标 文件.txt";
    HANDLE file = CreateFileW(AsWide(target_), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override {
    for (const std::u16string& name : created_) DeleteFileW(AsWide(name));
    DeleteFileW(AsWide(target_));
    RemoveDirectoryW(AsWide(dir_));
    CoUninitialize();
  }

  // A shortcut made as Explorer makes one.
  std::u16string MakeShortcut(const std::u16string& name, const std::u16string& pointsAt) {
    std::u16string path = dir_ + u"\\" + name;
    IShellLinkW* link = nullptr;
    EXPECT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                           IID_IShellLinkW, reinterpret_cast<void**>(&link))));
    if (!link) return path;
    IPersistFile* file = nullptr;
    EXPECT_TRUE(SUCCEEDED(link->SetPath(AsWide(pointsAt))));
    EXPECT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    if (file) {
      EXPECT_TRUE(SUCCEEDED(file->Save(AsWide(path), TRUE)));
      file->Release();
    }
    link->Release();
    created_.push_back(path);
    return path;
  }

  std::u16string dir_, target_;
  std::vector<std::u16string> created_;
};

TEST_F(EditorFileSystemFactsTest, ShortcutTargetOrNothing) {
  std::u16string shortcut = MakeShortcut(u"快捷方式.lnk", target_);
  EXPECT_TRUE(core::EqualsIgnoreCase(ResolveShortcutTarget(shortcut), target_))
      << core::Utf16ToUtf8(ResolveShortcutTarget(shortcut));
  // Not a shortcut, or no file at all: no target, and no failure.
  EXPECT_EQ(ResolveShortcutTarget(target_), u"");
  EXPECT_EQ(ResolveShortcutTarget(dir_ + u"\\missing.lnk"), u"");
}

TEST_F(EditorFileSystemFactsTest, FilesAndFoldersTellApart) {
  WindowsFileSystemFacts facts;
  EXPECT_TRUE(facts.IsExistingFile(target_));
  EXPECT_FALSE(facts.IsExistingFolder(target_));
  EXPECT_TRUE(facts.IsExistingFolder(dir_));
  EXPECT_FALSE(facts.IsExistingFile(dir_));
  EXPECT_FALSE(facts.IsExistingFile(dir_ + u"\\missing.txt"));
  EXPECT_FALSE(facts.IsExistingFolder(dir_ + u"\\missing"));
}

TEST_F(EditorFileSystemFactsTest, ADroppedShortcutAddsItsTarget) {
  std::u16string shortcut = MakeShortcut(u"Tools.LNK", target_);
  WindowsFileSystemFacts facts;
  JumpTree tree([n = 0]() mutable { return ++n; });
  NodeId node = AddNodeForPath(tree, std::nullopt, false, u"", shortcut, facts, {});
  EXPECT_EQ(tree.Text(node), u"Tools");
  EXPECT_TRUE(core::EqualsIgnoreCase(tree.PathInfo(node), target_));
}

}  // namespace
}  // namespace pathorama::editor::win32
