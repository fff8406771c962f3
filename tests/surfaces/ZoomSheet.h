#pragma once

#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

// Saves a control of a shown form, with Margin pixels around it, magnified Factor times, for
// a person to look at the pixels.
inline void ZoomSheet(TScriptedUser& User, TCustomForm* Form, TControl* Control, const String& Name,
                      int Factor = 8, int Margin = 2) {
  auto shot = User.Snapshot(Form);
  RECT window{};
  GetWindowRect(Form->Handle(), &window);
  const TPoint origin = Control->ClientToScreen(TPoint{0, 0});
  const int x = origin.X - window.Left - Margin, y = origin.Y - window.Top - Margin;
  const int w = Control->Width() + 2 * Margin, h = Control->Height() + 2 * Margin;
  TBitmap zoom;
  zoom.SetSize(w * Factor, h * Factor);
  StretchBlt(zoom.Canvas()->Handle(), 0, 0, w * Factor, h * Factor, shot->Canvas()->Handle(), x, y,
             w, h, SRCCOPY);
  zoom.SaveToPngFile(SheetPath(Name));
}
