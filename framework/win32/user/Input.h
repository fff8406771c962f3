#pragma once

#include "framework/win32/user/UserState.h"

// Input from the display: queued raw, routed to windows one event at a time when the
// message loop reaches it (so capture and focus set by earlier input apply).

// Queues one event; the cursor position and the asynchronous key state follow at once.
void QueueRawInput(TRawInput input);
// Turns the oldest raw event into window messages; false when none is waiting.
bool RouteNextInput();
// TranslateMessage: WM_CHAR (WM_SYSCHAR) for a character key's WM_KEYDOWN (WM_SYSKEYDOWN).
bool TranslateKey(const MSG& msg);
// GetKeyState: bit 15 down, bit 0 toggled, as of the messages retrieved.
SHORT KeyStateOf(int vk);
// GetAsyncKeyState: bit 15 down, as of the input that arrived.
SHORT AsyncKeyStateOf(int vk);
// The character a key gives under the current shift state; 0 for none.
int CharacterOfKey(int vk);
