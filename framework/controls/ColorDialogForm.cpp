#include "framework/controls/ColorDialogForm.h"

#include "framework/controls/DialogParts.h"
#include "framework/controls/Labels.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int HlsMax = 240, RgbMax = 255, UndefinedHue = HlsMax * 2 / 3;
constexpr int CellWidth = 26, CellHeight = 22, Columns = 8;
constexpr int LeftWidth = 224, FullWidth = 480, FormHeight = 296;
constexpr int PickerLeft = 232, PickerWidth = 180, PickerHeight = 150;

int Red(TColor C) { return C & 0xFF; }
int Green(TColor C) { return (C >> 8) & 0xFF; }
int Blue(TColor C) { return (C >> 16) & 0xFF; }
TColor Rgb(int R, int G, int B) { return static_cast<TColor>(R | (G << 8) | (B << 16)); }

int HueToRgb(int N1, int N2, int Hue) {
  if (Hue < 0) Hue += HlsMax;
  if (Hue > HlsMax) Hue -= HlsMax;
  if (Hue < HlsMax / 6) return N1 + ((N2 - N1) * Hue + HlsMax / 12) / (HlsMax / 6);
  if (Hue < HlsMax / 2) return N2;
  if (Hue < HlsMax * 2 / 3)
    return N1 + ((N2 - N1) * (HlsMax * 2 / 3 - Hue) + HlsMax / 12) / (HlsMax / 6);
  return N1;
}

int HueDelta(int Max, int Value, int Range) {
  return ((Max - Value) * (HlsMax / 6) + Range / 2) / Range;
}

void FrameSelected(TCanvas* Canvas, TRect R) {
  Canvas->Brush()->SetColor(clBlack);
  Canvas->FrameRect(R);
  Canvas->DrawFocusRect(Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1));
}

} // namespace

THls ColorToHls(TColor Color) {
  const int r = Red(Color), g = Green(Color), b = Blue(Color);
  const int max = std::max({r, g, b}), min = std::min({r, g, b});
  THls hls;
  hls.Lum = ((max + min) * HlsMax + RgbMax) / (2 * RgbMax);
  if (max == min) {
    hls.Hue = UndefinedHue;
    return hls;
  }
  const int range = max - min, sum = max + min;
  hls.Sat = hls.Lum <= HlsMax / 2 ? (range * HlsMax + sum / 2) / sum
                                  : (range * HlsMax + (2 * RgbMax - sum) / 2) / (2 * RgbMax - sum);
  const int dr = HueDelta(max, r, range), dg = HueDelta(max, g, range),
            db = HueDelta(max, b, range);
  int hue = r == max ? db - dg : g == max ? HlsMax / 3 + dr - db : HlsMax * 2 / 3 + dg - dr;
  if (hue < 0) hue += HlsMax;
  if (hue >= HlsMax) hue -= HlsMax;
  hls.Hue = hue;
  return hls;
}

TColor HlsToColor(THls Hls) {
  const int l = Hls.Lum, s = Hls.Sat;
  if (s == 0) {
    const int grey = l * RgbMax / HlsMax;
    return Rgb(grey, grey, grey);
  }
  const int m2 = l <= HlsMax / 2 ? (l * (HlsMax + s) + HlsMax / 2) / HlsMax
                                 : l + s - (l * s + HlsMax / 2) / HlsMax;
  const int m1 = 2 * l - m2;
  const auto channel = [&](int Hue) {
    return std::clamp((HueToRgb(m1, m2, Hue) * RgbMax + HlsMax / 2) / HlsMax, 0, RgbMax);
  };
  return Rgb(channel(Hls.Hue + HlsMax / 3), channel(Hls.Hue), channel(Hls.Hue - HlsMax / 3));
}

const std::array<TColor, 48>& BasicColors() {
  static const std::array<TColor, 48> colors{
      0x8080FF, 0x80FFFF, 0x80FF80, 0x80FF00, 0xFFFF80, 0xFF8000, 0xC080FF, 0xFF80FF,
      0x0000FF, 0x00FFFF, 0x00FF80, 0x40FF00, 0xFFFF00, 0xC08000, 0xC08080, 0xFF00FF,
      0x404080, 0x4080FF, 0x00FF00, 0x808000, 0x804000, 0xFF8080, 0x400080, 0x8000FF,
      0x000080, 0x0080FF, 0x008000, 0x408000, 0xFF0000, 0xA00000, 0x800080, 0xFF0080,
      0x000040, 0x004080, 0x004000, 0x404000, 0x800000, 0x400000, 0x400040, 0x800040,
      0x000000, 0x008080, 0x408080, 0x808080, 0x808040, 0xC0C0C0, 0x400040, 0xFFFFFF};
  return colors;
}

int SwatchAt(TPoint Point, int Count) {
  if (Point.X < 0 || Point.Y < 0 || Point.X >= Columns * CellWidth) return -1;
  const int index = Point.Y / CellHeight * Columns + Point.X / CellWidth;
  return index < Count ? index : -1;
}

TRect SwatchRect(int Index) {
  const int left = Index % Columns * CellWidth, top = Index / Columns * CellHeight;
  return Rect(left, top, left + CellWidth, top + CellHeight);
}

TColorDialogForm::TColorDialogForm(TComponent* AOwner, TColor Start,
                                   const TCustomColorArray& Custom, TColorDialogOptions Options)
    : TForm(AOwner), FColor(ColorToRGB(Start)), FHls(ColorToHls(FColor)), FCustom(Custom) {
  SetUpDialogForm(this, "Color", LeftWidth, FormHeight);
  BuildSwatches();
  BuildPicker();
  const auto& basic = BasicColors();
  const auto inBasic = std::find(basic.begin(), basic.end(), FColor);
  const auto inCustom = std::find(FCustom.begin(), FCustom.end(), FColor);
  if (inBasic != basic.end())
    FBasicIndex = static_cast<int>(inBasic - basic.begin());
  else if (inCustom != FCustom.end())
    FCustomIndex = static_cast<int>(inCustom - FCustom.begin());
  ShowFields();
  FDefineButton->SetEnabled(!Options.Contains(cdPreventFullOpen));
  if (Options.Contains(cdFullOpen)) OpenFull();
}

TColorDialogForm::~TColorDialogForm() = default;

void TColorDialogForm::BuildSwatches() {
  FBasicSwatches = PlaceNamed<TPaintBox>(this, this, "BasicSwatches",
                                         Bounds(8, 24, Columns * CellWidth, 6 * CellHeight));
  FBasicSwatches->SetOnPaint(
      [this](TObject*) { PaintSwatches(FBasicSwatches, BasicColors().data(), 48, FBasicIndex); });
  FBasicSwatches->SetOnMouseDown([this](TObject*, TMouseButton, TShiftState, int X, int Y) {
    const int index = SwatchAt(TPoint{X, Y}, 48);
    if (index < 0) return;
    FBasicIndex = index;
    FCustomIndex = -1;
    SetColor(BasicColors()[index], false, {});
  });
  AddDialogLabel(this, this, "&Basic colors:", 8, 8);
  FCustomSwatches = PlaceNamed<TPaintBox>(this, this, "CustomSwatches",
                                          Bounds(8, 182, Columns * CellWidth, 2 * CellHeight));
  FCustomSwatches->SetOnPaint([this](TObject*) {
    PaintSwatches(FCustomSwatches, FCustom.data(), CustomColorCount, FCustomIndex);
  });
  FCustomSwatches->SetOnMouseDown([this](TObject*, TMouseButton, TShiftState, int X, int Y) {
    const int index = SwatchAt(TPoint{X, Y}, CustomColorCount);
    if (index < 0) return;
    FCustomIndex = index;
    FBasicIndex = -1;
    SetColor(FCustom[index], false, {});
  });
  AddDialogLabel(this, this, "&Custom colors:", 8, 166);
  FDefineButton = AddDialogButton(this, "DefineButton", "&Define Custom Colors >>", mrNone, 8, 232);
  FDefineButton->SetWidth(Columns * CellWidth);
  FDefineButton->SetOnClick([this](TObject*) { OpenFull(); });
  auto* ok = AddDialogButton(this, "OkButton", "OK", mrOk, 8, 264);
  ok->SetDefault(true);
  SetActiveControl(ok);
  AddDialogButton(this, "CancelButton", "Cancel", mrCancel, 90, 264)->SetCancel(true);
}

void TColorDialogForm::BuildPicker() {
  FSpectrum = std::make_unique<TBitmap>();
  FSpectrum->SetPixelFormat(pf32bit);
  FSpectrum->SetSize(PickerWidth, PickerHeight);
  for (int y = 0; y < PickerHeight; ++y) {
    auto* row = static_cast<std::uint8_t*>(FSpectrum->ScanLine(y));
    for (int x = 0; x < PickerWidth; ++x) {
      const TColor c = HlsToColor({x * HlsMax / PickerWidth, HlsMax / 2,
                                   (PickerHeight - 1 - y) * HlsMax / (PickerHeight - 1)});
      row[4 * x] = static_cast<std::uint8_t>(Blue(c));
      row[4 * x + 1] = static_cast<std::uint8_t>(Green(c));
      row[4 * x + 2] = static_cast<std::uint8_t>(Red(c));
      row[4 * x + 3] = 0;
    }
  }
  FPicker = PlaceNamed<TPaintBox>(this, this, "PickerField",
                                  Bounds(PickerLeft, 8, PickerWidth, PickerHeight));
  FPicker->SetOnPaint([this](TObject* s) { PaintPicker(s); });
  const auto pick = [this](int X, int Y) { PickAt(X, Y); };
  FPicker->SetOnMouseDown(
      [pick](TObject*, TMouseButton, TShiftState, int X, int Y) { pick(X, Y); });
  FPicker->SetOnMouseMove([pick](TObject*, TShiftState Shift, int X, int Y) {
    if (Shift.Contains(ssLeft)) pick(X, Y);
  });
  FLumBar = PlaceNamed<TPaintBox>(this, this, "LumBar",
                                  Bounds(PickerLeft + PickerWidth + 8, 8, 24, PickerHeight));
  FLumBar->SetOnPaint([this](TObject* s) { PaintLumBar(s); });
  FLumBar->SetOnMouseDown([this](TObject*, TMouseButton, TShiftState, int, int Y) { SetLumAt(Y); });
  FLumBar->SetOnMouseMove([this](TObject*, TShiftState Shift, int, int Y) {
    if (Shift.Contains(ssLeft)) SetLumAt(Y);
  });
  FPreview = PlaceNamed<TPaintBox>(this, this, "ColorPreview", Bounds(PickerLeft, 166, 64, 42));
  FPreview->SetOnPaint([this](TObject*) {
    FPreview->Canvas()->Brush()->SetColor(FColor);
    FPreview->Canvas()->Pen()->SetColor(clBlack);
    FPreview->Canvas()->Rectangle(FPreview->ClientRect());
  });
  AddDialogLabel(this, this, "Color|Solid", PickerLeft + 4, 212);
  FHueEdit = AddField("HueEdit", "Hu&e:", 304, 166, HlsMax - 1);
  FSatEdit = AddField("SatEdit", "&Sat:", 304, 190, HlsMax);
  FLumEdit = AddField("LumEdit", "&Lum:", 304, 214, HlsMax);
  FRedEdit = AddField("RedEdit", "&Red:", 392, 166, RgbMax);
  FGreenEdit = AddField("GreenEdit", "&Green:", 392, 190, RgbMax);
  FBlueEdit = AddField("BlueEdit", "Bl&ue:", 392, 214, RgbMax);
  for (TSpinEdit* edit : {FHueEdit, FSatEdit, FLumEdit})
    edit->SetOnChange([this](TObject*) { HlsFieldChanged(); });
  for (TSpinEdit* edit : {FRedEdit, FGreenEdit, FBlueEdit})
    edit->SetOnChange([this](TObject*) { RgbFieldChanged(); });
  auto* add = AddDialogButton(this, "AddButton", "&Add to Custom Colors", mrNone, PickerLeft, 264);
  add->SetWidth(FullWidth - PickerLeft - 8);
  add->SetOnClick([this](TObject*) { AddCustomColor(); });
}

TSpinEdit* TColorDialogForm::AddField(const String& Name, const String& Caption, int Left, int Top,
                                      int Max) {
  auto* edit = PlaceNamed<TSpinEdit>(this, this, Name, Bounds(Left + 40, Top, 44, 21));
  edit->SetMinValue(0);
  edit->SetMaxValue(Max);
  AddDialogLabel(this, this, Caption, Left, Top + 3, edit);
  return edit;
}

void TColorDialogForm::OpenFull() {
  if (FFullOpen) return;
  FFullOpen = true;
  SetClientWidth(FullWidth);
  FDefineButton->SetEnabled(false);
}

void TColorDialogForm::PaintSwatches(TPaintBox* Box, const TColor* Colors, int Count,
                                     int Selected) {
  TCanvas* canvas = Box->Canvas();
  for (int i = 0; i < Count; ++i) {
    const TRect cell = SwatchRect(i);
    canvas->Brush()->SetColor(Colors[i]);
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Rectangle(cell.Left + 3, cell.Top + 3, cell.Right - 3, cell.Bottom - 3);
    if (i == Selected) FrameSelected(canvas, cell);
  }
}

void TColorDialogForm::PaintPicker(TObject*) {
  TCanvas* canvas = FPicker->Canvas();
  canvas->Draw(0, 0, FSpectrum.get());
  const int x = FHls.Hue * PickerWidth / HlsMax;
  const int y = PickerHeight - 1 - FHls.Sat * (PickerHeight - 1) / HlsMax;
  canvas->Pen()->SetColor(clBlack);
  canvas->MoveTo(x - 8, y);
  canvas->LineTo(x - 2, y);
  canvas->MoveTo(x + 3, y);
  canvas->LineTo(x + 9, y);
  canvas->MoveTo(x, y - 8);
  canvas->LineTo(x, y - 2);
  canvas->MoveTo(x, y + 3);
  canvas->LineTo(x, y + 9);
}

void TColorDialogForm::PaintLumBar(TObject*) {
  TCanvas* canvas = FLumBar->Canvas();
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(FLumBar->ClientRect());
  for (int y = 0; y < PickerHeight; ++y) {
    canvas->Pen()->SetColor(
        HlsToColor({FHls.Hue, (PickerHeight - 1 - y) * HlsMax / (PickerHeight - 1), FHls.Sat}));
    canvas->MoveTo(0, y);
    canvas->LineTo(12, y);
  }
  const int y = PickerHeight - 1 - FHls.Lum * (PickerHeight - 1) / HlsMax;
  canvas->Brush()->SetColor(clBlack);
  canvas->Pen()->SetColor(clBlack);
  const TPoint arrow[] = {{14, y}, {22, y - 5}, {22, y + 5}};
  canvas->Polygon(arrow);
}

void TColorDialogForm::PickAt(int X, int Y) {
  THls hls = FHls;
  hls.Hue = std::clamp(X * HlsMax / PickerWidth, 0, HlsMax - 1);
  hls.Sat = std::clamp((PickerHeight - 1 - Y) * HlsMax / (PickerHeight - 1), 0, HlsMax);
  SetColor(HlsToColor(hls), true, hls);
}

void TColorDialogForm::SetLumAt(int Y) {
  THls hls = FHls;
  hls.Lum = std::clamp((PickerHeight - 1 - Y) * HlsMax / (PickerHeight - 1), 0, HlsMax);
  SetColor(HlsToColor(hls), true, hls);
}

void TColorDialogForm::SetColor(TColor Color, bool FromHls, THls Hls, TFields Fields) {
  FColor = Color;
  FHls = FromHls ? Hls : ColorToHls(Color);
  ShowFields(Fields);
}

void TColorDialogForm::ShowFields(TFields Fields) {
  FShowingFields = true;
  if (Fields != TFields::Rgb) {
    FHueEdit->SetValue(FHls.Hue);
    FSatEdit->SetValue(FHls.Sat);
    FLumEdit->SetValue(FHls.Lum);
  }
  if (Fields != TFields::Hls) {
    FRedEdit->SetValue(Red(FColor));
    FGreenEdit->SetValue(Green(FColor));
    FBlueEdit->SetValue(Blue(FColor));
  }
  FShowingFields = false;
  for (TPaintBox* box : {FBasicSwatches, FCustomSwatches, FPicker, FLumBar, FPreview})
    box->Invalidate();
}

// A field being typed in is left as it is; the other group follows it.
void TColorDialogForm::RgbFieldChanged() {
  if (FShowingFields) return;
  const auto channel = [](TSpinEdit* Edit) { return std::clamp<int>(Edit->Value(), 0, RgbMax); };
  SetColor(Rgb(channel(FRedEdit), channel(FGreenEdit), channel(FBlueEdit)), false, {},
           TFields::Hls);
}

void TColorDialogForm::HlsFieldChanged() {
  if (FShowingFields) return;
  const THls hls{std::clamp<int>(FHueEdit->Value(), 0, HlsMax - 1),
                 std::clamp<int>(FLumEdit->Value(), 0, HlsMax),
                 std::clamp<int>(FSatEdit->Value(), 0, HlsMax)};
  SetColor(HlsToColor(hls), true, hls, TFields::Rgb);
}

void TColorDialogForm::AddCustomColor() {
  const int target = FCustomIndex >= 0 ? FCustomIndex : 0;
  FCustom[target] = FColor;
  FCustomIndex = (target + 1) % CustomColorCount;
  FBasicIndex = -1;
  FCustomSwatches->Invalidate();
}
