#include "demo/ValueEntryPage.h"

#include "framework/controls/Labels.h"
#include "valueentry/Lumvaled.h"

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

constexpr int RowHeight = 30;

TLabel* AddLabel(TWinControl* Parent, const String& Caption, int Left, int Top, int Width) {
  auto* label = new TLabel(Parent);
  label->SetBounds(Left, Top, Width, 16);
  label->SetCaption(Caption);
  label->SetParent(Parent);
  return label;
}

TLumValidateEdit* AddEntry(TWinControl* Parent, const TEntryKind& Kind, int Top, TLabel* Report) {
  auto* edit = new TLumValidateEdit(Parent);
  edit->SetBounds(196, Top, 140, 21);
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
  AddLabel(Parent, Kind.Caption, 16, Top + 3, 176)->SetFocusControl(edit->Edit());
  return edit;
}

} // namespace

void FillValueEntry(TWinControl* Parent) {
  const int reportTop = 16 + RowHeight * static_cast<int>(std::size(Kinds)) + 8;
  TLabel* report = AddLabel(Parent, "Type into an entry, then leave it.", 16, reportTop, 420);
  int top = 16;
  for (const TEntryKind& kind : Kinds) {
    AddEntry(Parent, kind, top, report);
    top += RowHeight;
  }
}
