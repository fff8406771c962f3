#include "framework/controls/ListBoxes.h"

#include "framework/rtl/Format.h"
#include "framework/rtl/Strings.h"

#include <algorithm>

namespace {

constexpr TItemMessages ListBoxItemMessages{
    LB_GETCOUNT,  LB_GETTEXTLEN,   LB_GETTEXT,      LB_GETITEMDATA,  LB_SETITEMDATA,
    LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_FINDSTRINGEXACT};

LRESULT Send(TCustomListBox* ListBox, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
  return SendMessageA(ListBox->Handle(), Msg, WParam, LParam);
}

} // namespace

// TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TItemStrings>(this, ListBoxItemMessages)),
      FCanvas(std::make_unique<TControlCanvas>()) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FCanvas->SetControl(this);
  FItems->SetOnKeptCleared([this] {
    FSavedItemIndex = -1;
    FSavedTopIndex = 0;
  });
}

TCustomListBox::~TCustomListBox() {
  // The window goes first: its last messages may still ask for the entries.
  if (HandleAllocated()) DestroyWindowHandle();
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "LISTBOX");
  Params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY;
  if (FStyle == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  if (FStyle == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
  if (Sorted()) Params.Style |= LBS_SORT;
  if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (!FIntegralHeight) Params.Style |= LBS_NOINTEGRALHEIGHT;
  if (FTabWidth != 0) Params.Style |= LBS_USETABSTOPS;
  if (FColumns > 0) Params.Style |= LBS_MULTICOLUMN;
  if (FBorderStyle == bsSingle) AddBorderStyle(Params);
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (FTabWidth != 0) Send(this, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&FTabWidth));
  SetColumnWidth();
  RestoreEntries();
}

void TCustomListBox::DestroyWnd() {
  SaveEntries();
  TWinControl::DestroyWnd();
}

// The window's entries, with their objects and selection, move into the control.
void TCustomListBox::SaveEntries() {
  TItemEntries& kept = FItems->KeepEntries();
  if (FMultiSelect)
    for (std::size_t i = 0; i < kept.Count(); ++i)
      kept[i].Selected = Send(this, LB_GETSEL, static_cast<WPARAM>(i)) > 0;
  FSavedItemIndex = ItemIndex();
  FSavedTopIndex = TopIndex();
}

void TCustomListBox::RestoreEntries() {
  FItems->RestoreEntries([this](WPARAM At, const TItemEntry& Entry) {
    if (Entry.Selected) Send(this, LB_SETSEL, 1, static_cast<LPARAM>(At));
  });
  if (FSavedTopIndex > 0) SetTopIndex(FSavedTopIndex);
  if (FSavedItemIndex >= 0) SetItemIndex(FSavedItemIndex);
  FSavedItemIndex = -1;
  FSavedTopIndex = 0;
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

int TCustomListBox::ItemIndex() {
  if (!HandleAllocated()) return FSavedItemIndex;
  return static_cast<int>(Send(this, FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL));
}

void TCustomListBox::SetItemIndex(int Value) {
  if (!HandleAllocated()) {
    FSavedItemIndex = Value;
    return;
  }
  if (ItemIndex() == Value) return;
  Send(this, FMultiSelect ? LB_SETCARETINDEX : LB_SETCURSEL, static_cast<WPARAM>(Value));
}

int TCustomListBox::TopIndex() {
  if (!HandleAllocated()) return FSavedTopIndex;
  return static_cast<int>(Send(this, LB_GETTOPINDEX));
}

void TCustomListBox::SetTopIndex(int Value) {
  if (!HandleAllocated()) {
    FSavedTopIndex = Value;
    return;
  }
  if (TopIndex() != Value) Send(this, LB_SETTOPINDEX, static_cast<WPARAM>(Value));
}

int TCustomListBox::ItemHeight() const {
  if (FStyle != lbStandard || !HandleAllocated()) return FItemHeight;
  auto* self = const_cast<TCustomListBox*>(this);
  RECT r{};
  Send(self, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  return r.Bottom > r.Top ? r.Bottom - r.Top : static_cast<int>(Send(self, LB_GETITEMHEIGHT));
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || FItemHeight == Value) return;
  FItemHeight = Value;
  RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (FExtendedSelect == Value) return;
  FExtendedSelect = Value;
  RecreateWnd();
}

bool TCustomListBox::Selected(int Index) {
  const LRESULT r = Send(this, LB_GETSEL, static_cast<WPARAM>(Index));
  if (r == LB_ERR) throw EListError(Format(SListIndexError, {Index}));
  return r != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (FMultiSelect) {
    if (Send(this, LB_SETSEL, Value ? 1 : 0, Index) == LB_ERR)
      throw EListError(Format(SListIndexError, {Index}));
  } else if (Value) {
    SetItemIndex(Index);
  } else if (ItemIndex() == Index) {
    SetItemIndex(-1);
  }
}

int TCustomListBox::SelCount() { return static_cast<int>(Send(this, LB_GETSELCOUNT)); }

void TCustomListBox::SetColumns(int Value) {
  if (FColumns == Value) return;
  const bool restyle = FColumns == 0 || Value == 0;
  FColumns = Value;
  if (restyle)
    RecreateWnd();
  else if (HandleAllocated())
    SetColumnWidth();
}

void TCustomListBox::SetColumnWidth() {
  if (FColumns > 0)
    Send(this, LB_SETCOLUMNWIDTH, static_cast<WPARAM>((FWidth + FColumns - 3) / FColumns));
}

void TCustomListBox::SetIntegralHeight(bool Value) {
  if (FIntegralHeight == Value) return;
  FIntegralHeight = Value;
  RecreateWnd();
}

void TCustomListBox::SetSorted(bool Value) {
  if (Sorted() == Value) return;
  FItems->SetSorted(Value);
  RecreateWnd();
}

void TCustomListBox::SetTabWidth(int Value) {
  Value = std::max(0, Value);
  if (FTabWidth == Value) return;
  FTabWidth = Value;
  RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
  if (!ClientRect().Contains(Pos)) return -1;
  const int count = FItems->Count();
  for (int i = TopIndex(); i < count; ++i) {
    RECT r{};
    Send(this, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    if (TRect(r).Contains(Pos)) return i;
  }
  return Existing ? -1 : count;
}

TRect TCustomListBox::ItemRect(int Index) {
  const int count = FItems->Count();
  RECT r{};
  if (Index == 0 || Index < count) {
    Send(this, LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  } else if (Index == count) {
    Send(this, LB_GETITEMRECT, static_cast<WPARAM>(Index - 1), reinterpret_cast<LPARAM>(&r));
    const int height = r.Bottom - r.Top;
    r.Top += height;
    r.Bottom += height;
  }
  return r;
}

void TCustomListBox::Clear() { FItems->Clear(); }

void TCustomListBox::SelectAll() {
  if (FMultiSelect) Send(this, LB_SETSEL, 1, -1);
}

void TCustomListBox::ClearSelection() {
  if (FMultiSelect)
    Send(this, LB_SETSEL, 0, -1);
  else
    SetItemIndex(-1);
}

void TCustomListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case CN_COMMAND:
    return CNCommand(Message);
  case CN_DRAWITEM:
    return CNDrawItem(Message);
  case CN_MEASUREITEM:
    return CNMeasureItem(Message);
  default:
    return TWinControl::Dispatch(Message);
  }
}

void TCustomListBox::WMSize(TMessage& Message) {
  TWinControl::WMSize(Message);
  if (HandleAllocated()) SetColumnWidth();
}

void TCustomListBox::CNCommand(TMessage& Message) {
  switch (Message.WParamHi()) {
  case LBN_SELCHANGE:
    TWinControl::Changed();
    Click();
    break;
  case LBN_DBLCLK:
    DblClick();
    break;
  default:
    break;
  }
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
  const auto state = TOwnerDrawState::FromBits(item->itemState & 0xFFFF);
  const int index = static_cast<int>(item->itemID);
  FCanvas->SetHandle(item->hDC);
  FCanvas->Font()->Assign(FFont.get());
  FCanvas->Brush()->Assign(FBrush.get());
  if (index >= 0 && state.Contains(odSelected)) {
    FCanvas->Brush()->SetColor(clHighlight);
    FCanvas->Font()->SetColor(clHighlightText);
  }
  if (index >= 0)
    DrawItem(index, item->rcItem, state);
  else
    FCanvas->FillRect(item->rcItem);
  if (state.Contains(odFocused)) DrawFocusRect(item->hDC, &item->rcItem);
  FCanvas->SetHandle(nullptr);
  Message.Result = 1;
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  int height = FItemHeight;
  if (FStyle == lbOwnerDrawVariable) MeasureItem(static_cast<int>(item->itemID), height);
  item->itemHeight = static_cast<UINT>(std::max(0, height));
  Message.Result = 1;
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  if (FOnDrawItem) return FOnDrawItem(this, Index, Rect, State);
  FCanvas->FillRect(Rect);
  if (Index < FItems->Count()) FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (FOnMeasureItem) FOnMeasureItem(this, Index, Height);
}
