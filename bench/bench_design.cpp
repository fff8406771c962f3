#include "framework/controls/Application.h"
#include "framework/design/FormDesigner.h"
#include "framework/design/ObjectInspector.h"
#include "framework/design/PropertyGrid.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/rtl/Strings.h"

#include <benchmark/benchmark.h>

// The designer opening a form file of 500 components, and the inspector showing a component
// of 60 properties.

namespace {

// 500 components in 25 columns: labels, edits, buttons and check boxes in turn.
String FormOf500() {
  const char* classes[] = {"TLabel", "TEdit", "TButton", "TCheckBox"};
  const char* prefixes[] = {"Label", "Edit", "Button", "CheckBox"};
  String text = "object Form1: TForm\n  Left = 8\n  Top = 8\n  Width = 1020\n  Height = 640\n"
                "  Caption = 'Form1'\n  Visible = True\n";
  for (int i = 0; i < 500; ++i) {
    const String name = String(prefixes[i % 4]) + IntToStr(i + 1);
    text += "  object " + name + ": " + classes[i % 4] + "\n";
    text += "    Left = " + IntToStr(i % 25 * 40 + 2) + "\n    Top = " + IntToStr(i / 25 * 30 + 2) +
            "\n    Width = 36\n    Height = 26\n";
    if (i % 4 != 1) text += "    Caption = '" + name + "'\n";
    text += "  end\n";
  }
  return text + "end\n";
}

struct TBenchDesigner {
  TScriptedUser User{1280, 800};
  TFormDesigner* Designer = CreateForm<TFormDesigner>(Application());
  TBenchDesigner() {
    Designer->SetBounds(0, 0, 1280, 780);
    Designer->Show();
    User.ProcessMessages();
  }
  ~TBenchDesigner() { Designer->Free(); }
};

void BM_DesignerOpensAndPaintsFormOf500Components(benchmark::State& state) {
  TBenchDesigner bench;
  const String text = FormOf500();
  for (auto _ : state) {
    if (!bench.Designer->LoadText(text)) state.SkipWithError("the form did not read");
    UpdateWindow(bench.Designer->Handle());
    RedrawWindow(bench.Designer->DesignedForm()->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  state.counters["components"] = bench.Designer->DesignedForm()->ComponentCount();
}
BENCHMARK(BM_DesignerOpensAndPaintsFormOf500Components)->Unit(benchmark::kMillisecond);

void BM_InspectorShowsComponentOf60Properties(benchmark::State& state) {
  TBenchDesigner bench;
  bench.Designer->LoadText("object Form1: TForm\n  object StringGrid1: TStringGrid\n  end\nend\n");
  TComponent* grid = bench.Designer->DesignedForm()->FindComponent("StringGrid1");
  TObjectInspector* inspector = bench.Designer->Inspector();
  for (auto _ : state) {
    inspector->SetSelection({grid});
    UpdateWindow(inspector->PropertiesGrid()->Handle());
  }
  state.counters["properties"] = inspector->PropertiesGrid()->LineCount();
}
BENCHMARK(BM_InspectorShowsComponentOf60Properties)->Unit(benchmark::kMillisecond);

} // namespace
