#pragma once

#include "framework/classes/Object.h"
#include "framework/classes/Persistent.h"
#include "framework/rtl/Geometry.h"
#include "framework/rtl/Types.h"

class TCanvas;
class TStream; // the classes layer's stream; declared here until it lands

// A picture of some format that can draw itself on a canvas. Descendants hold the data
// (bitmaps, icons, JPEG and PNG pictures) and call Changed after every change of it.
class TGraphic : public TPersistent {
  LUM_CLASS(TGraphic, TPersistent)
public:
  TGraphic() = default;

  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;

  // Whether Draw leaves the picture's transparent parts showing what lies beneath.
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);

  // Set by Changed; whoever saves the picture clears it.
  bool Modified() const { return FModified; }
  void SetModified(bool Value);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  virtual void LoadFromStream(TStream* Stream) = 0;
  virtual void SaveToStream(TStream* Stream) = 0;
  // Whole files; a failed load leaves the picture as it was, a failed save leaves no file.
  virtual void LoadFromFile(const String& FileName) = 0;
  virtual void SaveToFile(const String& FileName) = 0;

protected:
  // Marks the picture modified and tells OnChange.
  virtual void Changed(TObject* Sender);
  // Draws the picture into Rect of the canvas, stretched to it.
  virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;

  friend class TCanvas;

private:
  bool FTransparent = false;
  bool FModified = false;
  TNotifyEvent FOnChange;
};
