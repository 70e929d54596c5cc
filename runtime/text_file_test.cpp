#include "runtime/text_file.h"

#include <sys/stat.h>

#include <filesystem>

#include "runtime/file_error.h"
#include "tests/temp_dir.h"

namespace quorvane {
namespace {

class TextFileTest : public TempDirTest {};

TEST_F(TextFileTest, ReaderReadsLinesAndNamesFileInErrors) {
  WriteFile(Path("a.lst"), "one\r\ntwo");
  TextFileReader reader(Path("a.lst"));
  std::string_view line;
  ASSERT_TRUE(reader.ReadLine(&line));
  EXPECT_EQ(line, "one");
  ASSERT_TRUE(reader.ReadLine(&line));
  EXPECT_EQ(line, "two");
  EXPECT_FALSE(reader.ReadLine(&line));
  reader.Close();

  struct Case {
    std::string path;
    std::string message;
  };
  std::filesystem::create_directory(Path("dir.lst"));
  const Case cases[] = {
      {Path("missing.lst"),
       "cannot open '" + Path("missing.lst") + "': No such file or directory"},
      {Path("dir.lst"), "cannot open '" + Path("dir.lst") + "': Is a directory"},
  };
  for (const Case& c : cases) {
    try {
      TextFileReader failing(c.path);
      ADD_FAILURE() << "opened " << c.path;
    } catch (const FileError& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
}

TEST_F(TextFileTest, ReplacementTakesEffectOnlyOnCommit) {
  WriteFile(Path("m.map"), "old map that is longer than the new one");
  {
    ReplacementFile file(Path("m.map"));
    file.WriteLine("abandoned");
  }
  EXPECT_EQ(ReadFile(Path("m.map")), "old map that is longer than the new one");
  EXPECT_EQ(Listing(), "m.map ");

  ReplacementFile file(Path("m.map"));
  file.WriteLine("new");
  file.WriteLine("");
  file.Commit();
  EXPECT_EQ(ReadFile(Path("m.map")), "new\r\n\r\n");
  EXPECT_EQ(Listing(), "m.map ");
}

TEST_F(TextFileTest, ReplacementWritesThroughSymbolicLink) {
  std::filesystem::create_directory(Path("out"));
  WriteFile(Path("out/real.map"), "old");
  std::filesystem::create_symlink("out/real.map", Path("m.map"));
  ReplacementFile file(Path("m.map"));
  file.WriteLine("new");
  file.Commit();
  EXPECT_TRUE(std::filesystem::is_symlink(Path("m.map")));
  EXPECT_EQ(ReadFile(Path("out/real.map")), "new\r\n");
  EXPECT_EQ(Listing(), "m.map out out/real.map ");
}

TEST_F(TextFileTest, ReplacementGetsModeOfNewFile) {
  mode_t old_mask = ::umask(022);
  ReplacementFile file(Path("m.map"));
  file.Commit();
  ::umask(old_mask);
  struct stat info;
  ASSERT_EQ(::stat(Path("m.map").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(TextFileTest, ReplacementRefusesDirectory) {
  std::filesystem::create_directory(Path("m.map"));
  try {
    ReplacementFile file(Path("m.map"));
    ADD_FAILURE() << "created a map over a directory";
  } catch (const FileError& e) {
    EXPECT_EQ(e.what(), "cannot create '" + Path("m.map") + "': Is a directory");
  }
  EXPECT_EQ(Listing(), "m.map ");
}

}  // namespace
}  // namespace quorvane
