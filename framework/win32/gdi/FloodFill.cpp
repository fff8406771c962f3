#include "framework/win32/gdi/FloodFill.h"

#include <vector>

namespace {

// Marks the fill area inside the clip box; runs are then painted in one pass so the brush
// never disturbs the search.
class TFloodArea {
public:
  TFloodArea(TSpanWriter& out, std::uint32_t pixel, bool surface)
      : out_(out), box_(out.DeviceClipBox()), pixel_(pixel & 0x00FFFFFFu), surface_(surface),
        marks_(static_cast<std::size_t>(box_.Width()) * static_cast<std::size_t>(box_.Height())) {}

  bool Fillable(int x, int y) const {
    if (!out_.Visible(x, y) || Marked(x, y)) return false;
    const std::uint32_t c =
        out_.Surface().At(x + out_.Origin().X, y + out_.Origin().Y) & 0x00FFFFFFu;
    return surface_ ? c == pixel_ : c != pixel_;
  }

  void Fill(int x, int y) {
    std::vector<TPoint> seeds{{x, y}};
    while (!seeds.empty()) {
      const TPoint s = seeds.back();
      seeds.pop_back();
      if (!Fillable(s.X, s.Y)) continue;
      int left = s.X;
      int right = s.X;
      while (Fillable(left - 1, s.Y)) --left;
      while (Fillable(right + 1, s.Y)) ++right;
      for (int i = left; i <= right; ++i) Mark(i, s.Y);
      runs_.push_back({left, s.Y, right + 1, s.Y + 1});
      SeedRow(seeds, left, right, s.Y - 1);
      SeedRow(seeds, left, right, s.Y + 1);
    }
  }

  void Paint(const TPaint& paint) {
    for (const TRect& r : runs_) out_.FillSpan(r.Top, r.Left, r.Right, paint);
  }

private:
  void SeedRow(std::vector<TPoint>& seeds, int left, int right, int y) const {
    bool inRun = false;
    for (int x = left; x <= right; ++x) {
      const bool f = Fillable(x, y);
      if (f && !inRun) seeds.push_back({x, y});
      inRun = f;
    }
  }

  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y - box_.Top) * static_cast<std::size_t>(box_.Width()) +
           static_cast<std::size_t>(x - box_.Left);
  }
  bool Marked(int x, int y) const { return marks_[Index(x, y)] != 0; }
  void Mark(int x, int y) { marks_[Index(x, y)] = 1; }

  TSpanWriter& out_;
  TRect box_;
  std::uint32_t pixel_;
  bool surface_;
  std::vector<std::uint8_t> marks_;
  std::vector<TRect> runs_;
};

} // namespace

bool FloodFillArea(TDeviceContext& dc, TPoint start, std::uint32_t colour, bool surface) {
  TSpanWriter out = dc.Writer();
  const TPoint d = dc.ToDevice(start);
  TFloodArea area(out, ColorRefToPixel(colour), surface);
  if (!area.Fillable(d.X, d.Y)) return false;
  area.Fill(d.X, d.Y);
  if (const std::optional<TPaint> brush = dc.BrushPaint(dc.State().Brush, Rop2CopyPen))
    area.Paint(*brush);
  return true;
}
