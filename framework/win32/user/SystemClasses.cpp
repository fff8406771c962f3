#include "framework/win32/user/SystemClasses.h"

#include "framework/rtl/Strings.h"
#include "framework/win32/user/EditClass.h"

namespace {

struct TSystemClass {
  std::string_view Name;
  void (*Register)();
};

// Each native class unit adds its registration here.
constexpr TSystemClass SystemClassTable[] = {
    {"Edit", RegisterEditClass},
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
