#pragma once

#include "framework/controls/WinControl.h"

// The page of the styled controls and the game: check boxes in every position, size, edge,
// mark and focus style; choices that switch the gallery's main menu to the owner-drawn one
// (solid or on a picture, with each selection mark); a playable sliding puzzle.
void FillStyled(TWinControl* Parent);
