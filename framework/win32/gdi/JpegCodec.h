#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/Raster.h"

#include <cstdint>
#include <vector>

// What a JPEG file's header says, read without decoding the picture.
struct TJpegHeader {
  int Width = 0;
  int Height = 0;
  int Components = 0;
  bool Progressive = false;
};

// Reads the header up to the first scan. EReadError "JPEG: …" when it is malformed.
TJpegHeader ReadJpegHeader(const std::vector<std::uint8_t>& bytes);

// Reads a whole JPEG file, baseline or progressive, Huffman or arithmetic coded: greyscale,
// RGB, YCbCr, CMYK and YCCK (Adobe files store inverted inks) become opaque 8-bit RGB.
// The EXIF orientation is ignored: pixels come in stored order.
// Malformed data raises EReadError "JPEG: " with libjpeg's message. Data that ends early is
// malformed; other damage libjpeg recovers from (a bad Huffman code, stray bytes between
// markers) is accepted as libjpeg decodes it. Pictures above MaxPicturePixels or 65535
// pixels on a side, and Huffman-coded ones with more than 512 pixels per byte of the file,
// are refused before anything is allocated.
TRaster ReadJpeg(const std::vector<std::uint8_t>& bytes);

// Reads a JPEG file from disk. EFOpenError when it cannot be opened; a decoding error names the
// file.
TRaster ReadJpegFile(const String& path);

// Writes a baseline JFIF file at the given quality (1 to 100): one greyscale component when
// every pixel is grey, else YCbCr with 2x2 chroma subsampling. Alpha is dropped.
// EWriteError on failure or a quality outside 1 to 100.
std::vector<std::uint8_t> WriteJpeg(const TRaster& raster, int quality = 90);

// Writes the file whole or not at all (see ReplaceFileContents).
void WriteJpegFile(const TRaster& raster, const String& path, int quality = 90);
