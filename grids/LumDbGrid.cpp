#include "grids/LumDbGrid.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Application.h"
#include "framework/db/DataSet.h"
#include "framework/graphics/Bitmap.h"
#include "grids/LumGrid.h"

#include <algorithm>

namespace {

const bool LumDbGridRegistered = (RegisterClass<TLumDBGrid, TLumDBGridForm>(), true);

// Pictures kept at most; past that the cache starts again.
constexpr std::size_t PictureCacheSize = 64;

bool IsMemoField(const TField* AField) {
  return AField->DataType() == ftMemo || AField->DataType() == ftFmtMemo;
}

const String* BlobBytes(const TField* AField) { return std::get_if<String>(&AField->Data()); }

// The speed buttons' glyphs: a small picture in the middle, or one filling the frame.
std::unique_ptr<TBitmap> PlacementGlyph(bool Fitted) {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetSize(16, 16);
  TCanvas* canvas = glyph->Canvas();
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(Rect(0, 0, 16, 16));
  canvas->Brush()->SetColor(clBlack);
  canvas->FrameRect(Rect(1, 1, 15, 15));
  canvas->Brush()->SetColor(clNavy);
  canvas->FillRect(Fitted ? Rect(3, 3, 13, 13) : Rect(6, 6, 10, 10));
  return glyph;
}

template <class C> C* Child(TForm* Form, TWinControl* Parent, const char* Name) {
  auto* control = new C(Form);
  control->SetName(Name);
  control->SetParent(Parent);
  return control;
}

} // namespace

bool IsViewerField(const TField* AField) {
  return AField && (IsMemoField(AField) || AField->DataType() == ftGraphic);
}

// The viewer window.

TLumDBGridForm::TLumDBGridForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("LumDBGridForm");
  SetBorderStyle(bsDialog);
  SetClientWidth(332);
  SetClientHeight(341);
  Panel1 = Child<TPanel>(this, this, "Panel1");
  Panel1->SetCaption("");
  Panel1->SetAlign(alBottom);
  Panel1->SetHeight(41);
  OKButton = Child<TBitBtn>(this, Panel1, "OKButton");
  OKButton->SetBounds(8, 8, 123, 25);
  OKButton->SetModalResult(mrOk);
  CancelButton = Child<TBitBtn>(this, Panel1, "CancelButton");
  CancelButton->SetKind(bkCancel);
  CancelButton->SetBounds(200, 8, 123, 25);
  CancelButton->SetVisible(false);
  Kartei = Child<TPageControl>(this, this, "Kartei");
  Kartei->SetAlign(alClient);
  Grafikseite = new TTabSheet(this);
  Grafikseite->SetName("Grafikseite");
  Grafikseite->SetCaption("Grafik");
  Grafikseite->SetPageControl(Kartei);
  Panel2 = Child<TPanel>(this, Grafikseite, "Panel2");
  Panel2->SetCaption("");
  Panel2->SetAlign(alRight);
  Panel2->SetWidth(36);
  ScrollBox1 = Child<TScrollBox>(this, Grafikseite, "ScrollBox1");
  ScrollBox1->SetAlign(alClient);
  Image1 = Child<TLumImage>(this, ScrollBox1, "Image1");
  Image1->SetAlign(alClient);
  Image1->SetImageType(btCenter);
  BuildPictureButtons();
  MemoSeite = new TTabSheet(this);
  MemoSeite->SetName("MemoSeite");
  MemoSeite->SetCaption("Memo");
  MemoSeite->SetPageControl(Kartei);
  Memo1 = Child<TMemo>(this, MemoSeite, "Memo1");
  Memo1->SetAlign(alClient);
  Memo1->SetScrollBars(ssVertical);
}

void TLumDBGridForm::BuildPictureButtons() {
  const struct {
    TSpeedButton*& Button;
    const char* Name;
    int Top;
    TLumImageTyp Type;
  } buttons[] = {{SB1, "SB1", 8, btCenter}, {SB2, "SB2", 32, btCenterOptimal}};
  for (const auto& b : buttons) {
    b.Button = Child<TSpeedButton>(this, Panel2, b.Name);
    b.Button->SetBounds(8, b.Top, 23, 22);
    b.Button->SetGroupIndex(1);
    b.Button->SetGlyphBitmap(PlacementGlyph(b.Type == btCenterOptimal).get());
    const TLumImageTyp type = b.Type;
    b.Button->SetOnClick([this, type](TObject*) { Image1->SetImageType(type); });
  }
  SB1->SetDown(true);
}

void TLumDBGridForm::Activate() {
  TForm::Activate();
  if (FFilled || !FField) return;
  FFilled = true;
  if (IsMemoField(FField))
    ShowMemo();
  else
    ShowPicture();
}

// A blob that holds no picture leaves the image empty.
void TLumDBGridForm::ShowPicture() {
  MemoSeite->SetTabVisible(false);
  Kartei->SetActivePage(Grafikseite);
  if (FField->IsNull()) return;
  try {
    Image1->Picture()->Assign(FField);
  } catch (const Exception&) {
    Image1->Picture()->Assign(nullptr);
  }
  Image1->Invalidate();
}

void TLumDBGridForm::ShowMemo() {
  Grafikseite->SetTabVisible(false);
  Kartei->SetActivePage(MemoSeite);
  Memo1->SetText(FField->AsString());
  Memo1->SetOnChange([this](TObject*) { MemoChange(); });
}

void TLumDBGridForm::MemoChange() {
  OKButton->SetCaption(FAcceptCaption);
  OKButton->SetModalResult(mrYes);
  CancelButton->SetVisible(true);
}

// The grid.

TLumDBGrid::TLumDBGrid(TComponent* AOwner) : TDBGrid(AOwner) {}

TLumDBGrid::~TLumDBGrid() = default;

TPicture* TLumDBGrid::PictureOf(TField* AField) {
  const String* bytes = BlobBytes(AField);
  if (!bytes || bytes->empty()) return nullptr;
  const auto cached = std::find_if(FPictures.begin(), FPictures.end(),
                                   [&](const TCachedPicture& P) { return P.Bytes == *bytes; });
  if (cached != FPictures.end()) return cached->Picture.get();
  if (FPictures.size() >= PictureCacheSize) FPictures.clear();
  auto picture = std::make_unique<TPicture>();
  try {
    picture->Assign(AField);
  } catch (const Exception&) {
    picture.reset();
  }
  if (picture && !picture->Graphic()) picture.reset();
  FPictures.push_back(TCachedPicture{*bytes, std::move(picture)});
  return FPictures.back().Picture.get();
}

void TLumDBGrid::DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column,
                                TGridDrawState State) {
  TField* field = Column ? Column->Field() : nullptr;
  if (field && IsMemoField(field)) {
    MyWriteText(Canvas(), Rect, field->AsString(), taLeftJustify, 0);
  } else if (field && field->DataType() == ftGraphic) {
    Canvas()->FillRect(Rect);
    if (TPicture* picture = PictureOf(field)) Canvas()->StretchDraw(Rect, picture->Graphic());
  }
  TDBGrid::DrawColumnCell(Rect, DataCol, Column, State);
}

void TLumDBGrid::CellClick(TColumn* Column) {
  TField* field = Column ? Column->Field() : nullptr;
  if (!DataSource() || !IsViewerField(field)) return TDBGrid::CellClick(Column);
  ShowViewer(field);
}

// Accepting a changed memo puts the data set into edit mode and writes the text into the
// field; posting is left to the data set.
void TLumDBGrid::ShowViewer(TField* AField) {
  auto* viewer = CreateForm<TLumDBGridForm>(Application());
  try {
    viewer->SetBounds(FFormLeft, FFormTop, FFormWidth, FFormHeight);
    viewer->SetCaption(FFormCaption);
    viewer->OKButton->SetCaption(FFormOkCaption);
    viewer->CancelButton->SetCaption(FFormCancelCaption);
    viewer->SetAcceptCaption(FFormAcceptCaption);
    viewer->SetField(AField);
    if (viewer->ShowModal() == mrYes) {
      if (TDataSet* dataSet = DataSource()->DataSet()) {
        dataSet->Edit();
        AField->SetAsString(viewer->Memo1->Text());
      }
    }
  } catch (...) {
    viewer->Free();
    throw;
  }
  viewer->Free();
}
