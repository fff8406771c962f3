#pragma once

#include "framework/classes/Component.h"
#include "framework/controls/ImgList.h"
#include "framework/controls/ListBoxes.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/win32/WinUser.h"

#include <memory>
#include <vector>

LUM_DECLARE_EXCEPTION(EMenuError, Exception);

// A key with its shift keys in one word: the virtual key in the low byte, scShift, scCtrl
// and scAlt above it.
using TShortCut = Word;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+S", "Shift+Ctrl+F10", "Del" …; empty for 0 or a key without a name.
String ShortCutToText(TShortCut ShortCut);
// The shortcut a text names, letter case ignored; 0 for a text that does not parse.
TShortCut TextToShortCut(const String& Text);

LUM_ENUM(TMenuBreak, mbNone, mbBreak, mbBarBreak);
LUM_ENUM(TPopupAlignment, paLeft, paRight, paCenter);
LUM_ENUM(TFindItemKind, fkCommand, fkHandle, fkShortCut);

using TMenuMeasureItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;

class TMenu;

// One entry of a menu: a command, a separator (Caption "-") or, with items of its own, the
// parent of a submenu. The window engine's menu is rebuilt from the items whenever one
// changes; an item that goes away leaves its parent first.
class TMenuItem : public TComponent {
  LUM_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  void BeforeDestruction() override;

  LUM_PUBLISHED(TBitmap*, Bitmap, GetBitmap(), SetBitmap, NoDefault, Stored(HasBitmap))
  LUM_PUBLISHED(TMenuBreak, Break, FBreak, SetBreak, Default(mbNone))
  LUM_PUBLISHED(String, Caption, FCaption, SetCaption, NoDefault)
  LUM_PUBLISHED(bool, Checked, FChecked, SetChecked, Default(false))
  LUM_PUBLISHED(bool, Default, FDefault, SetDefault, Default(false))
  LUM_PUBLISHED(bool, Enabled, FEnabled, SetEnabled, Default(true))
  LUM_PUBLISHED(Byte, GroupIndex, FGroupIndex, SetGroupIndex, Default(0))
  LUM_PUBLISHED(Integer, HelpContext, FHelpContext, Field, Default(0))
  LUM_PUBLISHED(String, Hint, FHint, Field, NoDefault)
  LUM_PUBLISHED(Integer, ImageIndex, FImageIndex, SetImageIndex, Default(-1))
  LUM_PUBLISHED(bool, RadioItem, FRadioItem, SetRadioItem, Default(false))
  LUM_PUBLISHED(TShortCut, ShortCut, FShortCut, SetShortCut, Default(0))
  LUM_PUBLISHED(bool, Visible, FVisible, SetVisible, Default(true))
  LUM_PUBLISHED(TAdvancedMenuDrawItemEvent, OnAdvancedDrawItem, FOnAdvancedDrawItem, Field,
                NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, Field, NoDefault)
  LUM_PUBLISHED(TMenuDrawItemEvent, OnDrawItem, FOnDrawItem, Field, NoDefault)
  LUM_PUBLISHED(TMenuMeasureItemEvent, OnMeasureItem, FOnMeasureItem, Field, NoDefault)

  TBitmap* GetBitmap() const;
  // Copies the bitmap.
  void SetBitmap(TBitmap* Value);
  bool HasBitmap() const { return FBitmap && !FBitmap->Empty(); }
  void SetBreak(TMenuBreak Value);
  void SetCaption(const String& Value);
  // Checking a radio item unchecks the others of its group in the same parent.
  void SetChecked(bool Value);
  void SetDefault(bool Value);
  void SetEnabled(bool Value);
  void SetGroupIndex(Byte Value);
  void SetImageIndex(int Value);
  void SetRadioItem(bool Value);
  void SetShortCut(TShortCut Value);
  void SetVisible(bool Value);

  // The sub-items. Items outside 0 … Count-1 raise EMenuError "Menu index out of range".
  TMenuItem* Items(int Index) const;
  int Count() const { return static_cast<int>(FItems.size()); }
  // Adds or inserts an item that has no parent yet (EMenuError "Menu inserted twice").
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out without freeing it.
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  // Frees every sub-item.
  void Clear();
  int IndexOf(TMenuItem* Item) const;
  // The sub-item of that caption, '&' and letter case ignored; null for none.
  TMenuItem* Find(const String& ACaption) const;
  TMenuItem* Parent() const { return FParent; }
  // The position in the parent; setting it moves the item.
  int MenuIndex() const;
  void SetMenuIndex(int Value);
  TMenu* GetParentMenu() const;
  bool IsLine() const { return FCaption == "-"; }
  // The command id that WM_COMMAND carries for this item.
  UINT Command() const { return FCommand; }
  // The popup menu of the sub-items (made on first use).
  HMENU Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }

  // Runs OnClick (a main menu's submenu parent when its submenu opens, a command when chosen).
  virtual void Click();
  // Owner drawing, by way of the form: the default size and picture, or the events'.
  virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
  virtual void AdvancedDrawItem(TCanvas* ACanvas, TRect ARect, TOwnerDrawState State,
                                bool TopLevel);

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

protected:
  // The caption drawn as the framework does: the default item bold, disabled ones embossed.
  virtual void DoDrawText(TCanvas* ACanvas, const String& ACaption, TRect& Rect, bool Selected,
                          int Flags);
  // Something shown changed: the parent's engine menu is rebuilt.
  void MenuChanged(bool Rebuild);

private:
  friend class TMenu;
  void RebuildHandle();
  // Writes the item into the engine menu at a position, over the item there or inserted.
  void PutInto(HMENU Menu, int Position, bool Replace);
  UINT ItemType() const;
  UINT ItemState() const;
  String ItemText() const;
  bool IsOwnerDrawn() const;
  void TurnSiblingsOff();
  void RebuildAll();
  // Glyph is laid out left to right; with Axis > 0 it is drawn mirrored about x = Axis / 2.
  void DrawGlyph(TCanvas* ACanvas, TRect& Glyph, bool TopLevel, int Axis);
  void SetParentItem(TMenuItem* Value) { FParent = Value; }

  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr; // the menu whose Items this is
  std::vector<TMenuItem*> FItems;
  HMENU FHandle = nullptr;
  UINT FCommand = 0;
  mutable std::unique_ptr<TBitmap> FBitmap;
  TMenuBreak FBreak = mbNone;
  String FCaption;
  bool FChecked = false;
  bool FDefault = false;
  bool FEnabled = true;
  Byte FGroupIndex = 0;
  Integer FHelpContext = 0;
  String FHint;
  Integer FImageIndex = -1;
  bool FRadioItem = false;
  TShortCut FShortCut = 0;
  bool FVisible = true;
  TAdvancedMenuDrawItemEvent FOnAdvancedDrawItem;
  TNotifyEvent FOnClick;
  TMenuDrawItemEvent FOnDrawItem;
  TMenuMeasureItemEvent FOnMeasureItem;
};

// A tree of items shown by the window engine: the base of the main menu and of popup menus.
class TMenu : public TComponent {
  LUM_CLASS(TMenu, TComponent)
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  LUM_PUBLISHED(TBiDiMode, BiDiMode, FBiDiMode, SetBiDiMode, Default(bdLeftToRight),
                Stored(IsBiDiModeStored))
  LUM_PUBLISHED(TImageList*, Images, FImages, SetImages, NoDefault)
  LUM_PUBLISHED(bool, OwnerDraw, FOwnerDraw, SetOwnerDraw, Default(false))
  LUM_PUBLISHED(bool, ParentBiDiMode, FParentBiDiMode, SetParentBiDiMode, Default(true))

  // Setting it turns ParentBiDiMode off; a change rebuilds the items in the new order.
  void SetBiDiMode(TBiDiMode Value);
  void SetImages(TImageList* Value);
  void SetOwnerDraw(bool Value);
  // Turning it on takes the owner's BiDiMode.
  void SetParentBiDiMode(bool Value);
  bool IsBiDiModeStored() const { return !FParentBiDiMode; }
  // Every mode but bdLeftToRight: the items go in right-to-left order, their text right-aligned.
  bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
  // With ParentBiDiMode on, the BiDiMode of a control (the owner form, or the control a popup
  // opens for) becomes the menu's; anything but a control is ignored.
  void ParentBiDiModeChanged(TObject* AControl);
  void ParentBiDiModeChanged() { ParentBiDiModeChanged(Owner()); }
  // The root item; its sub-items are the menu's items.
  TMenuItem* Items() const { return FItems; }
  virtual HMENU Handle();
  // Items are drawn by the framework (through their draw events) rather than the system.
  bool IsOwnerDraw() const { return FOwnerDraw || FImages; }
  // The text alignment of the items (DT_LEFT, DT_RIGHT, DT_CENTER).
  virtual int AlignmentFlags() const { return DT_LEFT; }

  TMenuItem* FindItem(UINT Value, TFindItemKind Kind) const;
  // WM_COMMAND: the item's Click; false when no item has that command.
  bool DispatchCommand(Word ACommand);
  // WM_INITMENUPOPUP: the Click of the item whose submenu opens.
  bool DispatchPopup(HMENU AHandle);
  // WM_MENUSELECT: the highlighted item's long hint becomes the application's hint; no item,
  // or the menu closing, clears it.
  bool DispatchMenuSelect(UINT Id, UINT Flags, HMENU Menu);
  // A key with its shift state that some enabled item has as ShortCut clicks it.
  bool IsShortCut(Word Key, TShiftState Shift);
  // WM_MEASUREITEM and WM_DRAWITEM of an item of this menu; false for other items.
  bool MeasureItemMessage(MEASUREITEMSTRUCT& Measure);
  bool DrawItemMessage(const DRAWITEMSTRUCT& Draw);
  // The WM_ message of a menu sent to a window, handled for this menu; false when it is not
  // for this menu.
  bool WindowMessage(TMessage& Message);

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  TComponent* GetChildParent() override { return FItems; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The engine menu was rebuilt: a main menu repaints its bar.
  virtual void MenuChanged(TMenuItem* Source);
  virtual bool IsBar() const { return false; }
  // The engine menu, null until Handle made it.
  HMENU AllocatedHandle() const;

private:
  friend class TMenuItem;
  TMenuItem* FItems;
  TImageList* FImages = nullptr;
  bool FOwnerDraw = false;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
};

// The bar of a form (TForm.Menu).
class TMainMenu : public TMenu {
  LUM_CLASS(TMainMenu, TMenu)
public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  ~TMainMenu() override;

  LUM_PUBLISHED(TImageList*, Images, TMenu::Images(), TMenu::SetImages, NoDefault)
  LUM_PUBLISHED(bool, OwnerDraw, TMenu::OwnerDraw(), TMenu::SetOwnerDraw, Default(false))

  // The window whose bar this is (set by the form).
  HWND WindowHandle() const { return FWindowHandle; }
  void SetWindowHandle(HWND Value);

protected:
  void MenuChanged(TMenuItem* Source) override;
  bool IsBar() const override { return true; }

private:
  HWND FWindowHandle = nullptr;
};

// A menu that opens at a point: on a right click or Shift+F10 over a control whose
// PopupMenu it is, or by Popup.
class TPopupMenu : public TMenu {
  LUM_CLASS(TPopupMenu, TMenu)
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  LUM_PUBLISHED(TPopupAlignment, Alignment, FAlignment, Field, Default(paLeft))
  LUM_PUBLISHED(bool, AutoPopup, FAutoPopup, Field, Default(true))
  LUM_PUBLISHED(TImageList*, Images, TMenu::Images(), TMenu::SetImages, NoDefault)
  LUM_PUBLISHED(bool, OwnerDraw, TMenu::OwnerDraw(), TMenu::SetOwnerDraw, Default(false))
  LUM_PUBLISHED(TNotifyEvent, OnPopup, FOnPopup, Field, NoDefault)

  // Shows the menu with its corner at a screen point and returns when it closes; a chosen
  // item's OnClick runs. Right-to-left, paLeft and paRight swap the side that meets the point.
  virtual void Popup(int X, int Y);
  // The control it was opened for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
  TPoint PopupPoint() const { return FPopupPoint; }
  int AlignmentFlags() const override;

protected:
  virtual void DoPopup(TObject* Sender);
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  LRESULT WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  TNotifyEvent FOnPopup;
  TComponent* FPopupComponent = nullptr;
  TPoint FPopupPoint;
  HWND FWindow = nullptr;
};

// The caption without its accelerator marks ("&File" gives "File").
String StripHotkey(const String& Text);
