#include "framework/win32/user/Backend.h"

namespace {
TDisplayBackend* current = nullptr;
} // namespace

TDisplayBackend* DisplayBackend() { return current; }
void SetDisplayBackend(TDisplayBackend* backend) { current = backend; }

DWORD BackendNow() { return current ? current->Now() : 0; }
int ScreenWidth() { return current ? current->ScreenWidth() : 1024; }
int ScreenHeight() { return current ? current->ScreenHeight() : 768; }
