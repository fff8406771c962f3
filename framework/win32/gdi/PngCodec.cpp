#include "framework/win32/gdi/PngCodec.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <new>

// libpng reports errors by longjmp. No C++ exception may cross its frames, so every call
// into libpng runs inside a small function that holds no objects with destructors after
// its setjmp, records the message and returns false; the caller then throws.
//
// Gamma: samples are kept as stored. The PngSuite reference bitmaps made by a Windows
// converter show the g*.png files with their raw sample values, not gamma-corrected.

namespace {

// libpng refuses wider or taller images before allocating; MaxPicturePixels limits the area.
constexpr png_uint_32 MaxSide = 1u << 16;
// Upper bound for one ancillary chunk, including decompressed text and ICC profiles.
constexpr png_alloc_size_t MaxChunkBytes = png_alloc_size_t{16} << 20;
// Chunks the reader never uses, skipped unread: libpng would otherwise allocate a buffer of
// whatever length the file claims for them (it only warns about lengths above the limit).
constexpr png_byte UnusedChunks[] = "iCCP\0tEXt\0zTXt\0iTXt\0sPLT\0eXIf\0sCAL\0pCAL";
constexpr int UnusedChunkCount = sizeof UnusedChunks / 5;

struct ErrorRecord {
  char Message[256];
};

[[noreturn]] void RecordError(png_structp png, png_const_charp message) {
  auto* record = static_cast<ErrorRecord*>(png_get_error_ptr(png));
  std::snprintf(record->Message, sizeof record->Message, "%s", message);
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// ---- Reading

struct MemorySource {
  const std::uint8_t* Data;
  std::size_t Size;
  std::size_t Offset;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
  if (length > source->Size - source->Offset) png_error(png, "Unexpected end of file");
  std::memcpy(out, source->Data + source->Offset, length);
  source->Offset += length;
}

class ReadSession {
public:
  ReadSession() {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error_, RecordError, IgnoreWarning);
    if (png_) info_ = png_create_info_struct(png_);
    if (!png_ || !info_) throw EOutOfResources("PNG: cannot create the decoder");
  }
  ~ReadSession() { png_destroy_read_struct(&png_, &info_, nullptr); }
  ReadSession(const ReadSession&) = delete;
  ReadSession& operator=(const ReadSession&) = delete;

  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }
  [[noreturn]] void Fail() const { throw EReadError(String("PNG: ") + error_.Message); }

private:
  ErrorRecord error_{};
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

struct ImageHeader {
  png_uint_32 Width;
  png_uint_32 Height;
  bool HasAlpha;
};

bool SourceHasAlpha(png_structp png, png_infop info) {
  return (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 ||
         png_get_valid(png, info, PNG_INFO_tRNS) != 0;
}

// Whatever the source, libpng delivers 8-bit R, G, B, A bytes.
void RequestRgba8(png_structp png, png_infop info, bool hasAlpha) {
  png_set_expand(png); // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  png_set_scale_16(png);
  if ((png_get_color_type(png, info) & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if (!hasAlpha) png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
}

bool ReadHeader(png_structp png, png_infop info, ImageHeader& header) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, MaxSide, MaxSide);
  png_set_chunk_malloc_max(png, MaxChunkBytes);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, UnusedChunks, UnusedChunkCount);
  png_read_info(png, info);
  header.HasAlpha = SourceHasAlpha(png, info);
  RequestRgba8(png, info, header.HasAlpha);
  png_read_update_info(png, info);
  header.Width = png_get_image_width(png, info);
  header.Height = png_get_image_height(png, info);
  if (png_get_rowbytes(png, info) != png_size_t{header.Width} * 4)
    png_error(png, "Unexpected row size after conversion");
  return true;
}

bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

std::uint32_t BigEndian32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// Sum of the IDAT chunks' lengths, walking the chunks as far as they make sense; libpng
// judges the rest.
std::uint64_t CompressedImageBytes(const std::vector<std::uint8_t>& bytes) {
  constexpr std::uint64_t signatureSize = 8, chunkOverhead = 12;
  std::uint64_t total = 0;
  for (std::uint64_t at = signatureSize; at + 8 <= bytes.size();) {
    const std::uint8_t* chunk = bytes.data() + at;
    const std::uint64_t length = BigEndian32(chunk);
    if (std::memcmp(chunk + 4, "IDAT", 4) == 0) total += length;
    if (std::memcmp(chunk + 4, "IEND", 4) == 0) break;
    at += chunkOverhead + length;
  }
  return total;
}

// Deflate expands data at most 1032 times, and every row takes a filter byte and at least
// a bit per pixel: a picture its data cannot hold is refused before it is allocated.
void CheckDataCanHold(const ImageHeader& header, std::uint64_t compressedBytes) {
  constexpr std::uint64_t maxExpansion = 1032;
  const std::uint64_t rowBytes = 1 + (std::uint64_t{header.Width} + 7) / 8;
  if (std::uint64_t{header.Height} * rowBytes > maxExpansion * (compressedBytes + 1))
    throw EReadError("PNG: " + std::to_string(compressedBytes) +
                     " bytes of image data cannot hold " + std::to_string(header.Width) + " x " +
                     std::to_string(header.Height) + " pixels");
}

std::uint32_t PackRgba(const std::uint8_t* rgba) {
  return std::uint32_t{rgba[3]} << 24 | std::uint32_t{rgba[0]} << 16 | std::uint32_t{rgba[1]} << 8 |
         rgba[2];
}

// libpng wrote R, G, B, A bytes into the pixel storage; turn each into 0xAARRGGBB.
void RgbaBytesToPixels(std::vector<std::uint32_t>& pixels) {
  for (auto& pixel : pixels) {
    std::uint8_t rgba[4];
    std::memcpy(rgba, &pixel, sizeof rgba);
    pixel = PackRgba(rgba);
  }
}

std::vector<png_bytep> RowPointers(std::vector<std::uint32_t>& pixels, int width, int height) {
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < rows.size(); ++y)
    rows[y] = reinterpret_cast<png_bytep>(pixels.data() + y * static_cast<std::size_t>(width));
  return rows;
}

// ---- Writing

bool AppendBytes(std::vector<std::uint8_t>& bytes, const std::uint8_t* data,
                 std::size_t length) noexcept {
  try {
    bytes.insert(bytes.end(), data, data + length);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void WriteToMemory(png_structp png, png_bytep data, png_size_t length) {
  auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  if (!AppendBytes(*bytes, data, length)) png_error(png, "Out of memory");
}

void FlushNothing(png_structp) {}

class WriteSession {
public:
  WriteSession() {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error_, RecordError, IgnoreWarning);
    if (png_) info_ = png_create_info_struct(png_);
    if (!png_ || !info_) throw EOutOfResources("PNG: cannot create the encoder");
  }
  ~WriteSession() { png_destroy_write_struct(&png_, &info_); }
  WriteSession(const WriteSession&) = delete;
  WriteSession& operator=(const WriteSession&) = delete;

  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }
  [[noreturn]] void Fail() const { throw EWriteError(String("PNG: ") + error_.Message); }

private:
  ErrorRecord error_{};
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

struct EncodeJob {
  png_uint_32 Width;
  png_uint_32 Height;
  int ColourType;
  png_bytepp Rows;
  std::vector<std::uint8_t>* Output;
};

bool Encode(png_structp png, png_infop info, const EncodeJob& job) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, job.Output, WriteToMemory, FlushNothing);
  png_set_IHDR(png, info, job.Width, job.Height, 8, job.ColourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, job.Rows);
  png_write_end(png, info);
  return true;
}

void CheckWritable(const TRaster& raster) {
  const auto area =
      static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height);
  if (raster.Width <= 0 || raster.Height <= 0 || raster.Pixels.size() != area)
    throw EWriteError("PNG: cannot write a picture of " + std::to_string(raster.Width) + " x " +
                      std::to_string(raster.Height) + " pixels holding " +
                      std::to_string(raster.Pixels.size()));
}

// Samples in R, G, B[, A] order, row after row.
std::vector<std::uint8_t> SampleBytes(const TRaster& raster, std::size_t channels) {
  std::vector<std::uint8_t> samples;
  samples.reserve(raster.Pixels.size() * channels);
  for (const std::uint32_t pixel : raster.Pixels) {
    samples.push_back(static_cast<std::uint8_t>(pixel >> 16));
    samples.push_back(static_cast<std::uint8_t>(pixel >> 8));
    samples.push_back(static_cast<std::uint8_t>(pixel));
    if (channels == 4) samples.push_back(static_cast<std::uint8_t>(pixel >> 24));
  }
  return samples;
}

std::vector<png_bytep> SampleRows(std::vector<std::uint8_t>& samples, std::size_t rowBytes,
                                  int height) {
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = samples.data() + y * rowBytes;
  return rows;
}

} // namespace

TRaster ReadPng(const std::vector<std::uint8_t>& bytes) {
  ReadSession session;
  MemorySource source{bytes.data(), bytes.size(), 0};
  png_set_read_fn(session.Png(), &source, ReadFromMemory);
  ImageHeader header{};
  if (!ReadHeader(session.Png(), session.Info(), header)) session.Fail();
  CheckDataCanHold(header, CompressedImageBytes(bytes));
  if (ExceedsMaxPicturePixels(header.Width, header.Height))
    throw EOutOfResources("PNG: picture of " + std::to_string(header.Width) + " x " +
                          std::to_string(header.Height) + " pixels is too large");

  TRaster raster(static_cast<int>(header.Width), static_cast<int>(header.Height));
  raster.HasAlpha = header.HasAlpha;
  std::vector<png_bytep> rows = RowPointers(raster.Pixels, raster.Width, raster.Height);
  if (!ReadRows(session.Png(), session.Info(), rows.data())) session.Fail();
  RgbaBytesToPixels(raster.Pixels);
  return raster;
}

TRaster ReadPngFile(const String& path) {
  try {
    return ReadPng(ReadFileBytes(path));
  } catch (EReadError& error) {
    error.SetMessage(error.Message() + " in \"" + path + "\"");
    throw;
  }
}

std::vector<std::uint8_t> WritePng(const TRaster& raster) {
  CheckWritable(raster);
  const std::size_t channels = raster.HasAlpha ? 4 : 3;
  const std::size_t rowBytes = static_cast<std::size_t>(raster.Width) * channels;
  std::vector<std::uint8_t> samples = SampleBytes(raster, channels);
  std::vector<png_bytep> rows = SampleRows(samples, rowBytes, raster.Height);

  std::vector<std::uint8_t> output;
  WriteSession session;
  const EncodeJob job{
      static_cast<png_uint_32>(raster.Width), static_cast<png_uint_32>(raster.Height),
      raster.HasAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, rows.data(), &output};
  if (!Encode(session.Png(), session.Info(), job)) session.Fail();
  return output;
}

void WritePngFile(const TRaster& raster, const String& path) {
  ReplaceFileContents(path, WritePng(raster));
}
