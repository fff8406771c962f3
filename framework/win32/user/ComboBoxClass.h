#pragma once

#include "framework/win32/user/ComboBoxDefs.h"

// The system class "ComboBox": a selection field (an "Edit" child for CBS_SIMPLE and
// CBS_DROPDOWN, drawn by the combo box for CBS_DROPDOWNLIST) over a list of class
// "ComboLBox", a child below the field for CBS_SIMPLE and a pop-up window otherwise.
void RegisterComboBoxClass();
void RegisterComboListClass();
