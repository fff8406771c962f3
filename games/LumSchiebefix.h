#pragma once

#include "framework/controls/Buttons.h"
#include "framework/controls/Panels.h"

#include <array>
#include <functional>

LUM_ENUM(TDimension, dm4x4, dm5x5, dm6x6, dm7x7, dm8x8, dm9x9, dm10x10);
LUM_ENUM(TSFStyle, SfZahlen, SfText);

// The board's side: 4 to 10.
int BoardSide(TDimension Dimension);
// Whether a tile at Position may slide into the Hole (both 1 … Side²): one cell away in the
// same row or the same column.
bool NextToHole(int Position, int Hole, int Side);
// The cell whose tile one shuffling step slides into the Hole: Direction 0 left, 1 right,
// 2 up, 3 down, turned round at the board's edge.
int ShuffleTarget(int Hole, int Side, int Direction);

// A sliding-tile puzzle: an N x N board of numbered or lettered push buttons and one hole.
// A click on a tile beside the hole slides it in; the moves are counted and a solved board
// is reported.
class TLumSchiebefixspiel : public TWinControl {
  LUM_CLASS(TLumSchiebefixspiel, TWinControl)
public:
  explicit TLumSchiebefixspiel(TComponent* AOwner);

  LUM_PUBLISHED(TDimension, Dimension, FDimension, SetDimension, Default(dm4x4))
  LUM_PUBLISHED(TSFStyle, SFStyle, FSFStyle, SetSFStyle, Default(SfZahlen))
  LUM_PUBLISHED(String, Text4x4, FTexts[dm4x4], SetText4x4, NoDefault)
  LUM_PUBLISHED(String, Text5x5, FTexts[dm5x5], SetText5x5, NoDefault)
  LUM_PUBLISHED(String, Text6x6, FTexts[dm6x6], SetText6x6, NoDefault)
  LUM_PUBLISHED(String, Text7x7, FTexts[dm7x7], SetText7x7, NoDefault)
  LUM_PUBLISHED(String, Text8x8, FTexts[dm8x8], SetText8x8, NoDefault)
  LUM_PUBLISHED(String, Text9x9, FTexts[dm9x9], SetText9x9, NoDefault)
  LUM_PUBLISHED(String, Text10x10, FTexts[dm10x10], SetText10x10, NoDefault)
  LUM_PUBLISHED(bool, Aktiv, FAktiv, SetAktiv, Default(true))
  LUM_PUBLISHED(TColor, Lochfarbe, FLochfarbe, SetLochfarbe, Default(clBtnFace),
                Idents(ColorIdents()))
  LUM_PUBLISHED(TBitmap*, Glyph, FGlyph, SetGlyph, NoDefault)
  LUM_PUBLISHED(TNumGlyphs, NumGlyphs, FNumGlyphs, SetNumGlyphs, Default(1))
  LUM_PUBLISHED(TButtonLayout, Layout, FLayout, SetLayout, Default(blGlyphLeft))
  LUM_PUBLISHED(TNotifyEvent, OnChange, FOnChange, Field, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnWin, FOnWin, Field, NoDefault)

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TCursor, Cursor, FCursor, TControl::SetCursor, Default(crDefault),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(TComponent*, PopupMenu, FPopupMenu, TControl::SetPopupMenu, NoDefault)
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(Integer, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, NoDefault)
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)

  // Rebuilds the board for the new size, solved.
  void SetDimension(TDimension Value);
  void SetSFStyle(TSFStyle Value);
  void SetText4x4(const String& Value) { SetDimensionText(dm4x4, Value); }
  void SetText5x5(const String& Value) { SetDimensionText(dm5x5, Value); }
  void SetText6x6(const String& Value) { SetDimensionText(dm6x6, Value); }
  void SetText7x7(const String& Value) { SetDimensionText(dm7x7, Value); }
  void SetText8x8(const String& Value) { SetDimensionText(dm8x8, Value); }
  void SetText9x9(const String& Value) { SetDimensionText(dm9x9, Value); }
  void SetText10x10(const String& Value) { SetDimensionText(dm10x10, Value); }
  void SetAktiv(bool Value);
  void SetLochfarbe(TColor Value);
  // Copies the bitmap to every tile.
  void SetGlyph(TBitmap* Value);
  void SetNumGlyphs(TNumGlyphs Value);
  void SetLayout(TButtonLayout Value);
  Integer ZugZahl() const { return FZugZahl; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // Shuffles by legal slides from the solved board and counts from 0 again.
  void Neues_Spiel();
  // Numbers or the letters of the current text on the tiles.
  void Steine_beschriften();
  // Sizes the panel and puts every tile in its cell.
  void Steine_positionieren();
  // OnWin when every tile reads right.
  void Sieg_pruefen();
  // A tile's click: it slides into the hole when it is next to it.
  void SteinClick(TObject* Sender);

  // The board's side N, its tiles 1 … N² - 1 (each at the position its Tag holds) and the
  // free position, the lowest that no tile holds.
  int Side() const { return BoardSide(FDimension); }
  TPanel* Board() const { return FPanel; }
  TBitBtn* Tile(int Number) const;
  int Hole() const;

private:
  // The text of a dimension, brought to exactly N² - 1 characters.
  void SetDimensionText(TDimension Dimension, const String& Value);
  void BuildBoard();
  void GlyphChanged(TObject* Sender);
  bool Solved() const;

  TDimension FDimension = dm4x4;
  TSFStyle FSFStyle = SfZahlen;
  std::array<String, 7> FTexts;
  bool FAktiv = true;
  TColor FLochfarbe = clBtnFace;
  std::unique_ptr<TBitmap> FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  TButtonLayout FLayout = blGlyphLeft;
  Integer FZugZahl = 0;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnWin;
  TPanel* FPanel = nullptr;
  std::vector<TBitBtn*> FTiles;
};
