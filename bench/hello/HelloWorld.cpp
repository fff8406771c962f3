#include "framework/controls/Application.h"
#include "framework/controls/Labels.h"
#include "framework/platform/DisplayChoice.h"
#include "framework/platform/headless/HeadlessDisplay.h"
#include "framework/platform/sdl/SdlDisplay.h"

#include <iostream>

// Hello, world: a form showing a label, which ends as soon as its first frame is shown. The
// start-up benchmark times it from start to exit (bench/peer/QtHello.cpp is Qt's).
namespace {

int FramesShown(const TDisplayBackend& display) {
  if (const auto* headless = dynamic_cast<const THeadlessDisplay*>(&display))
    return headless->PresentCount();
  if (const auto* sdl = dynamic_cast<const TSdlDisplay*>(&display)) return sdl->PresentCount();
  return 0;
}

} // namespace

int main() {
  try {
    const TDisplayBackend& display = InitDisplay();
    Application()->Initialize();
    TForm* form = nullptr;
    Application()->CreateForm(form);
    form->SetCaption("Hello");
    form->SetBounds(100, 100, 240, 120);
    auto* label = new TLabel(form);
    label->SetBounds(16, 16, 200, 20);
    label->SetCaption("Hello, world");
    label->SetParent(form);
    Application()->SetOnIdle([&display](TObject*, bool& Done) {
      if (FramesShown(display) == 0) return;
      Application()->Terminate();
      Done = false;
    });
    Application()->Run();
    form->Free();
    CloseDisplay();
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "lum_bench_hello: " << e.what() << "\n";
    return 1;
  }
}
