#include "demo/StartupClock.h"

#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

// Field 22 of /proc/self/stat: the start time in clock ticks after boot.
long long StartTicks() {
  std::ifstream in("/proc/self/stat");
  std::string line;
  if (!std::getline(in, line)) return -1;
  const std::size_t name = line.rfind(')');
  if (name == std::string::npos) return -1;
  std::istringstream fields(line.substr(name + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i)
    if (i == 22) return std::stoll(field);
  return -1;
}

} // namespace

double MillisecondsSinceProcessStart() {
  const long long ticks = StartTicks();
  timespec now{};
  if (ticks < 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1;
  const double perTick = 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6 -
         static_cast<double>(ticks) * perTick;
}
