#pragma once

#include "framework/graphics/Bitmap.h"

#include <memory>

namespace surfacetest {

// A bitmap of four coloured quarters: red top-left, blue top-right, lime bottom-left,
// yellow bottom-right, so that every placement shows which part went where.
inline std::unique_ptr<TBitmap> Quarters(int Width, int Height) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(Width, Height);
  TCanvas* c = bitmap->Canvas();
  const int w = Width / 2, h = Height / 2;
  const struct {
    TRect R;
    TColor Colour;
  } parts[] = {{Rect(0, 0, w, h), clRed},
               {Rect(w, 0, Width, h), clBlue},
               {Rect(0, h, w, Height), clLime},
               {Rect(w, h, Width, Height), clYellow}};
  for (const auto& part : parts) {
    c->Brush()->SetColor(part.Colour);
    c->FillRect(part.R);
  }
  return bitmap;
}

} // namespace surfacetest
