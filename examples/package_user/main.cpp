// Loads the LumTools package as the designer does and tells what its palette page holds:
// "Lum-Tools: <n> components, <m> palette bitmaps". Fails when a class has no bitmap.
#include "core/Lumherk.h"
#include "framework/design/Registry.h"
#include "framework/win32/gdi/Resources.h"
#include "package/LumToolsPck.h"

#include <iostream>

int main() {
  LoadLumToolsPck();
  const std::vector<TClass> classes = PaletteClasses("LumTools");
  Integer bitmaps = 0;
  for (TClass c : classes)
    if (FindResourceData(UpperCase(c->ClassName()))) ++bitmaps;
  const auto count = static_cast<Integer>(classes.size());
  std::cout << LumToolsPckDescription << ": " << Lumherk::Str_Number(count) << " components, "
            << Lumherk::Str_Number(bitmaps) << " palette bitmaps\n";
  return count > 0 && bitmaps == count ? 0 : 1;
}
