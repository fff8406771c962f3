#include "framework/win32/gdi/GdiFont.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

struct TStockFont {
  int Index;
  const char* Face;
  int Height;
  int Weight;
  int PitchAndFamily;
  int Charset;
};

// The classic screen fonts; their faces map through the substitution table.
constexpr TStockFont StockFonts[] = {
    {10, "Terminal", 12, FW_NORMAL, FIXED_PITCH | FF_MODERN, OEM_CHARSET},         // OEM_FIXED
    {11, "Courier", 13, FW_NORMAL, FIXED_PITCH | FF_MODERN, ANSI_CHARSET},         // ANSI_FIXED
    {12, "MS Sans Serif", 13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, ANSI_CHARSET}, // ANSI_VAR
    {13, "System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, ANSI_CHARSET},          // SYSTEM
    {14, "System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, ANSI_CHARSET},          // DEVICE_DEFAULT
    {16, "Fixedsys", 15, FW_NORMAL, FIXED_PITCH | FF_MODERN, ANSI_CHARSET},        // SYSTEM_FIXED
    {17, "MS Shell Dlg", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, DEFAULT_CHARSET}, // GUI
};

LOGFONTA LogFontOf(const TStockFont& stock) {
  LOGFONTA lf = MakeLogFont(stock.Face, stock.Height, stock.Weight);
  lf.lfPitchAndFamily = static_cast<std::uint8_t>(stock.PitchAndFamily);
  lf.lfCharSet = static_cast<std::uint8_t>(stock.Charset);
  return lf;
}

} // namespace

const TGdiFont& TGdiFontObject::Font() const {
  if (!Realised) Realised = std::make_unique<TGdiFont>(Logical);
  return *Realised;
}

const TGdiFont& TGdiFontObject::WholePixelFont() const {
  if (!WholePixels) {
    LOGFONTA lf = Logical;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    WholePixels = std::make_unique<TGdiFont>(lf);
  }
  return *WholePixels;
}

void RegisterStockFonts(TGdiHandles& table) {
  for (const TStockFont& stock : StockFonts)
    table.RegisterStock(stock.Index, std::make_unique<TGdiFontObject>(LogFontOf(stock)));
  table.SetDefaultFont(table.Stock(13));
}
