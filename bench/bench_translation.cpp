#include "framework/controls/Application.h"
#include "framework/controls/Labels.h"
#include "framework/db/Query.h"
#include "framework/db/Session.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/rtl/FileSystem.h"
#include "translation/LumLingua.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

// The translation component on a database of 10,000 words in two languages: translating a
// form of 1,000 marked captions, switching its language, and single look-ups.

namespace {

constexpr int WordCount = 10000, CaptionCount = 1000;

String WordOf(int Index) { return "Word number " + std::to_string((Index * 7919) % WordCount); }

class TBenchLingua {
public:
  TBenchLingua() {
    String pattern = (std::filesystem::temp_directory_path() / "lumlingua-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    FDir = pattern;
    setenv("LUMTOOLS_ALIASES", (FDir + "/aliases").c_str(), 1);
    Session->Close();
    Form = CreateForm<TForm>(Application());
    Form->SetName("BenchForm");
    for (int i = 0; i < CaptionCount; ++i) {
      auto* label = new TLabel(Form);
      label->SetName("Label" + std::to_string(i));
      label->SetAutoSize(false); // the walk and the look-ups, not the label's text layout
      Labels.push_back(label);
    }
    Lingua = new TLumLingua(Form);
    Lingua->SetName("Lingua");
    User.WhenModal([this](TCustomForm*) {
      User.Type("Deutsch");
      User.Enter();
    });
    Lingua->SetCreatebyFail(true);
    Lingua->SetDatabaseName(FDir);
    Lingua->InsertNewLanguage("English");
    Fill();
    Lingua->SetNewWordPrompt(false);
  }
  ~TBenchLingua() {
    Form->Free();
    Session->Close();
    std::filesystem::remove_all(FDir);
  }
  TBenchLingua(const TBenchLingua&) = delete;
  TBenchLingua& operator=(const TBenchLingua&) = delete;

  void Mark() {
    for (int i = 0; i < CaptionCount; ++i) Labels[i]->SetCaption("##" + WordOf(i * 10));
  }

  TScriptedUser User;
  TForm* Form = nullptr;
  std::vector<TLabel*> Labels;
  TLumLingua* Lingua = nullptr;

private:
  void Exec(const String& Sql) {
    TQuery query(nullptr);
    query.SetDatabaseName(FDir);
    query.SQL()->SetText(Sql);
    query.ExecSQL();
  }
  void Fill() {
    Exec("BEGIN");
    for (const char* language : {"English", "Deutsch"}) {
      Lingua->SetLanguage(language);
      for (int i = 0; i < WordCount; ++i)
        Lingua->InsertNewWord(WordOf(i), String(language) + " " + std::to_string(i));
    }
    Exec("COMMIT");
  }
  String FDir;
};

TBenchLingua& Bench() {
  static TBenchLingua bench;
  return bench;
}

void BM_TranslateFormOf1000MarkedCaptionsFrom10000Words(benchmark::State& state) {
  TBenchLingua& b = Bench();
  b.Lingua->SetLanguage("Deutsch");
  for (auto _ : state) {
    state.PauseTiming();
    b.Mark();
    state.ResumeTiming();
    b.Lingua->TranslateForm(b.Form);
  }
  if (b.Labels[1]->Caption() != "Deutsch 10") state.SkipWithError("not translated");
}
BENCHMARK(BM_TranslateFormOf1000MarkedCaptionsFrom10000Words)->Unit(benchmark::kMillisecond);

// A switch: the language, the form's texts marked again (as a new form has them), the walk.
void BM_SwitchLanguageOfAFormOf1000Captions(benchmark::State& state) {
  TBenchLingua& b = Bench();
  bool english = false;
  for (auto _ : state) {
    english = !english;
    b.Lingua->SetLanguage(english ? "English" : "Deutsch");
    b.Mark();
    b.Lingua->TranslateForm(b.Form);
  }
}
BENCHMARK(BM_SwitchLanguageOfAFormOf1000Captions)->Unit(benchmark::kMillisecond);

void BM_GetWordAmong10000(benchmark::State& state) {
  TBenchLingua& b = Bench();
  b.Lingua->SetLanguage("Deutsch");
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(b.Lingua->GetWord(WordOf(i++ % WordCount)));
}
BENCHMARK(BM_GetWordAmong10000)->Unit(benchmark::kMicrosecond);

} // namespace
