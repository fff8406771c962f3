#pragma once

#include "framework/controls/WinControl.h"
#include "framework/graphics/Canvas.h"

// A canvas on a control: it takes a device context of the control's window when it first
// draws and gives it back after the message that drew (or when it is freed).
class TControlCanvas : public TCanvas {
  LUM_CLASS(TControlCanvas, TCanvas)
public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* Control() const { return FControl; }
  void SetControl(TControl* AControl);
  void FreeHandle();
  // Runs Paint on a DC someone else owns (a paint message's), then lets the DC go.
  void PaintOn(HDC DC, const std::function<void()>& Paint);

protected:
  void CreateHandle() override;

private:
  TControl* FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

// Gives back every device context control canvases took outside a paint.
void FreeDeviceContexts();

// A windowless control: its parent paints it, after its own paint, through Paint.
class TGraphicControl : public TControl {
  LUM_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }

protected:
  virtual void Paint() {}
  void Dispatch(TMessage& Message) override;
  virtual void WMPaint(TMessage& Message);

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// A windowed control that draws itself on a canvas in Paint.
class TCustomControl : public TWinControl {
  LUM_CLASS(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;
  void WMPaint(TMessage& Message) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};
