#pragma once

class TBitmap;

// True when assigning either bitmap to a new one gives the same bitmap: the same size, pixel
// and alpha format, colour table, pixels, loaded bytes and transparency. Lets holders of
// copies share one copy among equal pictures. Defined with TBitmap, whose state it reads.
bool SameBitmapImage(TBitmap& A, TBitmap& B);
