#pragma once

#include "framework/print/Metafile.h"

#include <memory>

// Plays recorded pages with cairo into a PDF file: text stays text in embedded fonts, lines
// and shapes stay vector, each picture of a page is embedded once.
class TPdfDocument {
public:
  // Starts the file at path; EPrinter with cairo's reason when it cannot be made.
  explicit TPdfDocument(const String& path);
  ~TPdfDocument();
  TPdfDocument(const TPdfDocument&) = delete;
  TPdfDocument& operator=(const TPdfDocument&) = delete;

  // Adds a sheet of the printer's caps with the page on it.
  void AddPage(const TMetaPage& page, const TDeviceCaps& caps);
  // Writes the rest of the file and closes it; EPrinter when writing failed.
  void Finish();

private:
  struct TState;
  std::unique_ptr<TState> state_;
};
