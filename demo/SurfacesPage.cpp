#include "demo/SurfacesPage.h"

#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Labels.h"
#include "framework/controls/ListBoxes.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/StdCtrls.h"
#include "indicators/LumLED.h"
#include "indicators/LumPfeil.h"
#include "indicators/LumRahmen.h"
#include "surfaces/LumEffekt.h"
#include "surfaces/LumImage.h"

namespace {

template <class C>
C* Add(TComponent* Owner, TWinControl* Parent, int Left, int Top, int Width, int Height) {
  auto* control = new C(Owner);
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}

// The form a page belongs to: the painter decorates controls its form owns.
TCustomForm* OwnerForm(TComponent* Component) {
  for (TComponent* c = Component; c; c = c->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
  return nullptr;
}

// A small landscape: sky, sun and a green hill.
TPicture* Landscape(TPicture* Picture) {
  TBitmap* bitmap = Picture->Bitmap();
  bitmap->SetSize(32, 24);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetColor(TColor(0xF0C080));
  c->FillRect(Rect(0, 0, 32, 24));
  c->Pen()->SetColor(clYellow);
  c->Brush()->SetColor(clYellow);
  c->Ellipse(20, 3, 29, 12);
  c->Pen()->SetColor(clGreen);
  c->Brush()->SetColor(clGreen);
  c->Ellipse(-10, 14, 42, 40);
  return Picture;
}

void AddDecoratedControls(TWinControl* Parent, TCustomForm* Form) {
  auto* button = Add<TButton>(Form, Parent, 20, 22, 90, 25);
  button->SetName("EffectButton");
  button->SetCaption("Decorated");
  auto* edit = Add<TEdit>(Form, Parent, 130, 24, 100, 21);
  edit->SetName("EffectEdit");
  edit->SetText("an edit");
  auto* list = Add<TListBox>(Form, Parent, 20, 68, 100, 56);
  list->SetName("EffectList");
  for (const char* item : {"gradients", "pictures", "borders", "shadows"}) list->Items()->Add(item);

  auto* effect = new TLumEffect(Form);
  for (const char* name : {"EffectButton", "EffectEdit", "EffectList"})
    effect->ValidComponents()->Add(name);
  effect->SetEffectColor1(TColor(0xFFE0C0));
  effect->SetEffectColor2(TColor(0x804000));
  TPicture picture;
  effect->SetPicture(Landscape(&picture));
  effect->SetEffectStyle(es2ColorsDiagonal1);

  // The form's paint brings the decorations; a tab sheet repaints alone, so a paint box
  // behind the page's controls asks for them too.
  auto* repaint = Add<TPaintBox>(Parent, Parent, 0, 0, 0, 0);
  repaint->SetAlign(alClient);
  repaint->SendToBack();
  repaint->SetOnPaint([effect](TObject*) { effect->PaintEffects(); });

  Add<TLabel>(Parent, Parent, 130, 60, 100, 16)->SetCaption("Effect style:");
  auto* styles = Add<TComboBox>(Parent, Parent, 130, 76, 110, 21);
  styles->SetStyle(csDropDownList);
  for (const String& name : lum::TypeInfoOf<TEffectStyle>()->EnumNames) styles->Items()->Add(name);
  styles->SetItemIndex(es2ColorsDiagonal1);
  styles->SetOnChange([effect, styles](TObject*) {
    effect->SetEffectStyle(static_cast<TEffectStyle>(styles->ItemIndex()));
  });
}

void AddImages(TWinControl* Parent) {
  TPicture picture;
  Landscape(&picture);
  const auto& names = lum::TypeInfoOf<TLumImageTyp>()->EnumNames;
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    auto* image = Add<TLumImage>(Parent, Parent, 10 + 67 * i, 140, 60, 40);
    image->SetPicture(&picture);
    image->SetImageType(static_cast<TLumImageTyp>(i));
    image->SetFrameColor(clNavy);
    Add<TLabel>(Parent, Parent, 10 + 67 * i, 182 + 12 * (i % 2), 90, 14)
        ->SetCaption(names[static_cast<size_t>(i)].substr(2));
  }
}

void AddIndicators(TWinControl* Parent) {
  auto* text = new TLumScrollText(Parent);
  text->SetBounds(396, 6, 146, 50);
  text->SetColor(clNavy);
  text->Items()->Add("LumTools");
  text->Items()->Add("surfaces and indicators");
  text->SetStart(true);
  for (int i = 0; i < 110; ++i) text->ScrollStep(); // on its way in when the page first shows

  const TColor lamps[] = {clRed, clLime, clYellow, clGreen};
  for (int i = 0; i < 4; ++i) {
    auto* led = Add<TLumLED>(Parent, Parent, 396 + 28 * i, 62, 22, 22);
    led->SetFarbe(lamps[i]);
    led->SetLichteffekt(i < 3);
  }

  const struct {
    TLumArrowTyp Type;
    int Sx, Sy, Tx, Ty;
    TColor Fill;
  } arrows[] = {{ptNormal, 252, 108, 372, 128, clYellow},
                {ptArc, 395, 95, 455, 95, clAqua},
                {ptAntiArc, 470, 125, 530, 125, clFuchsia}};
  for (const auto& a : arrows) {
    auto* arrow = new TLumArrow(Parent);
    arrow->SetParent(Parent);
    arrow->SetArrowType(a.Type);
    arrow->SetArrowWidth(8);
    arrow->SetStartX(a.Sx);
    arrow->SetStartY(a.Sy);
    arrow->SetTargetX(a.Tx);
    arrow->SetTargetY(a.Ty);
    arrow->Brush()->SetColor(a.Fill);
  }

  auto* frame = Add<TLumFrame>(Parent, Parent, 10, 210, 260, 46);
  frame->SetColor(clTeal);
  frame->SetCornerBrightColor(clYellow);
  frame->SetCornerDarkColor(clOlive);
  frame->SetBorderWidth(8);
  auto* caption = Add<TLabel>(Parent, frame, 0, 0, 100, 16);
  caption->SetAlign(alClient);
  caption->SetAlignment(taCenter);
  caption->SetCaption("A frame panel");
  caption->Font()->SetColor(clWhite);
}

} // namespace

void FillSurfaces(TWinControl* Parent) {
  if (TCustomForm* form = OwnerForm(Parent)) AddDecoratedControls(Parent, form);
  AddImages(Parent);
  AddIndicators(Parent);
}
