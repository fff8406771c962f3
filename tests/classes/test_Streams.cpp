#include "framework/classes/Streams.h"
#include "tests/TempPath.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(MemoryStream, ReadsWritesAndSeeksFromEveryOrigin) {
  TMemoryStream s;
  s.WriteBuffer("abcdef", 6);
  EXPECT_EQ(s.Size(), 6);
  EXPECT_EQ(s.Position(), 6);
  EXPECT_EQ(s.Seek(-2, soFromEnd), 4);
  char two[2];
  EXPECT_EQ(s.Read(two, 5), 2);
  EXPECT_EQ(String(two, 2), "ef");
  EXPECT_EQ(s.Read(two, 1), 0);
  EXPECT_EQ(s.Seek(1, soFromBeginning), 1);
  EXPECT_EQ(s.Seek(2, soFromCurrent), 3);
  s.WriteBuffer("XYZW", 4);
  EXPECT_EQ(s.Size(), 7);
  EXPECT_EQ(String(reinterpret_cast<char*>(s.Memory()), 7), "abcXYZW");
  EXPECT_EQ(s.Seek(-100, soFromCurrent), 0);
  s.SetSize(2);
  EXPECT_EQ(s.Size(), 2);
  EXPECT_EQ(s.Position(), 0);
  s.SetPosition(2);
  s.SetSize(1);
  EXPECT_EQ(s.Position(), 1);
  s.Clear();
  EXPECT_EQ(s.Size(), 0);
}

// Growing through the large-block sizes in uneven pieces, then shrinking, growing with zeros
// and seeking back, keeps every byte where it was written.
TEST(MemoryStream, LargeStreamsKeepTheirBytesAsTheyGrowAndShrink) {
  TMemoryStream s;
  std::vector<std::uint8_t> piece(7919);
  std::uint8_t next = 0;
  while (s.Size() < (Int64{9} << 20)) {
    for (std::uint8_t& b : piece) b = next++;
    s.WriteBuffer(piece.data(), static_cast<Int64>(piece.size()));
  }
  const Int64 written = s.Size();
  const auto expected = [](Int64 at) { return static_cast<std::uint8_t>(at); };
  for (Int64 at = 0; at < written; at += 4093) ASSERT_EQ(s.Memory()[at], expected(at)) << at;
  s.SetSize(3 << 20);
  s.SetSize(5 << 20);
  EXPECT_EQ(s.Memory()[(3 << 20) - 1], expected((3 << 20) - 1));
  EXPECT_EQ(s.Memory()[(4 << 20)], 0);
  s.SetPosition(1 << 20);
  s.WriteBuffer("xy", 2);
  EXPECT_EQ(s.Memory()[(1 << 20) + 1], 'y');
  EXPECT_EQ(s.Memory()[(1 << 20) + 2], expected((1 << 20) + 2));
  s.SetCapacity(64 << 20);
  EXPECT_EQ(s.Memory()[(3 << 20) - 1], expected((3 << 20) - 1));
}

TEST(MemoryStream, BufferCallsInsistOnEveryByte) {
  TMemoryStream s;
  s.WriteBuffer("ab", 2);
  s.SetPosition(0);
  char buffer[3];
  ExpectError<EReadError>([&] { s.ReadBuffer(buffer, 3); }, "Stream read error");
}

TEST(MemoryStream, CopyFromTakesACountOrTheWholeSource) {
  TStringStream source("0123456789");
  source.SetPosition(3);
  TMemoryStream dest;
  EXPECT_EQ(dest.CopyFrom(&source, 4), 4);
  EXPECT_EQ(String(dest.Bytes().begin(), dest.Bytes().end()), "3456");
  dest.Clear();
  EXPECT_EQ(dest.CopyFrom(&source, 0), 10);
  EXPECT_EQ(String(dest.Bytes().begin(), dest.Bytes().end()), "0123456789");
  source.SetPosition(8);
  EXPECT_THROW(dest.CopyFrom(&source, 5), EReadError);
}

TEST(MemoryStream, LoadsAndSavesStreamsAndFiles) {
  TStringStream source("payload");
  TMemoryStream m;
  m.LoadFromStream(&source);
  EXPECT_EQ(m.Size(), 7);
  const String path = TempPath("lum_stream_test.bin").string();
  m.SaveToFile(path);
  TMemoryStream back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.Bytes(), m.Bytes());
  TStringStream out;
  back.SaveToStream(&out);
  EXPECT_EQ(out.DataString(), "payload");
  std::filesystem::remove(path);
  EXPECT_THROW(back.LoadFromFile(path), EFOpenError);
}

TEST(StringStream, ReadStringStopsAtTheEnd) {
  TStringStream s("hello");
  EXPECT_EQ(s.ReadString(3), "hel");
  EXPECT_EQ(s.ReadString(10), "lo");
  EXPECT_EQ(s.ReadString(1), "");
  s.WriteString(" world");
  EXPECT_EQ(s.DataString(), "hello world");
  s.SetPosition(0);
  s.WriteString("J");
  EXPECT_EQ(s.DataString(), "Jello world");
}

TEST(FileStream, CreatesOpensAndReportsFailuresWithTheReason) {
  const String path = TempPath("lum_filestream_test.txt").string();
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("abc", 3);
    EXPECT_EQ(f.Size(), 3);
  }
  {
    TFileStream f(path, fmOpenReadWrite | fmShareDenyWrite);
    f.Seek(0, soFromEnd);
    f.WriteBuffer("de", 2);
    f.SetPosition(1);
    char buffer[4];
    f.ReadBuffer(buffer, 4);
    EXPECT_EQ(String(buffer, 4), "bcde");
    f.SetSize(2);
    EXPECT_EQ(f.Size(), 2);
  }
  {
    TFileStream f(path, fmOpenRead);
    char buffer[3];
    EXPECT_EQ(f.Read(buffer, 3), 2);
    EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
  }
  std::filesystem::remove(path);
  ExpectError<EFOpenError>([&] { TFileStream f(path, fmOpenRead); },
                           "Cannot open file \"" + path + "\". No such file or directory");
  const String badDir = (TempPath("lum_no_such_dir") / "x.txt").string();
  ExpectError<EFCreateError>([&] { TFileStream f(badDir, fmCreate); },
                             "Cannot create file \"" + badDir + "\". No such file or directory");
}
