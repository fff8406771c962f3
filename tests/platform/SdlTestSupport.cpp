#include "tests/platform/SdlTestSupport.h"

#include "framework/rtl/Exceptions.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::uint32_t BigEndianWord(const std::vector<unsigned char>& b, std::size_t at) {
  return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 |
         std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

std::uint32_t PixelAt(const std::vector<unsigned char>& b, std::size_t at, bool littleEndian) {
  return littleEndian ? (std::uint32_t{b[at + 3]} << 24 | std::uint32_t{b[at + 2]} << 16 |
                         std::uint32_t{b[at + 1]} << 8 | b[at])
                      : BigEndianWord(b, at);
}

// A ZPixmap XWD file of 32 bits per pixel, as xwd writes a 24-bit screen.
TRaster ReadXwd(const std::vector<unsigned char>& b) {
  if (b.size() < 100) throw Exception("xwd wrote no image");
  auto field = [&b](int i) { return BigEndianWord(b, static_cast<std::size_t>(i) * 4); };
  if (field(2) != 2 || field(11) != 32) throw Exception("xwd image is not 32-bit ZPixmap");
  const int width = static_cast<int>(field(4)), height = static_cast<int>(field(5));
  const std::size_t start = field(0) + std::size_t{field(19)} * 12, line = field(12);
  if (b.size() < start + line * static_cast<std::size_t>(height))
    throw Exception("xwd image is cut short");
  TRaster raster(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      raster.At(x, y) =
          0xFF000000u |
          (PixelAt(b, start + static_cast<std::size_t>(y) * line + static_cast<std::size_t>(x) * 4,
                   field(7) == 0) &
           0xFFFFFFu);
  return raster;
}

} // namespace

TVirtualXServer::TVirtualXServer() {
  if (const char* d = std::getenv("DISPLAY")) {
    hadDisplay_ = true;
    oldDisplay_ = d;
  }
  int fds[2];
  if (pipe(fds) != 0) {
    failure_ = "cannot make a pipe for Xvfb";
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    close(fds[0]);
    const std::string fd = std::to_string(fds[1]);
    // Without -noreset the server resets whenever its last client leaves and drops the
    // connections that arrive meanwhile: the next test's display would find no server.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-screen", "0", "1024x768x24",
           "-nolisten", "tcp", "-nolisten", "unix", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  char c;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (number.empty()) {
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
    pid_ = -1;
    failure_ = "Xvfb did not start: install the Debian package xvfb (./lum test does)";
    return;
  }
  setenv("DISPLAY", (":" + number).c_str(), 1);
}

TVirtualXServer::~TVirtualXServer() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  if (hadDisplay_)
    setenv("DISPLAY", oldDisplay_.c_str(), 1);
  else
    unsetenv("DISPLAY");
}

std::string RunOnDisplay(const std::string& command) {
  FILE* pipe = popen(("timeout 5 " + command + " 2>&1").c_str(), "r");
  if (!pipe) throw Exception("cannot run " + command);
  std::string out;
  char buffer[256];
  while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  const int status = pclose(pipe);
  if (status != 0) throw Exception(command + " failed: " + out);
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

TRaster ScreenshotOfXWindow(const std::string& windowId) {
  const std::string path = "/tmp/lum_xwd_" + std::to_string(getpid()) + ".xwd";
  RunOnDisplay("xwd -silent -id " + windowId + " -out " + path);
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
  std::remove(path.c_str());
  return ReadXwd(bytes);
}

std::string XWindowNamed(const std::string& title) {
  return RunOnDisplay("xdotool search --sync --onlyvisible --name '^" + title + "$'");
}

int DifferingPixels(const TRaster& a, const TRaster& b) {
  if (a.Width != b.Width || a.Height != b.Height) return -1;
  int differing = 0;
  for (int y = 0; y < a.Height; ++y)
    for (int x = 0; x < a.Width; ++x) differing += ((a.At(x, y) ^ b.At(x, y)) & 0xFFFFFFu) != 0;
  return differing;
}
