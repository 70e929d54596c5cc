#include "conversion/conversion_run.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <new>

#include "conversion/derive_names.h"
#include "conversion/listing_scanner.h"
#include "conversion/map_writer.h"
#include "runtime/text_file.h"

namespace quorvane {

namespace {

// A block can grow to at most half as large again as the listing: the line
// ":" and its LF become ":" CR LF. Reserving that much address space for
// each block up front means they are never moved as they grow, which would
// need twice their size in memory at once; pages are taken only as lines are
// appended. Where address space is scarce, or the system refuses, the blocks
// grow as usual.
void ReserveBlocks(std::uint64_t listing_size, RunFields* fields) {
  if (sizeof(std::size_t) < 8) return;
  std::uint64_t most = listing_size + listing_size / 2 + 2;
  try {
    fields->DsegLines.reserve(most);
    fields->EsegLines.reserve(most);
  } catch (const std::exception&) {
  }
}

void Convert(std::string_view argument, RunFields* fields, RunWindow* window) {
  window->ClearText();
  window->PumpEvents();

  DerivedNames names = DeriveNames(argument);
  fields->BaseName = std::move(names.BaseName);
  fields->ListPath = std::move(names.ListPath);
  fields->MapPath = std::move(names.MapPath);
  fields->DsegLines.clear();
  fields->EsegLines.clear();

  window->PrintLine(kPassLine);
  window->PrintLine(std::string(kLoadingPrefix) + fields->ListPath);

  {
    TextFileReader ListFile(fields->ListPath);
    ReserveBlocks(ListFile.size(), fields);
    ScanListing(&ListFile, &fields->DsegLines, &fields->EsegLines);
    ListFile.Close();
  }

  // The map is written beside its final name and only renamed into place
  // once complete, so a failure from here on leaves an earlier map intact.
  ReplacementFile MapFile(fields->MapPath);
  window->PrintLine(std::string(kOutputPrefix) + fields->MapPath);
  WriteMap(&MapFile, fields->DsegLines, fields->EsegLines);
  MapFile.Commit();

  window->PumpEvents();
  window->Unload();
}

}  // namespace

bool ConversionRun(std::string_view argument, RunFields* fields,
                   RunWindow* window, std::string* error) {
  try {
    Convert(argument, fields, window);
    return true;
  } catch (const std::bad_alloc&) {
    *error = "out of memory";
  } catch (const std::exception& e) {
    *error = e.what();
  } catch (...) {
    *error = "unknown failure";
  }
  // The files were closed and the temporary removed as the failure unwound.
  try {
    window->PumpEvents();
    window->PrintLine(kErrorLine);
    window->PumpEvents();
  } catch (...) {
    // The window cannot show the failure; the caller still reports it.
  }
  return false;
}

}  // namespace quorvane
