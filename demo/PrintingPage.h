#pragma once

#include "framework/controls/WinControl.h"

class TLumPrinter;

// The page of the printer component: a report of a few pages (header, footer, page numbers,
// tab columns and a picture) shown in a small preview, with buttons that open the preview
// window, write the report to a PDF file and print it on the default destination.
void FillPrinting(TWinControl* Parent);

// Lays the gallery's report out on the printer component; the pages go where it prints.
void WriteGalleryReport(TLumPrinter* Report);
