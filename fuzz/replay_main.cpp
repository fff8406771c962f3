#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Without libFuzzer: feeds a fixed, reproducible series of random inputs (biased towards
// the characters number texts are made of) to the fuzz target.
int main(int argc, char** argv) {
  const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
  static constexpr char alphabet[] = "0123456789+-.eE ,x\t";
  std::mt19937 generator(12345);
  std::vector<std::uint8_t> input;
  for (long run = 0; run < runs; ++run) {
    input.resize(generator() % 600);
    const bool numberLike = generator() % 2 == 0;
    for (auto& byte : input)
      byte = numberLike ? static_cast<std::uint8_t>(alphabet[generator() % (sizeof alphabet - 1)])
                        : static_cast<std::uint8_t>(generator());
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  return 0;
}
