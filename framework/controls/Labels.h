#pragma once

#include "framework/controls/GraphicControl.h"

namespace stdctrls {
LUM_ENUM(TTextLayout, tlTop, tlCenter, tlBottom);
}
using stdctrls::TTextLayout;
using enum stdctrls::TTextLayout;

// Whether Key is the accelerator of Caption: the character after a single '&', any case.
bool IsAccel(Word Key, const String& Caption);

// DrawTextA on the canvas's DC with its font, text colour and brush background in place.
int CanvasDrawText(TCanvas* Canvas, const String& Text, TRect& Rect, UINT Flags);

// A windowless text: its caption aligned and laid out in its bounds, optionally sized to the
// text, wrapped at words, over its parent's background; its accelerator focuses a control.
class TCustomLabel : public TGraphicControl {
  LUM_CLASS(TCustomLabel, TGraphicControl)
public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
  void SetTransparent(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

protected:
  // Draws (or with DT_CALCRECT measures into Rect) the label's text; disabled text embossed.
  virtual void DoDrawText(TRect& Rect, int Flags);
  virtual String GetLabelText() const { return GetText(); }
  // With AutoSize, fits the bounds to the text (the right edge stays for right alignment).
  virtual void AdjustBounds();
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  virtual void CMDialogChar(TMessage& Message);

private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TWinControl* FFocusControl = nullptr;
  TTextLayout FLayout = tlTop;
  bool FShowAccelChar = true;
  bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
  LUM_CLASS(TLabel, TCustomLabel)
public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TAlignment, Alignment, TCustomLabel::Alignment(), TCustomLabel::SetAlignment,
                Default(taLeftJustify))
  LUM_PUBLISHED(bool, AutoSize, TCustomLabel::AutoSize(), TCustomLabel::SetAutoSize, Default(true))
  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, NoDefault, Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TWinControl*, FocusControl, TCustomLabel::FocusControl(),
                TCustomLabel::SetFocusControl, NoDefault)
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(TTextLayout, Layout, TCustomLabel::Layout(), TCustomLabel::SetLayout,
                Default(tlTop))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowAccelChar, TCustomLabel::ShowAccelChar(), TCustomLabel::SetShowAccelChar,
                Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(bool, Transparent, TCustomLabel::Transparent(), TCustomLabel::SetTransparent,
                Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(bool, WordWrap, TCustomLabel::WordWrap(), TCustomLabel::SetWordWrap, Default(false))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
};
