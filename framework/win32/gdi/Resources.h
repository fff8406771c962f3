#pragma once

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Files compiled into the program by lum_embed_resources (cmake/Resources.cmake), found by
// their file name without extension, letter case ignored (ASCII letters).

LUM_DECLARE_EXCEPTION(EResNotFound, Exception);

struct TResourceEntry {
  const char* Name; // upper case, without extension
  const std::uint8_t* Data;
  std::size_t Size;
};

// One generated table, its entries sorted by name.
struct TResourceBlock {
  const TResourceEntry* Entries;
  std::size_t Count;
};

// Called by each generated table as the program starts. A name found in several blocks
// resolves to the block registered first.
void RegisterResourceBlock(const TResourceBlock& block);

// The bytes of the named resource, or nothing when there is none of that name.
std::optional<std::span<const std::uint8_t>> FindResourceData(const String& name);

// The bytes of the named resource. EResNotFound "Resource NAME not found" when there is none.
std::span<const std::uint8_t> ResourceData(const String& name);

// Every resource name, upper case, sorted, each once.
std::vector<String> ResourceNames();
