#include "games/LumSchiebefix.h"

#include "core/Lumherk.h"
#include "framework/classes/Registry.h"
#include "framework/rtl/Maths.h"

#include <algorithm>

using namespace Lumherk;

namespace {

const bool PuzzleRegistered = (RegisterClass<TLumSchiebefixspiel>(), true);

constexpr int ShuffleStepsPerCell = 30;

const String CreditText =
    "Schiebefix - the sliding puzzle of LumTools. Slide every tile into its place, "
    "left to right and top to bottom, in as few moves as you can. Have fun!";

Byte TextLength(TDimension Dimension) {
  const int n = BoardSide(Dimension);
  return static_cast<Byte>(n * n - 1);
}

} // namespace

int BoardSide(TDimension Dimension) { return 4 + static_cast<int>(Dimension); }

bool NextToHole(int Position, int Hole, int Side) {
  const int row = (Position - 1) / Side, column = (Position - 1) % Side;
  const int holeRow = (Hole - 1) / Side, holeColumn = (Hole - 1) % Side;
  if (row == holeRow) return std::abs(column - holeColumn) == 1;
  return column == holeColumn && std::abs(row - holeRow) == 1;
}

int ShuffleTarget(int Hole, int Side, int Direction) {
  const int c = (Hole - 1) % Side, r = (Hole - 1) / Side;
  switch (Direction) {
  case 0:
    return c > 0 ? Hole - 1 : Hole + 1;
  case 1:
    return c < Side - 1 ? Hole + 1 : Hole - 1;
  case 2:
    return r > 0 ? Hole - Side : Hole + Side;
  default:
    return r < Side - 1 ? Hole + Side : Hole - Side;
  }
}

TLumSchiebefixspiel::TLumSchiebefixspiel(TComponent* AOwner)
    : TWinControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  FControlStyle.Exclude(csAcceptsControls);
  FControlStyle.Exclude(csSetCaption);
  FControlStyle.Include(csFramed);
  FControlStyle.Include(csOpaque);
  if (auto* windowed = dynamic_cast<TWinControl*>(AOwner)) SetParent(windowed);
  for (int d = dm4x4; d <= dm10x10; ++d)
    FTexts[static_cast<std::size_t>(d)] =
        Rightpad(CreditText, TextLength(static_cast<TDimension>(d)));
  Randomize();
  FGlyph->SetOnChange([this](TObject* Sender) { GlyphChanged(Sender); });
  BuildBoard();
  SetBounds(FLeft, FTop, 120, 120);
}

void TLumSchiebefixspiel::BuildBoard() {
  delete FPanel;
  FTiles.clear();
  const int n = Side();
  FPanel = new TPanel(this);
  FPanel->SetBounds(1, 1, FWidth, FHeight);
  FPanel->SetColor(FLochfarbe);
  FPanel->SetParent(this);
  for (int i = 1; i < n * n; ++i) {
    auto* tile = new TBitBtn(FPanel);
    tile->SetGlyph(FGlyph.get());
    tile->SetNumGlyphs(FNumGlyphs);
    tile->SetLayout(FLayout);
    tile->SetEnabled(FAktiv);
    tile->SetOnClick([this](TObject* Sender) { SteinClick(Sender); });
    tile->SetTag(i);
    tile->SetParent(FPanel);
    FTiles.push_back(tile);
  }
  Steine_beschriften();
  Steine_positionieren();
}

void TLumSchiebefixspiel::SetDimension(TDimension Value) {
  if (FDimension == Value) return;
  FDimension = Value;
  BuildBoard();
}

void TLumSchiebefixspiel::SetSFStyle(TSFStyle Value) {
  if (FSFStyle == Value) return;
  FSFStyle = Value;
  Steine_beschriften();
}

void TLumSchiebefixspiel::SetDimensionText(TDimension Dimension, const String& Value) {
  FTexts[static_cast<std::size_t>(Dimension)] = Rightpad(Value, TextLength(Dimension));
  if (Dimension == FDimension) Steine_beschriften();
}

void TLumSchiebefixspiel::SetAktiv(bool Value) {
  FAktiv = Value;
  SetEnabled(Value);
  for (TBitBtn* tile : FTiles) tile->SetEnabled(Value);
}

void TLumSchiebefixspiel::SetLochfarbe(TColor Value) {
  FLochfarbe = Value;
  FPanel->SetColor(Value);
}

void TLumSchiebefixspiel::SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }

void TLumSchiebefixspiel::GlyphChanged(TObject*) {
  for (TBitBtn* tile : FTiles) tile->SetGlyph(FGlyph.get());
}

void TLumSchiebefixspiel::SetNumGlyphs(TNumGlyphs Value) {
  FNumGlyphs = Value;
  for (TBitBtn* tile : FTiles) tile->SetNumGlyphs(Value);
}

void TLumSchiebefixspiel::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  for (TBitBtn* tile : FTiles) tile->SetLayout(Value);
}

TBitBtn* TLumSchiebefixspiel::Tile(int Number) const {
  if (Number < 1 || Number > static_cast<int>(FTiles.size())) return nullptr;
  return FTiles[static_cast<std::size_t>(Number - 1)];
}

int TLumSchiebefixspiel::Hole() const {
  const int cells = Side() * Side();
  std::vector<bool> held(static_cast<std::size_t>(cells) + 1, false);
  for (const TBitBtn* tile : FTiles)
    if (tile->Tag() >= 1 && tile->Tag() <= cells)
      held[static_cast<std::size_t>(tile->Tag())] = true;
  for (int p = 1; p <= cells; ++p)
    if (!held[static_cast<std::size_t>(p)]) return p;
  return cells;
}

void TLumSchiebefixspiel::Steine_beschriften() {
  const String& text = FTexts[static_cast<std::size_t>(FDimension)];
  for (std::size_t i = 0; i < FTiles.size(); ++i)
    FTiles[i]->SetCaption(FSFStyle == SfZahlen ? Str_Number(static_cast<Integer>(i + 1))
                                               : String(1, text[i]));
}

void TLumSchiebefixspiel::Steine_positionieren() {
  const int n = Side();
  FPanel->SetBounds(1, 1, FWidth, FHeight);
  const int w = FPanel->Width() / n, h = FPanel->Height() / n;
  for (TBitBtn* tile : FTiles) {
    const int p = tile->Tag() - 1;
    tile->SetBounds((p % n) * w, (p / n) * h, w, h);
  }
}

void TLumSchiebefixspiel::Neues_Spiel() {
  const int n = Side();
  std::vector<int> tileAt(static_cast<std::size_t>(n * n) + 1, 0);
  for (std::size_t i = 0; i < FTiles.size(); ++i) {
    FTiles[i]->SetTag(static_cast<Integer>(i + 1));
    tileAt[i + 1] = static_cast<int>(i + 1);
  }
  int hole = n * n;
  for (int step = 0; step < n * n * ShuffleStepsPerCell; ++step) {
    const int target = ShuffleTarget(hole, n, Random(4));
    const int tile = tileAt[static_cast<std::size_t>(target)];
    FTiles[static_cast<std::size_t>(tile - 1)]->SetTag(hole);
    tileAt[static_cast<std::size_t>(hole)] = tile;
    tileAt[static_cast<std::size_t>(target)] = 0;
    hole = target;
  }
  FZugZahl = 0;
  Steine_positionieren();
}

void TLumSchiebefixspiel::SteinClick(TObject* Sender) {
  auto* tile = dynamic_cast<TBitBtn*>(Sender);
  if (!tile) return;
  const int hole = Hole();
  if (!NextToHole(tile->Tag(), hole, Side())) return;
  tile->SetTag(hole);
  ++FZugZahl;
  Steine_positionieren();
  Sieg_pruefen();
  if (FOnChange) FOnChange(this);
}

bool TLumSchiebefixspiel::Solved() const {
  const String& text = FTexts[static_cast<std::size_t>(FDimension)];
  for (std::size_t i = 0; i < FTiles.size(); ++i) {
    const int at = FTiles[i]->Tag();
    if (FSFStyle == SfZahlen && at != static_cast<int>(i + 1)) return false;
    // The last cell has no letter: a tile standing there never reads right.
    if (FSFStyle == SfText &&
        (at < 1 || at > static_cast<int>(text.size()) ||
         FTiles[i]->Caption() != text.substr(static_cast<std::size_t>(at - 1), 1)))
      return false;
  }
  return true;
}

void TLumSchiebefixspiel::Sieg_pruefen() {
  if (Solved() && FOnWin) FOnWin(this);
}

void TLumSchiebefixspiel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!FPanel) return;
  const int least = Side() * Side();
  if (FWidth < least || FHeight < least)
    TWinControl::SetBounds(FLeft, FTop, std::max(FWidth, least), std::max(FHeight, least));
  Steine_positionieren();
}
