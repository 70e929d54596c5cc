#ifndef QUORVANE_CONVERSION_MAP_WRITER_H_
#define QUORVANE_CONVERSION_MAP_WRITER_H_

#include <string_view>

namespace quorvane {

class TextSink;

/// Writes the map: ".DSEG", the data block, ".ESEG", the EEPROM block, each as
/// one item followed by CR LF. Each block already ends every line with CR LF,
/// so an empty line follows each group. Both headers are written even when
/// their block is empty. Throws whatever writing throws.
void WriteMap(TextSink* MapFile, std::string_view DsegLines,
              std::string_view EsegLines);

}  // namespace quorvane

#endif  // QUORVANE_CONVERSION_MAP_WRITER_H_
