#include "framework/classes/Component.h"
#include "framework/classes/FormFile.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/PngImage.h"
#include "framework/rtl/Files.h"
#include "tests/graphics/PictureTestSupport.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBitmap> Sample(int Width = 6, int Height = 4) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->AssignRaster(RandomPixels(Width, Height, 21), pf24bit);
  return bitmap;
}

// A folder with the sample picture saved in every format, under the given names.
struct TPictureFiles {
  TTempFolder Folder{"picture_files"};
  String Bmp = Folder.File("sample.bmp");
  String Png = Folder.File("sample.PNG");
  String Jpeg = Folder.File("sample.jpeg");
  String Ico = Folder.File("sample.ico");
  String Lum = Folder.File("sample.LUM");

  TPictureFiles() {
    auto bitmap = Sample();
    bitmap->SaveToFile(Bmp);
    bitmap->SaveToFile(Lum);
    TPngImage png;
    png.Assign(bitmap.get());
    png.SaveToFile(Png);
    TJPEGImage jpeg;
    jpeg.Assign(bitmap.get());
    jpeg.SaveToFile(Jpeg);
    TIcon icon;
    icon.Assign(bitmap.get());
    icon.SaveToFile(Ico);
  }
};

String CorruptCopy(const TTempFolder& Folder, const String& Source, const String& Name) {
  auto bytes = ReadFileBytes(Source);
  bytes.resize(bytes.size() * 2 / 3);
  const String path = Folder.File(Name);
  ReplaceFileContents(path, bytes);
  return path;
}

} // namespace

TEST(PictureFiles, TheExtensionChoosesTheGraphicClass) {
  TPictureFiles files;
  TPicture picture;
  const std::pair<String, const char*> cases[] = {{files.Bmp, "TBitmap"},
                                                  {files.Lum, "TBitmap"},
                                                  {files.Png, "TPngImage"},
                                                  {files.Jpeg, "TJPEGImage"},
                                                  {files.Ico, "TIcon"}};
  for (const auto& [path, className] : cases) {
    SCOPED_TRACE(path);
    picture.LoadFromFile(path);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Graphic()->ClassName(), className);
    EXPECT_EQ(picture.Width(), 6);
    EXPECT_EQ(picture.Height(), 4);
  }
  picture.LoadFromFile(files.Lum);
  EXPECT_EQ(picture.Bitmap()->ToRaster().Pixels, Sample()->ToRaster().Pixels);
  picture.LoadFromFile(files.Png);
  auto* png = dynamic_cast<TPngImage*>(picture.Graphic());
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->Pixels().Pixels, Sample()->ToRaster().Pixels);
}

TEST(PictureFiles, UnknownExtensionsAreNamedAsGiven) {
  TTempFolder folder("picture_unknown");
  const String path = folder.File("drawing.emf");
  ReplaceFileContents(path, std::vector<std::uint8_t>{1, 2, 3});
  TPicture picture;
  picture.Assign(Sample().get());
  const std::pair<String, String> cases[] = {
      {path, "(.emf)"}, {folder.File("DRAWING.Emf"), "(.Emf)"}, {folder.File("noextension"), "()"}};
  for (const auto& [name, shown] : cases) {
    ExpectError<EInvalidGraphic>([&] { picture.LoadFromFile(name); },
                                 "Unknown picture file extension " + shown);
  }
  EXPECT_EQ(picture.Width(), 6);
}

TEST(PictureFiles, CorruptFilesRaiseAndLeaveThePictureUnchanged) {
  TPictureFiles files;
  TPicture picture;
  picture.LoadFromFile(files.Bmp);
  TGraphic* before = picture.Graphic();
  const TRaster pixels = picture.Bitmap()->ToRaster();
  int changes = 0;
  picture.SetOnChange([&](TObject*) { ++changes; });
  const std::pair<String, String> cases[] = {
      {CorruptCopy(files.Folder, files.Png, "bad.png"), "PNG image is not valid: "},
      {CorruptCopy(files.Folder, files.Jpeg, "bad.jpg"), "JPEG image is not valid: JPEG: "},
      {CorruptCopy(files.Folder, files.Bmp, "bad.bmp"), "Bitmap image is not valid: BMP: "},
      {CorruptCopy(files.Folder, files.Ico, "bad.ico"), "Icon image is not valid: ICO: "}};
  for (const auto& [path, start] : cases) {
    try {
      picture.LoadFromFile(path);
      FAIL() << path;
    } catch (const EInvalidGraphic& e) {
      EXPECT_TRUE(e.Message().starts_with(start)) << e.Message();
      EXPECT_TRUE(e.Message().ends_with("(" + path + ")")) << e.Message();
    }
  }
  EXPECT_EQ(picture.Graphic(), before);
  EXPECT_EQ(picture.Bitmap()->ToRaster().Pixels, pixels.Pixels);
  EXPECT_EQ(changes, 0);
}

TEST(PictureChanges, LoadAssignAndDrawingTellOnChange) {
  TPictureFiles files;
  TPicture picture;
  int changes = 0;
  picture.SetOnChange([&](TObject* Sender) {
    EXPECT_EQ(Sender, &picture);
    ++changes;
  });
  picture.LoadFromFile(files.Bmp);
  EXPECT_EQ(changes, 1);
  picture.Assign(Sample().get());
  EXPECT_EQ(changes, 2);
  picture.Bitmap()->Canvas()->FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(changes, 3);
  picture.Bitmap()->SetWidth(9);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(picture.Width(), 9);
  picture.Assign(nullptr);
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 0);
}

TEST(PictureGraphic, SettingCopiesIntoANewGraphicOfTheSameClass) {
  TPngImage png;
  png.Assign(Sample().get());
  TPicture picture;
  picture.SetGraphic(&png);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_NE(picture.Graphic(), &png);
  EXPECT_EQ(picture.Graphic()->ClassName(), "TPngImage");
  png.Assign(nullptr);
  EXPECT_EQ(picture.Width(), 6);
  TPicture other;
  other.Assign(&picture);
  EXPECT_EQ(other.Graphic()->ClassName(), "TPngImage");
  EXPECT_NE(other.Graphic(), picture.Graphic());
  // Asking for the bitmap replaces a graphic of another kind by an empty bitmap.
  TBitmap* bitmap = other.Bitmap();
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(other.Graphic(), bitmap);
  EXPECT_EQ(other.Bitmap(), bitmap);
  EXPECT_EQ(other.Icon()->ClassName(), "TIcon");
}

TEST(PictureRegistry, RegisteredExtensionsComeAndGo) {
  TPictureFiles files;
  const String odd = files.Folder.File("sample.xyz");
  std::filesystem::copy_file(files.Png, odd);
  TPicture picture;
  EXPECT_THROW(picture.LoadFromFile(odd), EInvalidGraphic);
  TPicture::RegisterFileFormat("xyz", "Test pictures", TPngImage::StaticClass());
  picture.LoadFromFile(odd);
  EXPECT_EQ(picture.Graphic()->ClassName(), "TPngImage");
  TPicture::UnregisterGraphicClass(TPngImage::StaticClass());
  EXPECT_EQ(TPicture::GraphicClassOf(".png"), nullptr);
  EXPECT_THROW(picture.LoadFromFile(files.Png), EInvalidGraphic);
  TPicture::RegisterFileFormat("png", "Portable network graphics", TPngImage::StaticClass());
  EXPECT_EQ(TPicture::GraphicClassOf("PNG"), TPngImage::StaticClass());
  EXPECT_THROW(TPicture::RegisterFileFormat("txt", "Text", TPicture::StaticClass()),
               EInvalidGraphic);
}

TEST(RasterImages, ConversionsQualityAndSizes) {
  auto bitmap = Sample();
  TJPEGImage jpeg;
  EXPECT_EQ(jpeg.CompressionQuality(), 90);
  jpeg.SetCompressionQuality(40);
  EXPECT_THROW(jpeg.SetCompressionQuality(0), EInvalidGraphic);
  EXPECT_THROW(jpeg.SetCompressionQuality(101), EInvalidGraphic);
  EXPECT_EQ(jpeg.CompressionQuality(), 40);
  TPngImage png;
  png.Assign(bitmap.get());
  TBitmap back;
  back.Assign(&png);
  EXPECT_EQ(back.ToRaster().Pixels, bitmap->ToRaster().Pixels);
  EXPECT_THROW(png.SetWidth(3), EInvalidGraphic);
  TTempFolder folder("raster_images");
  TPngImage empty;
  EXPECT_THROW(empty.SaveToFile(folder.File("empty.png")), EInvalidGraphic);
  EXPECT_TRUE(folder.Names().empty());
}

TEST(RasterImages, IconsBlendTheirAlphaWhenDrawn) {
  TRaster pixels(2, 1);
  pixels.Pixels = {0x8000FF00u, 0x00FF0000u};
  pixels.HasAlpha = true;
  TIcon icon;
  icon.SetPixels(pixels);
  TBitmap target;
  target.SetSize(4, 2);
  target.Canvas()->Brush()->SetColor(clRed);
  target.Canvas()->FillRect(Rect(0, 0, 4, 2));
  target.Canvas()->StretchDraw(Rect(0, 0, 4, 2), &icon);
  const TRaster drawn = target.ToRaster();
  EXPECT_EQ(drawn.At(0, 0), 0xFF7F8000u);
  EXPECT_EQ(drawn.At(1, 1), 0xFF7F8000u);
  EXPECT_EQ(drawn.At(2, 0), 0xFFFF0000u);
  EXPECT_EQ(drawn.At(3, 1), 0xFFFF0000u);
}

namespace {

class TPictureHolder : public TComponent {
  LUM_CLASS(TPictureHolder, TComponent)
public:
  explicit TPictureHolder(TComponent* AOwner)
      : TComponent(AOwner), FPicture(std::make_unique<TPicture>()) {}
  LUM_PUBLISHED(TPicture*, Picture, FPicture, Field, NoDefault)

private:
  std::unique_ptr<TPicture> FPicture;
};

} // namespace

TEST(PictureFormFiles, DataHoldsTheClassNameAndTheGraphic) {
  for (const TPixelFormat format : {pf4bit, pf32bit}) {
    TPictureHolder holder(nullptr);
    holder.SetName("Holder");
    auto bitmap = Sample(5, 3);
    bitmap->SetPixelFormat(format);
    holder.Picture()->Assign(bitmap.get());
    const String text = WriteFormText(&holder);
    EXPECT_NE(text.find("Picture.Data = {"), String::npos) << text;
    // The binary block starts with the class name as a short string: 07 "TBitmap".
    EXPECT_NE(text.find("07544269746D6170424D"), String::npos) << text;
    TPictureHolder copy(nullptr);
    ReadFormText(text, &copy);
    ASSERT_NE(copy.Picture()->Graphic(), nullptr);
    EXPECT_EQ(copy.Picture()->Bitmap()->PixelFormat(), format);
    EXPECT_EQ(copy.Picture()->Bitmap()->ToRaster().Pixels, bitmap->ToRaster().Pixels);
  }
  TPictureHolder empty(nullptr);
  empty.SetName("Empty");
  EXPECT_EQ(WriteFormText(&empty).find("Picture.Data"), String::npos);
  TPictureHolder png(nullptr);
  png.SetName("Png");
  TPngImage image;
  image.Assign(Sample().get());
  png.Picture()->Assign(&image);
  TPictureHolder pngCopy(nullptr);
  ReadFormText(WriteFormText(&png), &pngCopy);
  ASSERT_NE(pngCopy.Picture()->Graphic(), nullptr);
  EXPECT_EQ(pngCopy.Picture()->Graphic()->ClassName(), "TPngImage");
  EXPECT_EQ(pngCopy.Picture()->Width(), 6);
}
