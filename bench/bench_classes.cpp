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

std::unique_ptr<TBenchForm> MakeForm() {
  RegisterClass<TBenchItem, TBenchForm>();
  auto form = std::make_unique<TBenchForm>(nullptr);
  form->SetName("Form1");
  for (int i = 0; i < 2000; ++i) {
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
