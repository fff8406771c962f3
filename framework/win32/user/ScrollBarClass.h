#pragma once

// The system class "ScrollBar": a bar of its own (SBS_HORZ, SBS_VERT) whose information
// SB_CTL and the SBM_ messages reach; requests go to the parent as WM_HSCROLL / WM_VSCROLL.
void RegisterScrollBarClass();
