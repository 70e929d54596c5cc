#include "conversion/derive_names.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(DeriveNames, CutsExtensionOfFileNameOnly) {
  struct Case {
    const char* argument;
    const char* base;
  };
  const Case cases[] = {
      {"", "c:\\temp\\Main"},
      {"proj\\main", "proj\\main"},
      {"proj\\main.asm", "proj\\main"},
      {"proj/main.lst", "proj/main"},
      {"main.v2.asm", "main"},
      {".asm", ""},
      {"../src/main.asm", "../src/main"},
      {"./main.asm", "./main"},
      {"..\\src\\main.asm", "..\\src\\main"},
      {"c:\\src.old\\main.asm", "c:\\src.old\\main"},
      {"dir.d/sub/", "dir.d/sub/"},
      {"c:\\my files\\main.asm", "c:\\my files\\main"},
      {"\"q\".asm", "\"q\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argument);
    DerivedNames names = DeriveNames(c.argument);
    EXPECT_EQ(names.BaseName, c.base);
    EXPECT_EQ(names.ListPath, std::string(c.base) + ".lst");
    EXPECT_EQ(names.MapPath, std::string(c.base) + ".map");
  }
}

}  // namespace
}  // namespace quorvane
