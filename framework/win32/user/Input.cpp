#include "framework/win32/user/Input.h"

#include "framework/win32/user/FrameTracking.h"

#include "framework/win32/user/Backend.h"
#include "framework/win32/user/ScrollBars.h"

#include "framework/win32/user/Focus.h"
#include "framework/win32/user/MenuTracking.h"
#include "framework/win32/user/MessageQueue.h"
#include "framework/win32/user/Metrics.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT DownMessages[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
constexpr UINT UpMessages[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
constexpr UINT DoubleMessages[3] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
constexpr int ButtonKeys[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};
constexpr WPARAM ButtonFlags[3] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
constexpr UINT NonClientOffset = WM_NCMOUSEMOVE - WM_MOUSEMOVE;

bool Down(int vk) { return (User().KeyState[static_cast<std::size_t>(vk & 0xFF)] & 0x80) != 0; }

void SetKey(std::array<BYTE, 256>& keys, int vk, bool down) {
  BYTE& k = keys[static_cast<std::size_t>(vk & 0xFF)];
  if (down && !(k & 0x80)) k ^= 1;
  k = static_cast<BYTE>(down ? (k | 0x80) : (k & ~0x80));
}

// The generic key of a left or right one.
int GenericKey(int vk) {
  if (vk == VK_LSHIFT || vk == VK_RSHIFT) return VK_SHIFT;
  if (vk == VK_LCONTROL || vk == VK_RCONTROL) return VK_CONTROL;
  if (vk == VK_LMENU || vk == VK_RMENU) return VK_MENU;
  return vk;
}

void SetKeyAndGeneric(std::array<BYTE, 256>& keys, int vk, bool down) {
  SetKey(keys, vk, down);
  if (GenericKey(vk) != vk) SetKey(keys, GenericKey(vk), down);
}

WPARAM MouseKeyFlags() {
  WPARAM flags = 0;
  for (int b = 0; b < 3; ++b)
    if (User().ButtonsDown & (1 << b)) flags |= ButtonFlags[b];
  if (Down(VK_SHIFT)) flags |= MK_SHIFT;
  if (Down(VK_CONTROL)) flags |= MK_CONTROL;
  return flags;
}

void Queue(HWND h, UINT message, WPARAM wParam, LPARAM lParam, const TRawInput& raw) {
  User().Input.push_back(MSG{h, message, wParam, lParam, raw.Time, raw.Screen});
}

bool IsDoubleClick(HWND target, const TRawInput& raw) {
  const TUserState& u = User();
  const TWindow* w = WindowOf(target);
  if (!w || !(w->Class && (w->Class->Style & CS_DBLCLKS)) || u.LastClickWasDouble) return false;
  return u.LastClickWindow == target && u.LastClickButton == raw.Button &&
         raw.Time - u.LastClickTime <= DoubleClickTime() &&
         std::abs(raw.Screen.X - u.LastClickPoint.X) <= SystemMetric(SM_CXDOUBLECLK) / 2 &&
         std::abs(raw.Screen.Y - u.LastClickPoint.Y) <= SystemMetric(SM_CYDOUBLECLK) / 2;
}

void RememberClick(HWND target, const TRawInput& raw, bool wasDouble) {
  TUserState& u = User();
  u.LastClickWindow = target;
  u.LastClickButton = raw.Button;
  u.LastClickTime = raw.Time;
  u.LastClickPoint = raw.Screen;
  u.LastClickWasDouble = wasDouble;
}

// WM_MOUSEACTIVATE for a click in an inactive top-level window; true when the click is eaten.
bool ActivateByClick(HWND target, LRESULT hit, UINT message) {
  TWindow* w = WindowOf(target);
  if (!w) return true;
  const HWND top = TopLevelOf(w)->Handle;
  if (User().Active == top) return false;
  const LRESULT answer = SendTo(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                MAKELPARAM(static_cast<int>(hit), static_cast<int>(message)));
  if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && WindowOf(top))
    ActivateWindow(top, WA_CLICKACTIVE);
  return answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT || !WindowOf(target);
}

void RouteWheel(const TRawInput& raw) {
  const TUserState& u = User();
  const HWND target = u.Focus ? u.Focus : u.Active;
  if (!target) return;
  const WPARAM wParam = MouseKeyFlags() | static_cast<WPARAM>(static_cast<WORD>(raw.Value)) << 16;
  Queue(target, WM_MOUSEWHEEL, wParam, MAKELPARAM(raw.Screen.X, raw.Screen.Y), raw);
}

UINT MouseMessage(const TRawInput& raw, HWND target) {
  if (raw.Kind == TRawKind::MouseMove) return WM_MOUSEMOVE;
  if (raw.Kind == TRawKind::ButtonUp) return UpMessages[raw.Button];
  return IsDoubleClick(target, raw) ? DoubleMessages[raw.Button] : DownMessages[raw.Button];
}

void TrackButtons(const TRawInput& raw) {
  TUserState& u = User();
  if (raw.Kind == TRawKind::ButtonDown) u.ButtonsDown |= 1 << raw.Button;
  if (raw.Kind == TRawKind::ButtonUp) u.ButtonsDown &= ~(1 << raw.Button);
  if (raw.Kind != TRawKind::MouseMove)
    SetKey(u.KeyState, ButtonKeys[raw.Button], raw.Kind == TRawKind::ButtonDown);
}

void RouteMouse(const TRawInput& raw) {
  TUserState& u = User();
  TrackButtons(raw);
  if (TrackFrameInput(raw) || TrackScrollInput(raw)) return;
  LRESULT hit = HTCLIENT;
  const HWND target = u.Capture ? u.Capture : WindowUnderPoint(raw.Screen, &hit);
  if (!target || hit == HTERROR) return;
  UINT message = MouseMessage(raw, target);
  if (raw.Kind == TRawKind::ButtonDown) {
    const bool isDouble = message == DoubleMessages[raw.Button];
    RememberClick(target, raw, isDouble);
  }
  if (!u.Capture)
    SendTo(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
           MAKELPARAM(static_cast<int>(hit), static_cast<int>(message)));
  if (raw.Kind == TRawKind::ButtonDown && !u.Capture && ActivateByClick(target, hit, message))
    return;
  const TWindow* w = WindowOf(target);
  if (!w) return;
  if (hit == HTCLIENT) {
    const TPoint origin = ClientScreenOrigin(w);
    Queue(target, message, MouseKeyFlags(),
          MAKELPARAM(raw.Screen.X - origin.X, raw.Screen.Y - origin.Y), raw);
  } else {
    if (hit == HTNOWHERE && raw.Kind != TRawKind::MouseMove) return;
    Queue(target, message + NonClientOffset, static_cast<WPARAM>(hit),
          MAKELPARAM(raw.Screen.X, raw.Screen.Y), raw);
  }
}

int ScanCode(int vk) {
  static const char* const rows[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static const int rowStarts[] = {2, 16, 30, 44};
  for (int r = 0; r < 4; ++r)
    if (const char* at = std::strchr(rows[r], vk); at && vk)
      return rowStarts[r] + static_cast<int>(at - rows[r]);
  switch (vk) {
  case VK_ESCAPE:
    return 1;
  case VK_BACK:
    return 14;
  case VK_TAB:
    return 15;
  case VK_RETURN:
    return 28;
  case VK_CONTROL:
  case VK_LCONTROL:
  case VK_RCONTROL:
    return 29;
  case VK_SHIFT:
  case VK_LSHIFT:
    return 42;
  case VK_RSHIFT:
    return 54;
  case VK_MENU:
  case VK_LMENU:
  case VK_RMENU:
    return 56;
  case VK_SPACE:
    return 57;
  case VK_CAPITAL:
    return 58;
  case VK_HOME:
    return 71;
  case VK_UP:
    return 72;
  case VK_PRIOR:
    return 73;
  case VK_LEFT:
    return 75;
  case VK_RIGHT:
    return 77;
  case VK_END:
    return 79;
  case VK_DOWN:
    return 80;
  case VK_NEXT:
    return 81;
  case VK_INSERT:
    return 82;
  case VK_DELETE:
    return 83;
  default:
    return vk >= VK_F1 && vk <= VK_F10 ? 59 + vk - VK_F1 : 0;
  }
}

bool IsExtendedKey(int vk) {
  switch (vk) {
  case VK_HOME:
  case VK_END:
  case VK_PRIOR:
  case VK_NEXT:
  case VK_LEFT:
  case VK_RIGHT:
  case VK_UP:
  case VK_DOWN:
  case VK_INSERT:
  case VK_DELETE:
  case VK_RCONTROL:
  case VK_RMENU:
  case VK_DIVIDE:
    return true;
  default:
    return false;
  }
}

void RouteKey(const TRawInput& raw) {
  TUserState& u = User();
  const int vk = raw.Value;
  const bool down = raw.Kind == TRawKind::KeyDown;
  const bool wasDown = raw.Button != 0;
  SetKeyAndGeneric(u.KeyState, vk, down);
  if (TrackFrameInput(raw)) return;
  const HWND menu = MenuKeyTarget();
  const HWND target = menu ? menu : u.Focus ? u.Focus : u.Active;
  if (!target) return;
  const int generic = GenericKey(vk);
  const bool alt = Down(VK_MENU) || (generic == VK_MENU && !down);
  const bool sys = generic == VK_MENU || vk == VK_F10 || (alt && !Down(VK_CONTROL)) || !u.Focus;
  const UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
  const auto lParam = static_cast<LPARAM>(
      1u | static_cast<DWORD>(ScanCode(vk)) << 16 | (IsExtendedKey(vk) ? 1u << 24 : 0u) |
      (alt ? 1u << 29 : 0u) | (down ? (wasDown ? 1u << 30 : 0u) : 3u << 30));
  Queue(target, message, static_cast<WPARAM>(generic), lParam, raw);
}

// Alt with a key is a command (WM_SYSCHAR made from the key), never text; AltGr, which
// holds Control too, types its characters.
bool AltCommandHeld() { return Down(VK_MENU) && !Down(VK_CONTROL); }

void RouteChar(const TRawInput& raw) {
  if (AltCommandHeld() || TrackFrameInput(raw)) return;
  const HWND menu = MenuKeyTarget();
  const HWND target = menu ? menu : User().Focus;
  if (target) Queue(target, WM_CHAR, static_cast<WPARAM>(raw.Value & 0xFF), 1, raw);
}

char ShiftedDigit(int vk) { return ")!@#$%^&*("[vk - '0']; }

int PunctuationOf(int vk, bool shift) {
  struct TPunctuation {
    int Key;
    char Plain, Shifted;
  };
  static const TPunctuation table[] = {
      {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},   {VK_OEM_COMMA, ',', '<'},
      {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},
      {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},      {VK_OEM_5, '\\', '|'},
      {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'}};
  for (const TPunctuation& p : table)
    if (p.Key == vk) return shift ? p.Shifted : p.Plain;
  return 0;
}

int KeypadCharacter(int vk) {
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return '0' + vk - VK_NUMPAD0;
  switch (vk) {
  case VK_MULTIPLY:
    return '*';
  case VK_ADD:
    return '+';
  case VK_SUBTRACT:
    return '-';
  case VK_DECIMAL:
    return '.';
  case VK_DIVIDE:
    return '/';
  default:
    return 0;
  }
}

} // namespace

void QueueRawInput(TRawInput input) {
  TUserState& u = User();
  switch (input.Kind) {
  case TRawKind::KeyDown:
  case TRawKind::KeyUp:
    input.Button = (u.AsyncKeys[static_cast<std::size_t>(input.Value & 0xFF)] & 0x80) ? 1 : 0;
    SetKeyAndGeneric(u.AsyncKeys, input.Value, input.Kind == TRawKind::KeyDown);
    break;
  case TRawKind::Char:
    break;
  default:
    u.Cursor = input.Screen;
    if (input.Kind == TRawKind::ButtonDown || input.Kind == TRawKind::ButtonUp)
      SetKey(u.AsyncKeys, ButtonKeys[input.Button], input.Kind == TRawKind::ButtonDown);
  }
  u.RawInput.push_back(input);
}

bool RouteNextInput() {
  TUserState& u = User();
  if (u.RawInput.empty()) return false;
  const TRawInput raw = u.RawInput.front();
  u.RawInput.pop_front();
  switch (raw.Kind) {
  case TRawKind::KeyDown:
  case TRawKind::KeyUp:
    RouteKey(raw);
    break;
  case TRawKind::Char:
    RouteChar(raw);
    break;
  case TRawKind::Wheel:
    RouteWheel(raw);
    break;
  default:
    RouteMouse(raw);
  }
  return true;
}

int CharacterOfKey(int vk) {
  const bool shift = Down(VK_SHIFT);
  const bool control = Down(VK_CONTROL);
  const bool caps = User().KeyState[VK_CAPITAL] & 1;
  if (vk >= 'A' && vk <= 'Z') {
    if (control) return vk - 'A' + 1;
    return (shift != caps) ? vk : vk - 'A' + 'a';
  }
  if (control) return vk == VK_RETURN ? '\n' : vk == VK_BACK ? 0x7F : 0;
  if (vk >= '0' && vk <= '9') return shift ? ShiftedDigit(vk) : vk;
  switch (vk) {
  case VK_SPACE:
    return ' ';
  case VK_RETURN:
    return '\r';
  case VK_BACK:
    return 8;
  case VK_TAB:
    return 9;
  case VK_ESCAPE:
    return 27;
  default:
    break;
  }
  if (const int c = KeypadCharacter(vk)) return c;
  return PunctuationOf(vk, shift);
}

bool TranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const int c = CharacterOfKey(static_cast<int>(msg.wParam));
  if (!c) return false;
  const TDisplayBackend* backend = DisplayBackend();
  const bool text = c >= ' ' && c != 0x7F;
  if (backend && backend->DeliversText() && text && !AltCommandHeld()) return false;
  const UINT message = msg.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  User().Posted.push_back(
      MSG{msg.hwnd, message, static_cast<WPARAM>(c), msg.lParam, msg.time, msg.pt});
  return true;
}

SHORT KeyStateOf(int vk) {
  const BYTE k = User().KeyState[static_cast<std::size_t>(vk & 0xFF)];
  return static_cast<SHORT>(((k & 0x80) ? 0xFF80 : 0) | (k & 1));
}

SHORT AsyncKeyStateOf(int vk) {
  return (User().AsyncKeys[static_cast<std::size_t>(vk & 0xFF)] & 0x80) ? static_cast<SHORT>(0x8000)
                                                                        : static_cast<SHORT>(0);
}
