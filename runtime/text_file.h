#ifndef QUORVANE_RUNTIME_TEXT_FILE_H_
#define QUORVANE_RUNTIME_TEXT_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/line_reader.h"
#include "runtime/text_sink.h"

namespace quorvane {

/// Reads a text file line by line through a buffer.
class TextFileReader : public LineReader {
 public:
  /// Opens `path` for reading. Throws FileError if it is missing, unreadable
  /// or a directory.
  explicit TextFileReader(std::string path);
  ~TextFileReader() override;

  /// The file's size in bytes when it was opened; 0 if it has none (a pipe).
  std::uint64_t size() const { return size_; }

  /// Closes the file. Throws FileError if the system reports a failure.
  void Close();

 protected:
  std::size_t Fill(char* buffer, std::size_t size) override;

 private:
  std::string path_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

/// Writes a file that replaces `path` only when it is complete: the text goes
/// to a new temporary file beside `path`, which Commit() renames over it. Until
/// then, and whenever something fails, a file already at `path` stays as it was.
/// A symbolic link at `path` stays too: the file it points to is replaced.
class ReplacementFile : public TextSink {
 public:
  /// Creates the temporary file. Throws FileError if `path` names a directory
  /// or the temporary cannot be created.
  explicit ReplacementFile(std::string path);
  /// Removes the temporary file unless Commit() has succeeded.
  ~ReplacementFile() override;

  /// Writes `text` and CR LF in one operation. Throws FileError on failure.
  void WriteLine(std::string_view text) override;

  /// Flushes the data to disk, closes the temporary and renames it to `path`.
  /// Throws FileError on failure; the temporary is then removed.
  void Commit();

 private:
  void Discard();

  std::string path_;
  std::string target_;  // path_, or the file a symbolic link there points to
  std::string temp_path_;
  int fd_ = -1;
};

}  // namespace quorvane

#endif  // QUORVANE_RUNTIME_TEXT_FILE_H_
