#include "framework/win32/WinGdiText.h"

#include "framework/win32/WinHandles.h"
#include "framework/win32/WinPrint.h"
#include "framework/win32/gdi/GdiFont.h"
#include "framework/win32/gdi/Rop.h"
#include "framework/win32/gdi/TextLayout.h"
#include "framework/win32/gdi/TextRender.h"
#include "framework/win32/gdi/Utf8.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace {

constexpr long long DeviceLimit = 1LL << 27;

int Shift(int v, int d) {
  return static_cast<int>(std::clamp(static_cast<long long>(v) + d, -DeviceLimit, DeviceLimit));
}

// A device context as the text engine sees it: its surface and clip, its text settings,
// and the shift from logical to surface coordinates. Monochrome surfaces get black or white
// and whole-pixel glyphs.
class TTextDc {
public:
  explicit TTextDc(TDeviceContext& dc) : dc_(dc) {
    const TPoint device = dc.ToDevice(TPoint{});
    offset_ = TPoint{Shift(device.X, dc.SurfaceOrigin().X), Shift(device.Y, dc.SurfaceOrigin().Y)};
    target_.Surface = dc.Surface();
    TRegion clip = dc.DeviceClip();
    clip.Offset(dc.SurfaceOrigin().X, dc.SurfaceOrigin().Y);
    target_.Clip.assign(clip.Rects().begin(), clip.Rects().end());
    const TDcState& s = dc.State();
    state_.Align = s.TextAlign;
    state_.BkMode = s.BkMode;
    state_.TextColor = dc.Monochrome() ? NearestMono(s.TextColour) : s.TextColour;
    state_.BkColor = dc.Monochrome() ? NearestMono(s.BkColour) : s.BkColour;
    state_.CurrentPosition = ToSurface(s.CurrentPosition);
  }
  // Keeps the current position the engine moved (TA_UPDATECP).
  ~TTextDc() { dc_.State().CurrentPosition = ToLogical(state_.CurrentPosition); }
  TTextDc(const TTextDc&) = delete;
  TTextDc& operator=(const TTextDc&) = delete;

  TPoint ToSurface(TPoint p) const { return {Shift(p.X, offset_.X), Shift(p.Y, offset_.Y)}; }
  TPoint ToLogical(TPoint p) const { return {Shift(p.X, -offset_.X), Shift(p.Y, -offset_.Y)}; }
  TRect ToSurface(const TRect& r) const {
    const TPoint a = ToSurface(TPoint{r.Left, r.Top});
    const TPoint b = ToSurface(TPoint{r.Right, r.Bottom});
    return {a.X, a.Y, b.X, b.Y};
  }
  TRect ToLogical(const TRect& r) const {
    const TPoint a = ToLogical(TPoint{r.Left, r.Top});
    const TPoint b = ToLogical(TPoint{r.Right, r.Bottom});
    return {a.X, a.Y, b.X, b.Y};
  }
  int OffsetX() const { return offset_.X; }

  const TTextTarget& Target() const { return target_; }
  TTextState& State() { return state_; }

private:
  TDeviceContext& dc_;
  TPoint offset_;
  TTextTarget target_;
  TTextState state_;
};

const TGdiFont* SelectedFont(const TDeviceContext& dc) {
  TGdiHandles& table = TGdiHandles::Instance();
  auto* font = table.FindAs<TGdiFontObject>(dc.State().Font);
  if (!font) font = table.FindAs<TGdiFontObject>(table.Stock(SYSTEM_FONT));
  if (!font) return nullptr;
  return dc.Monochrome() ? &font->WholePixelFont() : &font->Font();
}

bool ValidText(LPCSTR text, long long count) { return count >= 0 && (text || count == 0); }

std::string_view TextOf(LPCSTR text, long long count) {
  return count == 0 ? std::string_view{} : std::string_view(text, static_cast<std::size_t>(count));
}

std::span<const int> TabsOf(int count, const INT* stops) {
  if (count <= 0 || !stops) return {};
  return {stops, static_cast<std::size_t>(count)};
}

bool ValidTabs(int count, const INT* stops) { return count >= 0 && (stops || count == 0); }

// Each character's advance plus the DC's character extra.
std::vector<int> SpacedAdvances(const TGdiFont& font, std::string_view text, int extra) {
  std::vector<int> advances;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    NextCodePoint(text, pos);
    advances.push_back(font.TextWidth(text.substr(start, pos - start)) + extra);
  }
  return advances;
}

long long CharacterCount(std::string_view text) {
  long long count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) NextCodePoint(text, pos);
  return count;
}

} // namespace

HFONT CreateFontIndirectA(const LOGFONTA* logFont) {
  if (!logFont || logFont->lfHeight < -MaxFontHeight || logFont->lfHeight > MaxFontHeight)
    return nullptr;
  LOGFONTA lf = *logFont;
  lf.lfFaceName[LF_FACESIZE - 1] = '\0';
  return AddObject<HFONT>(std::make_unique<TGdiFontObject>(lf));
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
  LOGFONTA lf = MakeLogFont(faceName ? faceName : "", height, weight);
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfItalic = italic ? 1 : 0;
  lf.lfUnderline = underline ? 1 : 0;
  lf.lfStrikeOut = strikeOut ? 1 : 0;
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  return CreateFontIndirectA(&lf);
}

int GetFontObject(HGDIOBJ object, int size, LPVOID out) {
  auto* font = ObjectOf<TGdiFontObject>(object);
  if (!font) return 0;
  if (!out) return sizeof(LOGFONTA);
  if (size < static_cast<int>(sizeof(LOGFONTA))) return 0;
  std::memcpy(out, &font->LogFont(), sizeof(LOGFONTA));
  return sizeof(LOGFONTA);
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
  return ExtTextOutA(hdc, x, y, 0, nullptr, text, count < 0 ? UINT_MAX : static_cast<UINT>(count),
                     nullptr);
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || count > static_cast<UINT>(INT32_MAX) || !ValidText(text, count)) return FALSE;
  const TGdiFont* font = SelectedFont(*dc);
  if (!font) return FALSE;
  if (TDcRecorder* recorder = RecorderOf(hdc)) {
    recorder->TextOut(*dc, TPoint{x, y}, options, rect, TextOf(text, count));
    return TRUE;
  }
  TTextDc t(*dc);
  const TPoint at = t.ToSurface(TPoint{x, y});
  TRect box;
  if (rect) box = t.ToSurface(*rect);
  const std::string_view chars = TextOf(text, count);
  std::vector<int> spaced;
  std::span<const int> advances;
  if (dx)
    advances = {dx, count};
  else if (dc->State().TextCharacterExtra != 0) {
    spaced = SpacedAdvances(*font, chars, dc->State().TextCharacterExtra);
    advances = spaced;
  }
  return Gdi::ExtTextOut(t.Target(), *font, t.State(), at.X, at.Y, options, rect ? &box : nullptr,
                         chars, advances)
             ? TRUE
             : FALSE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, SIZE* size) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || !size || !ValidText(text, count)) return FALSE;
  const TGdiFont* font = SelectedFont(*dc);
  if (!font) return FALSE;
  const std::string_view chars = TextOf(text, count);
  const TTextSize extent = Gdi::GetTextExtentPoint32(*font, chars);
  const long long spacing = dc->State().TextCharacterExtra * CharacterCount(chars);
  size->cx = static_cast<LONG>(std::clamp(extent.Cx + spacing, 0LL, DeviceLimit));
  size->cy = extent.Cy;
  return TRUE;
}

int SetTextCharacterExtra(HDC hdc, int extra) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return INT32_MIN;
  const int old = dc->State().TextCharacterExtra;
  dc->State().TextCharacterExtra =
      static_cast<int>(std::clamp<long long>(extra, -DeviceLimit, DeviceLimit));
  return old;
}

int GetTextCharacterExtra(HDC hdc) {
  TDeviceContext* dc = DcOf(hdc);
  return dc ? dc->State().TextCharacterExtra : INT32_MIN;
}

BOOL GetTextExtentExPointA(HDC hdc, LPCSTR text, int count, int maxExtent, INT* fit, INT* dx,
                           SIZE* size) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || !size || !ValidText(text, count)) return FALSE;
  const TGdiFont* font = SelectedFont(*dc);
  if (!font) return FALSE;
  TTextFit measured = Gdi::GetTextExtentExPoint(*font, TextOf(text, count), maxExtent);
  const long long extra = dc->State().TextCharacterExtra;
  if (extra != 0) {
    measured.Fit = 0;
    for (std::size_t i = 0; i < measured.Extents.size(); ++i) {
      const long long spaced = measured.Extents[i] + extra * static_cast<long long>(i + 1);
      measured.Extents[i] = static_cast<int>(std::clamp(spaced, -DeviceLimit, DeviceLimit));
      if (measured.Extents[i] <= maxExtent && measured.Fit == static_cast<int>(i)) ++measured.Fit;
    }
    if (!measured.Extents.empty()) measured.Size.Cx = measured.Extents.back();
  }
  if (fit) *fit = measured.Fit;
  if (dx) std::copy(measured.Extents.begin(), measured.Extents.end(), dx);
  size->cx = measured.Size.Cx;
  size->cy = measured.Size.Cy;
  return TRUE;
}

BOOL GetTextExtentPointA(HDC hdc, LPCSTR text, int count, SIZE* size) {
  return GetTextExtentPoint32A(hdc, text, count, size);
}

BOOL GetTextMetricsA(HDC hdc, TEXTMETRICA* metrics) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || !metrics) return FALSE;
  const TGdiFont* font = SelectedFont(*dc);
  if (!font) return FALSE;
  *metrics = Gdi::GetTextMetrics(*font);
  return TRUE;
}

int GetTextFaceA(HDC hdc, int size, LPSTR name) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || (name && size <= 0)) return 0;
  const TGdiFont* font = SelectedFont(*dc);
  if (!font) return 0;
  const LOGFONTA& lf = font->LogFont();
  String face(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  if (face.empty()) face = font->File().Family;
  if (!name) return static_cast<int>(face.size()) + 1;
  const std::size_t copied = std::min(face.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(name, face.data(), copied);
  name[copied] = '\0';
  return static_cast<int>(copied);
}

LONG TabbedTextOutA(HDC hdc, int x, int y, LPCSTR text, int count, int tabPositions,
                    const INT* tabStops, int tabOrigin) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || !ValidText(text, count) || !ValidTabs(tabPositions, tabStops)) return 0;
  const TGdiFont* font = SelectedFont(*dc);
  if (!font) return 0;
  TTextDc t(*dc);
  const TPoint at = t.ToSurface(TPoint{x, y});
  return Gdi::TabbedTextOut(t.Target(), *font, t.State(), at.X, at.Y, TextOf(text, count),
                            TabsOf(tabPositions, tabStops), Shift(tabOrigin, t.OffsetX()));
}

DWORD GetTabbedTextExtentA(HDC hdc, LPCSTR text, int count, int tabPositions, const INT* tabStops) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || !ValidText(text, count) || !ValidTabs(tabPositions, tabStops)) return 0;
  const TGdiFont* font = SelectedFont(*dc);
  if (!font) return 0;
  return Gdi::GetTabbedTextExtent(*font, TextOf(text, count), TabsOf(tabPositions, tabStops));
}

namespace {

int DrawTextOn(TDeviceContext& dc, std::string_view text, TRect& rect, UINT format,
               String* modified) {
  const TGdiFont* font = SelectedFont(dc);
  if (!font) return 0;
  TTextDc t(dc);
  TRect box = t.ToSurface(rect);
  const int height = Gdi::DrawText(t.Target(), *font, t.State(), text, box, format, modified);
  if (format & DT_CALCRECT) rect = t.ToLogical(box);
  return height;
}

long long LengthOf(LPCSTR text, int count) {
  if (count == -1 && text) return static_cast<long long>(std::strlen(text));
  return count;
}

} // namespace

int DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format) {
  TDeviceContext* dc = DcOf(hdc);
  const long long length = LengthOf(text, count);
  if (!dc || !rect || !ValidText(text, length)) return 0;
  if (TDcRecorder* recorder = RecorderOf(hdc); recorder && !(format & DT_CALCRECT))
    return recorder->DrawText(*dc, TextOf(text, length), *rect, format & ~DT_MODIFYSTRING);
  return DrawTextOn(*dc, TextOf(text, length), *rect, format & ~DT_MODIFYSTRING, nullptr);
}

int DrawTextExA(HDC hdc, LPSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params) {
  TDeviceContext* dc = DcOf(hdc);
  const long long length = LengthOf(text, count);
  if (!dc || !rect || !ValidText(text, length)) return 0;
  if (params && params->cbSize != sizeof(DRAWTEXTPARAMS)) return 0;
  TRect box = *rect;
  if (params) {
    box.Left = Shift(box.Left, params->iLeftMargin);
    box.Right = Shift(box.Right, -params->iRightMargin);
    if (params->iTabLength > 0 && (format & DT_EXPANDTABS))
      format = (format & ~0xFF00u) | DT_TABSTOP |
               static_cast<UINT>(std::min(params->iTabLength, 255)) << 8;
  }
  String modified;
  const int height = DrawTextOn(*dc, TextOf(text, length), box, format, &modified);
  if (format & DT_CALCRECT) {
    rect->Right = params ? Shift(box.Right, params->iRightMargin) : box.Right;
    rect->Bottom = box.Bottom;
  }
  // The text as shown goes back into the caller's buffer, never past the bytes it gave.
  if ((format & DT_MODIFYSTRING) && text && !modified.empty()) {
    const std::size_t n = std::min(modified.size(), static_cast<std::size_t>(length));
    std::memcpy(text, modified.data(), n);
    if (n < static_cast<std::size_t>(length)) text[n] = '\0';
  }
  if (params) params->uiLengthDrawn = static_cast<UINT>(length);
  return height;
}
