#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "runtime/file_error.h"
#include "runtime/text_file.h"

namespace quorvane {

namespace {

int CloseRetainingErrno(int fd) {
  int saved = errno;
  int result = ::close(fd);
  errno = saved;
  return result;
}

// The mode a file created with open(..., 0666) would get, so the map looks as
// if it had been written in place rather than through a private temporary.
mode_t NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

TextFileReader::TextFileReader(std::string path) : path_(std::move(path)) {
  fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw FileError("open", path_, errno);
  struct stat info;
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(fd_);
    fd_ = -1;
    throw FileError("open", path_, error);
  }
  if (S_ISREG(info.st_mode)) size_ = static_cast<std::uint64_t>(info.st_size);
}

TextFileReader::~TextFileReader() {
  if (fd_ >= 0) ::close(fd_);
}

void TextFileReader::Close() {
  int fd = std::exchange(fd_, -1);
  if (fd >= 0 && ::close(fd) != 0) throw FileError("close", path_, errno);
}

std::size_t TextFileReader::Fill(char* buffer, std::size_t size) {
  for (;;) {
    ssize_t n = ::read(fd_, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw FileError("read", path_, errno);
  }
}

ReplacementFile::ReplacementFile(std::string path) : path_(std::move(path)) {
  struct stat info;
  if (::stat(path_.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    throw FileError("create", path_, EISDIR);
  }
  // mkstemp picks an unpredictable name and creates it exclusively, so no
  // other file can be clobbered or hijacked through the temporary.
  std::vector<char> name(path_.begin(), path_.end());
  for (char c : std::string_view(".XXXXXX")) name.push_back(c);
  name.push_back('\0');
  fd_ = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) throw FileError("create", path_, errno);
  temp_path_ = name.data();
  if (::fchmod(fd_, NewFileMode()) != 0) {
    int error = errno;
    Discard();
    throw FileError("create", path_, error);
  }
}

ReplacementFile::~ReplacementFile() { Discard(); }

void ReplacementFile::Discard() {
  if (fd_ >= 0) CloseRetainingErrno(std::exchange(fd_, -1));
  if (!temp_path_.empty()) {
    int saved = errno;
    ::unlink(temp_path_.c_str());
    errno = saved;
    temp_path_.clear();
  }
}

void ReplacementFile::WriteLine(std::string_view text) {
  static const char kLineEnd[] = "\r\n";
  iovec parts[2] = {{const_cast<char*>(text.data()), text.size()},
                    {const_cast<char*>(kLineEnd), 2}};
  iovec* next = parts;
  int count = 2;
  while (count > 0) {
    ssize_t n = ::writev(fd_, next, count);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileError("write", path_, errno);
    }
    auto done = static_cast<std::size_t>(n);
    while (count > 0 && done >= next->iov_len) {
      done -= next->iov_len;
      ++next;
      --count;
    }
    if (count > 0) {
      next->iov_base = static_cast<char*>(next->iov_base) + done;
      next->iov_len -= done;
    }
  }
}

void ReplacementFile::Commit() {
  try {
    // Without the sync a crash soon after the rename could leave an empty
    // map where the old one stood.
    if (::fsync(fd_) != 0 && errno != EINVAL) {
      throw FileError("write", path_, errno);
    }
    if (::close(std::exchange(fd_, -1)) != 0) {
      throw FileError("write", path_, errno);
    }
    if (::rename(temp_path_.c_str(), path_.c_str()) != 0) {
      throw FileError("replace", path_, errno);
    }
    temp_path_.clear();
  } catch (...) {
    Discard();
    throw;
  }
}

}  // namespace quorvane
