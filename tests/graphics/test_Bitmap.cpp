#include "framework/classes/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Files.h"
#include "framework/win32/gdi/BmpCodec.h"
#include "framework/win32/gdi/Palettes.h"
#include "framework/win32/gdi/PngCodec.h"
#include "framework/win32/gdi/Resources.h"
#include "tests/graphics/PictureTestSupport.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

const std::filesystem::path BmpSuite = CorpusDir / "bmpsuite";

struct TDepth {
  TPixelFormat Format;
  int FileBits;
};

const TDepth Depths[] = {{pf1bit, 1},   {pf4bit, 4},   {pf8bit, 8},  {pf15bit, 16},
                         {pf16bit, 16}, {pf24bit, 24}, {pf32bit, 32}};

std::unique_ptr<TBitmap> BitmapOf(const TRaster& Pixels, TPixelFormat Format = pf24bit) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->AssignRaster(Pixels, Format);
  return bitmap;
}

std::unique_ptr<TBitmap> Loaded(const String& Path) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->LoadFromFile(Path);
  return bitmap;
}

int FileBitCount(const String& Path) { return ReadBmpFormat(ReadFileBytes(Path)).BitCount; }

bool InTable(std::uint32_t Pixel, const std::vector<std::uint32_t>& Table) {
  return std::find(Table.begin(), Table.end(), Pixel) != Table.end();
}

} // namespace

TEST(BitmapFormats, EveryDepthSavesAndLoadsTheSamePixels) {
  TTempFolder folder("bitmap_depths");
  for (const TDepth depth : Depths) {
    SCOPED_TRACE("format " + std::to_string(depth.Format));
    auto bitmap = BitmapOf(RandomPixels(13, 7, 5));
    bitmap->SetPixelFormat(depth.Format);
    EXPECT_EQ(bitmap->PixelFormat(), depth.Format);
    const TRaster reduced = bitmap->ToRaster();
    const String path = folder.File("depth.bmp");
    bitmap->SaveToFile(path);
    EXPECT_EQ(FileBitCount(path), depth.FileBits);
    auto loaded = Loaded(path);
    EXPECT_EQ(loaded->PixelFormat(), depth.Format);
    EXPECT_EQ(loaded->Width(), 13);
    EXPECT_EQ(loaded->Height(), 7);
    EXPECT_EQ(loaded->ToRaster().Pixels, reduced.Pixels);
  }
}

TEST(BitmapFormats, LowDepthsMapColoursToTheirTable) {
  for (const TPixelFormat format : {pf1bit, pf4bit, pf8bit}) {
    auto bitmap = BitmapOf(RandomPixels(16, 16, 9));
    bitmap->SetPixelFormat(format);
    const std::vector<std::uint32_t> table = DefaultColorTable(format);
    for (const std::uint32_t p : bitmap->ToRaster().Pixels)
      EXPECT_TRUE(InTable(p, table)) << format << " " << std::hex << p;
  }
  TRaster nearlyRed(2, 1);
  nearlyRed.Pixels = {0xFFF00808u, 0xFF0A0A7Au};
  auto bitmap = BitmapOf(nearlyRed);
  bitmap->SetPixelFormat(pf4bit);
  ExpectPixels(*bitmap, {{0, 0, clRed}, {1, 0, clNavy}});
  bitmap->SetMonochrome(true);
  EXPECT_TRUE(bitmap->Monochrome());
  EXPECT_EQ(bitmap->PixelFormat(), pf1bit);
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), clBlack);
}

TEST(BitmapFormats, FifteenAndSixteenBitChannelsKeepTheirLevels) {
  TRaster pixels(3, 1);
  pixels.Pixels = {0xFF0C1D2Eu, 0xFFFFFFFFu, 0xFF070307u};
  auto bitmap = BitmapOf(pixels);
  bitmap->SetPixelFormat(pf15bit);
  // 0x0C, 0x1D, 0x2E round to the 5-bit levels 1, 4, 6, which read back as 8, 33, 49.
  EXPECT_EQ(bitmap->ToRaster().At(0, 0), 0xFF082131u);
  EXPECT_EQ(bitmap->ToRaster().At(1, 0), 0xFFFFFFFFu);
  bitmap->AssignRaster(pixels, pf16bit);
  // Green has 6 bits: 0x1D rounds to level 7, which reads back as 28.
  EXPECT_EQ(bitmap->ToRaster().At(0, 0), 0xFF081C31u);
  EXPECT_EQ(bitmap->ToRaster().At(2, 0), 0xFF080408u);
}

TEST(BitmapFormats, AColourTableOfOwnIsWrittenAndPixelsFollowIt) {
  TTempFolder folder("bitmap_colour_table");
  auto bitmap = BitmapOf(RandomPixels(9, 4, 2));
  bitmap->SetPixelFormat(pf8bit);
  const std::vector<TColor> table = {clBlack, clWhite, static_cast<TColor>(0x3366CC)};
  bitmap->SetColorTable(table);
  EXPECT_EQ(bitmap->ColorTable(), table);
  const String path = folder.File("table.bmp");
  bitmap->SaveToFile(path);
  const TBmpFormat format = ReadBmpFormat(ReadFileBytes(path));
  EXPECT_EQ(format.Palette, (std::vector<std::uint32_t>{0xFF000000u, 0xFFFFFFFFu, 0xFFCC6633u}));
  auto loaded = Loaded(path);
  EXPECT_EQ(loaded->ColorTable(), table);
  const TRaster pixels = loaded->ToRaster();
  const std::set<std::uint32_t> used(pixels.Pixels.begin(), pixels.Pixels.end());
  EXPECT_GE(used.size(), 2u);
  for (const std::uint32_t p : used) EXPECT_TRUE(InTable(p, format.Palette)) << std::hex << p;
  EXPECT_THROW(bitmap->SetColorTable(std::vector<TColor>(257, clRed)), EInvalidGraphic);
  EXPECT_THROW(bitmap->SetColorTable({}), EInvalidGraphic);
  bitmap->SetPixelFormat(pf24bit);
  EXPECT_TRUE(bitmap->ColorTable().empty());
  EXPECT_THROW(bitmap->SetColorTable(table), EInvalidGraphic);
}

TEST(BitmapFormats, PfCustomCannotBeSet) {
  TBitmap bitmap;
  ExpectError<EInvalidGraphic>([&] { bitmap.SetPixelFormat(pfCustom); }, "Invalid pixel format");
  EXPECT_EQ(bitmap.PixelFormat(), pfDevice);
}

TEST(BitmapAlpha, DefinedAlphaSurvivesSavingOnlyWhenSomePixelIsTranslucent) {
  TTempFolder folder("bitmap_alpha");
  auto bitmap = BitmapOf(RandomPixels(5, 4, 3, true));
  EXPECT_EQ(bitmap->PixelFormat(), pf32bit);
  EXPECT_EQ(bitmap->AlphaFormat(), afDefined);
  const String path = folder.File("alpha.bmp");
  bitmap->SaveToFile(path);
  const auto bytes = ReadFileBytes(path);
  EXPECT_EQ(bytes[14], 124); // BITMAPV5HEADER
  auto loaded = Loaded(path);
  EXPECT_EQ(loaded->AlphaFormat(), afDefined);
  EXPECT_EQ(loaded->ToRaster().Pixels, bitmap->ToRaster().Pixels);

  TRaster opaque = RandomPixels(5, 4, 3);
  opaque.HasAlpha = true;
  auto plain = BitmapOf(opaque);
  plain->SaveToFile(path);
  EXPECT_EQ(ReadFileBytes(path)[14], 40);
  EXPECT_EQ(FileBitCount(path), 32);
  EXPECT_EQ(Loaded(path)->AlphaFormat(), afIgnored);

  bitmap->SetAlphaFormat(afIgnored);
  for (const std::uint32_t p : bitmap->ToRaster().Pixels) EXPECT_EQ(p >> 24, 0xFFu);
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetAlphaFormat(afDefined);
  EXPECT_EQ(bitmap->PixelFormat(), pf32bit);
}

TEST(BitmapCorpus, RunLengthAndTopDownFilesLoadAsTheirPlainTwins) {
  const auto plain4 = Loaded((BmpSuite / "g" / "pal4.bmp").string());
  const auto plain8 = Loaded((BmpSuite / "g" / "pal8.bmp").string());
  const auto rle4 = Loaded((BmpSuite / "g" / "pal4rle.bmp").string());
  const auto rle8 = Loaded((BmpSuite / "g" / "pal8rle.bmp").string());
  const auto topDown = Loaded((BmpSuite / "g" / "pal8topdown.bmp").string());
  EXPECT_EQ(rle4->PixelFormat(), pf4bit);
  EXPECT_EQ(rle8->PixelFormat(), pf8bit);
  EXPECT_EQ(rle4->ToRaster().Pixels, plain4->ToRaster().Pixels);
  EXPECT_EQ(rle8->ToRaster().Pixels, plain8->ToRaster().Pixels);
  EXPECT_EQ(topDown->ToRaster().Pixels, plain8->ToRaster().Pixels);
  EXPECT_EQ(rle8->ColorTable(), plain8->ColorTable());
  const auto mono = Loaded((BmpSuite / "g" / "pal1bg.bmp").string());
  EXPECT_EQ(mono->PixelFormat(), pf1bit);
  EXPECT_EQ(Loaded((BmpSuite / "g" / "rgb16-565.bmp").string())->PixelFormat(), pf16bit);
  EXPECT_EQ(Loaded((BmpSuite / "g" / "rgb16.bmp").string())->PixelFormat(), pf15bit);
}

TEST(BitmapCorpus, UnchangedBitmapsSaveTheBytesTheyCameFrom) {
  TTempFolder folder("bitmap_resave");
  const String source = (BmpSuite / "g" / "pal4rle.bmp").string();
  auto bitmap = Loaded(source);
  const String copy = folder.File("copy.bmp");
  bitmap->SaveToFile(copy);
  EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(source));
  bitmap->FreeImage();
  bitmap->SaveToFile(copy);
  EXPECT_NE(ReadFileBytes(copy), ReadFileBytes(source));
  EXPECT_EQ(FileBitCount(copy), 4);
  EXPECT_EQ(Loaded(copy)->ToRaster().Pixels, bitmap->ToRaster().Pixels);
  // Drawing forgets the original bytes too.
  auto drawn = Loaded(source);
  drawn->Canvas()->SetPixels(0, 0, clWhite);
  drawn->SaveToFile(copy);
  EXPECT_EQ(PixelAt(*Loaded(copy), 0, 0), clWhite);
}

TEST(BitmapCopies, AssignMakesAnIndependentCopy) {
  auto source = BitmapOf(RandomPixels(6, 5, 8));
  source->SetPixelFormat(pf8bit);
  source->SetTransparentColor(clLime);
  TBitmap copy;
  copy.Assign(source.get());
  EXPECT_EQ(copy.PixelFormat(), pf8bit);
  EXPECT_EQ(copy.TransparentColor(), clLime);
  EXPECT_EQ(copy.ToRaster().Pixels, source->ToRaster().Pixels);
  EXPECT_NE(copy.Handle(), source->Handle());
  const TRaster before = copy.ToRaster();
  source->Canvas()->Brush()->SetColor(clRed);
  source->Canvas()->FillRect(Rect(0, 0, 6, 5));
  source->SetSize(2, 2);
  EXPECT_EQ(copy.ToRaster().Pixels, before.Pixels);
  copy.Canvas()->SetPixels(1, 1, clBlue);
  EXPECT_EQ(PixelAt(*source, 1, 1), clRed);
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  EXPECT_EQ(copy.Handle(), nullptr);
}

TEST(BitmapSize, ResizingKeepsTheTopLeftAndFillsWithTheBrush) {
  const TRaster pixels = RandomPixels(4, 3, 11);
  auto bitmap = BitmapOf(pixels);
  bitmap->Canvas()->Brush()->SetColor(clRed);
  bitmap->SetSize(6, 2);
  const TRaster resized = bitmap->ToRaster();
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(resized.At(x, y), pixels.At(x, y)) << x << "," << y;
    for (int x = 4; x < 6; ++x) EXPECT_EQ(resized.At(x, y), 0xFFFF0000u) << x << "," << y;
  }
  bitmap->SetHeight(0);
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(bitmap->Width(), 6);
  bitmap->SetHeight(1);
  EXPECT_FALSE(bitmap->Empty());
  EXPECT_EQ(PixelAt(*bitmap, 0, 0), clRed);
  EXPECT_THROW(bitmap->SetWidth(-1), EInvalidGraphic);
  EXPECT_THROW(bitmap->SetSize(100000, 1), EOutOfResources);
  EXPECT_EQ(bitmap->Width(), 6);
  TBitmap fresh;
  fresh.SetSize(2, 2);
  EXPECT_EQ(PixelAt(fresh, 1, 1), clWhite);
}

TEST(BitmapCanvas, DrawingChangesPixelsAndTellsOnChange) {
  TBitmap bitmap;
  bitmap.SetSize(10, 10);
  int changes = 0;
  bitmap.SetOnChange([&](TObject* Sender) {
    EXPECT_EQ(Sender, &bitmap);
    ++changes;
  });
  bitmap.Canvas()->Brush()->SetColor(clBlue);
  bitmap.Canvas()->FillRect(Rect(2, 2, 5, 5));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bitmap.ToRaster().At(3, 3), 0xFF0000FFu);
  EXPECT_EQ(bitmap.ToRaster().At(5, 5), 0xFFFFFFFFu);
  bitmap.SetSize(12, 10);
  EXPECT_EQ(changes, 2);
  // The canvas follows the new pixels.
  bitmap.Canvas()->SetPixels(11, 9, clRed);
  EXPECT_EQ(bitmap.ToRaster().At(11, 9), 0xFFFF0000u);
  EXPECT_EQ(bitmap.ToRaster().At(3, 3), 0xFF0000FFu);
  EXPECT_TRUE(bitmap.Modified());
}

TEST(BitmapCanvas, DrawingAtALowDepthReducesBeforeThePixelsAreSeen) {
  TBitmap bitmap;
  bitmap.SetSize(4, 4);
  bitmap.SetPixelFormat(pf4bit);
  bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(0x1010F0)); // nearly red
  bitmap.Canvas()->FillRect(Rect(0, 0, 4, 4));
  EXPECT_EQ(bitmap.ToRaster().At(2, 2), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(bitmap, 1, 1), clRed);
}

TEST(BitmapTransparency, AutoColourIsTheBottomLeftPixel) {
  TRaster pixels = RandomPixels(3, 3, 4);
  pixels.At(0, 2) = 0xFF102030u;
  auto bitmap = BitmapOf(pixels);
  EXPECT_EQ(bitmap->TransparentMode(), tmAuto);
  EXPECT_EQ(bitmap->TransparentColor(), static_cast<TColor>(0x302010));
  bitmap->SetTransparentColor(clFuchsia);
  EXPECT_EQ(bitmap->TransparentMode(), tmFixed);
  EXPECT_EQ(bitmap->TransparentColor(), clFuchsia);
  bitmap->SetTransparentMode(tmAuto);
  EXPECT_EQ(bitmap->TransparentColor(), static_cast<TColor>(0x302010));
  bitmap->SetTransparentMode(tmFixed);
  EXPECT_EQ(bitmap->TransparentColor(), static_cast<TColor>(0x302010));
  bitmap->SetTransparentColor(clDefault);
  EXPECT_EQ(bitmap->TransparentMode(), tmAuto);
}

TEST(BitmapTransparency, TransparentDrawLeavesTheBackgroundWhereTheColourWas) {
  TBitmap sprite;
  sprite.SetSize(4, 4);
  sprite.Canvas()->Brush()->SetColor(clWhite);
  sprite.Canvas()->FillRect(Rect(0, 0, 4, 4));
  sprite.Canvas()->Brush()->SetColor(clRed);
  sprite.Canvas()->FillRect(Rect(1, 1, 3, 3));
  TBitmap target;
  target.SetSize(10, 10);
  target.Canvas()->Brush()->SetColor(clBlue);
  target.Canvas()->FillRect(Rect(0, 0, 10, 10));

  target.Canvas()->Draw(0, 0, &sprite);
  EXPECT_EQ(PixelAt(target, 0, 0), clWhite);
  sprite.SetTransparent(true);
  target.Canvas()->Draw(5, 5, &sprite);
  ExpectPixels(target, {{5, 5, clBlue}, {6, 6, clRed}, {8, 8, clBlue}});
  // Stretched, twice the size: the red square covers 2..5.
  target.Canvas()->FillRect(Rect(0, 0, 10, 10));
  target.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &sprite);
  ExpectPixels(target, {{1, 1, clBlue}, {2, 2, clRed}, {5, 5, clRed}, {6, 6, clBlue}});
  // A fixed colour: now the red goes and the white stays.
  sprite.SetTransparentColor(clRed);
  target.Canvas()->Draw(0, 0, &sprite);
  ExpectPixels(target, {{0, 0, clWhite}, {1, 1, clBlue}});
}

TEST(BitmapTransparency, MaskIsWhiteWhereTheTransparentColourIs) {
  TRaster pixels(2, 2);
  pixels.Pixels = {0xFFFF0000u, 0xFF00FF00u, 0xFFFF0000u, 0xFF0000FFu};
  auto bitmap = BitmapOf(pixels);
  const HBITMAP mask = bitmap->MaskHandle();
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(bitmap->MaskHandle(), mask);
  BITMAP info;
  ASSERT_EQ(GetObject(mask, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmBitsPixel, 1);
  bitmap->Mask(clRed);
  EXPECT_TRUE(bitmap->Monochrome());
  ExpectPixels(*bitmap, {{0, 0, clWhite}, {1, 0, clBlack}, {0, 1, clWhite}, {1, 1, clBlack}});
}

TEST(BitmapAlpha, TranslucentPixelsBlendWhenDrawn) {
  TRaster pixels(2, 1);
  pixels.Pixels = {0x80FF0000u, 0x00FF0000u};
  pixels.HasAlpha = true;
  auto sprite = BitmapOf(pixels);
  TBitmap target;
  target.SetSize(2, 1);
  target.Canvas()->Brush()->SetColor(clBlue);
  target.Canvas()->FillRect(Rect(0, 0, 2, 1));
  target.Canvas()->Draw(0, 0, sprite.get());
  EXPECT_EQ(target.ToRaster().At(0, 0), 0xFF80007Fu);
  EXPECT_EQ(target.ToRaster().At(1, 0), 0xFF0000FFu);
}

TEST(BitmapResources, LoadByNameIgnoringCase) {
  TBitmap bitmap;
  bitmap.LoadFromResourceName(nullptr, "glyphstrip4");
  EXPECT_EQ(bitmap.Width(), 18);
  EXPECT_EQ(bitmap.Height(), 8);
  EXPECT_EQ(bitmap.PixelFormat(), pf4bit);
  EXPECT_EQ(bitmap.ColorTable().size(), 16u);
  ExpectPixels(bitmap, {{2, 3, clRed}, {0, 0, clSilver}});
  // A glyph cut from the strip with CopyRect.
  TBitmap glyph;
  glyph.SetSize(6, 8);
  glyph.Canvas()->CopyRect(Rect(0, 0, 6, 8), bitmap.Canvas(), Rect(6, 0, 12, 8));
  ExpectPixels(glyph, {{2, 1, clBlue}, {2, 3, clSilver}});
  ExpectError<EResNotFound>([&] { bitmap.LoadFromResourceName(nullptr, "NoSuchStrip"); },
                            "Resource NoSuchStrip not found");
  EXPECT_EQ(bitmap.Width(), 18);
  EXPECT_THROW(bitmap.LoadFromResourceID(nullptr, 4711), EResNotFound);
}

TEST(BitmapErrors, CorruptFilesRaiseAndChangeNothing) {
  TTempFolder folder("bitmap_corrupt");
  auto bitmap = BitmapOf(RandomPixels(3, 3, 6));
  const TRaster before = bitmap->ToRaster();
  auto bytes = ReadFileBytes((BmpSuite / "g" / "pal8.bmp").string());
  bytes.resize(bytes.size() / 2);
  const String truncated = folder.File("truncated.bmp");
  ReplaceFileContents(truncated, bytes);
  try {
    bitmap->LoadFromFile(truncated);
    FAIL() << "loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_TRUE(e.Message().starts_with("Bitmap image is not valid: BMP: truncated pixel data"))
        << e.Message();
    EXPECT_NE(e.Message().find(truncated), String::npos);
  }
  const String text = folder.File("text.bmp");
  ReplaceFileContents(text, std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o'});
  EXPECT_THROW(bitmap->LoadFromFile(text), EInvalidGraphic);
  EXPECT_THROW(bitmap->LoadFromFile(folder.File("missing.bmp")), EFOpenError);
  EXPECT_EQ(bitmap->ToRaster().Pixels, before.Pixels);
  EXPECT_EQ(bitmap->PixelFormat(), pf24bit);
}

TEST(BitmapFiles, SavingNeverLeavesHalfAFile) {
  TTempFolder folder("bitmap_save");
  auto bitmap = BitmapOf(RandomPixels(4, 4, 1));
  const String path = folder.File("picture.bmp");
  bitmap->SaveToFile(path);
  const auto saved = ReadFileBytes(path);
  // A folder in the way: the save fails and leaves no temporary file behind.
  std::filesystem::create_directories(folder.Path / "blocked.bmp" / "inside");
  EXPECT_ANY_THROW(bitmap->SaveToFile(folder.File("blocked.bmp")));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"blocked.bmp", "picture.bmp"}));
  EXPECT_ANY_THROW(bitmap->SaveToFile(folder.File("no/such/folder.bmp")));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"blocked.bmp", "picture.bmp"}));
  EXPECT_EQ(ReadFileBytes(path), saved);
  // An empty bitmap and an empty file stand for each other.
  TBitmap empty;
  empty.SaveToFile(path);
  EXPECT_TRUE(ReadFileBytes(path).empty());
  bitmap->LoadFromFile(path);
  EXPECT_TRUE(bitmap->Empty());
}

TEST(BitmapScanLines, RowsInTheBitmapsOwnLayout) {
  TRaster pixels(3, 2);
  pixels.Pixels = {0xFF010203u, 0xFF040506u, 0xFF070809u, 0xFF0A0B0Cu, 0xFF0D0E0Fu, 0xFF101112u};
  auto bitmap = BitmapOf(pixels, pf24bit);
  auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(1));
  EXPECT_EQ(row[0], 0x0C); // blue, green, red
  EXPECT_EQ(row[2], 0x0A);
  EXPECT_EQ(row[3], 0x0F);
  row[0] = 0xFF;
  EXPECT_EQ(static_cast<std::uint8_t*>(bitmap->ScanLine(0))[0], 0x03);
  EXPECT_EQ(bitmap->ToRaster().At(0, 1), 0xFF0A0BFFu);

  bitmap->SetPixelFormat(pf8bit);
  auto* indices = static_cast<std::uint8_t*>(bitmap->ScanLine(0));
  indices[1] = 9; // red in the standard table
  EXPECT_EQ(PixelAt(*bitmap, 1, 0), clRed);

  bitmap->SetPixelFormat(pf32bit);
  auto* live = static_cast<std::uint32_t*>(bitmap->ScanLine(1));
  live[2] = 0xFF00FF00u;
  EXPECT_EQ(PixelAt(*bitmap, 2, 1), clLime);
  ExpectError<EInvalidGraphic>([&] { bitmap->ScanLine(2); }, "Scan line index out of range");
  EXPECT_THROW(bitmap->ScanLine(-1), EInvalidGraphic);
}

TEST(BitmapHandles, ReleaseAndTakeOver) {
  auto bitmap = BitmapOf(RandomPixels(3, 2, 12));
  const TRaster pixels = bitmap->ToRaster();
  const HBITMAP released = bitmap->ReleaseHandle();
  ASSERT_NE(released, nullptr);
  EXPECT_NE(bitmap->Handle(), released);
  EXPECT_EQ(bitmap->ToRaster().Pixels, pixels.Pixels);
  TBitmap other;
  other.SetHandle(released);
  EXPECT_EQ(other.Width(), 3);
  EXPECT_EQ(other.PixelFormat(), pfDevice);
  EXPECT_EQ(other.ToRaster().Pixels, pixels.Pixels);
  const HBITMAP mono = CreateBitmap(8, 1, 1, 1, nullptr);
  other.SetHandle(mono);
  EXPECT_EQ(other.PixelFormat(), pf1bit);
  EXPECT_THROW(other.SetHandle(reinterpret_cast<HBITMAP>(std::uintptr_t{12345})), EInvalidGraphic);
  EXPECT_EQ(other.Width(), 8);
  other.SetHandle(nullptr);
  EXPECT_TRUE(other.Empty());
}

TEST(BitmapFiles, PngOfTheBitmap) {
  TTempFolder folder("bitmap_png");
  auto bitmap = BitmapOf(RandomPixels(5, 3, 7));
  bitmap->SaveToPngFile(folder.File("look.png"));
  EXPECT_EQ(ReadPngFile(folder.File("look.png")).Pixels, bitmap->ToRaster().Pixels);
  auto translucent = BitmapOf(RandomPixels(5, 3, 7, true));
  translucent->SaveToPngFile(folder.File("alpha.png"));
  const TRaster read = ReadPngFile(folder.File("alpha.png"));
  EXPECT_TRUE(read.HasAlpha);
  EXPECT_EQ(read.Pixels, translucent->ToRaster().Pixels);
  TBitmap empty;
  EXPECT_THROW(empty.SaveToPngFile(folder.File("empty.png")), EInvalidGraphic);
}

TEST(BitmapStreams, EveryDepthRoundTripsAndBitmapsFollowEachOther) {
  TMemoryStream stream;
  std::vector<TRaster> written;
  for (const TDepth depth : Depths) {
    auto bitmap = BitmapOf(RandomPixels(11, 3, static_cast<unsigned>(depth.Format)));
    bitmap->SetPixelFormat(depth.Format);
    written.push_back(bitmap->ToRaster());
    const std::uint8_t yes = 'Y';
    stream.WriteBuffer(&yes, 1);
    bitmap->SaveToStream(&stream);
  }
  stream.SetPosition(0);
  for (std::size_t i = 0; i < written.size(); ++i) {
    SCOPED_TRACE("format " + std::to_string(Depths[i].Format));
    std::uint8_t marker = 0;
    stream.ReadBuffer(&marker, 1);
    EXPECT_EQ(marker, 'Y');
    TBitmap bitmap;
    bitmap.LoadFromStream(&stream);
    EXPECT_EQ(bitmap.PixelFormat(), Depths[i].Format);
    EXPECT_EQ(bitmap.ToRaster().Pixels, written[i].Pixels);
  }
  EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(BitmapStreams, EmptyBitmapsWriteNothingAndCorruptStreamsChangeNothing) {
  TMemoryStream stream;
  TBitmap empty;
  empty.SaveToStream(&stream);
  EXPECT_EQ(stream.Size(), 0);
  auto bitmap = BitmapOf(RandomPixels(2, 2, 3));
  const TRaster before = bitmap->ToRaster();
  stream.WriteBuffer("BM", 2);
  stream.SetPosition(0);
  EXPECT_THROW(bitmap->LoadFromStream(&stream), EInvalidGraphic);
  stream.SetSize(0);
  bitmap->SaveToStream(&stream);
  stream.SetSize(stream.Size() - 5);
  stream.SetPosition(0);
  try {
    bitmap->LoadFromStream(&stream);
    FAIL() << "loaded";
  } catch (const EInvalidGraphic& e) {
    EXPECT_TRUE(e.Message().starts_with("Bitmap image is not valid: BMP: truncated"))
        << e.Message();
  }
  EXPECT_EQ(bitmap->ToRaster().Pixels, before.Pixels);
  stream.SetPosition(stream.Size());
  bitmap->LoadFromStream(&stream);
  EXPECT_TRUE(bitmap->Empty());
}
