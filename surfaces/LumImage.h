#pragma once

#include "framework/classes/StringList.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Timer.h"
#include "framework/graphics/Picture.h"

#include <memory>
#include <vector>

LUM_ENUM(TLumImageTyp, btNormal, btCenter, btOptimal, btCenterOptimal, btPattern, btPatternOptimal,
         btPatternStretch, btStretch);

// Where a GraphicWidth by GraphicHeight picture goes in Area (the client area inside the
// frame) of a control ClientWidth by ClientHeight: one rectangle per copy, each stretched to
// its rectangle (a rectangle of the picture's own size is a 1:1 copy).
std::vector<TRect> ImagePlacement(TLumImageTyp Type, const TRect& Area, int ClientWidth,
                                  int ClientHeight, int GraphicWidth, int GraphicHeight);
// FrameWidth as the image takes it: at most half the width, then half the height, at least 1.
Word ClampedFrameWidth(Word Value, int Width, int Height);

// A windowless picture in one of eight placements (plain, centred, fitted, tiled and their
// mixtures) inside an optional frame. Loads its picture from a file by name, ".LUM" files
// (bitmaps under the library's own extension) included.
class TLumImage : public TGraphicControl {
  LUM_CLASS(TLumImage, TGraphicControl)
public:
  explicit TLumImage(TComponent* AOwner);
  ~TLumImage() override;

  LUM_PUBLISHED(TPicture*, Picture, FPicture.get(), SetPicture, NoDefault)
  LUM_PUBLISHED(String, Filename, FFilename, SetDateiname, NoDefault)
  LUM_PUBLISHED(TLumImageTyp, ImageType, FImageType, SetBildTyp, Default(btNormal))
  LUM_PUBLISHED(bool, Frame, FFrame, SetRahmen, Default(true))
  LUM_PUBLISHED(TColor, FrameColor, FFrameColor, SetRahmenfarbe, Default(clWindowText),
                Idents(ColorIdents()))
  LUM_PUBLISHED(Word, FrameWidth, FFrameWidth, SetRahmenstaerke, Default(1))

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(TComponent*, PopupMenu, FPopupMenu, TControl::SetPopupMenu, NoDefault)
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseDown, FOnMouseDown, TControl::SetOnMouseDown, NoDefault)
  LUM_PUBLISHED(TMouseMoveEvent, OnMouseMove, FOnMouseMove, TControl::SetOnMouseMove, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseUp, FOnMouseUp, TControl::SetOnMouseUp, NoDefault)

  // Copies the picture and forgets Filename.
  void SetPicture(TPicture* Value);
  // Loads the picture from the named file ("Bild nicht gefunden!" when there is none); an
  // empty name clears the picture. A ".LUM" file is read as a bitmap whatever it is named.
  void SetDateiname(const String& Value);
  void SetBildTyp(TLumImageTyp Value);
  void SetRahmen(bool Value);
  void SetRahmenfarbe(TColor Value);
  void SetRahmenstaerke(Word Value);

protected:
  void Paint() override;

private:
  template <class T> void Change(T& Field, T Value);
  void LoadPicture(const String& FileName);
  void PaintFrame();

  std::unique_ptr<TPicture> FPicture;
  String FFilename;
  TLumImageTyp FImageType = btNormal;
  bool FFrame = true;
  TColor FFrameColor = clWindowText;
  Word FFrameWidth = 1;
};

// Lines of text as a centred block that a timer moves across the control, horizontally,
// vertically or both, re-entering at the far edge. The owner, a windowed control, becomes
// its parent.
class TLumScrollText : public TPaintBox {
  LUM_CLASS(TLumScrollText, TPaintBox)
public:
  // EComponentError when the owner is no windowed control.
  explicit TLumScrollText(TComponent* AOwner);
  ~TLumScrollText() override;

  LUM_PUBLISHED(TStrings*, Items, FItems.get(), SetList, NoDefault)
  LUM_PUBLISHED(Integer, Interval, FInterval, SetIntervall, Default(100))
  LUM_PUBLISHED(Integer, ScrollPixelX, FScrollPixelX, SetScrollPixelX, Default(-1))
  LUM_PUBLISHED(Integer, ScrollPixelY, FScrollPixelY, SetScrollPixelY, Default(0))
  LUM_PUBLISHED(bool, Start, FStart, SetStart, Default(false))
  LUM_PUBLISHED(bool, Transparent, FTransparent, SetTransparenz, Default(false))
  LUM_PUBLISHED(Word, LineSpacing, FLineSpacing, SetZeilenabstand, Default(20))

  void SetList(TStrings* Value) { FItems->Assign(Value); }
  void SetIntervall(Integer Value);
  // Taken only when its magnitude is below the width (the height for Y); then a new layout.
  void SetScrollPixelX(Integer Value);
  void SetScrollPixelY(Integer Value);
  void SetStart(bool Value);
  void SetTransparenz(bool Value);
  // Takes effect at the next paint and the next layout.
  void SetZeilenabstand(Word Value) { FLineSpacing = Value; }

  // One tick: the block moves by ScrollPixelX and ScrollPixelY and wraps at the edges.
  void ScrollStep();
  // Where the block is, and the width of its widest line.
  int BlockX() const { return FX; }
  int BlockY() const { return FY; }
  int Widest() const { return FWidest; }
  TTimer* ScrollTimer() const { return FTimer.get(); }

protected:
  void Paint() override;

private:
  // Measures the lines and puts the block at its starting place.
  void Layout();
  int BlockHeight() const;

  std::unique_ptr<TStringList> FItems;
  std::unique_ptr<TTimer> FTimer;
  Integer FInterval = 100;
  Integer FScrollPixelX = -1;
  Integer FScrollPixelY = 0;
  bool FStart = false;
  bool FTransparent = false;
  Word FLineSpacing = 20;
  int FX = 0;
  int FY = 0;
  int FWidest = 1;
};
