#include "framework/win32/user/EditPaint.h"

#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/gdi/Primitives.h"
#include "framework/win32/gdi/SysColors.h"
#include "framework/win32/gdi/TextRender.h"
#include "framework/win32/gdi/Utf8.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/WindowProcs.h"

#include <algorithm>

namespace {

constexpr int SysWindow = 5, SysWindowText = 8, SysHighlight = 13, SysHighlightText = 14,
              SysBtnFace = 15, SysGrayText = 17;

struct TEditColours {
  std::uint32_t Text = 0;
  std::uint32_t Selection = 0;
  std::uint32_t SelectionText = 0;
};

struct TPainter {
  const TEditView& View;
  TRaster& Surface;
  TPoint Origin;           // surface pixels of the client's (0, 0)
  std::vector<TRect> Clip; // surface pixels
  TEditColours Colours;

  TRect ToSurface(const TRect& r) const {
    return Rect(r.Left + Origin.X, r.Top + Origin.Y, r.Right + Origin.X, r.Bottom + Origin.Y);
  }
  void Fill(const TRect& r, std::uint32_t colorRef) const {
    TextRender::FillRect(Surface, Clip, ToSurface(r), TextRender::PixelOf(colorRef));
  }
};

HWND ParentOf(HWND h) {
  const TWindow* w = WindowOf(h);
  if (!w) return nullptr;
  const TWindow* p = w->IsChild() ? w->Parent : w->Owner;
  return p ? p->Handle : nullptr;
}

// Asks the parent for the colours and fills the client area; false when the edit went away.
bool PaintBackground(HWND h, THandleId dcId, const TEditView& view, TEditColours& colours) {
  TDeviceContext* dc = TGdiHandles::Instance().FindDc(dcId);
  if (!dc) return false;
  dc->State().TextColour = SysColorRef(SysWindowText);
  dc->State().BkColour = SysColorRef(view.Grey ? SysBtnFace : SysWindow);
  const HWND parent = ParentOf(h);
  const LRESULT brush = parent ? SendTo(parent, view.Grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                        dcId, reinterpret_cast<LPARAM>(h))
                               : 0;
  const TWindow* w = WindowOf(h);
  if (!w || !(dc = TGdiHandles::Instance().FindDc(dcId))) return false;
  const TRect client = Rect(0, 0, w->Client.Width(), w->Client.Height());
  if (brush && TGdiHandles::Instance().Find(static_cast<THandleId>(brush))) {
    FillRectWith(*dc, client, static_cast<THandleId>(brush));
  } else {
    TRegion clip = dc->DeviceClip();
    clip.Offset(dc->SurfaceOrigin().X, dc->SurfaceOrigin().Y);
    TextRender::FillRect(
        *dc->Surface(), clip.Rects(),
        Rect(client.Left + dc->SurfaceOrigin().X, client.Top + dc->SurfaceOrigin().Y,
             client.Right + dc->SurfaceOrigin().X, client.Bottom + dc->SurfaceOrigin().Y),
        TextRender::PixelOf(SysColorRef(view.Grey ? SysBtnFace : SysWindow)));
  }
  colours.Text = view.Disabled ? SysColorRef(SysGrayText) : dc->State().TextColour;
  colours.Selection = SysColorRef(SysHighlight);
  colours.SelectionText = SysColorRef(SysHighlightText);
  return true;
}

// The text shown for [from, to): password characters in place of the characters.
String Shown(const TEditView& view, std::size_t from, std::size_t to) {
  const String& text = view.Buffer->Text();
  if (!view.Password) return text.substr(from, to - from);
  String shown;
  for (std::size_t p = from; p < to; p = view.Layout->NextCharacter(p))
    AppendUtf8(shown, view.Password);
  return shown;
}

// Draws [from, to) of a line whose start lies at lineX, y; tabs are gaps.
void DrawRun(const TPainter& painter, int line, std::size_t from, std::size_t to, int lineX, int y,
             std::uint32_t colour) {
  const TEditView& v = painter.View;
  const String& text = v.Buffer->Text();
  TTextTarget target{&painter.Surface, painter.Clip};
  TTextState state;
  state.BkMode = TTextState::Transparent;
  state.TextColor = colour;
  std::size_t piece = from;
  auto flush = [&](std::size_t end) {
    if (end > piece)
      Gdi::TextOut(target, *v.Font, state, lineX + v.Layout->XOf(line, piece) + painter.Origin.X,
                   y + painter.Origin.Y, Shown(v, piece, end));
  };
  for (std::size_t p = from; p < to; p = v.Layout->NextCharacter(p)) {
    if (text[p] != '\t' || v.Password) continue;
    flush(p);
    piece = p + 1;
  }
  flush(to);
}

void DrawLine(const TPainter& painter, int line, int y) {
  const TEditView& v = painter.View;
  const TEditLine& l = v.Layout->Lines()[static_cast<std::size_t>(line)];
  const int lineX =
      v.FormatRect.Left + v.AlignOffsets[static_cast<std::size_t>(line - v.TopLine)] - v.XOffset;
  const int height = v.Layout->LineHeight();
  std::size_t selFrom = l.Start, selTo = l.Start;
  if (v.ShowSelection && v.Buffer->HasSelection()) {
    selFrom = std::clamp(v.Buffer->SelStart(), l.Start, l.End);
    selTo = std::clamp(v.Buffer->SelEnd(), l.Start, l.End);
  }
  DrawRun(painter, line, l.Start, selFrom, lineX, y, painter.Colours.Text);
  if (selTo > selFrom) {
    const int x0 = lineX + v.Layout->XOf(line, selFrom), x1 = lineX + v.Layout->XOf(line, selTo);
    painter.Fill(Rect(x0, y, x1, y + height), painter.Colours.Selection);
    DrawRun(painter, line, selFrom, selTo, lineX, y, painter.Colours.SelectionText);
  }
  DrawRun(painter, line, selTo, l.End, lineX, y, painter.Colours.Text);
}

void DrawCaret(const TPainter& painter) {
  const TEditView& v = painter.View;
  const std::size_t caret = v.Buffer->Caret();
  const int line = v.Layout->LineOf(caret);
  const int index = line - v.TopLine;
  if (index < 0 || index >= static_cast<int>(v.AlignOffsets.size())) return;
  const int x = v.FormatRect.Left + v.AlignOffsets[static_cast<std::size_t>(index)] - v.XOffset +
                v.Layout->XOf(line, caret);
  const int y = v.FormatRect.Top + index * v.Layout->LineHeight();
  painter.Fill(Rect(x, y, x + 1, y + v.Layout->LineHeight()), painter.Colours.Text);
}

} // namespace

void PaintEdit(HWND h, const TEditView& view) {
  PAINTSTRUCT ps;
  const THandleId dcId = BeginPaintOn(h, ps);
  TEditColours colours;
  if (dcId && PaintBackground(h, dcId, view, colours)) {
    TDeviceContext* dc = TGdiHandles::Instance().FindDc(dcId);
    TRegion clip = dc->DeviceClip();
    clip.IntersectWith(dc->ToDevice(view.FormatRect));
    clip.Offset(dc->SurfaceOrigin().X, dc->SurfaceOrigin().Y);
    if (TRaster* surface = dc->Surface(); surface && !clip.IsEmpty()) {
      const std::span<const TRect> parts = clip.Rects();
      const TPainter painter{
          view, *surface, dc->SurfaceOrigin(), {parts.begin(), parts.end()}, colours};
      const int height = view.Layout->LineHeight();
      for (int line = view.TopLine, y = view.FormatRect.Top;
           line < view.Layout->LineCount() && y < view.FormatRect.Bottom &&
           line - view.TopLine < static_cast<int>(view.AlignOffsets.size());
           ++line, y += height)
        DrawLine(painter, line, y);
      if (view.CaretShown) DrawCaret(painter);
    }
  }
  if (WindowOf(h)) EndPaintOn(h, ps);
}
