#pragma once

// The Windows virtual key of an SDL key (SDL_Keycode, SDL_Scancode); 0 for none.
int VirtualKeyOf(int keycode, int scancode);
