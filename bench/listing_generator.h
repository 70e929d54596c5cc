#ifndef QUORVANE_BENCH_LISTING_GENERATOR_H_
#define QUORVANE_BENCH_LISTING_GENERATOR_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvane {

/// Writes an endless, made-up assembler listing, the same for the same seed on
/// every machine: mostly code, with short data and EEPROM parts, comments that
/// hold colons and directives, mixed letter case, tabs, CR LF and LF parts and
/// now and then a lone CR.
class ListingGenerator {
 public:
  explicit ListingGenerator(std::uint64_t seed) : state_(seed) {}

  /// Appends whole lines to `*out` until it has grown by at least `bytes`.
  void Append(std::size_t bytes, std::string* out);

 private:
  std::uint64_t Next();
  // A number in [0, n); the same on every platform, unlike <random>'s
  // distributions.
  std::uint32_t Below(std::uint32_t n);
  bool Percent(std::uint32_t p) { return Below(100) < p; }
  template <std::size_t N>
  const char* Pick(const char* const (&words)[N]) {
    return words[Below(N)];
  }

  void AppendSection(std::string* out);
  void AppendCodeLine(std::string* out);
  void AppendDataLine(std::string* out);
  void AppendEepromLine(std::string* out);
  void AppendDirective(const char* name, std::string* out);
  void AppendComment(std::string* out);
  void AppendMixedCase(const char* text, std::string* out);
  void AppendHex(std::uint32_t value, int digits, std::string* out);
  void AppendLineEnd(std::string* out);

  std::uint64_t state_;
  std::uint32_t address_ = 0;
  bool crlf_ = true;
};

/// The first `size` bytes of the listing for `seed`; the last line may be cut.
std::string MakeListing(std::size_t size, std::uint64_t seed);

}  // namespace quorvane

#endif  // QUORVANE_BENCH_LISTING_GENERATOR_H_
