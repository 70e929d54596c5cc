// Speed of the listing scanner in process, in bytes of listing per second.

#include <string>

#include <benchmark/benchmark.h>

#include "bench/listing_generator.h"
#include "conversion/listing_scanner.h"
#include "runtime/line_reader.h"

namespace quorvane {
namespace {

const std::string& Listing() {
  static const std::string listing = MakeListing(std::size_t{32} << 20, 1);
  return listing;
}

void BM_ScanListing(benchmark::State& state) {
  const std::string& listing = Listing();
  for (auto _ : state) {
    StringLineReader reader(listing);
    std::string dseg, eseg;
    ScanListing(&reader, &dseg, &eseg);
    benchmark::DoNotOptimize(dseg.data());
    benchmark::DoNotOptimize(eseg.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(listing.size()));
}
BENCHMARK(BM_ScanListing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane

BENCHMARK_MAIN();
