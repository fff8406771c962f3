#include "core/Lumherk.h"

#include <cstring>
#include <iostream>

// Until the gallery exists, the main program shows the core routines at work on the
// values given on its command line.
namespace {

void PrintHelp() {
  std::cout << "usage: lumdemo [--help] [value ...]\n"
               "Shows how the LumTools core routines treat each value:\n"
               "  V_N, Val_Number      the text read as a number\n"
               "  S_N(x, 10, 2)        fixed point, 2 decimals, width 10\n"
               "  S_N(x, 15, 100)      scientific form of width 15\n"
               "  Optimal_S_N(x, 6)    about 6 characters\n"
               "  NoBlank, NoNull      the text trimmed and normalised\n"
               "Without values it shows a few examples.\n";
}

void Quoted(const char* label, const String& text) {
  std::cout << "  " << label << " '" << text << "'\n";
}

void ShowValue(const String& text) {
  using namespace Lumherk;
  const double x = V_N(text);
  std::cout << "'" << text << "'\n";
  Quoted("V_N              ", S_N(x, NotGiven, NotGiven));
  Quoted("Val_Number       ", Str_Number(Val_Number(text)));
  Quoted("S_N(x, 10, 2)    ", S_N(x, 10, 2));
  Quoted("S_N(x, 15, 100)  ", S_N(x, 15, NotGiven));
  Quoted("Optimal_S_N(x, 6)", Optimal_S_N(x, 6));
  Quoted("NoBlank          ", NoBlank(text));
  Quoted("NoNull           ", NoNull(NoBlank(text)));
}

} // namespace

int main(int argc, char** argv) {
  if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    PrintHelp();
    return 0;
  }
  if (argc == 1) {
    for (const char* example : {"  007.500 ", "3.14159", "-2.5e8", "123456", "1,5"})
      ShowValue(example);
    return 0;
  }
  for (int i = 1; i < argc; ++i) ShowValue(argv[i]);
  return 0;
}
