#pragma once

#include "framework/classes/Object.h"
#include "framework/classes/Persistent.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "framework/rtl/Geometry.h"
#include "framework/win32/Windows.h"

#include <memory>
#include <span>

class TGraphic;

LUM_ENUM(TCanvasStates, csHandleValid, csFontValid, csPenValid, csBrushValid);
using TCanvasState = TSet<TCanvasStates>;
LUM_ENUM(TFillStyle, fsSurface, fsBorder);

// A ternary raster operation as BitBlt takes it.
using TCopyMode = Integer;
inline constexpr TCopyMode cmBlackness = BLACKNESS, cmDstInvert = DSTINVERT,
                           cmMergeCopy = MERGECOPY, cmMergePaint = MERGEPAINT,
                           cmNotSrcCopy = NOTSRCCOPY, cmNotSrcErase = NOTSRCERASE,
                           cmPatCopy = PATCOPY, cmPatInvert = PATINVERT, cmPatPaint = PATPAINT,
                           cmSrcAnd = SRCAND, cmSrcCopy = SRCCOPY, cmSrcErase = SRCERASE,
                           cmSrcInvert = SRCINVERT, cmSrcPaint = SRCPAINT, cmWhiteness = WHITENESS;

using TSize = SIZE;

// Pointer types for the property lines, which put "const" before the type.
using TBrushObject = TBrush*;
using TFontObject = TFont*;
using TPenObject = TPen*;

// Drawing on a device context with a pen, a brush and a font. The canvas selects its tools
// into the DC only when it draws with them and they changed since (State tells which are in
// place), so whatever someone selects into Handle directly stays in effect until the
// canvas's own tool of that kind changes. A font selected into Handle before the canvas
// first needs its own stays as well. The canvas never owns its DC.
class TBitmap;

class TCanvas : public TPersistent {
  LUM_CLASS(TCanvas, TPersistent)
public:
  TCanvas();
  ~TCanvas() override;

  LUM_PUBLISHED(TBrushObject, Brush, FBrush, Field, NoDefault)
  LUM_PUBLISHED(TCopyMode, CopyMode, FCopyMode, Field, Default(cmSrcCopy))
  LUM_PUBLISHED(TFontObject, Font, FFont, Field, NoDefault)
  LUM_PUBLISHED(TPenObject, Pen, FPen, Field, NoDefault)

  // The DC drawn on; asking for it makes one through CreateHandle when there is none.
  HDC Handle();
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return FHandle != nullptr; }
  TCanvasState State() const { return FState; }

  // The current position, in logical coordinates.
  TPoint PenPos();
  void SetPenPos(TPoint Value);
  // The clip box of the DC.
  TRect ClipRect();
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Color);

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polyline(std::span<const TPoint> Points);
  void Polygon(std::span<const TPoint> Points);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect);
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& Rect);
  // Counter-clockwise from the radial through (X3, Y3) to the one through (X4, Y4).
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  void DrawFocusRect(const TRect& Rect);
  // fsBorder fills up to the Color border, fsSurface the area of that colour.
  void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

  // Text in the canvas's font; the background as the brush says (bsClear: transparent).
  // TextOut leaves the pen at the end of the text.
  void TextOut(int X, int Y, const String& Text);
  // Text at (X, Y), clipped to Rect, whose background is filled unless the brush is clear.
  void TextRect(const TRect& Rect, int X, int Y, const String& Text);
  TSize TextExtent(const String& Text);
  int TextWidth(const String& Text);
  int TextHeight(const String& Text);

  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // Copies Source of another canvas to Dest (stretched) with CopyMode.
  void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
  // Copies Source of Bitmap to Dest (stretched), painting the brush where the bitmap has Color.
  void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

  // Forgets which tools are selected, selecting the stock ones back.
  void Refresh();

  // Nested locks; Lock waits for nothing, as everything runs on one thread.
  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return FLockCount; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent Value) { FOnChanging = std::move(Value); }

protected:
  virtual void Changed();
  virtual void Changing();
  // Called when a handle is needed and there is none; canvases over windows make one.
  virtual void CreateHandle();
  // Makes sure the states asked for hold: a DC (EInvalidOperation "Canvas does not allow
  // drawing" when there is none), and the font, pen and brush selected.
  void RequiredState(TCanvasState ReqState);

private:
  void CreateFont();
  void CreatePen();
  void CreateBrush();
  void DeselectHandles();
  void FontChanged(TObject* Sender);
  void PenChanged(TObject* Sender);
  void BrushChanged(TObject* Sender);

  HDC FHandle = nullptr;
  TCanvasState FState;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TCopyMode FCopyMode = cmSrcCopy;
  int FLockCount = 0;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};
