#include "framework/win32/gdi/IcoCodec.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/win32/gdi/BmpCodec.h"
#include "framework/win32/gdi/PngCodec.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::int64_t DirectorySize = 6;
constexpr std::int64_t EntrySize = 16;
constexpr std::int64_t InfoHeaderSize = 40;
constexpr std::int64_t MaxSide = 1024;
constexpr std::uint32_t BiRgb = 0;
constexpr std::uint32_t BiBitFields = 3;
constexpr int LargestBitmapSide = 255; // larger pictures are stored as PNG
constexpr int LargestIconSide = 256;
constexpr std::array<std::uint8_t, 8> PngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

[[noreturn]] void Fail(const String& what) { throw EReadError("ICO: " + what); }

[[noreturn]] void FailImage(std::size_t index, const String& what) {
  Fail("image " + std::to_string(index + 1) + ": " + what);
}

std::uint32_t Le16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return bytes[at] | std::uint32_t{bytes[at + 1]} << 8;
}

std::uint32_t Le32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

std::uint32_t Be32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
         std::uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

// ---- Reading

// One directory entry with what its image's own header says.
struct IconImage {
  std::size_t Index = 0;
  std::span<const std::uint8_t> Data;
  bool Png = false;
  std::int64_t Width = 0;
  std::int64_t Height = 0;
  int Bits = 0;
  std::uint32_t Compression = 0;
};

bool StartsWithPngSignature(std::span<const std::uint8_t> data) {
  return data.size() >= PngSignature.size() &&
         std::equal(PngSignature.begin(), PngSignature.end(), data.begin());
}

void ReadPngSize(IconImage& image) {
  constexpr std::size_t headerEnd = 24; // signature, chunk length and type, width, height
  if (image.Data.size() < headerEnd) FailImage(image.Index, "truncated PNG header");
  image.Width = Be32(image.Data, 16);
  image.Height = Be32(image.Data, 20);
  image.Bits = 32;
}

void ReadBitmapSize(IconImage& image) {
  if (image.Data.size() < InfoHeaderSize) FailImage(image.Index, "truncated bitmap header");
  const std::int64_t headerSize = Le32(image.Data, 0);
  if (headerSize < InfoHeaderSize || headerSize > static_cast<std::int64_t>(image.Data.size()))
    FailImage(image.Index, "bitmap header size " + std::to_string(headerSize));
  image.Width = static_cast<std::int32_t>(Le32(image.Data, 4));
  const std::int64_t doubledHeight = static_cast<std::int32_t>(Le32(image.Data, 8));
  if (doubledHeight < 2) FailImage(image.Index, "bitmap height " + std::to_string(doubledHeight));
  image.Height = doubledHeight / 2;
  image.Bits = static_cast<int>(Le16(image.Data, 14));
  image.Compression = Le32(image.Data, 16);
  if (image.Compression != BiRgb && image.Compression != BiBitFields)
    FailImage(image.Index, "unsupported bitmap compression " + std::to_string(image.Compression));
}

void CheckSize(const IconImage& image) {
  if (image.Width <= 0 || image.Height <= 0 || image.Width > MaxSide || image.Height > MaxSide)
    FailImage(image.Index, "size " + std::to_string(image.Width) + " x " +
                               std::to_string(image.Height) + " (sides from 1 to " +
                               std::to_string(MaxSide) + ")");
}

std::span<const std::uint8_t> EntryData(std::span<const std::uint8_t> file, std::size_t index) {
  const std::size_t at =
      static_cast<std::size_t>(DirectorySize) + index * static_cast<std::size_t>(EntrySize);
  const std::int64_t length = Le32(file, at + 8);
  const std::int64_t offset = Le32(file, at + 12);
  const auto fileSize = static_cast<std::int64_t>(file.size());
  if (length == 0) FailImage(index, "no data");
  if (offset > fileSize || length > fileSize - offset)
    FailImage(index, std::to_string(length) + " bytes at " + std::to_string(offset) +
                         " lie outside the file of " + std::to_string(fileSize) + " bytes");
  return file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
}

// Images may neither overlap the directory nor each other, so the pixels decoded stay in
// proportion to the file's size.
void CheckLayout(const std::vector<std::span<const std::uint8_t>>& images,
                 std::int64_t directoryEnd, std::span<const std::uint8_t> file) {
  std::vector<std::size_t> order(images.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return images[a].data() < images[b].data(); });
  std::int64_t freeFrom = directoryEnd;
  for (const std::size_t index : order) {
    const std::int64_t start = images[index].data() - file.data();
    if (start < freeFrom) FailImage(index, "overlaps the directory or another image");
    freeFrom = start + static_cast<std::int64_t>(images[index].size());
  }
}

IconImage ReadImageHeader(std::size_t index, std::span<const std::uint8_t> data) {
  IconImage image;
  image.Index = index;
  image.Data = data;
  image.Png = StartsWithPngSignature(data);
  if (image.Png)
    ReadPngSize(image);
  else
    ReadBitmapSize(image);
  CheckSize(image);
  return image;
}

std::vector<IconImage> ReadDirectory(std::span<const std::uint8_t> file) {
  if (file.size() < static_cast<std::size_t>(DirectorySize)) Fail("truncated directory");
  if (Le16(file, 0) != 0 || Le16(file, 2) != 1) Fail("not an icon file");
  const std::size_t count = Le16(file, 4);
  if (count == 0) Fail("no images");
  const std::int64_t directoryEnd = DirectorySize + EntrySize * static_cast<std::int64_t>(count);
  if (directoryEnd > static_cast<std::int64_t>(file.size()))
    Fail("directory of " + std::to_string(count) + " images is truncated");
  std::vector<std::span<const std::uint8_t>> data;
  for (std::size_t i = 0; i < count; ++i) data.push_back(EntryData(file, i));
  CheckLayout(data, directoryEnd, file);
  std::vector<IconImage> images;
  for (std::size_t i = 0; i < count; ++i) images.push_back(ReadImageHeader(i, data[i]));
  return images;
}

std::int64_t PaletteEntries(std::span<const std::uint8_t> dib, int bits) {
  const std::int64_t used = Le32(dib, 32);
  if (used != 0) return used;
  return bits <= 8 ? std::int64_t{1} << bits : 0;
}

// Where the AND mask starts: after header, bit masks, palette and colour rows.
std::int64_t MaskOffset(const IconImage& image) {
  const std::int64_t headerSize = Le32(image.Data, 0);
  const bool masksAfterHeader = image.Compression == BiBitFields && headerSize == InfoHeaderSize;
  const std::int64_t colourStride = (image.Width * image.Bits + 31) / 32 * 4;
  return headerSize + (masksAfterHeader ? 12 : 0) + PaletteEntries(image.Data, image.Bits) * 4 +
         colourStride * image.Height;
}

bool AnyAlpha(const TRaster& raster) {
  return std::any_of(raster.Pixels.begin(), raster.Pixels.end(),
                     [](std::uint32_t pixel) { return pixel >> 24 != 0; });
}

bool AnyTranslucent(const TRaster& raster) {
  return std::any_of(raster.Pixels.begin(), raster.Pixels.end(),
                     [](std::uint32_t pixel) { return pixel >> 24 != 0xFF; });
}

void ApplyMask(const IconImage& image, TRaster& raster) {
  const std::int64_t stride = (image.Width + 31) / 32 * 4;
  const std::int64_t offset = MaskOffset(image);
  const auto available = static_cast<std::int64_t>(image.Data.size());
  if (offset > available || stride * raster.Height > available - offset)
    FailImage(image.Index, "truncated transparency mask");
  for (int y = 0; y < raster.Height; ++y) {
    const std::uint8_t* row = image.Data.data() + offset + (raster.Height - 1 - y) * stride;
    for (int x = 0; x < raster.Width; ++x) {
      std::uint32_t& pixel = raster.At(x, y);
      pixel |= 0xFF000000u;
      if ((row[x / 8] >> (7 - x % 8) & 1) != 0) pixel &= 0x00FFFFFFu;
    }
  }
}

TRaster DecodeBitmap(const IconImage& image) {
  TRaster raster = ReadDib(image.Data, {static_cast<std::int32_t>(image.Height), true});
  const bool alphaChannel = image.Bits == 32 && image.Compression == BiRgb && AnyAlpha(raster);
  if (!alphaChannel) ApplyMask(image, raster);
  return raster;
}

TRaster DecodeImage(const IconImage& image) {
  try {
    TRaster raster =
        image.Png ? ReadPng(Bytes(image.Data.begin(), image.Data.end())) : DecodeBitmap(image);
    raster.HasAlpha = AnyTranslucent(raster);
    return raster;
  } catch (EReadError& error) {
    if (!error.Message().starts_with("ICO: "))
      error.SetMessage("ICO: image " + std::to_string(image.Index + 1) + ": " + error.Message());
    throw;
  }
}

// Nearest the preferred size first, then more colours, then larger.
bool Better(const IconImage& a, const IconImage& b, int preferredSize) {
  const std::int64_t sizeA = std::max(a.Width, a.Height), sizeB = std::max(b.Width, b.Height);
  const std::int64_t distanceA = std::abs(sizeA - preferredSize);
  const std::int64_t distanceB = std::abs(sizeB - preferredSize);
  if (distanceA != distanceB) return distanceA < distanceB;
  if (a.Bits != b.Bits) return a.Bits > b.Bits;
  return sizeA > sizeB;
}

// ---- Writing

void PutU16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(Bytes& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFFu);
  PutU16(out, value >> 16);
}

void CheckWritable(const std::vector<TRaster>& rasters) {
  if (rasters.empty()) throw EWriteError("ICO: no pictures to write");
  if (rasters.size() > 0xFFFF) throw EWriteError("ICO: more than 65535 pictures");
  for (const TRaster& raster : rasters) {
    const auto area =
        static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height);
    if (raster.Width <= 0 || raster.Height <= 0 || raster.Width > LargestIconSide ||
        raster.Height > LargestIconSide || raster.Pixels.size() != area)
      throw EWriteError("ICO: cannot write a picture of " + std::to_string(raster.Width) + " x " +
                        std::to_string(raster.Height) + " pixels (sides from 1 to 256)");
  }
}

bool StoredAsPng(const TRaster& raster) {
  return raster.Width > LargestBitmapSide || raster.Height > LargestBitmapSide;
}

std::uint32_t StoredPixel(const TRaster& raster, int x, int y) {
  const std::uint32_t pixel = raster.At(x, y);
  return raster.HasAlpha ? pixel : pixel | 0xFF000000u;
}

Bytes BitmapImage(const TRaster& raster) {
  const std::size_t maskStride = (static_cast<std::size_t>(raster.Width) + 31) / 32 * 4;
  const std::size_t imageSize = (4 * static_cast<std::size_t>(raster.Width) + maskStride) *
                                static_cast<std::size_t>(raster.Height);
  Bytes out;
  PutU32(out, InfoHeaderSize);
  PutU32(out, static_cast<std::uint32_t>(raster.Width));
  PutU32(out, static_cast<std::uint32_t>(raster.Height) * 2);
  PutU16(out, 1);
  PutU16(out, 32);
  PutU32(out, 0);
  PutU32(out, static_cast<std::uint32_t>(imageSize));
  for (int i = 0; i < 4; ++i) PutU32(out, 0); // resolution and palette counts
  for (int y = raster.Height - 1; y >= 0; --y)
    for (int x = 0; x < raster.Width; ++x) PutU32(out, StoredPixel(raster, x, y));
  for (int y = raster.Height - 1; y >= 0; --y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < raster.Width; ++x)
      if (StoredPixel(raster, x, y) >> 24 == 0)
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

void PutEntry(Bytes& out, const TRaster& raster, std::size_t length, std::size_t offset) {
  out.push_back(static_cast<std::uint8_t>(raster.Width % LargestIconSide)); // 0 means 256
  out.push_back(static_cast<std::uint8_t>(raster.Height % LargestIconSide));
  out.push_back(0); // colour count: not a palette image
  out.push_back(0);
  PutU16(out, 1);
  PutU16(out, 32);
  PutU32(out, static_cast<std::uint32_t>(length));
  PutU32(out, static_cast<std::uint32_t>(offset));
}

} // namespace

std::vector<TRaster> ReadIcoImages(const std::vector<std::uint8_t>& bytes) {
  std::vector<TRaster> rasters;
  for (const IconImage& image : ReadDirectory(bytes)) rasters.push_back(DecodeImage(image));
  return rasters;
}

TRaster ReadIco(const std::vector<std::uint8_t>& bytes, int preferredSize) {
  const std::vector<IconImage> images = ReadDirectory(bytes);
  const auto best =
      std::min_element(images.begin(), images.end(), [&](const IconImage& a, const IconImage& b) {
        return Better(a, b, preferredSize);
      });
  return DecodeImage(*best);
}

TRaster ReadIcoFile(const String& path, int preferredSize) {
  try {
    return ReadIco(ReadFileBytes(path), preferredSize);
  } catch (EReadError& error) {
    error.SetMessage(error.Message() + " in \"" + path + "\"");
    throw;
  }
}

std::vector<std::uint8_t> WriteIco(const std::vector<TRaster>& rasters) {
  CheckWritable(rasters);
  std::vector<Bytes> images;
  for (const TRaster& raster : rasters)
    images.push_back(StoredAsPng(raster) ? WritePng(raster) : BitmapImage(raster));
  Bytes out;
  PutU16(out, 0);
  PutU16(out, 1);
  PutU16(out, static_cast<std::uint32_t>(rasters.size()));
  std::size_t offset = static_cast<std::size_t>(DirectorySize) +
                       static_cast<std::size_t>(EntrySize) * rasters.size();
  for (std::size_t i = 0; i < rasters.size(); ++i) {
    PutEntry(out, rasters[i], images[i].size(), offset);
    offset += images[i].size();
  }
  for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

void WriteIcoFile(const std::vector<TRaster>& rasters, const String& path) {
  ReplaceFileContents(path, WriteIco(rasters));
}
