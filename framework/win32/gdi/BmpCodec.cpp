#include "framework/win32/gdi/BmpCodec.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/win32/gdi/Palettes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::int64_t FileHeaderSize = 14;
constexpr std::int64_t InfoHeaderSize = 40;
constexpr std::uint32_t Opaque = 0xFF000000u;

enum Compression : std::uint32_t {
  BiRgb = 0,
  BiRle8 = 1,
  BiRle4 = 2,
  BiBitFields = 3,
  BiJpeg = 4,
  BiPng = 5,
  BiAlphaBitFields = 6,
  Os2Huffman = 100, // OS/2 2.x reuses 3 and 4; these are the codes after translation
  Os2Rle24 = 101,
};

[[noreturn]] void Fail(const String& what) { throw EReadError("BMP: " + what); }

String Hex(std::uint32_t value) {
  static const char digits[] = "0123456789ABCDEF";
  String text;
  for (int shift = 28; shift >= 0; shift -= 4) text += digits[(value >> shift) & 0xFu];
  return "0x" + text;
}

// Little-endian reads, byte by byte; callers check ranges with Has().
class ByteReader {
public:
  explicit ByteReader(const Bytes& bytes) : bytes_(bytes) {}

  std::int64_t Size() const { return static_cast<std::int64_t>(bytes_.size()); }
  bool Has(std::int64_t at, std::int64_t count) const {
    return at >= 0 && count >= 0 && at <= Size() && count <= Size() - at;
  }
  std::uint8_t U8(std::int64_t at) const { return bytes_[static_cast<std::size_t>(at)]; }
  std::uint32_t U16(std::int64_t at) const { return U8(at) | std::uint32_t{U8(at + 1)} << 8; }
  std::uint32_t U32(std::int64_t at) const { return U16(at) | U16(at + 2) << 16; }
  std::int32_t I32(std::int64_t at) const { return static_cast<std::int32_t>(U32(at)); }
  const std::uint8_t* At(std::int64_t at) const {
    return bytes_.data() + static_cast<std::size_t>(at);
  }

private:
  const Bytes& bytes_;
};

// One colour channel of a bit-field pixel, scaled to 8 bits when extracted.
struct Channel {
  std::uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;

  static Channel FromMask(std::uint32_t mask) {
    Channel channel;
    if (mask == 0) return channel;
    channel.Mask = mask;
    channel.Shift = std::countr_zero(mask);
    const std::uint32_t field = mask >> channel.Shift;
    if ((field & (field + 1)) != 0) Fail("non-contiguous bit mask " + Hex(mask));
    channel.Bits = std::popcount(field);
    return channel;
  }

  std::uint32_t Extract(std::uint32_t pixel, std::uint32_t absent) const {
    if (Bits == 0) return absent;
    const std::uint32_t value = (pixel & Mask) >> Shift;
    if (Bits >= 8) return value >> (Bits - 8);
    const std::uint32_t max = (1u << Bits) - 1;
    return (value * 255 + max / 2) / max;
  }
};

struct PixelFormat {
  Channel Red, Green, Blue, Alpha;

  std::uint32_t Decode(std::uint32_t pixel) const {
    return Alpha.Extract(pixel, 255) << 24 | Red.Extract(pixel, 0) << 16 |
           Green.Extract(pixel, 0) << 8 | Blue.Extract(pixel, 0);
  }
};

using Palette = std::array<std::uint32_t, 256>;

struct BmpLayout {
  std::int64_t HeaderSize = 0;
  std::int64_t Width = 0;
  std::int64_t Height = 0; // always positive; TopDown carries the sign
  bool TopDown = false;
  std::uint32_t Planes = 1;
  int BitCount = 0;
  std::uint32_t Compression = BiRgb;
  std::uint32_t ColoursUsed = 0;
  std::array<std::uint32_t, 4> Masks{}; // red, green, blue, alpha
  bool HasMasks = false;                // masks came from the file
  std::int64_t MasksAfterHeader = 0;    // bytes of masks between header and palette
  int PaletteEntrySize = 4;
  std::int64_t OffBits = 0;

  bool IsCore() const { return HeaderSize == 12; }
  std::int64_t PaletteStart() const { return FileHeaderSize + HeaderSize + MasksAfterHeader; }
};

bool IsOs2v2Size(std::int64_t size) {
  return size >= 16 && size <= 64 && size != 40 && size != 52 && size != 56;
}

void CheckHeaderSize(std::int64_t size) {
  const bool known = size == 12 || (size >= 16 && size <= 64) || size == 108 || size == 124;
  if (!known) Fail("unsupported header size " + std::to_string(size));
}

void ReadCoreHeader(const ByteReader& in, BmpLayout& layout) {
  layout.Width = in.U16(18);
  layout.Height = in.U16(20);
  layout.Planes = in.U16(22);
  layout.BitCount = static_cast<int>(in.U16(24));
  layout.PaletteEntrySize = 3;
}

// Fields of BITMAPINFOHEADER and its relatives; OS/2 2.x headers may stop early.
void ReadInfoHeader(const ByteReader& in, BmpLayout& layout) {
  const auto field = [&](std::int64_t offset) {
    return offset + 4 <= layout.HeaderSize ? in.U32(FileHeaderSize + offset) : 0u;
  };
  layout.Width = in.I32(18);
  const std::int64_t height = in.I32(22);
  layout.TopDown = height < 0;
  layout.Height = height < 0 ? -height : height;
  layout.Planes = in.U16(26);
  layout.BitCount = static_cast<int>(in.U16(28));
  layout.Compression = field(16);
  layout.ColoursUsed = field(32);
  if (IsOs2v2Size(layout.HeaderSize) || layout.HeaderSize == 64) {
    if (layout.Compression == BiBitFields) layout.Compression = Os2Huffman;
    if (layout.Compression == BiJpeg) layout.Compression = Os2Rle24;
  }
}

bool UsesBitFields(const BmpLayout& layout) {
  return layout.Compression == BiBitFields || layout.Compression == BiAlphaBitFields;
}

// Masks sit inside V2+ headers, or right after a 40-byte header.
void ReadMasks(const ByteReader& in, BmpLayout& layout) {
  const bool inHeader = layout.HeaderSize >= 52 && layout.HeaderSize != 64;
  if (UsesBitFields(layout) && !inHeader) {
    const int count = layout.Compression == BiAlphaBitFields ? 4 : 3;
    layout.MasksAfterHeader = 4 * count;
    const std::int64_t at = FileHeaderSize + layout.HeaderSize;
    if (!in.Has(at, layout.MasksAfterHeader)) Fail("truncated bit masks");
    for (int i = 0; i < count; ++i) layout.Masks[static_cast<std::size_t>(i)] = in.U32(at + 4 * i);
    layout.HasMasks = true;
    return;
  }
  if (!inHeader) return;
  const std::int64_t at = FileHeaderSize + InfoHeaderSize;
  if (UsesBitFields(layout)) {
    for (std::size_t i = 0; i < 3; ++i)
      layout.Masks[i] = in.U32(at + 4 * static_cast<std::int64_t>(i));
    layout.HasMasks = true;
  }
  if (layout.HeaderSize >= 56) layout.Masks[3] = in.U32(at + 12);
}

BmpLayout ReadLayout(const ByteReader& in) {
  if (!in.Has(0, FileHeaderSize + 4)) Fail("truncated file header");
  if (in.U8(0) != 'B' || in.U8(1) != 'M') Fail("not a BMP file (no BM signature)");
  BmpLayout layout;
  layout.OffBits = in.U32(10);
  layout.HeaderSize = in.U32(14);
  CheckHeaderSize(layout.HeaderSize);
  if (!in.Has(FileHeaderSize, layout.HeaderSize)) Fail("truncated info header");
  if (layout.IsCore())
    ReadCoreHeader(in, layout);
  else
    ReadInfoHeader(in, layout);
  ReadMasks(in, layout);
  return layout;
}

String CompressionName(std::uint32_t compression) {
  switch (compression) {
  case BiJpeg:
    return "4 (JPEG)";
  case BiPng:
    return "5 (PNG)";
  case Os2Huffman:
    return "3 (OS/2 Huffman)";
  case Os2Rle24:
    return "4 (OS/2 RLE24)";
  default:
    return std::to_string(compression);
  }
}

bool BitCountFits(const BmpLayout& layout) {
  const int bits = layout.BitCount;
  switch (layout.Compression) {
  case BiRgb:
    return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ||
           bits == 32;
  case BiRle8:
    return bits == 8;
  case BiRle4:
    return bits == 4;
  case Os2Rle24:
    return bits == 24;
  default:
    return bits == 16 || bits == 32;
  }
}

void Validate(const BmpLayout& layout) {
  const std::uint32_t c = layout.Compression;
  const bool known =
      c == BiRgb || c == BiRle8 || c == BiRle4 || UsesBitFields(layout) || c == Os2Rle24;
  if (!known) Fail("unsupported compression " + CompressionName(c));
  if (!BitCountFits(layout))
    Fail("unsupported bit count " + std::to_string(layout.BitCount) + " for compression " +
         CompressionName(c));
  if (layout.Planes != 1) Fail("planes " + std::to_string(layout.Planes) + " (must be 1)");
  if (layout.Width <= 0) Fail("width " + std::to_string(layout.Width));
  if (layout.Height == 0) Fail("height 0");
  if (layout.Height > std::numeric_limits<std::int32_t>::max())
    Fail("height " + std::to_string(layout.Height));
  if (layout.TopDown && c != BiRgb && !UsesBitFields(layout))
    Fail("compressed bitmap cannot be top-down");
}

bool IsIndexed(const BmpLayout& layout) { return layout.BitCount <= 8; }

// Palette entries the file declares, which decide where the pixels start by default.
std::int64_t DeclaredPaletteEntries(const BmpLayout& layout) {
  if (layout.IsCore()) return IsIndexed(layout) ? std::int64_t{1} << layout.BitCount : 0;
  if (layout.ColoursUsed != 0) return layout.ColoursUsed;
  return IsIndexed(layout) ? std::int64_t{1} << layout.BitCount : 0;
}

std::int64_t FallbackPixelOffset(const BmpLayout& layout) {
  return layout.PaletteStart() + DeclaredPaletteEntries(layout) * layout.PaletteEntrySize;
}

// bfOffBits is honoured unless it points into the headers or past the end of the file.
std::int64_t PixelOffset(const ByteReader& in, const BmpLayout& layout) {
  const bool bogus = layout.OffBits < layout.PaletteStart() || layout.OffBits >= in.Size();
  return bogus ? FallbackPixelOffset(layout) : layout.OffBits;
}

// OS/2 1.x files may carry fewer than 2^n entries; bfOffBits tells how many.
std::int64_t PaletteEntriesToRead(const ByteReader& in, const BmpLayout& layout) {
  const std::int64_t full = std::int64_t{1} << layout.BitCount;
  std::int64_t entries = std::min(full, DeclaredPaletteEntries(layout));
  const std::int64_t start = layout.PaletteStart();
  if (layout.IsCore() && layout.OffBits > start && layout.OffBits < in.Size())
    entries = std::min(entries, (layout.OffBits - start) / layout.PaletteEntrySize);
  return entries;
}

Palette ReadPalette(const ByteReader& in, const BmpLayout& layout) {
  Palette palette;
  palette.fill(Opaque);
  if (!IsIndexed(layout)) return palette;
  const std::int64_t entries = PaletteEntriesToRead(in, layout);
  const std::int64_t start = layout.PaletteStart();
  if (!in.Has(start, entries * layout.PaletteEntrySize)) Fail("truncated palette");
  for (std::int64_t i = 0; i < entries; ++i) {
    const std::int64_t at = start + i * layout.PaletteEntrySize;
    palette[static_cast<std::size_t>(i)] =
        Opaque | std::uint32_t{in.U8(at + 2)} << 16 | std::uint32_t{in.U8(at + 1)} << 8 | in.U8(at);
  }
  return palette;
}

PixelFormat MakePixelFormat(const BmpLayout& layout) {
  std::array<std::uint32_t, 4> masks = layout.Masks;
  if (!layout.HasMasks || (masks[0] | masks[1] | masks[2]) == 0) {
    if (layout.BitCount == 16)
      masks = {0x7C00u, 0x03E0u, 0x001Fu, masks[3]};
    else
      masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, masks[3]};
    if ((masks[3] & (masks[0] | masks[1] | masks[2])) != 0) masks[3] = 0;
  }
  return {Channel::FromMask(masks[0]), Channel::FromMask(masks[1]), Channel::FromMask(masks[2]),
          Channel::FromMask(masks[3])};
}

int RowIndex(const BmpLayout& layout, std::int64_t fileRow) {
  return static_cast<int>(layout.TopDown ? fileRow : layout.Height - 1 - fileRow);
}

void DecodeIndexedRow(const std::uint8_t* row, int width, int bits, const Palette& palette,
                      std::uint32_t* out) {
  const unsigned mask = (1u << bits) - 1;
  for (int x = 0; x < width; ++x) {
    const std::int64_t bit = std::int64_t{x} * bits;
    const int shift = 8 - bits - static_cast<int>(bit % 8);
    out[x] = palette[(row[bit / 8] >> shift) & mask];
  }
}

void DecodeRgb24Row(const std::uint8_t* row, int width, std::uint32_t* out) {
  for (int x = 0; x < width; ++x, row += 3)
    out[x] = Opaque | std::uint32_t{row[2]} << 16 | std::uint32_t{row[1]} << 8 | row[0];
}

void DecodeMaskedRow(const std::uint8_t* row, int width, int bytesPerPixel,
                     const PixelFormat& format, std::uint32_t* out) {
  for (int x = 0; x < width; ++x, row += bytesPerPixel) {
    std::uint32_t pixel = 0;
    for (int i = bytesPerPixel - 1; i >= 0; --i) pixel = pixel << 8 | row[i];
    out[x] = format.Decode(pixel);
  }
}

void CheckUncompressedSize(const ByteReader& in, const BmpLayout& layout, std::int64_t offset,
                           std::int64_t stride) {
  const std::int64_t lastRow = (layout.Width * layout.BitCount + 7) / 8;
  const std::int64_t available = offset < in.Size() ? in.Size() - offset : 0;
  if (available < lastRow || (available - lastRow) / stride < layout.Height - 1)
    Fail("truncated pixel data (" + std::to_string(available) + " bytes for " +
         std::to_string(layout.Width) + " x " + std::to_string(layout.Height) + " at " +
         std::to_string(layout.BitCount) + " bits)");
}

void CheckPictureSize(const BmpLayout& layout) {
  if (ExceedsMaxPicturePixels(layout.Width, layout.Height))
    throw EOutOfResources("BMP: picture of " + std::to_string(layout.Width) + " x " +
                          std::to_string(layout.Height) + " pixels is too large");
}

bool AnyTranslucent(const TRaster& raster) {
  return std::any_of(raster.Pixels.begin(), raster.Pixels.end(),
                     [](std::uint32_t pixel) { return pixel < Opaque; });
}

TRaster DecodeUncompressed(const ByteReader& in, const BmpLayout& layout, std::int64_t offset) {
  const std::int64_t stride = (layout.Width * layout.BitCount + 31) / 32 * 4;
  CheckUncompressedSize(in, layout, offset, stride);
  CheckPictureSize(layout);
  const Palette palette = ReadPalette(in, layout);
  const PixelFormat format = MakePixelFormat(layout);
  TRaster raster(static_cast<int>(layout.Width), static_cast<int>(layout.Height));
  for (std::int64_t r = 0; r < layout.Height; ++r) {
    const std::uint8_t* row = in.At(offset + r * stride);
    std::uint32_t* out = &raster.At(0, RowIndex(layout, r));
    if (IsIndexed(layout))
      DecodeIndexedRow(row, raster.Width, layout.BitCount, palette, out);
    else if (layout.BitCount == 24)
      DecodeRgb24Row(row, raster.Width, out);
    else
      DecodeMaskedRow(row, raster.Width, layout.BitCount / 8, format, out);
  }
  raster.HasAlpha = format.Alpha.Bits > 0 && AnyTranslucent(raster);
  return raster;
}

// Run-length decoding for RLE4, RLE8 and OS/2 RLE24. Pixels outside the picture are
// dropped; the data may end anywhere, keeping what was decoded.
class RleDecoder {
public:
  RleDecoder(const ByteReader& in, const BmpLayout& layout, const Palette& palette, TRaster& raster)
      : in_(in), layout_(layout), palette_(palette), raster_(raster) {}

  void Run(std::int64_t pos) {
    while (row_ < layout_.Height && in_.Has(pos, 2)) {
      const std::uint8_t count = in_.U8(pos);
      const std::uint8_t code = in_.U8(pos + 1);
      pos += 2;
      if (count > 0)
        pos = EncodedRun(pos, count, code);
      else if (code == 0)
        NextLine();
      else if (code == 1)
        return;
      else if (code == 2)
        pos = Delta(pos);
      else
        pos = Absolute(pos, code);
    }
  }

private:
  bool IsRle4() const { return layout_.Compression == BiRle4; }
  bool IsRle24() const { return layout_.Compression == Os2Rle24; }

  void Put(std::uint32_t colour) {
    if (x_ < layout_.Width && row_ < layout_.Height)
      raster_.At(static_cast<int>(x_), RowIndex(layout_, row_)) = colour;
    ++x_;
  }

  std::uint32_t Colour24(std::int64_t at) const {
    return Opaque | std::uint32_t{in_.U8(at + 2)} << 16 | std::uint32_t{in_.U8(at + 1)} << 8 |
           in_.U8(at);
  }

  std::int64_t EncodedRun(std::int64_t pos, int count, std::uint8_t code) {
    if (IsRle24()) {
      // The run's colour takes the code byte and the two after it.
      if (!in_.Has(pos - 1, 3)) return in_.Size();
      const std::uint32_t colour = Colour24(pos - 1);
      for (int i = 0; i < count; ++i) Put(colour);
      return pos + 2;
    }
    for (int i = 0; i < count; ++i)
      Put(palette_[IsRle4() ? (i % 2 == 0 ? code >> 4 : code & 0xF) : code]);
    return pos;
  }

  void NextLine() {
    x_ = 0;
    ++row_;
  }

  std::int64_t Delta(std::int64_t pos) {
    if (!in_.Has(pos, 2)) return in_.Size();
    x_ += in_.U8(pos);
    row_ += in_.U8(pos + 1);
    return pos + 2;
  }

  std::int64_t Absolute(std::int64_t pos, int count) {
    const std::int64_t bytes = IsRle24() ? 3 * count : IsRle4() ? (count + 1) / 2 : count;
    const std::int64_t available = std::min(bytes, in_.Size() - pos);
    for (int i = 0; i < count; ++i) {
      if (IsRle24()) {
        if (3 * i + 3 > available) break;
        Put(Colour24(pos + 3 * i));
      } else if (IsRle4()) {
        if (i / 2 >= available) break;
        const std::uint8_t pair = in_.U8(pos + i / 2);
        Put(palette_[i % 2 == 0 ? pair >> 4 : pair & 0xF]);
      } else {
        if (i >= available) break;
        Put(palette_[in_.U8(pos + i)]);
      }
    }
    return pos + bytes + (bytes & 1);
  }

  const ByteReader& in_;
  const BmpLayout& layout_;
  const Palette& palette_;
  TRaster& raster_;
  std::int64_t x_ = 0;
  std::int64_t row_ = 0;
};

// An encoded run of two bytes gives at most 255 pixels. Skips and an early end may leave
// the rest of a picture unwritten, but only a small picture is taken on that account.
void CheckRleCanHold(const ByteReader& in, const BmpLayout& layout, std::int64_t offset) {
  constexpr std::int64_t pixelsPerByte = 128;
  constexpr std::int64_t smallPicture = std::int64_t{1} << 20;
  const std::int64_t bytes = in.Size() - offset;
  if (layout.Width * layout.Height > std::max(smallPicture, bytes * pixelsPerByte))
    Fail(std::to_string(bytes) + " bytes of RLE data cannot hold " + std::to_string(layout.Width) +
         " x " + std::to_string(layout.Height) + " pixels");
}

TRaster DecodeRle(const ByteReader& in, const BmpLayout& layout, std::int64_t offset) {
  if (offset >= in.Size()) Fail("truncated pixel data (no RLE data)");
  CheckRleCanHold(in, layout, offset);
  CheckPictureSize(layout);
  const Palette palette = ReadPalette(in, layout);
  const std::uint32_t background = layout.Compression == Os2Rle24 ? Opaque : palette[0];
  TRaster raster(static_cast<int>(layout.Width), static_cast<int>(layout.Height), background);
  RleDecoder(in, layout, palette, raster).Run(offset);
  return raster;
}

void PutU16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(Bytes& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFFu);
  PutU16(out, value >> 16);
}

// How a written file lays out its pixels.
struct OutputFormat {
  int Bits = 24;
  std::uint32_t Compression = BiRgb;
  bool V5 = false;                        // BITMAPV5HEADER with the masks inside
  std::array<std::uint32_t, 4> Masks{};   // red, green, blue, alpha of BI_BITFIELDS
  std::span<const std::uint32_t> Palette; // 0x??RRGGBB entries of indexed pixels

  std::uint32_t InfoSize() const { return V5 ? 124u : 40u; }
  std::uint32_t MasksAfterHeader() const { return !V5 && Compression == BiBitFields ? 12u : 0u; }
  std::uint32_t PixelOffset() const {
    return static_cast<std::uint32_t>(FileHeaderSize) + InfoSize() + MasksAfterHeader() +
           4 * static_cast<std::uint32_t>(Palette.size());
  }
};

constexpr std::uint32_t SrgbColourSpace = 0x73524742u; // 'sRGB'
constexpr std::uint32_t ImagesIntent = 4;              // LCS_GM_IMAGES

void PutV5Tail(Bytes& out, const OutputFormat& format) {
  for (const std::uint32_t mask : format.Masks) PutU32(out, mask);
  PutU32(out, SrgbColourSpace);
  for (int i = 0; i < 9 + 3; ++i) PutU32(out, 0); // end points and gamma, unused for sRGB
  PutU32(out, ImagesIntent);
  for (int i = 0; i < 3; ++i) PutU32(out, 0); // profile offset, profile size, reserved
}

void PutHeaders(Bytes& out, const TRaster& raster, const OutputFormat& format,
                std::uint32_t imageSize) {
  out.push_back('B');
  out.push_back('M');
  PutU32(out, format.PixelOffset() + imageSize);
  PutU32(out, 0);
  PutU32(out, format.PixelOffset());
  PutU32(out, format.InfoSize());
  PutU32(out, static_cast<std::uint32_t>(raster.Width));
  PutU32(out, static_cast<std::uint32_t>(raster.Height));
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint32_t>(format.Bits));
  PutU32(out, format.Compression);
  PutU32(out, imageSize);
  PutU32(out, 0); // resolution
  PutU32(out, 0);
  PutU32(out, static_cast<std::uint32_t>(format.Palette.size()));
  PutU32(out, 0);
  if (format.V5) PutV5Tail(out, format);
  for (std::uint32_t i = 0; i < format.MasksAfterHeader() / 4; ++i) PutU32(out, format.Masks[i]);
  for (const std::uint32_t entry : format.Palette) PutU32(out, entry & 0x00FFFFFFu);
}

std::int64_t StrideOf(const TRaster& raster, int bits) {
  return (std::int64_t{raster.Width} * bits + 31) / 32 * 4;
}

// The headers of a file whose rows follow, bottom row first.
Bytes StartFile(const TRaster& raster, const OutputFormat& format) {
  const std::int64_t imageSize = StrideOf(raster, format.Bits) * raster.Height;
  if (imageSize > std::numeric_limits<std::uint32_t>::max() - format.PixelOffset())
    throw EWriteError("BMP: picture too large for a BMP file");
  Bytes out;
  out.reserve(static_cast<std::size_t>(format.PixelOffset() + imageSize));
  PutHeaders(out, raster, format, static_cast<std::uint32_t>(imageSize));
  return out;
}

void PutRow(Bytes& out, const TRaster& raster, int y, int bits, std::int64_t stride) {
  const std::size_t rowStart = out.size();
  for (int x = 0; x < raster.Width; ++x) {
    const std::uint32_t pixel = raster.At(x, y);
    for (int i = 0; i < bits / 8; ++i) out.push_back(static_cast<std::uint8_t>(pixel >> (8 * i)));
  }
  out.resize(rowStart + static_cast<std::size_t>(stride), 0);
}

void PutIndexedRow(Bytes& out, const TRaster& raster, int y, int bits, std::int64_t stride,
                   TPaletteMatcher& matcher) {
  const std::size_t rowStart = out.size();
  out.resize(rowStart + static_cast<std::size_t>(stride), 0);
  std::uint8_t* row = out.data() + rowStart;
  for (int x = 0; x < raster.Width; ++x) {
    const auto index = static_cast<unsigned>(matcher.Nearest(raster.At(x, y)));
    const std::int64_t bit = std::int64_t{x} * bits;
    row[bit / 8] |= static_cast<std::uint8_t>(index << (8 - bits - bit % 8));
  }
}

// The level of a channel with the given bits whose expansion comes nearest the 8-bit value.
std::uint32_t Level(std::uint32_t value, int bits) {
  const std::uint32_t max = (1u << bits) - 1;
  return (value * max + 127) / 255;
}

void Put16BitRow(Bytes& out, const TRaster& raster, int y, bool rgb565, std::int64_t stride) {
  const std::size_t rowStart = out.size();
  for (int x = 0; x < raster.Width; ++x) {
    const std::uint32_t pixel = raster.At(x, y);
    const std::uint32_t r = pixel >> 16 & 0xFFu, g = pixel >> 8 & 0xFFu, b = pixel & 0xFFu;
    const std::uint32_t packed = rgb565 ? Level(r, 5) << 11 | Level(g, 6) << 5 | Level(b, 5)
                                        : Level(r, 5) << 10 | Level(g, 5) << 5 | Level(b, 5);
    PutU16(out, packed);
  }
  out.resize(rowStart + static_cast<std::size_t>(stride), 0);
}

void Put32BitRow(Bytes& out, const TRaster& raster, int y, bool alpha) {
  for (int x = 0; x < raster.Width; ++x) {
    const std::uint32_t pixel = raster.At(x, y);
    PutU32(out, alpha ? pixel : pixel & 0x00FFFFFFu);
  }
}

void CheckWritable(const TRaster& raster) {
  if (raster.Width <= 0 || raster.Height <= 0)
    throw EWriteError("BMP: cannot write an empty picture (" + std::to_string(raster.Width) +
                      " x " + std::to_string(raster.Height) + ")");
  const std::int64_t pixels = std::int64_t{raster.Width} * raster.Height;
  if (static_cast<std::int64_t>(raster.Pixels.size()) != pixels)
    throw EWriteError("BMP: raster holds " + std::to_string(raster.Pixels.size()) +
                      " pixels instead of " + std::to_string(pixels));
}

TRaster Decode(const ByteReader& in, const BmpLayout& layout) {
  Validate(layout);
  const std::int64_t offset = PixelOffset(in, layout);
  const std::uint32_t c = layout.Compression;
  if (c == BiRle8 || c == BiRle4 || c == Os2Rle24) return DecodeRle(in, layout, offset);
  return DecodeUncompressed(in, layout, offset);
}

// A file header in front of the bitmap; its pixel offset 0 lets them follow the palette.
Bytes WithFileHeader(std::span<const std::uint8_t> dib) {
  Bytes bytes{'B', 'M'};
  PutU32(bytes, static_cast<std::uint32_t>(FileHeaderSize + static_cast<std::int64_t>(dib.size())));
  PutU32(bytes, 0);
  PutU32(bytes, 0);
  bytes.insert(bytes.end(), dib.begin(), dib.end());
  return bytes;
}

void ReplaceRows(Bytes& bytes, std::int32_t rows) {
  const bool core = ByteReader(bytes).U32(FileHeaderSize) == 12;
  if (core && (rows < 0 || rows > 0xFFFF)) Fail("height " + std::to_string(rows));
  Bytes field;
  PutU32(field, static_cast<std::uint32_t>(rows));
  std::copy_n(field.begin(), core ? 2 : 4, bytes.begin() + (core ? 20 : 22));
}

} // namespace

TRaster ReadBmp(const std::vector<std::uint8_t>& bytes) {
  const ByteReader in(bytes);
  return Decode(in, ReadLayout(in));
}

TBmpFormat ReadBmpFormat(const std::vector<std::uint8_t>& bytes) {
  const ByteReader in(bytes);
  const BmpLayout layout = ReadLayout(in);
  Validate(layout);
  TBmpFormat format;
  format.BitCount = layout.BitCount;
  if (IsIndexed(layout)) {
    const Palette palette = ReadPalette(in, layout);
    const auto entries = static_cast<std::size_t>(PaletteEntriesToRead(in, layout));
    format.Palette.assign(palette.begin(), palette.begin() + static_cast<std::ptrdiff_t>(entries));
    return format;
  }
  const PixelFormat pixels = MakePixelFormat(layout);
  format.Masks = {pixels.Red.Mask, pixels.Green.Mask, pixels.Blue.Mask, pixels.Alpha.Mask};
  return format;
}

TRaster ReadDib(std::span<const std::uint8_t> dib, const TDibOptions& options) {
  if (dib.size() < 4) Fail("truncated info header");
  Bytes bytes = WithFileHeader(dib);
  const ByteReader in(bytes);
  BmpLayout layout = ReadLayout(in);
  if (options.Rows != 0) {
    ReplaceRows(bytes, options.Rows);
    layout = ReadLayout(in);
  }
  if (options.AlphaInFourthByte && layout.BitCount == 32 && layout.Compression == BiRgb)
    layout.Masks[3] = 0xFF000000u;
  return Decode(in, layout);
}

TRaster ReadBmpFile(const String& path) {
  try {
    return ReadBmp(ReadFileBytes(path));
  } catch (EReadError& e) {
    e.SetMessage(e.Message() + " in " + path);
    throw;
  }
}

std::vector<std::uint8_t> WriteBmp(const TRaster& raster) {
  CheckWritable(raster);
  OutputFormat format;
  format.Bits = raster.HasAlpha ? 32 : 24;
  Bytes out = StartFile(raster, format);
  const std::int64_t stride = StrideOf(raster, format.Bits);
  for (int y = raster.Height - 1; y >= 0; --y) PutRow(out, raster, y, format.Bits, stride);
  return out;
}

std::vector<std::uint8_t> WriteBmpIndexed(const TRaster& raster, int bits,
                                          std::span<const std::uint32_t> palette) {
  CheckWritable(raster);
  if (bits != 1 && bits != 4 && bits != 8)
    throw EWriteError("BMP: cannot write indexed pixels of " + std::to_string(bits) + " bits");
  if (palette.empty() || palette.size() > (std::size_t{1} << bits))
    throw EWriteError("BMP: a palette of " + std::to_string(palette.size()) +
                      " entries does not fit " + std::to_string(bits) + "-bit pixels");
  OutputFormat format;
  format.Bits = bits;
  format.Palette = palette;
  Bytes out = StartFile(raster, format);
  TPaletteMatcher matcher(palette);
  const std::int64_t stride = StrideOf(raster, bits);
  for (int y = raster.Height - 1; y >= 0; --y) PutIndexedRow(out, raster, y, bits, stride, matcher);
  return out;
}

std::vector<std::uint8_t> WriteBmp16(const TRaster& raster, bool rgb565) {
  CheckWritable(raster);
  OutputFormat format;
  format.Bits = 16;
  if (rgb565) {
    format.Compression = BiBitFields;
    format.Masks = {0xF800u, 0x07E0u, 0x001Fu, 0u};
  }
  Bytes out = StartFile(raster, format);
  const std::int64_t stride = StrideOf(raster, 16);
  for (int y = raster.Height - 1; y >= 0; --y) Put16BitRow(out, raster, y, rgb565, stride);
  return out;
}

std::vector<std::uint8_t> WriteBmp32(const TRaster& raster, bool alpha) {
  CheckWritable(raster);
  OutputFormat format;
  format.Bits = 32;
  if (alpha) {
    format.Compression = BiBitFields;
    format.V5 = true;
    format.Masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u};
  }
  Bytes out = StartFile(raster, format);
  for (int y = raster.Height - 1; y >= 0; --y) Put32BitRow(out, raster, y, alpha);
  return out;
}

void WriteBmpFile(const TRaster& raster, const String& path) {
  ReplaceFileContents(path, WriteBmp(raster));
}
