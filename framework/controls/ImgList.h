#pragma once

#include "framework/classes/Component.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

#include <memory>
#include <vector>

// A list of same-sized images with their masks, drawn transparently where the mask says so
// (menus and buttons show their glyphs from one). A bitmap wider than Width adds one image
// per Width pixels.
class TImageList : public TComponent {
  LUM_CLASS(TImageList, TComponent)
public:
  explicit TImageList(TComponent* AOwner);
  ~TImageList() override;

  LUM_PUBLISHED(Integer, Height, FHeight, SetHeight, Default(16))
  LUM_PUBLISHED(Integer, Width, FWidth, SetWidth, Default(16))

  // A new size empties the list.
  void SetHeight(int Value);
  void SetWidth(int Value);
  int Count() const { return static_cast<int>(FImages.size()); }

  // Adds the images of Image; Mask (may be null: all opaque) is white where transparent.
  // Answers the index of the first one; EInvalidOperation "Invalid image size" for a bitmap
  // smaller than one image.
  int Add(TBitmap* Image, TBitmap* Mask);
  // As Add, transparent where Image has MaskColor (clDefault: its bottom-left pixel).
  int AddMasked(TBitmap* Image, TColor MaskColor);
  void Delete(int Index);
  void Clear();
  // Draws image Index with its top-left corner at (X, Y); a disabled image is embossed in
  // the button highlight and shadow colours. An index outside the list draws nothing.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  // The image's pixels and whether each is opaque, row after row.
  TColor PixelOf(int Index, int X, int Y) const;
  bool OpaqueAt(int Index, int X, int Y) const;

  TNotifyEvent OnChange;

private:
  struct TImage {
    std::vector<TColor> Pixels;
    std::vector<bool> Opaque;
  };
  int AddStrip(TBitmap* Image, const std::function<bool(int X, int Y, TColor C)>& IsOpaque);
  void DrawShape(TCanvas* Canvas, int X, int Y, const TImage& Image, bool Emboss, TColor Color);
  void Change();

  int FHeight = 16;
  int FWidth = 16;
  std::vector<TImage> FImages;
};
