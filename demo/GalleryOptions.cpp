#include "demo/GalleryOptions.h"

#include "demo/GalleryPages.h"

#include <cctype>

namespace {

String ValueOf(const std::vector<String>& Args, std::size_t& i) {
  if (i + 1 >= Args.size() || Args[i + 1].empty())
    throw EGalleryOptionError("The option " + Args[i] + " needs a value");
  return Args[++i];
}

String LowerCase(String Text) {
  for (char& c : Text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return Text;
}

// The page's name as the gallery has it, given it in any letter case or as its file name
// ("value-entry" or "value-entry.png").
String PageNamed(const String& Name) {
  const String wanted = LowerCase(Name);
  String known;
  for (const TGalleryPageInfo& page : GalleryPages()) {
    const String file = PageFileName(page.Name);
    if (LowerCase(page.Name) == wanted || file == wanted ||
        file.substr(0, file.size() - 4) == wanted)
      return page.Name;
    known += (known.empty() ? "\"" : ", \"") + page.Name + "\"";
  }
  throw EGalleryOptionError("There is no page \"" + Name + "\"; the pages are " + known);
}

} // namespace

TGalleryOptions ParseGalleryOptions(const std::vector<String>& Args) {
  TGalleryOptions options;
  for (std::size_t i = 0; i < Args.size(); ++i) {
    const String& arg = Args[i];
    if (arg == "--help" || arg == "-h")
      options.Help = true;
    else if (arg == "--png")
      options.PngDir = ValueOf(Args, i);
    else if (arg == "--page")
      options.Page = ValueOf(Args, i);
    else if (arg == "--startup-time")
      options.StartupTime = true;
    else
      throw EGalleryOptionError("Unknown option \"" + arg + "\" (--help lists the options)");
  }
  if (!options.Page.empty()) options.Page = PageNamed(options.Page);
  if (options.StartupTime && options.PngDir)
    throw EGalleryOptionError("--startup-time measures a window; it does not go with --png");
  return options;
}

String GalleryUsage() {
  String pages;
  for (const TGalleryPageInfo& page : GalleryPages()) pages += "  \"" + page.Name + "\"\n";
  return "usage: lumdemo [--help] [--png DIR] [--page NAME] [--startup-time]\n"
         "The LumTools gallery: one page per part of the library, in a window on the display\n"
         "DISPLAY names; with LUMTOOLS_BACKEND=headless it renders every page to\n"
         "out/gallery/<page>.png instead.\n"
         "  --png DIR        render the pages to PNG files in DIR instead of a window\n"
         "  --page NAME      open (or render) only that page, named in any letter case or by\n"
         "                   its file name (\"value-entry\")\n"
         "  --startup-time   print the time from program start to the first frame, then quit\n"
         "  --help           this text\n"
         "Pages:\n" +
         pages;
}
