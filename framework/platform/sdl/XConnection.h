#pragma once

struct SDL_Window;
union SDL_Event;

// The X connection under the SDL windows. Errors naming a window another program has
// destroyed are expected and kept quiet; losing the connection ends the program at once with
// a message and exit code 1, since nothing can be shown, and no cleanup reach, through it.
void WatchXConnection();

// Notes the X windows destroyed behind the program's back, from SDL's window-system events.
void NoteWindowSystemEvent(const SDL_Event& event);

// Whether the SDL window's X window has been destroyed behind the program's back.
bool XWindowGone(SDL_Window* window);
