#pragma once

#include "framework/classes/StringList.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"

#include <memory>

LUM_ENUM(TEffectStyle, esNone, es2ColorsVertical, es2ColorsHorizontal, es2ColorsDiagonal1,
         es2ColorsDiagonal2, es3ColorsVertical, es3ColorsHorizontal, esPictureStretch,
         esPictureTile);

// Step I (1 to 256) from Color1 to Color2, every byte of the colour value blended on its own;
// system colours count as the colour they show.
TColor EffectBlend(TColor Color1, TColor Color2, int I);
// Fills Pattern with the gradient of Style that is stretched over an effect area; the
// picture styles leave it as it is.
void BuildEffectPattern(TBitmap* Pattern, TEffectStyle Style, TColor Color1, TColor Color2);

// The settings that decide how one control's decoration looks, in the parent's coordinates.
struct TEffectGeometry {
  int EffectWidth = 5, EffectHeight = 5;
  int BorderWidth = 1; // 0 without a border
  int ShadowWidth = 4;
};
// The W × H area around Control filled with the gradient or picture.
TRect EffectArea(const TRect& Control, const TEffectGeometry& G);
// Everything a decoration may cover: area, border rings and shadow.
TRect EffectCover(const TRect& Control, const TEffectGeometry& G);
// Tiles of a Pw × Ph picture over Area from its top-left corner, the last column and row cut.
std::vector<TRect> EffectTiles(const TRect& Area, int Pw, int Ph);

class TEffectPaintHook;

// A non-visual component that decorates controls of its owner form: around each control
// named in ValidComponents it paints a frame of a gradient or a picture on the parent,
// outlined by a border and followed by a shadow to the right and below. It takes over the
// form's OnPaint (the handler that was there runs first) and paints after every form paint
// and every change of its settings. Execute opens the editor window.
class TLumEffect : public TComponent {
  LUM_CLASS(TLumEffect, TComponent)
public:
  // "This component can´t work correctly!" when the owner is no form; it then paints nothing.
  explicit TLumEffect(TComponent* AOwner);
  ~TLumEffect() override;

  LUM_PUBLISHED(TStringList*, ValidComponents, FValidComponents.get(), SetValidComponents,
                NoDefault)
  LUM_PUBLISHED(TEffectStyle, EffectStyle, FEffectStyle, SetEffectStyle, NoDefault)
  LUM_PUBLISHED(TColor, EffectColor1, FEffectColor1, SetEffectColor1, NoDefault,
                Idents(ColorIdents()))
  LUM_PUBLISHED(TColor, EffectColor2, FEffectColor2, SetEffectColor2, NoDefault,
                Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, EffectWidth, FEffectWidth, SetEffectWidth, NoDefault)
  LUM_PUBLISHED(Integer, EffectHeight, FEffectHeight, SetEffectHeight, NoDefault)
  LUM_PUBLISHED(TBorderStyle, BorderStyle, FBorderStyle, SetBorderStyle, NoDefault)
  LUM_PUBLISHED(Integer, BorderWidth, FBorderWidth, SetBorderWidth, NoDefault)
  LUM_PUBLISHED(TColor, BorderColor, FBorderColor, SetBorderColor, NoDefault, Idents(ColorIdents()))
  LUM_PUBLISHED(bool, Shadow, FShadow, SetShadow, NoDefault)
  LUM_PUBLISHED(TColor, ShadowColor, FShadowColor, SetShadowColor, NoDefault, Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, ShadowWidth, FShadowWidth, SetShadowWidth, NoDefault)
  LUM_PUBLISHED(TPicture*, Picture, FPicture.get(), SetPicture, NoDefault)

  void SetValidComponents(TStringList* Value);
  void SetEffectStyle(TEffectStyle Value);
  void SetEffectColor1(TColor Value);
  void SetEffectColor2(TColor Value);
  void SetEffectWidth(Integer Value);
  void SetEffectHeight(Integer Value);
  void SetBorderStyle(TBorderStyle Value);
  void SetBorderWidth(Integer Value);
  void SetBorderColor(TColor Value);
  void SetShadow(bool Value);
  void SetShadowColor(TColor Value);
  void SetShadowWidth(Integer Value);
  void SetPicture(TPicture* Value);

  // Opens the editor window on this painter; true when it closed with OK.
  bool Execute();

  // The form whose paint this painter follows; null when inactive.
  TCustomForm* HookedForm() const { return FForm; }
  TBitmap* Pattern() const { return FPattern.get(); }
  // Paints the decorations of every listed control now.
  void PaintEffects();
  // Draws the decoration around one control on its parent.
  void DrawEffect(TControl* Control);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Runs on every change of the picture: the decorations are painted anew.
  virtual void PictureChange(TObject* Sender);

private:
  template <class T> void Change(T& Field, T Value);
  template <class T> void ChangePattern(T& Field, T Value);
  void RebuildPattern();
  bool Active() const;
  void ListChanging(TObject* Sender);
  void ListChanged(TObject* Sender);
  void InvalidateCover(TControl* Control);
  TEffectGeometry Geometry() const;
  void FillArea(TCanvas* Canvas, const TRect& Area);
  void TileArea(TCanvas* Canvas, const TRect& Area);
  void DrawBorder(TCanvas* Canvas, const TRect& Area);
  void DrawShadow(TCanvas* Canvas, const TRect& Area);

  std::unique_ptr<TStringList> FValidComponents;
  std::unique_ptr<TStringList> FSnapshot;
  std::unique_ptr<TBitmap> FPattern;
  std::unique_ptr<TPicture> FPicture;
  std::shared_ptr<TEffectPaintHook> FHook;
  TCustomForm* FForm = nullptr;
  TEffectStyle FEffectStyle = es2ColorsVertical;
  TColor FEffectColor1 = clWhite;
  TColor FEffectColor2 = clGreen;
  TBorderStyle FBorderStyle = bsSingle;
  TColor FBorderColor = clBlack;
  Integer FEffectWidth = 5;
  Integer FEffectHeight = 5;
  Integer FBorderWidth = 1;
  bool FShadow = true;
  TColor FShadowColor = clGray;
  Integer FShadowWidth = 4;
};
