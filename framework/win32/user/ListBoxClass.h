#pragma once

// The system class "ListBox": single, multiple and extended selection, sorted or not,
// owner-drawn with fixed or variable heights, tab stops, its own scroll bars.
void RegisterListBoxClass();
