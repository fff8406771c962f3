#include "demo/GalleryRender.h"

#include "demo/GalleryForm.h"
#include "demo/GalleryPages.h"
#include "framework/controls/Application.h"
#include "framework/platform/headless/ScriptedUser.h"

#include <filesystem>

std::vector<String> RenderGalleryPages(const String& Dir, const String& PageName) {
  std::filesystem::create_directories(Dir);
  TScriptedUser user;
  auto* form = CreateForm<TGalleryForm>(Application());
  std::vector<String> written;
  try {
    form->Show();
    for (int i = 0; i < form->PageCount(); ++i) {
      const String& name = GalleryPages()[static_cast<std::size_t>(i)].Name;
      if (!PageName.empty() && name != PageName) continue;
      form->ShowPage(i);
      const String path = (std::filesystem::path(Dir) / PageFileName(name)).string();
      user.SaveSnapshot(form, path);
      written.push_back(path);
    }
  } catch (...) {
    form->Free();
    throw;
  }
  form->Free();
  return written;
}
