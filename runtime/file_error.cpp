#include "runtime/file_error.h"

#include <cstring>
#include <string>

namespace quorvane {

namespace {

std::string Describe(std::string_view operation, std::string_view path,
                     int error) {
  std::string message = "cannot ";
  message += operation;
  message += " '";
  message += path;
  message += "': ";
  message += std::strerror(error);
  return message;
}

}  // namespace

FileError::FileError(std::string_view operation, std::string_view path,
                     int error)
    : std::runtime_error(Describe(operation, path, error)) {}

}  // namespace quorvane
