#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/BmpCodec.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/gdi/PictureBombs.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

namespace {

// Sets the pixel limit for one test and puts the old one back.
class PixelLimit {
public:
  explicit PixelLimit(std::int64_t pixels) : saved_(MaxPicturePixels()) {
    SetMaxPicturePixels(pixels);
  }
  ~PixelLimit() { SetMaxPicturePixels(saved_); }
  PixelLimit(const PixelLimit&) = delete;
  PixelLimit& operator=(const PixelLimit&) = delete;

private:
  std::int64_t saved_;
};

} // namespace

TEST(PictureLimits, TheDefaultIs64MegapixelsAndSettingsAreClamped) {
  EXPECT_EQ(MaxPicturePixels(), std::int64_t{64} << 20);
  EXPECT_FALSE(ExceedsMaxPicturePixels(8192, 8192));
  EXPECT_TRUE(ExceedsMaxPicturePixels(8193, 8192));
  const PixelLimit limit(0);
  EXPECT_EQ(MaxPicturePixels(), 1);
  SetMaxPicturePixels(std::int64_t{1} << 40);
  EXPECT_EQ(MaxPicturePixels(), std::int64_t{1} << 28);
}

// 1,102 bytes claiming 16384 x 16384 pixels: refused before a gigabyte is allocated for it,
// however high the limit is set.
TEST(PictureLimits, RleDataMustBeAbleToHoldThePicture) {
  const PixelLimit limit(std::int64_t{1} << 28);
  const std::vector<std::uint8_t> bomb = picturebombs::Rle8Bomb();
  ASSERT_EQ(bomb.size(), 1102u);
  ExpectError<EReadError>([&] { ReadBmp(bomb); },
                          "BMP: 24 bytes of RLE data cannot hold 16384 x 16384 pixels");
  // A small picture whose RLE data ends at once is still read, as black.
  const TRaster blank = ReadBmp(picturebombs::Rle8File(1024, 1024));
  EXPECT_EQ(blank.Width, 1024);
  EXPECT_EQ(blank.At(1023, 1023), 0xFF000000u);
}

TEST(PictureLimits, ReadersRefusePicturesAboveTheLimit) {
  const TRaster picture(20, 10);
  const std::vector<std::uint8_t> bmp = WriteBmp(picture);
  const std::vector<std::uint8_t> png = WritePng(picture);
  const std::vector<std::uint8_t> rle = picturebombs::Rle8File(20, 10);
  {
    const PixelLimit limit(199);
    EXPECT_THROW(ReadBmp(bmp), EOutOfResources);
    EXPECT_THROW(ReadBmp(rle), EOutOfResources);
    EXPECT_THROW(ReadPng(png), EOutOfResources);
  }
  const PixelLimit limit(200);
  EXPECT_EQ(ReadBmp(bmp).Pixels.size(), 200u);
  EXPECT_EQ(ReadBmp(rle).Pixels.size(), 200u);
  EXPECT_EQ(ReadPng(png).Pixels.size(), 200u);
}
