#pragma once

// The system class "Button": push buttons, check boxes, radio buttons, group boxes and
// owner-drawn buttons, in the classic look.
void RegisterButtonClass();
