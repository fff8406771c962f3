#include "core/Lumherk.h"

#include <cstddef>
#include <cstdint>

// Arbitrary bytes must never crash the text and number readers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const String text(reinterpret_cast<const char*>(data), size);
  Lumherk::V_N(text);
  Lumherk::Val_Number(text);
  const String normalised = Lumherk::NoNull(text);
  if (normalised.empty()) __builtin_trap();
  const String trimmed = Lumherk::NoBlank(text);
  if (trimmed.size() > text.size()) __builtin_trap();
  return 0;
}
