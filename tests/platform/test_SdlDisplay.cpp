#include "framework/platform/DisplayChoice.h"
#include "framework/platform/headless/HeadlessDisplay.h"
#include "framework/platform/sdl/SdlDisplay.h"
#include "framework/win32/WinUser.h"
#include "framework/win32/gdi/PngCodec.h"
#include "framework/win32/user/MessageQueue.h"
#include "framework/win32/user/UserState.h"
#include "tests/SheetPath.h"
#include "tests/platform/SdlTestSupport.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct TSdlLogged {
  UINT Message;
  WPARAM WParam;
  LPARAM LParam;
};

std::vector<TSdlLogged>& SdlLog() {
  static std::vector<TSdlLogged> log;
  return log;
}

LRESULT SdlLoggingProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  SdlLog().push_back(TSdlLogged{message, wParam, lParam});
  if (message == WM_CLOSE) return 0;
  return DefWindowProcA(h, message, wParam, lParam);
}

class SdlDisplayTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Server = new TVirtualXServer(); }
  static void TearDownTestSuite() {
    delete Server;
    Server = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(Server->Running()) << Server->Failure();
    SdlLog().clear();
    Display = std::make_unique<TSdlDisplay>();
    WNDCLASSA wc{};
    wc.lpfnWndProc = SdlLoggingProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
    wc.lpszClassName = "SdlTestWindow";
    ASSERT_NE(RegisterClassA(&wc), 0);
  }
  void TearDown() override { Display.reset(); }

  static HWND Open(const char* title, int x, int y, int w, int h) {
    return CreateWindowExA(0, "SdlTestWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, w, h,
                           nullptr, nullptr, nullptr, nullptr);
  }

  // Runs the message loop on the real clock until the test is satisfied or the time is up.
  bool PumpUntil(const std::function<bool()>& done, DWORD ms = 3000) {
    const DWORD end = Display->Now() + ms;
    PumpMessages();
    while (!done()) {
      if (static_cast<std::int32_t>(Display->Now() - end) > 0) return false;
      Display->WaitForEvent(Display->Now() + 20);
      PumpMessages();
    }
    return true;
  }

  static std::vector<TSdlLogged> Got(UINT message) {
    std::vector<TSdlLogged> found;
    for (const TSdlLogged& m : SdlLog())
      if (m.Message == message) found.push_back(m);
    return found;
  }

  static TVirtualXServer* Server;
  TRealWindowLeakPause LeakPause;
  std::unique_ptr<TSdlDisplay> Display;
};

TVirtualXServer* SdlDisplayTest::Server = nullptr;

// Sets an environment variable (or removes it, for null) until the end of the scope.
class TScopedEnvironment {
public:
  TScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~TScopedEnvironment() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }
  TScopedEnvironment(const TScopedEnvironment&) = delete;
  TScopedEnvironment& operator=(const TScopedEnvironment&) = delete;

private:
  const char* name_;
  std::optional<std::string> old_;
};

String DisplayErrorOf(const std::function<void()>& open) {
  try {
    open();
  } catch (const EDisplayError& e) {
    return e.Message();
  }
  return "no error";
}

TEST_F(SdlDisplayTest, AWindowOpensTitledAtItsRectangleAndLooksLikeItsSurface) {
  const HWND h = Open("Sdl Window", 120, 80, 260, 180);
  ASSERT_TRUE(PumpUntil([&] { return Display->PresentCount() > 0; }));
  const std::string id = XWindowNamed("Sdl Window");
  EXPECT_EQ(RunOnDisplay("xdotool getwindowname " + id), "Sdl Window");
  const std::string geometry = RunOnDisplay("xdotool getwindowgeometry " + id);
  EXPECT_NE(geometry.find("Position: 120,80"), std::string::npos) << geometry;
  EXPECT_NE(geometry.find("Geometry: 260x180"), std::string::npos) << geometry;

  const TRaster shot = ScreenshotOfXWindow(id);
  const TRaster& surface = *WindowOf(h)->Surface;
  EXPECT_EQ(DifferingPixels(shot, surface), 0) << "pixels of the real window unlike the engine's";
  WritePngFile(shot, SheetPath("sdl_window.png"));

  ShowWindow(h, SW_HIDE);
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(RunOnDisplay("xdotool search --onlyvisible --name '^Sdl Window$' || true"), "");
}

TEST_F(SdlDisplayTest, AClickReachesTheClientPointUnderIt) {
  const HWND h = Open("Sdl Click", 100, 100, 200, 150);
  ASSERT_TRUE(PumpUntil([&] { return Display->PresentCount() > 0; }));
  XWindowNamed("Sdl Click");
  POINT origin{0, 0};
  ClientToScreen(h, &origin);
  RunOnDisplay("xdotool mousemove " + std::to_string(origin.X + 30) + " " +
               std::to_string(origin.Y + 40) + " click 1");
  ASSERT_TRUE(PumpUntil([] { return !Got(WM_LBUTTONUP).empty(); }));
  const std::vector<TSdlLogged> downs = Got(WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(downs[0].LParam), 30);
  EXPECT_EQ(GET_Y_LPARAM(downs[0].LParam), 40);
  EXPECT_EQ(GET_X_LPARAM(Got(WM_LBUTTONUP)[0].LParam), 30);
}

TEST_F(SdlDisplayTest, TypedKeysArriveAsVirtualKeysAndTheirCharactersOnce) {
  const HWND h = Open("Sdl Keys", 50, 50, 200, 100);
  ASSERT_TRUE(PumpUntil([&] { return Display->PresentCount() > 0; }));
  SetFocus(h);
  const std::string id = XWindowNamed("Sdl Keys");
  RunOnDisplay("xdotool windowfocus --sync " + id + " type 'Ab1'");
  RunOnDisplay("xdotool key Tab");
  ASSERT_TRUE(PumpUntil([] { return Got(WM_CHAR).size() >= 4; }));
  PumpUntil([] { return false; }, 300);
  std::string keys, chars;
  for (const TSdlLogged& m : Got(WM_KEYDOWN))
    if (m.WParam != VK_SHIFT) keys += static_cast<char>(m.WParam);
  for (const TSdlLogged& m : Got(WM_CHAR)) chars += static_cast<char>(m.WParam);
  EXPECT_EQ(keys, "AB1\t");
  EXPECT_EQ(chars, "Ab1\t") << "text from the display, Tab from TranslateMessage, none twice";
}

TEST_F(SdlDisplayTest, ResizingTheRealWindowResizesTheEngineWindow) {
  const HWND h = Open("Sdl Size", 10, 10, 200, 100);
  ASSERT_TRUE(PumpUntil([&] { return Display->PresentCount() > 0; }));
  SdlLog().clear();
  RunOnDisplay("xdotool windowsize " + XWindowNamed("Sdl Size") + " 300 220");
  ASSERT_TRUE(PumpUntil([] { return !Got(WM_SIZE).empty(); }));
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.Right - r.Left, 300);
  EXPECT_EQ(r.Bottom - r.Top, 220);
  EXPECT_EQ(r.Left, 10) << "the window stays where it was";
}

// Xvfb runs no window manager to close windows: the close request is pushed as SDL's own.
TEST_F(SdlDisplayTest, ACloseRequestArrivesAsWmClose) {
  const HWND h = Open("Sdl Close", 10, 10, 100, 100);
  ASSERT_TRUE(PumpUntil([&] { return Display->PresentCount() > 0; }));
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = SDL_GetWindowID(Display->NativeWindow(h));
  SDL_PushEvent(&close);
  ASSERT_TRUE(PumpUntil([] { return !Got(WM_CLOSE).empty(); }));
  EXPECT_TRUE(IsWindow(h)) << "the procedure refused; the window stays";
  DestroyWindow(h);
  EXPECT_EQ(Display->NativeWindow(h), nullptr);
}

TEST_F(SdlDisplayTest, TheDefaultDisplayFollowsTheEnvironment) {
  Display.reset();
  setenv("LUMTOOLS_BACKEND", "headless", 1);
  EXPECT_EQ(dynamic_cast<TSdlDisplay*>(CreateDefaultDisplay().get()), nullptr);
  setenv("LUMTOOLS_BACKEND", "sdl", 1);
  EXPECT_NE(dynamic_cast<TSdlDisplay*>(CreateDefaultDisplay().get()), nullptr);
  setenv("LUMTOOLS_BACKEND", "vga", 1);
  EXPECT_THROW(CreateDefaultDisplay(), EDisplayError);
  const std::string display = std::getenv("DISPLAY");
  unsetenv("DISPLAY");
  setenv("LUMTOOLS_BACKEND", "sdl", 1);
  EXPECT_THROW(CreateDefaultDisplay(), EDisplayError);
  unsetenv("LUMTOOLS_BACKEND");
  EXPECT_EQ(dynamic_cast<TSdlDisplay*>(CreateDefaultDisplay().get()), nullptr);
  setenv("DISPLAY", display.c_str(), 1);
  EXPECT_NE(dynamic_cast<TSdlDisplay*>(CreateDefaultDisplay().get()), nullptr);
  setenv("LUMTOOLS_BACKEND", "headless", 1);
}

// Each display is the server's only client: closing it leaves the server without clients,
// and the next one connects right after.
TEST_F(SdlDisplayTest, ADisplayOpenedRightAfterTheLastOneClosedReachesTheServer) {
  Display.reset();
  for (int i = 0; i < 50; ++i)
    ASSERT_EQ(DisplayErrorOf([] { TSdlDisplay reopened; }), "no error") << "opening " << i;
}

TEST_F(SdlDisplayTest, ADisplayNamedWhereNoServerListensIsNoDisplay) {
  Display.reset();
  const TScopedEnvironment x("DISPLAY", ":59999"), wayland("WAYLAND_DISPLAY", nullptr),
      driver("SDL_VIDEODRIVER", nullptr), backend("LUMTOOLS_BACKEND", nullptr);
  const String error = DisplayErrorOf([] { TSdlDisplay none; });
  EXPECT_NE(error.find("No display for real windows"), String::npos) << error;
  EXPECT_EQ(DisplayBackend(), nullptr);
  const String chosen = DisplayErrorOf([] { CreateDefaultDisplay(); });
  EXPECT_NE(chosen.find("Cannot open the display \":59999\""), String::npos)
      << "a display asked for and not reached is an error, never a silent headless run: " << chosen;
}

} // namespace

namespace {

TEST(DisplayChoice, InitDisplayKeepsAnInstalledDisplayAndOpensTheDefaultOtherwise) {
  {
    THeadlessDisplay installed;
    EXPECT_EQ(&InitDisplay(), &installed);
    CloseDisplay();
    EXPECT_EQ(DisplayBackend(), &installed) << "CloseDisplay closes only what InitDisplay opened";
  }
  const TScopedEnvironment backend("LUMTOOLS_BACKEND", "headless");
  ASSERT_EQ(DisplayBackend(), nullptr);
  TDisplayBackend& opened = InitDisplay();
  EXPECT_NE(dynamic_cast<THeadlessDisplay*>(&opened), nullptr);
  EXPECT_EQ(DisplayBackend(), &opened);
  EXPECT_EQ(&InitDisplay(), &opened) << "a second call keeps the display";
  CloseDisplay();
  EXPECT_EQ(DisplayBackend(), nullptr);
}

} // namespace
