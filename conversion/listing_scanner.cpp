#include "conversion/listing_scanner.h"

#include <string_view>

#include "conversion/line_filter.h"
#include "runtime/line_reader.h"

namespace quorvane {

void ScanListing(LineReader* ListFile, std::string* DsegLines,
                 std::string* EsegLines) {
  SegmentName Segment = SegmentName::kCseg;
  // Large pieces of whole lines let the filter skip, in bulk, the many lines
  // that cannot matter.
  std::string_view lines;
  while (ListFile->ReadLines(&lines)) {
    FilterLines(lines, &Segment, DsegLines, EsegLines);
  }
}

}  // namespace quorvane
