#include "framework/platform/sdl/SdlKeys.h"

#include "framework/win32/user/UserDefs.h"

#include <SDL2/SDL.h>

namespace {

int NamedKey(int keycode) {
  switch (keycode) {
  case SDLK_BACKSPACE:
    return VK_BACK;
  case SDLK_TAB:
    return VK_TAB;
  case SDLK_RETURN:
    return VK_RETURN;
  case SDLK_KP_ENTER:
    return VK_RETURN;
  case SDLK_ESCAPE:
    return VK_ESCAPE;
  case SDLK_SPACE:
    return VK_SPACE;
  case SDLK_PAGEUP:
    return VK_PRIOR;
  case SDLK_PAGEDOWN:
    return VK_NEXT;
  case SDLK_END:
    return VK_END;
  case SDLK_HOME:
    return VK_HOME;
  case SDLK_LEFT:
    return VK_LEFT;
  case SDLK_UP:
    return VK_UP;
  case SDLK_RIGHT:
    return VK_RIGHT;
  case SDLK_DOWN:
    return VK_DOWN;
  case SDLK_INSERT:
    return VK_INSERT;
  case SDLK_DELETE:
    return VK_DELETE;
  case SDLK_LSHIFT:
    return VK_LSHIFT;
  case SDLK_RSHIFT:
    return VK_RSHIFT;
  case SDLK_LCTRL:
    return VK_LCONTROL;
  case SDLK_RCTRL:
    return VK_RCONTROL;
  case SDLK_LALT:
    return VK_LMENU;
  case SDLK_RALT:
    return VK_RMENU;
  case SDLK_CAPSLOCK:
    return VK_CAPITAL;
  case SDLK_KP_MULTIPLY:
    return VK_MULTIPLY;
  case SDLK_KP_PLUS:
    return VK_ADD;
  case SDLK_KP_MINUS:
    return VK_SUBTRACT;
  case SDLK_KP_PERIOD:
    return VK_DECIMAL;
  case SDLK_KP_DIVIDE:
    return VK_DIVIDE;
  default:
    return 0;
  }
}

// Punctuation by position on a US keyboard, as the OEM keys are.
int PunctuationKey(int scancode) {
  switch (scancode) {
  case SDL_SCANCODE_SEMICOLON:
    return VK_OEM_1;
  case SDL_SCANCODE_EQUALS:
    return VK_OEM_PLUS;
  case SDL_SCANCODE_COMMA:
    return VK_OEM_COMMA;
  case SDL_SCANCODE_MINUS:
    return VK_OEM_MINUS;
  case SDL_SCANCODE_PERIOD:
    return VK_OEM_PERIOD;
  case SDL_SCANCODE_SLASH:
    return VK_OEM_2;
  case SDL_SCANCODE_GRAVE:
    return VK_OEM_3;
  case SDL_SCANCODE_LEFTBRACKET:
    return VK_OEM_4;
  case SDL_SCANCODE_BACKSLASH:
    return VK_OEM_5;
  case SDL_SCANCODE_RIGHTBRACKET:
    return VK_OEM_6;
  case SDL_SCANCODE_APOSTROPHE:
    return VK_OEM_7;
  default:
    return 0;
  }
}

} // namespace

int VirtualKeyOf(int keycode, int scancode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return 'A' + keycode - SDLK_a;
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return keycode;
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return VK_F1 + keycode - SDLK_F1;
  if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9) return VK_NUMPAD0 + 1 + keycode - SDLK_KP_1;
  if (keycode == SDLK_KP_0) return VK_NUMPAD0;
  if (const int vk = NamedKey(keycode)) return vk;
  return PunctuationKey(scancode);
}
