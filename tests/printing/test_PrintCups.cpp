#include "PrintTestSupport.h"

#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>

using namespace printtest;

extern char** environ;

namespace {

constexpr const char* Cupsd = "/usr/sbin/cupsd";

void WriteText(const std::filesystem::path& Path, const std::string& Text) {
  std::ofstream(Path) << Text;
}

std::string ReadText(const std::filesystem::path& Path) {
  std::ifstream in(Path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool SocketAnswers(const std::string& Path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  Path.copy(address.sun_path, sizeof address.sun_path - 1);
  const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

template <class F> bool WaitFor(F Done, std::chrono::milliseconds Limit) {
  const auto end = std::chrono::steady_clock::now() + Limit;
  while (!Done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// A CUPS server of its own in a folder: one queue "lumtest" whose backend keeps each job's
// document and title in Out.
class TTestCupsServer {
public:
  explicit TTestCupsServer(const std::filesystem::path& Dir)
      : Root(Dir / "cups"), Out(Dir / "out") {
    for (const char* sub : {"spool", "cache", "state", "log", "bin/backend"})
      std::filesystem::create_directories(Root / sub);
    std::filesystem::create_directories(Out);
    for (const char* linked : {"filter", "daemon"})
      std::filesystem::create_directory_symlink(std::filesystem::path("/usr/lib/cups") / linked,
                                                Root / "bin" / linked);
    Socket = (Root / "cups.sock").string();
    WriteText(Root / "cupsd.conf", "Listen " + Socket +
                                       "\nLogLevel warn\nBrowsing No\nDefaultAuthType None\n"
                                       "<Location />\n  Order allow,deny\n  Allow all\n"
                                       "</Location>\n");
    const std::string root = Root.string();
    WriteText(Root / "cups-files.conf",
              "ServerRoot " + root + "\nServerBin " + root + "/bin\nRequestRoot " + root +
                  "/spool\nTempDir " + root + "/spool\nCacheDir " + root + "/cache\nStateDir " +
                  root + "/state\nErrorLog " + root + "/log/error_log\nAccessLog " + root +
                  "/log/access_log\nPageLog " + root + "/log/page_log\nSandboxing Relaxed\n");
    WriteText(Root / "printers.conf",
              "<DefaultPrinter lumtest>\nDeviceURI lumtest:" + Out.string() +
                  "\nState Idle\nAccepting Yes\n</DefaultPrinter>\n");
    const auto backend = Root / "bin/backend/lumtest";
    WriteText(backend,
              "#!/bin/sh\n"
              "[ $# -eq 0 ] && { echo 'file lumtest \"LumTools test\" \"test\"'; exit 0; }\n"
              "dir=${DEVICE_URI#lumtest:}\n"
              "if [ -n \"$6\" ]; then cat \"$6\"; else cat; fi > \"$dir/job-$1.part\"\n"
              "printf '%s' \"$3\" > \"$dir/job-$1.title\"\n"
              "mv \"$dir/job-$1.part\" \"$dir/job-$1.pdf\"\n");
    std::filesystem::permissions(backend, std::filesystem::perms::owner_all);
    const std::string conf = (Root / "cupsd.conf").string(),
                      files = (Root / "cups-files.conf").string();
    const char* argv[] = {"cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), nullptr};
    if (posix_spawn(&Pid, Cupsd, nullptr, nullptr, const_cast<char**>(argv), environ) != 0) Pid = 0;
    Ready = Pid != 0 && WaitFor([&] { return SocketAnswers(Socket); }, std::chrono::seconds(10));
  }
  ~TTestCupsServer() {
    if (Pid == 0) return;
    kill(Pid, SIGTERM);
    int status = 0;
    waitpid(Pid, &status, 0);
  }
  TTestCupsServer(const TTestCupsServer&) = delete;
  TTestCupsServer& operator=(const TTestCupsServer&) = delete;

  std::filesystem::path Root;
  std::filesystem::path Out;
  std::string Socket;
  pid_t Pid = 0;
  bool Ready = false;
};

std::vector<std::filesystem::path> Outputs(const std::filesystem::path& Dir,
                                           const char* Extension) {
  std::vector<std::filesystem::path> found;
  for (const auto& entry : std::filesystem::directory_iterator(Dir))
    if (entry.path().extension() == Extension) found.push_back(entry.path());
  return found;
}

class CupsTest : public PrintTest {
protected:
  std::unique_ptr<TTestCupsServer> Server;

  void SetUp() override {
    PrintTest::SetUp();
    if (!std::filesystem::exists(Cupsd)) GTEST_SKIP() << "cups is not installed: no CUPS test";
    Server = std::make_unique<TTestCupsServer>(Dir);
    if (!Server->Ready) GTEST_SKIP() << "cupsd did not start in " << Server->Root;
    UseCupsServer(Server->Socket);
    Printer()->Refresh();
  }
  void TearDown() override {
    Server.reset();
    PrintTest::TearDown();
  }
};

} // namespace

TEST_F(CupsTest, QueueIsListedAndReceivesTheDocumentAsOneJobNamedByTitle) {
  TPrinter* printer = Printer();
  ASSERT_EQ(printer->Printers()->Count(), 2);
  EXPECT_EQ(printer->Printers()->Strings(0), "PDF file");
  EXPECT_EQ(printer->Printers()->Strings(1), "lumtest");
  printer->SetPrinterIndex(-1);
  EXPECT_EQ(printer->PrinterIndex(), 1) << "the CUPS default";
  EXPECT_EQ(GetDeviceCaps(printer->Handle(), LOGPIXELSY), 600);

  printer->SetTitle("Abgebrochen");
  printer->BeginDoc();
  printer->Canvas()->TextOut(200, 200, "never printed");
  printer->Abort();

  printer->SetTitle("Monatsbericht");
  printer->BeginDoc();
  printer->Canvas()->TextOut(200, 200, "Printed through CUPS");
  printer->NewPage();
  printer->Canvas()->TextOut(200, 200, "Second page");
  printer->EndDoc();
  ASSERT_TRUE(
      WaitFor([&] { return !Outputs(Server->Out, ".pdf").empty(); }, std::chrono::seconds(20)))
      << "no job reached the queue's backend";
  const auto pdfs = Outputs(Server->Out, ".pdf");
  ASSERT_EQ(pdfs.size(), 1u) << "the aborted job was cancelled";
  auto title = pdfs[0];
  EXPECT_EQ(ReadText(title.replace_extension(".title")), "Monatsbericht");
  EXPECT_EQ(ReadText(pdfs[0]).rfind("%PDF-", 0), 0u);
  if (HaveCommand("pdftotext")) {
    const std::string text = CommandOutput("pdftotext '" + pdfs[0].string() + "' -");
    EXPECT_NE(text.find("Printed through CUPS"), std::string::npos) << text;
    EXPECT_NE(text.find("Second page"), std::string::npos) << text;
  }
}

TEST_F(CupsTest, VanishedQueueRaisesWithTheServersMessage) {
  TCupsDestination gone("vanished");
  try {
    gone.BeginJob(TJobSettings{"Nichts", 1});
    FAIL() << "a queue that does not exist took a job";
  } catch (const EPrinter& e) {
    EXPECT_EQ(e.Message().rfind("Printer \"vanished\": ", 0), 0u) << e.Message();
    EXPECT_GT(e.Message().size(), std::string("Printer \"vanished\": ").size()) << e.Message();
  }
}
