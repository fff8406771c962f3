#pragma once

#include "framework/controls/Menus.h"
#include "framework/graphics/Picture.h"

#include <memory>

LUM_ENUM(TLumMenuStyle, lmsStandard, lmsSolid, lmsBitmap);
LUM_ENUM(TLumMenuSelectStyle, lmssBox, lmssLine, lmssEllipse, lmssArc);

// The tiles of a Width x Height picture laid from R's top-left corner, each cut at R's right
// and bottom edges; tiles that would lie wholly outside R are left out.
std::vector<TRect> BackgroundTiles(const TRect& R, int Width, int Height);

// A form's main menu whose items the library draws: in its own font, on a solid colour or a
// tiled picture, the selected item marked by a frame, an underline or an ellipse in the
// selection colour over an optional second picture. It also sets the height of menu bars.
class TLumMainMenu : public TMainMenu {
  LUM_CLASS(TLumMainMenu, TMainMenu)
public:
  explicit TLumMainMenu(TComponent* AOwner);
  ~TLumMainMenu() override;

  LUM_PUBLISHED(TPicture*, Background, FBackground, SetBackground, NoDefault)
  LUM_PUBLISHED(TColor, Color, FColor, SetColor, Default(clBtnFace), Idents(ColorIdents()))
  LUM_PUBLISHED(TFont*, Font, FFont, SetFont, NoDefault)
  LUM_PUBLISHED(Integer, MenuHeight, FMenuHeight, SetMenuHeight, Default(18))
  LUM_PUBLISHED(TLumMenuStyle, MenuStyle, FMenuStyle, SetMenuStyle, Default(lmsStandard))
  LUM_PUBLISHED(TColor, SelectColor, FSelectColor, Field, Default(clHighlight),
                Idents(ColorIdents()))
  LUM_PUBLISHED(TPicture*, SelectImage, FSelectImage, SetSelectImage, NoDefault)
  LUM_PUBLISHED(TLumMenuSelectStyle, SelectStyle, FSelectStyle, Field, Default(lmssBox))

  // Copies the picture.
  void SetBackground(TPicture* Value);
  void SetColor(TColor Value);
  // Copies the font.
  void SetFont(TFont* Value);
  // Values below 1 are ignored; at run time every menu bar takes the height.
  void SetMenuHeight(Integer Value);
  void SetMenuStyle(TLumMenuStyle Value);
  // Copies the picture.
  void SetSelectImage(TPicture* Value);

  // Hooks every item again, so the system measures and draws them anew.
  void Repaint();
  // Hooks the item's measure and draw events, then those of its sub-items.
  void Zuweisen(TMenuItem* Item);
  // The height of menu bars now: the field at design time, the system's at run time.
  Integer GetMenuHeight();
  // (0, 0, menu width, menu height) of the system metrics; all zero when they fail.
  void GetMenuSize(TRect& Rect);

  void ItemMeasureItem(TObject* Sender, TCanvas* Canvas, int& Width, int& Height);
  void ItemDrawItem(TObject* Sender, TCanvas* Canvas, TRect Rect, bool Selected);
  // Tiles SelectImage (Selected) or Background over Rect.
  void PaintBackground(TCanvas* Canvas, const TRect& Rect, bool Selected);

  void BeforeDestruction() override;

protected:
  void Loaded() override;
  // Draws (or with DT_CALCRECT measures) an item's caption the way menus do.
  virtual void DoDrawText(TMenuItem* Item, TCanvas* Canvas, const String& Caption, TRect& Rect,
                          bool Selected, int Flags);

private:
  bool AtRunTime() const { return !ComponentState().Contains(csDesigning); }
  bool TopLevel(const TMenuItem* Item) const { return Item->Parent() == Items(); }
  bool IsLastVisibleTopLevel(const TMenuItem* Item) const;
  bool IsRightToLeft() const;
  // Lets the application work off its messages, unless the owner is being read or freed.
  void ProcessPendingMessages();
  void PaintItemBackground(TCanvas* Canvas, const TRect& Rect);
  void PaintBarRest(TCanvas* Canvas, const TRect& Item);
  // Draws the item's glyph and answers its area G; HasGlyph tells whether one was drawn.
  TRect PaintGlyph(TMenuItem* Item, TCanvas* Canvas, const TRect& R, bool& HasGlyph);
  void PaintSelection(TCanvas* Canvas, TRect S);
  void PaintCaption(TMenuItem* Item, TCanvas* Canvas, const TRect& R, const TRect& G,
                    bool Selected);
  void PictureChanged(TObject* Sender);

  std::unique_ptr<TPicture> FBackground;
  TColor FColor = clBtnFace;
  std::unique_ptr<TFont> FFont;
  Integer FMenuHeight = 18;
  TLumMenuStyle FMenuStyle = lmsStandard;
  TColor FSelectColor = clHighlight;
  std::unique_ptr<TPicture> FSelectImage;
  TLumMenuSelectStyle FSelectStyle = lmssBox;
  Integer FRecordedHeight = 18;
  bool FOwnerDestroying = false; // freed as part of its owner
};
