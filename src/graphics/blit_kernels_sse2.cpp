// The sprite kernels on SSE2: four pixels a step, the four samples of each read one by one.
#include "graphics/blit_kernels.h"

#include <emmintrin.h>

#include <cstddef>
#include <cstring>

namespace tsumiki {
namespace detail {

namespace {

#include "graphics/blit_kernel_body.h"
#include "graphics/blit_pixel_pairs.h"

struct Sse2 : PixelPairs {
    using I = __m128i;
    using F = __m128;
    static constexpr int kLanes = 4;
    // No narrower vectors.
    using Narrow = Sse2;
    // Products of words only.
    static constexpr bool kMultipliesBytes = false;

    static I Set32(int v) { return _mm_set1_epi32(v); }
    static I Set16(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
    static F SetF(float v) { return _mm_set1_ps(v); }
    static I LaneIndex() { return _mm_setr_epi32(0, 1, 2, 3); }
    static I Add32(I a, I b) { return _mm_add_epi32(a, b); }
    static I Sub32(I a, I b) { return _mm_sub_epi32(a, b); }
    static I CmpGt32(I a, I b) { return _mm_cmpgt_epi32(a, b); }
    static I And(I a, I b) { return _mm_and_si128(a, b); }
    static I Or(I a, I b) { return _mm_or_si128(a, b); }
    static I Select(I mask, I a, I b) { return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b)); }
    template <int n>
    static I Slli32(I a) { return _mm_slli_epi32(a, n); }
    static bool None(I a) { return _mm_movemask_epi8(_mm_cmpeq_epi32(a, _mm_setzero_si128())) == 0xFFFF; }
    // One bit a lane, from the lane's top bit.
    static int LaneMask(I a) { return _mm_movemask_ps(_mm_castsi128_ps(a)); }
    static I LoadAll(const int* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void StoreAll(int* p, I v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
    // Where each lane's pixel lies from the picture's first, in pixels: line * stride + column,
    // the products (under 2^31, as a picture has fewer pixels) from SSE2's unsigned ones.
    static I Offsets(I line, I column, int stride)
    {
        const I factor = _mm_set1_epi32(stride);
        const I even = _mm_mul_epu32(line, factor);
        const I odd = _mm_mul_epu32(_mm_srli_epi64(line, 32), factor);
        const I products = _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(3, 1, 2, 0)),
                                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(3, 1, 2, 0)));
        return _mm_add_epi32(products, column);
    }

    static F ToFloat(I a) { return _mm_cvtepi32_ps(a); }
    static I Truncate(F a) { return _mm_cvttps_epi32(a); }
    static F AddF(F a, F b) { return _mm_add_ps(a, b); }
    static F SubF(F a, F b) { return _mm_sub_ps(a, b); }
    static F MulF(F a, F b) { return _mm_mul_ps(a, b); }
    static I CmpGe(F a, F b) { return _mm_castps_si128(_mm_cmpge_ps(a, b)); }
    static I CmpLt(F a, F b) { return _mm_castps_si128(_mm_cmplt_ps(a, b)); }

    static I Unpacklo8(I a) { return _mm_unpacklo_epi8(a, _mm_setzero_si128()); }
    static I Unpackhi8(I a) { return _mm_unpackhi_epi8(a, _mm_setzero_si128()); }
    static I Unpacklo32(I a, I b) { return _mm_unpacklo_epi32(a, b); }
    static I Unpackhi32(I a, I b) { return _mm_unpackhi_epi32(a, b); }
    static I Pack(I low, I high) { return _mm_packus_epi16(low, high); }
    static I Add16(I a, I b) { return _mm_add_epi16(a, b); }
    static I Sub16(I a, I b) { return _mm_sub_epi16(a, b); }
    static I Mullo16(I a, I b) { return _mm_mullo_epi16(a, b); }
    static I MulHi16(I a, I b) { return _mm_mulhi_epu16(a, b); }
    template <int n>
    static I Srli16(I a) { return _mm_srli_epi16(a, n); }
    static I BroadcastAlpha(I a) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(a, 0xFF), 0xFF); }

    // A weight below 2^16 a 32-bit lane, as pass one stores it for Spread: in both halves.
    static I Weight(I a) { return Or(a, Slli32<16>(a)); }
    static I AcrossWeight(I a) { return Weight(a); }
    // Weights as Weight stores them, as 16-bit channels of the lanes' pixels in the order
    // Unpacklo8 (false) or Unpackhi8 (true) widens them.
    template <bool upperHalf>
    static I Spread(I weight)
    {
        return upperHalf ? Unpackhi32(weight, weight) : Unpacklo32(weight, weight);
    }

    // The first `count` pixels; the rest read as 0 and are never written back.
    static I Load(const std::uint32_t* p, int count)
    {
        if (count == kLanes) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        }
        std::uint32_t part[kLanes] = {};
        std::memcpy(part, p, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(part));
    }
    static void Store(std::uint32_t* p, I v, int count)
    {
        if (count == kLanes) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
            return;
        }
        std::uint32_t part[kLanes];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(part), v);
        std::memcpy(p, part, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
    }

};

}  // namespace

const BlitKernels kSse2Kernels = {"SSE2", &Kernel<Sse2>::SampleRow, &Kernel<Sse2>::BlendRow};

}  // namespace detail
}  // namespace tsumiki
