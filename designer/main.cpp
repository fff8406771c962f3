#include "framework/controls/Application.h"
#include "framework/design/FormDesigner.h"
#include "framework/platform/DisplayChoice.h"
#include "framework/platform/headless/HeadlessDisplay.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "package/LumToolsPck.h"

#include <iostream>

// The form designer with the LumTools page in a window; without a display, a picture of it (--png
// FILE) or a note.
namespace {

int RenderPicture(const String& Path, const String& FormFile) {
  TScriptedUser user(1000, 680);
  auto* designer = OpenLumToolsDesigner(Application());
  if (!FormFile.empty() && designer->OpenFile(FormFile) &&
      designer->DesignedForm()->ComponentCount() > 0)
    designer->Select(designer->DesignedForm()->Components(0));
  designer->Show();
  user.ProcessMessages();
  user.SaveSnapshot(designer, Path);
  designer->Free();
  std::cout << "Rendered the designer to " << Path << "\n";
  return 0;
}

int RunWindow(const String& FormFile) {
  TDisplayBackend& display = InitDisplay();
  if (dynamic_cast<THeadlessDisplay*>(&display)) {
    CloseDisplay();
    std::cerr << "lumdesigner: no display; use --png FILE to render a picture\n";
    return 1;
  }
  Application()->Initialize();
  Application()->SetTitle("LumTools designer");
  LoadLumToolsPck();
  TFormDesigner* designer = nullptr;
  Application()->CreateForm(designer);
  ShowLumToolsPage(designer);
  if (!FormFile.empty()) designer->OpenFile(FormFile);
  Application()->Run();
  designer->Free();
  CloseDisplay();
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<String> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--png")
      return RenderPicture(args[1], args.size() >= 3 ? args[2] : String());
    return RunWindow(args.empty() ? String() : args[0]);
  } catch (const std::exception& e) {
    std::cerr << "lumdesigner: " << e.what() << "\n";
    return 2;
  }
}
