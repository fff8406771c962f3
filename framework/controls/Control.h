#pragma once

#include "framework/classes/Component.h"
#include "framework/controls/Messages.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/Geometry.h"

#include <memory>

class TWinControl;
class TCustomForm;
class TDragObject;

LUM_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient);
LUM_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);
LUM_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents,
         csFramed, csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight,
         csNoDesignVisible, csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector,
         csActionClient, csMenuEvents);
using TControlStyle = TSet<TControlStyleItem>;
LUM_ENUM(TControlStateItem, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded,
         csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking);
using TControlState = TSet<TControlStateItem>;
LUM_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle);
LUM_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble);
using TShiftState = TSet<TShiftStateItem>;
LUM_ENUM(TDragMode, dmManual, dmAutomatic);
LUM_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove);
LUM_ENUM(TDragKind, dkDrag, dkDock);
LUM_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom);
using TAnchors = TSet<TAnchorKind>;
inline constexpr TAnchors DefaultAnchors{akLeft, akTop};
LUM_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly);

// Whether controls take the newer system look; kept for the components that ask.
extern bool NewStyleControls;

// A mouse cursor: the standard ones are negative, 0 leaves the choice to the parent.
using TCursor = SmallInt;
inline constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                         crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9,
                         crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
                         crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17,
                         crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
                         crSizeAll = -22, crSize = -22;
TIdentMap CursorIdents();

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
class TDragDockObject;
using TStartDockEvent = std::function<void(TObject* Sender, TDragDockObject*& DragObject)>;

// The shift state of a mouse message's key flags, or of the keyboard now.
TShiftState ShiftStateOfKeys(WPARAM Keys);
TShiftState KeyboardShiftState();
TShiftState KeyDataToShiftState(LPARAM KeyData);

// What a drag in progress carries; the control that started it is its source.
class TDragObject : public TObject {
  LUM_CLASS(TDragObject, TObject)
public:
  TDragObject() = default;
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
};

class TDragControlObject : public TDragObject {
  LUM_CLASS(TDragControlObject, TDragObject)
public:
  explicit TDragControlObject(class TControl* AControl) : FControl(AControl) {}
  class TControl* Control() const {
    return FControl;
  }
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;

private:
  class TControl* FControl;
};

// What a docking drag carries (docking itself is not offered: a dock drag moves nothing).
class TDragDockObject : public TDragControlObject {
  LUM_CLASS(TDragDockObject, TDragControlObject)
public:
  using TDragControlObject::TDragControlObject;
};

using TConstraintSize = Integer;

// The smallest and largest size a control may take; 0 leaves a side unbounded. A minimum
// above the maximum raises the maximum with it, and the other way round.
class TSizeConstraints : public TPersistent {
  LUM_CLASS(TSizeConstraints, TPersistent)
public:
  TSizeConstraints() = default;

  LUM_PUBLISHED(TConstraintSize, MaxHeight, FMaxHeight, SetMaxHeight, Default(0))
  LUM_PUBLISHED(TConstraintSize, MaxWidth, FMaxWidth, SetMaxWidth, Default(0))
  LUM_PUBLISHED(TConstraintSize, MinHeight, FMinHeight, SetMinHeight, Default(0))
  LUM_PUBLISHED(TConstraintSize, MinWidth, FMinWidth, SetMinWidth, Default(0))

  void SetMaxHeight(TConstraintSize Value) { SetLimit(FMaxHeight, FMinHeight, Value, true); }
  void SetMaxWidth(TConstraintSize Value) { SetLimit(FMaxWidth, FMinWidth, Value, true); }
  void SetMinHeight(TConstraintSize Value) { SetLimit(FMinHeight, FMaxHeight, Value, false); }
  void SetMinWidth(TConstraintSize Value) { SetLimit(FMinWidth, FMaxWidth, Value, false); }
  void Assign(TPersistent* Source) override;
  // A size within the limits.
  int ConstrainWidth(int Width) const { return Constrain(Width, FMinWidth, FMaxWidth); }
  int ConstrainHeight(int Height) const { return Constrain(Height, FMinHeight, FMaxHeight); }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
  static int Constrain(int Size, int Min, int Max);
  void SetLimit(TConstraintSize& Limit, TConstraintSize& Other, TConstraintSize Value, bool IsMax);

  TConstraintSize FMaxHeight = 0;
  TConstraintSize FMaxWidth = 0;
  TConstraintSize FMinHeight = 0;
  TConstraintSize FMinWidth = 0;
  TNotifyEvent FOnChange;
};

// A thing on a form: bounds in its parent's client area, visibility, colour, font, text,
// mouse events. Messages reach it through WindowProc (WndProc unless replaced), which
// dispatches the ones the framework handles to their handler methods.
class TControl : public TComponent {
  LUM_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  LUM_PUBLISHED(Integer, Left, FLeft, SetLeft, NoDefault, Stored(IsBoundsStored))
  LUM_PUBLISHED(Integer, Top, FTop, SetTop, NoDefault, Stored(IsBoundsStored))
  LUM_PUBLISHED(Integer, Width, FWidth, SetWidth, NoDefault, Stored(IsBoundsStored))
  LUM_PUBLISHED(Integer, Height, FHeight, SetHeight, NoDefault, Stored(IsBoundsStored))
  LUM_PUBLISHED(TCursor, Cursor, FCursor, SetCursor, Default(crDefault), Idents(CursorIdents()))
  LUM_PUBLISHED(String, Hint, FHint, SetHint, NoDefault)
  LUM_PUBLISHED(Integer, HelpContext, FHelpContext, Field, Default(0))
  // A TPopupMenu: it opens on a right click and on Shift+F10.
  LUM_PUBLISHED(TComponent*, PopupMenu, FPopupMenu, SetPopupMenu, NoDefault)

  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  void SetCursor(TCursor Value);
  void SetHint(const String& Value);
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Width(); }
  int ClientHeight() { return ClientRect().Height(); }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  virtual TPoint ClientOrigin();

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }
  void SetPopupMenu(TComponent* Value);

  // Text and caption are one value.
  String GetText() const;
  void SetText(const String& Value);
  int GetTextLen() const { return static_cast<int>(GetText().size()); }

  bool Dragging() const;
  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  // Whether the control may be dropped on, asked of its OnDragOver.
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);

  void Invalidate() { InvalidateRect(nullptr); }
  virtual void InvalidateRect(const TRect* R);
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront() { SetZOrder(true); }
  void SendToBack() { SetZOrder(false); }
  virtual void SetZOrder(bool TopMost);

  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  TPoint ClientToScreen(TPoint Point);
  TPoint ScreenToClient(TPoint Point);
  // The window a windowless control draws into (its parent's).
  virtual bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  // The replaceable message entry; WndProc is the default.
  TWndMethod WindowProc;
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // A device context of the window the control shows in, its origin at the control's.
  virtual HDC GetDeviceContext(HWND& WindowHandle);

  bool MouseCapture() const;
  void SetMouseCapture(bool Value);
  bool IsControlShowing() const;
  TCustomForm* ParentForm() const;

  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }
  const TNotifyEvent& OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(TNotifyEvent Value) { FOnDblClick = std::move(Value); }
  const TMouseEvent& OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(TMouseEvent Value) { FOnMouseDown = std::move(Value); }
  const TMouseEvent& OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(TMouseEvent Value) { FOnMouseUp = std::move(Value); }
  const TMouseMoveEvent& OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(TMouseMoveEvent Value) { FOnMouseMove = std::move(Value); }
  const TDragOverEvent& OnDragOver() const { return FOnDragOver; }
  void SetOnDragOver(TDragOverEvent Value) { FOnDragOver = std::move(Value); }
  const TDragDropEvent& OnDragDrop() const { return FOnDragDrop; }
  void SetOnDragDrop(TDragDropEvent Value) { FOnDragDrop = std::move(Value); }
  const TStartDragEvent& OnStartDrag() const { return FOnStartDrag; }
  void SetOnStartDrag(TStartDragEvent Value) { FOnStartDrag = std::move(Value); }
  const TEndDragEvent& OnEndDrag() const { return FOnEndDrag; }
  void SetOnEndDrag(TEndDragEvent Value) { FOnEndDrag = std::move(Value); }
  const TNotifyEvent& OnResize() const { return FOnResize; }
  void SetOnResize(TNotifyEvent Value) { FOnResize = std::move(Value); }

  // Protected in the framework, published by the controls that show them.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  TDragMode DragMode() const { return FDragMode; }
  virtual void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  String Caption() const { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }
  // Sides whose distance to the parent's edge stays when the parent is resized; anchored
  // to neither side, the control keeps its place relative to the parent's centre.
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
  // Reading order, kept and passed to children; the drawing stays left to right.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool IsBiDiModeStored() const { return !FParentBiDiMode; }
  TDragKind DragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  const TStartDockEvent& OnStartDock() const { return FOnStartDock; }
  void SetOnStartDock(TStartDockEvent Value) { FOnStartDock = std::move(Value); }
  const TEndDragEvent& OnEndDock() const { return FOnEndDock; }
  void SetOnEndDock(TEndDragEvent Value) { FOnEndDock = std::move(Value); }
  // Form files store what the parent does not give: a parent's font, colour and hint
  // setting follow it and are not written; nor are bounds that the container sets.
  bool IsFontStored() const { return !FParentFont; }
  bool IsColorStored() const { return !FParentColor; }
  bool IsShowHintStored() const { return !FParentShowHint; }
  virtual bool IsBoundsStored() const { return true; }
  String Text() const { return GetText(); }

protected:
  void Loaded() override;
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void Resize();
  virtual void Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

public:
  // Called as a drag starts and ends (OnStartDrag, OnEndDrag).
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DoEndDrag(TObject* Target, int X, int Y);

protected:
  virtual void SetParentOnly(TWinControl* AParent) { FParent = AParent; }
  // Bounds changed: move the window or repaint the parent where it was.
  virtual void BoundsChanged(const TRect& OldBounds);
  virtual void VisibleChanging() {}
  void RequestAlign();
  // Text storage; windowed controls keep it in their window while they have one.
  virtual String GetTextBuf() const { return FText; }
  virtual void SetTextBuf(const String& Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ReadState(TReader* Reader) override;

  // Message handlers.
  virtual void WMMouseMove(TMessage& Message);
  virtual void WMButtonDown(TMessage& Message, TMouseButton Button, bool Double);
  virtual void WMButtonUp(TMessage& Message, TMouseButton Button);
  virtual void WMWindowPosChanged(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentShowHintChanged(TMessage& Message);
  virtual void CMHitTest(TMessage& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMHintShow(TMessage& Message);
  virtual void CMDrag(TMessage& Message);
  virtual void CMCancelMode(TMessage& Message);
  virtual void CMParentBiDiModeChanged(TMessage& Message);
  // Where the control goes when its parent, now Width by Height, changed from the size it
  // had when the control was last placed.
  void AnchorTo(int ParentWidth, int ParentHeight);
  // Remembers the control's place against its parent's size (not while loading or
  // following the anchors).
  void UpdateAnchorRules();
  void ConstraintsChanged(TObject* Sender);
  // WM_CONTEXTMENU (a screen point, or -1, -1 from the keyboard): the popup menu opens.
  virtual void WMContextMenu(TMessage& Message);

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TControlStyle FControlStyle;
  TControlState FControlState;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  String FText;
  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = alNone;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  Integer FHelpContext = 0;
  TCursor FCursor = crDefault;
  TDragMode FDragMode = dmManual;
  TCursor FDragCursor = crDrag;
  TComponent* FPopupMenu = nullptr;
  TAnchors FAnchors = DefaultAnchors;
  std::unique_ptr<TSizeConstraints> FConstraints;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  TDragKind FDragKind = dkDrag;
  TStartDockEvent FOnStartDock;
  TEndDragEvent FOnEndDock;
  TNotifyEvent FOnClick;
  TNotifyEvent FOnDblClick;
  TMouseEvent FOnMouseDown;
  TMouseEvent FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TDragOverEvent FOnDragOver;
  TDragDropEvent FOnDragDrop;
  TStartDragEvent FOnStartDrag;
  TEndDragEvent FOnEndDrag;
  TNotifyEvent FOnResize;

private:
  // The control's bounds and its parent's size when it was last placed.
  struct TAnchorRules {
    TRect Bounds;
    int ParentWidth = 0;
    int ParentHeight = 0;
    bool Valid = false;
  };
  void FontChanged(TObject* Sender);
  TAnchorRules FAnchorRules;
  bool FAnchorMove = false;
  void DispatchMouse(TMessage& Message);

  friend class TWinControl;
};

// What the application hears from every control: mouse messages (for hints and the control
// under the mouse) and the end of a control.
struct TControlHooks {
  std::function<void(TControl* Control, const TMessage& Message)> MouseMessage;
  std::function<void(TControl* Control)> Destroyed;
  std::function<void(TCursor Cursor)> DragCursor;
  // Reports an exception that escaped a message handler; without one it propagates.
  std::function<void(TObject* Sender)> HandleException;
  // The cursor the whole screen shows (crDefault: each control's own).
  std::function<TCursor()> ScreenCursor;
  // A control's Hint changed (a hint on screen shows the new text).
  std::function<void(TControl* Control)> HintChanged;
};
// The system cursor of a TCursor.
HCURSOR CursorHandle(TCursor Cursor);
TControlHooks& ControlHooks();

// A drag step as CM_DRAG carries it (LParam points to it, WParam is the TDragMessage).
struct TDragRec {
  TPoint Pos; // screen
  TDragObject* Source = nullptr;
  TControl* Target = nullptr;
};

// The control that has the mouse captured (windowless ones through their parent's window).
TControl* CaptureControl();
void SetCaptureControl(TControl* Control);
// The control whose window this is; null for foreign windows.
TWinControl* FindControl(HWND Handle);
// The control under a screen point, windowless ones included.
TControl* FindDragTarget(TPoint ScreenPos, bool AllowDisabled);
// The control a drag in progress comes from; null when none.
TControl* DragControl();
void CancelDrag();
// A hint "short|long": the part for the hint window and the part for a status line. A hint
// without a bar is both.
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

// Published blocks that most standard controls share; each class's header shows which it uses.
#define LUM_PUBLISH_ANCHORS_CONSTRAINTS                                                            \
  LUM_PUBLISHED(TAnchors, Anchors, FAnchors, TControl::SetAnchors, Default(DefaultAnchors))        \
  LUM_PUBLISHED(TSizeConstraints*, Constraints, FConstraints, TControl::SetConstraints, NoDefault)
#define LUM_PUBLISH_BIDI_MODE                                                                      \
  LUM_PUBLISHED(TBiDiMode, BiDiMode, FBiDiMode, TControl::SetBiDiMode, Default(bdLeftToRight),     \
                Stored(IsBiDiModeStored))                                                          \
  LUM_PUBLISHED(bool, ParentBiDiMode, FParentBiDiMode, TControl::SetParentBiDiMode, Default(true))
#define LUM_PUBLISH_DOCKING                                                                        \
  LUM_PUBLISHED(TDragKind, DragKind, FDragKind, TControl::SetDragKind, Default(dkDrag))            \
  LUM_PUBLISHED(TEndDragEvent, OnEndDock, FOnEndDock, TControl::SetOnEndDock, NoDefault)           \
  LUM_PUBLISHED(TStartDockEvent, OnStartDock, FOnStartDock, TControl::SetOnStartDock, NoDefault)
// All three blocks, as the VCL's standard windowed controls publish them.
#define LUM_PUBLISH_LAYOUT_AND_DOCKING                                                             \
  LUM_PUBLISH_ANCHORS_CONSTRAINTS                                                                  \
  LUM_PUBLISH_BIDI_MODE                                                                            \
  LUM_PUBLISH_DOCKING
