#include "framework/classes/FormFile.h"
#include "framework/controls/Application.h"
#include "framework/controls/Forms.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "lists/LumList.h"

#include <benchmark/benchmark.h>

// The rich list box on a shown headless form: filling it, repainting a page of items with
// bitmaps, and its items through a form file.

namespace {

std::unique_ptr<TBitmap> Square16(TColor Color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(16, 16);
  bitmap->Canvas()->Brush()->SetColor(Color);
  bitmap->Canvas()->FillRect(TRect(0, 0, 16, 16));
  return bitmap;
}

struct TBenchList {
  TScriptedUser User;
  TForm* Form = nullptr;
  TLumList* List = nullptr;

  explicit TBenchList(int Height = 520) {
    Form = CreateForm<TForm>(Application());
    Form->SetName("Form1");
    Form->SetBounds(0, 0, 320, Height + 40);
    List = new TLumList(Form);
    List->SetName("LumList1");
    List->SetBounds(4, 4, 300, Height);
    List->SetParent(Form);
    Form->Show();
    User.ProcessMessages();
  }
  ~TBenchList() { Form->Free(); }

  // Items with a bitmap each and every third one in a colour of its own.
  void Fill(int Count) {
    const auto bitmap = Square16(clTeal);
    TLumListStrings* items = List->Items();
    items->BeginUpdate();
    for (int i = 0; i < Count; ++i) {
      const Integer at = items->Add("Item " + std::to_string(i) + "\tcolumn");
      items->SetBitmap(at, bitmap.get());
      if (i % 3 == 0) items->SetColor(at, clYellow);
    }
    items->EndUpdate();
  }
};

void BM_Add100000RichItemsInOneUpdate(benchmark::State& state) {
  TBenchList bench;
  for (auto _ : state) {
    state.PauseTiming();
    bench.List->Items()->Clear();
    state.ResumeTiming();
    bench.Fill(100000);
  }
  benchmark::DoNotOptimize(bench.List->Items()->Count());
}
BENCHMARK(BM_Add100000RichItemsInOneUpdate)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RepaintPageOf30OwnerDrawnItemsWithBitmaps(benchmark::State& state) {
  TBenchList bench(30 * 16);
  bench.List->SetTabStops("12");
  bench.List->SetItemHeightStyle(LumList::ihBitmap);
  bench.Fill(200);
  bench.User.ProcessMessages();
  for (auto _ : state) {
    bench.List->Invalidate();
    UpdateWindow(bench.List->Handle());
  }
}
BENCHMARK(BM_RepaintPageOf30OwnerDrawnItemsWithBitmaps)->Unit(benchmark::kMicrosecond);

void BM_Write10000ItemsWith16x16BitmapsToAFormFile(benchmark::State& state) {
  TBenchList bench;
  bench.Fill(10000);
  for (auto _ : state) {
    TMemoryStream stream;
    WriteFormStream(&stream, bench.Form);
    benchmark::DoNotOptimize(stream.Size());
  }
}
BENCHMARK(BM_Write10000ItemsWith16x16BitmapsToAFormFile)->Unit(benchmark::kMillisecond);

void BM_Read10000ItemsWith16x16BitmapsFromAFormFile(benchmark::State& state) {
  TBenchList bench;
  bench.Fill(10000);
  TMemoryStream stream;
  WriteFormStream(&stream, bench.Form);
  bench.Form->SetName("Source");
  TBenchList target;
  for (auto _ : state) {
    state.PauseTiming();
    target.List->Free();
    stream.SetPosition(0);
    state.ResumeTiming();
    ReadFormStream(&stream, target.Form);
    state.PauseTiming();
    target.List = static_cast<TLumList*>(target.Form->FindComponent("LumList1"));
    state.ResumeTiming();
  }
  benchmark::DoNotOptimize(target.List->Items()->Count());
}
BENCHMARK(BM_Read10000ItemsWith16x16BitmapsFromAFormFile)->Unit(benchmark::kMillisecond);

} // namespace
