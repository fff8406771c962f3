#include "styled/LumMainMenu.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Application.h"
#include "framework/controls/Control.h"
#include "framework/controls/Labels.h"
#include "framework/win32/Windows.h"

#include <algorithm>
#include <optional>

namespace {

const bool MainMenuRegistered = (RegisterClass<TLumMainMenu>(), true);

constexpr UINT RtlReading = 0x20000;
constexpr int ShortCutMargins = 15;
constexpr int MeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;

// The menus that set the bar height at run time, the latest setter last, and the height
// the first of them found: the height shown is always the latest living setter's.
struct THeightClaims {
  std::vector<const TLumMainMenu*> Menus;
  Integer Original = 0;
};

THeightClaims& Claims() {
  static THeightClaims claims;
  return claims;
}

void Claim(const TLumMainMenu* Menu, Integer Recorded) {
  auto& menus = Claims().Menus;
  if (menus.empty()) Claims().Original = Recorded;
  std::erase(menus, Menu);
  menus.push_back(Menu);
}

// The height to put back when Menu goes away, if its height is the one shown.
std::optional<Integer> Release(const TLumMainMenu* Menu) {
  auto& menus = Claims().Menus;
  if (std::find(menus.begin(), menus.end(), Menu) == menus.end()) return std::nullopt;
  const bool shown = menus.back() == Menu;
  std::erase(menus, Menu);
  if (!shown) return std::nullopt;
  if (menus.empty()) return Claims().Original;
  return menus.back()->MenuHeight();
}

bool ReadMetrics(NONCLIENTMETRICSA& Metrics) {
  return SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, 0) != FALSE;
}

void WriteSystemMenuHeight(Integer Value) {
  NONCLIENTMETRICSA metrics;
  if (!ReadMetrics(metrics)) return;
  metrics.iMenuHeight = Value;
  SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
}

bool Busy(const TComponent* Component) {
  const TComponentState state = Component->ComponentState();
  return !(state * TComponentState{csLoading, csReading, csDestroying}).Empty();
}

TRect Moved(const TRect& R, int DX, int DY) {
  return Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY);
}

// The system check mark, transparent, in the button text colour.
void DrawCheckMark(TCanvas* Canvas, const TRect& G) {
  TBitmap mark;
  mark.SetHandle(LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECK)));
  if (mark.Empty()) return;
  const int x = G.Left + (G.Width() - mark.Width()) / 2 + 1;
  const int y = G.Top + (G.Height() - mark.Height()) / 2 + 1;
  for (int row = 0; row < mark.Height(); ++row)
    for (int col = 0; col < mark.Width(); ++col)
      if ((ColorToRGB(mark.Canvas()->Pixels(col, row)) & 0xFFFFFF) == 0)
        Canvas->SetPixels(x + col, y + row, clBtnText);
}

// A bitmap smaller than G, centred in it one pixel right and low; otherwise G.
TRect CentredIn(const TRect& G, int Width, int Height) {
  TRect r = G;
  if (Width < G.Width()) {
    r.Left = G.Left + (G.Width() - Width) / 2 + 1;
    r.Right = r.Left + Width;
  }
  if (Height < G.Height()) {
    r.Top = G.Top + (G.Height() - Height) / 2 + 1;
    r.Bottom = r.Top + Height;
  }
  return r;
}

} // namespace

std::vector<TRect> BackgroundTiles(const TRect& R, int Width, int Height) {
  std::vector<TRect> tiles;
  if (Width < 1 || Height < 1) return tiles;
  const int columns = R.Width() / Width + 1, rows = R.Height() / Height + 1;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) {
      const int x = R.Left + column * Width, y = R.Top + row * Height;
      if (x >= R.Right || y >= R.Bottom) continue;
      tiles.push_back(Rect(x, y, std::min(x + Width, R.Right), std::min(y + Height, R.Bottom)));
    }
  return tiles;
}

TLumMainMenu::TLumMainMenu(TComponent* AOwner)
    : TMainMenu(AOwner), FBackground(std::make_unique<TPicture>()),
      FFont(std::make_unique<TFont>()), FSelectImage(std::make_unique<TPicture>()) {
  FFont->SetName("MS Sans Serif");
  FFont->SetStyle(TFontStyles{fsBold});
  FFont->SetOnChange([this](TObject*) { Repaint(); });
  FBackground->SetOnChange([this](TObject* Sender) { PictureChanged(Sender); });
  FRecordedHeight = GetMenuHeight();
  ProcessPendingMessages();
}

TLumMainMenu::~TLumMainMenu() {
  if (const std::optional<Integer> height = Release(this)) WriteSystemMenuHeight(*height);
  ProcessPendingMessages();
}

void TLumMainMenu::BeforeDestruction() {
  // An owner that is going away has marked its components before freeing them.
  FOwnerDestroying = ComponentState().Contains(csDestroying);
  TMainMenu::BeforeDestruction();
}

void TLumMainMenu::ProcessPendingMessages() {
  if (FOwnerDestroying || ComponentState().Contains(csLoading)) return;
  if (Owner() && Busy(Owner())) return;
  Application()->ProcessMessages();
}

void TLumMainMenu::SetBackground(TPicture* Value) { FBackground->Assign(Value); }

void TLumMainMenu::PictureChanged(TObject*) {
  if (FMenuStyle == lmsBitmap) Repaint();
}

void TLumMainMenu::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  if (FMenuStyle == lmsSolid) Repaint();
}

void TLumMainMenu::SetFont(TFont* Value) { FFont->Assign(Value); }

void TLumMainMenu::SetMenuHeight(Integer Value) {
  if (Value < 1) return;
  FMenuHeight = Value;
  if (!AtRunTime()) return;
  Claim(this, FRecordedHeight);
  WriteSystemMenuHeight(Value);
}

void TLumMainMenu::SetMenuStyle(TLumMenuStyle Value) {
  if (FMenuStyle == Value) return;
  FMenuStyle = Value;
  SetOwnerDraw(Value != lmsStandard);
  Repaint();
}

void TLumMainMenu::SetSelectImage(TPicture* Value) { FSelectImage->Assign(Value); }

void TLumMainMenu::Loaded() {
  TMainMenu::Loaded();
  Repaint();
}

void TLumMainMenu::Repaint() { Zuweisen(Items()); }

void TLumMainMenu::Zuweisen(TMenuItem* Item) {
  const String caption = Item->Caption();
  Item->SetCaption("?");
  Item->SetOnMeasureItem([this](TObject* Sender, TCanvas* Canvas, int& Width, int& Height) {
    ItemMeasureItem(Sender, Canvas, Width, Height);
  });
  Item->SetOnDrawItem([this](TObject* Sender, TCanvas* Canvas, TRect R, bool Selected) {
    ItemDrawItem(Sender, Canvas, R, Selected);
  });
  Item->SetCaption(caption);
  for (int i = 0; i < Item->Count(); ++i) Zuweisen(Item->Items(i));
}

Integer TLumMainMenu::GetMenuHeight() {
  if (!AtRunTime()) return FMenuHeight;
  NONCLIENTMETRICSA metrics;
  return ReadMetrics(metrics) ? metrics.iMenuHeight : FMenuHeight;
}

void TLumMainMenu::GetMenuSize(TRect& R) {
  NONCLIENTMETRICSA metrics;
  R = ReadMetrics(metrics) ? Rect(0, 0, metrics.iMenuWidth, metrics.iMenuHeight) : TRect{};
}

bool TLumMainMenu::IsLastVisibleTopLevel(const TMenuItem* Item) const {
  for (int i = Items()->Count() - 1; i >= 0; --i)
    if (Items()->Items(i)->Visible()) return Items()->Items(i) == Item;
  return false;
}

bool TLumMainMenu::IsRightToLeft() const {
  const auto* owner = dynamic_cast<const TControl*>(Owner());
  return owner && owner->BiDiMode() != bdLeftToRight;
}

void TLumMainMenu::ItemMeasureItem(TObject* Sender, TCanvas* Canvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item) return;
  TRect size;
  GetMenuSize(size);
  Width = size.Right;
  Height = size.Bottom;
  const bool top = TopLevel(item);
  TImageList* images = Images();
  bool glyph = false;
  if (item->IsLine()) {
    Height = 5;
    Width = -2;
  } else if (images && (item->ImageIndex() > -1 || !top)) {
    Width = images->Width();
    if (!top) Height = std::max(Height, images->Height());
    glyph = true;
  } else if (item->HasBitmap()) {
    Width = item->Bitmap()->Width();
    if (!top) Height = std::max(Height, item->Bitmap()->Height());
    glyph = true;
  } else {
    Width = -7;
  }
  if (!top) {
    if (glyph) Width += 15;
    Height += 3;
  }
  String text = item->Caption();
  if (item->ShortCut()) text += ShortCutToText(item->ShortCut());
  Canvas->Font()->Assign(FFont.get());
  TRect r{};
  DoDrawText(item, Canvas, text, r, false, MeasureFlags | AlignmentFlags());
  Width += r.Width() + 7;
  // Room for the margins the drawing leaves around a drop-down item's shortcut, which would
  // otherwise be drawn over the caption.
  if (item->ShortCut() && !top) Width += ShortCutMargins;
}

void TLumMainMenu::DoDrawText(TMenuItem* Item, TCanvas* Canvas, const String& Caption, TRect& R,
                              bool Selected, int Flags) {
  UINT flags = static_cast<UINT>(Flags);
  if (IsRightToLeft()) flags |= DT_RIGHT | RtlReading;
  const bool measuring = (flags & DT_CALCRECT) != 0;
  String text = Caption;
  if (measuring && (text.empty() || text == "&")) text += ' ';
  if (text == "-") {
    if (measuring) return;
    TRect line = R;
    line.Top += 4;
    DrawEdge(Canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  Canvas->Brush()->SetStyle(bsClear);
  if (Item->Default()) Canvas->Font()->SetStyle(Canvas->Font()->Style() + TFontStyles{fsBold});
  if (!Item->Enabled()) {
    if (!Selected) {
      TRect raised = Moved(R, 1, 1);
      Canvas->Font()->SetColor(clBtnHighlight);
      CanvasDrawText(Canvas, text, raised, flags);
    }
    const bool plain = Selected && ColorToRGB(clHighlight) == ColorToRGB(clBtnShadow);
    Canvas->Font()->SetColor(plain ? clBtnHighlight : clBtnShadow);
  }
  CanvasDrawText(Canvas, text, R, flags);
}

void TLumMainMenu::ItemDrawItem(TObject* Sender, TCanvas* Canvas, TRect R, bool Selected) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item) return;
  if (!Selected) Canvas->FillRect(R);
  if (TopLevel(item) && IsLastVisibleTopLevel(item)) PaintBarRest(Canvas, R);
  PaintItemBackground(Canvas, R);
  bool hasGlyph = false;
  TRect g = PaintGlyph(item, Canvas, R, hasGlyph);
  g = Rect(g.Left - 1, g.Top - 1, g.Right + 1, g.Bottom + 1);
  if (item->Checked() || (Selected && hasGlyph))
    DrawEdge(Canvas->Handle(), &g, item->Checked() ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  if (Selected) {
    TRect s = R;
    if (hasGlyph) s.Left = g.Right + 1;
    PaintSelection(Canvas, s);
  }
  PaintCaption(item, Canvas, R, g, Selected);
}

void TLumMainMenu::PaintBarRest(TCanvas* Canvas, const TRect& Item) {
  RECT client{};
  if (!WindowHandle() || !GetClientRect(WindowHandle(), &client)) return;
  PaintItemBackground(Canvas, Rect(Item.Right, Item.Top, client.Right + 3, Item.Bottom));
}

void TLumMainMenu::PaintItemBackground(TCanvas* Canvas, const TRect& R) {
  if (FMenuStyle == lmsSolid) {
    Canvas->Brush()->SetColor(FColor);
    Canvas->FillRect(R);
  } else if (FMenuStyle == lmsBitmap) {
    PaintBackground(Canvas, R, false);
  }
}

TRect TLumMainMenu::PaintGlyph(TMenuItem* Item, TCanvas* Canvas, const TRect& R, bool& HasGlyph) {
  HasGlyph = false;
  // A separator has no glyph area: the text (its line) starts at the item's left edge.
  if (Item->IsLine()) return Rect(R.Left, R.Top, R.Left - 4, R.Top);
  TRect g = Rect(R.Left + 1, R.Top + 1, R.Left + 1, R.Top + 1);
  TImageList* images = Images();
  const bool listed = images && Item->ImageIndex() > -1 && Item->ImageIndex() < images->Count();
  const bool image = images && (listed || (Item->Checked() && !Item->HasBitmap()));
  const bool bitmap = !image && Item->HasBitmap();
  if (!image && !bitmap) {
    if (images && !TopLevel(Item)) {
      g.Right = g.Left + images->Width();
      g.Bottom = g.Top + images->Height();
    }
    return g;
  }
  HasGlyph = true;
  const int w = image ? images->Width() : Item->Bitmap()->Width();
  const int h = image ? images->Height() : Item->Bitmap()->Height();
  g.Top = R.Top + (R.Height() - h) / 2;
  g.Right = g.Left + w;
  g.Bottom = g.Top + h;
  if (Item->Checked()) {
    ++g.Right;
    ++g.Bottom;
    const TColor brush = Canvas->Brush()->Color();
    Canvas->Brush()->SetColor(FMenuStyle == lmsSolid ? FColor : clBtnFace);
    Canvas->FillRect(g);
    Canvas->Brush()->SetColor(brush);
    ++g.Left;
    ++g.Top;
  }
  if (listed)
    images->Draw(Canvas, g.Left, g.Top, Item->ImageIndex(), Item->Enabled());
  else if (image)
    DrawCheckMark(Canvas, g);
  else
    Canvas->StretchDraw(CentredIn(g, w, h), Item->Bitmap());
  if (Item->Checked()) {
    --g.Right;
    --g.Bottom;
  }
  return g;
}

void TLumMainMenu::PaintSelection(TCanvas* Canvas, TRect S) {
  PaintBackground(Canvas, S, true);
  Canvas->Brush()->SetColor(FSelectColor);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Pen()->SetColor(FSelectColor);
  switch (FSelectStyle) {
  case lmssBox:
    Canvas->FrameRect(S);
    break;
  case lmssLine:
    Canvas->MoveTo(S.Left, S.Bottom - 1);
    Canvas->LineTo(S.Right, S.Bottom - 1);
    break;
  case lmssEllipse:
    Canvas->Ellipse(S);
    break;
  case lmssArc:
    Canvas->Arc(S.Left, S.Top, S.Right, S.Bottom, S.Right - 1, S.Top, S.Right, S.Top);
    break;
  }
}

void TLumMainMenu::PaintCaption(TMenuItem* Item, TCanvas* Canvas, const TRect& R, const TRect& G,
                                bool Selected) {
  Canvas->Font()->Assign(FFont.get());
  const int style = DT_EXPANDTABS | DT_SINGLELINE | AlignmentFlags();
  const TRect area = Rect(G.Right + 3, R.Top, R.Right - 1, R.Bottom);
  TRect text = area;
  DoDrawText(Item, Canvas, Item->Caption(), text, Selected, style | DT_CALCRECT | DT_NOCLIP);
  text = Moved(text, 0, (area.Height() - text.Height()) / 2);
  DoDrawText(Item, Canvas, Item->Caption(), text, Selected, style);
  if (Item->ShortCut() && !TopLevel(Item)) {
    TRect shortCut = Rect(text.Right, text.Top, R.Right - 10, text.Bottom);
    DoDrawText(Item, Canvas, ShortCutToText(Item->ShortCut()), shortCut, Selected, DT_RIGHT);
  }
}

void TLumMainMenu::PaintBackground(TCanvas* Canvas, const TRect& R, bool Selected) {
  TGraphic* graphic = (Selected ? FSelectImage : FBackground)->Graphic();
  if (!graphic || graphic->Width() < 1 || graphic->Height() < 1) return;
  auto* tile = dynamic_cast<TBitmap*>(graphic);
  std::unique_ptr<TBitmap> drawn;
  if (!tile) {
    drawn = std::make_unique<TBitmap>();
    drawn->SetSize(graphic->Width(), graphic->Height());
    drawn->Canvas()->Draw(0, 0, graphic);
    tile = drawn.get();
  }
  for (const TRect& t : BackgroundTiles(R, tile->Width(), tile->Height()))
    Canvas->CopyRect(t, tile->Canvas(), Rect(0, 0, t.Width(), t.Height()));
}
