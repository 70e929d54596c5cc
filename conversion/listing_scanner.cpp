#include "conversion/listing_scanner.h"

#include <string_view>

#include "runtime/line_reader.h"

namespace quorvane {

namespace {

enum class SegmentName { kCseg, kDseg, kEseg };

constexpr char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether `text` holds "SEG" right after `dot`, in any letter case.
bool SegFollows(std::string_view text, std::size_t dot) {
  return dot + 4 < text.size() && UpperAscii(text[dot + 2]) == 'S' &&
         UpperAscii(text[dot + 3]) == 'E' && UpperAscii(text[dot + 4]) == 'G';
}

}  // namespace

void ScanListing(LineReader* ListFile, std::string* DsegLines,
                 std::string* EsegLines) {
  SegmentName Segment = SegmentName::kCseg;
  std::string_view LineText;
  while (ListFile->ReadLine(&LineText)) {
    // Only the part before the first ";" is looked at; a directive or colon
    // in a comment means nothing. One pass finds the end of that part, any
    // colon, and the directives, which can only stand where a "." does.
    bool has_colon = false;
    bool dseg = false, cseg = false, eseg = false;
    std::size_t match_end = LineText.size();
    for (std::size_t i = 0; i < match_end; ++i) {
      char c = LineText[i];
      if (c == ';') {
        match_end = i;
      } else if (c == ':') {
        has_colon = true;
      } else if (c == '.' && SegFollows(LineText, i)) {
        switch (UpperAscii(LineText[i + 1])) {
          case 'D': dseg = true; break;
          case 'C': cseg = true; break;
          case 'E': eseg = true; break;
          default: break;
        }
      }
    }
    // Several directives on one line: the later test in this order wins,
    // whatever their order in the line.
    if (dseg) Segment = SegmentName::kDseg;
    if (cseg) Segment = SegmentName::kCseg;
    if (eseg) Segment = SegmentName::kEseg;
    if (!has_colon || Segment == SegmentName::kCseg) continue;
    std::string* block =
        Segment == SegmentName::kDseg ? DsegLines : EsegLines;
    block->append(LineText);
    block->append("\r\n");
  }
}

}  // namespace quorvane
