#ifndef QUORVANE_CONVERSION_LISTING_SCANNER_H_
#define QUORVANE_CONVERSION_LISTING_SCANNER_H_

#include <string>

namespace quorvane {

class LineReader;

/// Reads the listing to its end and appends every label line of the data
/// segment to `*DsegLines` and of the EEPROM segment to `*EsegLines`, each line
/// exactly as read and followed by CR LF. A line counts as a label line when it
/// holds a ":" before its first ";". The segment starts as code and is changed
/// by ".DSEG", ".CSEG" or ".ESEG" before the first ";", in any letter case;
/// when a line holds several, ".ESEG" wins over ".CSEG" over ".DSEG".
/// Throws whatever reading the listing throws; the blocks then hold what was
/// appended so far.
void ScanListing(LineReader* ListFile, std::string* DsegLines,
                 std::string* EsegLines);

}  // namespace quorvane

#endif  // QUORVANE_CONVERSION_LISTING_SCANNER_H_
