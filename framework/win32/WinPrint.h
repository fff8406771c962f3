#pragma once

// Device capabilities and printer escapes (gdi32), with the recording device contexts that
// printers draw on.

#include "framework/win32/Windows.h"

#include <cstdint>
#include <string_view>

class TDeviceContext;
struct TRaster;

inline constexpr int HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12,
                     LOGPIXELSX = 88, LOGPIXELSY = 90, PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111,
                     PHYSICALOFFSETX = 112, PHYSICALOFFSETY = 113;
inline constexpr int GETPHYSPAGESIZE = 12, GETPRINTINGOFFSET = 13, QUERYESCSUPPORT = 8;

// What a device context answers about its device, in device pixels.
struct TDeviceCaps {
  int LogPixelsX = 96;
  int LogPixelsY = 96;
  int PhysicalWidth = 0; // the whole sheet
  int PhysicalHeight = 0;
  int OffsetX = 0; // unprintable left and top margins
  int OffsetY = 0;
  int HorzRes = 0; // the printable area
  int VertRes = 0;
};

// Drawing on a recording device context goes to its recorder instead of to pixels. Each call
// comes with the DC, whose state (pen, brush, font, colours, text alignment) says how it is
// drawn; coordinates are logical. Calls a recorder does not take draw on the DC's 1 x 1
// bitmap, that is nowhere.
class TDcRecorder {
public:
  virtual ~TDcRecorder() = default;
  // A line from the current position; the caller moves the position afterwards.
  virtual void LineTo(TDeviceContext& dc, TPoint to) = 0;
  virtual void Rectangle(TDeviceContext& dc, const TRect& box) = 0;
  virtual void Ellipse(TDeviceContext& dc, const TRect& box) = 0;
  virtual void FillRect(TDeviceContext& dc, const TRect& box, std::uintptr_t brush) = 0;
  virtual void FrameRect(TDeviceContext& dc, const TRect& box, std::uintptr_t brush) = 0;
  virtual void TextOut(TDeviceContext& dc, TPoint at, UINT options, const TRect* box,
                       std::string_view text) = 0;
  // Answers what DrawTextA answers.
  virtual int DrawText(TDeviceContext& dc, std::string_view text, TRect& box, UINT format) = 0;
  // part: the source pixels, drawn stretched into dest.
  virtual void Picture(TDeviceContext& dc, const TRect& dest, const TRaster& source,
                       const TRect& part) = 0;
};

// A device context that records into recorder (which must outlive it) and answers caps.
HDC CreateRecordingDc(TDcRecorder& recorder, const TDeviceCaps& caps);
void SetRecordingDcCaps(HDC dc, const TDeviceCaps& caps);
// Deletes a recording DC (DeleteDC would leave it registered).
void DeleteRecordingDc(HDC dc);
// The recorder of a recording DC; null for every other DC.
TDcRecorder* RecorderOf(HDC dc);

// Recording DCs answer their caps; other DCs a 96-dpi screen the size of their surface.
int GetDeviceCaps(HDC dc, int index);
// GETPHYSPAGESIZE and GETPRINTINGOFFSET fill a POINT and answer 1; QUERYESCSUPPORT answers
// 1 for those two. Other escapes, and DCs that are no printer's, answer 0.
int Escape(HDC dc, int escape, int inSize, LPCSTR in, LPVOID out);
