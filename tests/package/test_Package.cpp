#include "tests/TempPath.h"
#include "tests/TestPaths.h"

#include "framework/design/Registry.h"
#include "package/LumToolsPck.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

namespace fs = std::filesystem;

struct TPipeCloser {
  void operator()(FILE* Pipe) const { pclose(Pipe); }
};

// Runs a command line; its output (standard error too) and whether it exited with 0.
std::pair<std::string, bool> RunCommand(const std::string& Command) {
  std::unique_ptr<FILE, TPipeCloser> pipe(popen((Command + " 2>&1").c_str(), "r"));
  if (!pipe) return {"cannot run " + Command, false};
  std::string output;
  std::array<char, 4096> chunk{};
  while (std::size_t n = fread(chunk.data(), 1, chunk.size(), pipe.get()))
    output.append(chunk.data(), n);
  const int status = pclose(pipe.release());
  return {output, status == 0};
}

std::string Quoted(const fs::path& Path) { return "'" + Path.string() + "'"; }

// Installs the build tree's package under a temporary prefix and builds the example
// application of examples/package_user against it, as a user of the package would.
TEST(LumToolsPackage, AnApplicationOutsideTheTreeBuildsAgainstTheInstalledPackage) {
  const fs::path root = TempPath("lum-package");
  const fs::path prefix = root / "prefix", build = root / "build";
  fs::remove_all(root);
  const auto [installed, installOk] =
      RunCommand("cmake --install " + Quoted(LUM_BUILD_DIR) + " --prefix " + Quoted(prefix));
  ASSERT_TRUE(installOk) << installed;
  EXPECT_TRUE(fs::exists(prefix / "include/LumTools/package/Lumreg.h"));
  EXPECT_TRUE(fs::exists(prefix / "include/LumTools/framework/design/Registry.h"));
  EXPECT_TRUE(fs::exists(prefix / "lib/liblumtools.a"));
  EXPECT_TRUE(fs::exists(prefix / "lib/cmake/LumTools/LumToolsConfig.cmake"));
  EXPECT_FALSE(fs::exists(prefix / "include/LumTools/lists/LumList.cpp"));

  const fs::path example = fs::path(LUM_TESTS_DIR).parent_path() / "examples" / "package_user";
  const std::string launcher = LUM_CXX_LAUNCHER;
  const auto [configured, configureOk] =
      RunCommand("cmake -S " + Quoted(example) + " -B " + Quoted(build) + " -G Ninja" +
                 " -DCMAKE_BUILD_TYPE=Debug -DCMAKE_PREFIX_PATH=" + Quoted(prefix) +
                 " -DCMAKE_CXX_COMPILER=" + Quoted(LUM_CXX_COMPILER) +
                 (launcher.empty() ? "" : " -DCMAKE_CXX_COMPILER_LAUNCHER=" + launcher));
  ASSERT_TRUE(configureOk) << configured;
  const auto [built, buildOk] = RunCommand("cmake --build " + Quoted(build));
  ASSERT_TRUE(buildOk) << built;

  const auto [output, ran] = RunCommand(Quoted(build / "package_user"));
  LoadLumToolsPck();
  const std::size_t count = PaletteClasses("LumTools").size();
  ResetRegistrationsToStandard();
  EXPECT_TRUE(ran) << output;
  EXPECT_EQ(output, "Lum-Tools: " + std::to_string(count) + " components, " +
                        std::to_string(count) + " palette bitmaps\n");
  fs::remove_all(root);
}

} // namespace
