#pragma once

#include "framework/controls/GraphicControl.h"
#include "framework/controls/Menus.h"

LUM_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop);
LUM_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
         poDesktopCenter, poMainFormCenter, poOwnerFormCenter);
LUM_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize);
LUM_ENUM(TFormStateItem, fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated);
using TFormState = TSet<TFormStateItem>;

using TModalResult = Integer;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                              mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                              mrYesToAll = 10;
TIdentMap ModalResultIdents();

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// A top-level window with a caption and a frame, which keeps track of its focused control,
// shows itself modelessly or modally and closes through OnCloseQuery and OnClose.
class TCustomForm : public TWinControl {
  LUM_CLASS(TCustomForm, TWinControl)
public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  // Loads the form's layout where it has one and fires OnCreate; whoever constructs a form
  // calls it once (CreateForm does).
  virtual void AfterConstruction();
  void BeforeDestruction() override;

  TCanvas* Canvas() const { return FCanvas.get(); }
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TFormState FormState() const { return FFormState; }
  bool Active() const { return FActive; }
  TMainMenu* Menu() const { return FMenu; }
  // Shows the menu's bar in the frame; the client area keeps its height.
  void SetMenu(TMainMenu* Value);
  // The form's client size; while loading it is kept until the frame is known.
  int ClientWidth();
  int ClientHeight();
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);

  void Show();
  void Hide();
  void Close();
  bool CloseQuery();
  TModalResult ShowModal();
  // One turn of the modal loop's end check: closes the form once ModalResult is set.
  void RunModalStep();
  // Frees the form once the message that asked for it is done.
  void Release();
  void SetFocus() override;
  void FocusControl(TWinControl* Control);
  // Moves the focus away from a control that is going away or can no longer take it.
  void DefocusControl(TWinControl* Control, bool Removing);
  // Records the control that has the focus, sending CM_EXIT and CM_ENTER along the way;
  // false when a handler moved the focus elsewhere meanwhile.
  bool SetFocusedControl(TWinControl* Control);
  TWinControl* FocusedControl() const { return FFocusedControl; }

  const TNotifyEvent& OnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent Value) { FOnCreate = std::move(Value); }
  const TNotifyEvent& OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent Value) { FOnDestroy = std::move(Value); }
  const TNotifyEvent& OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent Value) { FOnShow = std::move(Value); }
  const TNotifyEvent& OnHide() const { return FOnHide; }
  void SetOnHide(TNotifyEvent Value) { FOnHide = std::move(Value); }
  const TNotifyEvent& OnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent Value) { FOnActivate = std::move(Value); }
  const TNotifyEvent& OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent Value) { FOnDeactivate = std::move(Value); }
  const TNotifyEvent& OnPaint() const { return FOnPaint; }
  void SetOnPaint(TNotifyEvent Value) { FOnPaint = std::move(Value); }
  const TCloseEvent& OnClose() const { return FOnClose; }
  void SetOnClose(TCloseEvent Value) { FOnClose = std::move(Value); }
  const TCloseQueryEvent& OnCloseQuery() const { return FOnCloseQuery; }
  void SetOnCloseQuery(TCloseQueryEvent Value) { FOnCloseQuery = std::move(Value); }

  // Offered every key message of the form's windowed controls before they see it; true
  // takes it from them.
  virtual bool WantChildKey(TControl* Child, TMessage& Message);
  bool DoKeyDown(TMessage& Message) { return TWinControl::DoKeyDown(Message); }
  bool DoKeyUp(TMessage& Message) { return TWinControl::DoKeyUp(Message); }
  bool DoKeyPress(TMessage& Message) { return TWinControl::DoKeyPress(Message); }
  // The controls, then (written as the root) the components it owns that have no parent.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void Paint();
  virtual void Activate();
  virtual void Deactivate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  void PaintWindow(HDC DC) override;
  void Dispatch(TMessage& Message) override;
  void CMShowingChanged(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  void WMPaint(TMessage& Message) override;
  void VisibleChanging() override;

private:
  void SetActive(bool Value);
  void SetWindowFocus();
  void PlaceOnScreen();
  void CloseModal();
  bool SendFocusMessage(HWND Window, UINT Msg);

  std::unique_ptr<TControlCanvas> FCanvas;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  bool FPlaced = false;
  bool FKeyPreview = false;
  bool FActive = false;
  bool FCreated = false;
  TModalResult FModalResult = mrNone;
  TFormState FFormState;
  TMainMenu* FMenu = nullptr;
  int FClientWidth = 0;
  int FClientHeight = 0;
  TNotifyEvent FOnCreate;
  TNotifyEvent FOnDestroy;
  TNotifyEvent FOnShow;
  TNotifyEvent FOnHide;
  TNotifyEvent FOnActivate;
  TNotifyEvent FOnDeactivate;
  TNotifyEvent FOnPaint;
  TCloseEvent FOnClose;
  TCloseQueryEvent FOnCloseQuery;
};

// The form class applications derive from, with its properties published.
class TForm : public TCustomForm {
  LUM_CLASS(TForm, TCustomForm)
public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

  LUM_PUBLISHED(TWinControl*, ActiveControl, TCustomForm::ActiveControl(),
                TCustomForm::SetActiveControl, NoDefault)
  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISHED(TFormBorderStyle, BorderStyle, TCustomForm::BorderStyle(),
                TCustomForm::SetBorderStyle, Default(bsSizeable))
  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(Integer, ClientHeight, const_cast<TForm*>(this)->TCustomForm::ClientHeight(),
                TCustomForm::SetClientHeight, NoDefault)
  LUM_PUBLISHED(Integer, ClientWidth, const_cast<TForm*>(this)->TCustomForm::ClientWidth(),
                TCustomForm::SetClientWidth, NoDefault)
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clBtnFace),
                Idents(ColorIdents()))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault)
  LUM_PUBLISHED(TFormStyle, FormStyle, TCustomForm::FormStyle(), TCustomForm::SetFormStyle,
                Default(fsNormal))
  LUM_PUBLISHED(bool, KeyPreview, TCustomForm::KeyPreview(), TCustomForm::SetKeyPreview,
                Default(false))
  LUM_PUBLISHED(TMainMenu*, Menu, TCustomForm::Menu(), TCustomForm::SetMenu, NoDefault)
  LUM_PUBLISHED(TPosition, Position, TCustomForm::Position(), TCustomForm::SetPosition,
                Default(poDesigned))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(false))
  LUM_PUBLISHED(TNotifyEvent, OnActivate, TCustomForm::OnActivate(), TCustomForm::SetOnActivate,
                NoDefault)
  LUM_PUBLISHED(TCloseEvent, OnClose, TCustomForm::OnClose(), TCustomForm::SetOnClose, NoDefault)
  LUM_PUBLISHED(TCloseQueryEvent, OnCloseQuery, TCustomForm::OnCloseQuery(),
                TCustomForm::SetOnCloseQuery, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnCreate, TCustomForm::OnCreate(), TCustomForm::SetOnCreate,
                NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDestroy, TCustomForm::OnDestroy(), TCustomForm::SetOnDestroy,
                NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnPaint, TCustomForm::OnPaint(), TCustomForm::SetOnPaint, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnResize, FOnResize, TControl::SetOnResize, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnShow, TCustomForm::OnShow(), TCustomForm::SetOnShow, NoDefault)
};

// Constructs a form and completes it (layout and OnCreate).
template <class F> F* CreateForm(TComponent* AOwner) {
  auto* form = new F(AOwner);
  form->AfterConstruction();
  return form;
}
