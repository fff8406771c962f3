#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/GdiHandles.h"
#include "framework/win32/gdi/Raster.h"
#include "framework/win32/gdi/Region.h"
#include "framework/win32/user/UserDefs.h"

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

// A registered window class.
struct TWindowClass {
  String Name; // as registered; looked up without regard to case
  ATOM Atom = 0;
  UINT Style = 0;
  WNDPROC Proc = nullptr;
  int ClassExtra = 0;
  int WindowExtra = 0;
  HINSTANCE Instance = nullptr;
  HICON Icon = nullptr;
  HCURSOR Cursor = nullptr;
  HBRUSH Background = nullptr;
  int Windows = 0; // windows of this class alive
};

// The state of one scroll bar: a window's own horizontal or vertical bar, or the bar of a
// "ScrollBar" control.
struct TScrollBarState {
  int Min = 0;
  int Max = 100;
  UINT Page = 0;
  int Pos = 0;
  int TrackPos = 0;
  UINT DisabledArrows = 0; // ESB_ bits
  bool Tracking = false;
};

// What a native control class keeps for one of its windows; freed with the window.
struct TControlData {
  virtual ~TControlData() = default;
};

// A window. Rect is the window rectangle in the parent's client coordinates (screen
// coordinates for top-level windows, whose parent is the desktop); Client is the client
// rectangle relative to the window rectangle's top-left corner.
struct TWindow {
  HWND Handle = nullptr;
  TWindowClass* Class = nullptr;
  TWindow* Parent = nullptr;
  TWindow* Owner = nullptr;
  std::vector<TWindow*> Children; // z-order, top first
  DWORD Style = 0;
  DWORD ExStyle = 0;
  UINT_PTR Id = 0;
  HINSTANCE Instance = nullptr;
  TRect Rect;
  TRect Client;
  std::optional<TRect> Restored; // the rectangle a maximised window goes back to
  String Text;
  WNDPROC Proc = nullptr;
  LONG_PTR UserData = 0;
  std::vector<BYTE> Extra;
  TScrollBarState ScrollBars[3]{{}, {}, {0, 0}}; // SB_HORZ, SB_VERT, SB_CTL
  std::unique_ptr<TControlData> Control;

  TRegion Update; // client coordinates
  bool EraseNeeded = false;
  bool FrameNeeded = false;
  bool InternalPaint = false;
  bool Destroying = false;

  std::unique_ptr<TRaster> Surface; // top-level windows and the desktop
  std::vector<THandleId> Dcs;       // device contexts over this window's surface
  bool SurfaceChanged = false;      // drawn on since it was last presented

  bool IsChild() const { return (Style & WS_CHILD) != 0; }
  bool NeedsPaint() const { return !Update.IsEmpty() || FrameNeeded || InternalPaint; }
};

struct TTimer {
  HWND Window = nullptr;
  UINT_PTR Id = 0;
  UINT Interval = 0;
  DWORD Due = 0;
  TIMERPROC Proc = nullptr;
  std::uint64_t Order = 0; // creation order breaks ties between timers due together
};

enum class TRawKind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp, Char };

// Input as the display reports it, before it is routed to a window.
struct TRawInput {
  TRawKind Kind = TRawKind::MouseMove;
  TPoint Screen;
  int Button = 0; // 0 left, 1 right, 2 middle
  int Value = 0;  // virtual key, character byte or wheel delta
  DWORD Time = 0;
};

// The state of the user-interface thread's windowing: one instance, reset by tests.
struct TUserState {
  std::unordered_map<std::uintptr_t, std::unique_ptr<TWindow>> Windows;
  std::vector<std::unique_ptr<TWindowClass>> Classes;
  ATOM NextAtom = 0xC000;
  TWindow* Desktop = nullptr;
  std::uintptr_t NextHandle = 0x10010;

  std::deque<MSG> Posted;
  std::deque<TRawInput> RawInput;
  std::deque<MSG> Input; // routed input, not yet retrieved
  bool QuitPosted = false;
  int QuitCode = 0;
  DWORD LastMessageTime = 0;
  TPoint LastMessagePos;

  std::vector<TTimer> Timers;
  std::uint64_t NextTimerOrder = 0;
  UINT_PTR NextThreadTimerId = 0x7FF0;

  HWND Focus = nullptr;
  HWND Active = nullptr;
  HWND Capture = nullptr;

  std::array<BYTE, 256> KeyState{};  // bit 7 down, bit 0 toggled; as messages were retrieved
  std::array<BYTE, 256> AsyncKeys{}; // as input arrived
  TPoint Cursor;
  int ButtonsDown = 0; // bit per button, as messages were routed
  HWND LastClickWindow = nullptr;
  int LastClickButton = -1;
  DWORD LastClickTime = 0;
  TPoint LastClickPoint;
  bool LastClickWasDouble = false;

  static TUserState& Instance();
  // Destroys every window and forgets classes, messages, timers and input.
  void Reset();

  TWindow* Find(HWND handle) const;
  HWND NewHandle() { return reinterpret_cast<HWND>(NextHandle += 4); }

private:
  TUserState();
  void CreateDesktop();
};

inline TUserState& User() { return TUserState::Instance(); }
inline TWindow* WindowOf(HWND handle) { return User().Find(handle); }
