#include "conversion/map_writer.h"

#include "runtime/text_sink.h"

namespace quorvane {

void WriteMap(TextSink* MapFile, std::string_view DsegLines,
              std::string_view EsegLines) {
  MapFile->WriteLine(".DSEG");
  MapFile->WriteLine(DsegLines);
  MapFile->WriteLine(".ESEG");
  MapFile->WriteLine(EsegLines);
}

}  // namespace quorvane
