#include "demo/ValueEntryPage.h"

#include "core/Lumherk.h"
#include "demo/GridsPage.h"
#include "framework/controls/Application.h"
#include "framework/controls/Labels.h"
#include "framework/controls/StdCtrls.h"
#include "framework/db/Table.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/rtl/Strings.h"
#include "valueentry/LumMemoDialog1.h"
#include "valueentry/LumTaschenrechner.h"
#include "valueentry/LumTaschenrechner1.h"
#include "valueentry/Lumvaled.h"
#include "valueentry/Lumzln1.h"

#include <filesystem>
#include <iterator>

namespace {

struct TEntryKind {
  const char* Name;
  const char* Caption;
  TValEditTyp Kind;
  double Min;
  double Max;
  const char* Text;
};

constexpr TEntryKind Kinds[] = {
    {"binary", "&Binary (0 ... 255):", etBin, 0, 255, "1010"},
    {"decimal", "&Decimal (0 ... 100):", etDouble, 0, 100, "12.50"},
    {"exponent", "E&xponent (-1E6 ... 1E6):", etExponent, -1e6, 1e6, "1.25E+03"},
    {"list entry", "&List entry:", etFilter, 0, 0, "grün"},
    {"hexadecimal", "&Hexadecimal (0 ... FFFF):", etHex, 0, 0xFFFF, "FF"},
    {"whole number", "&Whole number (-50 ... 50):", etLongInt, -50, 50, "-7"},
    {"text", "&Text:", etString, 0, 0, "Lum"},
};

constexpr int RowHeight = 30, RightColumn = 316, RightWidth = 220;

TLabel* AddLabel(TWinControl* Parent, const String& Caption, int Left, int Top, int Width) {
  auto* label = new TLabel(Parent);
  label->SetBounds(Left, Top, Width, 16);
  label->SetCaption(Caption);
  label->SetParent(Parent);
  return label;
}

TLumValidateEdit* AddEntry(TWinControl* Parent, const TEntryKind& Kind, int Top, TLabel* Report) {
  auto* edit = new TLumValidateEdit(Parent);
  edit->SetBounds(168, Top, 132, 21);
  edit->SetName(String("Entry") + std::to_string(static_cast<int>(Kind.Kind)));
  edit->SetValEditTyp(Kind.Kind);
  edit->SetMinValue(Kind.Min);
  edit->SetMaxValue(Kind.Max);
  edit->Filter()->SetText("rot\r\ngrün\r\nblau\r\n");
  edit->SetText(Kind.Text);
  const String name = Kind.Name;
  edit->SetOnValidExit(
      [Report, name](TObject*) { Report->SetCaption("Valid exit from the " + name); });
  edit->SetOnValidateError([Report, name](TObject*, Integer ErrorIndex,
                                          TLumValidateEditErrorAction&) {
    Report->SetCaption((ErrorIndex == 0 ? "Bad character in the " : "Out of range: the ") + name);
  });
  AddLabel(Parent, Kind.Caption, 16, Top + 3, 150)->SetFocusControl(edit->Edit());
  return edit;
}

TLumExtValEdit* AddField(TLumExtValEdit* Edit, TWinControl* Parent, const String& Header,
                         const String& Unit, TValEditTyp Kind, double Max, int Top) {
  Edit->SetBounds(RightColumn, Top, RightWidth, 42);
  Edit->SetValEditTyp(Kind);
  Edit->SetMaxValue(Max);
  Edit->SetHeader(Header);
  Edit->SetUnitWidth(40);
  Edit->SetUnitValue(Unit);
  Edit->SetParent(Parent);
  return Edit;
}

// Extended edits with units; a click on the picture shows the range. The last one edits
// the price of the first fruit of the gallery's table.
void AddExtendedEdits(TWinControl* Parent) {
  AddField(new TLumExtValEdit(Parent), Parent, "Speed", "km/h", etDouble, 250, 8)->SetText("88.50");
  AddField(new TLumExtValEdit(Parent), Parent, "Mask", "hex", etHex, 0xFFFF, 54)->SetText("FF00");
  TTable* fruit = OpenFruitTable(Parent);
  auto* source = new TDataSource(Parent);
  source->SetDataSet(fruit);
  auto* price = new TLumDBExtValEdit(Parent);
  AddField(price, Parent, "Price of " + fruit->FieldByName("Name")->AsString(), "EUR", etDouble,
           100, 100);
  price->SetDataSource(source);
  price->SetDataField("Price");
}

TButton* AddButton(TWinControl* Parent, const String& Caption, int Column,
                   std::function<void()> Run) {
  auto* button = new TButton(Parent);
  button->SetBounds(RightColumn + 76 * Column, 152, 70, 25);
  button->SetCaption(Caption);
  button->SetParent(Parent);
  button->SetOnClick([Run = std::move(Run)](TObject*) { Run(); });
  return button;
}

String Answer(bool Ok) { return Ok ? "OK" : "cancelled"; }

// Buttons opening the calculator and both dialogs; the line below says what they returned.
void AddDialogButtons(TWinControl* Parent) {
  auto* report =
      AddLabel(Parent, "Open a dialog; what it returns shows here.", RightColumn, 186, RightWidth);
  report->SetAutoSize(false);
  report->SetWordWrap(true);
  report->SetHeight(48);
  auto* calculator = new TLumCalculator(Parent);
  AddButton(Parent, "&Calculator", 0, [calculator, report] {
    const bool ok = calculator->Execute();
    report->SetCaption("Calculator " + Answer(ok) + ", display " +
                       Lumherk::NoNull(Lumherk::S_N(calculator->Value(), 1, 10)));
  });
  auto* line = new TLumZeilenDialog(Parent);
  line->SetUeberschrift("Line dialog");
  line->SetLabeltext("A factor (a comma becomes a point):");
  line->SetZeilentext("1,5");
  AddButton(Parent, "L&ine...", 1, [line, report] {
    const bool ok = line->Execute();
    report->SetCaption("Line " + Answer(ok) + ": '" + line->Zeilentext() + "'");
  });
  auto* memo = new TLumMemoDialog(Parent);
  memo->SetUeberschrift("Memo dialog");
  memo->SetLabeltext("Notes:");
  memo->SetMemotext("First line\r\nSecond line");
  AddButton(Parent, "&Memo...", 2, [memo, report] {
    const bool ok = memo->Execute();
    TStringList lines;
    lines.SetText(memo->Memotext());
    report->SetCaption("Memo " + Answer(ok) + ": " + IntToStr(lines.Count()) + " line(s), '" +
                       (lines.Count() > 0 ? lines.Strings(0) : String()) + "' first");
  });
}

} // namespace

void FillValueEntry(TWinControl* Parent) {
  const int reportTop = 16 + RowHeight * static_cast<int>(std::size(Kinds)) + 8;
  TLabel* report = AddLabel(Parent, "Type into an entry, then leave it.", 16, reportTop, 290);
  int top = 16;
  for (const TEntryKind& kind : Kinds) {
    AddEntry(Parent, kind, top, report);
    top += RowHeight;
  }
  AddExtendedEdits(Parent);
  AddDialogButtons(Parent);
}

String RenderCalculatorPicture(const String& Dir) {
  std::filesystem::create_directories(Dir);
  TScriptedUser user;
  auto* calculator = CreateForm<TTaschenrechner>(Application());
  const String path = (std::filesystem::path(Dir) / "calculator.png").string();
  try {
    calculator->Show();
    for (const TCalcKey key : {TCalcKey::Digit2, TCalcKey::Plus, TCalcKey::Digit3, TCalcKey::Times,
                               TCalcKey::Digit4, TCalcKey::Equals, TCalcKey::MemoryIn}) {
      user.Advance(1000);
      user.Click(calculator->Button(key));
    }
    user.SaveSnapshot(calculator, path);
  } catch (...) {
    calculator->Free();
    throw;
  }
  calculator->Free();
  return path;
}
