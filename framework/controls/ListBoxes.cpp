#include "framework/controls/ListBoxes.h"

#include "framework/rtl/Format.h"
#include "framework/rtl/Strings.h"

#include <algorithm>

namespace {

LRESULT Send(TCustomListBox* ListBox, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
  return SendMessageA(ListBox->Handle(), Msg, WParam, LParam);
}

LPARAM TextParam(const String& S) { return reinterpret_cast<LPARAM>(S.c_str()); }

// The window refused an entry (LB_ERR, LB_ERRSPACE).
void CheckInserted(LRESULT Result) {
  if (Result < 0) throw EOutOfResources(SInsertLineError);
}

} // namespace

// TListBoxStrings

Integer TListBoxStrings::GetCount() const {
  if (!FListBox->HandleAllocated()) return static_cast<Integer>(FListBox->FEntries.size());
  return static_cast<Integer>(Send(FListBox, LB_GETCOUNT));
}

String TListBoxStrings::Get(Integer Index) const {
  if (!FListBox->HandleAllocated()) {
    FListBox->CheckOfflineIndex(Index);
    return FListBox->FEntries[static_cast<std::size_t>(Index)].Text;
  }
  const LRESULT length = Send(FListBox, LB_GETTEXTLEN, static_cast<WPARAM>(Index));
  if (length == LB_ERR) Error(SListIndexError, Index);
  String text(static_cast<std::size_t>(length) + 1, '\0');
  Send(FListBox, LB_GETTEXT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

TObject* TListBoxStrings::GetObject(Integer Index) const {
  if (!FListBox->HandleAllocated()) {
    FListBox->CheckOfflineIndex(Index);
    return FListBox->FEntries[static_cast<std::size_t>(Index)].Object;
  }
  const LRESULT data = Send(FListBox, LB_GETITEMDATA, static_cast<WPARAM>(Index));
  if (data == LB_ERR) Error(SListIndexError, Index);
  return reinterpret_cast<TObject*>(data);
}

void TListBoxStrings::PutObject(Integer Index, TObject* Object) {
  if (!FListBox->HandleAllocated()) {
    FListBox->CheckOfflineIndex(Index);
    FListBox->FEntries[static_cast<std::size_t>(Index)].Object = Object;
    return;
  }
  if (Send(FListBox, LB_SETITEMDATA, static_cast<WPARAM>(Index),
           reinterpret_cast<LPARAM>(Object)) == LB_ERR)
    Error(SListIndexError, Index);
}

Integer TListBoxStrings::Add(const String& S) {
  if (!FListBox->HandleAllocated()) {
    const int at = FListBox->OfflineInsertPosition(S);
    FListBox->FEntries.insert(FListBox->FEntries.begin() + at, {S});
    return at;
  }
  const LRESULT result = Send(FListBox, LB_ADDSTRING, 0, TextParam(S));
  CheckInserted(result);
  return static_cast<Integer>(result);
}

void TListBoxStrings::Insert(Integer Index, const String& S) {
  if (!FListBox->HandleAllocated()) {
    if (Index < 0 || Index > GetCount()) Error(SListIndexError, Index);
    FListBox->FEntries.insert(FListBox->FEntries.begin() + Index, {S});
    return;
  }
  CheckInserted(Send(FListBox, LB_INSERTSTRING, static_cast<WPARAM>(Index), TextParam(S)));
}

void TListBoxStrings::Delete(Integer Index) {
  if (!FListBox->HandleAllocated()) {
    FListBox->CheckOfflineIndex(Index);
    FListBox->FEntries.erase(FListBox->FEntries.begin() + Index);
    return;
  }
  if (Send(FListBox, LB_DELETESTRING, static_cast<WPARAM>(Index)) == LB_ERR)
    Error(SListIndexError, Index);
}

void TListBoxStrings::Clear() {
  if (!FListBox->HandleAllocated()) {
    FListBox->FEntries.clear();
    FListBox->FSavedItemIndex = -1;
    FListBox->FSavedTopIndex = 0;
    return;
  }
  Send(FListBox, LB_RESETCONTENT);
}

Integer TListBoxStrings::IndexOf(const String& S) const {
  if (!FListBox->HandleAllocated()) return TStrings::IndexOf(S);
  return static_cast<Integer>(
      Send(FListBox, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), TextParam(S)));
}

void TListBoxStrings::SetUpdateState(bool Updating) {
  if (!FListBox->HandleAllocated()) return;
  Send(FListBox, WM_SETREDRAW, Updating ? 0 : 1);
  if (!Updating) FListBox->Refresh();
}

// TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TListBoxStrings>(this)),
      FCanvas(std::make_unique<TControlCanvas>()) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FCanvas->SetControl(this);
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
  if (FSorted) Params.Style |= LBS_SORT;
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
  std::vector<TEntry> entries;
  const int count = FItems->Count();
  entries.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    entries.push_back(TEntry{FItems->Strings(i), FItems->Objects(i),
                             FMultiSelect && Send(this, LB_GETSEL, static_cast<WPARAM>(i)) > 0});
  FSavedItemIndex = ItemIndex();
  FSavedTopIndex = TopIndex();
  FEntries = std::move(entries);
}

void TCustomListBox::RestoreEntries() {
  std::vector<TEntry> entries = std::move(FEntries);
  FEntries.clear();
  for (const TEntry& e : entries) {
    const LRESULT at = Send(this, LB_ADDSTRING, 0, TextParam(e.Text));
    CheckInserted(at);
    Send(this, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(e.Object));
    if (e.Selected) Send(this, LB_SETSEL, 1, at);
  }
  if (FSavedTopIndex > 0) SetTopIndex(FSavedTopIndex);
  if (FSavedItemIndex >= 0) SetItemIndex(FSavedItemIndex);
  FSavedItemIndex = -1;
  FSavedTopIndex = 0;
}

int TCustomListBox::OfflineInsertPosition(const String& S) const {
  if (!FSorted) return static_cast<int>(FEntries.size());
  const auto at =
      std::upper_bound(FEntries.begin(), FEntries.end(), S, [](const String& s, const TEntry& e) {
        return AnsiCompareText(s, e.Text) < 0;
      });
  return static_cast<int>(at - FEntries.begin());
}

void TCustomListBox::CheckOfflineIndex(Integer Index) const {
  if (Index < 0 || Index >= static_cast<Integer>(FEntries.size()))
    throw EListError(Format(SListIndexError, {Index}));
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
  if (FSorted == Value) return;
  FSorted = Value;
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
