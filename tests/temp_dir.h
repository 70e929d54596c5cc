#ifndef QUORVANE_TESTS_TEMP_DIR_H_
#define QUORVANE_TESTS_TEMP_DIR_H_

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <system_error>

#include <stdlib.h>

#include <gtest/gtest.h>

namespace quorvane {

/// A fresh directory for one test, removed with everything in it afterwards.
class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "quorvane-test-XXXXXX")
            .string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(dir_, ignored);
  }

  std::string Path(std::string_view name) const {
    return (dir_ / name).string();
  }

  static void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
  }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  /// Names of the entries in the directory, sorted, to spot leftovers.
  std::string Listing() const {
    std::string names;
    std::set<std::string> sorted;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
      sorted.insert(entry.path().filename().string());
    }
    for (const std::string& name : sorted) names += name + " ";
    return names;
  }

  std::filesystem::path dir_;
};

}  // namespace quorvane

#endif  // QUORVANE_TESTS_TEMP_DIR_H_
