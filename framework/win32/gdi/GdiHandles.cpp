#include "framework/win32/gdi/GdiHandles.h"

#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/gdi/GdiFont.h"

namespace {

std::unique_ptr<TGdiObject> StockBrush(std::uint32_t colour,
                                       TBrushStyle style = TBrushStyle::Solid) {
  auto b = std::make_unique<TGdiBrush>();
  b->Colour = colour;
  b->Style = style;
  return b;
}

std::unique_ptr<TGdiObject> StockPen(std::uint32_t colour, TPenDash style = TPenDash::Solid) {
  auto p = std::make_unique<TGdiPen>();
  p->Colour = colour;
  p->Style = style;
  return p;
}

bool StateHolds(const TDcState& s, THandleId id) {
  return s.Pen == id || s.Brush == id || s.Font == id || s.Bitmap == id;
}

} // namespace

TGdiHandles& TGdiHandles::Instance() {
  static TGdiHandles table;
  return table;
}

TGdiHandles::TGdiHandles() = default;

TGdiHandles::~TGdiHandles() {
  dcs_.clear();
  objects_.clear();
}

THandleId TGdiHandles::NextId() {
  next_ += 4;
  return next_;
}

THandleId TGdiHandles::Add(std::unique_ptr<TGdiObject> object) {
  const THandleId id = NextId();
  objects_.emplace(id, std::move(object));
  return id;
}

TGdiObject* TGdiHandles::Find(THandleId id) const {
  auto it = objects_.find(id);
  return it == objects_.end() ? nullptr : it->second.get();
}

bool TGdiHandles::Delete(THandleId id) {
  auto it = objects_.find(id);
  if (it == objects_.end() || it->second->Stock || IsSelected(id)) return false;
  objects_.erase(it);
  return true;
}

THandleId TGdiHandles::AddDc(std::unique_ptr<TDeviceContext> dc) {
  const THandleId id = NextId();
  dcs_.emplace(id, std::move(dc));
  return id;
}

TDeviceContext* TGdiHandles::FindDc(THandleId id) const {
  auto it = dcs_.find(id);
  return it == dcs_.end() ? nullptr : it->second.get();
}

bool TGdiHandles::DeleteDc(THandleId id) { return dcs_.erase(id) > 0; }

bool TGdiHandles::IsSelected(THandleId id) const {
  for (const auto& [dcId, dc] : dcs_) {
    if (StateHolds(dc->State(), id)) return true;
    for (const TDcState& s : dc->SavedStates())
      if (StateHolds(s, id)) return true;
  }
  return false;
}

void TGdiHandles::RegisterStock(int index, std::unique_ptr<TGdiObject> object) {
  object->Stock = true;
  stock_[index] = Add(std::move(object));
}

void TGdiHandles::CreateStockObjects() {
  RegisterStock(0, StockBrush(0xFFFFFF));
  RegisterStock(1, StockBrush(0xC0C0C0));
  RegisterStock(2, StockBrush(0x808080));
  RegisterStock(3, StockBrush(0x404040));
  RegisterStock(4, StockBrush(0x000000));
  RegisterStock(5, StockBrush(0, TBrushStyle::Null));
  RegisterStock(6, StockPen(0xFFFFFF));
  RegisterStock(7, StockPen(0x000000));
  RegisterStock(8, StockPen(0, TPenDash::Null));
  auto dcBrush = std::make_unique<TGdiBrush>();
  dcBrush->UsesDcColour = true;
  RegisterStock(18, std::move(dcBrush));
  auto dcPen = std::make_unique<TGdiPen>();
  dcPen->UsesDcColour = true;
  RegisterStock(19, std::move(dcPen));
  RegisterStockFonts(*this);
}

THandleId TGdiHandles::Stock(int index) {
  if (stock_.empty()) CreateStockObjects();
  auto it = stock_.find(index);
  return it == stock_.end() ? 0 : it->second;
}

THandleId TGdiHandles::DefaultBitmap() {
  if (defaultBitmap_ == 0) {
    auto bitmap = std::make_unique<TGdiBitmap>();
    bitmap->Raster = TRaster(1, 1, 0xFF000000u);
    bitmap->BitsPixel = 1;
    bitmap->Stock = true;
    defaultBitmap_ = Add(std::move(bitmap));
  }
  return defaultBitmap_;
}
