#include "framework/controls/Application.h"
#include "framework/controls/FileDialogForm.h"
#include "framework/platform/headless/ScriptedUser.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

// A file dialog opened on a folder of 10,000 files: reading, sorting and filtering the folder,
// filling the lists and painting the form once.

namespace {

struct TBigFolder {
  std::filesystem::path Path =
      std::filesystem::temp_directory_path() / ("lum-bench-folder-" + std::to_string(getpid()));

  TBigFolder() {
    std::filesystem::remove_all(Path);
    std::filesystem::create_directories(Path);
    for (int i = 0; i < 10000; ++i)
      std::ofstream(Path / ("file" + std::to_string(i) + (i % 2 ? ".txt" : ".dat")));
    for (int i = 0; i < 20; ++i)
      std::filesystem::create_directory(Path / ("folder" + std::to_string(i)));
  }
  ~TBigFolder() { std::filesystem::remove_all(Path); }
};

void ShowFileDialog(benchmark::State& state, const String& Filter) {
  TBigFolder folder;
  TScriptedUser user;
  TFileDialogRequest request;
  request.InitialDir = folder.Path.string();
  request.Filter = Filter;
  for (auto _ : state) {
    auto* form = new TFileDialogForm(Application(), request);
    form->AfterConstruction();
    form->Show();
    UpdateWindow(form->Handle());
    state.PauseTiming();
    form->Free();
    state.ResumeTiming();
  }
}

void BM_FileDialogShowsAFolderOf10000Files(benchmark::State& state) {
  ShowFileDialog(state, "All files|*.*");
}
BENCHMARK(BM_FileDialogShowsAFolderOf10000Files)->Unit(benchmark::kMillisecond);

void BM_FileDialogShowsHalfOfAFolderOf10000FilesThroughAMask(benchmark::State& state) {
  ShowFileDialog(state, "Text|*.txt");
}
BENCHMARK(BM_FileDialogShowsHalfOfAFolderOf10000FilesThroughAMask)->Unit(benchmark::kMillisecond);

} // namespace
