#pragma once

// The system class "Static": text, rectangles and frames, etched lines and bitmaps.
void RegisterStaticClass();
