// A test fixture with a fresh folder of its own, unique per test and run so
// concurrent runs never collide, removed afterwards even when a test made
// its files read-only.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "core/text.h"

namespace pathorama::test_support {

class ScratchFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("pathorama_" +
            std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
            std::to_string(std::random_device()()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir_, ec))
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  // A path inside the folder as the program's file functions take it.
  std::u16string Path(const char* name) const { return AsText(dir_ / name); }

 public:
  static std::u16string AsText(const std::filesystem::path& path) {
#ifdef _WIN32
    return path.u16string();
#else
    return core::Utf8ToUtf16(path.string());
#endif
  }

 protected:
  std::filesystem::path dir_;
};

}  // namespace pathorama::test_support
