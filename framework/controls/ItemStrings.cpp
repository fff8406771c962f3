#include "framework/controls/ItemStrings.h"

#include "framework/rtl/Format.h"
#include "framework/rtl/Strings.h"

#include <algorithm>

namespace {

// LB_ERR and CB_ERR.
constexpr LRESULT ItemError = -1;

LPARAM TextParam(const String& S) { return reinterpret_cast<LPARAM>(S.c_str()); }

// The window refused an entry (LB_ERR/LB_ERRSPACE, CB_ERR/CB_ERRSPACE).
void CheckInserted(LRESULT Result) {
  if (Result < 0) throw EOutOfResources(SInsertLineError);
}

} // namespace

LRESULT TItemStrings::Send(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  return SendMessageA(FControl->Handle(), Msg, WParam, LParam);
}

void TItemStrings::CheckAnswer(LRESULT Result, Integer Index) const {
  if (Result == ItemError) Error(SListIndexError, Index);
}

void TItemStrings::CheckKeptIndex(Integer Index) const {
  if (Index < 0 || Index >= static_cast<Integer>(FEntries.Count()))
    throw EListError(Format(SListIndexError, {Index}));
}

Integer TItemStrings::KeptInsertPosition(const String& S) const {
  if (!FSorted) return static_cast<Integer>(FEntries.Count());
  return static_cast<Integer>(FEntries.UpperBound(
      S, [](const String& s, const TItemEntry& e) { return AnsiCompareText(s, e.Text) < 0; }));
}

Integer TItemStrings::GetCount() const {
  if (!Windowed()) return static_cast<Integer>(FEntries.Count());
  return static_cast<Integer>(Send(FMessages.GetCount));
}

String TItemStrings::Get(Integer Index) const {
  if (!Windowed()) {
    CheckKeptIndex(Index);
    return FEntries[static_cast<std::size_t>(Index)].Text;
  }
  const LRESULT length = Send(FMessages.GetTextLen, static_cast<WPARAM>(Index));
  CheckAnswer(length, Index);
  String text(static_cast<std::size_t>(length) + 1, '\0');
  Send(FMessages.GetText, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

TObject* TItemStrings::GetObject(Integer Index) const {
  if (!Windowed()) {
    CheckKeptIndex(Index);
    return FEntries[static_cast<std::size_t>(Index)].Object;
  }
  const LRESULT data = Send(FMessages.GetItemData, static_cast<WPARAM>(Index));
  CheckAnswer(data, Index);
  return reinterpret_cast<TObject*>(data);
}

void TItemStrings::PutObject(Integer Index, TObject* Object) {
  if (!Windowed()) {
    CheckKeptIndex(Index);
    FEntries[static_cast<std::size_t>(Index)].Object = Object;
    return;
  }
  CheckAnswer(
      Send(FMessages.SetItemData, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(Object)),
      Index);
}

Integer TItemStrings::Add(const String& S) {
  if (!Windowed()) {
    const Integer at = KeptInsertPosition(S);
    FEntries.Insert(static_cast<std::size_t>(at), TItemEntry{S});
    return at;
  }
  const LRESULT result = Send(FMessages.AddString, 0, TextParam(S));
  CheckInserted(result);
  return static_cast<Integer>(result);
}

void TItemStrings::Insert(Integer Index, const String& S) {
  if (!Windowed()) {
    if (Index < 0 || Index > GetCount()) Error(SListIndexError, Index);
    FEntries.Insert(static_cast<std::size_t>(Index), TItemEntry{S});
    return;
  }
  CheckInserted(Send(FMessages.InsertString, static_cast<WPARAM>(Index), TextParam(S)));
}

void TItemStrings::Delete(Integer Index) {
  if (!Windowed()) {
    CheckKeptIndex(Index);
    FEntries.Delete(static_cast<std::size_t>(Index));
    return;
  }
  CheckAnswer(Send(FMessages.DeleteString, static_cast<WPARAM>(Index)), Index);
}

void TItemStrings::Clear() {
  if (!Windowed()) {
    FEntries.Clear();
    if (FOnKeptCleared) FOnKeptCleared();
    return;
  }
  Send(FMessages.ResetContent);
}

Integer TItemStrings::IndexOf(const String& S) const {
  if (!Windowed()) return TStrings::IndexOf(S);
  return static_cast<Integer>(
      Send(FMessages.FindStringExact, static_cast<WPARAM>(-1), TextParam(S)));
}

void TItemStrings::SetUpdateState(bool Updating) {
  if (!Windowed()) return;
  Send(WM_SETREDRAW, Updating ? 0 : 1);
  if (!Updating) FControl->Refresh();
}

TItemEntries& TItemStrings::KeepEntries() {
  TItemEntries entries;
  const Integer count = GetCount();
  for (Integer i = 0; i < count; ++i) entries.Add(TItemEntry{Get(i), GetObject(i)});
  FEntries = std::move(entries);
  return FEntries;
}

void TItemStrings::RestoreEntries(
    const std::function<void(WPARAM At, const TItemEntry& Entry)>& Restored) {
  const TItemEntries entries = std::move(FEntries);
  FEntries.Clear();
  for (std::size_t i = 0; i < entries.Count(); ++i) {
    const TItemEntry& e = entries[i];
    const LRESULT at = Send(FMessages.AddString, 0, TextParam(e.Text));
    CheckInserted(at);
    // A new entry's data is nil already.
    if (e.Object)
      Send(FMessages.SetItemData, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(e.Object));
    if (Restored) Restored(static_cast<WPARAM>(at), e);
  }
}
