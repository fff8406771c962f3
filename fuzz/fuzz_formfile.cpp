#include "framework/classes/FormFile.h"
#include "tests/classes/FormTestClasses.h"

#include <cstddef>
#include <cstdint>

// Any text either reads into a form, which then writes and reads back to the same text, or
// raises a filer error; a failed read leaves the root without components.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  formtest::RegisterTestClasses();
  const String text(reinterpret_cast<const char*>(data), size);
  formtest::TTestForm form(nullptr);
  try {
    ReadFormText(text, &form);
  } catch (const EFilerError&) {
    if (form.ComponentCount() != 0) __builtin_trap();
    return 0;
  }
  const String written = WriteFormText(&form);
  formtest::TTestForm copy(nullptr);
  ReadFormText(written, &copy);
  if (WriteFormText(&copy) != written) __builtin_trap();
  return 0;
}
