#include "framework/win32/gdi/PixelRuns.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <immintrin.h>

namespace {

// Pixels before the first 64-byte boundary at or after p (stores after it are aligned).
std::size_t ToBoundary(const std::uint32_t* p, std::size_t count) {
  const std::size_t misalign = reinterpret_cast<std::uintptr_t>(p) & 63u;
  const std::size_t head = misalign ? (64 - misalign) / sizeof(std::uint32_t) : 0;
  return head < count ? head : count;
}

__attribute__((target("avx512f"))) void FillAvx512(std::uint32_t* p, std::size_t n,
                                                   std::uint32_t value) {
  const __m512i v = _mm512_set1_epi32(static_cast<int>(value));
  const std::size_t head = ToBoundary(p, n);
  _mm512_mask_storeu_epi32(p, static_cast<__mmask16>((1u << head) - 1u), v);
  std::size_t i = head;
  for (; i + 16 <= n; i += 16) _mm512_store_si512(p + i, v);
  _mm512_mask_storeu_epi32(p + i, static_cast<__mmask16>((1u << (n - i)) - 1u), v);
}

__attribute__((target("avx2"))) void FillAvx2(std::uint32_t* p, std::size_t n,
                                              std::uint32_t value) {
  if (n < 8) {
    for (std::size_t i = 0; i < n; ++i) p[i] = value;
    return;
  }
  // An unaligned store at each end, aligned ones between, four to a step.
  const __m256i v = _mm256_set1_epi32(static_cast<int>(value));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p + n - 8), v);
  std::size_t i = (8 - ((reinterpret_cast<std::uintptr_t>(p) & 31u) >> 2)) & 7u;
  for (; i + 32 <= n; i += 32) {
    auto* q = reinterpret_cast<__m256i*>(p + i);
    _mm256_store_si256(q, v);
    _mm256_store_si256(q + 1, v);
    _mm256_store_si256(q + 2, v);
    _mm256_store_si256(q + 3, v);
  }
  for (; i + 8 <= n; i += 8) _mm256_store_si256(reinterpret_cast<__m256i*>(p + i), v);
}

void FillSse2(std::uint32_t* p, std::size_t n, std::uint32_t value) {
  const __m128i v = _mm_set1_epi32(static_cast<int>(value));
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i), v);
  for (; i < n; ++i) p[i] = value;
}

__attribute__((target("avx512f"))) void CopySetAvx512(std::uint32_t* to, const std::uint32_t* from,
                                                      std::size_t n, std::uint32_t set) {
  const __m512i s = _mm512_set1_epi32(static_cast<int>(set));
  std::size_t i = 0;
  for (; i + 16 <= n; i += 16)
    _mm512_storeu_si512(to + i, _mm512_or_si512(_mm512_loadu_si512(from + i), s));
  const auto tail = static_cast<__mmask16>((1u << (n - i)) - 1u);
  _mm512_mask_storeu_epi32(to + i, tail,
                           _mm512_or_si512(_mm512_maskz_loadu_epi32(tail, from + i), s));
}

__attribute__((target("avx2"))) void CopySetAvx2(std::uint32_t* to, const std::uint32_t* from,
                                                 std::size_t n, std::uint32_t set) {
  const __m256i s = _mm256_set1_epi32(static_cast<int>(set));
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + i));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i), _mm256_or_si256(x, s));
  }
  for (; i < n; ++i) to[i] = from[i] | set;
}

void CopySetSse2(std::uint32_t* to, const std::uint32_t* from, std::size_t n, std::uint32_t set) {
  const __m128i s = _mm_set1_epi32(static_cast<int>(set));
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_or_si128(x, s));
  }
  for (; i < n; ++i) to[i] = from[i] | set;
}

// Runs from this length on outgrow the first-level cache; there string stores can beat
// vector stores, as they need not read the lines they overwrite.
constexpr std::size_t StringStoreRun = 8192;

template <void (*ShortFill)(std::uint32_t*, std::size_t, std::uint32_t)>
void FillLongWithStringStores(std::uint32_t* p, std::size_t n, std::uint32_t value) {
  if (n < StringStoreRun) return ShortFill(p, n, value);
  asm volatile("rep stosl" : "+D"(p), "+c"(n) : "a"(value) : "memory");
}

// AMD's processors with fast string operations fill long runs faster with rep stos than
// with vector stores; on others it has measured slower, so they keep the vector kernels.
bool StringStoresFillFaster() {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  constexpr unsigned EnhancedRepMovsb = 1u << 9;
  return __builtin_cpu_is("amd") && __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) != 0 &&
         (ebx & EnhancedRepMovsb) != 0;
}

std::vector<TPixelRunKernel> Kernels() {
  __builtin_cpu_init();
  std::vector<TPixelRunKernel> out;
  const bool avx512 = __builtin_cpu_supports("avx512f"), avx2 = __builtin_cpu_supports("avx2");
  if (StringStoresFillFaster()) {
    if (avx512)
      out.push_back({"rep stos, avx512f", FillLongWithStringStores<FillAvx512>, CopySetAvx512});
    else if (avx2)
      out.push_back({"rep stos, avx2", FillLongWithStringStores<FillAvx2>, CopySetAvx2});
  }
  if (avx512) out.push_back({"avx512f", FillAvx512, CopySetAvx512});
  if (avx2) out.push_back({"avx2", FillAvx2, CopySetAvx2});
  out.push_back({"sse2", FillSse2, CopySetSse2});
  return out;
}

} // namespace
#else
namespace {

void FillLoop(std::uint32_t* p, std::size_t n, std::uint32_t value) {
  for (std::size_t i = 0; i < n; ++i) p[i] = value;
}

void CopySetLoop(std::uint32_t* to, const std::uint32_t* from, std::size_t n, std::uint32_t set) {
  for (std::size_t i = 0; i < n; ++i) to[i] = from[i] | set;
}

std::vector<TPixelRunKernel> Kernels() { return {{"loop", FillLoop, CopySetLoop}}; }

} // namespace
#endif

namespace {

constexpr std::size_t ShortRun = 16;

const TPixelRunKernel& Best() {
  static const TPixelRunKernel best = Kernels().front();
  return best;
}

} // namespace

std::vector<TPixelRunKernel> SupportedPixelRunKernels() { return Kernels(); }

void FillPixels(std::uint32_t* first, std::size_t count, std::uint32_t value) {
  // Short runs (the steps of a line) cost less as plain stores than as a call through.
  if (count < ShortRun) {
    for (std::size_t i = 0; i < count; ++i) first[i] = value;
    return;
  }
  Best().Fill(first, count, value);
}

void CopyPixels(std::uint32_t* to, const std::uint32_t* from, std::size_t count,
                std::uint32_t set) {
  if (!count) return;
  if (set == 0)
    std::memmove(to, from, count * sizeof(std::uint32_t));
  else
    Best().CopySet(to, from, count, set);
}
