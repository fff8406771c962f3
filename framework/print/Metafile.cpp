#include "framework/print/Metafile.h"

#include "framework/win32/WinHandles.h"
#include "framework/win32/gdi/GdiFont.h"
#include "framework/win32/gdi/GdiObjects.h"
#include "framework/win32/gdi/SysColors.h"
#include "framework/win32/gdi/TextLayout.h"

#include <algorithm>

namespace {

constexpr int DefaultTabCharacters = 8;

TMetaPen PenOf(const TDeviceContext& dc) {
  TMetaPen pen;
  const auto* gdiPen = TGdiHandles::Instance().FindAs<TGdiPen>(dc.State().Pen);
  if (!gdiPen) return pen;
  pen.Colour = gdiPen->UsesDcColour ? dc.State().DcPenColour : gdiPen->Colour;
  pen.Width = std::max(1, gdiPen->Width);
  pen.Style = gdiPen->Style == TPenDash::InsideFrame ? PS_SOLID : static_cast<int>(gdiPen->Style);
  return pen;
}

TMetaBrush BrushOf(const TDeviceContext& dc, THandleId id) {
  TMetaBrush brush;
  const auto* gdiBrush = TGdiHandles::Instance().FindAs<TGdiBrush>(id);
  if (!gdiBrush) return TMetaBrush{0xFFFFFF, true};
  brush.Null = gdiBrush->Style == TGdiBrushStyle::Null;
  if (gdiBrush->UsesDcColour)
    brush.Colour = dc.State().DcBrushColour;
  else if (gdiBrush->SysColourIndex >= 0)
    brush.Colour = SysColorRef(gdiBrush->SysColourIndex);
  else
    brush.Colour = gdiBrush->Colour;
  return brush;
}

const TGdiFontObject& FontOf(const TDeviceContext& dc) {
  TGdiHandles& table = TGdiHandles::Instance();
  const auto* font = table.FindAs<TGdiFontObject>(dc.State().Font);
  if (!font) font = table.FindAs<TGdiFontObject>(table.Stock(SYSTEM_FONT));
  return *font;
}

TMetaRecord Shape(TMetaOp op, const TDeviceContext& dc, const TRect& box) {
  TMetaRecord record;
  record.Op = op;
  record.Box = dc.ToDevice(box);
  record.Pen = PenOf(dc);
  record.Brush = BrushOf(dc, dc.State().Brush);
  return record;
}

TMetaRecord Filled(const TRect& box, TMetaBrush brush) {
  TMetaRecord record;
  record.Op = TMetaOp::Fill;
  record.Box = box;
  record.Brush = brush;
  return record;
}

// The left end of a run's base line from where TextOut was asked to put it.
TPoint BaseLineOrigin(TPoint at, unsigned align, int width, const TEXTMETRICA& metrics) {
  TPoint origin = at;
  if ((align & TA_CENTER) == TA_CENTER)
    origin.X -= width / 2;
  else if (align & TA_RIGHT)
    origin.X -= width;
  if ((align & TA_BASELINE) == TA_BASELINE) return origin;
  if (align & TA_BOTTOM)
    origin.Y -= metrics.tmDescent;
  else
    origin.Y += metrics.tmAscent;
  return origin;
}

int TabWidth(UINT format, const TEXTMETRICA& metrics) {
  int characters = DefaultTabCharacters;
  if (format & DT_TABSTOP) {
    characters = static_cast<int>((format >> 8) & 0xFF);
    if (characters == 0) characters = DefaultTabCharacters;
  }
  return characters * metrics.tmAveCharWidth;
}

bool SamePicture(const TRaster& a, const TRaster& b) {
  return a.Width == b.Width && a.Height == b.Height && a.Pixels == b.Pixels;
}

TRaster CopyPart(const TRaster& source, const TRect& part) {
  const TRect inside{std::max(part.Left, 0), std::max(part.Top, 0),
                     std::min(part.Right, source.Width), std::min(part.Bottom, source.Height)};
  if (inside.Right <= inside.Left || inside.Bottom <= inside.Top) return TRaster(1, 1, 0xFFFFFFFFu);
  TRaster copy(inside.Right - inside.Left, inside.Bottom - inside.Top);
  for (int y = 0; y < copy.Height; ++y)
    std::copy_n(source.Pixels.begin() + static_cast<std::ptrdiff_t>(inside.Top + y) * source.Width +
                    inside.Left,
                copy.Width, copy.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * copy.Width);
  return copy;
}

} // namespace

TMetaPage& TMetafileRecorder::Page() {
  if (pages_.empty()) pages_.emplace_back();
  return pages_.back();
}

void TMetafileRecorder::LineTo(TDeviceContext& dc, TPoint to) {
  TMetaRecord record;
  record.Op = TMetaOp::Line;
  const TPoint a = dc.ToDevice(dc.State().CurrentPosition);
  const TPoint b = dc.ToDevice(to);
  record.Box = TRect{a.X, a.Y, b.X, b.Y};
  record.Pen = PenOf(dc);
  Add(std::move(record));
}

void TMetafileRecorder::Rectangle(TDeviceContext& dc, const TRect& box) {
  Add(Shape(TMetaOp::Rectangle, dc, box));
}

void TMetafileRecorder::Ellipse(TDeviceContext& dc, const TRect& box) {
  Add(Shape(TMetaOp::Ellipse, dc, box));
}

void TMetafileRecorder::FillRect(TDeviceContext& dc, const TRect& box, std::uintptr_t brush) {
  Add(Filled(dc.ToDevice(box), BrushOf(dc, brush)));
}

void TMetafileRecorder::FrameRect(TDeviceContext& dc, const TRect& box, std::uintptr_t brush) {
  const TRect b = dc.ToDevice(box);
  if (b.Right <= b.Left || b.Bottom <= b.Top) return;
  const TMetaBrush paint = BrushOf(dc, brush);
  Add(Filled(TRect{b.Left, b.Top, b.Right, b.Top + 1}, paint));
  Add(Filled(TRect{b.Left, b.Bottom - 1, b.Right, b.Bottom}, paint));
  Add(Filled(TRect{b.Left, b.Top, b.Left + 1, b.Bottom}, paint));
  Add(Filled(TRect{b.Right - 1, b.Top, b.Right, b.Bottom}, paint));
}

void TMetafileRecorder::AddText(TDeviceContext& dc, TPoint origin, std::string_view text,
                                std::optional<TRect> clip) {
  const TGdiFontObject& font = FontOf(dc);
  const TEXTMETRICA& metrics = font.Font().Metrics();
  if (dc.State().BkMode == TTextState::Opaque) {
    const int width = font.Font().TextWidth(text);
    TRect cell{origin.X, origin.Y - metrics.tmAscent, origin.X + width,
               origin.Y + metrics.tmDescent};
    if (clip) cell = Intersection(cell, *clip);
    Add(Filled(cell, TMetaBrush{dc.State().BkColour, false}));
  }
  TMetaRecord record;
  record.Op = TMetaOp::Text;
  record.Font = font.LogFont();
  record.TextColour = dc.State().TextColour;
  record.Origin = origin;
  record.Text = String(text);
  record.Clip = clip;
  Add(std::move(record));
}

void TMetafileRecorder::TextOut(TDeviceContext& dc, TPoint at, UINT options, const TRect* box,
                                std::string_view text) {
  const TGdiFont& font = FontOf(dc).Font();
  const unsigned align = dc.State().TextAlign;
  const int width = font.TextWidth(text);
  const TPoint from = (align & TA_UPDATECP) ? dc.State().CurrentPosition : at;
  if (align & TA_UPDATECP) dc.State().CurrentPosition.X += width;
  std::optional<TRect> clip;
  if (box) {
    const TRect b = dc.ToDevice(*box);
    if (options & ETO_OPAQUE) Add(Filled(b, TMetaBrush{dc.State().BkColour, false}));
    if (options & ETO_CLIPPED) clip = b;
  }
  AddText(dc, BaseLineOrigin(dc.ToDevice(from), align, width, font.Metrics()), text, clip);
}

int TMetafileRecorder::DrawText(TDeviceContext& dc, std::string_view text, TRect& box,
                                UINT format) {
  const TGdiFont& font = FontOf(dc).Font();
  const TRect device = dc.ToDevice(box);
  const TTextLayout layout = LayoutDrawText(font, text, device, format);
  const std::optional<TRect> clip =
      (format & DT_NOCLIP) ? std::nullopt : std::optional<TRect>(device);
  const int tabWidth = std::max(1, TabWidth(format, font.Metrics()));
  const int ascent = font.Metrics().tmAscent;
  for (const TLaidLine& line : layout.Lines) {
    int pen = 0;
    std::string_view rest = line.Text;
    while (true) {
      const std::size_t tab = (format & DT_EXPANDTABS) ? rest.find('\t') : std::string_view::npos;
      const std::string_view run = rest.substr(0, tab);
      if (!run.empty()) AddText(dc, TPoint{line.X + pen, line.Y + ascent}, run, clip);
      if (tab == std::string_view::npos) break;
      pen += font.TextWidth(run);
      pen += tabWidth - pen % tabWidth;
      rest.remove_prefix(tab + 1);
    }
  }
  return layout.Height;
}

int TMetafileRecorder::PictureIndex(const TRaster& source, const TRect& part) {
  TRaster copy = CopyPart(source, part);
  auto& pictures = Page().Pictures;
  for (std::size_t i = 0; i < pictures.size(); ++i)
    if (SamePicture(*pictures[i], copy)) return static_cast<int>(i);
  pictures.push_back(std::make_shared<const TRaster>(std::move(copy)));
  return static_cast<int>(pictures.size()) - 1;
}

void TMetafileRecorder::Picture(TDeviceContext& dc, const TRect& dest, const TRaster& source,
                                const TRect& part) {
  TMetaRecord record;
  record.Op = TMetaOp::Picture;
  record.Box = dc.ToDevice(dest);
  record.Picture = PictureIndex(source, part);
  const TRaster& picture = *Page().Pictures[static_cast<std::size_t>(record.Picture)];
  record.Part = TRect{0, 0, picture.Width, picture.Height};
  Add(std::move(record));
}
