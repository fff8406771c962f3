#pragma once

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

// Runs a program that sits next to the running benchmark and waits for its end; false when
// it could not start or did not exit with 0.
inline bool RunSiblingProgram(const std::string& name) {
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return false;
  std::string path(self, static_cast<std::size_t>(length));
  path = path.substr(0, path.rfind('/') + 1) + name;
  char* argv[] = {path.data(), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The time from starting a hello-world program to its exit, which it takes right after its
// first frame is shown; wall-clock time, the program's work being in another process.
inline void TimeHelloWorld(benchmark::State& state, const std::string& name) {
  for (auto _ : state)
    if (!RunSiblingProgram(name)) {
      state.SkipWithError(("cannot run " + name + " to its first frame").c_str());
      break;
    }
}
