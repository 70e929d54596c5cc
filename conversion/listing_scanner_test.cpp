#include "conversion/listing_scanner.h"

#include <string>

#include <gtest/gtest.h>

#include "conversion/map_writer.h"
#include "runtime/line_reader.h"
#include "runtime/text_sink.h"

namespace quorvane {
namespace {

struct Blocks {
  std::string dseg;
  std::string eseg;
};

Blocks Scan(std::string_view listing) {
  StringLineReader reader(listing);
  Blocks blocks;
  ScanListing(&reader, &blocks.dseg, &blocks.eseg);
  return blocks;
}

TEST(ScanListing, FollowsSegmentsAndCollectsLabelLines) {
  struct Case {
    const char* name;
    std::string listing;
    std::string dseg;
    std::string eseg;
  };
  const Case cases[] = {
      {"empty listing", "", "", ""},
      {"label before any directive is code", "start:\n", "", ""},
      {"code labels never collected", ".cseg\na:\nb: nop\n", "", ""},
      {"lower-case directive line itself not collected",
       ".dseg\nvar: .byte 1\n", "var: .byte 1\r\n", ""},
      {"directive in comment ignored", "; .dseg\nvar:\n", "", ""},
      {"colon only in comment", ".dseg\nx .byte 1 ; a: b\n", "", ""},
      {"colon before comment keeps comment",
       ".DSEG\n  Var:\t.BYTE 2 ; Count: here\n", "  Var:\t.BYTE 2 ; Count: here\r\n",
       ""},
      {"any colon counts", ".dseg\nbuilt 12:30\n", "built 12:30\r\n", ""},
      {"blank lines never collected", ".dseg\n\n  \n", "", ""},
      {"eseg until switched",
       ".eseg\ne1:\n.DsEg\nd1:\n.eseg\ne2:\n.cseg\nc:\n",
       "d1:\r\n", "e1:\r\ne2:\r\n"},
      {"eseg beats dseg in either order", ".dseg .eseg\nx:\n.eseg .dseg\ny:\n",
       "", "x:\r\ny:\r\n"},
      {"cseg beats dseg", ".cseg.dseg\nx:\n", "", ""},
      {"line holding directive and colon judged by it",
       ".dseg\nbuf: .eseg\n", "", "buf: .eseg\r\n"},
      {"directive inside a longer word", "x.dsegment\nv:\n", "v:\r\n", ""},
      {"only first semicolon counts, quotes too",
       ".dseg\ns: .db \";\" .cseg\n", "s: .db \";\" .cseg\r\n", ""},
      {"directive cut by line end", ".dse\ng:\n", "", ""},
      {"last line without line end", ".dseg\nv:", "v:\r\n", ""},
      {"crlf and lone cr", ".dseg\r\na:\rb:\r\n", "a:\r\nb:\r\n", ""},
      {"bytes carried unchanged", std::string(".dseg\n\xe4\0:\xff\n", 11),
       std::string("\xe4\0:\xff\r\n", 6), ""},
      {"non-ascii letters are not folded", ".\xc4SEG\nv:\n", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Blocks blocks = Scan(c.listing);
    EXPECT_EQ(blocks.dseg, c.dseg);
    EXPECT_EQ(blocks.eseg, c.eseg);
  }
}

TEST(ScanListing, AppendsToBlocksInPlace) {
  StringLineReader reader(".dseg\nb:\n");
  std::string dseg = "a:\r\n", eseg;
  ScanListing(&reader, &dseg, &eseg);
  EXPECT_EQ(dseg, "a:\r\nb:\r\n");
}

TEST(WriteMap, HeadersAlwaysWrittenEachGroupFollowedByEmptyLine) {
  struct Case {
    const char* dseg;
    const char* eseg;
    const char* map;
  };
  const Case cases[] = {
      {"", "", ".DSEG\r\n\r\n.ESEG\r\n\r\n"},
      {"v:\r\n", "", ".DSEG\r\nv:\r\n\r\n.ESEG\r\n\r\n"},
      {"a:\r\nb:\r\n", "e:\t;x\r\n",
       ".DSEG\r\na:\r\nb:\r\n\r\n.ESEG\r\ne:\t;x\r\n\r\n"},
  };
  for (const Case& c : cases) {
    StringSink sink;
    WriteMap(&sink, c.dseg, c.eseg);
    EXPECT_EQ(sink.text(), c.map);
  }
}

}  // namespace
}  // namespace quorvane
