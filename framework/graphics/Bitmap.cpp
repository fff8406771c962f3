#include "framework/graphics/Bitmap.h"

#include "framework/classes/Filer.h"
#include "framework/classes/Streams.h"
#include "framework/graphics/GraphicsObject.h"
#include "framework/graphics/RasterDraw.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/gdi/Palettes.h"
#include "framework/win32/gdi/PngCodec.h"
#include "framework/win32/gdi/Resources.h"

#include <algorithm>

namespace {

constexpr std::uint32_t Opaque = 0xFF000000u;
constexpr std::uint32_t White = 0xFFFFFFFFu;
constexpr std::int64_t BmpFileHeaderSize = 14;

// A top-down 32-bit DIB section and its pixels.
struct TDib {
  HBITMAP Handle = nullptr;
  std::uint32_t* Bits = nullptr;
};

TDib NewDib(int Width, int Height) {
  BITMAPINFO info{};
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle)
    throw EOutOfResources("Cannot make a bitmap of " + IntToStr(Width) + " x " + IntToStr(Height) +
                          " pixels");
  return {handle, static_cast<std::uint32_t*>(bits)};
}

TDib DibOf(const TRaster& Pixels) {
  const TDib dib = NewDib(Pixels.Width, Pixels.Height);
  std::copy(Pixels.Pixels.begin(), Pixels.Pixels.end(), dib.Bits);
  return dib;
}

// The pixels of any bitmap handle, read through a DC.
TRaster PixelsOfHandle(HBITMAP Handle) {
  BITMAP info;
  if (GetObject(Handle, sizeof info, &info) != sizeof info)
    throw EInvalidGraphic("The handle names no bitmap");
  TRaster pixels(info.bmWidth, info.bmHeight);
  BITMAPINFO request{};
  request.bmiHeader.biWidth = info.bmWidth;
  request.bmiHeader.biHeight = -info.bmHeight;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;
  const HDC dc = CreateCompatibleDC(nullptr);
  GetDIBits(dc, Handle, 0, static_cast<UINT>(info.bmHeight), pixels.Pixels.data(), &request,
            DIB_RGB_COLORS);
  DeleteDC(dc);
  return pixels;
}

// Rows of a monochrome bitmap as CreateBitmap takes them: a bit per pixel, 1 (white) where
// the pixel has the colour, rows padded to 16 bits.
std::vector<BYTE> MonochromeBits(const TRaster& Pixels, std::uint32_t Colour) {
  const std::size_t stride = (static_cast<std::size_t>(Pixels.Width) + 15) / 16 * 2;
  std::vector<BYTE> bits(stride * static_cast<std::size_t>(Pixels.Height), 0);
  for (int y = 0; y < Pixels.Height; ++y)
    for (int x = 0; x < Pixels.Width; ++x)
      if ((Pixels.At(x, y) & 0x00FFFFFFu) == Colour)
        bits[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8)] |=
            static_cast<BYTE>(0x80u >> (x % 8));
  return bits;
}

std::uint32_t Le32(const std::vector<std::uint8_t>& Bytes, std::size_t At) {
  return Bytes[At] | Bytes[At + 1] << 8 | Bytes[At + 2] << 16 |
         static_cast<std::uint32_t>(Bytes[At + 3]) << 24;
}

bool NeedsReduction(TPixelFormat Format) {
  return HasColorTable(Format) || Format == pf15bit || Format == pf16bit;
}

std::uint32_t PixelOf(TColor Color) {
  const COLORREF c = ColorToRGB(Color);
  return Opaque | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

TColor ColorOf(std::uint32_t Pixel) {
  return static_cast<TColor>(
      RGB(static_cast<BYTE>(Pixel >> 16), static_cast<BYTE>(Pixel >> 8), static_cast<BYTE>(Pixel)));
}

[[noreturn]] void InvalidBitmap(const String& Reason) {
  throw EInvalidGraphic("Bitmap image is not valid: " + Reason);
}

// One BMP file image from the stream's position: as many bytes as its header says, or the
// rest of the stream when the size it gives cannot be right. Nothing when the stream is at
// its end.
std::vector<std::uint8_t> ReadBmpImage(TStream* Stream) {
  std::vector<std::uint8_t> bytes(BmpFileHeaderSize);
  const Int64 got = Stream->Read(bytes.data(), BmpFileHeaderSize);
  if (got == 0) return {};
  if (got < BmpFileHeaderSize) InvalidBitmap("BMP: truncated file header");
  if (bytes[0] != 'B' || bytes[1] != 'M') InvalidBitmap("BMP: not a BMP file (no BM signature)");
  const Int64 declared = Le32(bytes, 2);
  const Int64 remaining = std::max<Int64>(Stream->Size() - Stream->Position(), 0);
  const bool plausible = declared > BmpFileHeaderSize && declared - BmpFileHeaderSize <= remaining;
  const Int64 rest = plausible ? declared - BmpFileHeaderSize : remaining;
  bytes.resize(static_cast<std::size_t>(BmpFileHeaderSize + rest));
  Stream->ReadBuffer(bytes.data() + BmpFileHeaderSize, rest);
  return bytes;
}

} // namespace

// The canvas of a bitmap: a memory DC with the bitmap selected, made when first drawn on.
class TBitmapCanvas : public TCanvas {
  LUM_CLASS(TBitmapCanvas, TCanvas)
public:
  explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  // Deselects the bitmap and deletes the DC; the next drawing makes them again.
  void FreeContext() {
    if (!FDc) return;
    SetHandle(nullptr);
    SelectObject(FDc, FOldBitmap);
    DeleteDC(FDc);
    FDc = nullptr;
    FOldBitmap = nullptr;
  }

protected:
  void CreateHandle() override {
    FBitmap->Settle();
    FDc = CreateCompatibleDC(nullptr);
    if (FBitmap->FHandle) FOldBitmap = SelectObject(FDc, FBitmap->FHandle);
    SetHandle(FDc);
  }
  void Changing() override {
    FBitmap->BeginChange();
    TCanvas::Changing();
  }
  void Changed() override {
    FBitmap->EndChange();
    TCanvas::Changed();
  }

private:
  TBitmap* FBitmap;
  HDC FDc = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
};

// A decoded or copied picture waiting to replace the bitmap's own; deletes its handle
// unless SwapIn took it.
struct TBitmap::TImage {
  TDib Dib;
  int Width = 0;
  int Height = 0;
  TPixelFormat Format = pfDevice;
  TAlphaFormat Alpha = afIgnored;
  std::vector<std::uint32_t> ColorTable;
  std::vector<std::uint8_t> Bytes;

  TImage() = default;
  TImage(const TRaster& Pixels, TPixelFormat AFormat, std::vector<std::uint32_t> ATable,
         TAlphaFormat AAlpha)
      : Width(Pixels.Width), Height(Pixels.Height), Format(AFormat), Alpha(AAlpha),
        ColorTable(std::move(ATable)) {
    if (!Pixels.Pixels.empty()) Dib = DibOf(Pixels);
  }
  TImage(const TImage&) = delete;
  TImage& operator=(const TImage&) = delete;
  ~TImage() {
    if (Dib.Handle) DeleteObject(Dib.Handle);
  }
};

bool SameBitmapImage(TBitmap& A, TBitmap& B) {
  if (&A == &B) return true;
  A.Settle();
  B.Settle();
  return A.FWidth == B.FWidth && A.FHeight == B.FHeight && A.FPixelFormat == B.FPixelFormat &&
         A.FAlphaFormat == B.FAlphaFormat && A.FColorTable == B.FColorTable &&
         A.FTransparentColor == B.FTransparentColor && A.FTransparentMode == B.FTransparentMode &&
         A.Transparent() == B.Transparent() && A.FImage == B.FImage &&
         A.PixelCount() == B.PixelCount() && std::equal(A.FBits, A.FBits + A.PixelCount(), B.FBits);
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  FreeMask();
  if (FHandle) DeleteObject(FHandle);
}

std::size_t TBitmap::PixelCount() const {
  return FHandle ? static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight) : 0;
}

TRaster TBitmap::StoredPixels() const {
  TRaster pixels;
  if (!FHandle) return pixels;
  pixels.Width = FWidth;
  pixels.Height = FHeight;
  pixels.Pixels.assign(FBits, FBits + PixelCount());
  pixels.HasAlpha = FAlphaFormat == afDefined;
  return pixels;
}

void TBitmap::StorePixels(const TRaster& Pixels) {
  std::copy(Pixels.Pixels.begin(), Pixels.Pixels.end(), FBits);
}

void TBitmap::SwapIn(TImage& Image) {
  FreeContext();
  FreeMask();
  std::swap(FHandle, Image.Dib.Handle);
  std::swap(FBits, Image.Dib.Bits);
  FWidth = Image.Width;
  FHeight = Image.Height;
  FPixelFormat = Image.Format;
  FAlphaFormat = Image.Alpha;
  FColorTable = std::move(Image.ColorTable);
  FImage = std::move(Image.Bytes);
  FScanLines.clear();
  FScanLinesOut = false;
  FReducePending = NeedsReduction(FPixelFormat);
  ReduceNow();
  Changed(this);
}

void TBitmap::Clear() {
  TImage nothing;
  SwapIn(nothing);
}

void TBitmap::Assign(TPersistent* Source) {
  if (!Source) {
    Clear();
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    if (bitmap != this) CopyFrom(*bitmap);
    return;
  }
  inherited::Assign(Source);
}

void TBitmap::CopyFrom(TBitmap& Source) {
  Source.Settle();
  TImage image(Source.StoredPixels(), Source.FPixelFormat, Source.FColorTable, Source.FAlphaFormat);
  image.Width = Source.FWidth;
  image.Height = Source.FHeight;
  image.Bytes = Source.FImage;
  FTransparentColor = Source.FTransparentColor;
  FTransparentMode = Source.FTransparentMode;
  SwapIn(image);
  SetTransparent(Source.Transparent());
}

void TBitmap::AssignRaster(const TRaster& Pixels, TPixelFormat Format) {
  const TPixelFormat format = Pixels.HasAlpha ? pf32bit : Format;
  TImage image(Pixels, format, DefaultColorTable(format), Pixels.HasAlpha ? afDefined : afIgnored);
  SwapIn(image);
}

TRaster TBitmap::ToRaster() {
  Settle();
  TRaster pixels = StoredPixels();
  if (!pixels.HasAlpha)
    for (auto& p : pixels.Pixels) p |= Opaque;
  return pixels;
}

void TBitmap::Settle() {
  SettleScanLines();
  ReduceNow();
}

void TBitmap::SettleScanLines() {
  if (!FScanLinesOut) return;
  FScanLinesOut = false;
  StorePixels(ReadBmp(FScanLines));
  FScanLines.clear();
}

void TBitmap::ReduceNow() {
  if (!FReducePending) return;
  FReducePending = false;
  if (!FHandle) return;
  TRaster pixels = StoredPixels();
  ReduceToFormat(pixels, FPixelFormat, FColorTable, FAlphaFormat == afDefined);
  StorePixels(pixels);
}

void TBitmap::BeginChange() {
  Settle();
  FImage.clear();
  FreeMask();
}

void TBitmap::EndChange() {
  FReducePending = NeedsReduction(FPixelFormat);
  Changed(this);
}

void TBitmap::FreeContext() {
  if (FCanvas) FCanvas->FreeContext();
}

void TBitmap::FreeMask() {
  if (FMaskHandle) DeleteObject(FMaskHandle);
  FMaskHandle = nullptr;
}

std::uint32_t TBitmap::NewPixelColour() const {
  return FCanvas ? PixelOf(FCanvas->Brush()->Color()) : White;
}

void TBitmap::SetWidth(int Value) { SetSize(Value, FHeight); }

void TBitmap::SetHeight(int Value) { SetSize(FWidth, Value); }

void TBitmap::SetSize(int AWidth, int AHeight) {
  if (AWidth < 0 || AHeight < 0)
    throw EInvalidGraphic("Invalid bitmap size " + IntToStr(AWidth) + " x " + IntToStr(AHeight));
  if (AWidth == FWidth && AHeight == FHeight) return;
  BeginChange();
  TDib resized;
  if (AWidth > 0 && AHeight > 0) {
    resized = NewDib(AWidth, AHeight);
    std::fill_n(resized.Bits, static_cast<std::size_t>(AWidth) * static_cast<std::size_t>(AHeight),
                NewPixelColour());
    if (FHandle)
      for (int y = 0; y < std::min(AHeight, FHeight); ++y)
        std::copy_n(FBits + static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth),
                    std::min(AWidth, FWidth),
                    resized.Bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(AWidth));
  }
  FreeContext();
  if (FHandle) DeleteObject(FHandle);
  FHandle = resized.Handle;
  FBits = resized.Bits;
  FWidth = AWidth;
  FHeight = AHeight;
  EndChange();
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == pfCustom) throw EInvalidGraphic("Invalid pixel format");
  if (Value == FPixelFormat) return;
  BeginChange();
  FPixelFormat = Value;
  FColorTable = DefaultColorTable(Value);
  if (Value != pf32bit) FAlphaFormat = afIgnored;
  FReducePending = true;
  ReduceNow();
  Changed(this);
}

void TBitmap::SetAlphaFormat(TAlphaFormat Value) {
  if (Value == FAlphaFormat) return;
  if (Value == afDefined && FPixelFormat != pf32bit) SetPixelFormat(pf32bit);
  BeginChange();
  FAlphaFormat = Value;
  Changed(this);
}

void TBitmap::SetMonochrome(bool Value) {
  if (Value)
    SetPixelFormat(pf1bit);
  else if (Monochrome())
    SetPixelFormat(pfDevice);
}

std::vector<TColor> TBitmap::ColorTable() const {
  std::vector<TColor> colors;
  for (const std::uint32_t entry : FColorTable) colors.push_back(ColorOf(entry));
  return colors;
}

void TBitmap::SetColorTable(std::span<const TColor> Colors) {
  if (!HasColorTable(FPixelFormat))
    throw EInvalidGraphic("A bitmap of " + IntToStr(BitsPerPixel(FPixelFormat)) +
                          " bits per pixel has no colour table");
  const std::size_t most = std::size_t{1} << BitsPerPixel(FPixelFormat);
  if (Colors.empty() || Colors.size() > most)
    throw EInvalidGraphic("A colour table of " + IntToStr(static_cast<int>(Colors.size())) +
                          " colours does not fit " + IntToStr(BitsPerPixel(FPixelFormat)) +
                          "-bit pixels");
  BeginChange();
  FColorTable.clear();
  for (const TColor color : Colors) FColorTable.push_back(PixelOf(color));
  FReducePending = true;
  ReduceNow();
  Changed(this);
}

TCanvas* TBitmap::Canvas() {
  Settle();
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(this);
  return FCanvas.get();
}

HBITMAP TBitmap::Handle() {
  Settle();
  FImage.clear();
  FreeMask();
  return FHandle;
}

void TBitmap::SetHandle(HBITMAP Value) {
  if (Value == FHandle) return;
  if (!Value) {
    Clear();
    return;
  }
  BITMAP info;
  if (GetObject(Value, sizeof info, &info) != sizeof info)
    throw EInvalidGraphic("The handle names no bitmap");
  const TPixelFormat format = info.bmBitsPixel == 1 ? pf1bit : pfDevice;
  TImage image(PixelsOfHandle(Value), format, DefaultColorTable(format), afIgnored);
  DeleteObject(Value);
  SwapIn(image);
}

HBITMAP TBitmap::ReleaseHandle() {
  Settle();
  if (!FHandle) return nullptr;
  const TDib copy = DibOf(StoredPixels());
  FreeContext();
  FreeMask();
  const HBITMAP released = FHandle;
  FHandle = copy.Handle;
  FBits = copy.Bits;
  return released;
}

void TBitmap::Dormant() { FreeContext(); }

void TBitmap::FreeImage() { FImage.clear(); }

HBITMAP TBitmap::MaskHandle() {
  if (Empty()) return nullptr;
  if (FMaskHandle) return FMaskHandle;
  Settle();
  const std::uint32_t transparent = PixelOf(TransparentColor()) & 0x00FFFFFFu;
  const std::vector<BYTE> bits = MonochromeBits(StoredPixels(), transparent);
  FMaskHandle = CreateBitmap(FWidth, FHeight, 1, 1, bits.data());
  if (!FMaskHandle) throw EOutOfResources("Cannot make the mask of a bitmap");
  return FMaskHandle;
}

void TBitmap::Mask(TColor ATransparentColor) {
  if (Empty()) return;
  SetTransparentColor(ATransparentColor);
  TImage image(PixelsOfHandle(MaskHandle()), pf1bit, MonochromePalette(), afIgnored);
  SwapIn(image);
}

TColor TBitmap::TransparentColor() {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (Empty()) return clDefault;
  Settle();
  return ColorOf(FBits[static_cast<std::size_t>(FHeight - 1) * static_cast<std::size_t>(FWidth)]);
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor && FTransparentMode == (Value == clDefault ? tmAuto : tmFixed))
    return;
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  FreeMask();
  Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
  if (Value == FTransparentMode) return;
  if (Value == tmAuto)
    SetTransparentColor(clDefault);
  else
    SetTransparentColor(TransparentColor());
}

void* TBitmap::ScanLine(int Row) {
  if (Row < 0 || Row >= FHeight || Empty()) throw EInvalidGraphic("Scan line index out of range");
  FImage.clear();
  FreeMask();
  if (BitsPerPixel(FPixelFormat) == 32) {
    Settle();
    return FBits + static_cast<std::size_t>(Row) * static_cast<std::size_t>(FWidth);
  }
  if (!FScanLinesOut) {
    Settle();
    FScanLines = EncodeBmp(StoredPixels(), FPixelFormat, FColorTable, false);
    FScanLinesOut = true;
  }
  const std::size_t stride =
      (static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(BitsPerPixel(FPixelFormat)) +
       31) /
      32 * 4;
  return FScanLines.data() + Le32(FScanLines, 10) +
         static_cast<std::size_t>(FHeight - 1 - Row) * stride;
}

void TBitmap::Decode(const std::vector<std::uint8_t>& Bytes, bool KeepBytes) {
  TBmpFormat format;
  TRaster pixels;
  try {
    format = ReadBmpFormat(Bytes);
    pixels = ReadBmp(Bytes);
  } catch (const EReadError& e) {
    InvalidBitmap(e.Message());
  } catch (const EOutOfResources& e) {
    InvalidBitmap(e.Message());
  }
  const TPixelFormat pixelFormat = PixelFormatOf(format);
  std::vector<std::uint32_t> table = std::move(format.Palette);
  if (HasColorTable(pixelFormat) && table.empty()) table = DefaultColorTable(pixelFormat);
  TImage image(pixels, pixelFormat, std::move(table), pixels.HasAlpha ? afDefined : afIgnored);
  if (KeepBytes && Bytes.size() >= 6 && Le32(Bytes, 2) == Bytes.size()) image.Bytes = Bytes;
  SwapIn(image);
}

std::vector<std::uint8_t> TBitmap::Encode() {
  if (Empty()) return {};
  if (!FImage.empty()) return FImage;
  Settle();
  return EncodeBmp(StoredPixels(), FPixelFormat, FColorTable, FAlphaFormat == afDefined);
}

void TBitmap::LoadBytes(const std::vector<std::uint8_t>& Bytes) {
  if (Bytes.empty())
    Clear();
  else
    Decode(Bytes, true);
}

void TBitmap::LoadFromStream(TStream* Stream) { LoadBytes(ReadBmpImage(Stream)); }

void TBitmap::SaveToStream(TStream* Stream) {
  const std::vector<std::uint8_t> bytes = Encode();
  Stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TBitmap::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Data", [this](TStream* Stream) { ReadData(Stream); },
      [this](TStream* Stream) { WriteData(Stream); }, HasData(Filer));
}

bool TBitmap::HasData(TFiler* Filer) {
  auto* ancestor = dynamic_cast<TBitmap*>(Filer->Ancestor());
  if (!ancestor) return !Empty();
  return Encode() != ancestor->Encode();
}

void TBitmap::ReadData(TStream* Stream) {
  std::vector<std::uint8_t> size(4);
  if (Stream->Read(size.data(), 4) != 4) InvalidBitmap("form data: no size");
  const Int64 declared = Le32(size, 0);
  const Int64 given = Stream->Size() - Stream->Position();
  if (declared != given)
    InvalidBitmap("form data: size " + std::to_string(declared) + " but " + std::to_string(given) +
                  " bytes follow");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(declared));
  Stream->ReadBuffer(bytes.data(), declared);
  LoadBytes(bytes);
}

void TBitmap::WriteData(TStream* Stream) {
  const std::vector<std::uint8_t> bytes = Encode();
  const auto size = static_cast<std::uint32_t>(bytes.size());
  const std::uint8_t sizeBytes[4] = {
      static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
      static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
  Stream->WriteBuffer(sizeBytes, 4);
  Stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TBitmap::LoadFromFile(const String& FileName) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(FileName);
  if (bytes.empty()) {
    Clear();
    return;
  }
  try {
    Decode(bytes, true);
  } catch (EInvalidGraphic& e) {
    e.SetMessage(e.Message() + " (" + FileName + ")");
    throw;
  }
}

void TBitmap::SaveToFile(const String& FileName) { ReplaceFileContents(FileName, Encode()); }

void TBitmap::LoadFromResourceName(HINSTANCE, const String& ResName) {
  const std::span<const std::uint8_t> data = ResourceData(ResName);
  Decode({data.begin(), data.end()}, false);
}

void TBitmap::LoadFromResourceID(HINSTANCE Instance, int ResID) {
  LoadFromResourceName(Instance, IntToStr(ResID));
}

void TBitmap::SaveToPngFile(const String& FileName) {
  if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap as PNG");
  WritePngFile(ToRaster(), FileName);
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
  if (Empty() || !ACanvas) return;
  Settle();
  if (Transparent())
    DrawTransparent(ACanvas, Rect);
  else if (const TRaster pixels = StoredPixels(); pixels.HasAlpha && AnyTranslucent(pixels))
    DrawRaster(ACanvas, Rect, pixels, true);
  else
    DrawOpaque(ACanvas, Rect);
}

void TBitmap::DrawTransparent(TCanvas* ACanvas, const TRect& Rect) {
  const COLORREF transparent = ColorToRGB(TransparentColor());
  TransparentBlt(ACanvas->Handle(), Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
                 Canvas()->Handle(), 0, 0, FWidth, FHeight, transparent);
}

void TBitmap::DrawOpaque(TCanvas* ACanvas, const TRect& Rect) {
  StretchBlt(ACanvas->Handle(), Rect.Left, Rect.Top, Rect.Width(), Rect.Height(),
             Canvas()->Handle(), 0, 0, FWidth, FHeight, static_cast<DWORD>(ACanvas->CopyMode()));
}
