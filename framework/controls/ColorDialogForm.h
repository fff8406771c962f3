#pragma once

#include "framework/controls/CommonDialogs.h"

#include <array>

class TBitmap;
class TButton;
class TPaintBox;
class TSpinEdit;

inline constexpr int CustomColorCount = 16;
using TCustomColorArray = std::array<TColor, CustomColorCount>;

// A colour by hue (0 to 239), luminance and saturation (0 to 240), as the colour form's
// fields show it.
struct THls {
  int Hue = 160;
  int Lum = 0;
  int Sat = 0;
};
THls ColorToHls(TColor Color);
TColor HlsToColor(THls Hls);

// The 48 basic colours, row by row (8 to a row).
const std::array<TColor, 48>& BasicColors();
// The cell of a swatch grid (8 columns) that a client point is in, or -1.
int SwatchAt(TPoint Point, int Count);
TRect SwatchRect(int Index);

// The colour form: basic and custom swatches on the left; "Define Custom Colors >>" opens
// the right part with the picker field (hue across, saturation upwards), the luminance bar,
// the chosen colour, its fields and "Add to Custom Colors". Controls: BasicSwatches,
// CustomSwatches, DefineButton, PickerField, LumBar, ColorPreview, HueEdit, SatEdit, LumEdit,
// RedEdit, GreenEdit, BlueEdit, AddButton, OkButton, CancelButton.
class TColorDialogForm : public TForm {
  LUM_CLASS(TColorDialogForm, TForm)
public:
  TColorDialogForm(TComponent* AOwner, TColor Start, const TCustomColorArray& Custom,
                   TColorDialogOptions Options);
  ~TColorDialogForm() override;

  TColor ChosenColor() const { return FColor; }
  const TCustomColorArray& CustomColors() const { return FCustom; }
  bool FullOpen() const { return FFullOpen; }
  void OpenFull();

private:
  void BuildSwatches();
  void BuildPicker();
  TSpinEdit* AddField(const String& Name, const String& Caption, int Left, int Top, int Max);
  void PaintSwatches(TPaintBox* Box, const TColor* Colors, int Count, int Selected);
  void PaintPicker(TObject* Sender);
  void PaintLumBar(TObject* Sender);
  void PickAt(int X, int Y);
  void SetLumAt(int Y);
  enum class TFields { All, Rgb, Hls };
  void SetColor(TColor Color, bool FromHls, THls Hls, TFields Fields = TFields::All);
  void ShowFields(TFields Fields = TFields::All);
  void RgbFieldChanged();
  void HlsFieldChanged();
  void AddCustomColor();

  TColor FColor;
  THls FHls;
  TCustomColorArray FCustom;
  int FBasicIndex = -1;
  int FCustomIndex = -1;
  bool FFullOpen = false;
  bool FShowingFields = false;
  std::unique_ptr<TBitmap> FSpectrum;
  TPaintBox* FBasicSwatches = nullptr;
  TPaintBox* FCustomSwatches = nullptr;
  TButton* FDefineButton = nullptr;
  TPaintBox* FPicker = nullptr;
  TPaintBox* FLumBar = nullptr;
  TPaintBox* FPreview = nullptr;
  TSpinEdit* FHueEdit = nullptr;
  TSpinEdit* FSatEdit = nullptr;
  TSpinEdit* FLumEdit = nullptr;
  TSpinEdit* FRedEdit = nullptr;
  TSpinEdit* FGreenEdit = nullptr;
  TSpinEdit* FBlueEdit = nullptr;
};
