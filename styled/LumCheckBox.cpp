#include "styled/LumCheckBox.h"

#include "framework/classes/Registry.h"
#include "framework/rtl/Checked.h"
#include "framework/win32/Windows.h"

namespace {

const bool CheckBoxRegistered = (RegisterClass<TLumCheckBox>(), true);

constexpr UINT BoxEdges[] = {EDGE_SUNKEN, EDGE_RAISED, EDGE_BUMP, EDGE_ETCHED};
constexpr UINT Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
constexpr WPARAM SpaceCharacter = 32;

bool BoxOnTheLeft(TLumCheckBoxPosition P) {
  return P == lcbpLeftTop || P == lcbpLeftCenter || P == lcbpLeftBottom;
}

bool BoxOnTheRight(TLumCheckBoxPosition P) {
  return P == lcbpRightTop || P == lcbpRightCenter || P == lcbpRightBottom;
}

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}

} // namespace

int CheckBoxEdge(TLumCheckBoxSize Size) {
  static constexpr int Edges[] = {11, 13, 15, 17};
  return Edges[Size];
}

TRect CheckBoxRect(const TRect& R, TLumCheckBoxPosition Position, TLumCheckBoxSize Size) {
  const int s = CheckBoxEdge(Size);
  const int left = 0, right = R.Right - s - 2, centre = (R.Right - R.Left - s) / 2;
  const int top = 2, bottom = R.Bottom - s - 2, middle = (R.Bottom - R.Top - s) / 2;
  TPoint p;
  switch (Position) {
  case lcbpLeftTop:
    p = TPoint{left, top};
    break;
  case lcbpLeftCenter:
    p = TPoint{left, middle};
    break;
  case lcbpLeftBottom:
    p = TPoint{left, bottom};
    break;
  case lcbpRightTop:
    p = TPoint{right, top};
    break;
  case lcbpRightCenter:
    p = TPoint{right, middle};
    break;
  case lcbpRightBottom:
    p = TPoint{right, bottom};
    break;
  case lcbpCenterTop:
    p = TPoint{centre, top};
    break;
  case lcbpCenterBottom:
    p = TPoint{centre, bottom};
    break;
  }
  return Rect(p.X, p.Y, p.X + s, p.Y + s);
}

TRect CheckBoxTextRect(const TRect& R, const TRect& B, TLumCheckBoxPosition Position) {
  TRect t = R;
  if (BoxOnTheLeft(Position)) t.Left = B.Right + 1;
  if (BoxOnTheRight(Position)) t.Right = B.Left - 1;
  if (Position == lcbpCenterTop) t.Top = B.Bottom + 1;
  if (Position == lcbpCenterBottom) t.Bottom = B.Top - 1;
  return t;
}

TLumDummyControl::TLumDummyControl(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 0;
  FHeight = 0;
}

TLumCheckBox::TLumCheckBox(TComponent* AOwner)
    : TCustomLabel(AOwner), FCompanion(new TLumDummyControl(this)) {
  SetAutoSize(false);
  FWidth = 97;
  FHeight = 17;
  if (auto* windowed = dynamic_cast<TWinControl*>(AOwner)) FCompanion->SetParent(windowed);
  FCompanion->SetTabStop(true);
  FCompanion->SetOnEnter([this](TObject* Sender) { FocusEnter(Sender); });
  FCompanion->SetOnExit([this](TObject* Sender) { FocusExit(Sender); });
  FCompanion->WindowProc = [this](TMessage& Message) { KeyboardFilter(Message); };
}

TLumCheckBox::~TLumCheckBox() {
  FCompanion->SetOnEnter(nullptr);
  FCompanion->SetOnExit(nullptr);
  // The companion's last messages must not reach a check box that is going away.
  TLumDummyControl* companion = FCompanion;
  companion->WindowProc = [companion](TMessage& Message) { companion->WndProc(Message); };
  delete companion;
}

template <class T> void TLumCheckBox::Change(T& Field, const T& Value) {
  if (Field == Value) return;
  Field = Value;
  Invalidate();
}

void TLumCheckBox::SetChecked(bool Value) { Change(FChecked, Value); }
void TLumCheckBox::SetCheckBoxPosition(TLumCheckBoxPosition Value) {
  Change(FCheckBoxPosition, Value);
}
void TLumCheckBox::SetCheckBoxSize(TLumCheckBoxSize Value) { Change(FCheckBoxSize, Value); }
void TLumCheckBox::SetCheckBoxStyle(TLumCheckBoxStyle Value) { Change(FCheckBoxStyle, Value); }
void TLumCheckBox::SetCheckBoxTransparent(bool Value) { Change(FCheckBoxTransparent, Value); }
void TLumCheckBox::SetHookStyle(TLumHookStyle Value) { Change(FHookStyle, Value); }
void TLumCheckBox::SetHookColor(TColor Value) { Change(FHookColor, Value); }

void TLumCheckBox::SetFocusColor(TColor Value) {
  FFocusColor = Value;
  if (FFocused) Invalidate();
}

void TLumCheckBox::SetFocusStyle(TLumFocusStyle Value) {
  FFocusStyle = Value;
  if (FFocused) Invalidate();
}

void TLumCheckBox::SetTabOrder(Integer Value) {
  FStoredTabOrder = RangeChecked(Value, -1, 32767);
  FCompanion->SetTabOrder(Value);
}

void TLumCheckBox::SetTabStop(bool Value) { FCompanion->SetTabStop(Value); }

void TLumCheckBox::Loaded() {
  TCustomLabel::Loaded();
  FCompanion->SetName(Name() + "Focus");
  FCompanion->SetParent(Parent());
  FCompanion->SetTabOrder(FStoredTabOrder);
}

void TLumCheckBox::Click() {
  FChecked = !FChecked;
  if (FCompanion->CanFocus()) FCompanion->SetFocus();
  Repaint();
  TCustomLabel::Click();
}

void TLumCheckBox::KeyboardFilter(TMessage& Message) {
  if (Message.Msg == WM_CHAR && Message.WParam == SpaceCharacter) {
    FChecked = !FChecked;
    Repaint();
    TCustomLabel::Click();
  }
  FCompanion->WndProc(Message);
}

void TLumCheckBox::FocusEnter(TObject*) {
  FFocused = true;
  Repaint();
}

void TLumCheckBox::FocusExit(TObject*) {
  FFocused = false;
  Repaint();
}

void TLumCheckBox::CMEnabledChanged(TMessage& Message) {
  TCustomLabel::CMEnabledChanged(Message);
  FCompanion->SetEnabled(FEnabled);
}

void TLumCheckBox::CMVisibleChanged(TMessage& Message) {
  TCustomLabel::CMVisibleChanged(Message);
  FCompanion->SetVisible(FVisible);
}

void TLumCheckBox::Paint() {
  TCanvas* canvas = Canvas();
  const TRect r = ClientRect();
  if (!Transparent()) {
    canvas->Brush()->SetColor(FColor);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(r);
  }
  const TRect box = CheckBoxRect(r, FCheckBoxPosition, FCheckBoxSize);
  PaintBox(box);
  if (FChecked) PaintMark(box);
  const TRect text = CheckBoxTextRect(r, box, FCheckBoxPosition);
  if (FFocused) PaintFocus(text);
  PaintCaption(text);
}

void TLumCheckBox::PaintBox(const TRect& B) {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(FEnabled ? clWindow : clBtnFace);
  if (!FCheckBoxTransparent) canvas->FillRect(B);
  TRect edge = B;
  DrawEdge(canvas->Handle(), &edge, BoxEdges[FCheckBoxStyle], BF_RECT);
}

void TLumCheckBox::PaintMark(const TRect& B) {
  TCanvas* canvas = Canvas();
  const TColor ink = FEnabled ? FHookColor : clGrayText;
  canvas->Pen()->SetColor(ink);
  canvas->Brush()->SetColor(ink);
  canvas->Pen()->SetWidth(1);
  const int s = CheckBoxEdge(FCheckBoxSize);
  switch (FHookStyle) {
  case lhsHook:
    for (int i = 0; i < 3; ++i) {
      canvas->MoveTo(B.Left + 3, B.Top + 7 - i);
      canvas->LineTo(B.Left + (s - 3) / 2, B.Top + s / 2 + 3 - i);
      canvas->LineTo(B.Right - 3, B.Top + 4 - i);
    }
    break;
  case lhsCross:
    Line(canvas, B.Left + 3, B.Top + 3, B.Left + s - 3, B.Top + s - 3);
    Line(canvas, B.Left + 3, B.Top + s - 4, B.Left + s - 3, B.Top + 2);
    break;
  case lhsFill:
    canvas->FillRect(Rect(B.Left + 2, B.Top + 2, B.Right - 2, B.Bottom - 2));
    break;
  }
}

void TLumCheckBox::PaintFocus(const TRect& F) {
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetColor(FFocusColor);
  canvas->Brush()->SetColor(FFocusColor);
  switch (FFocusStyle) {
  case lfsNormal:
    canvas->Brush()->SetColor(clWhite);
    canvas->DrawFocusRect(F);
    break;
  case lfsLine:
    // On the area's last row: the row below it lies outside the control.
    Line(canvas, F.Left, F.Bottom - 1, F.Right, F.Bottom - 1);
    break;
  case lfsFill:
    canvas->FillRect(F);
    break;
  }
  canvas->Pen()->SetStyle(psSolid);
}

void TLumCheckBox::PaintCaption(TRect T) {
  Canvas()->Brush()->SetStyle(bsClear);
  const int flags =
      static_cast<int>(DT_EXPANDTABS | (WordWrap() ? DT_WORDBREAK : 0) | Alignments[Alignment()]);
  TRect m = T;
  DoDrawText(m, flags | static_cast<int>(DT_CALCRECT));
  switch (Layout()) {
  case tlTop:
    T = Rect(T.Left + 1, T.Top + 2, T.Right + 1, T.Bottom + 2);
    break;
  case tlCenter:
    T.Top += (T.Bottom - m.Bottom) / 2;
    break;
  case tlBottom:
    T.Top = T.Bottom - (m.Bottom - m.Top);
    break;
  }
  DoDrawText(T, flags);
}
