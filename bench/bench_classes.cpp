#include "framework/classes/FormFile.h"
#include "framework/classes/Registry.h"
#include "framework/rtl/Strings.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace benchform {

LUM_ENUM(TBenchKind, bkNone, bkSmall, bkLarge);
using TBenchKinds = TSet<TBenchKind>;

// Ten stored property values per component.
class TBenchItem : public TComponent {
  LUM_CLASS(TBenchItem, TComponent)
public:
  explicit TBenchItem(TComponent* AOwner) : TComponent(AOwner) {}
  LUM_PUBLISHED(Integer, Left, FLeft, Field, Default(0))
  LUM_PUBLISHED(Integer, Top, FTop, Field, Default(0))
  LUM_PUBLISHED(Integer, Width, FWidth, Field, Default(0))
  LUM_PUBLISHED(Byte, Level, FLevel, Field, Default(0))
  LUM_PUBLISHED(bool, Enabled, FEnabled, Field, Default(true))
  LUM_PUBLISHED(TBenchKind, Kind, FKind, Field, Default(bkNone))
  LUM_PUBLISHED(TBenchKinds, Kinds, FKinds, Field, Default(TBenchKinds{}))
  LUM_PUBLISHED(double, Factor, FFactor, Field, NoDefault)
  LUM_PUBLISHED(String, Caption, FCaption, Field, NoDefault)
  LUM_PUBLISHED(String, Hint, FHint, Field, NoDefault)

private:
  Integer FLeft = 0, FTop = 0, FWidth = 0;
  Byte FLevel = 0;
  bool FEnabled = true;
  TBenchKind FKind = bkNone;
  TBenchKinds FKinds;
  double FFactor = 0;
  String FCaption, FHint;
};

class TBenchForm : public TComponent {
  LUM_CLASS(TBenchForm, TComponent)
public:
  explicit TBenchForm(TComponent* AOwner) : TComponent(AOwner) {}
};

std::unique_ptr<TBenchForm> MakeForm(int ACount = 2000) {
  RegisterClass<TBenchItem, TBenchForm>();
  auto form = std::make_unique<TBenchForm>(nullptr);
  form->SetName("Form1");
  for (int i = 0; i < ACount; ++i) {
    auto* item = new TBenchItem(form.get());
    item->SetName("Item" + IntToStr(i));
    item->SetLeft(8 + i % 300);
    item->SetTop(1000 + i);
    item->SetWidth(75 + i % 40);
    item->SetLevel(static_cast<Byte>(i % 200 + 1));
    item->SetEnabled(false);
    item->SetKind(bkLarge);
    item->SetKinds(TBenchKinds{bkSmall, bkLarge});
    item->SetFactor(i * 0.25 + 0.5);
    item->SetCaption("Caption of item " + IntToStr(i));
    item->SetHint("##Hint " + IntToStr(i));
  }
  return form;
}

} // namespace benchform

static void BM_FormFileWrite2000Components(benchmark::State& state) {
  const auto form = benchform::MakeForm();
  for (auto _ : state) benchmark::DoNotOptimize(WriteFormText(form.get()));
}
BENCHMARK(BM_FormFileWrite2000Components)->Unit(benchmark::kMillisecond);

static void BM_FormFileRead2000Components(benchmark::State& state) {
  const String text = WriteFormText(benchform::MakeForm().get());
  for (auto _ : state) {
    auto form = std::make_unique<benchform::TBenchForm>(nullptr);
    ReadFormText(text, form.get());
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FormFileRead2000Components)->Unit(benchmark::kMillisecond);

// Every component read enters the root's list and every one freed leaves it: neither may
// cost a walk over its siblings.
static void BM_FormFileReadAndFreeComponents(benchmark::State& state) {
  const String text = WriteFormText(benchform::MakeForm(static_cast<int>(state.range(0))).get());
  for (auto _ : state) {
    auto form = std::make_unique<benchform::TBenchForm>(nullptr);
    ReadFormText(text, form.get());
    form.reset();
  }
}
BENCHMARK(BM_FormFileReadAndFreeComponents)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A form file that breaks after its last component: the reader frees what it made.
static void BM_FormFileFailedReadOfComponents(benchmark::State& state) {
  String text = WriteFormText(benchform::MakeForm(static_cast<int>(state.range(0))).get());
  text.insert(text.rfind("end"), "  object Broken: TNoSuchClass\n  end\n");
  for (auto _ : state) {
    auto form = std::make_unique<benchform::TBenchForm>(nullptr);
    try {
      ReadFormText(text, form.get());
    } catch (const EReadError&) {
    }
    if (form->ComponentCount() != 0) state.SkipWithError("the failed read left components");
  }
}
BENCHMARK(BM_FormFileFailedReadOfComponents)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
