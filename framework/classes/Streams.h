#pragma once

#include "framework/classes/Object.h"

#include <cstddef>
#include <cstdint>
#include <vector>

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// A sequence of bytes with a position. Read and Write move as many bytes as they can and
// answer how many; ReadBuffer and WriteBuffer insist on all of them.
class TStream : public TObject {
  LUM_CLASS(TStream, TObject)
public:
  virtual Int64 Read(void* Buffer, Int64 Count) = 0;
  virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
  virtual void SetSize(Int64 NewSize) = 0;

  Int64 Position() { return Seek(0, soFromCurrent); }
  void SetPosition(Int64 Value) { Seek(Value, soFromBeginning); }
  virtual Int64 Size();

  void ReadBuffer(void* Buffer, Int64 Count);        // EReadError "Stream read error"
  void WriteBuffer(const void* Buffer, Int64 Count); // EWriteError "Stream write error"
  // Copies Count bytes from Source's position (0: all of Source from its start).
  Int64 CopyFrom(TStream* Source, Int64 Count);
};

// Memory for streams: blocks of 2 MB and more are mapped whole and asked for huge pages,
// which spares a page fault for every 4 KB a large stream fills.
void* AllocateStreamMemory(std::size_t Bytes);
void FreeStreamMemory(void* Memory, std::size_t Bytes) noexcept;

template <class T> struct TStreamAllocator {
  using value_type = T;
  TStreamAllocator() = default;
  template <class U> TStreamAllocator(const TStreamAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) { return static_cast<T*>(AllocateStreamMemory(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) noexcept { FreeStreamMemory(p, n * sizeof(T)); }
  friend bool operator==(TStreamAllocator, TStreamAllocator) { return true; }
};

using TStreamBytes = std::vector<std::uint8_t, TStreamAllocator<std::uint8_t>>;

// A stream in memory.
class TMemoryStream : public TStream {
  LUM_CLASS(TMemoryStream, TStream)
public:
  TMemoryStream() = default;
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  void SetSize(Int64 NewSize) override;
  Int64 Size() override { return static_cast<Int64>(FData.size()); }

  std::uint8_t* Memory() { return FData.data(); }
  const TStreamBytes& Bytes() const { return FData; }
  void Clear();
  void SetCapacity(Int64 Value); // room for Value bytes without growing
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);
  void SaveToStream(TStream* Stream);
  void SaveToFile(const String& FileName); // replaces the file whole or not at all

private:
  TStreamBytes FData;
  Int64 FPosition = 0;
};

// A stream over a string's bytes.
class TStringStream : public TStream {
  LUM_CLASS(TStringStream, TStream)
public:
  explicit TStringStream(String AString = {}) : FData(std::move(AString)) {}
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  void SetSize(Int64 NewSize) override;
  Int64 Size() override { return static_cast<Int64>(FData.size()); }

  const String& DataString() const { return FData; }
  String ReadString(Int64 Count);
  void WriteString(const String& AString);

private:
  String FData;
  Int64 FPosition = 0;
};

inline constexpr Word fmCreate = 0xFFFF;
inline constexpr Word fmOpenRead = 0x0000;
inline constexpr Word fmOpenWrite = 0x0001;
inline constexpr Word fmOpenReadWrite = 0x0002;
inline constexpr Word fmShareCompat = 0x0000;
inline constexpr Word fmShareExclusive = 0x0010;
inline constexpr Word fmShareDenyWrite = 0x0020;
inline constexpr Word fmShareDenyRead = 0x0030;
inline constexpr Word fmShareDenyNone = 0x0040;

// A stream over a file. fmCreate creates or empties it (EFCreateError "Cannot create file
// \"name\". reason"); the open modes need it to exist (EFOpenError "Cannot open file
// \"name\". reason"). Share modes are accepted; the platform does not lock.
class TFileStream : public TStream {
  LUM_CLASS(TFileStream, TStream)
public:
  TFileStream(const String& FileName, Word Mode);
  ~TFileStream() override;
  Int64 Read(void* Buffer, Int64 Count) override;
  Int64 Write(const void* Buffer, Int64 Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  void SetSize(Int64 NewSize) override;
  const String& FileName() const { return FFileName; }

private:
  String FFileName;
  int FHandle = -1;
};
