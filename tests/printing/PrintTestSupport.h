#pragma once

#include "../TempPath.h"
#include "../controls/ControlTestSupport.h"
#include "framework/controls/Printers.h"
#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/gdi/PngCodec.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace printtest {

// A fresh printer of its own (the PDF file by default, no CUPS server), packaged fonts and a
// temporary folder for the files it writes.
class PrintTest : public controltest::ControlTest {
protected:
  std::filesystem::path Dir;
  TPrinter* Saved = nullptr;

  void SetUp() override {
    SetFontSources(PackagedFontFiles());
    Dir = TempPath("lumprint-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    UseCupsServer((Dir / "no-server.sock").string());
    Saved = SetPrinter(new TPrinter);
  }
  void TearDown() override {
    delete SetPrinter(Saved);
    UseCupsServer("");
    std::filesystem::remove_all(Dir);
    ControlTest::TearDown();
  }
  String PathIn(const String& Name) const { return (Dir / Name).string(); }
};

// The standard output of a command, or nothing when it could not run.
inline std::string CommandOutput(const std::string& Command) {
  std::string out;
  if (FILE* pipe = popen((Command + " 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

inline bool HaveCommand(const std::string& Name) {
  return std::system(("command -v " + Name + " >/dev/null 2>&1").c_str()) == 0;
}

inline bool Dark(std::uint32_t Pixel) {
  const int r = (Pixel >> 16) & 0xFF, g = (Pixel >> 8) & 0xFF, b = Pixel & 0xFF;
  return r + g + b < 3 * 128;
}

inline bool DarkNear(const TRaster& Raster, int X, int Y, int Radius) {
  for (int y = std::max(0, Y - Radius); y <= std::min(Raster.Height - 1, Y + Radius); ++y)
    for (int x = std::max(0, X - Radius); x <= std::min(Raster.Width - 1, X + Radius); ++x) {
      const std::uint32_t p = Raster.At(x, y);
      if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 3 * 200) return true;
    }
  return false;
}

// The share of A's dark pixels with no darkish pixel of B within Radius: 0 when B shows all
// A's ink, allowing for anti-aliasing and a pixel of placement.
inline double MissingInk(const TRaster& A, const TRaster& B, int Radius = 2) {
  long dark = 0, missing = 0;
  for (int y = 0; y < A.Height; ++y)
    for (int x = 0; x < A.Width; ++x)
      if (Dark(A.At(x, y))) {
        ++dark;
        if (!DarkNear(B, x, y, Radius)) ++missing;
      }
  return dark == 0 ? 1.0 : static_cast<double>(missing) / dark;
}

} // namespace printtest
