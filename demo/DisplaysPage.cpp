#include "demo/DisplaysPage.h"

#include "displays/LumDigit.h"
#include "displays/LumDigitEditor.h"
#include "displays/LumProgressBar.h"
#include "displays/LumStat.h"
#include "displays/LumTacho.h"
#include "framework/controls/Application.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Labels.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/rtl/DateTime.h"

#include <cmath>
#include <filesystem>

namespace {

constexpr Cardinal TickInterval = 100;
constexpr int Samples = 600;

template <class C> C* Add(TWinControl* Parent, int Left, int Top, int Width, int Height) {
  auto* control = new C(Parent);
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}

void AddCaption(TWinControl* Parent, const String& Caption, int Left, int Top) {
  Add<TLabel>(Parent, Left, Top, 120, 16)->SetCaption(Caption);
}

// Two overlapping bumps of measurements: a value and a weight per sample.
void FillChart(TLumHistogram* Chart) {
  Chart->InitValues();
  for (int i = 0; i < Samples; ++i) {
    const double spread = std::sin(i * 0.37) * std::cos(i * 0.11);
    const double x = (i % 3 == 0 ? 7.0 : 4.0) + 2.5 * spread;
    Chart->AddValue(static_cast<float>(x), static_cast<float>(1 + i % 4));
  }
}

TLumHistogram* AddChart(TWinControl* Parent) {
  auto* chart = Add<TLumHistogram>(Parent, 8, 8, 262, 196);
  chart->SetXAxisPosition(150);
  chart->SetYAxisPosition(44);
  chart->SetHorizontalGrid(true);
  chart->SetNameXAxis("mm");
  chart->SetNameYAxis("n");
  FillChart(chart);

  AddCaption(Parent, "Chart type:", 8, 214);
  auto* types = Add<TComboBox>(Parent, 80, 210, 130, 21);
  types->SetStyle(csDropDownList);
  for (const String& name : lum::TypeInfoOf<TTLumHistogramType>()->EnumNames)
    types->Items()->Add(name);
  types->SetItemIndex(0);
  types->SetOnChange([chart, types](TObject*) {
    const int type = types->ItemIndex();
    chart->SetHistogramType(static_cast<TTLumHistogramType>(type));
    chart->SetScaleType(type == ctXYPlot ? saManually : saAutoXY);
    chart->Invalidate();
  });

  AddCaption(Parent, "Intervals:", 8, 242);
  auto* intervals = Add<TSpinEdit>(Parent, 80, 238, 60, 22);
  intervals->SetMinValue(2);
  intervals->SetMaxValue(200);
  intervals->SetValue(10);
  intervals->SetOnChange([chart, intervals](TObject*) {
    const int n = intervals->Value();
    if (n < 2 || n > 200) return;
    chart->SetNumberOfHorizontalIntervals(static_cast<Word>(n));
    chart->SetNumberOfVerticalIntervals(static_cast<Word>(n));
  });
  return chart;
}

// What moves on the page, stepped by its own timer; the page owns it.
class TMovingDisplays : public TComponent {
  LUM_CLASS(TMovingDisplays, TComponent)
public:
  explicit TMovingDisplays(TComponent* AOwner) : TComponent(AOwner), FTimer(new TTimer(this)) {
    FTimer->SetInterval(TickInterval);
    FTimer->SetOnTimer([this](TObject*) { Step(); });
  }

  TLumTacho* Gauge = nullptr;
  TLumDigit* Clock = nullptr;
  TLumProgressBar* Bars[3] = {};
  TProgressBar* Standard = nullptr;

private:
  void Step() {
    ++FTick;
    Gauge->SetPosition(50 + 40 * std::sin(FTick * 0.05) + 8 * std::sin(FTick * 0.31));
    Clock->SetDigitScrolling(true);
    Clock->SetValue(VarFromDateTime(Time()));
    for (TLumProgressBar* bar : Bars) {
      bar->StepIt();
      if (bar->Position() >= bar->Max()) bar->SetPosition(bar->Min());
    }
    Standard->StepIt();
  }

  TTimer* FTimer;
  int FTick = 0;
};

} // namespace

void FillDisplays(TWinControl* Parent) {
  AddChart(Parent);
  auto* moving = new TMovingDisplays(Parent);

  moving->Gauge = Add<TLumTacho>(Parent, 282, 8, 176, 120);
  moving->Gauge->SetMaxValue(100);
  moving->Gauge->SetPosition(62);
  moving->Gauge->SetPinRadius(6);

  auto* ring = Add<TLumTacho>(Parent, 462, 8, 80, 60);
  ring->SetPointerType(zfRing);
  ring->SetScale(tsNone);
  ring->SetPosition(7);

  moving->Clock = Add<TLumDigit>(Parent, 282, 134, 112, DigitGlyphHeight);
  moving->Clock->SetDigitCount(8);
  moving->Clock->SetDigitStyle(dsTime);
  moving->Clock->SetValue(VarFromDateTime(EncodeDate(2024, 1, 1) + 0.5 + 0.25 / 12));
  auto* edit = Add<TButton>(Parent, 402, 131, 100, 25);
  edit->SetCaption("Edit digit…");
  edit->SetOnClick([clock = moving->Clock](TObject*) { clock->Edit_aufrufen(); });

  const struct {
    bool Led;
    TFrameStyle Outer, Inner;
    double Position;
  } bars[] = {{false, fsLowered, fsNone, 45},
              {true, fsLowered, fsNone, 70},
              {true, fsRaised, fsLowered, 30}};
  for (int i = 0; i < 3; ++i) {
    auto* bar = Add<TLumProgressBar>(Parent, 282, 162 + 28 * i, 230, 22);
    bar->SetSmooth(bars[i].Led);
    bar->SetBorderOuter(bars[i].Outer);
    bar->SetBorderInner(bars[i].Inner);
    bar->SetPosition(bars[i].Position);
    moving->Bars[i] = bar;
  }
  moving->Bars[2]->SetBarColor(TColor(0x008000));
  moving->Bars[2]->SetTextUnit("kg");
  auto* upright = Add<TLumProgressBar>(Parent, 518, 76, 22, 170);
  upright->SetPosition(60);

  moving->Standard = Add<TProgressBar>(Parent, 282, 248, 230, 16);
  moving->Standard->SetPosition(40);
  moving->Standard->SetStep(2);
}

String RenderDigitEditorPicture(const String& Dir) {
  std::filesystem::create_directories(Dir);
  TScriptedUser user;
  auto* window = CreateForm<TLumDigitFenster>(Application());
  const String path = (std::filesystem::path(Dir) / "digit-editor.png").string();
  try {
    TLumDigit* preview = window->Preview();
    TPicture navy;
    navy.Bitmap()->LoadFromResourceName(nullptr, "LumDigitBitmap2");
    preview->SetDigitBitmap(&navy);
    preview->SetDigitCount(9);
    preview->SetDecimals(3);
    preview->SetValue(-273.15);
    window->Show();
    user.ProcessMessages();
    user.SaveSnapshot(window, path);
  } catch (...) {
    window->Free();
    throw;
  }
  window->Free();
  return path;
}
