#pragma once

#include "framework/controls/GraphicControl.h"
#include "framework/graphics/Picture.h"

using TPictureObject = TPicture*;

// Shows a picture: at its own size from the top-left corner, stretched to the control,
// scaled down keeping its proportions, and/or centred. Canvas draws into the picture's
// bitmap (made at the control's size when the picture is empty).
class TImage : public TGraphicControl {
  LUM_CLASS(TImage, TGraphicControl)
public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  LUM_PUBLISH_ANCHORS_CONSTRAINTS
  LUM_PUBLISH_DOCKING
  LUM_PUBLISHED(bool, AutoSize, FAutoSize, SetAutoSize, Default(false))
  LUM_PUBLISHED(bool, Center, FCenter, SetCenter, Default(false))
  LUM_PUBLISHED(TPictureObject, Picture, FPicture.get(), SetPicture, NoDefault)
  LUM_PUBLISHED(bool, Proportional, FProportional, SetProportional, Default(false))
  LUM_PUBLISHED(bool, Stretch, FStretch, SetStretch, Default(false))
  LUM_PUBLISHED(bool, Transparent, FTransparent, SetTransparent, Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)

  // Copies the picture.
  void SetPicture(TPicture* Value) { FPicture->Assign(Value); }
  void SetAutoSize(bool Value);
  void SetCenter(bool Value);
  void SetProportional(bool Value);
  void SetStretch(bool Value);
  void SetTransparent(bool Value);
  // The canvas of the picture's bitmap; EInvalidOperation when the picture holds another
  // kind of graphic.
  TCanvas* Canvas();
  // Where the picture is drawn, in client coordinates.
  TRect DestRect();

protected:
  void Paint() override;

private:
  void PictureChanged(TObject* Sender);
  void SetOption(bool& Field, bool Value);

  std::unique_ptr<TPicture> FPicture;
  bool FAutoSize = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FStretch = false;
  bool FTransparent = false;
};
