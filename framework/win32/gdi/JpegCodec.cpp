#include "framework/win32/gdi/JpegCodec.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"

#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstring>
#include <new>

// libjpeg reports errors through error_exit, which must not return. Ours records the message
// and longjmps back into the small function that made the call; those functions hold no
// objects with destructors after their setjmp and return false, and the caller then throws.

namespace {

constexpr JDIMENSION MaxSide = 65535;
// Progressive files keep every coefficient in memory; beyond this libjpeg gives up.
constexpr long MaxDecoderMemory = long{1} << 30;
// Real files have about ten scans; thousands of tiny ones only burn time.
constexpr int MaxScans = 1000;

// In memory, libjpeg's extended layouts put each pixel's bytes in 0xAARRGGBB order.
constexpr J_COLOR_SPACE NativeOutput =
    std::endian::native == std::endian::little ? JCS_EXT_BGRA : JCS_EXT_ARGB;
constexpr J_COLOR_SPACE NativeInput =
    std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;

struct ErrorRecord {
  jpeg_error_mgr Manager; // first, so libjpeg's pointer to it is a pointer to the record
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

template <typename Struct> j_common_ptr Common(Struct* info) {
  return reinterpret_cast<j_common_ptr>(info);
}

ErrorRecord& RecordOf(j_common_ptr info) { return *reinterpret_cast<ErrorRecord*>(info->err); }

[[noreturn]] void FailWithMessage(j_common_ptr info, const char* message) {
  ErrorRecord& record = RecordOf(info);
  std::snprintf(record.Message, sizeof record.Message, "%s", message);
  std::longjmp(record.Jump, 1);
}

[[noreturn]] void RecordError(j_common_ptr info) {
  ErrorRecord& record = RecordOf(info);
  (*info->err->format_message)(info, record.Message);
  std::longjmp(record.Jump, 1);
}

bool IsEarlyEnd(int code) { return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER; }

// Level -1 is a warning about damaged data that libjpeg worked around; data that ends early
// is an error all the same. Higher levels are trace messages.
void RecordMessage(j_common_ptr info, int level) {
  if (level >= 0) return;
  if (IsEarlyEnd(info->err->msg_code)) RecordError(info);
  ++info->err->num_warnings;
}

void InstallErrorHandlers(ErrorRecord& record) {
  jpeg_std_error(&record.Manager);
  record.Manager.error_exit = RecordError;
  record.Manager.emit_message = RecordMessage;
  record.Message[0] = '\0';
}

// ---- Reading

struct ScanLimit {
  jpeg_progress_mgr Manager; // first, see ErrorRecord
  j_decompress_ptr Info;
};

void LimitScans(j_common_ptr info) {
  const auto* limit = reinterpret_cast<ScanLimit*>(info->progress);
  if (limit->Info->input_scan_number > MaxScans) FailWithMessage(info, "too many scans");
}

bool CreateDecoder(jpeg_decompress_struct& info, ErrorRecord& errors) {
  if (setjmp(errors.Jump)) return false;
  jpeg_create_decompress(&info);
  return true;
}

class DecompressSession {
public:
  DecompressSession() {
    InstallErrorHandlers(errors_);
    info_.err = &errors_.Manager;
    if (!CreateDecoder(info_, errors_)) {
      jpeg_destroy_decompress(&info_);
      Fail();
    }
    scanLimit_.Manager.progress_monitor = LimitScans;
    scanLimit_.Info = &info_;
  }
  ~DecompressSession() { jpeg_destroy_decompress(&info_); }
  DecompressSession(const DecompressSession&) = delete;
  DecompressSession& operator=(const DecompressSession&) = delete;

  jpeg_decompress_struct& Info() { return info_; }
  ErrorRecord& Errors() { return errors_; }
  jpeg_progress_mgr* Progress() { return &scanLimit_.Manager; }
  [[noreturn]] void Fail() const { throw EReadError(String("JPEG: ") + errors_.Message); }

private:
  ErrorRecord errors_{};
  ScanLimit scanLimit_{};
  jpeg_decompress_struct info_{};
};

bool ReadHeaderFrom(DecompressSession& session, const std::vector<std::uint8_t>& bytes) {
  jpeg_decompress_struct& info = session.Info();
  if (setjmp(session.Errors().Jump)) return false;
  jpeg_mem_src(&info, bytes.data(), bytes.size());
  jpeg_read_header(&info, TRUE);
  return true;
}

// Huffman coding spends at least a bit on each 8 x 8 block of the first scan, so a file
// holds at most 512 pixels per byte; data that ends early is refused anyway, so a picture
// the file cannot hold is refused before it is allocated. Arithmetic coding has no such
// bound: only the pixel limit applies.
void CheckDimensions(const jpeg_decompress_struct& info, std::size_t fileBytes) {
  constexpr std::uint64_t pixelsPerByte = 512;
  const JDIMENSION width = info.image_width, height = info.image_height;
  const String size = std::to_string(width) + " x " + std::to_string(height) + " pixels";
  if (width > MaxSide || height > MaxSide || ExceedsMaxPicturePixels(width, height))
    throw EReadError("JPEG: picture of " + size + " is too large");
  if (!info.arith_code && std::uint64_t{width} * height > pixelsPerByte * fileBytes)
    throw EReadError("JPEG: " + std::to_string(fileBytes) + " bytes cannot hold " + size);
}

bool IsInkColourSpace(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

bool StartDecoding(DecompressSession& session) {
  jpeg_decompress_struct& info = session.Info();
  if (setjmp(session.Errors().Jump)) return false;
  info.out_color_space = IsInkColourSpace(info.jpeg_color_space) ? JCS_CMYK : NativeOutput;
  info.mem->max_memory_to_use = MaxDecoderMemory;
  info.progress = session.Progress();
  jpeg_start_decompress(&info);
  if (info.output_components != 4) FailWithMessage(Common(&info), "unexpected output layout");
  return true;
}

std::uint32_t Scale(unsigned a, unsigned b) { return (a * b + 127) / 255; }

// Adobe writers store inverted inks: 255 is no ink. Others store the ink itself.
void InkRowToPixels(const JSAMPLE* cmyk, int width, bool inverted, std::uint32_t* out) {
  for (int x = 0; x < width; ++x, cmyk += 4) {
    const auto paper = [&](int i) -> unsigned { return inverted ? cmyk[i] : 255u - cmyk[i]; };
    const unsigned k = paper(3);
    out[x] = 0xFF000000u | Scale(paper(0), k) << 16 | Scale(paper(1), k) << 8 | Scale(paper(2), k);
  }
}

bool DecodeRows(DecompressSession& session, TRaster& raster) {
  jpeg_decompress_struct& info = session.Info();
  if (setjmp(session.Errors().Jump)) return false;
  const bool inks = info.out_color_space == JCS_CMYK;
  JSAMPARRAY inkRow =
      inks ? (*info.mem->alloc_sarray)(Common(&info), JPOOL_IMAGE, info.output_width * 4, 1)
           : nullptr;
  while (info.output_scanline < info.output_height) {
    std::uint32_t* out = &raster.At(0, static_cast<int>(info.output_scanline));
    JSAMPROW row = inks ? inkRow[0] : reinterpret_cast<JSAMPROW>(out);
    if (jpeg_read_scanlines(&info, &row, 1) != 1)
      FailWithMessage(Common(&info), "no scanline decoded");
    if (inks) InkRowToPixels(inkRow[0], raster.Width, info.saw_Adobe_marker, out);
  }
  jpeg_finish_decompress(&info);
  return true;
}

// ---- Writing

constexpr std::size_t DestinationChunk = 16384;

struct VectorDestination {
  jpeg_destination_mgr Manager; // first, see ErrorRecord
  std::vector<std::uint8_t>* Output;
  JOCTET Buffer[DestinationChunk];
};

VectorDestination& DestinationOf(j_compress_ptr info) {
  return *reinterpret_cast<VectorDestination*>(info->dest);
}

bool AppendBytes(std::vector<std::uint8_t>& bytes, const JOCTET* data,
                 std::size_t length) noexcept {
  try {
    bytes.insert(bytes.end(), data, data + length);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void ResetBuffer(VectorDestination& destination) {
  destination.Manager.next_output_byte = destination.Buffer;
  destination.Manager.free_in_buffer = DestinationChunk;
}

void StartDestination(j_compress_ptr info) { ResetBuffer(DestinationOf(info)); }

void FlushOrFail(j_compress_ptr info, std::size_t length) {
  VectorDestination& destination = DestinationOf(info);
  if (!AppendBytes(*destination.Output, destination.Buffer, length))
    FailWithMessage(Common(info), "out of memory");
}

boolean EmptyDestination(j_compress_ptr info) {
  FlushOrFail(info, DestinationChunk);
  ResetBuffer(DestinationOf(info));
  return TRUE;
}

void TerminateDestination(j_compress_ptr info) {
  FlushOrFail(info, DestinationChunk - DestinationOf(info).Manager.free_in_buffer);
}

bool CreateEncoder(jpeg_compress_struct& info, ErrorRecord& errors) {
  if (setjmp(errors.Jump)) return false;
  jpeg_create_compress(&info);
  return true;
}

class CompressSession {
public:
  explicit CompressSession(std::vector<std::uint8_t>& output) {
    InstallErrorHandlers(errors_);
    info_.err = &errors_.Manager;
    if (!CreateEncoder(info_, errors_)) {
      jpeg_destroy_compress(&info_);
      Fail();
    }
    destination_.Manager.init_destination = StartDestination;
    destination_.Manager.empty_output_buffer = EmptyDestination;
    destination_.Manager.term_destination = TerminateDestination;
    destination_.Output = &output;
    info_.dest = &destination_.Manager;
  }
  ~CompressSession() { jpeg_destroy_compress(&info_); }
  CompressSession(const CompressSession&) = delete;
  CompressSession& operator=(const CompressSession&) = delete;

  jpeg_compress_struct& Info() { return info_; }
  ErrorRecord& Errors() { return errors_; }
  [[noreturn]] void Fail() const { throw EWriteError(String("JPEG: ") + errors_.Message); }

private:
  ErrorRecord errors_{};
  VectorDestination destination_{};
  jpeg_compress_struct info_{};
};

struct EncodeJob {
  const TRaster* Raster;
  bool Grey;
  int Quality;
  JSAMPLE* Row; // room for one row in the input layout
};

void FillRow(const EncodeJob& job, int y) {
  const std::uint32_t* pixels =
      job.Raster->Pixels.data() +
      static_cast<std::size_t>(y) * static_cast<std::size_t>(job.Raster->Width);
  if (!job.Grey) {
    std::memcpy(job.Row, pixels, static_cast<std::size_t>(job.Raster->Width) * 4);
    return;
  }
  for (int x = 0; x < job.Raster->Width; ++x) job.Row[x] = static_cast<JSAMPLE>(pixels[x]);
}

bool Encode(CompressSession& session, const EncodeJob& job) {
  jpeg_compress_struct& info = session.Info();
  if (setjmp(session.Errors().Jump)) return false;
  info.image_width = static_cast<JDIMENSION>(job.Raster->Width);
  info.image_height = static_cast<JDIMENSION>(job.Raster->Height);
  info.input_components = job.Grey ? 1 : 4;
  info.in_color_space = job.Grey ? JCS_GRAYSCALE : NativeInput;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, job.Quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    FillRow(job, static_cast<int>(info.next_scanline));
    JSAMPROW row = job.Row;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  return true;
}

bool IsGrey(std::uint32_t pixel) {
  const std::uint32_t blue = pixel & 0xFFu;
  return (pixel >> 8 & 0xFFu) == blue && (pixel >> 16 & 0xFFu) == blue;
}

void CheckWritable(const TRaster& raster, int quality) {
  const auto area =
      static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height);
  if (raster.Width <= 0 || raster.Height <= 0 || raster.Pixels.size() != area)
    throw EWriteError("JPEG: cannot write a picture of " + std::to_string(raster.Width) + " x " +
                      std::to_string(raster.Height) + " pixels holding " +
                      std::to_string(raster.Pixels.size()));
  if (raster.Width > static_cast<int>(JPEG_MAX_DIMENSION) ||
      raster.Height > static_cast<int>(JPEG_MAX_DIMENSION))
    throw EWriteError("JPEG: a side of " + std::to_string(std::max(raster.Width, raster.Height)) +
                      " pixels exceeds " + std::to_string(JPEG_MAX_DIMENSION));
  if (quality < 1 || quality > 100)
    throw EWriteError("JPEG: quality " + std::to_string(quality) + " is not between 1 and 100");
}

} // namespace

TJpegHeader ReadJpegHeader(const std::vector<std::uint8_t>& bytes) {
  DecompressSession session;
  if (!ReadHeaderFrom(session, bytes)) session.Fail();
  const jpeg_decompress_struct& info = session.Info();
  return {static_cast<int>(info.image_width), static_cast<int>(info.image_height),
          info.num_components, info.progressive_mode != 0};
}

TRaster ReadJpeg(const std::vector<std::uint8_t>& bytes) {
  DecompressSession session;
  if (!ReadHeaderFrom(session, bytes)) session.Fail();
  CheckDimensions(session.Info(), bytes.size());
  if (!StartDecoding(session)) session.Fail();
  TRaster raster(static_cast<int>(session.Info().output_width),
                 static_cast<int>(session.Info().output_height));
  if (!DecodeRows(session, raster)) session.Fail();
  return raster;
}

TRaster ReadJpegFile(const String& path) {
  try {
    return ReadJpeg(ReadFileBytes(path));
  } catch (EReadError& error) {
    error.SetMessage(error.Message() + " in \"" + path + "\"");
    throw;
  }
}

std::vector<std::uint8_t> WriteJpeg(const TRaster& raster, int quality) {
  CheckWritable(raster, quality);
  const bool grey = std::all_of(raster.Pixels.begin(), raster.Pixels.end(), IsGrey);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(raster.Width) * 4);
  std::vector<std::uint8_t> output;
  CompressSession session(output);
  if (!Encode(session, {&raster, grey, quality, row.data()})) session.Fail();
  return output;
}

void WriteJpegFile(const TRaster& raster, const String& path, int quality) {
  ReplaceFileContents(path, WriteJpeg(raster, quality));
}
