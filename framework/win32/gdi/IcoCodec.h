#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/Raster.h"

#include <cstdint>
#include <vector>

// Reads every image of an icon file in directory order. An image is a PNG file or a bitmap
// without file header (1, 4, 8, 24 or 32 bits) whose header height covers the colour image
// and the 1-bit AND mask stored after it; a mask bit of 1 makes the pixel transparent. 32-bit
// images whose fourth bytes are not all 0 take them as alpha and ignore the mask. Each image
// keeps the size its own header gives where the directory disagrees; sides above 1024 are
// refused. HasAlpha is set when an image has a pixel that is not opaque.
// Malformed data raises EReadError "ICO: …".
std::vector<TRaster> ReadIcoImages(const std::vector<std::uint8_t>& bytes);

// Reads the one image whose larger side is nearest the preferred size; among those the one
// with the most colours (PNG images count as 32 bits), then the larger. Only that image is
// decoded.
TRaster ReadIco(const std::vector<std::uint8_t>& bytes, int preferredSize = 32);

// Reads an icon file from disk. EFOpenError when it cannot be opened; a decoding error names
// the file.
TRaster ReadIcoFile(const String& path, int preferredSize = 32);

// Writes one image per raster, in order: 32-bit bitmaps with an AND mask set where alpha is
// 0, and PNG for pictures 256 pixels wide or high. EWriteError for an empty list or a raster
// that is empty or larger than 256 on a side.
std::vector<std::uint8_t> WriteIco(const std::vector<TRaster>& rasters);

// Writes the file whole or not at all (see ReplaceFileContents).
void WriteIcoFile(const std::vector<TRaster>& rasters, const String& path);
