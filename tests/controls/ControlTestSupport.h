#pragma once

#include "framework/controls/Application.h"
#include "framework/controls/Screen.h"
#include "framework/platform/headless/ScriptedUser.h"

#include <gtest/gtest.h>

#include <vector>

namespace controltest {

// A windowed control that paints itself in one colour and logs what reaches it.
class TSwatch : public TCustomControl {
  LUM_CLASS(TSwatch, TCustomControl)
public:
  explicit TSwatch(TComponent* AOwner, TColor AFill = clRed) : TCustomControl(AOwner), Fill(AFill) {
    FTabStop = true;
    FWidth = 40;
    FHeight = 30;
  }
  TColor Fill;
  std::vector<String> Log;
  int Paints = 0;
  using TCustomControl::SetColor;

protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
  void DoEnter() override {
    Log.push_back("enter " + Name());
    TCustomControl::DoEnter();
  }
  void DoExit() override {
    Log.push_back("exit " + Name());
    TCustomControl::DoExit();
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    Log.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
    TCustomControl::MouseDown(Button, Shift, X, Y);
  }
  void Click() override {
    Log.push_back("click");
    TCustomControl::Click();
  }
};

// A windowless control drawn as a filled rectangle.
class TPatch : public TGraphicControl {
  LUM_CLASS(TPatch, TGraphicControl)
public:
  explicit TPatch(TComponent* AOwner, TColor AFill = clBlue)
      : TGraphicControl(AOwner), Fill(AFill) {
    FWidth = 30;
    FHeight = 20;
  }
  TColor Fill;
  int Clicks = 0;
  int Paints = 0;
  TPoint LastDown{-1, -1};

protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(Fill);
    Canvas()->FillRect(ClientRect());
  }
  void Click() override {
    ++Clicks;
    TGraphicControl::Click();
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    LastDown = TPoint{X, Y};
    TGraphicControl::MouseDown(Button, Shift, X, Y);
  }
};

template <class C> C* Place(TWinControl* Parent, C* Control, const TRect& Bounds) {
  Control->SetBoundsRect(Bounds);
  Control->SetParent(Parent);
  return Control;
}

template <class C> C* Place(TWinControl* Parent, C* Control, int Left, int Top) {
  return Place(Parent, Control, ::Bounds(Left, Top, Control->Width(), Control->Height()));
}

// The height of a font's lines, measured on the screen DC.
inline int FontHeight(TFont* Font) {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, Font->Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

template <class C> C* Titled(C* Control, const String& Caption) {
  Control->SetCaption(Caption);
  return Control;
}

// A form's snapshot read at client points of one of its controls.
class TControlPixels {
public:
  TControlPixels(TScriptedUser& User, TCustomForm* Form, TControl* Control)
      : Shot(User.Snapshot(Form)) {
    RECT window{};
    GetWindowRect(Form->Handle(), &window);
    const TPoint origin = Control->ClientToScreen({0, 0});
    Offset = TPoint{origin.X - window.Left, origin.Y - window.Top};
  }
  TColor operator()(int X, int Y) const {
    return Shot->Canvas()->Pixels(Offset.X + X, Offset.Y + Y);
  }

private:
  std::unique_ptr<TBitmap> Shot;
  TPoint Offset;
};

// A fresh headless display with a scripted user; forms made through NewForm go at the end.
class ControlTest : public ::testing::Test {
protected:
  TScriptedUser User;
  std::vector<TCustomForm*> Forms;

  TForm* NewForm(int Width = 300, int Height = 200) {
    TForm* form = CreateForm<TForm>(Application());
    form->SetBounds(50, 50, Width, Height);
    Forms.push_back(form);
    return form;
  }
  void TearDown() override {
    for (auto it = Forms.rbegin(); it != Forms.rend(); ++it) (*it)->Free();
    Forms.clear();
  }
  // The pixel of the form's snapshot at a client point of a control.
  TColor PixelAt(TCustomForm* Form, TControl* Control, TPoint At) {
    return TControlPixels(User, Form, Control)(At.X, At.Y);
  }
};

} // namespace controltest
