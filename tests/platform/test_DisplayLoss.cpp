#include "tests/TestPaths.h"
#include "tests/platform/SdlTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// The gallery in a real window losing its window or its whole display: it ends with a
// message and exit code 1 rather than crashing in its cleanup.
namespace {

// The gallery started on the current DISPLAY, its error output kept in a file.
class TGalleryProcess {
public:
  TGalleryProcess() : errors_("/tmp/lum_gallery_err_" + std::to_string(getpid())) {
    pid_ = fork();
    if (pid_ == 0) {
      const int fd = open(errors_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      dup2(fd, STDERR_FILENO);
      dup2(fd, STDOUT_FILENO);
      unsetenv("LUMTOOLS_BACKEND");
      execl((std::string(LUM_BUILD_DIR) + "/demo/lumdemo").c_str(), "lumdemo", "--page",
            "standard-controls", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~TGalleryProcess() {
    if (!status_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    std::remove(errors_.c_str());
  }
  TGalleryProcess(const TGalleryProcess&) = delete;
  TGalleryProcess& operator=(const TGalleryProcess&) = delete;

  // The gallery's X window once it shows, or empty after 30 s.
  static std::string Window() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < end) {
      try {
        return XWindowNamed("LumTools gallery - Standard controls");
      } catch (const std::exception&) {
      }
    }
    return {};
  }

  // The wait status once the process has ended, or nothing after 20 s.
  std::optional<int> Ended() {
    for (int i = 0; i < 200 && !status_; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_)
        status_ = status;
      else
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return status_;
  }

  std::string Errors() const {
    std::ifstream in(errors_);
    return {std::istreambuf_iterator<char>(in), {}};
  }

private:
  std::string errors_;
  pid_t pid_ = -1;
  std::optional<int> status_;
};

void ExpectEndedWithMessage(TGalleryProcess& Gallery, const std::string& Message) {
  const std::optional<int> status = Gallery.Ended();
  ASSERT_TRUE(status) << "still running; it wrote:\n" << Gallery.Errors();
  ASSERT_TRUE(WIFEXITED(*status)) << "killed by signal; it wrote:\n" << Gallery.Errors();
  EXPECT_EQ(WEXITSTATUS(*status), 1) << Gallery.Errors();
  EXPECT_NE(Gallery.Errors().find(Message), std::string::npos) << Gallery.Errors();
  EXPECT_EQ(Gallery.Errors().find("Sanitizer"), std::string::npos) << Gallery.Errors();
}

TEST(DisplayLossTest, TheGalleryEndsWithAMessageWhenItsWindowIsDestroyedOrItsDisplayGoes) {
  {
    TVirtualXServer server;
    ASSERT_TRUE(server.Running()) << server.Failure();
    TGalleryProcess gallery;
    const std::string window = TGalleryProcess::Window();
    ASSERT_FALSE(window.empty()) << gallery.Errors();
    RunOnDisplay("xdotool windowclose " + window);
    ExpectEndedWithMessage(
        gallery, "lumdemo: The window \"LumTools gallery - Standard controls\" was destroyed by "
                 "another program");
  }
  std::optional<TVirtualXServer> server(std::in_place);
  ASSERT_TRUE(server->Running()) << server->Failure();
  TGalleryProcess gallery;
  ASSERT_FALSE(TGalleryProcess::Window().empty()) << gallery.Errors();
  server.reset();
  ExpectEndedWithMessage(gallery, "lumdemo: lost the display");
}

} // namespace
