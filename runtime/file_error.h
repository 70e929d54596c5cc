#ifndef QUORVANE_RUNTIME_FILE_ERROR_H_
#define QUORVANE_RUNTIME_FILE_ERROR_H_

#include <stdexcept>
#include <string_view>

namespace quorvane {

/// A failed file operation. The message names the operation, the file and
/// the system's reason: "cannot open 'a/main.lst': No such file or directory".
class FileError : public std::runtime_error {
 public:
  FileError(std::string_view operation, std::string_view path, int error);
};

}  // namespace quorvane

#endif  // QUORVANE_RUNTIME_FILE_ERROR_H_
