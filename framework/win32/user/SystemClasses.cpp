#include "framework/win32/user/SystemClasses.h"

#include "framework/rtl/Strings.h"
#include "framework/win32/user/ButtonClass.h"
#include "framework/win32/user/ComboBoxClass.h"
#include "framework/win32/user/EditClass.h"
#include "framework/win32/user/ListBoxClass.h"
#include "framework/win32/user/ScrollBarClass.h"
#include "framework/win32/user/StaticClass.h"

namespace {

struct TSystemClass {
  std::string_view Name;
  void (*Register)();
};

// Each native class unit adds its registration here.
constexpr TSystemClass SystemClassTable[] = {
    {"Button", RegisterButtonClass},       {"ComboBox", RegisterComboBoxClass},
    {"ComboLBox", RegisterComboListClass}, {"Edit", RegisterEditClass},
    {"ListBox", RegisterListBoxClass},     {"ScrollBar", RegisterScrollBarClass},
    {"Static", RegisterStaticClass},
};

} // namespace

bool RegisterSystemClass(std::string_view name) {
  for (const TSystemClass& c : SystemClassTable)
    if (c.Register && SameText(String(c.Name), String(name))) {
      c.Register();
      return true;
    }
  return false;
}
