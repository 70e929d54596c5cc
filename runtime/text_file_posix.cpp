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
#include "runtime/file_fault.h"
#include "runtime/text_file.h"

namespace quorvane {

namespace {

// The injected fault: operations still to go before it, 0 when off; then the
// call it hit.
int fault_countdown = 0;
const char* fault_hit = nullptr;

// Whether the injected fault makes `call` fail now, with `error` in errno.
// When the hook is off this is one predictable branch per system call.
bool Injected(const char* call, int error) {
  if (fault_countdown == 0 || --fault_countdown != 0) return false;
  fault_hit = call;
  errno = error;
  return true;
}

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

// Closes `fd`, which is released whatever the result, and returns 0 or -1.
int CheckedClose(int fd) {
  int result = ::close(fd);
  return Injected("close", EIO) ? -1 : result;
}

}  // namespace

void InjectFileFault(int n) {
  fault_countdown = n > 0 ? n : 0;
  fault_hit = nullptr;
}

std::string_view InjectedFileFault() {
  return fault_hit != nullptr ? fault_hit : "";
}

TextFileReader::TextFileReader(std::string path) : path_(std::move(path)) {
  fd_ = Injected("open", EACCES) ? -1
                                 : ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw FileError("open", path_, errno);
  struct stat info;
  int error = 0;
  if (Injected("fstat", EIO) || ::fstat(fd_, &info) != 0) {
    error = errno;
  } else if (S_ISDIR(info.st_mode)) {
    error = EISDIR;
  }
  if (error != 0) {
    ::close(std::exchange(fd_, -1));
    throw FileError("open", path_, error);
  }
  if (S_ISREG(info.st_mode)) size_ = static_cast<std::uint64_t>(info.st_size);
}

TextFileReader::~TextFileReader() {
  if (fd_ >= 0) ::close(fd_);
}

void TextFileReader::Close() {
  int fd = std::exchange(fd_, -1);
  if (fd >= 0 && CheckedClose(fd) != 0) throw FileError("close", path_, errno);
}

std::size_t TextFileReader::Fill(char* buffer, std::size_t size) {
  for (;;) {
    ssize_t n = Injected("read", EIO) ? -1 : ::read(fd_, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw FileError("read", path_, errno);
  }
}

ReplacementFile::ReplacementFile(std::string path)
    : path_(std::move(path)), target_(path_) {
  struct stat info;
  if (::stat(path_.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    throw FileError("create", path_, EISDIR);
  }
  // Writing in place would go through a symbolic link, so the link's target
  // is what gets replaced; the link itself stays.
  if (::lstat(path_.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* resolved = ::realpath(path_.c_str(), nullptr)) {
      target_ = resolved;
      std::free(resolved);
    }
  }
  // mkstemp picks an unpredictable name and creates it exclusively, so no
  // other file can be clobbered or hijacked through the temporary.
  std::vector<char> name(target_.begin(), target_.end());
  for (char c : std::string_view(".XXXXXX")) name.push_back(c);
  name.push_back('\0');
  fd_ = Injected("mkostemp", EACCES) ? -1 : ::mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) throw FileError("create", path_, errno);
  temp_path_ = name.data();
  if (Injected("fchmod", EPERM) || ::fchmod(fd_, NewFileMode()) != 0) {
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
    ssize_t n = Injected("writev", ENOSPC) ? -1 : ::writev(fd_, next, count);
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
    if ((Injected("fsync", EIO) || ::fsync(fd_) != 0) && errno != EINVAL) {
      throw FileError("write", path_, errno);
    }
    if (CheckedClose(std::exchange(fd_, -1)) != 0) {
      throw FileError("write", path_, errno);
    }
    if (Injected("rename", EIO) ||
        ::rename(temp_path_.c_str(), target_.c_str()) != 0) {
      throw FileError("replace", path_, errno);
    }
    temp_path_.clear();
  } catch (...) {
    Discard();
    throw;
  }
}

}  // namespace quorvane
