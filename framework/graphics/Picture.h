#pragma once

#include "framework/classes/Persistent.h"
#include "framework/graphics/Graphic.h"

#include <memory>

class TBitmap;
class TIcon;

// A class reference of a TGraphic descendant.
using TGraphicClass = TClass;

// Holds one picture of any registered kind, chosen by file extension when loading, and tells
// OnChange when it is loaded, assigned, or the picture itself changes (drawing on
// Bitmap()->Canvas() too). Stored in form files as the defined binary property "Data": the
// graphic's class name as a short string (a length byte, then the letters), then the
// graphic's own stream form.
class TPicture : public TPersistent {
  LUM_CLASS(TPicture, TPersistent)
public:
  TPicture();
  ~TPicture() override;

  // From another picture or a graphic (copied into a new graphic of its class); nullptr
  // leaves the picture without a graphic.
  void Assign(TPersistent* Source) override;

  TGraphic* Graphic() const { return FGraphic.get(); }
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap: a graphic of another kind is replaced by an empty bitmap.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* Value);
  // The graphic as an icon, in the same way.
  TIcon* Icon();
  void SetIcon(TIcon* Value);
  int Width() const;
  int Height() const;

  // Picks the graphic class by the file's extension, letter case ignored. An extension
  // nobody registered raises EInvalidGraphic "Unknown picture file extension (.ext)", with
  // the extension as given. A failed load leaves the picture as it was.
  void LoadFromFile(const String& FileName);
  // The graphic in its own format; nothing without a graphic.
  void SaveToFile(const String& FileName);

  // Extensions are given without the dot ("bmp"); a later registration of an extension
  // takes precedence over an earlier one.
  static void RegisterFileFormat(const String& Extension, const String& Description,
                                 TGraphicClass AGraphicClass);
  // Forgets every extension registered for the class.
  static void UnregisterGraphicClass(TGraphicClass AGraphicClass);
  // The class registered for an extension (with or without its dot), or null.
  static TGraphicClass GraphicClassOf(const String& Extension);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
  void DefineProperties(TFiler* Filer) override;
  void AssignTo(TPersistent* Dest) override;
  virtual void Changed(TObject* Sender);

private:
  void Replace(std::unique_ptr<TGraphic> Value);
  template <class T> T* ForceType();
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  bool HasData(TFiler* Filer) const;

  std::unique_ptr<TGraphic> FGraphic;
  TNotifyEvent FOnChange;
};

// The open dialogs' filter of every registered picture file kind of GraphicClass (all
// graphics for TGraphic): "All (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|…".
String GraphicFilter(TGraphicClass GraphicClass);
