#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

// Colour tables of indexed bitmaps. Entries are 0xFFRRGGBB pixels, as TRaster holds them.

// Black and white.
std::vector<std::uint32_t> MonochromePalette();
// The 16 standard colours in their usual order: black, maroon, green, olive, navy, purple,
// teal, silver, grey, red, lime, yellow, blue, fuchsia, aqua, white.
std::vector<std::uint32_t> StandardPalette16();
// 256 entries: the 16 standard colours, a 6 x 6 x 6 colour cube and a ramp of 24 greys.
std::vector<std::uint32_t> StandardPalette256();

// Finds the entry of a colour table nearest to a colour (squared distance in RGB, alpha
// ignored); among equally near entries the first. Remembers what it found.
class TPaletteMatcher {
public:
  explicit TPaletteMatcher(std::span<const std::uint32_t> palette);

  int Nearest(std::uint32_t pixel);
  std::uint32_t Entry(int index) const { return palette_[static_cast<std::size_t>(index)]; }
  int Size() const { return static_cast<int>(palette_.size()); }

private:
  int Search(std::uint32_t rgb) const;

  std::vector<std::uint32_t> palette_;
  std::unordered_map<std::uint32_t, int> found_;
};
