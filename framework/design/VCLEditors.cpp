#include "framework/design/VCLEditors.h"

#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/CommonDialogs.h"
#include "framework/controls/Screen.h"
#include "framework/design/StringsEditor.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/Strings.h"

#include <memory>

namespace {

// A dialog component of the application's for one Execute.
template <class D> std::unique_ptr<D, void (*)(D*)> NewDialog() {
  return {new D(Application()), [](D* d) { d->Free(); }};
}

} // namespace

TPropertyAttributes TColorProperty::GetAttributes() {
  return {paMultiSelect, paDialog, paValueList, paRevertable};
}

String TColorProperty::GetValue() { return ColorToString(static_cast<TColor>(GetOrdValue())); }

void TColorProperty::GetValues(const TGetStrProc& Proc) {
  for (const TIdentMapEntry& e : ColorIdents()) Proc(e.Name);
}

void TColorProperty::SetValue(const String& Value) { SetOrdValue(StringToColor(Trim(Value))); }

void TColorProperty::Edit() {
  auto dialog = NewDialog<TColorDialog>();
  dialog->SetColor(static_cast<TColor>(GetOrdValue()));
  if (dialog->Execute()) SetOrdValue(dialog->Color());
}

TPropertyAttributes TFontProperty::GetAttributes() {
  return {paMultiSelect, paSubProperties, paDialog, paReadOnly};
}

void TFontProperty::Edit() {
  auto* font = dynamic_cast<TFont*>(GetObjectValueAt(0));
  if (!font) return;
  auto dialog = NewDialog<TFontDialog>();
  dialog->Font()->Assign(font);
  if (!dialog->Execute()) return;
  for (int i = 0; i < PropCount(); ++i)
    if (auto* f = dynamic_cast<TFont*>(GetObjectValueAt(i))) f->Assign(dialog->Font());
  Modified();
}

TPropertyAttributes TFontNameProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList, paRevertable};
}

void TFontNameProperty::GetValues(const TGetStrProc& Proc) {
  TStrings* fonts = Screen()->Fonts();
  for (int i = 0; i < fonts->Count(); ++i) Proc(fonts->Strings(i));
}

TPropertyAttributes TStringsProperty::GetAttributes() {
  return {paMultiSelect, paDialog, paReadOnly};
}

void TStringsProperty::Edit() {
  auto* lines = dynamic_cast<TStrings*>(GetObjectValueAt(0));
  if (!lines) return;
  TStringList edited;
  edited.Assign(lines);
  if (!EditStrings(&edited, "")) return;
  for (int i = 0; i < PropCount(); ++i)
    if (auto* l = dynamic_cast<TStrings*>(GetObjectValueAt(i))) l->Assign(&edited);
  Modified();
}
