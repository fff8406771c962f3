#include "framework/controls/Application.h"
#include "framework/controls/StdCtrls.h"
#include "framework/platform/headless/ScriptedUser.h"

#include <benchmark/benchmark.h>

// A form of 500 controls, every other one windowless, each painting a fill and a frame.

namespace {

constexpr int Columns = 25, Rows = 20, CellWidth = 40, CellHeight = 30;

template <class Base> class TBenchCell : public Base {
public:
  explicit TBenchCell(TComponent* AOwner) : Base(AOwner) {}

protected:
  void Paint() override {
    TCanvas* canvas = this->Canvas();
    canvas->Brush()->SetColor(clWindow);
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Rectangle(this->ClientRect());
  }
};

struct TBenchForm {
  TScriptedUser User;
  TForm* Form = nullptr;
  std::vector<TControl*> Cells;

  TBenchForm() {
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(0, 0, Columns * CellWidth + 20, Rows * CellHeight + 40);
    for (int row = 0; row < Rows; ++row)
      for (int column = 0; column < Columns; ++column) {
        const bool windowed = (row + column) % 2 == 0;
        TControl* cell = windowed ? static_cast<TControl*>(new TBenchCell<TCustomControl>(Form))
                                  : new TBenchCell<TGraphicControl>(Form);
        cell->SetBounds(column * CellWidth + 2, row * CellHeight + 2, CellWidth - 4,
                        CellHeight - 4);
        cell->SetParent(Form);
        Cells.push_back(cell);
      }
    Form->Show();
    User.ProcessMessages();
  }
  ~TBenchForm() { Form->Free(); }
};

void BM_RepaintFormOf500Controls(benchmark::State& state) {
  TBenchForm bench;
  for (auto _ : state)
    RedrawWindow(bench.Form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
BENCHMARK(BM_RepaintFormOf500Controls)->Unit(benchmark::kMillisecond);

void RepaintOneCell(benchmark::State& state, int index) {
  TBenchForm bench;
  TControl* cell = bench.Cells[index];
  for (auto _ : state) {
    cell->Invalidate();
    cell->Update();
  }
}

void BM_RepaintOneWindowedControlAmong500(benchmark::State& state) {
  RepaintOneCell(state, Columns * Rows / 2);
}
BENCHMARK(BM_RepaintOneWindowedControlAmong500)->Unit(benchmark::kMicrosecond);

void BM_RepaintOneWindowlessControlAmong500(benchmark::State& state) {
  RepaintOneCell(state, Columns * Rows / 2 + 1);
}
BENCHMARK(BM_RepaintOneWindowlessControlAmong500)->Unit(benchmark::kMicrosecond);

} // namespace
