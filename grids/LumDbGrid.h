#pragma once

#include "framework/controls/Buttons.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Forms.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panels.h"
#include "framework/controls/ScrollBox.h"
#include "framework/db/DBGrids.h"
#include "surfaces/LumImage.h"

#include <memory>
#include <vector>

// The viewer of a memo or picture field: the memo text, editable, or the picture, centred
// or fitted. A changed memo turns the OK button into the accept button (modal result Yes).
class TLumDBGridForm : public TForm {
  LUM_CLASS(TLumDBGridForm, TForm)
public:
  explicit TLumDBGridForm(TComponent* AOwner);

  TPanel* Panel1 = nullptr;
  TBitBtn* OKButton = nullptr;
  TBitBtn* CancelButton = nullptr;
  TPageControl* Kartei = nullptr;
  TTabSheet* Grafikseite = nullptr;
  TScrollBox* ScrollBox1 = nullptr;
  TLumImage* Image1 = nullptr;
  TTabSheet* MemoSeite = nullptr;
  TMemo* Memo1 = nullptr;
  TPanel* Panel2 = nullptr;
  TSpeedButton* SB1 = nullptr;
  TSpeedButton* SB2 = nullptr;

  void SetAcceptCaption(const String& Value) { FAcceptCaption = Value; }
  // The field shown once the window is activated.
  void SetField(TField* Value) { FField = Value; }

protected:
  // The first activation fills the page of the field's kind.
  void Activate() override;

private:
  void BuildPictureButtons();
  void ShowPicture();
  void ShowMemo();
  void MemoChange();

  String FAcceptCaption;
  TField* FField = nullptr;
  bool FFilled = false;
};

// A data grid that writes memo fields as wrapped text and draws picture fields stretched
// into their cells, and opens them in a viewer window when such a cell is clicked.
class TLumDBGrid : public TDBGrid {
  LUM_CLASS(TLumDBGrid, TDBGrid)
public:
  explicit TLumDBGrid(TComponent* AOwner);
  ~TLumDBGrid() override;

  LUM_PUBLISHED(String, FormCaption, FFormCaption, Field, NoDefault)
  LUM_PUBLISHED(String, FormOkCaption, FFormOkCaption, Field, NoDefault)
  LUM_PUBLISHED(String, FormCancelCaption, FFormCancelCaption, Field, NoDefault)
  LUM_PUBLISHED(String, FormAcceptCaption, FFormAcceptCaption, Field, NoDefault)
  LUM_PUBLISHED(Integer, FormLeft, FFormLeft, Field, Default(10))
  LUM_PUBLISHED(Integer, FormTop, FFormTop, Field, Default(10))
  LUM_PUBLISHED(Integer, FormWidth, FFormWidth, Field, Default(340))
  LUM_PUBLISHED(Integer, FormHeight, FFormHeight, Field, Default(340))

  // Pictures decoded so far (each different blob once).
  std::size_t CachedPictureCount() const { return FPictures.size(); }

protected:
  void DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column,
                      TGridDrawState State) override;
  // A memo or picture cell opens the viewer; any other is the standard click.
  void CellClick(TColumn* Column) override;

private:
  // A blob and what it decoded to; no picture when it holds none.
  struct TCachedPicture {
    String Bytes;
    std::unique_ptr<TPicture> Picture;
  };
  // The picture of the field's blob, decoded on first sight; null when it is none.
  TPicture* PictureOf(TField* AField);
  void ShowViewer(TField* AField);

  String FFormCaption;
  String FFormOkCaption = "&Ok";
  String FFormCancelCaption = "&Cancel";
  String FFormAcceptCaption = "&Accept";
  Integer FFormLeft = 10;
  Integer FFormTop = 10;
  Integer FFormWidth = 340;
  Integer FFormHeight = 340;
  std::vector<TCachedPicture> FPictures;
};

// Memo, formatted memo and picture fields open the viewer.
bool IsViewerField(const TField* AField);
