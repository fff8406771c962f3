#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/user/UserDefs.h"

#include <optional>

// The application's clipboard: one set of formats, each held as bytes, changed between
// OpenClipboard and CloseClipboard by the window that opened it.

// OpenClipboard: false while another window has it open.
bool OpenClipboardFor(HWND owner);
bool CloseClipboardNow();
// EmptyClipboard: false unless the clipboard is open.
bool EmptyClipboardNow();
// Stores the data of a format; false unless the clipboard is open.
bool PutClipboardData(UINT format, const String& data);
// The data of a format; none when the clipboard is not open or lacks the format.
std::optional<String> ClipboardData(UINT format);
bool ClipboardHasFormat(UINT format);
// Forgets everything (the engine's reset).
void ResetClipboard();

// What an edit control does with the clipboard: put text in, take CF_TEXT out.
bool CopyTextToClipboard(HWND owner, const String& text);
std::optional<String> TextFromClipboard(HWND owner);
