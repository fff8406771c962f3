#include "framework/controls/GraphicControl.h"

#include "framework/graphics/GraphicsObject.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<TControlCanvas*>& CanvasesWithDcs() {
  static std::vector<TControlCanvas*> list;
  return list;
}

} // namespace

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* AControl) {
  if (FControl == AControl) return;
  FreeHandle();
  FControl = AControl;
}

void TControlCanvas::CreateHandle() {
  if (!FControl) return;
  if (!FDeviceContext) {
    FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
    CanvasesWithDcs().push_back(this);
  }
  SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  auto& list = CanvasesWithDcs();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TControlCanvas::PaintOn(HDC DC, const std::function<void()>& Paint) {
  FreeHandle();
  Lock();
  SetHandle(DC);
  try {
    Paint();
  } catch (...) {
    SetHandle(nullptr);
    Unlock();
    throw;
  }
  SetHandle(nullptr);
  Unlock();
}

void FreeDeviceContexts() {
  while (!CanvasesWithDcs().empty()) CanvasesWithDcs().back()->FreeHandle();
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() { FCanvas->SetControl(nullptr); }

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) return WMPaint(Message);
  TControl::Dispatch(Message);
}

void TGraphicControl::WMPaint(TMessage& Message) {
  if (!Message.WParam) return;
  FCanvas->PaintOn(reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() { FCanvas->SetControl(nullptr); }

void TCustomControl::WMPaint(TMessage& Message) {
  FControlState.Include(csCustomPaint);
  TWinControl::WMPaint(Message);
  FControlState.Exclude(csCustomPaint);
}

void TCustomControl::PaintWindow(HDC DC) {
  FCanvas->PaintOn(DC, [this] { Paint(); });
}
