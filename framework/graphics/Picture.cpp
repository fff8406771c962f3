#include "framework/graphics/Picture.h"

#include "framework/classes/Filer.h"
#include "framework/classes/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsObject.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/PngImage.h"
#include "framework/rtl/Strings.h"

#include <algorithm>
#include <vector>

namespace {

struct TFileFormat {
  String Extension; // lower case, without the dot
  String Description;
  TGraphicClass GraphicClass;
};

String Normalised(const String& Extension) {
  return LowerCase(Extension.starts_with(".") ? Extension.substr(1) : Extension);
}

std::vector<TFileFormat>& FileFormats() {
  static std::vector<TFileFormat> formats = {
      {"bmp", "Bitmaps", TBitmap::StaticClass()},
      {"dib", "Device-independent bitmaps", TBitmap::StaticClass()},
      {"lum", "LumTools bitmaps", TBitmap::StaticClass()},
      {"png", "Portable network graphics", TPngImage::StaticClass()},
      {"jpg", "JPEG images", TJPEGImage::StaticClass()},
      {"jpeg", "JPEG images", TJPEGImage::StaticClass()},
      {"jpe", "JPEG images", TJPEGImage::StaticClass()},
      {"ico", "Icons", TIcon::StaticClass()},
  };
  return formats;
}

// The extension of a file name with its dot, as given; empty when there is none.
String ExtensionOf(const String& FileName) {
  const std::size_t slash = FileName.find_last_of('/');
  const std::size_t dot = FileName.find_last_of('.');
  if (dot == String::npos || (slash != String::npos && dot < slash)) return {};
  return FileName.substr(dot);
}

std::unique_ptr<TGraphic> NewGraphic(TGraphicClass AClass) {
  std::unique_ptr<TObject> object(AClass->CreateInstance(nullptr));
  auto* graphic = dynamic_cast<TGraphic*>(object.get());
  if (!graphic) throw EInvalidGraphic(AClass->ClassName() + " is no graphic class");
  object.release();
  return std::unique_ptr<TGraphic>(graphic);
}

TGraphicClass GraphicClassNamed(const String& Name) {
  for (const TFileFormat& format : FileFormats())
    if (SameText(format.GraphicClass->ClassName(), Name)) return format.GraphicClass;
  return nullptr;
}

} // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::RegisterFileFormat(const String& Extension, const String& Description,
                                  TGraphicClass AGraphicClass) {
  if (!AGraphicClass || !AGraphicClass->InheritsFrom(TGraphic::StaticClass()))
    throw EInvalidGraphic("Only graphic classes can be registered for picture files");
  auto& formats = FileFormats();
  formats.insert(formats.begin(), {Normalised(Extension), Description, AGraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass AGraphicClass) {
  auto& formats = FileFormats();
  std::erase_if(formats,
                [&](const TFileFormat& format) { return format.GraphicClass == AGraphicClass; });
}

TGraphicClass TPicture::GraphicClassOf(const String& Extension) {
  const String wanted = Normalised(Extension);
  for (const TFileFormat& format : FileFormats())
    if (format.Extension == wanted) return format.GraphicClass;
  return nullptr;
}

void TPicture::Changed(TObject*) {
  if (FOnChange) FOnChange(this);
}

void TPicture::Replace(std::unique_ptr<TGraphic> Value) {
  if (Value) Value->SetOnChange([this](TObject* Sender) { Changed(Sender); });
  FGraphic = std::move(Value);
  Changed(this);
}

template <class T> T* TPicture::ForceType() {
  if (auto* graphic = dynamic_cast<T*>(FGraphic.get())) return graphic;
  auto graphic = std::make_unique<T>();
  T* result = graphic.get();
  Replace(std::move(graphic));
  return result;
}

void TPicture::Assign(TPersistent* Source) {
  if (!Source) {
    Replace(nullptr);
    return;
  }
  if (auto* picture = dynamic_cast<TPicture*>(Source)) {
    if (picture != this) SetGraphic(picture->Graphic());
    return;
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(graphic);
    return;
  }
  inherited::Assign(Source);
}

void TPicture::AssignTo(TPersistent* Dest) {
  if (auto* graphic = dynamic_cast<TGraphic*>(Dest); graphic && FGraphic) {
    graphic->Assign(FGraphic.get());
    return;
  }
  inherited::AssignTo(Dest);
}

void TPicture::SetGraphic(TGraphic* Value) {
  if (!Value) {
    Replace(nullptr);
    return;
  }
  if (Value == FGraphic.get()) return;
  std::unique_ptr<TGraphic> copy = NewGraphic(Value->ClassType());
  copy->Assign(Value);
  Replace(std::move(copy));
}

TBitmap* TPicture::Bitmap() { return ForceType<TBitmap>(); }

void TPicture::SetBitmap(TBitmap* Value) { SetGraphic(Value); }

TIcon* TPicture::Icon() { return ForceType<TIcon>(); }

void TPicture::SetIcon(TIcon* Value) { SetGraphic(Value); }

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }

int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const String& FileName) {
  const String extension = ExtensionOf(FileName);
  const TGraphicClass graphicClass = GraphicClassOf(extension);
  if (!graphicClass) throw EInvalidGraphic("Unknown picture file extension (" + extension + ")");
  std::unique_ptr<TGraphic> graphic = NewGraphic(graphicClass);
  graphic->LoadFromFile(FileName);
  Replace(std::move(graphic));
}

void TPicture::SaveToFile(const String& FileName) {
  if (FGraphic) FGraphic->SaveToFile(FileName);
}

bool TPicture::HasData(TFiler* Filer) const {
  auto* ancestor = dynamic_cast<TPicture*>(Filer->Ancestor());
  if (!ancestor) return FGraphic != nullptr;
  if (!FGraphic || !ancestor->FGraphic) return FGraphic != ancestor->FGraphic;
  if (FGraphic->ClassType() != ancestor->FGraphic->ClassType()) return true;
  TMemoryStream mine, theirs;
  FGraphic->SaveToStream(&mine);
  ancestor->FGraphic->SaveToStream(&theirs);
  return mine.Bytes() != theirs.Bytes();
}

void TPicture::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* Stream) { ReadData(Stream); },
      [this](TStream* Stream) { WriteData(Stream); }, HasData(Filer));
}

void TPicture::ReadData(TStream* Stream) {
  std::uint8_t length = 0;
  Stream->ReadBuffer(&length, 1);
  String name(length, '\0');
  Stream->ReadBuffer(name.data(), length);
  if (name.empty()) {
    Replace(nullptr);
    return;
  }
  const TGraphicClass graphicClass = GraphicClassNamed(name);
  if (!graphicClass) throw EInvalidGraphic("Unknown picture class " + name);
  std::unique_ptr<TGraphic> graphic = NewGraphic(graphicClass);
  graphic->LoadFromStream(Stream);
  Replace(std::move(graphic));
}

void TPicture::WriteData(TStream* Stream) {
  const String name = FGraphic ? FGraphic->ClassName() : String();
  const auto length = static_cast<std::uint8_t>(name.size());
  Stream->WriteBuffer(&length, 1);
  Stream->WriteBuffer(name.data(), length);
  if (FGraphic) FGraphic->SaveToStream(Stream);
}

String GraphicFilter(TGraphicClass GraphicClass) {
  String masks, choices;
  for (const TFileFormat& format : FileFormats()) {
    if (!format.GraphicClass->InheritsFrom(GraphicClass)) continue;
    const String mask = "*." + format.Extension;
    masks += (masks.empty() ? "" : ";") + mask;
    choices += "|" + format.Description + " (" + mask + ")|" + mask;
  }
  return "All (" + masks + ")|" + masks + choices;
}
