#include "runtime/line_reader.h"

#include <algorithm>
#include <cstring>

namespace quorvane {

namespace {

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

// First CR or LF in [p, end), or end. Lines are short, so a plain loop beats
// two library searches that would each have to be restarted per line.
const char* FindLineEnd(const char* p, const char* end) {
  while (p != end && !IsLineEnd(*p)) ++p;
  return p;
}

// Just past the last CR or LF in [begin, end), or nullptr if there is none.
const char* FindPastLastLineEnd(const char* begin, const char* end) {
  for (const char* p = end; p != begin; --p) {
    if (IsLineEnd(p[-1])) return p;
  }
  return nullptr;
}

}  // namespace

LineReader::LineReader(std::size_t buffer_size)
    : buffer_(new char[std::max<std::size_t>(buffer_size, 1)]),
      capacity_(std::max<std::size_t>(buffer_size, 1)) {}

LineReader::~LineReader() = default;

bool LineReader::ReadMore() {
  if (at_end_) return false;
  char* data = buffer_.get();
  std::memmove(data, data + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
  if (end_ == capacity_) {
    std::unique_ptr<char[]> larger(new char[2 * capacity_]);
    std::memcpy(larger.get(), data, end_);
    buffer_ = std::move(larger);
    capacity_ *= 2;
  }
  std::size_t n = Fill(buffer_.get() + end_, capacity_ - end_);
  if (n == 0) at_end_ = true;
  end_ += n;
  return n != 0;
}

void LineReader::SkipPendingLf() {
  if (skip_lf_ && begin_ != end_) {
    skip_lf_ = false;
    if (buffer_[begin_] == '\n') ++begin_;
  }
}

bool LineReader::ReadLine(std::string_view* line) {
  // Bytes after begin_ already known to hold no line end, so that a long line
  // is searched only once however often the buffer is refilled.
  std::size_t searched = 0;
  for (;;) {
    SkipPendingLf();
    const char* data = buffer_.get();
    const char* start = data + begin_;
    const char* stop = FindLineEnd(start + searched, data + end_);
    if (stop != data + end_) {
      *line = std::string_view(start, static_cast<std::size_t>(stop - start));
      begin_ = static_cast<std::size_t>(stop - data) + 1;
      skip_lf_ = *stop == '\r';
      return true;
    }
    searched = end_ - begin_;
    if (!ReadMore()) {
      skip_lf_ = false;
      if (begin_ == end_) return false;
      *line = std::string_view(buffer_.get() + begin_, end_ - begin_);
      begin_ = end_;
      return true;
    }
  }
}

bool LineReader::ReadLines(std::string_view* lines) {
  std::size_t searched = 0;
  for (;;) {
    SkipPendingLf();
    const char* data = buffer_.get();
    // A CR that stands last may be the first half of a CR LF, so it waits for
    // the next byte unless the input has ended.
    std::size_t limit = end_;
    if (limit != begin_ && data[limit - 1] == '\r') --limit;
    const char* past =
        FindPastLastLineEnd(data + begin_ + searched, data + limit);
    if (past != nullptr) {
      *lines = std::string_view(data + begin_,
                                static_cast<std::size_t>(past - data) - begin_);
      begin_ = static_cast<std::size_t>(past - data);
      return true;
    }
    searched = limit - begin_;
    if (!ReadMore()) {
      if (begin_ == end_) return false;
      *lines = std::string_view(buffer_.get() + begin_, end_ - begin_);
      begin_ = end_;
      return true;
    }
  }
}

StringLineReader::StringLineReader(std::string_view text,
                                   std::size_t buffer_size)
    : LineReader(buffer_size), rest_(text) {}

std::size_t StringLineReader::Fill(char* buffer, std::size_t size) {
  std::size_t n = std::min(size, rest_.size());
  if (n == 0) return 0;
  std::memcpy(buffer, rest_.data(), n);
  rest_.remove_prefix(n);
  return n;
}

}  // namespace quorvane
