#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Without libFuzzer: feeds a fixed, reproducible series of inputs to the fuzz target.
// Usage: replay RUNS [SEEDS|-] [KEPT]. Given a folder of seed files, each input is a seed with
// random bytes changed and its end cut off; otherwise inputs are random bytes, half of them
// drawn from the characters number texts are made of. The files of KEPT, inputs earlier
// fuzzing found, are fed first as they are.
namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<Bytes> ReadSeeds(const char* folder) {
  std::vector<Bytes> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    std::ifstream file(entry.path(), std::ios::binary);
    seeds.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  return seeds;
}

Bytes MutatedSeed(const std::vector<Bytes>& seeds, std::mt19937& generator) {
  Bytes input = seeds[generator() % seeds.size()];
  if (input.empty()) return input;
  for (unsigned flips = generator() % 8; flips > 0; --flips)
    input[generator() % input.size()] = static_cast<std::uint8_t>(generator());
  if (generator() % 4 == 0) input.resize(generator() % input.size());
  return input;
}

Bytes RandomInput(std::mt19937& generator) {
  static constexpr char alphabet[] = "0123456789+-.eE ,x\t";
  Bytes input(generator() % 600);
  const bool numberLike = generator() % 2 == 0;
  for (auto& byte : input)
    byte = numberLike ? static_cast<std::uint8_t>(alphabet[generator() % (sizeof alphabet - 1)])
                      : static_cast<std::uint8_t>(generator());
  return input;
}

} // namespace

int main(int argc, char** argv) {
  const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
  const bool seeded = argc > 2 && std::string_view(argv[2]) != "-";
  const std::vector<Bytes> seeds = seeded ? ReadSeeds(argv[2]) : std::vector<Bytes>();
  if (argc > 3)
    for (const Bytes& input : ReadSeeds(argv[3]))
      LLVMFuzzerTestOneInput(input.data(), input.size());
  std::mt19937 generator(12345);
  for (long run = 0; run < runs; ++run) {
    const Bytes input = seeds.empty() ? RandomInput(generator) : MutatedSeed(seeds, generator);
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  return 0;
}
