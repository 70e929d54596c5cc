#include "bench/listing_generator.h"

namespace quorvane {

namespace {

// Where the source text starts on a listing line, after address and code.
constexpr std::size_t kSourceColumn = 17;

const char* const kMnemonics[] = {
    "rjmp", "rcall", "ldi", "mov",  "lds", "sts", "sbrs", "breq", "brne",
    "cpi",  "out",   "in",  "push", "pop", "ret", "nop",  "add",  "adc",
    "sub",  "andi",  "ori", "lpm",  "st",  "ld",  "adiw", "sbiw", "reti"};
const char* const kOperands[] = {"r16, 0x3F",  "r24",     "main",
                                 "loop_1",     "X+, r0",  "Z, r0",
                                 "PORTB, r16", ".+2",     "r30, low(2*table)",
                                 "r17, SREG",  "wait_ms", "Y+3, r24",
                                 "r26, 1"};
const char* const kWords[] = {
    "count",  "wait",  "note:",  "e.g.",  "see .dseg above", "UART",
    "12:30",  "init.", "1..255", "ESEG?", "TODO: fix",       "x.cseg",
    "buffer", "the",   "flag",   "time:", "\xc2\xb5s",       "(.eseg)",
    "reset",  "a;b",   "loop",   "Done.", "ratio 1:4",       "tx"};
const char* const kNames[] = {"counter",  "rx_buf", "TxHead", "state",
                              "ee_magic", "Timer0", "flags",  "LOOP",
                              "main",     "isr_t1", "Table",  "x"};
const char* const kCodeDirectives[] = {
    ".def tmp = r16", ".equ BAUD = 9600",
    ".org 0x0034",    ".include \"m328Pdef.inc\"",
    ".macro DELAY",   ".endm",
    ".db \"ok\", 0",  ".set N = 4",
    ".dw main"};

}  // namespace

std::uint64_t ListingGenerator::Next() {
  // splitmix64: tiny, fast and fully specified.
  std::uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
  return z ^ (z >> 31);
}

std::uint32_t ListingGenerator::Below(std::uint32_t n) {
  return static_cast<std::uint32_t>(((Next() >> 32) * n) >> 32);
}

void ListingGenerator::Append(std::size_t bytes, std::string* out) {
  std::size_t target = out->size() + bytes;
  while (out->size() < target) AppendSection(out);
}

void ListingGenerator::AppendSection(std::string* out) {
  crlf_ = Percent(60);
  std::uint32_t kind = Below(100);
  if (kind < 84) {
    for (std::uint32_t n = 40 + Below(260); n > 0; --n) AppendCodeLine(out);
    return;
  }
  bool data_first = kind < 94;
  AppendDirective(data_first ? ".dseg" : ".eseg", out);
  for (std::uint32_t n = 2 + Below(24); n > 0; --n) {
    data_first ? AppendDataLine(out) : AppendEepromLine(out);
  }
  if (Percent(30)) {
    AppendDirective(data_first ? ".eseg" : ".dseg", out);
    for (std::uint32_t n = 2 + Below(12); n > 0; --n) {
      data_first ? AppendEepromLine(out) : AppendDataLine(out);
    }
  }
  AppendDirective(".cseg", out);
}

void ListingGenerator::AppendCodeLine(std::string* out) {
  std::uint32_t kind = Below(100);
  std::size_t start = out->size();
  if (kind < 62) {
    AppendHex(address_, 6, out);
    out->push_back(' ');
    AppendHex(static_cast<std::uint32_t>(Next()), 4, out);
    address_ += 1;
    if (Percent(20)) {
      out->push_back(' ');
      AppendHex(static_cast<std::uint32_t>(Next()), 4, out);
      address_ += 1;
    }
    out->append(kSourceColumn - (out->size() - start), ' ');
    out->append(Percent(50) ? "\t" : "  ");
    AppendMixedCase(Pick(kMnemonics), out);
    out->append(Percent(50) ? "\t" : "    ");
    out->append(Pick(kOperands));
    if (Percent(45)) AppendComment(out);
  } else if (kind < 72) {
    out->append(kSourceColumn, ' ');
    out->append(Pick(kNames));
    out->push_back('_');
    AppendHex(Below(256), 2, out);
    out->push_back(':');
    if (Percent(30)) AppendComment(out);
  } else if (kind < 83) {
    out->append(kSourceColumn, ' ');
    AppendComment(out);
  } else if (kind < 92) {
    out->append(kSourceColumn, ' ');
    if (Percent(30)) out->push_back('\t');
    out->append(Pick(kCodeDirectives));
    if (Percent(30)) AppendComment(out);
  } else if (Percent(50)) {
    out->append(kSourceColumn, ' ');
  }
  AppendLineEnd(out);
}

void ListingGenerator::AppendDataLine(std::string* out) {
  std::uint32_t kind = Below(100);
  if (kind < 10) {
    // The address column of some assemblers holds a colon of its own.
    out->append("D:");
    AppendHex(0x100 + address_ % 0x800, 6, out);
    out->append("    ");
  } else {
    out->append(kSourceColumn, ' ');
  }
  if (kind < 60) {
    out->append(Pick(kNames));
    out->append(Percent(50) ? ":\t" : ":    ");
    AppendMixedCase(".byte ", out);
    AppendHex(1 + Below(32), 2, out);
  } else if (kind < 75) {
    out->append(Pick(kNames));
    out->push_back(':');
  } else if (kind < 88) {
    out->append(".org 0x0100");
  } else {
    out->append("\t.byte 8");
  }
  if (Percent(40)) AppendComment(out);
  AppendLineEnd(out);
}

void ListingGenerator::AppendEepromLine(std::string* out) {
  std::uint32_t kind = Below(100);
  if (kind < 55) {
    out->append(kSourceColumn, ' ');
    out->append(Pick(kNames));
    out->append(": ");
    AppendMixedCase(".db ", out);
    out->append("0x12, 0x34");
  } else if (kind < 70) {
    out->append("E:");
    AppendHex(address_ % 0x400, 6, out);
    out->append(" 12 34");
  } else if (kind < 85) {
    out->append(kSourceColumn, ' ');
    out->append(".dw 0xffff");
  } else {
    out->append(kSourceColumn, ' ');
  }
  if (Percent(40)) AppendComment(out);
  AppendLineEnd(out);
}

void ListingGenerator::AppendDirective(const char* name, std::string* out) {
  out->append(kSourceColumn, ' ');
  if (Percent(25)) out->push_back('\t');
  AppendMixedCase(name, out);
  if (Percent(30)) AppendComment(out);
  AppendLineEnd(out);
}

void ListingGenerator::AppendComment(std::string* out) {
  out->append(Percent(50) ? "\t; " : "  ; ");
  for (std::uint32_t n = 1 + Below(6); n > 0; --n) {
    out->append(Pick(kWords));
    out->push_back(' ');
  }
}

void ListingGenerator::AppendMixedCase(const char* text, std::string* out) {
  // Mostly all lower or all upper, sometimes each letter on its own.
  std::uint32_t style = Below(10);
  for (const char* p = text; *p != '\0'; ++p) {
    char c = *p;
    bool upper = style < 4 ? false : style < 8 ? true : Percent(50);
    if (c >= 'a' && c <= 'z' && upper) c = static_cast<char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z' && !upper) c = static_cast<char>(c - 'A' + 'a');
    out->push_back(c);
  }
}

void ListingGenerator::AppendHex(std::uint32_t value, int digits,
                                 std::string* out) {
  static const char kDigits[] = "0123456789abcdef";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
    out->push_back(kDigits[(value >> shift) & 0xf]);
  }
}

void ListingGenerator::AppendLineEnd(std::string* out) {
  if (Below(500) == 0) {
    out->push_back('\r');
  } else {
    out->append(crlf_ ? "\r\n" : "\n");
  }
}

std::string MakeListing(std::size_t size, std::uint64_t seed) {
  ListingGenerator generator(seed);
  std::string listing;
  listing.reserve(size + 4096);
  generator.Append(size, &listing);
  listing.resize(size);
  return listing;
}

}  // namespace quorvane
