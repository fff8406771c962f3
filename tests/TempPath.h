#pragma once

#include <filesystem>
#include <string>
#include <unistd.h>

// A name under the temporary directory that no other test process uses at the same time.
inline std::filesystem::path TempPath(const std::string& Name) {
  return std::filesystem::temp_directory_path() / (Name + "-" + std::to_string(getpid()));
}
