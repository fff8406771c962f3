#include "framework/win32/user/WindowClasses.h"

#include "framework/rtl/Strings.h"
#include "framework/win32/user/SystemClasses.h"

#include <algorithm>

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

} // namespace

TWindowClass* RegisterWindowClass(const WNDCLASSEXA& d) {
  if (!d.lpszClassName || !*d.lpszClassName || !d.lpfnWndProc) return nullptr;
  if (d.cbWndExtra < 0 || d.cbWndExtra > 40 || d.cbClsExtra < 0 || d.cbClsExtra > 40)
    return nullptr;
  if (FindRegisteredClass(d.lpszClassName)) return nullptr;
  auto c = std::make_unique<TWindowClass>();
  c->Name = d.lpszClassName;
  c->Atom = User().NextAtom++;
  c->Style = d.style;
  c->Proc = d.lpfnWndProc;
  c->ClassExtra = d.cbClsExtra;
  c->WindowExtra = d.cbWndExtra;
  c->Instance = d.hInstance;
  c->Icon = d.hIcon;
  c->Cursor = d.hCursor;
  c->Background = d.hbrBackground;
  User().Classes.push_back(std::move(c));
  return User().Classes.back().get();
}

TWindowClass* FindWindowClass(const char* nameOrAtom) {
  const auto value = reinterpret_cast<std::uintptr_t>(nameOrAtom);
  if (value != 0 && value < 0x10000) {
    for (const auto& c : User().Classes)
      if (c->Atom == value) return c.get();
    return nullptr;
  }
  return nameOrAtom ? FindWindowClass(std::string_view(nameOrAtom)) : nullptr;
}

TWindowClass* FindRegisteredClass(std::string_view name) {
  for (const auto& c : User().Classes)
    if (SameName(c->Name, name)) return c.get();
  return nullptr;
}

TWindowClass* FindWindowClass(std::string_view name) {
  if (TWindowClass* c = FindRegisteredClass(name)) return c;
  return RegisterSystemClass(name) ? FindRegisteredClass(name) : nullptr;
}

bool UnregisterWindowClass(std::string_view name) {
  auto& classes = User().Classes;
  const auto it = std::find_if(classes.begin(), classes.end(),
                               [&](const auto& c) { return SameName(c->Name, name); });
  if (it == classes.end() || (*it)->Windows > 0) return false;
  classes.erase(it);
  return true;
}
