// Speed of the listing scanner in process, in bytes of listing per second:
// the whole scan through a line reader, and the line filter alone with each
// way of searching.

#include <string>

#include <benchmark/benchmark.h>

#include "bench/listing_generator.h"
#include "conversion/line_filter.h"
#include "conversion/listing_scanner.h"
#include "runtime/line_reader.h"

namespace quorvane {
namespace {

const std::string& Listing() {
  static const std::string listing = MakeListing(std::size_t{64} << 20, 1);
  return listing;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(Listing().size()));
}

// Copies the listing through the reader's buffer, as reading a file does.
void BM_ScanListing(benchmark::State& state) {
  for (auto _ : state) {
    StringLineReader reader(Listing());
    std::string dseg, eseg;
    ScanListing(&reader, &dseg, &eseg);
    benchmark::DoNotOptimize(dseg.data());
    benchmark::DoNotOptimize(eseg.data());
  }
  SetBytes(state);
}
BENCHMARK(BM_ScanListing)->Unit(benchmark::kMillisecond);

void BM_FilterLines(benchmark::State& state) {
  auto search = static_cast<LineSearch>(state.range(0));
  for (auto _ : state) {
    SegmentName segment = SegmentName::kCseg;
    std::string dseg, eseg;
    FilterLines(Listing(), &segment, &dseg, &eseg, search);
    benchmark::DoNotOptimize(dseg.data());
    benchmark::DoNotOptimize(eseg.data());
  }
  SetBytes(state);
}
BENCHMARK(BM_FilterLines)
    ->ArgName("search")
    ->Arg(static_cast<int>(LineSearch::kLineByLine))
    ->Arg(static_cast<int>(LineSearch::kSkipPlain))
    ->Arg(static_cast<int>(LineSearch::kSkipSimd))
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane

BENCHMARK_MAIN();
