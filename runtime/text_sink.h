#ifndef QUORVANE_RUNTIME_TEXT_SINK_H_
#define QUORVANE_RUNTIME_TEXT_SINK_H_

#include <string>
#include <string_view>

namespace quorvane {

/// Where text lines go. Each line is written as one item followed by CR LF.
class TextSink {
 public:
  virtual ~TextSink() = default;

  /// Writes `text` and then CR LF. Throws on failure.
  virtual void WriteLine(std::string_view text) = 0;
};

/// Collects the written text in memory, for tests and benchmarks.
class StringSink : public TextSink {
 public:
  void WriteLine(std::string_view text) override {
    text_ += text;
    text_ += "\r\n";
  }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace quorvane

#endif  // QUORVANE_RUNTIME_TEXT_SINK_H_
