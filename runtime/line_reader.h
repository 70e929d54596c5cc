#ifndef QUORVANE_RUNTIME_LINE_READER_H_
#define QUORVANE_RUNTIME_LINE_READER_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace quorvane {

/// Splits a byte stream into lines through a buffer, so input of any size is
/// read without being held whole: the buffer grows only to hold the longest
/// line. CR LF, LF and a lone CR each end a line; a last line without a line
/// end is still a line. Bytes are passed on unchanged, NUL and non-ASCII
/// included.
class LineReader {
 public:
  static constexpr std::size_t kDefaultBufferSize = 256 * 1024;

  explicit LineReader(std::size_t buffer_size = kDefaultBufferSize);
  virtual ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  /// Sets `*line` to the next line without its line end and returns true, or
  /// returns false at the end of the input. The view stays valid until the next
  /// call. Throws whatever Fill() throws.
  bool ReadLine(std::string_view* line);

  /// Sets `*lines` to the next one or more lines, each with its line end
  /// exactly as read (the input's last line may have none), and returns true;
  /// returns false at the end of the input. Never splits a line or a CR LF
  /// pair, so a caller can take the text in large pieces. The view stays valid
  /// until the next call. Throws whatever Fill() throws.
  bool ReadLines(std::string_view* lines);

 protected:
  /// Reads up to `size` bytes into `buffer`; returns 0 only at the end of the
  /// input. Throws on failure.
  virtual std::size_t Fill(char* buffer, std::size_t size) = 0;

 private:
  // Keeps the unread bytes and reads more after them, moving them to the
  // front or growing the buffer first when there is no room. Returns false
  // once the input has ended.
  bool ReadMore();
  // Drops a LF that completes a CR LF whose CR ended the last line returned.
  void SkipPendingLf();

  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  // The unread bytes are [begin_, end_).
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool at_end_ = false;
  // The last line ReadLine returned ended with a CR; a LF right after it
  // belongs to that line end.
  bool skip_lf_ = false;
};

/// Reads lines from text held in memory, for tests and benchmarks. A small
/// buffer size exercises lines that cross buffer boundaries.
class StringLineReader : public LineReader {
 public:
  explicit StringLineReader(std::string_view text,
                            std::size_t buffer_size = kDefaultBufferSize);

 protected:
  std::size_t Fill(char* buffer, std::size_t size) override;

 private:
  std::string_view rest_;
};

}  // namespace quorvane

#endif  // QUORVANE_RUNTIME_LINE_READER_H_
