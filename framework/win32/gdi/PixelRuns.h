#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Runs of 32-bit pixels written with the widest vector stores the processor has (AVX-512,
// AVX2 or SSE2), long fills with string stores where those are faster, chosen once at run
// time. The results are those of a plain loop.

// Sets count pixels from first to value.
void FillPixels(std::uint32_t* first, std::size_t count, std::uint32_t value);
// Copies count pixels, each with the bits of `set` added (0 copies them as they are). With
// set 0 the runs may overlap; otherwise they must not.
void CopyPixels(std::uint32_t* to, const std::uint32_t* from, std::size_t count, std::uint32_t set);

// One way of doing both, by the instruction set it uses.
struct TPixelRunKernel {
  const char* Name;
  void (*Fill)(std::uint32_t* first, std::size_t count, std::uint32_t value);
  void (*CopySet)(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                  std::uint32_t set);
};
// The kernels this processor can run, the widest (the one in use) first.
std::vector<TPixelRunKernel> SupportedPixelRunKernels();
