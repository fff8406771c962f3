#include "framework/rtl/Files.h"

#include "framework/rtl/Exceptions.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

String Reason(int error) { return std::strerror(error); }

class FileDescriptor {
public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  int Close() {
    const int result = close(fd_);
    fd_ = -1;
    return result;
  }

private:
  int fd_;
};

String TemporaryNameFor(const String& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".~" + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// Returns 0 or the errno of the first failure.
int WriteTemporary(FileDescriptor& file, std::span<const std::uint8_t> bytes) {
  int error = WriteAll(file.Get(), bytes) && fsync(file.Get()) == 0 ? 0 : errno;
  if (file.Close() != 0 && error == 0) error = errno;
  return error;
}

} // namespace

std::vector<std::uint8_t> ReadFileBytes(const String& path) {
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat status {};
  if (file.Get() < 0 || fstat(file.Get(), &status) != 0)
    throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(errno));
  if (S_ISDIR(status.st_mode))
    throw EFOpenError("Cannot open file \"" + path + "\". " + Reason(EISDIR));
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[65536];
  for (;;) {
    const ssize_t got = read(file.Get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw EReadError("Cannot read file \"" + path + "\". " + Reason(errno));
    if (got == 0) return bytes;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
}

void ReplaceFileContents(const String& path, std::span<const std::uint8_t> bytes) {
  const String temporary = TemporaryNameFor(path);
  FileDescriptor file(open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (file.Get() < 0) throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(errno));
  int error = WriteTemporary(file, bytes);
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error == 0) return;
  unlink(temporary.c_str());
  throw EWriteError("Cannot write file \"" + path + "\". " + Reason(error));
}
