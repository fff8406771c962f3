#pragma once

#include "framework/platform/headless/HeadlessDisplay.h"
#include "framework/win32/WinUser.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

// A window class whose procedure logs every message and lets the test answer some.
struct TLogged {
  HWND Window;
  UINT Message;
  WPARAM WParam;
  LPARAM LParam;
};

inline std::vector<TLogged>& MessageLog() {
  static std::vector<TLogged> log;
  return log;
}

using THandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

inline THandler& TestHandler() {
  static THandler handler;
  return handler;
}

inline LRESULT LoggingProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageLog().push_back(TLogged{h, message, wParam, lParam});
  if (TestHandler())
    if (const std::optional<LRESULT> answer = TestHandler()(h, message, wParam, lParam))
      return *answer;
  return DefWindowProcA(h, message, wParam, lParam);
}

inline constexpr const char* LoggedClass = "LoggedWindow";
inline constexpr const char* DoubleClickClass = "DoubleClickWindow";

// Raster pixels (0xAARRGGBB) of a few COLORREFs.
inline constexpr std::uint32_t RedPixel = 0xFFFF0000u, BluePixel = 0xFF0000FFu,
                               GreenPixel = 0xFF00FF00u, WhitePixel = 0xFFFFFFFFu;

class UserTest : public ::testing::Test {
protected:
  void SetUp() override {
    MessageLog().clear();
    TestHandler() = nullptr;
    Register(LoggedClass, 0);
    Register(DoubleClickClass, CS_DBLCLKS);
  }
  void TearDown() override {
    TestHandler() = nullptr;
    MessageLog().clear();
  }

  static void Register(const char* name, UINT style, HBRUSH background = nullptr) {
    WNDCLASSA wc;
    wc.style = style;
    wc.lpfnWndProc = LoggingProc;
    wc.cbWndExtra = 16;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    ASSERT_NE(RegisterClassA(&wc), 0);
  }

  static HWND TopLevel(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE,
                       const char* cls = LoggedClass) {
    return CreateWindowExA(0, cls, "Top", style, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
  }

  static HWND Child(HWND parent, int x, int y, int w, int h, DWORD style = 0,
                    const char* cls = LoggedClass) {
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                           nullptr, nullptr);
  }

  // The messages of one kind the window got, in order.
  static std::vector<TLogged> Got(HWND h, UINT message) {
    std::vector<TLogged> found;
    for (const TLogged& m : MessageLog())
      if (m.Window == h && m.Message == message) found.push_back(m);
    return found;
  }

  static std::vector<UINT> MessagesOf(HWND h) {
    std::vector<UINT> found;
    for (const TLogged& m : MessageLog())
      if (m.Window == h) found.push_back(m.Message);
    return found;
  }

  THeadlessDisplay Display;
};
