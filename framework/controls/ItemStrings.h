#pragma once

#include "framework/classes/StringList.h"
#include "framework/controls/WinControl.h"
#include "framework/rtl/BlockList.h"

#include <functional>
#include <vector>

inline constexpr const char* SInsertLineError = "Unable to insert a line";

// The messages by which a list-like window (list box, combo box) keeps its entries.
struct TItemMessages {
  UINT GetCount;
  UINT GetTextLen;
  UINT GetText;
  UINT GetItemData;
  UINT SetItemData;
  UINT AddString;
  UINT InsertString;
  UINT DeleteString;
  UINT ResetContent;
  UINT FindStringExact;
};

// An entry kept while the control has no window.
struct TItemEntry {
  String Text;
  TObject* Object = nullptr;
  bool Selected = false;
};
using TItemEntries = TOwningBlockList<TItemEntry>;

// The entries of a list-like control: its window's entries while it has a window, kept here
// otherwise (and across a recreation of the window).
class TItemStrings : public TStrings {
  LUM_CLASS(TItemStrings, TStrings)
public:
  TItemStrings(TWinControl* AControl, const TItemMessages& AMessages)
      : FControl(AControl), FMessages(AMessages) {}

  Integer Add(const String& S) override;
  void Clear() override;
  void Delete(Integer Index) override;
  void Insert(Integer Index, const String& S) override;
  Integer IndexOf(const String& S) const override;

  // Entries added without a window go to their sorted place.
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value) { FSorted = Value; }
  // Called when Clear empties the kept entries, so the control can forget what it keeps.
  void SetOnKeptCleared(std::function<void()> Value) { FOnKeptCleared = std::move(Value); }

  // Copies the window's entries (text and object) into the kept list before the window goes;
  // the control may mark them further.
  TItemEntries& KeepEntries();
  // Moves the kept entries into the new window; Restored hears where each one went.
  void RestoreEntries(const std::function<void(WPARAM At, const TItemEntry& Entry)>& Restored);

protected:
  String Get(Integer Index) const override;
  Integer GetCount() const override;
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* Object) override;
  void SetUpdateState(bool Updating) override;

private:
  bool Windowed() const { return FControl->HandleAllocated(); }
  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
  // The index into the window's list; LB_ERR (CB_ERR) becomes the list index error.
  void CheckAnswer(LRESULT Result, Integer Index) const;
  void CheckKeptIndex(Integer Index) const;
  Integer KeptInsertPosition(const String& S) const;

  TWinControl* FControl;
  TItemMessages FMessages;
  TItemEntries FEntries; // while there is no window
  bool FSorted = false;
  std::function<void()> FOnKeptCleared;
};
