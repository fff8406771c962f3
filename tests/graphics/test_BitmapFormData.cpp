#include "framework/classes/Component.h"
#include "framework/classes/FormFile.h"
#include "framework/graphics/Bitmap.h"
#include "tests/gdi/PictureBombs.h"
#include "tests/graphics/PictureTestSupport.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

namespace {

class TBitmapHolder : public TComponent {
  LUM_CLASS(TBitmapHolder, TComponent)
public:
  explicit TBitmapHolder(TComponent* AOwner)
      : TComponent(AOwner), FBitmap(std::make_unique<TBitmap>()) {}
  LUM_PUBLISHED(TBitmap*, Bitmap, FBitmap, Field, NoDefault)

private:
  std::unique_ptr<TBitmap> FBitmap;
};

String HolderText(const String& Hex) {
  return "object Holder: TBitmapHolder\n  Bitmap.Data = {\n    " + Hex + "}\nend\n";
}

// A 1x1 24-bit BMP file (58 bytes), one blue pixel.
const String OnePixelBmp = "424D3A000000000000003600000028000000010000000100000001001800000000"
                           "000400000000000000000000000000000000000000FF000000";

TEST(BitmapFormData, DataIsTheFileSizeThenTheBmpFile) {
  for (const TPixelFormat format : {pf1bit, pf8bit, pf24bit, pf32bit}) {
    TBitmapHolder holder(nullptr);
    holder.SetName("Holder");
    holder.Bitmap()->AssignRaster(RandomPixels(7, 3, 5), pf24bit);
    holder.Bitmap()->SetPixelFormat(format);
    const String text = WriteFormText(&holder);
    TMemoryStream bmp;
    holder.Bitmap()->SaveToStream(&bmp);
    const auto size = static_cast<std::uint32_t>(bmp.Size());
    char sizeHex[9];
    std::snprintf(sizeHex, sizeof sizeHex, "%02X%02X%02X%02X", size & 0xFF, (size >> 8) & 0xFF,
                  (size >> 16) & 0xFF, size >> 24);
    EXPECT_NE(text.find(String("Bitmap.Data = {\n    ") + sizeHex + "424D"), String::npos) << text;
    TBitmapHolder copy(nullptr);
    ReadFormText(text, &copy);
    EXPECT_EQ(copy.Bitmap()->PixelFormat(), format);
    EXPECT_EQ(copy.Bitmap()->ToRaster().Pixels, holder.Bitmap()->ToRaster().Pixels);
    EXPECT_EQ(WriteFormText(&copy), text);
  }
  TBitmapHolder empty(nullptr);
  empty.SetName("Empty");
  EXPECT_EQ(WriteFormText(&empty).find("Data"), String::npos);
}

TEST(BitmapFormData, ReadsDataWrittenElsewhereAndAnEmptySize) {
  TBitmapHolder holder(nullptr);
  ReadFormText(HolderText("3A000000" + OnePixelBmp), &holder);
  ASSERT_EQ(holder.Bitmap()->Width(), 1);
  EXPECT_EQ(holder.Bitmap()->ToRaster().At(0, 0), 0xFF0000FFu);
  ReadFormText(HolderText("00000000"), &holder);
  EXPECT_TRUE(holder.Bitmap()->Empty());
}

TEST(BitmapFormData, CorruptDataSaysWhatIsWrongAndKeepsTheBitmap) {
  const struct {
    String Hex;
    String Reason;
  } corrupt[] = {
      {"3A00", "no size"},
      {"FF000000" + OnePixelBmp, "size 255 but 58 bytes follow"},
      {"39000000" + OnePixelBmp, "size 57 but 58 bytes follow"},
      {"3A000000" + String("4D42") + OnePixelBmp.substr(4), "no BM signature"},
      {"0E000000" + OnePixelBmp.substr(0, 28), "Bitmap image is not valid"},
  };
  for (const auto& c : corrupt) {
    TBitmapHolder holder(nullptr);
    holder.Bitmap()->AssignRaster(RandomPixels(3, 2, 9), pf24bit);
    const TRaster before = holder.Bitmap()->ToRaster();
    try {
      ReadFormText(HolderText(c.Hex), &holder);
      ADD_FAILURE() << "read " << c.Hex;
    } catch (const EReadError& e) {
      EXPECT_NE(e.Message().find("Bitmap.Data"), String::npos) << e.Message();
      EXPECT_NE(e.Message().find(c.Reason), String::npos) << e.Message();
    }
    EXPECT_EQ(holder.Bitmap()->ToRaster().Pixels, before.Pixels) << c.Hex;
  }
}

// A form file is as hostile as a picture file: a few bytes claiming a huge picture are
// refused before it is allocated.
TEST(BitmapFormData, PictureDataClaimingAHugePictureIsRefused) {
  std::vector<std::uint8_t> data = picturebombs::Rle8Bomb();
  const auto size = static_cast<std::uint32_t>(data.size());
  for (int i = 3; i >= 0; --i)
    data.insert(data.begin(), static_cast<std::uint8_t>(size >> (8 * i)));
  String hex;
  for (const std::uint8_t byte : data) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", byte);
    hex += digits;
  }
  TBitmapHolder holder(nullptr);
  ExpectErrorContaining<EReadError>([&] { ReadFormText(HolderText(hex), &holder); },
                                    "cannot hold 16384 x 16384 pixels");
  EXPECT_TRUE(holder.Bitmap()->Empty());
}

} // namespace
