#include "framework/classes/StringList.h"
#include "framework/rtl/Strings.h"

#include <cstddef>
#include <cstdint>

// Whatever the bytes, comma text and text read back what they wrote, and a sorted list
// stays in order and finds every line it holds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const String text(reinterpret_cast<const char*>(data), size);
  TStringList lines;
  TStringList back;
  lines.SetCommaText(text);
  back.SetCommaText(lines.CommaText());
  if (!back.Equals(&lines)) __builtin_trap();
  lines.SetText(text);
  back.SetText(lines.Text());
  if (!back.Equals(&lines)) __builtin_trap();

  TStringList sorted;
  sorted.SetSorted(true);
  sorted.SetDuplicates(dupAccept);
  sorted.AddStrings(&lines);
  for (Integer i = 0; i < sorted.Count(); ++i) {
    Integer found = -1;
    if (!sorted.Find(sorted.Strings(i), found) || found > i) __builtin_trap();
    if (i > 0 && AnsiCompareText(sorted.Strings(i - 1), sorted.Strings(i)) > 0) __builtin_trap();
  }
  return 0;
}
