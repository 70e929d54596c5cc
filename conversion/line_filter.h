#ifndef QUORVANE_CONVERSION_LINE_FILTER_H_
#define QUORVANE_CONVERSION_LINE_FILTER_H_

#include <string>
#include <string_view>

namespace quorvane {

/// The segment directive in force.
enum class SegmentName { kCseg, kDseg, kEseg };

/// How FilterLines gets through the text. All give the same result.
enum class LineSearch {
  /// Judges every line on its own; the plain reference.
  kLineByLine,
  /// Judges only lines holding a byte that can matter, found 64 bytes at a
  /// time with plain code.
  kSkipPlain,
  /// As kSkipPlain, with vector instructions where the processor has them
  /// (AVX2 on x86-64); elsewhere the same as kSkipPlain.
  kSkipSimd,
};

/// Judges every line of `text` by the scanner's rules: follows the segment in
/// `*Segment` and appends each label line of the data and EEPROM segments to
/// `*DsegLines` or `*EsegLines`, exactly as read and followed by CR LF. `text`
/// holds whole lines with their line ends (its last line may have none), as
/// LineReader::ReadLines hands them out.
void FilterLines(std::string_view text, SegmentName* Segment,
                 std::string* DsegLines, std::string* EsegLines,
                 LineSearch search = LineSearch::kSkipSimd);

}  // namespace quorvane

#endif  // QUORVANE_CONVERSION_LINE_FILTER_H_
