#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/rtl/Types.h"
#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/gdi/TextRender.h"

#include <cstdint>
#include <string_view>
#include <vector>

// One line as DrawText places it.
struct TLaidLine {
  String Text;         // what is shown: prefixes resolved, ellipsis applied, tabs kept
  int X = 0;           // left edge of the line's cell
  int Y = 0;           // top edge of the line's cell
  int Width = 0;       // sum of the advances, tabs expanded
  int Underlined = -1; // byte offset in Text of the character after the prefix '&', or -1
};

struct TTextLayout {
  std::vector<TLaidLine> Lines;
  int LineHeight = 0;
  int Height = 0;  // what DrawText returns
  TRect Extent;    // what DT_CALCRECT makes of the rectangle
  String Modified; // the text with the ellipses put in, for DT_MODIFYSTRING
};

// Lays out text as DrawTextA does, without drawing. Lines break at CR, LF and CR LF unless
// DT_SINGLELINE; DT_WORDBREAK breaks at blanks (a word wider than the line stays whole, or is
// broken between characters with DT_EDITCONTROL); DT_EXPANDTABS expands tabs to every 8
// average characters (DT_TABSTOP: bits 8–15, which then are no flags); '&' marks the next
// character (unless DT_NOPREFIX), "&&" is '&', the last mark in a line wins. A line wider
// than the rectangle gets "...": DT_WORD_ELLIPSIS at its end, DT_END_ELLIPSIS at its end when
// it is the text's last line or lines are not wrapped, DT_PATH_ELLIPSIS before its last '\'
// or '/' component. DT_VCENTER and DT_BOTTOM apply to single lines only. DT_RTLREADING,
// DT_INTERNAL and DT_NOCLIP do not change the layout.
TTextLayout LayoutDrawText(const TGdiFont& font, std::string_view text, const TRect& rect,
                           std::uint32_t format);

namespace Gdi {

// DrawTextA: draws the layout above into the target, clipped to rect unless DT_NOCLIP, in the
// state's colours (an opaque background fills each line's cell). With DT_CALCRECT nothing is
// drawn and rect's right and bottom are set to the widest line and the last line's bottom.
// Returns the height of the text (for DT_VCENTER and DT_BOTTOM the offset from rect's top to
// the bottom of the line); 0 for empty text, which leaves rect as it is. With DT_MODIFYSTRING
// and a string to take it, *modified receives the text as shown with its ellipses. The
// device context's text alignment and the font's escapement do not apply to the layout.
int DrawText(const TTextTarget& target, const TGdiFont& font, const TTextState& state,
             std::string_view text, TRect& rect, std::uint32_t format, String* modified = nullptr);

} // namespace Gdi
