#include "framework/controls/Screen.h"

#include "framework/controls/Forms.h"
#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/user/Backend.h"

#include <algorithm>

TScreen* Screen() {
  static TScreen screen(nullptr);
  return &screen;
}

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {
  ControlHooks().ScreenCursor = [this] { return FCursor; };
}

TScreen::~TScreen() { ControlHooks().ScreenCursor = nullptr; }

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FForms[static_cast<std::size_t>(Index)];
}

void TScreen::SetCursor(TCursor Value) {
  FCursor = Value;
  ::SetCursor(CursorHandle(Value == crDefault ? crArrow : Value));
}

int TScreen::Width() const { return ScreenWidth(); }
int TScreen::Height() const { return ScreenHeight(); }

TStrings* TScreen::Fonts() {
  if (!FFonts) {
    FFonts = std::make_unique<TStringList>();
    FFonts->SetSorted(true);
    FFonts->SetDuplicates(dupIgnore);
    for (const String& family : FontFamilies()) FFonts->Add(family);
  }
  return FFonts.get();
}

void TScreen::AddForm(TCustomForm* Form) {
  if (std::find(FForms.begin(), FForms.end(), Form) == FForms.end()) FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  if (FActiveForm == Form) {
    FActiveForm = nullptr;
    FActiveControl = nullptr;
  }
  if (FFocusedForm == Form) FFocusedForm = nullptr;
}

void TScreen::FormActivated(TCustomForm* Form, TWinControl* Control) {
  FActiveForm = Form;
  FActiveControl = Control;
  const auto it = std::find(FForms.begin(), FForms.end(), Form);
  if (it != FForms.end()) std::rotate(FForms.begin(), it, it + 1);
}
