#include "framework/win32/WinUser.h"

#include "framework/win32/user/Backend.h"
#include "framework/win32/user/Input.h"
#include "framework/win32/user/MessageQueue.h"
#include "framework/win32/user/UserState.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

namespace {

constexpr DWORD UserInterfaceThread = 1;

BOOL Bool(bool b) { return b ? TRUE : FALSE; }

} // namespace

LRESULT SendMessageA(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (h != HWND_BROADCAST) return SendTo(h, message, wParam, lParam);
  for (HWND top : ChildHandles(User().Desktop)) SendTo(top, message, wParam, lParam);
  return 0;
}

BOOL PostMessageA(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  if (h != HWND_BROADCAST) return Bool(PostTo(h, message, wParam, lParam));
  for (HWND top : ChildHandles(User().Desktop)) PostTo(top, message, wParam, lParam);
  return TRUE;
}

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  return Bool(threadId == UserInterfaceThread && PostTo(nullptr, message, wParam, lParam));
}

void PostQuitMessage(int exitCode) { PostQuit(exitCode); }

BOOL PeekMessageA(LPMSG msg, HWND h, UINT first, UINT last, UINT remove) {
  if (!msg) return FALSE;
  return Bool(PeekNext(*msg, h, first, last, remove));
}

BOOL GetMessageA(LPMSG msg, HWND h, UINT first, UINT last) {
  if (!msg) return -1;
  return GetNext(*msg, h, first, last);
}

BOOL TranslateMessage(const MSG* msg) { return Bool(msg && TranslateKey(*msg)); }

LRESULT DispatchMessageA(const MSG* msg) { return msg ? DispatchMsg(*msg) : 0; }

BOOL WaitMessage() {
  WaitForInput();
  return TRUE;
}

DWORD GetMessageTime() { return User().LastMessageTime; }

DWORD GetMessagePos() {
  const TPoint p = User().LastMessagePos;
  return static_cast<DWORD>(MAKELPARAM(p.X, p.Y));
}

DWORD GetTickCount() { return BackendNow(); }
DWORD GetCurrentThreadId() { return UserInterfaceThread; }

UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  return AddTimer(h, id, elapse, proc);
}

BOOL KillTimer(HWND h, UINT_PTR id) { return Bool(RemoveTimer(h, id)); }
