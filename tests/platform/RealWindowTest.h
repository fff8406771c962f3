#pragma once

#include "framework/controls/Application.h"
#include "framework/platform/sdl/SdlDisplay.h"
#include "tests/platform/SdlTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

// A fixture for tests of real windows: one virtual X server for the suite, a fresh SDL
// display for each test, and the application's loop run on the real clock.
class TRealWindowTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { Server = new TVirtualXServer(); }
  static void TearDownTestSuite() {
    delete Server;
    Server = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(Server->Running()) << Server->Failure();
    Display = std::make_unique<TSdlDisplay>();
    Application()->ResetTerminated();
  }
  void TearDown() override { Display.reset(); }

  // The application's loop on the real clock until done or 3 s have passed.
  bool PumpUntil(const std::function<bool()>& Done) {
    const DWORD end = Display->Now() + 3000;
    Application()->ProcessMessages();
    while (!Done()) {
      if (static_cast<std::int32_t>(Display->Now() - end) > 0) return false;
      Display->WaitForEvent(Display->Now() + 20);
      Application()->ProcessMessages();
    }
    return true;
  }

  static inline TVirtualXServer* Server = nullptr;
  TRealWindowLeakPause LeakPause;
  std::unique_ptr<TSdlDisplay> Display;
};
