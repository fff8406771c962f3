#include "framework/rtl/Files.h"

#include "framework/rtl/Exceptions.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

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

// The file a chain of symbolic links ends in (which need not exist yet); the path itself
// when it is no link. A loop raises EFCreateError.
String LinkTarget(const String& path) {
  std::filesystem::path current = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code error;
    if (!std::filesystem::is_symlink(current, error)) return current.string();
    const std::filesystem::path next = std::filesystem::read_symlink(current, error);
    if (error) return current.string();
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(ELOOP));
}

// A file nobody may write counts as read-only even for a user the system lets write it.
bool IsWritable(const String& path, const struct stat& status) {
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

// The replacement gets the replaced file's permissions, and its owner and group: only the
// superuser may give a file away, so others keep the group where they can.
// Returns 0 or the errno of the failure.
int KeepModeAndOwner(int fd, const struct stat& status) {
  if (fchown(fd, status.st_uid, status.st_gid) != 0 &&
      fchown(fd, static_cast<uid_t>(-1), status.st_gid) != 0 && errno != EPERM)
    return errno;
  return fchmod(fd, status.st_mode & 07777) == 0 ? 0 : errno;
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
  const String target = LinkTarget(path);
  struct stat existing {};
  const bool exists = stat(target.c_str(), &existing) == 0;
  if (exists && !IsWritable(target, existing))
    throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(EACCES));
  const String temporary = TemporaryNameFor(target);
  FileDescriptor file(open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (file.Get() < 0) throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(errno));
  int error = exists ? KeepModeAndOwner(file.Get(), existing) : 0;
  if (error == 0) error = WriteTemporary(file, bytes);
  if (error == 0 && std::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error == 0) return;
  unlink(temporary.c_str());
  throw EWriteError("Cannot write file \"" + path + "\". " + Reason(error));
}
