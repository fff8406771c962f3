#pragma once

#include "framework/controls/GraphicControl.h"

#include <vector>

class TPageControl;

// One page of a page control: a container filling the control's display area, shown while
// it is the active page. Its caption is the text of its tab.
class TTabSheet : public TWinControl {
  LUM_CLASS(TTabSheet, TWinControl)
public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(Integer, PageIndex, GetPageIndex(), SetPageIndex, NotStored)
  LUM_PUBLISHED(bool, TabVisible, FTabVisible, SetTabVisible, Default(true))

  TPageControl* PageControl() const { return FPageControl; }
  // Moves the sheet to another page control (null: to none); it becomes its last page.
  void SetPageControl(TPageControl* Value);
  int GetPageIndex() const;
  // Moves the sheet within its page control's pages; EListError outside them.
  void SetPageIndex(int Value);
  void SetTabVisible(bool Value);
  // The index among the visible tabs, -1 while the tab is hidden.
  int TabIndex() const;
  void SetParent(TWinControl* AParent) override;

protected:
  // The page control sets a sheet's bounds.
  bool IsBoundsStored() const override { return false; }
  void CMTextChanged(TMessage& Message) override;

private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Pages with a row of tabs on top, drawn in the classic look. A click on a tab, Ctrl+Tab and
// Ctrl+Shift+Tab (anywhere inside the control) and the arrow keys (on the focused control)
// change pages, asking OnChanging first and telling OnChange after.
class TPageControl : public TCustomControl {
  LUM_CLASS(TPageControl, TCustomControl)
public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISHED(TTabSheet*, ActivePage, FActivePage, SetActivePage, NoDefault)
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnChange, FOnChange, SetOnChange, NoDefault)
  LUM_PUBLISHED(TTabChangingEvent, OnChanging, FOnChanging, SetOnChanging, NoDefault)

  int PageCount() const { return static_cast<int>(FPages.size()); }
  // EListError "List index out of bounds (n)" outside 0 .. PageCount - 1.
  TTabSheet* Pages(int Index) const;
  // Shows the page (one of this control's, or null for none) without asking OnChanging.
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const;
  // -1 or an index outside the pages leaves no page active.
  void SetActivePageIndex(int Value);
  // The next (or previous) page with a visible tab, wrapping around; null when none.
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  // Moves to the next page the way Ctrl+Tab does, if OnChanging allows.
  void SelectNextPage(bool GoForward);
  // The tab of a visible index, as it is drawn, and the visible tab at a client point (-1).
  TRect TabRect(int TabIndex);
  int IndexOfTabAt(int X, int Y);
  // The area the pages fill.
  TRect DisplayRect();
  int TabHeight();

  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  void SetOnChanging(TTabChangingEvent Value) { FOnChanging = std::move(Value); }

protected:
  void Paint() override;
  void AdjustClientRect(TRect& Rect) override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void CMDialogKey(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  virtual bool CanChange();
  virtual void Change();

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void MovePage(TTabSheet* Page, int Index);
  void TabsChanged();
  std::vector<TTabSheet*> VisibleTabs() const;
  // Asks OnChanging, shows the page and tells OnChange: a change made by the user.
  void UserSelects(TTabSheet* Page);
  void ChangeActivePage(TTabSheet* Page);
  TPoint MeasureText(const String& Text);
  void PaintTab(const TRect& Tab, int BodyTop, TTabSheet* Page, bool Selected);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  TNotifyEvent FOnChange;
  TTabChangingEvent FOnChanging;
};
