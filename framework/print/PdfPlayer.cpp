#include "framework/print/PdfPlayer.h"

#include "framework/print/PrintErrors.h"
#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/gdi/GdiFont.h"
#include "framework/win32/gdi/Utf8.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <vector>

namespace {

constexpr double PointsPerInch = 72.0;

void SetColour(cairo_t* cr, std::uint32_t colour) {
  cairo_set_source_rgb(cr, (colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                       ((colour >> 16) & 0xFF) / 255.0);
}

void SetDash(cairo_t* cr, int style, double width) {
  const double w = std::max(1.0, width);
  std::vector<double> dashes;
  switch (style) {
  case PS_DASH:
    dashes = {18 * w, 6 * w};
    break;
  case PS_DOT:
    dashes = {3 * w, 3 * w};
    break;
  case PS_DASHDOT:
    dashes = {9 * w, 6 * w, 3 * w, 6 * w};
    break;
  case PS_DASHDOTDOT:
    dashes = {9 * w, 3 * w, 3 * w, 3 * w, 3 * w, 3 * w};
    break;
  default:
    break;
  }
  cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
}

// Strokes the current path with the pen; false (and the path dropped) for a null pen.
void Stroke(cairo_t* cr, const TMetaPen& pen) {
  if (pen.Style == PS_NULL) {
    cairo_new_path(cr);
    return;
  }
  SetColour(cr, pen.Colour);
  cairo_set_line_width(cr, pen.Width);
  SetDash(cr, pen.Style, pen.Width);
  cairo_stroke(cr);
}

void FillAndStroke(cairo_t* cr, const TMetaRecord& r) {
  if (!r.Brush.Null) {
    SetColour(cr, r.Brush.Colour);
    cairo_fill_preserve(cr);
  }
  Stroke(cr, r.Pen);
}

// The outline's path: on the pixel centres GDI draws it through.
void ShapePath(cairo_t* cr, const TMetaRecord& r) {
  const double l = r.Box.Left + 0.5, t = r.Box.Top + 0.5;
  const double w = std::max(0, r.Box.Right - r.Box.Left - 1);
  const double h = std::max(0, r.Box.Bottom - r.Box.Top - 1);
  if (r.Op == TMetaOp::Rectangle) {
    cairo_rectangle(cr, l, t, w, h);
    return;
  }
  if (w <= 0 || h <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, l + w / 2, t + h / 2);
  cairo_scale(cr, w / 2, h / 2);
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_restore(cr);
}

// Valid UTF-8 only: a malformed byte becomes U+FFFD, which cairo accepts.
String CleanUtf8(const String& text) {
  String clean;
  std::size_t pos = 0;
  while (pos < text.size()) AppendUtf8(clean, NextCodePoint(text, pos));
  return clean;
}

} // namespace

struct TPdfDocument::TState {
  String Path;
  cairo_surface_t* Surface = nullptr;
  cairo_t* Cr = nullptr;
  std::map<std::pair<String, int>, cairo_font_face_t*> Faces;
  std::map<String, std::unique_ptr<TGdiFont>> Fonts; // by the bytes of their LOGFONTA
  bool Finished = false;

  ~TState() {
    if (Cr) cairo_destroy(Cr);
    if (Surface) cairo_surface_destroy(Surface);
    for (auto& [key, face] : Faces) cairo_font_face_destroy(face);
  }

  cairo_font_face_t* FaceOf(const TFontFile& file, bool embolden) {
    const auto key = std::make_pair(file.Path + (embolden ? "#b" : ""), file.Index);
    if (const auto it = Faces.find(key); it != Faces.end()) return it->second;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(file.Path.c_str()));
    FcPatternAddInteger(pattern, FC_INDEX, file.Index);
    FcPatternAddBool(pattern, FC_EMBOLDEN, embolden ? FcTrue : FcFalse);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    Faces[key] = face;
    return face;
  }

  const TGdiFont& FontOf(const LOGFONTA& logFont) {
    String key(reinterpret_cast<const char*>(&logFont), sizeof logFont);
    auto& font = Fonts[key];
    if (!font) font = std::make_unique<TGdiFont>(logFont);
    return *font;
  }

  void Text(const TMetaRecord& r) {
    const TGdiFont& font = FontOf(r.Font);
    const TEXTMETRICA& metrics = font.Metrics();
    const bool embolden = r.Font.lfWeight >= FW_SEMIBOLD && !font.File().Bold;
    cairo_save(Cr);
    if (r.Clip) {
      cairo_rectangle(Cr, r.Clip->Left, r.Clip->Top, r.Clip->Right - r.Clip->Left,
                      r.Clip->Bottom - r.Clip->Top);
      cairo_clip(Cr);
    }
    cairo_set_font_face(Cr, FaceOf(font.File(), embolden));
    const double em = metrics.tmHeight - metrics.tmInternalLeading;
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, em, em);
    if (r.Font.lfItalic && !font.File().Italic) matrix.xy = -0.2 * em;
    cairo_set_font_matrix(Cr, &matrix);
    SetColour(Cr, r.TextColour);
    cairo_move_to(Cr, r.Origin.X, r.Origin.Y);
    cairo_show_text(Cr, CleanUtf8(r.Text).c_str());
    TextLines(r, font);
    cairo_restore(Cr);
  }

  void TextLines(const TMetaRecord& r, const TGdiFont& font) {
    const int width = font.TextWidth(r.Text);
    const TFontLines& lines = font.Lines();
    if (r.Font.lfUnderline)
      cairo_rectangle(Cr, r.Origin.X, r.Origin.Y + lines.UnderlineTop, width,
                      lines.UnderlineThickness);
    if (r.Font.lfStrikeOut)
      cairo_rectangle(Cr, r.Origin.X, r.Origin.Y + lines.StrikeOutTop, width,
                      lines.StrikeOutThickness);
    cairo_fill(Cr);
  }

  void Picture(const TMetaRecord& r, cairo_surface_t* picture) {
    const double w = r.Box.Right - r.Box.Left, h = r.Box.Bottom - r.Box.Top;
    const double pw = r.Part.Right - r.Part.Left, ph = r.Part.Bottom - r.Part.Top;
    if (w == 0 || h == 0 || pw <= 0 || ph <= 0) return;
    cairo_save(Cr);
    cairo_rectangle(Cr, std::min<double>(r.Box.Left, r.Box.Right),
                    std::min<double>(r.Box.Top, r.Box.Bottom), std::abs(w), std::abs(h));
    cairo_clip(Cr);
    cairo_translate(Cr, r.Box.Left, r.Box.Top);
    cairo_scale(Cr, w / pw, h / ph);
    cairo_set_source_surface(Cr, picture, -r.Part.Left, -r.Part.Top);
    cairo_pattern_set_filter(cairo_get_source(Cr), CAIRO_FILTER_NEAREST); // as StretchBlt does
    cairo_paint(Cr);
    cairo_restore(Cr);
  }

  void Record(const TMetaRecord& r, const std::vector<cairo_surface_t*>& pictures) {
    switch (r.Op) {
    case TMetaOp::Line:
      cairo_move_to(Cr, r.Box.Left + 0.5, r.Box.Top + 0.5);
      cairo_line_to(Cr, r.Box.Right + 0.5, r.Box.Bottom + 0.5);
      cairo_set_line_cap(Cr, CAIRO_LINE_CAP_BUTT);
      Stroke(Cr, r.Pen);
      break;
    case TMetaOp::Rectangle:
    case TMetaOp::Ellipse:
      ShapePath(Cr, r);
      FillAndStroke(Cr, r);
      break;
    case TMetaOp::Fill:
      if (r.Brush.Null) break;
      cairo_rectangle(Cr, r.Box.Left, r.Box.Top, r.Box.Right - r.Box.Left,
                      r.Box.Bottom - r.Box.Top);
      SetColour(Cr, r.Brush.Colour);
      cairo_fill(Cr);
      break;
    case TMetaOp::Text:
      Text(r);
      break;
    case TMetaOp::Picture:
      if (r.Picture >= 0 && r.Picture < static_cast<int>(pictures.size()))
        Picture(r, pictures[static_cast<std::size_t>(r.Picture)]);
      break;
    }
  }
};

namespace {

// A cairo image over the raster's pixels (0xAARRGGBB words are cairo's RGB24 on this CPU).
cairo_surface_t* PictureSurface(const TRaster& raster) {
  return cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(raster.Pixels.data())),
      CAIRO_FORMAT_RGB24, raster.Width, raster.Height, raster.Width * 4);
}

void Check(cairo_status_t status, const String& path) {
  if (status != CAIRO_STATUS_SUCCESS)
    throw EPrinter("Cannot write \"" + path + "\": " + cairo_status_to_string(status));
}

} // namespace

TPdfDocument::TPdfDocument(const String& path) : state_(std::make_unique<TState>()) {
  state_->Path = path;
  state_->Surface = cairo_pdf_surface_create(path.c_str(), 595, 842);
  Check(cairo_surface_status(state_->Surface), path);
  cairo_pdf_surface_set_metadata(state_->Surface, CAIRO_PDF_METADATA_CREATOR, "LumTools");
  state_->Cr = cairo_create(state_->Surface);
}

TPdfDocument::~TPdfDocument() = default;

void TPdfDocument::AddPage(const TMetaPage& page, const TDeviceCaps& caps) {
  cairo_t* cr = state_->Cr;
  cairo_pdf_surface_set_size(state_->Surface, caps.PhysicalWidth * PointsPerInch / caps.LogPixelsX,
                             caps.PhysicalHeight * PointsPerInch / caps.LogPixelsY);
  std::vector<cairo_surface_t*> pictures;
  for (const auto& picture : page.Pictures) pictures.push_back(PictureSurface(*picture));
  cairo_save(cr);
  cairo_scale(cr, PointsPerInch / caps.LogPixelsX, PointsPerInch / caps.LogPixelsY);
  cairo_translate(cr, caps.OffsetX, caps.OffsetY);
  for (const TMetaRecord& record : page.Records) state_->Record(record, pictures);
  cairo_restore(cr);
  cairo_show_page(cr);
  for (cairo_surface_t* picture : pictures) cairo_surface_destroy(picture);
  Check(cairo_status(cr), state_->Path);
}

void TPdfDocument::Finish() {
  if (state_->Finished) return;
  state_->Finished = true;
  cairo_destroy(state_->Cr);
  state_->Cr = nullptr;
  cairo_surface_finish(state_->Surface);
  const cairo_status_t status = cairo_surface_status(state_->Surface);
  cairo_surface_destroy(state_->Surface);
  state_->Surface = nullptr;
  Check(status, state_->Path);
}
