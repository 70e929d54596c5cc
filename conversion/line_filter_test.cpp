#include "conversion/line_filter.h"

#include <iterator>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "conversion/listing_scanner.h"
#include "runtime/line_reader.h"

namespace quorvane {
namespace {

struct Result {
  int segment;
  std::string dseg;
  std::string eseg;
};

Result Filter(std::string_view text, SegmentName start, LineSearch search) {
  SegmentName segment = start;
  Result result;
  FilterLines(text, &segment, &result.dseg, &result.eseg, search);
  result.segment = static_cast<int>(segment);
  return result;
}

// Text made of the pieces the filter reacts to, so that directives, comments,
// colons and every kind of line end meet in all orders, within and across the
// 64-byte blocks the skipping searches look at.
std::string RandomText(std::mt19937* random) {
  // Bytes one bit away from those that matter are there too.
  static const std::string_view kPieces[] = {
      ".dseg", ".CSEG", ".EsEg", ".dSeG", "x.eseg", ".dse",
      ".c",    "SEG",   "g",     ".",     ".:",     ":",
      ";",     ";;",    " ",     "\t",    "ab",     "/",
      "f",     "\x0b",  "\x0c",  "\xc4",  "\xff",   std::string_view("\0", 1)};
  static const std::string_view kLineEnds[] = {"\n", "\r\n", "\r"};
  static const unsigned kLineEndOdds[] = {3, 12, 80};
  unsigned odds = kLineEndOdds[(*random)() % 3];
  unsigned pieces = (*random)() % 200;
  if ((*random)() % 8 == 0) pieces *= 20;
  std::string text;
  for (unsigned i = 0; i < pieces; ++i) {
    if ((*random)() % odds == 0) {
      text += kLineEnds[(*random)() % 3];
    } else {
      text += kPieces[(*random)() % std::size(kPieces)];
    }
  }
  return text;
}

TEST(FilterLines, SkippingSearchesGiveTheSameResultAsLineByLine) {
  std::mt19937 random(4);
  for (int round = 0; round < 3000 && !HasFailure(); ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::string text = RandomText(&random);
    auto start = static_cast<SegmentName>(random() % 3);
    Result expected = Filter(text, start, LineSearch::kLineByLine);
    for (LineSearch search : {LineSearch::kSkipPlain, LineSearch::kSkipSimd}) {
      Result result = Filter(text, start, search);
      EXPECT_EQ(result.segment, expected.segment);
      EXPECT_EQ(result.dseg, expected.dseg);
      EXPECT_EQ(result.eseg, expected.eseg);
    }
    // The scanner hands the filter the pieces a reader makes, here with
    // lines and CR LF pairs across buffer boundaries.
    if (start == SegmentName::kCseg) {
      StringLineReader reader(text, 1 + random() % 100);
      std::string dseg, eseg;
      ScanListing(&reader, &dseg, &eseg);
      EXPECT_EQ(dseg, expected.dseg);
      EXPECT_EQ(eseg, expected.eseg);
    }
  }
}

}  // namespace
}  // namespace quorvane
