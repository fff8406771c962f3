#include "framework/platform/headless/HeadlessDisplay.h"

#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/gdi/SysColors.h"
#include "framework/win32/user/Input.h"
#include "framework/win32/user/MessageQueue.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>

namespace {

void Raw(TRawKind kind, TPoint at, int button, int value, DWORD time) {
  QueueRawInput(TRawInput{kind, at, button, value, time});
}

bool Before(DWORD a, DWORD b) { return static_cast<std::int32_t>(a - b) < 0; }

void CopyInto(TRaster& screen, const TRaster& surface, const TRect& at) {
  for (int y = std::max(at.Top, 0); y < std::min(at.Bottom, screen.Height); ++y)
    for (int x = std::max(at.Left, 0); x < std::min(at.Right, screen.Width); ++x)
      if (y - at.Top < surface.Height && x - at.Left < surface.Width)
        screen.At(x, y) = surface.At(x - at.Left, y - at.Top);
}

} // namespace

THeadlessDisplay::THeadlessDisplay(int width, int height)
    : width_(std::clamp(width, 1, 16384)), height_(std::clamp(height, 1, 16384)) {
  SetDisplayBackend(this);
  User().Reset();
}

THeadlessDisplay::~THeadlessDisplay() {
  User().Reset();
  SetDisplayBackend(nullptr);
}

void THeadlessDisplay::WaitForEvent(std::optional<DWORD>) {
  if (script_.empty() && fallback_) return fallback_();
  if (script_.empty())
    throw EDisplayError("The message loop waits for input, but the headless display has no "
                        "scripted step left");
  const std::function<void()> step = std::move(script_.front());
  script_.pop_front();
  step();
}

void THeadlessDisplay::Present(HWND, const TRaster&, const TRect&) { ++presented_; }

void THeadlessDisplay::WindowDestroyed(HWND) {}

void THeadlessDisplay::Advance(DWORD ms) {
  const DWORD end = now_ + ms;
  // A pending WM_QUIT holds every timer back, so the clock stops stepping through them.
  while (Pump()) {
    const std::optional<DWORD> due = NextTimerDue();
    if (!due || Before(end, *due)) break;
    if (Before(now_, *due)) now_ = *due;
  }
  now_ = end;
  Pump();
}

bool THeadlessDisplay::Pump() { return pump_ ? pump_() : PumpMessages(); }

void THeadlessDisplay::ProcessMessages() { Pump(); }

void THeadlessDisplay::WhenWaiting(std::function<void()> step) {
  script_.push_back(std::move(step));
}

void THeadlessDisplay::MouseMove(int x, int y) {
  Raw(TRawKind::MouseMove, TPoint{x, y}, 0, 0, now_);
}

void THeadlessDisplay::MouseDown(int x, int y, THeadlessButton button) {
  Raw(TRawKind::ButtonDown, TPoint{x, y}, static_cast<int>(button), 0, now_);
}

void THeadlessDisplay::MouseUp(int x, int y, THeadlessButton button) {
  Raw(TRawKind::ButtonUp, TPoint{x, y}, static_cast<int>(button), 0, now_);
}

void THeadlessDisplay::Click(int x, int y, THeadlessButton button) {
  MouseMove(x, y);
  MouseDown(x, y, button);
  MouseUp(x, y, button);
}

void THeadlessDisplay::DoubleClick(int x, int y, THeadlessButton button) {
  Click(x, y, button);
  MouseDown(x, y, button);
  MouseUp(x, y, button);
}

void THeadlessDisplay::Wheel(int x, int y, int delta) {
  Raw(TRawKind::Wheel, TPoint{x, y}, 0, delta, now_);
}

void THeadlessDisplay::Modifiers(unsigned modifiers, bool down) {
  const std::pair<unsigned, int> keys[] = {
      {HeadlessShift, VK_SHIFT}, {HeadlessControl, VK_CONTROL}, {HeadlessAlt, VK_MENU}};
  for (const auto& [flag, vk] : keys) {
    if (!(modifiers & flag)) continue;
    const bool isDown = AsyncKeyStateOf(vk) != 0;
    if (isDown != down) Raw(down ? TRawKind::KeyDown : TRawKind::KeyUp, {}, 0, vk, now_);
  }
}

void THeadlessDisplay::KeyDown(int vk, unsigned modifiers) {
  Modifiers(modifiers, true);
  Raw(TRawKind::KeyDown, {}, 0, vk & 0xFF, now_);
}

void THeadlessDisplay::KeyUp(int vk, unsigned modifiers) {
  Raw(TRawKind::KeyUp, {}, 0, vk & 0xFF, now_);
  Modifiers(modifiers, false);
}

void THeadlessDisplay::PressKey(int vk, unsigned modifiers) {
  KeyDown(vk, modifiers);
  KeyUp(vk, modifiers);
}

void THeadlessDisplay::TypeText(std::string_view text) {
  for (const char c : text) Raw(TRawKind::Char, {}, 0, static_cast<unsigned char>(c), now_);
}

TRaster THeadlessDisplay::Snapshot(HWND window) {
  ProcessMessages();
  const TWindow* w = WindowOf(window);
  if (!w || w->Parent != User().Desktop || !w->Surface)
    throw EDisplayError("Snapshot: the handle names no top-level window");
  return *w->Surface;
}

TRaster THeadlessDisplay::ScreenSnapshot() {
  ProcessMessages();
  TRaster screen(width_, height_,
                 0xFF000000u | ColorRefToPixel(SysColorRef(1 /* COLOR_DESKTOP */)));
  const auto& tops = User().Desktop->Children;
  for (auto it = tops.rbegin(); it != tops.rend(); ++it)
    if (((*it)->Style & WS_VISIBLE) && (*it)->Surface)
      CopyInto(screen, *(*it)->Surface, ScreenRectOf(*it));
  return screen;
}
