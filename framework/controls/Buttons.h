#pragma once

#include "framework/controls/StdCtrls.h"
#include "framework/graphics/Bitmap.h"

#include <array>
#include <memory>

LUM_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom);
LUM_ENUM(TButtonState, bsUp, bsDisabled, bsDown, bsExclusive);
LUM_ENUM(TButtonStyle, bsAutoDetect, bsWin31, bsNew);
LUM_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry,
         bkIgnore, bkAll);
using TNumGlyphs = Integer;

// Where a glyph and its caption go inside a button's face.
struct TGlyphLayout {
  TPoint GlyphPos;
  TRect TextBounds;
};

// The picture of a glyph button: a strip of up to four images side by side (up, disabled,
// down, exclusive), cut into one bitmap per state on first use. Pixels of the strip's
// bottom-left colour are transparent. Without a disabled image, one is embossed from the up
// image in the button highlight and shadow colours.
class TButtonGlyph {
public:
  TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  TBitmap* Glyph() const { return FOriginal.get(); }
  // Copies the bitmap (nullptr empties the glyph).
  void SetGlyph(TBitmap* Value);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  // ERangeError outside 1 to 4.
  void SetNumGlyphs(TNumGlyphs Value);
  // The size of one image.
  TPoint GlyphSize() const;
  // The image shown in a state; null while the glyph is empty.
  TBitmap* ImageFor(TButtonState State);

  // Places glyph and caption in Client as Layout, Margin (-1: centred) and Spacing (-1:
  // spread evenly) say, moved by Offset.
  TGlyphLayout CalcLayout(TCanvas* Canvas, const TRect& Client, TPoint Offset,
                          const String& Caption, TButtonLayout Layout, int Margin, int Spacing);
  // Draws glyph and caption; disabled captions are embossed. Returns the caption's bounds.
  TRect Draw(TCanvas* Canvas, const TRect& Client, TPoint Offset, const String& Caption,
             TButtonLayout Layout, int Margin, int Spacing, TButtonState State);

  TNotifyEvent OnChange;

private:
  void Invalidate();
  std::unique_ptr<TBitmap> CutImage(int Index, TColor Transparent);
  std::unique_ptr<TBitmap> EmbossImage(TColor Transparent);
  void DrawCaption(TCanvas* Canvas, const String& Caption, TRect Bounds, TButtonState State);
  void OriginalChanged(TObject* Sender);

  std::unique_ptr<TBitmap> FOriginal;
  TNumGlyphs FNumGlyphs = 1;
  std::array<std::unique_ptr<TBitmap>, 4> FImages;
};

// A new glyph strip (up and disabled images) of a standard kind; empty for bkCustom.
std::unique_ptr<TBitmap> NewBitBtnGlyph(TBitBtnKind Kind);
// The caption of a standard kind ("OK", "Cancel", "&Help" …); empty for bkCustom.
String BitBtnCaption(TBitBtnKind Kind);
TModalResult BitBtnModalResult(TBitBtnKind Kind);

// A push button with a glyph, drawn by itself (owner-drawn). A Kind other than bkCustom
// brings its glyph, caption, modal result and Default/Cancel; bkClose closes the form.
class TBitBtn : public TButton {
  LUM_CLASS(TBitBtn, TButton)
public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;

  LUM_PUBLISHED(TBitmap*, Glyph, FGlyph->Glyph(), SetGlyphBitmap, NoDefault, Stored(IsCustom))
  LUM_PUBLISHED(TBitBtnKind, Kind, GetKind(), SetKind, Default(bkCustom))
  LUM_PUBLISHED(TButtonLayout, Layout, FLayout, SetLayout, Default(blGlyphLeft))
  LUM_PUBLISHED(Integer, Margin, FMargin, SetMargin, Default(-1))
  LUM_PUBLISHED(TNumGlyphs, NumGlyphs, FGlyph->NumGlyphs(), SetNumGlyphCount, Default(1),
                Stored(IsCustom))
  LUM_PUBLISHED(TButtonStyle, Style, FStyle, SetStyle, Default(bsAutoDetect))
  LUM_PUBLISHED(Integer, Spacing, FSpacing, SetSpacing, Default(4))

  void SetGlyphBitmap(TBitmap* Value);
  TBitBtnKind GetKind() const;
  // A standard kind brings its glyph, so form files store the glyph of custom buttons only.
  bool IsCustom() const { return GetKind() == bkCustom; }
  void SetKind(TBitBtnKind Value);
  void SetLayout(TButtonLayout Value);
  void SetMargin(int Value);
  void SetNumGlyphCount(TNumGlyphs Value);
  void SetStyle(TButtonStyle Value);
  void SetSpacing(int Value);
  void Click() override;

protected:
  bool IsCaptionStored() const override;
  bool IsKindValueStored() const override { return IsCustom(); }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;

private:
  void DrawItem(const DRAWITEMSTRUCT& Item);
  void DrawFrame(TRect& R, bool IsDown, bool Disabled);
  void GlyphChanged(TObject* Sender);

  std::unique_ptr<TButtonGlyph> FGlyph;
  std::unique_ptr<TCanvas> FCanvas;
  TBitBtnKind FKind = bkCustom;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  TButtonStyle FStyle = bsAutoDetect;
  bool FModifiedGlyph = false;
  bool FIsFocused = false; // drawn as the form's default button
};

// A windowless tool button. Buttons of one GroupIndex on the same parent stay down one at a
// time (all up too when AllowAllUp); GroupIndex 0 springs back. A Flat button shows its edge
// only while the mouse is over it or it is down.
class TSpeedButton : public TGraphicControl {
  LUM_CLASS(TSpeedButton, TGraphicControl)
public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  LUM_PUBLISH_ANCHORS_CONSTRAINTS
  LUM_PUBLISH_BIDI_MODE
  LUM_PUBLISHED(bool, AllowAllUp, FAllowAllUp, SetAllowAllUp, Default(false))
  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(Integer, GroupIndex, FGroupIndex, SetGroupIndex, Default(0))
  LUM_PUBLISHED(bool, Down, FDown, SetDown, Default(false))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(bool, Flat, FFlat, SetFlat, Default(false))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(TBitmap*, Glyph, FGlyph->Glyph(), SetGlyphBitmap, NoDefault)
  LUM_PUBLISHED(TButtonLayout, Layout, FLayout, SetLayout, Default(blGlyphLeft))
  LUM_PUBLISHED(Integer, Margin, FMargin, SetMargin, Default(-1))
  LUM_PUBLISHED(TNumGlyphs, NumGlyphs, FGlyph->NumGlyphs(), SetNumGlyphCount, Default(1))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(Integer, Spacing, FSpacing, SetSpacing, Default(4))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)

  void SetAllowAllUp(bool Value);
  void SetGroupIndex(int Value);
  void SetDown(bool Value);
  void SetFlat(bool Value);
  void SetGlyphBitmap(TBitmap* Value);
  void SetLayout(TButtonLayout Value);
  void SetMargin(int Value);
  void SetNumGlyphCount(TNumGlyphs Value);
  void SetSpacing(int Value);
  TButtonState State() const { return FState; }
  bool MouseInControl() const { return FMouseInControl; }

protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;

private:
  void UpdateExclusive();
  void CMButtonPressed(TMessage& Message);
  void PaintFace(TRect& PaintRect);
  void GlyphChanged(TObject* Sender);

  std::unique_ptr<TButtonGlyph> FGlyph;
  int FGroupIndex = 0;
  bool FDown = false;
  bool FDragging = false;
  bool FAllowAllUp = false;
  bool FFlat = false;
  bool FMouseInControl = false;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  TButtonState FState = bsUp;
};
