#include "conversion/line_filter.h"

#include <cstddef>
#include <cstdint>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace quorvane {

namespace {

struct Target {
  SegmentName* Segment;
  std::string* DsegLines;
  std::string* EsegLines;
};

constexpr char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// Whether `text` holds "SEG" right after `dot`, in any letter case.
bool SegFollows(std::string_view text, std::size_t dot) {
  return dot + 4 < text.size() && UpperAscii(text[dot + 2]) == 'S' &&
         UpperAscii(text[dot + 3]) == 'E' && UpperAscii(text[dot + 4]) == 'G';
}

// First CR or LF in [p, end), or end.
const char* FindLineEnd(const char* p, const char* end) {
  while (p != end && !IsLineEnd(*p)) ++p;
  return p;
}

void JudgeLine(std::string_view LineText, const Target& target) {
  // Only the part before the first ";" is looked at; a directive or colon
  // in a comment means nothing. One pass finds the end of that part, any
  // colon, and the directives, which can only stand where a "." does.
  bool has_colon = false;
  bool dseg = false, cseg = false, eseg = false;
  std::size_t match_end = LineText.size();
  for (std::size_t i = 0; i < match_end; ++i) {
    char c = LineText[i];
    if (c == ';') {
      match_end = i;
    } else if (c == ':') {
      has_colon = true;
    } else if (c == '.' && SegFollows(LineText, i)) {
      switch (UpperAscii(LineText[i + 1])) {
        case 'D':
          dseg = true;
          break;
        case 'C':
          cseg = true;
          break;
        case 'E':
          eseg = true;
          break;
        default:
          break;
      }
    }
  }
  // Several directives on one line: the later test in this order wins,
  // whatever their order in the line.
  SegmentName& Segment = *target.Segment;
  if (dseg) Segment = SegmentName::kDseg;
  if (cseg) Segment = SegmentName::kCseg;
  if (eseg) Segment = SegmentName::kEseg;
  if (!has_colon || Segment == SegmentName::kCseg) return;
  std::string* block =
      Segment == SegmentName::kDseg ? target.DsegLines : target.EsegLines;
  block->append(LineText);
  block->append("\r\n", 2);
}

void JudgeLine(const char* begin, const char* end, const Target& target) {
  JudgeLine(std::string_view(begin, static_cast<std::size_t>(end - begin)),
            target);
}

// Every CR and every LF ends a line here: the empty line this finds between
// the two bytes of a CR LF can never matter.
void FilterLineByLine(const char* begin, const char* end,
                      const Target& target) {
  while (begin != end) {
    const char* stop = FindLineEnd(begin, end);
    JudgeLine(begin, stop, target);
    if (stop == end) return;
    begin = stop + 1;
  }
}

constexpr std::ptrdiff_t kBlock = 64;
// How far past its block the classification of a block reads.
constexpr std::ptrdiff_t kLookAhead = 4;

// Where the bytes that can matter stand in a block of 64 bytes: bit i of each
// mask stands for byte i.
struct BlockMasks {
  std::uint64_t line_ends;
  std::uint64_t semicolons;
  // Bytes that make their line worth judging unless they stand in a comment:
  // a "." with "G" or "g" four bytes on, as every directive has and few other
  // dots do; and, when asked for, every ":".
  std::uint64_t wanted;
};

// How far the search for lines worth judging has come.
struct SearchState {
  const char* line;   // where the line holding block[0] starts
  const char* block;  // the next block to classify
  bool in_comment;    // whether block[0] lies in a comment
};

int LowestBit(std::uint64_t bits) {
#if defined(__GNUC__)
  return __builtin_ctzll(bits);
#else
  int n = 0;
  for (; (bits & 1) == 0; bits >>= 1) ++n;
  return n;
#endif
}

int HighestBit(std::uint64_t bits) {
#if defined(__GNUC__)
  return 63 - __builtin_clzll(bits);
#else
  int n = 63;
  for (; (bits >> 63) == 0; bits <<= 1) --n;
  return n;
#endif
}

// Bits of the bytes that lie in a comment: from the first ";" of a line up to
// its line end. `open` says the block starts inside a comment. Adding a ";"
// bit to the run of non-line-end bits it stands in clears the run from there
// up and carries into the line end; later ";" bits of the run are set again
// by the same sum, hence the final or.
std::uint64_t CommentBits(const BlockMasks& masks, bool open) {
  std::uint64_t text = ~masks.line_ends;
  std::uint64_t sum = text + masks.semicolons + (open ? 1 : 0);
  return (text & ~sum) | masks.semicolons;
}

// Returns the first wanted byte of the block outside a comment, with
// `state->line` set to where its line starts; or, when there is none, moves
// `state` on to the next block and returns nullptr.
const char* HitInBlock(const BlockMasks& masks, SearchState* state) {
  std::uint64_t comment = CommentBits(masks, state->in_comment);
  std::uint64_t hits = masks.wanted & ~comment;
  std::uint64_t ends = masks.line_ends;
  if (hits != 0) ends &= (std::uint64_t{1} << LowestBit(hits)) - 1;
  if (ends != 0) state->line = state->block + HighestBit(ends) + 1;
  if (hits != 0) return state->block + LowestBit(hits);
  state->in_comment = (comment >> 63) != 0;
  state->block += kBlock;
  return nullptr;
}

// The plain classification works on eight bytes at a time held in one
// 64-bit number.
constexpr std::uint64_t kOnes = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// The eight bytes from `p`, the first in the lowest byte. Written out so that
// compilers see one load (and a byte swap on big-endian machines).
std::uint64_t LoadWord(const char* p) {
  const unsigned char* b = reinterpret_cast<const unsigned char*>(p);
  return std::uint64_t{b[0]} | std::uint64_t{b[1]} << 8 |
         std::uint64_t{b[2]} << 16 | std::uint64_t{b[3]} << 24 |
         std::uint64_t{b[4]} << 32 | std::uint64_t{b[5]} << 40 |
         std::uint64_t{b[6]} << 48 | std::uint64_t{b[7]} << 56;
}

// The high bit of each byte of `word` that equals `c`; the sum cannot carry
// from one byte into the next.
std::uint64_t BytesEqual(std::uint64_t word, unsigned char c) {
  std::uint64_t x = word ^ (kOnes * c);
  return ~(((x & ~kHighBits) + ~kHighBits) | x) & kHighBits;
}

// The high bits of the eight bytes as eight bits, the first byte's lowest.
std::uint64_t GatherHighBits(std::uint64_t high_bits) {
  return ((high_bits >> 7) * 0x0102040810204080) >> 56;
}

BlockMasks ClassifyPlain(const char* p, bool colons) {
  const std::uint64_t colon_bits = colons ? kHighBits : 0;
  BlockMasks masks{0, 0, 0};
  for (int k = 0; k < kBlock; k += 8) {
    std::uint64_t word = LoadWord(p + k);
    std::uint64_t ahead = LoadWord(p + k + kLookAhead) | (kOnes * 0x20);
    std::uint64_t line_ends = BytesEqual(word, '\n') | BytesEqual(word, '\r');
    std::uint64_t wanted = (BytesEqual(word, '.') & BytesEqual(ahead, 'g')) |
                           (BytesEqual(word, ':') & colon_bits);
    masks.line_ends |= GatherHighBits(line_ends) << k;
    masks.semicolons |= GatherHighBits(BytesEqual(word, ';')) << k;
    masks.wanted |= GatherHighBits(wanted) << k;
  }
  return masks;
}

// Returns the first byte that makes its line worth judging, or nullptr when
// fewer than a block and its look-ahead remain before `end`.
const char* FindHitPlain(SearchState* state, const char* end, bool colons) {
  SearchState local = *state;
  const char* hit = nullptr;
  while (hit == nullptr && end - local.block >= kBlock + kLookAhead) {
    hit = HitInBlock(ClassifyPlain(local.block, colons), &local);
  }
  *state = local;
  return hit;
}

#if defined(__GNUC__) && defined(__x86_64__)
#define QUORVANE_HAVE_AVX2_PATH 1

// What follows is built for AVX2 whatever the compiler's target, and called
// only where the processor has it.

// Helpers are inlined by force: a call would pass the vectors through memory.
#define QUORVANE_AVX2_HELPER \
  inline __attribute__((always_inline, target("avx2")))

QUORVANE_AVX2_HELPER std::uint64_t Bits(__m256i found) {
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(found));
}

// Adds the 32 bytes from `q`, which stand `shift` bytes into their block.
QUORVANE_AVX2_HELPER void ClassifyHalf(const char* q, int shift, __m256i colons,
                                       BlockMasks* masks) {
  __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q));
  __m256i ahead =
      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(q + kLookAhead));
  __m256i line_ends =
      _mm256_or_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\n')),
                      _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\r')));
  __m256i semicolons = _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(';'));
  __m256i directive_dots = _mm256_and_si256(
      _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('.')),
      _mm256_cmpeq_epi8(_mm256_or_si256(ahead, _mm256_set1_epi8(0x20)),
                        _mm256_set1_epi8('g')));
  __m256i wanted = _mm256_or_si256(
      directive_dots,
      _mm256_and_si256(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(':')),
                       colons));
  masks->line_ends |= Bits(line_ends) << shift;
  masks->semicolons |= Bits(semicolons) << shift;
  masks->wanted |= Bits(wanted) << shift;
}

__attribute__((target("avx2"))) const char* FindHitAvx2(SearchState* state,
                                                        const char* end,
                                                        bool colons) {
  const __m256i colon_mask = _mm256_set1_epi8(colons ? -1 : 0);
  SearchState local = *state;
  const char* hit = nullptr;
  while (hit == nullptr && end - local.block >= kBlock + kLookAhead) {
    BlockMasks masks{0, 0, 0};
    ClassifyHalf(local.block, 0, colon_mask, &masks);
    ClassifyHalf(local.block + 32, 32, colon_mask, &masks);
    hit = HitInBlock(masks, &local);
  }
  *state = local;
  return hit;
}

bool HasAvx2() {
  static const bool has_avx2 = __builtin_cpu_supports("avx2");
  return has_avx2;
}
#endif

// Judges only the lines that can matter: those with a directive before their
// first ";", and, outside the code segment, those with a colon there. All
// other lines leave the segment and the blocks as they are, so whole blocks
// of them are passed over without finding where each line ends.
template <typename FindHit>
void FilterSkipping(const char* begin, const char* end, const Target& target,
                    FindHit find_hit) {
  SearchState state{begin, begin, false};
  while (const char* hit =
             find_hit(&state, end, *target.Segment != SegmentName::kCseg)) {
    const char* stop = FindLineEnd(hit, end);
    JudgeLine(state.line, stop, target);
    if (stop == end) return;
    // The line may have changed the segment, and with it whether colons
    // count, so the search starts afresh after it.
    state = SearchState{stop + 1, stop + 1, false};
  }
  FilterLineByLine(state.line, end, target);
}

}  // namespace

void FilterLines(std::string_view text, SegmentName* Segment,
                 std::string* DsegLines, std::string* EsegLines,
                 LineSearch search) {
  Target target{Segment, DsegLines, EsegLines};
  const char* begin = text.data();
  const char* end = begin + text.size();
  switch (search) {
    case LineSearch::kLineByLine:
      FilterLineByLine(begin, end, target);
      break;
    case LineSearch::kSkipPlain:
      FilterSkipping(begin, end, target, FindHitPlain);
      break;
    case LineSearch::kSkipSimd:
#ifdef QUORVANE_HAVE_AVX2_PATH
      if (HasAvx2()) {
        FilterSkipping(begin, end, target, FindHitAvx2);
        break;
      }
#endif
      FilterSkipping(begin, end, target, FindHitPlain);
      break;
  }
}

}  // namespace quorvane
