#pragma once

#include "framework/win32/user/Input.h"

// What a window's frame does: moving by the caption, sizing by the borders and corners,
// the caption's close button pressed and released, and the system commands (WM_SYSCOMMAND)
// that move, size, minimise, maximise, restore and close.

// Starts moving (HTCAPTION), sizing (HTLEFT … HTBOTTOMRIGHT) or pressing a caption button
// (HTCLOSE) at a screen point; the mouse carries it on until its left button is released.
void BeginFrameTracking(HWND window, LRESULT hit, TPoint screen);
// Takes the mouse while the frame is tracked; false when nothing is.
bool TrackFrameInput(const TRawInput& input);
// The caption button held down with the mouse over it, HTNOWHERE when none.
LRESULT PressedFrameButton(HWND window);
// DefWindowProc's WM_SYSCOMMAND for the window commands (SC_MOVE, SC_SIZE, SC_MINIMIZE,
// SC_MAXIMIZE, SC_RESTORE, SC_CLOSE); false for the others.
bool FrameCommand(HWND window, WPARAM command, LPARAM lParam);
// DefWindowProc's WM_NCLBUTTONDOWN and WM_NCLBUTTONDBLCLK on the frame; false where the
// frame does nothing.
bool FrameButtonDown(HWND window, LRESULT hit, TPoint screen, bool isDouble);
// The system menu (Alt+Space, or a click on a caption's icon) at a screen point.
void ShowSystemMenu(HWND window, TPoint screen);
