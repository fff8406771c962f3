#include "framework/controls/Menus.h"

#include "framework/controls/Application.h"
#include "framework/graphics/Color.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/user/HiddenWindow.h"

#include <algorithm>
#include <set>

namespace {

constexpr const char* IndexError = "Menu index out of range";
const String LineCaption = "-";

// Command ids in use; a new item takes the lowest free one, as WM_COMMAND carries 16 bits.
std::set<UINT>& UsedCommands() {
  static std::set<UINT> used;
  return used;
}

UINT UniqueCommand() {
  UINT id = 1;
  for (const UINT used : UsedCommands()) {
    if (used != id) break;
    ++id;
  }
  if (id > 0xFFFF) throw EMenuError("Too many menu items");
  UsedCommands().insert(id);
  return id;
}

struct TKeyName {
  Word Key;
  const char* Name;
};

// The names of keys that have no single character.
constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},    {VK_TAB, "Tab"},        {VK_RETURN, "Enter"},    {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"},  {VK_PRIOR, "PgUp"},     {VK_NEXT, "PgDn"},       {VK_END, "End"},
    {VK_HOME, "Home"},    {VK_LEFT, "Left"},      {VK_UP, "Up"},           {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},    {VK_INSERT, "Ins"},     {VK_DELETE, "Del"},      {VK_MULTIPLY, "Num *"},
    {VK_ADD, "Num +"},    {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num Del"}, {VK_DIVIDE, "Num /"},
    {VK_OEM_1, ";"},      {VK_OEM_PLUS, "="},     {VK_OEM_COMMA, ","},     {VK_OEM_MINUS, "-"},
    {VK_OEM_PERIOD, "."}, {VK_OEM_2, "/"},        {VK_OEM_3, "`"},         {VK_OEM_4, "["},
    {VK_OEM_5, "\\"},     {VK_OEM_6, "]"},        {VK_OEM_7, "'"}};

String KeyName(Word Key) {
  if (Key >= '0' && Key <= '9') return String(1, static_cast<char>(Key));
  if (Key >= 'A' && Key <= 'Z') return String(1, static_cast<char>(Key));
  if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9)
    return String(1, static_cast<char>('0' + Key - VK_NUMPAD0));
  if (Key >= VK_F1 && Key <= VK_F1 + 23) return "F" + std::to_string(Key - VK_F1 + 1);
  for (const TKeyName& k : KeyNames)
    if (k.Key == Key) return k.Name;
  return "";
}

bool TakeFront(String& Text, const String& Front) {
  if (Text.size() < Front.size() || !SameText(Text.substr(0, Front.size()), Front)) return false;
  Text.erase(0, Front.size());
  return true;
}

// The screen font of menus, from the non-client metrics.
void UseMenuFont(TCanvas* Canvas) {
  NONCLIENTMETRICSA metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return;
  const HFONT font = CreateFontIndirectA(&metrics.lfMenuFont);
  Canvas->Font()->SetHandle(font);
}

// A canvas on a device context for the length of one measure or draw message.
class TBorrowedCanvas {
public:
  explicit TBorrowedCanvas(HDC DC) : FOwnDC(DC ? nullptr : GetDC(nullptr)) {
    FCanvas.SetHandle(DC ? DC : FOwnDC);
    UseMenuFont(&FCanvas);
  }
  ~TBorrowedCanvas() {
    FCanvas.SetHandle(nullptr);
    if (FOwnDC) ReleaseDC(nullptr, FOwnDC);
  }
  TBorrowedCanvas(const TBorrowedCanvas&) = delete;
  TBorrowedCanvas& operator=(const TBorrowedCanvas&) = delete;
  TCanvas* operator->() { return &FCanvas; }
  TCanvas* Get() { return &FCanvas; }

private:
  HDC FOwnDC;
  TCanvas FCanvas;
};

TRect Moved(const TRect& R, int DX, int DY) {
  return Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY);
}

// R mirrored about x = Axis / 2; unchanged for Axis 0.
TRect Mirrored(const TRect& R, int Axis) {
  return Axis > 0 ? Rect(Axis - R.Right, R.Top, Axis - R.Left, R.Bottom) : R;
}

// The system check mark, transparent, in the button text colour, centred one pixel low.
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

TOwnerDrawState StateOf(UINT ItemState) { return TOwnerDrawState::FromBits(ItemState & 0x1FFF); }

} // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if (Key & 0xFF00) return 0;
  TShortCut result = Key;
  if (Shift.Contains(ssShift)) result |= scShift;
  if (Shift.Contains(ssCtrl)) result |= scCtrl;
  if (Shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut Value, Word& Key, TShiftState& Shift) {
  Key = Value & 0xFF;
  Shift = {};
  if (Value & scShift) Shift.Include(ssShift);
  if (Value & scCtrl) Shift.Include(ssCtrl);
  if (Value & scAlt) Shift.Include(ssAlt);
}

String ShortCutToText(TShortCut Value) {
  const String name = KeyName(static_cast<Word>(Value & 0xFF));
  if (name.empty()) return "";
  String result;
  if (Value & scShift) result += "Shift+";
  if (Value & scCtrl) result += "Ctrl+";
  if (Value & scAlt) result += "Alt+";
  return result + name;
}

TShortCut TextToShortCut(const String& Text) {
  String rest = Text;
  TShortCut shift = 0;
  for (;;) {
    if (TakeFront(rest, "Shift+")) {
      shift |= scShift;
    } else if (TakeFront(rest, "^") || TakeFront(rest, "Ctrl+")) {
      shift |= scCtrl;
    } else if (TakeFront(rest, "Alt+")) {
      shift |= scAlt;
    } else {
      break;
    }
  }
  if (rest.empty()) return 0;
  for (Word key = 0x08; key <= 0xFF; ++key)
    if (const String name = KeyName(key); !name.empty() && SameText(name, rest))
      return static_cast<TShortCut>(key | shift);
  return 0;
}

String StripHotkey(const String& Text) {
  String result;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&' && i + 1 < Text.size())
      ++i;
    else if (Text[i] == '&')
      continue;
    result += Text[i];
  }
  return result;
}

// --- TMenuItem ---------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(UniqueCommand()) {}

void TMenuItem::BeforeDestruction() {
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) FItems.back()->Free();
  TComponent::BeforeDestruction();
}

TMenuItem::~TMenuItem() {
  SetComponentStateItem(csDestroying, true);
  if (FParent) FParent->Remove(this);
  while (!FItems.empty()) delete FItems.back();
  if (FHandle) DestroyMenu(FHandle);
  UsedCommands().erase(FCommand);
}

TBitmap* TMenuItem::GetBitmap() const {
  if (!FBitmap) FBitmap = std::make_unique<TBitmap>();
  return FBitmap.get();
}

void TMenuItem::SetBitmap(TBitmap* Value) {
  GetBitmap()->Assign(Value);
  MenuChanged(true);
}

void TMenuItem::SetBreak(TMenuBreak Value) {
  if (FBreak == Value) return;
  FBreak = Value;
  MenuChanged(true);
}

void TMenuItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  MenuChanged(true);
}

void TMenuItem::TurnSiblingsOff() {
  if (!FParent) return;
  for (TMenuItem* sibling : FParent->FItems)
    if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex &&
        sibling->FChecked) {
      sibling->FChecked = false;
      sibling->MenuChanged(true);
    }
}

void TMenuItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  if (Value && FRadioItem) TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value) {
  if (FDefault == Value) return;
  if (Value && FParent)
    for (TMenuItem* sibling : FParent->FItems) sibling->FDefault = false;
  FDefault = Value;
  MenuChanged(true);
}

void TMenuItem::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  MenuChanged(true);
}

void TMenuItem::SetGroupIndex(Byte Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
}

void TMenuItem::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (FRadioItem == Value) return;
  FRadioItem = Value;
  if (FChecked && FRadioItem) TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (FShortCut == Value) return;
  FShortCut = Value;
  MenuChanged(true);
}

void TMenuItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  MenuChanged(true);
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EMenuError(IndexError);
  return FItems[static_cast<std::size_t>(Index)];
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  if (Item->FParent) throw EMenuError("Menu inserted twice");
  if (Index < 0 || Index > Count()) throw EMenuError(IndexError);
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  if (Item->FChecked && Item->FRadioItem) Item->TurnSiblingsOff();
  if (Count() == 1) MenuChanged(false);
  RebuildHandle();
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  FItems.erase(FItems.begin() + Index);
  item->FParent = nullptr;
  if (!ComponentState().Contains(csDestroying)) {
    if (Count() == 0) MenuChanged(false);
    RebuildHandle();
  }
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int i = IndexOf(Item);
  if (i < 0) throw EMenuError("Sub-menu is not in menu");
  Delete(i);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) FItems.back()->Free();
}

int TMenuItem::IndexOf(TMenuItem* Item) const {
  const auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
  const String wanted = StripHotkey(ACaption);
  for (TMenuItem* item : FItems)
    if (SameText(StripHotkey(item->FCaption), wanted)) return item;
  return nullptr;
}

int TMenuItem::MenuIndex() const {
  return FParent ? FParent->IndexOf(const_cast<TMenuItem*>(this)) : -1;
}

void TMenuItem::SetMenuIndex(int Value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  const int count = parent->Count();
  Value = std::clamp(Value, 0, count - 1);
  if (Value == MenuIndex()) return;
  parent->Delete(MenuIndex());
  parent->Insert(Value, this);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

HMENU TMenuItem::Handle() {
  if (FMenu) return FMenu->Handle();
  if (!FHandle) {
    FHandle = CreatePopupMenu();
    RebuildHandle();
  }
  return FHandle;
}

bool TMenuItem::IsOwnerDrawn() const {
  const TMenu* menu = GetParentMenu();
  return menu && menu->IsOwnerDraw();
}

UINT TMenuItem::ItemType() const {
  UINT type = IsOwnerDrawn() ? MFT_OWNERDRAW : MFT_STRING;
  if (const TMenu* menu = GetParentMenu(); menu && menu->IsRightToLeft())
    type |= MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
  if (IsLine()) return type | MFT_SEPARATOR;
  if (FRadioItem) type |= MFT_RADIOCHECK;
  if (FBreak == mbBreak) type |= MFT_MENUBREAK;
  if (FBreak == mbBarBreak) type |= MFT_MENUBARBREAK;
  return type;
}

UINT TMenuItem::ItemState() const {
  UINT state = 0;
  if (FChecked) state |= MFS_CHECKED;
  if (!FEnabled) state |= MFS_GRAYED;
  if (FDefault) state |= MFS_DEFAULT;
  return state;
}

String TMenuItem::ItemText() const {
  if (!FShortCut) return FCaption;
  return FCaption + "\t" + ShortCutToText(FShortCut);
}

void TMenuItem::PutInto(HMENU Menu, int Position, bool Replace) {
  MENUITEMINFOA info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_BITMAP;
  info.fType = ItemType();
  info.fState = ItemState();
  info.wID = FCommand;
  info.hSubMenu = FItems.empty() ? nullptr : Handle();
  String text = ItemText();
  info.dwTypeData = text.data();
  if (HasBitmap() && !IsOwnerDrawn()) info.hbmpItem = FBitmap->Handle();
  const auto at = static_cast<UINT>(Position);
  if (Replace)
    SetMenuItemInfoA(Menu, at, TRUE, &info);
  else
    InsertMenuItemA(Menu, at, TRUE, &info);
}

void TMenuItem::RebuildHandle() {
  if (ComponentState().Contains(csDestroying)) return;
  const HMENU handle = FHandle;
  if (!handle) return;
  // The engine's items are changed in place, so an open menu keeps its selection.
  int position = 0;
  for (TMenuItem* item : FItems) {
    if (!item->FVisible) continue;
    item->PutInto(handle, position, position < GetMenuItemCount(handle));
    ++position;
  }
  while (GetMenuItemCount(handle) > position)
    RemoveMenu(handle, static_cast<UINT>(position), MF_BYPOSITION);
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this);
}

void TMenuItem::RebuildAll() {
  for (TMenuItem* item : FItems) item->RebuildAll();
  RebuildHandle();
}

void TMenuItem::MenuChanged(bool Rebuild) {
  if (ComponentState().Contains(csDestroying)) return;
  if (FParent) FParent->RebuildHandle();
  if (Rebuild) RebuildHandle();
}

void TMenuItem::Click() {
  if (FEnabled && FOnClick) FOnClick(this);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height) {
  const TMenu* menu = GetParentMenu();
  TImageList* images = menu ? menu->Images() : nullptr;
  const bool topLevel = menu && menu->IsBar() && FParent == menu->Items();
  bool glyph = false;
  if (IsLine()) {
    Height = 5;
    Width = -2;
  } else if (images && (FImageIndex > -1 || !topLevel)) {
    Width = images->Width();
    if (!topLevel) Height = std::max(Height, images->Height());
    glyph = true;
  } else if (HasBitmap()) {
    Width = FBitmap->Width();
    if (!topLevel) Height = std::max(Height, FBitmap->Height());
    glyph = true;
  } else {
    Width = -7;
  }
  if (glyph && !topLevel) Width += 15;
  if (!topLevel) Height += 3;
  TRect r{};
  const String text = FShortCut ? FCaption + ShortCutToText(FShortCut) : FCaption;
  const int flags = (menu ? menu->AlignmentFlags() : DT_LEFT) | DT_EXPANDTABS | DT_SINGLELINE |
                    DT_NOCLIP | DT_CALCRECT;
  DoDrawText(ACanvas, text, r, false, flags);
  Width += r.Width() + 7;
  if (FOnMeasureItem) FOnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::DoDrawText(TCanvas* ACanvas, const String& ACaption, TRect& Rect, bool Selected,
                           int Flags) {
  String text = ACaption;
  if (const TMenu* menu = GetParentMenu(); menu && menu->IsRightToLeft())
    Flags |= DT_RIGHT | DT_RTLREADING;
  if ((Flags & DT_CALCRECT) && (text.empty() || text == "&")) text += ' ';
  HDC dc = ACanvas->Handle();
  if (text == LineCaption) {
    if (!(Flags & DT_CALCRECT)) {
      TRect line = Rect;
      line.Top += 4;
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    }
    return;
  }
  ACanvas->Brush()->SetStyle(bsClear);
  if (FDefault) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + TFontStyles{fsBold});
  if (!FEnabled) {
    if (!Selected) {
      TRect shifted = Moved(Rect, 1, 1);
      ACanvas->Font()->SetColor(clBtnHighlight);
      DrawTextA(ACanvas->Handle(), text.c_str(), static_cast<int>(text.size()), &shifted,
                static_cast<UINT>(Flags));
    }
    const bool plain = Selected && ColorToRGB(clHighlight) == ColorToRGB(clBtnShadow);
    ACanvas->Font()->SetColor(plain ? clBtnHighlight : clBtnShadow);
  }
  DrawTextA(ACanvas->Handle(), text.c_str(), static_cast<int>(text.size()), &Rect,
            static_cast<UINT>(Flags));
}

void TMenuItem::DrawGlyph(TCanvas* ACanvas, TRect& G, bool TopLevel, int Axis) {
  TImageList* images = GetParentMenu() ? GetParentMenu()->Images() : nullptr;
  const bool image =
      images && ((FImageIndex > -1 && FImageIndex < images->Count()) || (FChecked && !HasBitmap()));
  if (!image && !HasBitmap()) {
    if (images && !TopLevel) {
      G.Right = G.Left + images->Width();
      G.Bottom = G.Top + images->Height();
    } else {
      G.Right = G.Left;
      G.Bottom = G.Top;
    }
    return;
  }
  G.Right = G.Left + (image ? images->Width() : FBitmap->Width());
  G.Bottom = G.Top + (image ? images->Height() : FBitmap->Height());
  if (FChecked) {
    ++G.Right;
    ++G.Bottom;
    const TColor brush = ACanvas->Brush()->Color();
    ACanvas->Brush()->SetColor(clBtnFace);
    ACanvas->FillRect(Mirrored(G, Axis));
    ACanvas->Brush()->SetColor(brush);
    ++G.Left;
    ++G.Top;
  }
  const TRect at = Mirrored(G, Axis);
  if (image && FImageIndex > -1 && FImageIndex < images->Count()) {
    images->Draw(ACanvas, at.Left, at.Top, FImageIndex, FEnabled);
  } else if (image) {
    DrawCheckMark(ACanvas, at);
  } else {
    ACanvas->StretchDraw(at, FBitmap.get());
  }
  if (FChecked) {
    --G.Right;
    --G.Bottom;
  }
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, TRect ARect, TOwnerDrawState State,
                                 bool TopLevel) {
  if (FOnAdvancedDrawItem) {
    FOnAdvancedDrawItem(this, ACanvas, ARect, State);
    return;
  }
  const bool selected = State.Contains(odSelected);
  if (FOnDrawItem) {
    FOnDrawItem(this, ACanvas, ARect, selected);
    return;
  }
  if (!selected) ACanvas->FillRect(ARect);
  // Laid out left to right; right-to-left every part is mirrored within the item.
  const TMenu* menu = GetParentMenu();
  const bool rightToLeft = menu && menu->IsRightToLeft();
  const int axis = rightToLeft ? ARect.Left + ARect.Right : 0;
  TRect glyph = Rect(ARect.Left + 1, ARect.Top + 1, ARect.Left + 1, ARect.Top + 1);
  bool hasGlyph = false;
  if (IsLine()) {
    glyph.Left = 0;
    glyph.Right = -4;
  } else {
    DrawGlyph(ACanvas, glyph, TopLevel, axis);
    hasGlyph = glyph.Right > glyph.Left;
  }
  glyph = Rect(glyph.Left - 1, glyph.Top - 1, glyph.Right + 1, glyph.Bottom + 1);
  if (FChecked || (selected && hasGlyph)) {
    TRect edge = Mirrored(glyph, axis);
    DrawEdge(ACanvas->Handle(), &edge, FChecked ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  if (selected) {
    TRect s = ARect;
    if (hasGlyph) s.Left = glyph.Right + 1;
    ACanvas->FillRect(Mirrored(s, axis));
  }
  TRect text = Mirrored(Rect(glyph.Right + 3, ARect.Top, ARect.Right - 1, ARect.Bottom), axis);
  const int style = DT_EXPANDTABS | DT_SINGLELINE | (menu ? menu->AlignmentFlags() : DT_LEFT);
  TRect measured = text;
  DoDrawText(ACanvas, FCaption, measured, selected, style | DT_CALCRECT | DT_NOCLIP);
  const int width = measured.Width();
  text = Moved(text, 0, (text.Height() - measured.Height()) / 2);
  text.Bottom = text.Top + measured.Height();
  if (rightToLeft)
    text.Left = text.Right - width;
  else
    text.Right = text.Left + width;
  DoDrawText(ACanvas, FCaption, text, selected, style);
  if (FShortCut && !TopLevel) {
    // The shortcut goes to the far edge from the caption.
    const String shortCutText = ShortCutToText(FShortCut);
    TRect shortCut = Rect(text.Right, text.Top, ARect.Right - 10, text.Bottom);
    if (rightToLeft) {
      TRect size{};
      DoDrawText(ACanvas, shortCutText, size, selected, DT_SINGLELINE | DT_CALCRECT | DT_NOCLIP);
      shortCut = Rect(ARect.Left + 10, text.Top, ARect.Left + 10 + size.Width(), text.Bottom);
    }
    DoDrawText(ACanvas, shortCutText, shortCut, selected, DT_RIGHT);
  }
}

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && FParent->FMenu) return FParent->FMenu;
  return FParent;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
  if (FParent) FParent->Remove(this);
  if (auto* menu = dynamic_cast<TMenu*>(Value))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(Value))
    item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent*) {
  for (TMenuItem* item : FItems) Proc(item);
}

// --- TMenu -------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() { delete FItems; }

void TMenu::SetImages(TImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  FItems->RebuildAll();
}

void TMenu::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  FItems->RebuildAll();
}

void TMenu::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (Value) ParentBiDiModeChanged();
}

void TMenu::ParentBiDiModeChanged(TObject* AControl) {
  const auto* control = dynamic_cast<const TControl*>(AControl);
  if (!FParentBiDiMode || !control) return;
  SetBiDiMode(control->BiDiMode());
  FParentBiDiMode = true;
}

void TMenu::SetOwnerDraw(bool Value) {
  if (FOwnerDraw == Value) return;
  FOwnerDraw = Value;
  FItems->RebuildAll();
}

HMENU TMenu::Handle() {
  if (!FItems->FHandle || !IsMenu(FItems->FHandle)) {
    FItems->FHandle = IsBar() ? CreateMenu() : CreatePopupMenu();
    FItems->RebuildHandle();
  }
  return FItems->FHandle;
}

namespace {

TMenuItem* FindIn(TMenuItem* Item, UINT Value, TFindItemKind Kind) {
  for (int i = 0; i < Item->Count(); ++i) {
    TMenuItem* child = Item->Items(i);
    const bool match = Kind == fkCommand  ? child->Command() == Value
                       : Kind == fkHandle ? child->HandleAllocated() &&
                                                reinterpret_cast<UINT_PTR>(child->Handle()) == Value
                                          : child->ShortCut() == Value;
    if (match) return child;
    if (TMenuItem* found = FindIn(child, Value, Kind)) return found;
  }
  return nullptr;
}

} // namespace

TMenuItem* TMenu::FindItem(UINT Value, TFindItemKind Kind) const {
  return FindIn(FItems, Value, Kind);
}

bool TMenu::DispatchCommand(Word ACommand) {
  TMenuItem* item = FindItem(ACommand, fkCommand);
  if (!item || item->Count() > 0) return false;
  item->Click();
  return true;
}

bool TMenu::DispatchMenuSelect(UINT Id, UINT Flags, HMENU Menu) {
  const bool closed = Flags == 0xFFFF && Id == 0;
  TMenuItem* item = nullptr;
  if (!closed && (Flags & MF_POPUP) != 0)
    item = FindItem(
        static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetSubMenu(Menu, static_cast<int>(Id)))),
        fkHandle);
  else if (!closed)
    item = FindItem(Id, fkCommand);
  Application()->SetHint(item ? GetLongHint(item->Hint()) : String());
  return true;
}

bool TMenu::DispatchPopup(HMENU AHandle) {
  TMenuItem* item = FindItem(static_cast<UINT>(reinterpret_cast<UINT_PTR>(AHandle)), fkHandle);
  if (!item) return AHandle == FItems->FHandle;
  item->Click();
  return true;
}

bool TMenu::IsShortCut(Word Key, TShiftState Shift) {
  const TShortCut wanted = ShortCut(Key, Shift - TShiftState{ssLeft, ssRight, ssMiddle, ssDouble});
  if (!wanted) return false;
  TMenuItem* item = FindItem(wanted, fkShortCut);
  if (!item) return false;
  for (TMenuItem* p = item; p; p = p->Parent())
    if (!p->Enabled() || !p->Visible()) return false;
  item->Click();
  return true;
}

bool TMenu::MeasureItemMessage(MEASUREITEMSTRUCT& Measure) {
  TMenuItem* item = FindItem(Measure.itemID, fkCommand);
  if (!item) return false;
  TBorrowedCanvas canvas(nullptr);
  int width = static_cast<int>(Measure.itemWidth), height = static_cast<int>(Measure.itemHeight);
  item->MeasureItem(canvas.Get(), width, height);
  Measure.itemWidth = static_cast<UINT>(std::max(width, 0));
  Measure.itemHeight = static_cast<UINT>(std::max(height, 0));
  return true;
}

bool TMenu::DrawItemMessage(const DRAWITEMSTRUCT& Draw) {
  TMenuItem* item = FindItem(Draw.itemID, fkCommand);
  if (!item) return false;
  TBorrowedCanvas canvas(Draw.hDC);
  const TOwnerDrawState state = StateOf(Draw.itemState);
  const bool selected = state.Contains(odSelected);
  canvas->Brush()->SetColor(selected ? clHighlight : clMenu);
  canvas->Font()->SetColor(selected ? clHighlightText : clMenuText);
  item->AdvancedDrawItem(canvas.Get(), Draw.rcItem, state, IsBar() && item->Parent() == FItems);
  return true;
}

bool TMenu::WindowMessage(TMessage& Message) {
  switch (Message.Msg) {
  case WM_COMMAND:
    if (HIWORD(Message.WParam) != 0 || Message.LParam != 0) return false;
    return DispatchCommand(LOWORD(Message.WParam));
  case WM_INITMENUPOPUP:
    return DispatchPopup(reinterpret_cast<HMENU>(Message.WParam));
  case WM_MENUSELECT:
    return DispatchMenuSelect(LOWORD(Message.WParam), HIWORD(Message.WParam),
                              reinterpret_cast<HMENU>(Message.LParam));
  case WM_MEASUREITEM: {
    auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    return m && m->CtlType == ODT_MENU && MeasureItemMessage(*m);
  }
  case WM_DRAWITEM: {
    const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    return d && d->CtlType == ODT_MENU && DrawItemMessage(*d);
  }
  default:
    return false;
  }
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  FItems->GetChildren(Proc, Root);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TMenu::MenuChanged(TMenuItem*) {}

HMENU TMenu::AllocatedHandle() const { return FItems->FHandle; }

// --- TMainMenu ---------------------------------------------------------------------------

TMainMenu::~TMainMenu() {
  if (FWindowHandle && IsWindow(FWindowHandle) && GetMenu(FWindowHandle) == AllocatedHandle())
    ::SetMenu(FWindowHandle, nullptr);
}

void TMainMenu::SetWindowHandle(HWND Value) {
  if (FWindowHandle && FWindowHandle != Value && IsWindow(FWindowHandle) &&
      GetMenu(FWindowHandle) == AllocatedHandle())
    ::SetMenu(FWindowHandle, nullptr);
  FWindowHandle = Value;
  if (!Value) return;
  ParentBiDiModeChanged(FindControl(Value));
  ::SetMenu(Value, Handle());
}

void TMainMenu::MenuChanged(TMenuItem*) {
  if (FWindowHandle && IsWindow(FWindowHandle)) DrawMenuBar(FWindowHandle);
}

// --- TPopupMenu --------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {
  FWindow = AllocateHWnd([this](HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    return WindowProc(Window, Msg, WParam, LParam);
  });
}

TPopupMenu::~TPopupMenu() {
  if (FWindow) DeallocateHWnd(FWindow);
}

LRESULT TPopupMenu::WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  if (WindowMessage(message)) return Msg == WM_MEASUREITEM || Msg == WM_DRAWITEM ? 1 : 0;
  return DefWindowProcA(Window, Msg, WParam, LParam);
}

int TPopupMenu::AlignmentFlags() const {
  return FAlignment == paRight ? DT_RIGHT : FAlignment == paCenter ? DT_CENTER : DT_LEFT;
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (FOnPopup) FOnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
  FPopupPoint = TPoint{X, Y};
  ParentBiDiModeChanged(FPopupComponent ? FPopupComponent : Owner());
  DoPopup(this);
  const HMENU menu = Handle();
  if (GetMenuItemCount(menu) <= 0) return;
  const bool mirrored = BiDiMode() == bdRightToLeft;
  const UINT align = FAlignment == paCenter                ? TPM_CENTERALIGN
                     : (FAlignment == paRight) != mirrored ? TPM_RIGHTALIGN
                                                           : TPM_LEFTALIGN;
  TrackPopupMenu(menu, align | TPM_LEFTBUTTON | TPM_RIGHTBUTTON, X, Y, 0, FWindow, nullptr);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}
