#pragma once

#include "framework/rtl/Types.h"

#include <cstdint>
#include <span>
#include <vector>

// Reads a whole file. EFOpenError names the file and the system's reason.
std::vector<std::uint8_t> ReadFileBytes(const String& path);

// Replaces the file with the given bytes: they go to a temporary file beside it, which is
// flushed and then renamed over the target, so a failure never leaves half a file behind.
// EFCreateError or EWriteError names the file and the system's reason.
void ReplaceFileContents(const String& path, std::span<const std::uint8_t> bytes);
