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
    // A test may have made a directory read-only; without write permission
    // its entries could not be removed.
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(dir_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
      if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add,
                        ignored);
      }
    }
    fs::remove_all(dir_, ignored);
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

  /// Paths of the entries in the directory and below, relative and sorted,
  /// to spot leftovers.
  std::string Listing() const {
    std::string names;
    std::set<std::string> sorted;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(dir_)) {
      sorted.insert(entry.path().lexically_relative(dir_).string());
    }
    for (const std::string& name : sorted) names += name + " ";
    return names;
  }

  std::filesystem::path dir_;
};

}  // namespace quorvane

#endif  // QUORVANE_TESTS_TEMP_DIR_H_
