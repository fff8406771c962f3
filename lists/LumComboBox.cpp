#include "lists/LumComboBox.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Messages.h"
#include "lists/LumComboBoxItemsfenster.h"

#include <algorithm>

namespace LumComboBox {

namespace {

const bool LumComboBoxRegistered = (RegisterClass<TLumComboBox>(), true);

constexpr TBitmapPlacement PlacementOf(TBitmapStyle Style) {
  return StyleRule<TBitmapPlacement::Stretch>(Style);
}
static_assert(PlacementOf(bscRight) == TBitmapPlacement::Right &&
              PlacementOf(bscCenter) == TBitmapPlacement::Center &&
              PlacementOf(bscStretch) == TBitmapPlacement::Stretch);

constexpr TBackgroundPlacement PlacementOf(TBackGroundStyle Style) {
  return StyleRule<TBackgroundPlacement::Pattern>(Style);
}
static_assert(PlacementOf(bgscCenter) == TBackgroundPlacement::Center &&
              PlacementOf(bgscStretch) == TBackgroundPlacement::Stretch &&
              PlacementOf(bgscPattern) == TBackgroundPlacement::Pattern);

constexpr THeightRule RuleOf(TItemHeightStyle Style) {
  return StyleRule<THeightRule::FontBitmap>(Style);
}
static_assert(RuleOf(ihcFont) == THeightRule::Font && RuleOf(ihcBitmap) == THeightRule::Bitmap &&
              RuleOf(ihcFontBitmap) == THeightRule::FontBitmap);

// The host window styles: every style but csOwnerDrawFixed is owner-drawn with variable
// heights, so the control paints all items itself.
DWORD StyleBits(TComboBoxStyle Style) {
  switch (Style) {
  case csDropDown:
    return CBS_DROPDOWN | CBS_OWNERDRAWVARIABLE;
  case csSimple:
    return CBS_SIMPLE | CBS_OWNERDRAWVARIABLE;
  case csDropDownList:
  case csOwnerDrawVariable:
    return CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE;
  case csOwnerDrawFixed:
    return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
  }
  return CBS_SIMPLE | CBS_OWNERDRAWVARIABLE;
}

constexpr DWORD StyleMask = 0x3 | CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE | CBS_SORT;

TShiftState ShiftOf(WPARAM Keys) {
  TShiftState shift;
  if (Keys & MK_SHIFT) shift.Include(ssShift);
  if (Keys & MK_CONTROL) shift.Include(ssCtrl);
  if (Keys & MK_LBUTTON) shift.Include(ssLeft);
  if (Keys & MK_RBUTTON) shift.Include(ssRight);
  if (Keys & MK_MBUTTON) shift.Include(ssMiddle);
  return shift;
}

} // namespace

// TLumComboBoxStrings

TLumComboBoxStrings::TLumComboBoxStrings(TLumComboBox* AComboBox)
    : TLumItemStrings(AComboBox, AComboBox->FItems.get()), FComboBox(AComboBox) {}

TLumComboBoxEintrag* TLumComboBoxStrings::GetLumComboBoxEintrag(Integer Index) const {
  return static_cast<TLumComboBoxEintrag*>(Eintrag(Index));
}

std::unique_ptr<TLumEintrag> TLumComboBoxStrings::NewEintrag() const {
  return std::make_unique<TLumComboBoxEintrag>();
}

int TLumComboBoxStrings::OwnerItemIndex() { return FComboBox->ItemIndex(); }

// Setting the same selection again would clear a text typed into the edit field.
void TLumComboBoxStrings::SetOwnerItemIndex(int Value) {
  if (FComboBox->ItemIndex() != Value) FComboBox->SetItemIndex(Value);
}

void TLumComboBoxStrings::RestoreSelection(int Remembered) {
  if (Remembered < Count()) SetOwnerItemIndex(Remembered);
}

void TLumComboBoxStrings::ItemHeightChanged(Integer Index) {
  FComboBox->MeasureItemToHost(Index);
  FComboBox->RepaintAll();
}

void TLumComboBoxStrings::ItemReplaced(Integer Index) { FComboBox->MeasureItemToHost(Index); }

void TLumComboBoxStrings::ItemColorChanged() { FComboBox->RepaintAll(); }

// Records read or assigned in a run may have other heights than the rows were given.
void TLumComboBoxStrings::EndBulk() { FComboBox->MeasureAllItems(); }

// TLumComboBox

TLumComboBox::TLumComboBox(TComponent* AOwner)
    : TCustomComboBox(AOwner), FTabStops(std::make_unique<TStringList>()),
      FBackground(std::make_unique<TPicture>()) {
  FControlStyle =
      TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight, csReflector};
  if (!NewStyleControls) FControlStyle.Include(csFramed);
  FStyle = csSimple;
  FItemHeight = 16;
  FLumItems = std::make_unique<TLumComboBoxStrings>(this);
  FBackground->SetOnChange([this](TObject*) { Invalidate(); });
}

TLumComboBox::~TLumComboBox() {
  // The window goes first: its last messages may still ask for the items.
  if (HandleAllocated()) DestroyWindowHandle();
}

void TLumComboBox::CreateParams(TCreateParams& Params) {
  TCustomComboBox::CreateParams(Params);
  Params.Style = (Params.Style & ~StyleMask) | StyleBits(FStyle);
  if (FLumSorted) Params.Style |= CBS_SORT;
  if (NewStyleControls && Ctl3D()) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

// A sorted window sorts the rows it is given back; they follow the items' order again, each
// measured for its own item, with the text shown before.
void TLumComboBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  ClearEditMargins();
  if (!FLumSorted || FLumItems->Count() == 0) return;
  const String text = GetText();
  FLumItems->RebuildHostRows();
  if (GetText() != text) SetText(text);
  RepaintAll();
}

// The edit field's text starts at its left edge, as the items' texts in the list do.
void TLumComboBox::ClearEditMargins() {
  if (NewStyleControls && FEditHandle)
    SendMessageA(FEditHandle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

// The client edge follows Ctl3D, so a change needs a new window.
void TLumComboBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_CTL3DCHANGED && NewStyleControls) RecreateWnd();
  TCustomComboBox::Dispatch(Message);
}

void TLumComboBox::Edit_aufrufen() { EditLumComboBox(this); }

void TLumComboBox::Clear() {
  SetText("");
  FLumItems->Clear();
}

void TLumComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  const int selection = ItemIndex();
  if (Value == csSimple)
    FControlStyle.Exclude(csFixedHeight);
  else
    FControlStyle.Include(csFixedHeight);
  TCustomComboBox::SetStyle(Value);
  if (HandleAllocated() && ItemIndex() != selection) SetItemIndex(selection);
}

void TLumComboBox::SetLumSorted(bool Value) {
  if (FLumSorted == Value) return;
  FLumSorted = Value;
  RecreateWnd();
}

void TLumComboBox::SetLumItemHeight(int Value) {
  if (Value > 0) FItemHeight = Value;
}

void TLumComboBox::SetItemHeightStyle(TItemHeightStyle Value) {
  if (FItemHeightStyle == Value) return;
  FItemHeightStyle = Value;
  MeasureAllItems();
  RepaintAll();
}

void TLumComboBox::SetAnyFonts(bool Value) {
  if (FAnyFonts == Value) return;
  FAnyFonts = Value;
  MeasureAllItems();
  RepaintAll();
}

void TLumComboBox::SetAnyColors(bool Value) {
  if (FAnyColors == Value) return;
  FAnyColors = Value;
  RepaintAll();
}

void TLumComboBox::SetBitmapStyle(TBitmapStyle Value) {
  if (FBitmapStyle == Value) return;
  FBitmapStyle = Value;
  Reselect();
  RepaintAll();
}

void TLumComboBox::SetBoldStyle(bool Value) {
  if (FBoldStyle == Value) return;
  FBoldStyle = Value;
  Reselect();
}

void TLumComboBox::SetUseTabStops(bool Value) {
  if (FUseTabStops == Value) return;
  FUseTabStops = Value;
  RepaintAll();
}

void TLumComboBox::SetTabStops(const String& Value) {
  ParseTabStops(Value, FTabStops.get());
  Invalidate();
}

void TLumComboBox::SetBackGroundStyle(TBackGroundStyle Value) {
  if (FBackGroundStyle == Value) return;
  FBackGroundStyle = Value;
  Invalidate();
}

// The current item selected again, so the field is drawn anew.
void TLumComboBox::Reselect() {
  if (!HandleAllocated()) return;
  const LRESULT selection = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
  SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

void TLumComboBox::RepaintAll() {
  Repaint();
  if (FListHandle) ::InvalidateRect(FListHandle, nullptr, TRUE);
}

bool TLumComboBox::HasBackground() const {
  return FBackGroundStyle != bgscNone && FBackground->Graphic() != nullptr;
}

bool TLumComboBox::PaintsItems() const {
  return FStyle == csDropDown || FStyle == csSimple || FStyle == csDropDownList;
}

void TLumComboBox::MeasureItemToHost(Integer Index) {
  if (!HandleAllocated()) return;
  int height = FItemHeight;
  MeasureItem(Index, height);
  SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(Index), height);
}

void TLumComboBox::MeasureAllItems() {
  for (Integer i = 0; i < FLumItems->Count(); ++i) MeasureItemToHost(i);
}

// Every row but those of csOwnerDrawFixed is measured by its item, also when the window is
// made again, so a row keeps its item's height.
void TLumComboBox::CNMeasureItem(TMessage& Message) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  int height = FItemHeight;
  if (FStyle != csOwnerDrawFixed) MeasureItem(static_cast<int>(item->itemID), height);
  item->itemHeight = static_cast<UINT>(std::max(0, height));
  Message.Result = 1;
}

void TLumComboBox::MeasureItem(int Index, int& Height) {
  if (Index < 0) {
    if (OnMeasureItem()) OnMeasureItem()(this, Index, Height);
    return;
  }
  if (Index >= FLumItems->Count()) return;
  TLumEintrag* item = FLumItems->GetLumComboBoxEintrag(Index);
  Height = RichItemHeight(RuleOf(FItemHeightStyle), Height, Font(),
                          FAnyFonts ? item->Font.Peek() : Font(), item->Bitmap.Peek(), FWidth);
}

void TLumComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  const TColor fontColor = Canvas()->Font()->Color();
  if (!PaintsItems()) {
    if (OnDrawItem()) OnDrawItem()(this, Index, Rect, State);
  } else if (Index < FLumItems->Count()) {
    PaintItem(Index, Rect, State);
  }
  Canvas()->Font()->SetColor(fontColor);
}

void TLumComboBox::PaintItem(int Index, const TRect& R, TOwnerDrawState State) {
  TCanvas* canvas = Canvas();
  TLumEintrag* item = FLumItems->GetLumComboBoxEintrag(Index);
  const TRichItemLook look{FColor, Font(), FAnyColors, FAnyFonts};
  ApplyItemLook(canvas, look, item);
  if (!HasBackground() || ItemHasOwnColor(look, item))
    canvas->FillRect(R);
  else
    PaintBackground(canvas, R, ClientRect());
  const TRect bitmap = DrawItemBitmap(canvas, PlacementOf(FBitmapStyle), item->Bitmap.Peek(), R);
  if (State.Contains(odSelected)) {
    if (FBoldStyle) {
      TFontStyles style = canvas->Font()->Style();
      if (style.Contains(fsBold))
        style.Exclude(fsBold);
      else
        style.Include(fsBold);
      canvas->Font()->SetStyle(style);
    } else {
      HighlightBesideBitmap(canvas, R, bitmap);
    }
    UpdateHint(Index);
  }
  DrawItemText(canvas, R.Left + 2, R.Top, FLumItems->Strings(Index), FTabStops.get(), FUseTabStops);
}

void TLumComboBox::PaintBackground(TCanvas* Canvas, const TRect& Area, const TRect& Client) {
  PaintBackgroundPicture(Canvas, FBackground.get(), PlacementOf(FBackGroundStyle), Area,
                         Client.Width(), Client.Height());
}

// The list of a simple combo box clears what lies below its last row after the rows are
// drawn; the picture is painted there again.
void TLumComboBox::PaintBelowLastRow() {
  RECT client{};
  GetClientRect(FListHandle, &client);
  const Integer count = FLumItems->Count();
  int below = 0;
  if (count > 0) {
    RECT last{};
    SendMessageA(FListHandle, LB_GETITEMRECT, static_cast<WPARAM>(count - 1),
                 reinterpret_cast<LPARAM>(&last));
    below = std::max(0, static_cast<int>(last.Bottom));
  }
  if (below >= client.Bottom) return;
  const HDC dc = GetDC(FListHandle);
  TCanvas canvas;
  canvas.SetHandle(dc);
  PaintBackground(&canvas, TRect(client.Left, below, client.Right, client.Bottom), ClientRect());
  canvas.SetHandle(nullptr);
  ReleaseDC(FListHandle, dc);
}

void TLumComboBox::DrawEdit(int Index) {
  if (!FEditHandle) return;
  RECT client{};
  GetClientRect(FEditHandle, &client);
  const HDC dc = GetDC(FEditHandle);
  TCanvas canvas;
  canvas.SetHandle(dc);
  PaintBackground(&canvas, client, client);
  const bool item = Index >= 0 && Index < FLumItems->Count();
  TLumEintrag* e = item ? FLumItems->GetLumComboBoxEintrag(Index) : nullptr;
  const TColor textColor = item && FAnyFonts ? e->Font.Peek()->Color() : Font()->Color();
  canvas.Font()->Assign(Font());
  canvas.Font()->SetColor(textColor);
  canvas.Pen()->SetColor(textColor);
  canvas.Brush()->SetColor(item && FAnyColors ? e->Color : FColor);
  if (item && FAnyColors && e->Color != FColor) canvas.FillRect(client);
  canvas.Brush()->SetStyle(bsClear);
  canvas.TextOut(1, 1, item ? FLumItems->Strings(Index) : GetText());
  canvas.SetHandle(nullptr);
  ReleaseDC(FEditHandle, dc);
}

void TLumComboBox::ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc) {
  const auto x = static_cast<int>(static_cast<short>(LOWORD(Message.LParam)));
  const auto y = static_cast<int>(static_cast<short>(HIWORD(Message.LParam)));
  switch (Message.Msg) {
  case WM_MOUSEMOVE:
    if (!Dragging()) UpdateHint(-1);
    break;
  case WM_LBUTTONDOWN:
    if (FOnMouseDown) FOnMouseDown(this, mbLeft, ShiftOf(Message.WParam), x, y);
    break;
  case WM_LBUTTONUP:
    if (FOnDragDrop) FOnDragDrop(this, this, x, y);
    break;
  default:
    break;
  }
  TCustomComboBox::ComboWndProc(Message, ComboWnd, ComboProc);
  if (ComboWnd == FEditHandle && Message.Msg == WM_SETFONT) ClearEditMargins();
  if (!HasBackground()) return;
  if (ComboWnd == FListHandle && Message.Msg == WM_PAINT) PaintBelowLastRow();
  if (ComboWnd != FEditHandle) return;
  switch (Message.Msg) {
  case WM_LBUTTONDOWN:
  case WM_KILLFOCUS:
  case WM_KEYUP:
  case WM_SETTEXT:
  case WM_PAINT:
    DrawEdit(ItemIndex());
    break;
  default:
    break;
  }
}

void TLumComboBox::CNCommand(TMessage& Message) {
  if (Message.WParamHi() != CBN_DROPDOWN) return TCustomComboBox::CNCommand(Message);
  DropDown();
  SizeDropDown();
}

// The host takes the height of the open list from the window's height.
void TLumComboBox::SizeDropDown() {
  const int rows = std::clamp(FLumItems->Count(), 1, std::max(1, DropDownCount()));
  SetWindowPos(Handle(), nullptr, 0, 0, FWidth, FItemHeight * rows + FHeight + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

int TLumComboBox::ItemAtPos(TPoint Pos, bool Existing) {
  if (!HandleAllocated()) return -1;
  const bool dropped = FStyle != csSimple && DroppedDown();
  const bool inList = dropped && Pos.X >= 0 && Pos.X < FWidth && Pos.Y >= FHeight;
  if (!ClientRect().Contains(Pos) && !inList) return -1;
  int top = FHeight;
  if (FStyle == csSimple && FListHandle) {
    POINT origin{0, 0};
    MapWindowPoints(FListHandle, Handle(), &origin, 1);
    top = origin.Y;
  }
  const int count = FLumItems->Count();
  const int first = std::max(0, static_cast<int>(SendMessageA(Handle(), CB_GETTOPINDEX, 0, 0)));
  for (int i = first, y = top; i < count && y <= Pos.Y; ++i) {
    const int height = static_cast<int>(SendMessageA(Handle(), CB_GETITEMHEIGHT, i, 0));
    if (Pos.Y >= y && Pos.Y < y + height) return i;
    y += height;
  }
  return Existing ? -1 : count;
}

bool TLumComboBox::MouseOverControl() {
  POINT cursor{};
  GetCursorPos(&cursor);
  const HWND under = WindowFromPoint(cursor);
  return under && (under == Handle() || under == FEditHandle || under == FListHandle ||
                   GetParent(under) == Handle());
}

// The framework's hint window renews a hint on screen when the text is set; a control the
// mouse just came to over one of its sub-windows is announced to it as pointed at.
void TLumComboBox::UpdateHint(int Index) {
  if (Index < 0) {
    POINT cursor{};
    GetCursorPos(&cursor);
    Index = ItemAtPos(ScreenToClient(TPoint{cursor.X, cursor.Y}), true);
  }
  if (Index >= 0 && Index < FLumItems->Count()) {
    if (FLumItems->GetHelpContext(Index) != FHelpContext)
      FHelpContext = FLumItems->GetHelpContext(Index);
    if (FLumItems->GetHint(Index) != FHint) SetHint(FLumItems->GetHint(Index));
  }
  Perform(CM_HINTSHOW);
  if (ControlHooks().MouseMessage && MouseOverControl())
    ControlHooks().MouseMessage(this, TMessage{WM_MOUSEMOVE, 0, 0, 0});
}

} // namespace LumComboBox
