#include "framework/controls/HintWindow.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clInfoBk;
  FParentColor = false;
  FBrush->SetColor(FColor);
  FFont->SetColor(clInfoText);
  FParentFont = false;
  FVisible = false;
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint) {
  RECT r = Rect(0, 0, MaxWidth, 0);
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, FFont->Handle());
  DrawTextA(dc, AHint.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
  FActive = true;
  SetText(AHint);
  SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  SetWindowPos(Handle(), HWND_TOPMOST, Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  FActive = false;
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void THintWindow::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

void THintWindow::Paint() {
  TRect r = ClientRect();
  r.Left += 2;
  r.Top += 1;
  Canvas()->Font()->SetColor(clInfoText);
  Canvas()->Brush()->SetStyle(bsClear);
  const String text = GetText();
  RECT area = r;
  DrawTextA(Canvas()->Handle(), text.c_str(), -1, &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}
