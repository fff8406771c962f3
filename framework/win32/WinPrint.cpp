#include "framework/win32/WinPrint.h"
#include "framework/win32/WinHandles.h"

#include <cstring>
#include <unordered_map>

namespace {

struct TRecordingDc {
  TDcRecorder* Recorder = nullptr;
  TDeviceCaps Caps;
  HBITMAP Colour = nullptr; // a 32-bit bitmap, so text is measured as on colour surfaces
};

std::unordered_map<THandleId, TRecordingDc>& RecordingDcs() {
  static std::unordered_map<THandleId, TRecordingDc> dcs;
  return dcs;
}

const TRecordingDc* RecordingOf(HDC dc) {
  const auto& dcs = RecordingDcs();
  const auto it = dcs.find(IdFromHandle(dc));
  return it == dcs.end() ? nullptr : &it->second;
}

TDeviceCaps ScreenCaps(const TDeviceContext& dc) {
  TDeviceCaps caps;
  if (const TRaster* surface = dc.Surface()) {
    caps.PhysicalWidth = caps.HorzRes = surface->Width;
    caps.PhysicalHeight = caps.VertRes = surface->Height;
  }
  return caps;
}

int MillimetresOf(int pixels, int perInch) {
  return perInch > 0 ? pixels * 254 / (perInch * 10) : 0;
}

} // namespace

HDC CreateRecordingDc(TDcRecorder& recorder, const TDeviceCaps& caps) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP colour = CreateBitmap(1, 1, 1, 32, nullptr);
  SelectObject(dc, colour);
  RecordingDcs()[IdFromHandle(dc)] = TRecordingDc{&recorder, caps, colour};
  return dc;
}

void SetRecordingDcCaps(HDC dc, const TDeviceCaps& caps) {
  const auto it = RecordingDcs().find(IdFromHandle(dc));
  if (it != RecordingDcs().end()) it->second.Caps = caps;
}

void DeleteRecordingDc(HDC dc) {
  const auto it = RecordingDcs().find(IdFromHandle(dc));
  if (it == RecordingDcs().end()) return;
  const HBITMAP colour = it->second.Colour;
  RecordingDcs().erase(it);
  DeleteDC(dc);
  DeleteObject(colour);
}

TDcRecorder* RecorderOf(HDC dc) {
  if (RecordingDcs().empty()) return nullptr;
  const TRecordingDc* recording = RecordingOf(dc);
  return recording ? recording->Recorder : nullptr;
}

int GetDeviceCaps(HDC hdc, int index) {
  const TDeviceContext* dc = DcOf(hdc);
  if (!dc) return 0;
  const TRecordingDc* recording = RecordingOf(hdc);
  const TDeviceCaps caps = recording ? recording->Caps : ScreenCaps(*dc);
  switch (index) {
  case LOGPIXELSX:
    return caps.LogPixelsX;
  case LOGPIXELSY:
    return caps.LogPixelsY;
  case HORZRES:
    return caps.HorzRes;
  case VERTRES:
    return caps.VertRes;
  case HORZSIZE:
    return MillimetresOf(caps.HorzRes, caps.LogPixelsX);
  case VERTSIZE:
    return MillimetresOf(caps.VertRes, caps.LogPixelsY);
  case BITSPIXEL:
    return 32;
  case PHYSICALWIDTH:
    return recording ? caps.PhysicalWidth : 0;
  case PHYSICALHEIGHT:
    return recording ? caps.PhysicalHeight : 0;
  case PHYSICALOFFSETX:
    return recording ? caps.OffsetX : 0;
  case PHYSICALOFFSETY:
    return recording ? caps.OffsetY : 0;
  default:
    return 0;
  }
}

int Escape(HDC hdc, int escape, int inSize, LPCSTR in, LPVOID out) {
  const TRecordingDc* recording = RecordingOf(hdc);
  if (!recording) return 0;
  const TDeviceCaps& caps = recording->Caps;
  switch (escape) {
  case QUERYESCSUPPORT: {
    if (!in || inSize < static_cast<int>(sizeof(int))) return 0;
    int asked = 0;
    std::memcpy(&asked, in, sizeof asked);
    return asked == GETPHYSPAGESIZE || asked == GETPRINTINGOFFSET ? 1 : 0;
  }
  case GETPHYSPAGESIZE:
    if (!out) return 0;
    *static_cast<POINT*>(out) = POINT{caps.PhysicalWidth, caps.PhysicalHeight};
    return 1;
  case GETPRINTINGOFFSET:
    if (!out) return 0;
    *static_cast<POINT*>(out) = POINT{caps.OffsetX, caps.OffsetY};
    return 1;
  default:
    return 0;
  }
}
