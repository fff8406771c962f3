#include "demo/GalleryRender.h"

#include "demo/GalleryForm.h"
#include "demo/GalleryPages.h"
#include "framework/controls/Application.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/win32/gdi/PngCodec.h"

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

namespace {

TRaster CutOut(const TRaster& Screen, const TRect& Area) {
  TRaster out;
  out.Width = Area.Width();
  out.Height = Area.Height();
  out.Pixels.resize(static_cast<std::size_t>(out.Width) * static_cast<std::size_t>(out.Height));
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x) out.At(x, y) = Screen.At(Area.Left + x, Area.Top + y);
  return out;
}

// The screen rectangle of the form and the drop-down it shows.
TRect FormAndDropDown(TGalleryForm* Form) {
  RECT area{};
  GetWindowRect(Form->Handle(), &area);
  const HMENU view = Form->ViewMenu()->Handle();
  for (int i = 0; i < GetMenuItemCount(view); ++i) {
    RECT item{};
    if (!GetMenuItemRect(nullptr, view, static_cast<UINT>(i), &item)) continue;
    area.Right = std::max(area.Right, item.Right + 4);
    area.Bottom = std::max(area.Bottom, item.Bottom + 4);
  }
  return area;
}

} // namespace

String RenderMenuPicture(const String& Dir) {
  std::filesystem::create_directories(Dir);
  TScriptedUser user;
  auto* form = CreateForm<TGalleryForm>(Application());
  const String path = (std::filesystem::path(Dir) / "menu.png").string();
  try {
    form->Show();
    RECT bar{};
    GetMenuItemRect(form->Handle(), form->MainMenu()->Handle(), 1, &bar);
    user.Display().MouseMove((bar.Left + bar.Right) / 2, (bar.Top + bar.Bottom) / 2);
    user.Display().Click((bar.Left + bar.Right) / 2, (bar.Top + bar.Bottom) / 2);
    user.ProcessMessages();
    RECT second{};
    GetMenuItemRect(nullptr, form->ViewMenu()->Handle(), 1, &second);
    user.Display().MouseMove((second.Left + second.Right) / 2, (second.Top + second.Bottom) / 2);
    user.ProcessMessages();
    WritePngFile(CutOut(user.Display().ScreenSnapshot(), FormAndDropDown(form)), path);
    EndMenu();
  } catch (...) {
    form->Free();
    throw;
  }
  form->Free();
  return path;
}
