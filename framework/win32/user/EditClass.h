#pragma once

#include "framework/win32/user/UserDefs.h"

// The system class "Edit": single- and multi-line edit controls.

void RegisterEditClass();

// The scroll state an edit keeps for its scroll bars (lines vertically, pixels horizontally),
// as SetScrollInfo takes it.
struct TEditScrollInfo {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Pos = 0;
};
// False for a window that is no edit control.
bool EditScrollInfo(HWND edit, bool vertical, TEditScrollInfo& info);
