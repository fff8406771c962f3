#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/Raster.h"

#include <cstdint>
#include <vector>

// Reads a whole PNG file: every colour type and bit depth, interlaced or not. The result
// is 8 bits per channel; 16-bit samples are scaled down. HasAlpha is set when the file has
// an alpha channel or a tRNS chunk. Gamma is not applied: pixels keep their stored values.
// Malformed data raises EReadError carrying libpng's message; pictures too large to hold
// raise EReadError (beyond libpng's limit, or more than the image data can hold) or
// EOutOfResources (above MaxPicturePixels).
TRaster ReadPng(const std::vector<std::uint8_t>& bytes);

// Reads a PNG file from disk. EFOpenError when it cannot be opened; a decoding error names the
// file.
TRaster ReadPngFile(const String& path);

// Writes 8-bit RGB when the raster has no alpha, else 8-bit RGBA. EWriteError on failure.
std::vector<std::uint8_t> WritePng(const TRaster& raster);

// Writes the file whole or not at all (see ReplaceFileContents).
void WritePngFile(const TRaster& raster, const String& path);
