#include "runtime/line_reader.h"

#include <algorithm>
#include <cstring>

namespace quorvane {

namespace {

// First CR or LF in [p, end), or end. Lines are short, so a plain loop beats
// two library searches that would each have to be restarted per line.
const char* FindLineEnd(const char* p, const char* end) {
  while (p != end && *p != '\n' && *p != '\r') ++p;
  return p;
}

}  // namespace

LineReader::LineReader(std::size_t buffer_size)
    : buffer_(new char[std::max<std::size_t>(buffer_size, 1)]),
      capacity_(std::max<std::size_t>(buffer_size, 1)) {}

LineReader::~LineReader() = default;

bool LineReader::Refill() {
  if (at_end_) return false;
  begin_ = 0;
  end_ = Fill(buffer_.get(), capacity_);
  if (end_ == 0) at_end_ = true;
  return end_ != 0;
}

bool LineReader::ReadLine(std::string_view* line) {
  if (!carrying_) carry_.clear();
  for (;;) {
    if (begin_ == end_ && !Refill()) {
      if (!carrying_) return false;
      carrying_ = false;
      *line = carry_;
      return true;
    }
    char* data = buffer_.get();
    if (skip_lf_) {
      skip_lf_ = false;
      if (data[begin_] == '\n') {
        ++begin_;
        continue;
      }
    }
    const char* start = data + begin_;
    const char* stop = FindLineEnd(start, data + end_);
    if (stop == data + end_) {
      carry_.append(start, stop);
      carrying_ = true;
      begin_ = end_;
      continue;
    }
    begin_ = static_cast<std::size_t>(stop - data) + 1;
    if (*stop == '\r') {
      if (begin_ == end_) {
        skip_lf_ = true;
      } else if (data[begin_] == '\n') {
        ++begin_;
      }
    }
    if (carrying_) {
      carry_.append(start, stop);
      carrying_ = false;
      *line = carry_;
    } else {
      *line = std::string_view(start, static_cast<std::size_t>(stop - start));
    }
    return true;
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
