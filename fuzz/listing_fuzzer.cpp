// Feeds arbitrary bytes through the listing scanner and the map writer and
// checks the map against a plain reference scanner that reads one byte at a
// time, so any fast path in the line reader or the scanner has to agree with
// the rules as written.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/listing_scanner.h"
#include "conversion/map_writer.h"
#include "runtime/line_reader.h"
#include "runtime/text_sink.h"

namespace quorvane {
namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "listing_fuzzer: %s\n", what);
  std::abort();
}

// Lines as the rules define them: CR LF, LF and a lone CR each end a line,
// and bytes after the last line end are a last line.
std::vector<std::string> ReferenceLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  bool open_line = false;
  bool after_cr = false;
  for (char c : text) {
    if (c == '\n' && after_cr) {
      after_cr = false;
      continue;
    }
    after_cr = c == '\r';
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      open_line = false;
    } else {
      line += c;
      open_line = true;
    }
  }
  if (open_line) lines.push_back(line);
  return lines;
}

std::string ReferenceMap(const std::vector<std::string>& lines) {
  enum { kCode, kData, kEeprom } segment = kCode;
  std::string dseg, eseg;
  for (const std::string& line : lines) {
    std::string match;
    for (char c : line) {
      match += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    match = match.substr(0, match.find(';'));
    if (match.find(".DSEG") != std::string::npos) segment = kData;
    if (match.find(".CSEG") != std::string::npos) segment = kCode;
    if (match.find(".ESEG") != std::string::npos) segment = kEeprom;
    if (match.find(':') == std::string::npos || segment == kCode) continue;
    (segment == kData ? dseg : eseg) += line + "\r\n";
  }
  return ".DSEG\r\n" + dseg + "\r\n.ESEG\r\n" + eseg + "\r\n";
}

// Whether `block` is whole lines, each followed by CR LF, that occur in
// `lines` in the same order.
bool IsInOrderFrom(std::string_view block,
                   const std::vector<std::string>& lines) {
  std::size_t next = 0;
  while (!block.empty()) {
    std::size_t end = block.find("\r\n");
    if (end == std::string_view::npos) return false;
    std::string_view line = block.substr(0, end);
    while (next < lines.size() && lines[next] != line) ++next;
    if (next == lines.size()) return false;
    ++next;
    block.remove_prefix(end + 2);
  }
  return true;
}

// Scans `listing` with the real code, once with a small buffer that puts line
// ends and CR LF pairs on buffer boundaries, and aborts on any broken rule.
void CheckListing(std::string_view listing) {
  const std::vector<std::string> lines = ReferenceLines(listing);
  const std::string expected = ReferenceMap(lines);
  for (std::size_t buffer :
       {LineReader::kDefaultBufferSize, 1 + listing.size() % 13}) {
    StringLineReader reader(listing, buffer);
    std::string dseg, eseg;
    ScanListing(&reader, &dseg, &eseg);
    StringSink sink;
    WriteMap(&sink, dseg, eseg);
    const std::string& map = sink.text();
    Check(map.rfind(".DSEG\r\n", 0) == 0, "map does not start with .DSEG");
    Check(map.find("\r\n.ESEG\r\n") != std::string::npos,
          "map has no .ESEG header");
    Check(IsInOrderFrom(dseg, lines) && IsInOrderFrom(eseg, lines),
          "a collected line is not a line of the listing");
    Check(map == expected, "map differs from the reference scanner's");
  }
}

}  // namespace
}  // namespace quorvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  quorvane::CheckListing(
      std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
