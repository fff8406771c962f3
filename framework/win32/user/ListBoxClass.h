#pragma once

#include "framework/win32/user/UserDefs.h"

// The system class "ListBox": single, multiple and extended selection, sorted or not,
// owner-drawn with fixed or variable heights, tab stops, its own scroll bars.
void RegisterListBoxClass();

// The class's window procedure, for list windows that other classes build on.
LRESULT ListBoxWindowProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
// Makes a list the list of a combo box: items, colours and notifications go to the combo.
void SetListBoxCombo(HWND list, HWND combo);
// The combo box a list belongs to; null for other lists.
HWND ListBoxCombo(HWND list);
