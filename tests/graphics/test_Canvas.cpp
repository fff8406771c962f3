#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Graphic.h"
#include "tests/rtl/ErrorTesting.h"
#include "tests/win32/DcTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Black = RGB(0, 0, 0);

String FaceOf(HDC dc) {
  char face[LF_FACESIZE];
  GetTextFaceA(dc, sizeof face, face);
  return face;
}

class CanvasTest : public ::testing::Test {
protected:
  void SetUp() override {
    UsePackagedFonts();
    Canvas.SetHandle(Dc.Dc);
  }
  void TearDown() override { Canvas.SetHandle(nullptr); }

  std::vector<COLORREF> TextPixels(const String& text) {
    Dc.Clear();
    Canvas.TextOut(5, 5, text);
    return Dc.Pixels();
  }

  TMemoryDc Dc{120, 40};
  TCanvas Canvas;
};

TEST(CanvasWithoutHandleTest, DrawingNeedsADc) {
  TCanvas canvas;
  EXPECT_FALSE(canvas.HandleAllocated());
  ExpectError<EInvalidOperation>([&] { canvas.LineTo(3, 3); }, "Canvas does not allow drawing");
  EXPECT_THROW(canvas.TextWidth("x"), EInvalidOperation);
  EXPECT_TRUE(canvas.State().Empty());
}

TEST_F(CanvasTest, ToolsAreSelectedWhenNeededAndDroppedWhenTheyChange) {
  EXPECT_EQ(Canvas.State(), TCanvasState{csHandleValid});
  Canvas.MoveTo(1, 1);
  EXPECT_EQ(Canvas.State(), TCanvasState{csHandleValid});
  Canvas.LineTo(10, 1);
  EXPECT_EQ(Canvas.State(), (TCanvasState{csHandleValid, csPenValid, csBrushValid}));
  EXPECT_EQ(GetCurrentObject(Dc.Dc, OBJ_PEN), Canvas.Pen()->Handle());
  Canvas.TextOut(0, 10, "x");
  EXPECT_TRUE(Canvas.State().Contains(csFontValid));
  EXPECT_EQ(GetCurrentObject(Dc.Dc, OBJ_FONT), Canvas.Font()->Handle());
  Canvas.Pen()->SetColor(clRed);
  EXPECT_FALSE(Canvas.State().Contains(csPenValid));
  EXPECT_EQ(GetCurrentObject(Dc.Dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  Canvas.Brush()->SetStyle(bsClear);
  EXPECT_FALSE(Canvas.State().Contains(csBrushValid));
  Canvas.Refresh();
  EXPECT_EQ(Canvas.State(), TCanvasState{csHandleValid});
  EXPECT_EQ(GetCurrentObject(Dc.Dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
}

TEST_F(CanvasTest, AFontSelectedIntoTheHandleStaysUntilTheCanvasFontChanges) {
  Canvas.Font()->SetName("Arial");
  Canvas.Font()->SetSize(12);
  const std::vector<COLORREF> arial = TextPixels("Lazy text");
  HFONT own = CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New");
  SelectObject(Canvas.Handle(), own);
  const std::vector<COLORREF> courier = TextPixels("Lazy text");
  EXPECT_NE(courier, arial);
  EXPECT_EQ(FaceOf(Dc.Dc), "Courier New");
  // What the canvas measures is the font in effect.
  SIZE size;
  GetTextExtentPoint32A(Dc.Dc, "Lazy text", 9, &size);
  EXPECT_EQ(Canvas.TextWidth("Lazy text"), size.cx);
  Canvas.Font()->SetColor(clBlack); // a change of the canvas's font, even of its colour
  EXPECT_EQ(FaceOf(Dc.Dc), "System");
  EXPECT_EQ(TextPixels("Lazy text"), arial);
  EXPECT_EQ(FaceOf(Dc.Dc), "Arial");
  EXPECT_TRUE(DeleteObject(own));
}

TEST_F(CanvasTest, AFontSelectedBeforeTheFirstTextCallStaysToo) {
  Canvas.Font()->SetName("Arial");
  const std::vector<COLORREF> arial = TextPixels("Early");
  Canvas.SetHandle(nullptr);
  Canvas.SetHandle(Dc.Dc);
  Canvas.Font()->SetColor(clRed);
  HFONT own = CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New");
  HGDIOBJ kept = SelectObject(Canvas.Handle(), own);
  const std::vector<COLORREF> courier = TextPixels("Early");
  EXPECT_NE(courier, arial);
  EXPECT_EQ(FaceOf(Dc.Dc), "Courier New");
  EXPECT_EQ(GetTextColor(Dc.Dc), Red); // the canvas font's colour all the same
  EXPECT_TRUE(Canvas.State().Contains(csFontValid));
  SelectObject(Canvas.Handle(), kept);
  Canvas.Font()->SetColor(clBlack);
  EXPECT_EQ(TextPixels("Early"), arial);
  // A change of the canvas's font after the selection wins over it.
  Canvas.SetHandle(nullptr);
  Canvas.SetHandle(Dc.Dc);
  SelectObject(Canvas.Handle(), own);
  Canvas.Font()->SetStyle({fsBold});
  TextPixels("Early");
  EXPECT_EQ(FaceOf(Dc.Dc), "Arial");
  EXPECT_TRUE(DeleteObject(own));
}

TEST_F(CanvasTest, TextOutPaintsTheBackgroundAsTheBrushSays) {
  Canvas.Brush()->SetColor(clRed);
  Canvas.TextOut(10, 5, "Back");
  const TSize size = Canvas.TextExtent("Back");
  EXPECT_EQ(Dc.BoxOf(Red), (TRect{10, 5, 10 + size.cx, 5 + size.cy}));
  EXPECT_GT(Dc.Count(Red), size.cx * size.cy / 2);
  EXPECT_EQ(Canvas.PenPos(), (TPoint{10 + size.cx, 5}));
  Dc.Clear();
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.TextOut(10, 5, "Back");
  EXPECT_EQ(Dc.Count(Red), 0);
  EXPECT_GT(Dc.CountOthers(WhiteRef, WhiteRef), 10);
  Dc.Clear();
  Canvas.Brush()->SetColor(clRed);
  Canvas.Brush()->SetStyle(bsCross); // hatched brushes leave text backgrounds alone
  Canvas.TextOut(10, 5, "Back");
  EXPECT_EQ(Dc.Count(Red), 0);
  EXPECT_EQ(GetBkMode(Dc.Dc), TRANSPARENT);
}

TEST_F(CanvasTest, TextRectClipsAndFillsItsRectangle) {
  Canvas.Brush()->SetColor(clRed);
  Canvas.TextRect(Rect(20, 10, 50, 30), 22, 12, "A long text that does not fit");
  EXPECT_EQ(Dc.InkBox(), (TRect{20, 10, 50, 30}));
  Dc.Clear();
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.TextRect(Rect(20, 10, 50, 30), 22, 12, "A long text that does not fit");
  const TRect ink = *Dc.InkBox();
  EXPECT_GE(ink.Left, 20);
  EXPECT_LE(ink.Right, 50);
  EXPECT_EQ(Dc.Count(Red), 0);
}

TEST_F(CanvasTest, FillRectFrameRectAndPixels) {
  Canvas.Brush()->SetColor(clBtnShadow);
  Canvas.FillRect(Rect(2, 3, 12, 8));
  EXPECT_EQ(Dc.InkBox(), (TRect{2, 3, 12, 8}));
  EXPECT_EQ(Dc.Count(RGB(128, 128, 128)), 50);
  Dc.Clear();
  Canvas.Brush()->SetColor(clRed);
  Canvas.FrameRect(Rect(2, 3, 12, 8));
  EXPECT_EQ(Dc.Count(Red), 2 * 10 + 2 * 3);
  Canvas.SetPixels(30, 20, clBtnFace);
  EXPECT_EQ(Canvas.Pixels(30, 20), static_cast<TColor>(RGB(192, 192, 192)));
  EXPECT_EQ(Canvas.Pixels(31, 20), clWhite);
}

TEST_F(CanvasTest, PenModeAndShapes) {
  Canvas.Pen()->SetMode(pmXor);
  Canvas.Pen()->SetColor(clWhite);
  Canvas.MoveTo(0, 5);
  Canvas.LineTo(50, 5);
  EXPECT_EQ(Dc.Count(Black), 50); // white xor white
  Canvas.MoveTo(0, 5);
  Canvas.LineTo(50, 5);
  EXPECT_EQ(Dc.InkBox(), std::nullopt);
  Canvas.Pen()->SetMode(pmCopy);
  Canvas.Pen()->SetColor(clBlack);
  Canvas.Brush()->SetColor(clRed);
  Canvas.Rectangle(10, 10, 20, 20);
  EXPECT_EQ(Dc.Count(Red), 64);
  EXPECT_EQ(Dc.Count(Black), 36);
  const TPoint triangle[] = {{30, 10}, {40, 10}, {30, 20}};
  Canvas.Polygon(triangle);
  EXPECT_EQ(*Dc.InkBox(), (TRect{10, 10, 41, 21}));
}

TEST_F(CanvasTest, FloodFillByBorderOrSurface) {
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.Rectangle(10, 10, 30, 30);
  Canvas.Brush()->SetColor(clRed);
  Canvas.FloodFill(20, 20, clBlack, fsBorder);
  EXPECT_EQ(Dc.Count(Red), 18 * 18);
  Canvas.Brush()->SetColor(clLime);
  Canvas.FloodFill(20, 20, clRed, fsSurface);
  EXPECT_EQ(Dc.Count(Red), 0);
  EXPECT_EQ(Dc.Count(RGB(0, 255, 0)), 18 * 18);
}

TEST_F(CanvasTest, CopyRectUsesTheCopyMode) {
  TMemoryDc source(20, 20);
  TCanvas from;
  from.SetHandle(source.Dc);
  from.Brush()->SetColor(clRed);
  from.FillRect(Rect(0, 0, 10, 20));
  Canvas.CopyRect(Rect(0, 0, 20, 20), &from, Rect(0, 0, 20, 20));
  EXPECT_EQ(Dc.Count(Red), 200);
  Canvas.SetCopyMode(cmNotSrcCopy);
  Canvas.CopyRect(Rect(40, 0, 60, 20), &from, Rect(0, 0, 20, 20));
  EXPECT_EQ(Dc.Count(RGB(0, 255, 255)), 200);
  EXPECT_EQ(Dc.Count(Black), 200);
  Canvas.SetCopyMode(cmSrcInvert);
  Canvas.CopyRect(Rect(0, 0, 20, 20), &from, Rect(0, 0, 20, 20));
  EXPECT_EQ(Dc.Count(Red), 0);
  // Stretched: the left half of the source fills the whole destination.
  Canvas.SetCopyMode(cmSrcCopy);
  Canvas.CopyRect(Rect(80, 0, 120, 20), &from, Rect(0, 0, 10, 20));
  EXPECT_EQ(Dc.Count(Red), 800);
  EXPECT_THROW(Canvas.CopyRect(Rect(0, 0, 1, 1), nullptr, Rect(0, 0, 1, 1)), EInvalidOperation);
  from.SetHandle(nullptr);
}

// A 4 x 2 bitmap: the left half blue, the right half black.
void PaintHalves(TBitmap& bitmap) {
  bitmap.SetSize(4, 2);
  bitmap.Canvas()->Brush()->SetColor(clBlue);
  bitmap.Canvas()->FillRect(Rect(0, 0, 2, 2));
  bitmap.Canvas()->Brush()->SetColor(clBlack);
  bitmap.Canvas()->FillRect(Rect(2, 0, 4, 2));
}

TEST_F(CanvasTest, BrushCopyPaintsTheBrushWhereTheBitmapHasTheColour) {
  TBitmap bitmap;
  PaintHalves(bitmap);
  Canvas.Brush()->SetColor(clRed);
  Canvas.BrushCopy(Rect(10, 10, 18, 14), &bitmap, Rect(0, 0, 4, 2), clBlack);
  EXPECT_EQ(Dc.Count(RGB(0, 0, 255)), 16); // stretched to 8 x 4: the blue half stays
  EXPECT_EQ(Dc.Count(Red), 16);            // the black half shows the brush
  EXPECT_EQ(Dc.InkBox(), (TRect{10, 10, 18, 14}));
  EXPECT_THROW(Canvas.BrushCopy(Rect(0, 0, 1, 1), nullptr, Rect(0, 0, 1, 1), clBlack),
               EInvalidOperation);
}

TEST_F(CanvasTest, ABrushBitmapPaintsItsPattern) {
  TBitmap bitmap;
  PaintHalves(bitmap);
  Canvas.Brush()->SetBitmap(&bitmap);
  Canvas.FillRect(Rect(0, 0, 8, 2));
  EXPECT_EQ(Dc.Count(RGB(0, 0, 255)), 8); // columns 0, 1, 4, 5 of both rows
  EXPECT_EQ(Dc.Count(Black), 8);
  Canvas.Brush()->SetBitmap(nullptr);
  Canvas.Brush()->SetColor(clRed);
  Canvas.FillRect(Rect(0, 0, 8, 2));
  EXPECT_EQ(Dc.Count(Red), 16);
}

TEST_F(CanvasTest, OperationsTellOnChangingAndOnChange) {
  std::vector<String> calls;
  Canvas.SetOnChanging([&](TObject*) { calls.push_back("changing"); });
  Canvas.SetOnChange([&](TObject*) { calls.push_back("change"); });
  Canvas.MoveTo(0, 0);
  Canvas.TextWidth("abc");
  EXPECT_TRUE(calls.empty());
  Canvas.LineTo(5, 5);
  Canvas.TextOut(0, 0, "a");
  EXPECT_EQ(calls, (std::vector<String>{"changing", "change", "changing", "change"}));
}

// A picture that fills what it is drawn into, for Draw and StretchDraw.
class TSwatch : public TGraphic {
public:
  bool Empty() const override { return FWidth == 0; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int Value) override { FWidth = Value; }
  void SetHeight(int Value) override { FHeight = Value; }
  void LoadFromStream(TStream*) override {}
  void SaveToStream(TStream*) override {}
  void LoadFromFile(const String&) override {}
  void SaveToFile(const String&) override {}
  void Touch() { Changed(this); }
  TRect Drawn;

protected:
  void Draw(TCanvas* ACanvas, const TRect& Rect) override {
    Drawn = Rect;
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    ::FillRect(ACanvas->Handle(), &Rect, red);
    DeleteObject(red);
  }

private:
  int FWidth = 6;
  int FHeight = 4;
};

TEST_F(CanvasTest, DrawAndStretchDrawHandTheRectangleToThePicture) {
  TSwatch swatch;
  Canvas.Draw(3, 5, &swatch);
  EXPECT_EQ(swatch.Drawn, (TRect{3, 5, 9, 9}));
  EXPECT_EQ(Dc.Count(Red), 24);
  Canvas.StretchDraw(Rect(20, 0, 40, 10), &swatch);
  EXPECT_EQ(Dc.Count(Red), 24 + 200);
  swatch.SetWidth(0);
  swatch.Drawn = TRect{};
  Canvas.Draw(0, 0, &swatch);
  Canvas.Draw(0, 0, nullptr);
  EXPECT_EQ(swatch.Drawn, TRect{});
}

TEST(GraphicTest, ChangesMarkThePictureModified) {
  TSwatch swatch;
  int changes = 0;
  swatch.SetOnChange([&](TObject* sender) {
    EXPECT_EQ(sender, &swatch);
    ++changes;
  });
  EXPECT_FALSE(swatch.Modified());
  swatch.SetTransparent(true);
  swatch.SetTransparent(true);
  EXPECT_TRUE(swatch.Transparent());
  EXPECT_TRUE(swatch.Modified());
  swatch.SetModified(false);
  EXPECT_FALSE(swatch.Modified());
  swatch.Touch();
  EXPECT_EQ(changes, 2);
}

TEST_F(CanvasTest, HandleChangesAndDestructionLeaveTheDcWithStockObjects) {
  HFONT font;
  HPEN pen;
  {
    TCanvas canvas;
    canvas.SetHandle(Dc.Dc);
    canvas.Font()->SetName("Arial");
    canvas.TextOut(0, 0, "x");
    canvas.LineTo(3, 3);
    font = canvas.Font()->Handle();
    pen = canvas.Pen()->Handle();
    EXPECT_EQ(GetCurrentObject(Dc.Dc, OBJ_FONT), font);
  }
  EXPECT_EQ(GetCurrentObject(Dc.Dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetCurrentObject(Dc.Dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetObjectType(font), 0u);
  EXPECT_EQ(GetObjectType(pen), 0u);
  Canvas.Font()->SetName("Arial");
  Canvas.TextOut(0, 0, "x");
  TMemoryDc other(10, 10);
  Canvas.SetHandle(other.Dc);
  EXPECT_EQ(GetCurrentObject(Dc.Dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(Canvas.State(), TCanvasState{csHandleValid});
  EXPECT_EQ(Canvas.Handle(), other.Dc);
  Canvas.SetHandle(nullptr);
}

TEST_F(CanvasTest, AssigningToolsCopiesThemAndLocksNest) {
  TFont font;
  font.SetName("Courier New");
  Canvas.SetFont(&font);
  EXPECT_EQ(Canvas.Font()->Name(), "Courier New");
  EXPECT_NE(Canvas.Font(), &font);
  TPen pen;
  pen.SetWidth(4);
  Canvas.SetPen(&pen);
  EXPECT_EQ(Canvas.Pen()->Width(), 4);
  Canvas.Lock();
  EXPECT_TRUE(Canvas.TryLock());
  EXPECT_EQ(Canvas.LockCount(), 2);
  Canvas.Unlock();
  Canvas.Unlock();
  EXPECT_THROW(Canvas.Unlock(), EInvalidOperation);
  EXPECT_EQ(Canvas.ClipRect(), (TRect{0, 0, 120, 40}));
}

} // namespace
