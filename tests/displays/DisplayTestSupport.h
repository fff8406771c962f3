#pragma once

#include "framework/win32/Windows.h"
#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

#include <cstdint>
#include <initializer_list>
#include <memory>

namespace displaytest {

// One snapshot of a form, read at client points of one control.
class TShot {
public:
  TShot(TScriptedUser& User, TCustomForm* Form, TControl* Control) : FBitmap(User.Snapshot(Form)) {
    RECT window{};
    GetWindowRect(Form->Handle(), &window);
    const TPoint origin = Control->ClientToScreen(TPoint{0, 0});
    FOrigin = TPoint{origin.X - window.Left, origin.Y - window.Top};
  }
  COLORREF At(int X, int Y) const {
    return static_cast<COLORREF>(FBitmap->Canvas()->Pixels(FOrigin.X + X, FOrigin.Y + Y));
  }
  struct TPixel {
    int X, Y;
    std::int64_t Colour; // a TColor or a COLORREF
  };
  // Expects each listed point to show its colour.
  void Expect(std::initializer_list<TPixel> Pixels) const {
    for (const TPixel& p : Pixels)
      EXPECT_EQ(At(p.X, p.Y), ColorToRGB(static_cast<TColor>(p.Colour)))
          << "at " << p.X << "," << p.Y;
  }
  // Pixels of Colour in the rectangle (right and bottom excluded).
  int Count(const TRect& R, TColor Colour) const {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x) n += At(x, y) == ColorToRGB(Colour);
    return n;
  }

  // Dark grey to black pixels (text, smoothed or not) in the rectangle.
  int CountDark(const TRect& R) const {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x) {
        const COLORREF c = At(x, y);
        n += GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
      }
    return n;
  }

private:
  std::unique_ptr<TBitmap> FBitmap;
  TPoint FOrigin;
};

class DisplayTest : public controltest::ControlTest {
protected:
  // A new control of class C at (10, 10) on a shown form; a size of 0 keeps the default.
  template <class C> C* ShowNew(int Width = 0, int Height = 0) {
    FForm = NewForm(640, 480);
    FForm->SetColor(clWindow);
    auto* control = new C(FForm);
    control->SetParent(FForm);
    control->SetBounds(10, 10, Width ? Width : control->Width(),
                       Height ? Height : control->Height());
    FForm->Show();
    return control;
  }
  TShot Shoot(TControl* Control) {
    Control->Repaint();
    return TShot(User, FForm, Control);
  }
  void Sheet(const String& Name) { User.SaveSnapshot(FForm, SheetPath(Name)); }
  TForm* Form() const { return FForm; }

private:
  TForm* FForm = nullptr;
};

} // namespace displaytest
