#include "framework/win32/user/HiddenWindow.h"

#include "framework/win32/user/DefaultProc.h"
#include "framework/win32/user/WindowClasses.h"
#include "framework/win32/user/WindowTree.h"

namespace {

constexpr const char* UtilityClass = "TPUtilWindow";

void EnsureUtilityClass() {
  if (FindWindowClass(UtilityClass)) return;
  WNDCLASSEXA c;
  c.lpfnWndProc = DefaultWindowProc;
  c.lpszClassName = UtilityClass;
  RegisterWindowClass(c);
}

} // namespace

HWND AllocateHWnd(TWindowFunction procedure) {
  EnsureUtilityClass();
  CREATESTRUCTA cs;
  cs.lpszClass = UtilityClass;
  cs.style = static_cast<LONG>(WS_POPUP);
  cs.dwExStyle = WS_EX_TOOLWINDOW;
  const HWND h = CreateWindowFrom(cs);
  if (TWindow* w = WindowOf(h)) w->Proc = MakeProcInstance(std::move(procedure));
  return h;
}

void DeallocateHWnd(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w || !w->Class || w->Class->Name != UtilityClass) return;
  const WNDPROC instance = w->Proc;
  DestroyWindowTree(h);
  FreeProcInstance(instance);
}
