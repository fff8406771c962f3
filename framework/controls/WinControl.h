#pragma once

#include "framework/controls/Control.h"
#include "framework/graphics/Brush.h"

#include <vector>

LUM_ENUM(TBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin);
using TFormBorderStyle = TBorderStyle;
using TTabOrder = SmallInt;
LUM_ENUM(TImeMode, imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata,
         imKata, imChinese, imSHanguel, imHanguel);
using TImeName = String;

// What CreateWnd asks of the window it creates: CreateParams fills it in.
struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSA WindowClass{};
  String WinClassName;
};

// A control with a window of its own: it holds child controls, takes the focus and the
// keyboard, and creates its window when it is first needed.
class TWinControl : public TControl {
  LUM_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window, created on first use (with the parents' windows).
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  void DestroyHandle();
  void RecreateWnd();
  // A window given to a parentless control to live in.
  HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);

  int ControlCount() const;
  // Windowless controls first, then windowed ones; each group bottom to top.
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false);
  void Broadcast(TMessage& Message);
  void NotifyControls(UINT Msg);

  TTabOrder TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Showing() const { return FShowing; }

  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  void Realign();
  void ReAlign() { Realign(); }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  // Sunken 3D frames rather than flat lines; by default as the parent has it.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  bool IsCtl3DStored() const { return !FParentCtl3D; }
  TBrush* Brush() const { return FBrush.get(); }
  // The input method settings: kept and stored, no input method is driven by them.
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  const TImeName& ImeName() const { return FImeName; }
  void SetImeName(const TImeName& Value) { FImeName = Value; }

  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void InvalidateRect(const TRect* R) override;
  void Update() override;
  void Repaint() override;
  void SetZOrder(bool TopMost) override;
  // Draws the control and its children as they look into a DC at X, Y.
  void PaintTo(HDC DC, int X, int Y);

  void DefaultHandler(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  HDC GetDeviceContext(HWND& WindowHandle) override;
  // Takes over a window being created for this control (the class procedure calls it).
  LRESULT AttachHandle(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

  const TNotifyEvent& OnEnter() const { return FOnEnter; }
  void SetOnEnter(TNotifyEvent Value) { FOnEnter = std::move(Value); }
  const TNotifyEvent& OnExit() const { return FOnExit; }
  void SetOnExit(TNotifyEvent Value) { FOnExit = std::move(Value); }
  const TKeyEvent& OnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(TKeyEvent Value) { FOnKeyDown = std::move(Value); }
  const TKeyEvent& OnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(TKeyEvent Value) { FOnKeyUp = std::move(Value); }
  const TKeyPressEvent& OnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(TKeyPressEvent Value) { FOnKeyPress = std::move(Value); }

  void SetParent(TWinControl* AParent) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void CreateHandle();
  // Makes the window a subclass of a system class (its procedure becomes DefWndProc).
  void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
  // A single border: the sunken client edge with Ctl3D, a flat line without; the window is
  // made anew when Ctl3D changes.
  void AddBorderStyle(TCreateParams& Params);
  WNDPROC DefWndProc() const { return FDefWndProc; }
  void SetDefWndProc(WNDPROC Value) { FDefWndProc = Value; }

  virtual void DoEnter();
  virtual void DoExit();
  bool DoKeyDown(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);

  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect);
  virtual void PaintWindow(HDC DC);
  void PaintHandler(TMessage& Message);
  void PaintControls(HDC DC, TControl* First);
  // Sends a message to the control whose window this is (CN_ reflection); false if none.
  static bool DoControlMsg(HWND ControlHandle, TMessage& Message);
  void UpdateShowing();
  // Shows or hides the windows as the control and its parents are visible.
  void UpdateControlState();
  void AlignControl(TControl* AControl);
  void BoundsChanged(const TRect& OldBounds) override;
  String GetTextBuf() const override;
  void SetTextBuf(const String& Value) override;
  void SetParentOnly(TWinControl* AParent) override;

  virtual void WMPaint(TMessage& Message);
  virtual void WMEraseBkgnd(TMessage& Message);
  virtual void WMSize(TMessage& Message);
  virtual void WMMove(TMessage& Message);
  virtual void WMSetFocus(TMessage& Message);
  virtual void WMKillFocus(TMessage& Message);
  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  virtual void WMCommand(TMessage& Message);
  virtual void WMReflected(TMessage& Message);
  virtual void WMMeasureItem(TMessage& Message);
  virtual void WMSetCursor(TMessage& Message);
  virtual void WMNCDestroy(TMessage& Message);
  virtual void CNKeyDown(TMessage& Message);
  // A popup menu of the control or a parent, or the form's menu, takes the key as a
  // shortcut.
  bool IsMenuKey(TMessage& Message);
  // A windowless child under the point gets the context menu first.
  void WMContextMenu(TMessage& Message) override;
  virtual void CNChar(TMessage& Message);
  virtual void CNSysChar(TMessage& Message);
  virtual void CMEnter(TMessage& Message);
  virtual void CMExit(TMessage& Message);
  virtual void CMDialogKey(TMessage& Message);
  virtual void CMDialogChar(TMessage& Message);
  virtual void CMFocusChanged(TMessage& Message);
  virtual void CMShowingChanged(TMessage& Message);
  virtual void CMRecreateWnd(TMessage& Message);
  virtual void CMCtl3DChanged(TMessage& Message);
  virtual void CMParentCtl3DChanged(TMessage& Message);
  void ReadState(TReader* Reader) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;

  std::vector<TControl*> FControls;       // windowless children, bottom first
  std::vector<TWinControl*> FWinControls; // windowed children, bottom first
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  std::unique_ptr<TBrush> FBrush;
  int FBorderWidth = 0;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  TImeMode FImeMode = imDontCare;
  TImeName FImeName;

private:
  bool FBorderFollowsCtl3D = false;
  LRESULT MainWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  void ApplyWindowBounds();
  void SetZOrderOfWindow();
  bool ForwardMouseToChild(TMessage& Message);

  HWND FHandle = nullptr;
  HWND FParentWindow = nullptr;
  WNDPROC FDefWndProc = nullptr;
  WNDPROC FObjectInstance = nullptr;
  bool FShowing = false;
  int FAlignLevel = 0;
  TNotifyEvent FOnEnter;
  TNotifyEvent FOnExit;
  TKeyEvent FOnKeyDown;
  TKeyEvent FOnKeyUp;
  TKeyPressEvent FOnKeyPress;

  friend class TControl;
};

// The form a control is on (its top-most parent, when that is a form); null otherwise.
TCustomForm* GetParentForm(const TControl* Control);
// As GetParentForm, raising EInvalidOperation "Control 'X' has no parent window" when none.
TCustomForm* ValidParentForm(const TControl* Control);

// The input method pair that edits, lists and combo boxes publish.
#define LUM_PUBLISH_IME                                                                            \
  LUM_PUBLISHED(TImeMode, ImeMode, FImeMode, TWinControl::SetImeMode, Default(imDontCare))         \
  LUM_PUBLISHED(TImeName, ImeName, FImeName, TWinControl::SetImeName, NoDefault)
