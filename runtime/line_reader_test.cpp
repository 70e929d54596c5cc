#include "runtime/line_reader.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quorvane {
namespace {

std::vector<std::string> ReadAll(std::string_view text, std::size_t buffer) {
  StringLineReader reader(text, buffer);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.ReadLine(&line)) lines.emplace_back(line);
  return lines;
}

TEST(LineReader, SplitsAtEveryKindOfLineEnd) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"empty input", "", {}},
      {"one line end only", "\n", {""}},
      {"lf", "a\nbb\n", {"a", "bb"}},
      {"crlf", "a\r\nbb\r\n", {"a", "bb"}},
      {"lone cr", "a\rbb\r", {"a", "bb"}},
      {"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"last line without end", "a\nlast", {"a", "last"}},
      {"blank lines kept", "\r\n\n\r\r\n", {"", "", "", ""}},
      {"lf cr is two ends", "a\n\rb", {"a", "", "b"}},
      {"cr cr lf", "a\r\r\nb", {"a", "", "b"}},
      {"bytes kept", std::string("n\0l\xff\t x\n", 8), {std::string("n\0l\xff\t x", 7)}},
  };
  // Tiny buffers put every line end, CR LF pair and line across a boundary.
  for (std::size_t buffer : {1, 2, 3, 5, 4096}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + ", buffer " + std::to_string(buffer));
      EXPECT_EQ(ReadAll(c.text, buffer), c.lines);
    }
  }
}

TEST(LineReader, LongLineCrossesManyBuffers) {
  std::string longline(100000, 'x');
  std::vector<std::string> expected = {"a", longline, "b"};
  EXPECT_EQ(ReadAll("a\n" + longline + "\r\nb", 7), expected);
}

TEST(LineReader, ReadLinesHandsOutWholeLines) {
  const std::string text =
      "a\r\nbb\n\r\rccc\r\r\n\n" + std::string(300, 'x') + "\r\n\r\nlast";
  const std::vector<std::string> lines = ReadAll(text, 4096);
  // Tiny buffers put every line end, CR LF pair and line across a boundary.
  for (std::size_t buffer : {1, 2, 3, 5, 4096}) {
    SCOPED_TRACE("buffer " + std::to_string(buffer));
    StringLineReader reader(text, buffer);
    std::string joined;
    std::vector<std::string> lines_of_pieces;
    std::string_view piece;
    while (reader.ReadLines(&piece)) {
      joined += piece;
      // Split on its own, a piece gives exactly its lines only if no line
      // or CR LF pair was cut at either of its ends.
      for (std::string& line : ReadAll(piece, 4096)) {
        lines_of_pieces.push_back(std::move(line));
      }
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(lines_of_pieces, lines);
  }
}

}  // namespace
}  // namespace quorvane
