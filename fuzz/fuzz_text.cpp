#include "framework/win32/gdi/TextLayout.h"
#include "framework/win32/gdi/TextRender.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes with any DrawText format lay out and draw without fault: malformed UTF-8, stray
// prefixes, tabs and line ends included.
namespace {

const TGdiFont& Font(bool turned) {
  static const bool configured = [] {
    SetFontSources(PackagedFontFiles());
    return true;
  }();
  static_cast<void>(configured);
  static const TGdiFont upright(MakeLogFont("Arial", -11));
  static const TGdiFont angled = [] {
    LOGFONTA logFont = MakeLogFont("Times New Roman", -13);
    logFont.lfEscapement = 300;
    return TGdiFont(logFont);
  }();
  return turned ? angled : upright;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 6) return 0;
  const std::uint32_t format = static_cast<std::uint32_t>(data[0]) |
                               static_cast<std::uint32_t>(data[1]) << 8 |
                               static_cast<std::uint32_t>(data[2] & 0x37) << 16;
  const int width = static_cast<int>(data[3]) - 16;
  const bool turned = (data[4] & 1) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 5), size - 5);
  const TGdiFont& font = Font(turned);
  const TRect rect = Rect(10, 5, 10 + width, 5 + data[4] / 2);
  const TTextLayout layout = LayoutDrawText(font, text, rect, format);
  if (!text.empty() && (format & DT_SINGLELINE) == 0 &&
      layout.Height != static_cast<int>(layout.Lines.size()) * layout.LineHeight)
    __builtin_trap();
  TRaster raster(64, 48, 0xFFFFFFFFu);
  TTextState state;
  state.BkMode = (data[4] & 2) != 0 ? TTextState::Opaque : TTextState::Transparent;
  TRect drawn = rect;
  String modified;
  Gdi::DrawText(TTextTarget::Whole(raster), font, state, text, drawn, format, &modified);
  Gdi::TextOut(TTextTarget::Whole(raster), font, state, width, data[4] / 4, text);
  return 0;
}
