#include "framework/graphics/Icon.h"

#include "framework/win32/gdi/IcoCodec.h"

TRaster TIcon::DecodeBytes(const std::vector<std::uint8_t>& Bytes) const { return ReadIco(Bytes); }

std::vector<std::uint8_t> TIcon::EncodeBytes() const { return WriteIco({Pixels()}); }
