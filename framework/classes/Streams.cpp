#include "framework/classes/Streams.h"

#include "framework/rtl/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr std::size_t HugePageSize = std::size_t{2} << 20;

std::size_t WholeHugePages(std::size_t Bytes) {
  return (Bytes + HugePageSize - 1) / HugePageSize * HugePageSize;
}

// Maps Size bytes on a huge-page boundary: a page more than asked, the ends cut off.
void* MapHugePageAligned(std::size_t Size) {
  void* mapped = mmap(nullptr, Size + HugePageSize, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  auto* base = static_cast<char*>(mapped);
  const std::size_t head =
      (HugePageSize - reinterpret_cast<std::uintptr_t>(base) % HugePageSize) % HugePageSize;
  if (head) munmap(base, head);
  munmap(base + head + Size, HugePageSize - head);
  return base + head;
}

Int64 NewPosition(Int64 APosition, Int64 ASize, Int64 AOffset, TSeekOrigin AOrigin) {
  const Int64 base = AOrigin == soFromBeginning ? 0 : AOrigin == soFromCurrent ? APosition : ASize;
  return std::max<Int64>(0, base + AOffset);
}

// Copies out of a byte container at a position, answering the count copied.
template <class C> Int64 ReadFrom(const C& AData, Int64& APosition, void* ABuffer, Int64 ACount) {
  const Int64 size = static_cast<Int64>(AData.size());
  if (ACount <= 0 || APosition >= size) return 0;
  const Int64 n = std::min(ACount, size - APosition);
  std::memcpy(ABuffer, AData.data() + APosition, static_cast<std::size_t>(n));
  APosition += n;
  return n;
}

template <class C> Int64 WriteInto(C& AData, Int64& APosition, const void* ABuffer, Int64 ACount) {
  if (ACount <= 0) return 0;
  if (APosition == static_cast<Int64>(AData.size())) {
    const auto* bytes = static_cast<const typename C::value_type*>(ABuffer);
    AData.insert(AData.end(), bytes, bytes + ACount);
    APosition += ACount;
    return ACount;
  }
  const Int64 end = APosition + ACount;
  if (end > static_cast<Int64>(AData.size())) AData.resize(static_cast<std::size_t>(end));
  std::memcpy(AData.data() + APosition, ABuffer, static_cast<std::size_t>(ACount));
  APosition = end;
  return ACount;
}

} // namespace

void* AllocateStreamMemory(std::size_t Bytes) {
  if (Bytes < HugePageSize) return ::operator new(Bytes);
  const std::size_t size = WholeHugePages(Bytes);
  void* memory = MapHugePageAligned(size);
  madvise(memory, size, MADV_HUGEPAGE);
  return memory;
}

void FreeStreamMemory(void* Memory, std::size_t Bytes) noexcept {
  if (Bytes < HugePageSize)
    ::operator delete(Memory);
  else
    munmap(Memory, WholeHugePages(Bytes));
}

Int64 TStream::Size() {
  const Int64 position = Seek(0, soFromCurrent);
  const Int64 size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, Int64 Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<Int64>(Count, 1 << 16)));
  for (Int64 left = Count; left > 0;) {
    const Int64 n = std::min<Int64>(left, static_cast<Int64>(buffer.size()));
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return Count;
}

Int64 TMemoryStream::Read(void* Buffer, Int64 Count) {
  return ReadFrom(FData, FPosition, Buffer, Count);
}
Int64 TMemoryStream::Write(const void* Buffer, Int64 Count) {
  return WriteInto(FData, FPosition, Buffer, Count);
}
Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  FPosition = NewPosition(FPosition, Size(), Offset, Origin);
  return FPosition;
}
void TMemoryStream::SetSize(Int64 NewSize) {
  FData.resize(static_cast<std::size_t>(std::max<Int64>(0, NewSize)));
  FPosition = std::min(FPosition, Size());
}
void TMemoryStream::SetCapacity(Int64 Value) {
  FData.reserve(static_cast<std::size_t>(std::max<Int64>(Value, 0)));
}
void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}
void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  const Int64 size = Stream->Size();
  FData.resize(static_cast<std::size_t>(size));
  FPosition = 0;
  Stream->ReadBuffer(FData.data(), size);
}
void TMemoryStream::LoadFromFile(const String& FileName) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(FileName);
  FData.assign(bytes.begin(), bytes.end());
  FPosition = 0;
}
void TMemoryStream::SaveToStream(TStream* Stream) { Stream->WriteBuffer(FData.data(), Size()); }
void TMemoryStream::SaveToFile(const String& FileName) { ReplaceFileContents(FileName, FData); }

Int64 TStringStream::Read(void* Buffer, Int64 Count) {
  return ReadFrom(FData, FPosition, Buffer, Count);
}
Int64 TStringStream::Write(const void* Buffer, Int64 Count) {
  return WriteInto(FData, FPosition, Buffer, Count);
}
Int64 TStringStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  FPosition = NewPosition(FPosition, Size(), Offset, Origin);
  return FPosition;
}
void TStringStream::SetSize(Int64 NewSize) {
  FData.resize(static_cast<std::size_t>(std::max<Int64>(0, NewSize)));
  FPosition = std::min(FPosition, Size());
}
String TStringStream::ReadString(Int64 Count) {
  String result(static_cast<std::size_t>(std::clamp<Int64>(Count, 0, Size() - FPosition)), '\0');
  Read(result.data(), static_cast<Int64>(result.size()));
  return result;
}
void TStringStream::WriteString(const String& AString) {
  Write(AString.data(), static_cast<Int64>(AString.size()));
}

TFileStream::TFileStream(const String& FileName, Word Mode) : FFileName(FileName) {
  if (Mode == fmCreate) {
    FHandle = ::open(FileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (FHandle < 0)
      throw EFCreateError("Cannot create file \"" + FileName + "\". " + std::strerror(errno));
    return;
  }
  const int access = (Mode & 3) == fmOpenWrite       ? O_WRONLY
                     : (Mode & 3) == fmOpenReadWrite ? O_RDWR
                                                     : O_RDONLY;
  FHandle = ::open(FileName.c_str(), access | O_CLOEXEC);
  if (FHandle < 0)
    throw EFOpenError("Cannot open file \"" + FileName + "\". " + std::strerror(errno));
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

Int64 TFileStream::Read(void* Buffer, Int64 Count) {
  Int64 done = 0;
  auto* p = static_cast<char*>(Buffer);
  while (done < Count) {
    const ssize_t n = ::read(FHandle, p + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

Int64 TFileStream::Write(const void* Buffer, Int64 Count) {
  Int64 done = 0;
  const auto* p = static_cast<const char*>(Buffer);
  while (done < Count) {
    const ssize_t n = ::write(FHandle, p + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  const int whence = Origin == soFromBeginning ? SEEK_SET
                     : Origin == soFromCurrent ? SEEK_CUR
                                               : SEEK_END;
  return ::lseek(FHandle, Offset, whence);
}

void TFileStream::SetSize(Int64 NewSize) {
  if (::ftruncate(FHandle, NewSize) != 0)
    throw EWriteError("Stream write error: " + String(std::strerror(errno)));
}
