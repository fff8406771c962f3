#pragma once

#include "tests/TestPaths.h"

#include <filesystem>
#include <string>

// Where a test writes a picture for a person to look at: out/sheets in the build folder,
// created on first use so a clean build can write there.
inline std::string SheetPath(const std::string& fileName) {
  const std::filesystem::path dir = std::filesystem::path(LUM_BUILD_DIR) / "out" / "sheets";
  std::filesystem::create_directories(dir);
  return (dir / fileName).string();
}
