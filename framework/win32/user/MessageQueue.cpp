#include "framework/win32/user/MessageQueue.h"

#include "framework/win32/user/Backend.h"
#include "framework/win32/user/Input.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>

namespace {

const HWND ThreadOnly = reinterpret_cast<HWND>(-1);
constexpr int PumpLimit = 1000000;

bool InRange(UINT message, UINT first, UINT last) {
  return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool WindowMatches(HWND filter, HWND window) {
  if (!filter) return true;
  if (filter == ThreadOnly) return window == nullptr;
  if (window == filter) return true;
  const TWindow* f = WindowOf(filter);
  return f && IsDescendant(f, WindowOf(window));
}

bool Matches(const MSG& m, HWND filter, UINT first, UINT last) {
  return WindowMatches(filter, m.hwnd) && InRange(m.message, first, last);
}

bool TakeFrom(std::deque<MSG>& queue, MSG& msg, HWND filter, UINT first, UINT last, UINT flags) {
  const auto it = std::find_if(queue.begin(), queue.end(),
                               [&](const MSG& m) { return Matches(m, filter, first, last); });
  if (it == queue.end()) return false;
  msg = *it;
  if (flags & PM_REMOVE) queue.erase(it);
  return true;
}

bool TakeInput(MSG& msg, HWND filter, UINT first, UINT last, UINT flags) {
  TUserState& u = User();
  for (;;) {
    if (TakeFrom(u.Input, msg, filter, first, last, flags)) return true;
    if (!u.Input.empty() || u.RawInput.empty()) return false;
    RouteNextInput();
  }
}

bool TakeQuit(MSG& msg, UINT first, UINT last, UINT flags) {
  TUserState& u = User();
  if (!u.QuitPosted || !InRange(WM_QUIT, first, last)) return false;
  msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(u.QuitCode), 0, BackendNow(), u.Cursor};
  if (flags & PM_REMOVE) u.QuitPosted = false;
  return true;
}

bool TakePaint(MSG& msg, HWND filter, UINT first, UINT last) {
  if (filter == ThreadOnly || !InRange(WM_PAINT, first, last)) return false;
  const HWND h = NextWindowToPaint(filter);
  if (!h) return false;
  msg = MSG{h, WM_PAINT, 0, 0, BackendNow(), User().Cursor};
  return true;
}

bool TakeTimer(MSG& msg, HWND filter, UINT first, UINT last, UINT flags) {
  if (!InRange(WM_TIMER, first, last)) return false;
  const DWORD now = BackendNow();
  TTimer* due = nullptr;
  for (TTimer& t : User().Timers) {
    if (static_cast<std::int32_t>(now - t.Due) < 0 || !WindowMatches(filter, t.Window)) continue;
    if (!due || static_cast<std::int32_t>(t.Due - due->Due) < 0 ||
        (t.Due == due->Due && t.Order < due->Order))
      due = &t;
  }
  if (!due) return false;
  msg =
      MSG{due->Window, WM_TIMER, due->Id, reinterpret_cast<LPARAM>(due->Proc), now, User().Cursor};
  if (flags & PM_REMOVE) due->Due = now + due->Interval;
  return true;
}

void PresentChangedSurfaces() {
  TDisplayBackend* backend = DisplayBackend();
  for (TWindow* top : User().Desktop->Children) {
    if (!top->SurfaceChanged || !top->Surface) continue;
    top->SurfaceChanged = false;
    if (backend && (top->Style & WS_VISIBLE))
      backend->Present(top->Handle, *top->Surface, ScreenRectOf(top));
  }
}

void Retrieved(const MSG& msg, UINT flags) {
  if (!(flags & PM_REMOVE)) return;
  User().LastMessageTime = msg.time;
  User().LastMessagePos = msg.pt;
}

} // namespace

bool PostTo(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (h && !WindowOf(h)) return false;
  User().Posted.push_back(MSG{h, message, wParam, lParam, BackendNow(), User().Cursor});
  return true;
}

void PostQuit(int exitCode) {
  User().QuitPosted = true;
  User().QuitCode = exitCode;
}

bool PeekNext(MSG& msg, HWND filter, UINT first, UINT last, UINT flags) {
  const bool found =
      TakeFrom(User().Posted, msg, filter, first, last, flags) ||
      TakeQuit(msg, first, last, flags) || TakeInput(msg, filter, first, last, flags) ||
      TakePaint(msg, filter, first, last) || TakeTimer(msg, filter, first, last, flags);
  if (found) {
    Retrieved(msg, flags);
  } else {
    PresentChangedSurfaces();
  }
  return found;
}

int GetNext(MSG& msg, HWND filter, UINT first, UINT last) {
  if (filter && filter != ThreadOnly && !WindowOf(filter)) return -1;
  while (!PeekNext(msg, filter, first, last, PM_REMOVE)) WaitForInput();
  return msg.message == WM_QUIT ? 0 : 1;
}

void WaitForInput() {
  TDisplayBackend* backend = DisplayBackend();
  if (!backend) throw EDisplayError("The message loop waits, but no display is open");
  backend->WaitForEvent(NextTimerDue());
}

LRESULT DispatchMsg(const MSG& msg) {
  if (msg.message == WM_TIMER && msg.lParam) {
    reinterpret_cast<TIMERPROC>(msg.lParam)(msg.hwnd, WM_TIMER, msg.wParam, BackendNow());
    return 0;
  }
  if (!msg.hwnd) return 0;
  return SendTo(msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void RemoveWindowMessages(HWND h) {
  TUserState& u = User();
  auto forWindow = [h](const MSG& m) { return m.hwnd == h; };
  u.Posted.erase(std::remove_if(u.Posted.begin(), u.Posted.end(), forWindow), u.Posted.end());
  u.Input.erase(std::remove_if(u.Input.begin(), u.Input.end(), forWindow), u.Input.end());
  u.Timers.erase(std::remove_if(u.Timers.begin(), u.Timers.end(),
                                [h](const TTimer& t) { return t.Window == h; }),
                 u.Timers.end());
}

UINT_PTR AddTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  TUserState& u = User();
  if (h && !WindowOf(h)) return 0;
  elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, 0x7FFFFFFF);
  if (!h) id = ++u.NextThreadTimerId;
  const DWORD due = BackendNow() + elapse;
  for (TTimer& t : u.Timers)
    if (t.Window == h && t.Id == id) {
      t = TTimer{h, id, elapse, due, proc, t.Order};
      return h ? (id ? id : 1) : id;
    }
  u.Timers.push_back(TTimer{h, id, elapse, due, proc, u.NextTimerOrder++});
  return h ? (id ? id : 1) : id;
}

bool RemoveTimer(HWND h, UINT_PTR id) {
  auto& timers = User().Timers;
  const auto it = std::find_if(timers.begin(), timers.end(),
                               [&](const TTimer& t) { return t.Window == h && t.Id == id; });
  if (it == timers.end()) return false;
  timers.erase(it);
  return true;
}

std::optional<DWORD> NextTimerDue() {
  std::optional<DWORD> next;
  for (const TTimer& t : User().Timers)
    if (!next || static_cast<std::int32_t>(t.Due - *next) < 0) next = t.Due;
  return next;
}

bool PumpMessages() {
  MSG msg;
  for (int handled = 0; PeekNext(msg, nullptr, 0, 0, PM_REMOVE); ++handled) {
    if (msg.message == WM_QUIT) {
      PostQuit(static_cast<int>(msg.wParam));
      return false;
    }
    if (handled == PumpLimit)
      throw EDisplayError("The message loop does not come to rest: message " +
                          std::to_string(msg.message) + " keeps arriving");
    TranslateKey(msg);
    DispatchMsg(msg);
  }
  return true;
}
