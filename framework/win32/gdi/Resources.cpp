#include "framework/win32/gdi/Resources.h"

#include "framework/rtl/Strings.h"

#include <algorithm>
#include <cstring>

namespace {

// Built on first use, so blocks registering from other static initialisers find it.
std::vector<const TResourceBlock*>& Blocks() {
  static std::vector<const TResourceBlock*> blocks;
  return blocks;
}

const TResourceEntry* FindInBlock(const TResourceBlock& block, const String& upperName) {
  const TResourceEntry* end = block.Entries + block.Count;
  const TResourceEntry* entry =
      std::lower_bound(block.Entries, end, upperName, [](const TResourceEntry& e, const String& n) {
        return std::strcmp(e.Name, n.c_str()) < 0;
      });
  return entry != end && upperName == entry->Name ? entry : nullptr;
}

} // namespace

void RegisterResourceBlock(const TResourceBlock& block) { Blocks().push_back(&block); }

std::optional<std::span<const std::uint8_t>> FindResourceData(const String& name) {
  const String upperName = UpperCase(name);
  for (const TResourceBlock* block : Blocks())
    if (const TResourceEntry* entry = FindInBlock(*block, upperName))
      return std::span<const std::uint8_t>(entry->Data, entry->Size);
  return std::nullopt;
}

std::span<const std::uint8_t> ResourceData(const String& name) {
  const auto data = FindResourceData(name);
  if (!data) throw EResNotFound("Resource " + name + " not found");
  return *data;
}

std::vector<String> ResourceNames() {
  std::vector<String> names;
  for (const TResourceBlock* block : Blocks())
    for (std::size_t i = 0; i < block->Count; ++i) names.emplace_back(block->Entries[i].Name);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}
