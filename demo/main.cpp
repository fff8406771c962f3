#include "demo/DisplaysPage.h"
#include "demo/GalleryForm.h"
#include "demo/GalleryOptions.h"
#include "demo/GalleryRender.h"
#include "demo/StartupClock.h"
#include "demo/ValueEntryPage.h"
#include "framework/controls/Application.h"
#include "framework/platform/DisplayChoice.h"
#include "framework/platform/headless/HeadlessDisplay.h"
#include "framework/platform/sdl/SdlDisplay.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>

// The gallery: every part of the library on its page of one form, in a window when there is
// a display, otherwise rendered to PNG files.
namespace {

std::chrono::steady_clock::time_point MainEntered;

bool HeadlessAskedFor() {
  const char* backend = std::getenv("LUMTOOLS_BACKEND");
  return backend && String(backend) == "headless";
}

int RenderPages(const String& Dir, const String& Page) {
  std::vector<String> written = RenderGalleryPages(Dir, Page);
  std::cout << "Rendered " << written.size() << " gallery page(s) to " << Dir << ":\n";
  if (Page.empty()) written.push_back(RenderMenuPicture(Dir));
  if (Page.empty()) written.push_back(RenderCalculatorPicture(Dir));
  if (Page.empty()) written.push_back(RenderDigitEditorPicture(Dir));
  for (const String& path : written) std::cout << "  " << path << "\n";
  return 0;
}

// Quits once the first frame is on the screen, printing how long that took.
void QuitAtFirstFrame(const TSdlDisplay& Display) {
  Application()->SetOnIdle([&Display](TObject*, bool&) {
    if (Display.PresentCount() == 0) return;
    const double sinceMain =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - MainEntered)
            .count();
    std::printf("first frame presented %.1f ms after process start (%.1f ms after main)\n",
                MillisecondsSinceProcessStart(), sinceMain);
    Application()->Terminate();
  });
}

int RunWindow(const TGalleryOptions& Options, TDisplayBackend& Display) {
  Application()->Initialize();
  Application()->SetTitle("LumTools gallery");
  TGalleryForm* form = nullptr;
  Application()->CreateForm(form);
  if (!Options.Page.empty()) form->ShowPage(form->PageIndexOf(Options.Page));
  if (Options.StartupTime) QuitAtFirstFrame(dynamic_cast<TSdlDisplay&>(Display));
  try {
    Application()->Run();
  } catch (const EDisplayError&) {
    form->Free();
    throw;
  }
  form->Free();
  return 0;
}

int Run(const TGalleryOptions& Options) {
  if (Options.Help) {
    std::cout << GalleryUsage();
    return 0;
  }
  if (Options.PngDir) return RenderPages(*Options.PngDir, Options.Page);
  TDisplayBackend& display = InitDisplay();
  if (dynamic_cast<THeadlessDisplay*>(&display)) {
    CloseDisplay();
    if (Options.StartupTime) throw EDisplayError("--startup-time needs a display to show on");
    if (!HeadlessAskedFor())
      throw EDisplayError("No display to open the gallery on (DISPLAY is not set); "
                          "--png DIR renders its pages to files instead");
    std::cout << "Headless: rendering the pages instead.\n";
    return RenderPages("out/gallery", Options.Page);
  }
  const int result = RunWindow(Options, display);
  CloseDisplay();
  return result;
}

} // namespace

int main(int argc, char** argv) {
  MainEntered = std::chrono::steady_clock::now();
  try {
    return Run(ParseGalleryOptions(std::vector<String>(argv + 1, argv + argc)));
  } catch (const EDisplayError& e) {
    CloseDisplay();
    std::cerr << "lumdemo: " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "lumdemo: " << e.what() << "\n";
    return 2;
  }
}
