// The sprite kernels on AVX2: eight pixels a step (four for a run's last few), samples read in
// pairs and summed across as bytes, edges loaded and stored under a mask. This file alone is
// compiled for AVX2 (see CMakeLists.txt); nothing in it runs unless ChooseKernels found AVX2,
// and the table below is constant data.
#include "graphics/blit_kernels.h"

#include <immintrin.h>

namespace tsumiki {
namespace detail {

namespace {

#include "graphics/blit_kernel_body.h"
#include "graphics/blit_pixel_pairs.h"

// Four pixels a step with the instructions the processor has beside AVX2, for the last pixels
// of a run; its weights as Avx2's pass one stores them.
struct Avx2Narrow : PixelPairs {
    using I = __m128i;
    using F = __m128;
    static constexpr int kLanes = 4;
    using Narrow = Avx2Narrow;
    static constexpr bool kMultipliesBytes = true;

    static I Set16(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
    static I LaneIndex() { return _mm_setr_epi32(0, 1, 2, 3); }
    static I And(I a, I b) { return _mm_and_si128(a, b); }
    static I Or(I a, I b) { return _mm_or_si128(a, b); }
    static I Select(I mask, I a, I b) { return _mm_blendv_epi8(b, a, mask); }
    static bool None(I a) { return _mm_testz_si128(a, a) != 0; }
    static I LoadAll(const int* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

    static I Unpacklo8(I a) { return _mm_unpacklo_epi8(a, _mm_setzero_si128()); }
    static I Unpackhi8(I a) { return _mm_unpackhi_epi8(a, _mm_setzero_si128()); }
    static I Pack(I low, I high) { return _mm_packus_epi16(low, high); }
    static I Add16(I a, I b) { return _mm_add_epi16(a, b); }
    static I Sub16(I a, I b) { return _mm_sub_epi16(a, b); }
    static I Mullo16(I a, I b) { return _mm_mullo_epi16(a, b); }
    static I MulHi16(I a, I b) { return _mm_mulhi_epu16(a, b); }
    template <int n>
    static I Srli16(I a) { return _mm_srli_epi16(a, n); }
    static I BroadcastAlpha(I a)
    {
        return _mm_shuffle_epi8(a, _mm_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15));
    }
    template <bool upperHalf>
    static I Spread(I weight)
    {
        if (upperHalf) {
            return _mm_shuffle_epi8(weight, _mm_setr_epi8(8, 9, 8, 9, 8, 9, 8, 9, 12, 13, 12, 13, 12, 13, 12, 13));
        }
        return _mm_shuffle_epi8(weight, _mm_setr_epi8(0, 1, 0, 1, 0, 1, 0, 1, 4, 5, 4, 5, 4, 5, 4, 5));
    }

    static I FirstLanes(int count) { return _mm_cmpgt_epi32(_mm_set1_epi32(count), LaneIndex()); }
    static I Load(const std::uint32_t* p, int count)
    {
        if (count == kLanes) {
            return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        }
        return _mm_maskload_epi32(reinterpret_cast<const int*>(p), FirstLanes(count));
    }
    static void Store(std::uint32_t* p, I v, int count)
    {
        if (count == kLanes) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
        } else {
            _mm_maskstore_epi32(reinterpret_cast<int*>(p), FirstLanes(count), v);
        }
    }


    // As Avx2::Across, for four pixels.
    static bool Across(const std::uint32_t* base, int stride, const int* offsets, I inside, I across, I& upperLow,
                       I& upperHigh, I& lowerLow, I& lowerHigh)
    {
        const std::uint32_t* below = base + stride;
        const I upper01 = _mm_castps_si128(Pairs(base, offsets[0], offsets[1]));
        const I upper23 = _mm_castps_si128(Pairs(base, offsets[2], offsets[3]));
        const I lower01 = _mm_castps_si128(Pairs(below, offsets[0], offsets[1]));
        const I lower23 = _mm_castps_si128(Pairs(below, offsets[2], offsets[3]));
        const I any = Or(And(Or(upper01, lower01), _mm_unpacklo_epi32(inside, inside)),
                         And(Or(upper23, lower23), _mm_unpackhi_epi32(inside, inside)));
        if (None(any)) {
            return false;
        }
        const I order = _mm_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
        const I weightsLow = Spread<false>(across);
        const I weightsHigh = Spread<true>(across);
        upperLow = _mm_maddubs_epi16(_mm_shuffle_epi8(upper01, order), weightsLow);
        lowerLow = _mm_maddubs_epi16(_mm_shuffle_epi8(lower01, order), weightsLow);
        upperHigh = _mm_maddubs_epi16(_mm_shuffle_epi8(upper23, order), weightsHigh);
        lowerHigh = _mm_maddubs_epi16(_mm_shuffle_epi8(lower23, order), weightsHigh);
        return true;
    }
};

struct Avx2 {
    using I = __m256i;
    using F = __m256;
    static constexpr int kLanes = 8;
    using Narrow = Avx2Narrow;
    static constexpr bool kMultipliesBytes = true;
    // The weight across wx of a lane as bytes 127 - wx and wx, which Across multiplies the
    // left and right sample by.
    static I AcrossWeight(I a) { return Or(Sub32(Set32(127), a), Slli32<8>(a)); }

    static I Set32(int v) { return _mm256_set1_epi32(v); }
    static I Set16(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    static F SetF(float v) { return _mm256_set1_ps(v); }
    static I LaneIndex() { return _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7); }
    static I Add32(I a, I b) { return _mm256_add_epi32(a, b); }
    static I Sub32(I a, I b) { return _mm256_sub_epi32(a, b); }
    static I CmpGt32(I a, I b) { return _mm256_cmpgt_epi32(a, b); }
    static I And(I a, I b) { return _mm256_and_si256(a, b); }
    static I Or(I a, I b) { return _mm256_or_si256(a, b); }
    static I Select(I mask, I a, I b) { return _mm256_blendv_epi8(b, a, mask); }
    template <int n>
    static I Slli32(I a) { return _mm256_slli_epi32(a, n); }
    static bool None(I a) { return _mm256_testz_si256(a, a) != 0; }
    // One bit a lane, from the lane's top bit.
    static int LaneMask(I a) { return _mm256_movemask_ps(_mm256_castsi256_ps(a)); }
    static I LoadAll(const int* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void StoreAll(int* p, I v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
    // Where each lane's pixel lies from the picture's first, in pixels.
    static I Offsets(I line, I column, int stride)
    {
        return _mm256_add_epi32(_mm256_mullo_epi32(line, _mm256_set1_epi32(stride)), column);
    }

    static F ToFloat(I a) { return _mm256_cvtepi32_ps(a); }
    static I Truncate(F a) { return _mm256_cvttps_epi32(a); }
    static F AddF(F a, F b) { return _mm256_add_ps(a, b); }
    static F SubF(F a, F b) { return _mm256_sub_ps(a, b); }
    static F MulF(F a, F b) { return _mm256_mul_ps(a, b); }
    static I CmpGe(F a, F b) { return _mm256_castps_si256(_mm256_cmp_ps(a, b, _CMP_GE_OQ)); }
    static I CmpLt(F a, F b) { return _mm256_castps_si256(_mm256_cmp_ps(a, b, _CMP_LT_OQ)); }

    // Within each 128-bit half, as the unpacks work: pixels 0, 1, 4, 5 low and 2, 3, 6, 7
    // high; Pack puts them back in order.
    static I Unpacklo8(I a) { return _mm256_unpacklo_epi8(a, _mm256_setzero_si256()); }
    static I Unpackhi8(I a) { return _mm256_unpackhi_epi8(a, _mm256_setzero_si256()); }
    static I Unpacklo32(I a, I b) { return _mm256_unpacklo_epi32(a, b); }
    static I Unpackhi32(I a, I b) { return _mm256_unpackhi_epi32(a, b); }
    static I Pack(I low, I high) { return _mm256_packus_epi16(low, high); }
    static I Add16(I a, I b) { return _mm256_add_epi16(a, b); }
    static I Sub16(I a, I b) { return _mm256_sub_epi16(a, b); }
    static I Mullo16(I a, I b) { return _mm256_mullo_epi16(a, b); }
    static I MulHi16(I a, I b) { return _mm256_mulhi_epu16(a, b); }
    template <int n>
    static I Srli16(I a) { return _mm256_srli_epi16(a, n); }
    static I BroadcastAlpha(I a)
    {
        return _mm256_shuffle_epi8(a, _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15, 6, 7, 6,
                                                       7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15));
    }
    // A weight below 2^16 a 32-bit lane, as pass one stores it for Spread.
    static I Weight(I a) { return a; }
    // Weights as Weight stores them, as 16-bit channels of the lanes' pixels in the order
    // Unpacklo8 (false) or Unpackhi8 (true) widens them.
    template <bool upperHalf>
    static I Spread(I weight)
    {
        if (upperHalf) {
            return _mm256_shuffle_epi8(weight, _mm256_setr_epi8(8, 9, 8, 9, 8, 9, 8, 9, 12, 13, 12, 13, 12, 13, 12, 13, 8,
                                                                9, 8, 9, 8, 9, 8, 9, 12, 13, 12, 13, 12, 13, 12, 13));
        }
        return _mm256_shuffle_epi8(weight, _mm256_setr_epi8(0, 1, 0, 1, 0, 1, 0, 1, 4, 5, 4, 5, 4, 5, 4, 5, 0, 1, 0, 1, 0,
                                                            1, 0, 1, 4, 5, 4, 5, 4, 5, 4, 5));
    }

    static I FirstLanes(int count) { return _mm256_cmpgt_epi32(_mm256_set1_epi32(count), LaneIndex()); }
    static I Load(const std::uint32_t* p, int count)
    {
        if (count == kLanes) {
            return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        }
        return _mm256_maskload_epi32(reinterpret_cast<const int*>(p), FirstLanes(count));
    }
    static void Store(std::uint32_t* p, I v, int count)
    {
        if (count == kLanes) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
        } else {
            _mm256_maskstore_epi32(reinterpret_cast<int*>(p), FirstLanes(count), v);
        }
    }

    // Each lane's pixel and its right neighbour read as one 64-bit pair, on its line and the
    // next: half the reads of a gather of each pixel, and plain loads, which some processors
    // (AMD's among them) do much faster than the gather instruction.
    static void Gather(const std::uint32_t* base, int stride, const int* offsets, I& upperLeft, I& upperRight,
                       I& lowerLeft, I& lowerRight)
    {
        const std::uint32_t* below = base + stride;
        using P = PixelPairs;
        Split(P::Pairs(base, offsets[0], offsets[1]), P::Pairs(base, offsets[2], offsets[3]),
              P::Pairs(base, offsets[4], offsets[5]), P::Pairs(base, offsets[6], offsets[7]), upperLeft, upperRight);
        Split(P::Pairs(below, offsets[0], offsets[1]), P::Pairs(below, offsets[2], offsets[3]),
              P::Pairs(below, offsets[4], offsets[5]), P::Pairs(below, offsets[6], offsets[7]), lowerLeft, lowerRight);
    }
    // Pairs 0 to 7 into a register of left pixels and one of right pixels, in lane order.
    static void Split(__m128 pairs01, __m128 pairs23, __m128 pairs45, __m128 pairs67, I& left, I& right)
    {
        const __m256 a = _mm256_setr_m128(pairs01, pairs45);
        const __m256 b = _mm256_setr_m128(pairs23, pairs67);
        left = _mm256_castps_si256(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0)));
        right = _mm256_castps_si256(_mm256_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
    }

    // Each lane's pixel and its right neighbour, on its line and the next, as pairs; the
    // bytes of each pair's two pixels interleaved and multiplied by their weights across with
    // the multiply-add of bytes. False when the pixels drawn sample only transparent ones.
    static bool Across(const std::uint32_t* base, int stride, const int* offsets, I inside, I across, I& upperLow,
                       I& upperHigh, I& lowerLow, I& lowerHigh)
    {
        const std::uint32_t* below = base + stride;
        using P = PixelPairs;
        // Pairs of pixels 0, 1, 4, 5 and of 2, 3, 6, 7, as Unpacklo8 and Unpackhi8 order them.
        const I upperA = _mm256_castps_si256(
            _mm256_setr_m128(P::Pairs(base, offsets[0], offsets[1]), P::Pairs(base, offsets[4], offsets[5])));
        const I upperB = _mm256_castps_si256(
            _mm256_setr_m128(P::Pairs(base, offsets[2], offsets[3]), P::Pairs(base, offsets[6], offsets[7])));
        const I lowerA = _mm256_castps_si256(
            _mm256_setr_m128(P::Pairs(below, offsets[0], offsets[1]), P::Pairs(below, offsets[4], offsets[5])));
        const I lowerB = _mm256_castps_si256(
            _mm256_setr_m128(P::Pairs(below, offsets[2], offsets[3]), P::Pairs(below, offsets[6], offsets[7])));
        const I any = Or(And(Or(upperA, lowerA), _mm256_unpacklo_epi32(inside, inside)),
                         And(Or(upperB, lowerB), _mm256_unpackhi_epi32(inside, inside)));
        if (None(any)) {
            return false;
        }
        const I order = _mm256_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15, 0, 4, 1, 5, 2, 6, 3, 7, 8,
                                         12, 9, 13, 10, 14, 11, 15);
        const I weightsLow = Spread<false>(across);
        const I weightsHigh = Spread<true>(across);
        upperLow = _mm256_maddubs_epi16(_mm256_shuffle_epi8(upperA, order), weightsLow);
        lowerLow = _mm256_maddubs_epi16(_mm256_shuffle_epi8(lowerA, order), weightsLow);
        upperHigh = _mm256_maddubs_epi16(_mm256_shuffle_epi8(upperB, order), weightsHigh);
        lowerHigh = _mm256_maddubs_epi16(_mm256_shuffle_epi8(lowerB, order), weightsHigh);
        return true;
    }
};

}  // namespace

const BlitKernels kAvx2Kernels = {"AVX2", &Kernel<Avx2>::SampleRow, &Kernel<Avx2>::BlendRow};

}  // namespace detail
}  // namespace tsumiki
