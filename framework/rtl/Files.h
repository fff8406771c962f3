#pragma once

#include "framework/rtl/Types.h"

#include <cstdint>
#include <span>
#include <vector>

// Reads a whole file. EFOpenError names the file and the system's reason.
std::vector<std::uint8_t> ReadFileBytes(const String& path);

// Replaces the file with the given bytes: they go to a temporary file beside it, which is
// flushed and then renamed over the target, so a failure never leaves half a file behind.
// A symbolic link is followed to the file it names; a replaced file keeps its permissions
// and owner. A read-only file raises EFCreateError and stays as it was. EFCreateError or
// EWriteError names the file and the system's reason.
void ReplaceFileContents(const String& path, std::span<const std::uint8_t> bytes);
