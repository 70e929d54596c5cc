// Writes a made-up listing of an exact size, for the speed comparisons in
// bench/compare: make_listing SIZE OUTPUT [SEED]. SIZE is in bytes, or in KiB
// or MiB with a K or M after the number.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/listing_generator.h"

namespace {

bool ParseSize(const char* text, std::size_t* size) {
  char* rest = nullptr;
  unsigned long long value = std::strtoull(text, &rest, 10);
  if (rest == text) return false;
  std::string unit = rest;
  if (unit == "K") {
    value <<= 10;
  } else if (unit == "M") {
    value <<= 20;
  } else if (!unit.empty()) {
    return false;
  }
  *size = static_cast<std::size_t>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t size = 0;
  if (argc < 3 || argc > 4 || !ParseSize(argv[1], &size)) {
    std::fprintf(stderr, "usage: make_listing SIZE[K|M] OUTPUT [SEED]\n");
    return 2;
  }
  std::uint64_t seed = argc == 4 ? std::strtoull(argv[3], nullptr, 10) : 1;
  std::FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  quorvane::ListingGenerator generator(seed);
  std::string chunk;
  bool written = true;
  for (std::size_t left = size; left > 0 && written;) {
    chunk.clear();
    generator.Append(std::size_t{1} << 20, &chunk);
    std::size_t n = chunk.size() < left ? chunk.size() : left;
    written = std::fwrite(chunk.data(), 1, n, out) == n;
    left -= n;
  }
  if (std::fclose(out) != 0 || !written) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
