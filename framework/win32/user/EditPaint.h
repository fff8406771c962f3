#pragma once

#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/user/EditBuffer.h"
#include "framework/win32/user/EditLayout.h"
#include "framework/win32/user/UserDefs.h"

#include <vector>

// What an edit control shows, as its paint needs it.
struct TEditView {
  const TEditBuffer* Buffer = nullptr;
  const TEditLayout* Layout = nullptr;
  const TGdiFont* Font = nullptr;
  TRect FormatRect;
  int XOffset = 0;
  int TopLine = 0;
  std::vector<int> AlignOffsets; // of the lines from TopLine on
  bool Focused = false;
  bool CaretShown = false; // focused, and the blink in its shown phase
  bool ShowSelection = false;
  bool Grey = false; // read-only or disabled: WM_CTLCOLORSTATIC and the button face
  bool Disabled = false;
  char32_t Password = 0;
};

// WM_PAINT of an edit: the background and colours from the parent's WM_CTLCOLOREDIT (or
// WM_CTLCOLORSTATIC), the visible lines, the selection and, while shown, the caret.
void PaintEdit(HWND edit, const TEditView& view);
