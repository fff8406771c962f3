#pragma once

#include "framework/controls/WinControl.h"

class TComponent;
class TTable;

// The page of the calendar and the library's grids: a year calendar with the holidays of its
// year marked, a string grid with marks and alignments, and a data grid over the gallery's
// fruit pictures with its viewer window.
void FillCalendarGrids(TWinControl* Parent);

// The gallery's table FruitPictures (Name, Notes as a memo, Picture as a graphic), opened,
// and made and filled in the gallery's data folder when it does not hold it yet.
TTable* OpenFruitPictureTable(TComponent* Owner);

// Easter Sunday of a year of the Gregorian calendar, as month and day.
void EasterSunday(int Year, int& Month, int& Day);
