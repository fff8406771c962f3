#pragma once

#include "framework/graphics/Bitmap.h"
#include "framework/win32/gdi/Raster.h"
#include "tests/TempPath.h"
#include "tests/TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <random>
#include <tuple>
#include <vector>

// Shared by the picture tests: a folder of their own under the temporary directory, and
// pictures to test with.
class TTempFolder {
public:
  explicit TTempFolder(const std::string& Name) : Path(TempPath("lum_" + Name)) {
    std::filesystem::remove_all(Path);
    std::filesystem::create_directories(Path);
  }
  ~TTempFolder() { std::filesystem::remove_all(Path); }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  String File(const std::string& Name) const { return (Path / Name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Path))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  const std::filesystem::path Path;
};

inline TRaster RandomPixels(int Width, int Height, unsigned Seed, bool Alpha = false) {
  std::mt19937 random(Seed);
  TRaster pixels(Width, Height);
  for (auto& p : pixels.Pixels) p = random() | (Alpha ? 0u : 0xFF000000u);
  pixels.HasAlpha = Alpha;
  return pixels;
}

inline const std::filesystem::path CorpusDir = LUM_CORPUS_DIR;
inline const std::filesystem::path TestsDir = LUM_TESTS_DIR;

// The pixel at (X, Y) of a bitmap as a colour.
inline TColor PixelAt(TBitmap& Bitmap, int X, int Y) { return Bitmap.Canvas()->Pixels(X, Y); }

// Expects each listed pixel of a bitmap to have its colour.
inline void ExpectPixels(TBitmap& Bitmap,
                         std::initializer_list<std::tuple<int, int, TColor>> Pixels) {
  for (const auto& [x, y, colour] : Pixels)
    EXPECT_EQ(PixelAt(Bitmap, x, y), colour) << "at " << x << "," << y;
}
