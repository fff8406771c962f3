#include "framework/win32/gdi/Palettes.h"

#include <limits>

namespace {

constexpr std::uint32_t Opaque = 0xFF000000u;

constexpr std::uint32_t Pixel(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return Opaque | r << 16 | g << 8 | b;
}

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFFu); }

int Distance(std::uint32_t a, std::uint32_t b) {
  int sum = 0;
  for (const int shift : {16, 8, 0}) {
    const int d = Channel(a, shift) - Channel(b, shift);
    sum += d * d;
  }
  return sum;
}

} // namespace

std::vector<std::uint32_t> MonochromePalette() { return {Pixel(0, 0, 0), Pixel(255, 255, 255)}; }

std::vector<std::uint32_t> StandardPalette16() {
  return {Pixel(0, 0, 0),       Pixel(128, 0, 0),   Pixel(0, 128, 0),   Pixel(128, 128, 0),
          Pixel(0, 0, 128),     Pixel(128, 0, 128), Pixel(0, 128, 128), Pixel(192, 192, 192),
          Pixel(128, 128, 128), Pixel(255, 0, 0),   Pixel(0, 255, 0),   Pixel(255, 255, 0),
          Pixel(0, 0, 255),     Pixel(255, 0, 255), Pixel(0, 255, 255), Pixel(255, 255, 255)};
}

std::vector<std::uint32_t> StandardPalette256() {
  std::vector<std::uint32_t> palette = StandardPalette16();
  for (std::uint32_t r = 0; r < 6; ++r)
    for (std::uint32_t g = 0; g < 6; ++g)
      for (std::uint32_t b = 0; b < 6; ++b) palette.push_back(Pixel(r * 51, g * 51, b * 51));
  for (std::uint32_t i = 0; i < 24; ++i) {
    const std::uint32_t level = 8 + 10 * i;
    palette.push_back(Pixel(level, level, level));
  }
  return palette;
}

TPaletteMatcher::TPaletteMatcher(std::span<const std::uint32_t> palette)
    : palette_(palette.begin(), palette.end()) {}

int TPaletteMatcher::Nearest(std::uint32_t pixel) {
  const std::uint32_t rgb = pixel & 0x00FFFFFFu;
  if (const auto it = found_.find(rgb); it != found_.end()) return it->second;
  const int index = Search(rgb);
  found_.emplace(rgb, index);
  return index;
}

int TPaletteMatcher::Search(std::uint32_t rgb) const {
  int best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < palette_.size() && bestDistance > 0; ++i) {
    const int d = Distance(palette_[i], rgb);
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}
