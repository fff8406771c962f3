#pragma once

#include "lists/LumComboBox.h"
#include "lists/LumList.h"
#include "tests/controls/ControlTestSupport.h"

#include <memory>

namespace liststest {

// A bitmap of one colour.
inline std::unique_ptr<TBitmap> SolidBitmap(int Width, int Height, TColor Color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(Width, Height);
  bitmap->Canvas()->Brush()->SetColor(Color);
  bitmap->Canvas()->FillRect(TRect(0, 0, Width, Height));
  return bitmap;
}

inline int LineHeightOf(TFont* Font) { return FontMetrics(Font).tmHeight; }

// A list whose host entries a test can reach, to make the host disagree.
class TReachableList : public TLumList {
  LUM_CLASS(TReachableList, TLumList)
public:
  explicit TReachableList(TComponent* AOwner) : TLumList(AOwner) {}
  TItemStrings* Host() const { return FItems.get(); }
};

class ListsTest : public controltest::ControlTest {
protected:
  TLumList* NewList(TForm* Form, int Width = 200, int Height = 150) {
    auto* list = new TLumList(Form);
    list->SetName(FreeName(Form, "LumList"));
    list->SetBounds(10, 10, Width, Height);
    list->SetParent(Form);
    return list;
  }
  TLumComboBox* NewCombo(TForm* Form, TComboBoxStyle Style = csSimple, int Height = 150) {
    auto* combo = new TLumComboBox(Form);
    combo->SetName(FreeName(Form, "LumComboBox"));
    combo->SetStyle(Style);
    combo->SetBounds(10, 10, 160, Height);
    combo->SetParent(Form);
    return combo;
  }
  // The first of Prefix1, Prefix2, … that names no component of the form.
  static String FreeName(TForm* Form, const String& Prefix) {
    int n = 1;
    while (Form->FindComponent(Prefix + std::to_string(n))) ++n;
    return Prefix + std::to_string(n);
  }
  // The colour of a control's client pixel as the form shows it, as 0xRRGGBB-free TColor.
  TColor Pixel(TCustomForm* Form, TControl* Control, int X, int Y) {
    return PixelAt(Form, Control, TPoint{X, Y});
  }
};

} // namespace liststest
