#pragma once

#include "framework/controls/WinControl.h"

// The translation page: a small form whose captions and hints are marked with the cookie,
// translated by a TLumLingua into the language chosen in a combo box; a text typed in the
// word field is looked up, and a missing one opens the new-word prompt. The database is made
// on first run under the gallery's data folder.
void FillTranslation(TWinControl* Parent);
// The gallery's translation database directory, made and filled when missing.
String GalleryLinguaDatabase();
