// Reads of each lane's pixel and its right neighbour as one 64-bit pair, four lanes to a
// 128-bit register. Included, like blit_kernel_body.h, by the file of each instruction set
// inside its unnamed namespace, so that each gets a copy compiled for its own instructions.

struct PixelPairs {
    // Each lane's pixel and its right neighbour, on its line and the next, split into one
    // register of left pixels and one of right pixels.
    static void Gather(const std::uint32_t* base, int stride, const int* offsets, __m128i& upperLeft,
                       __m128i& upperRight, __m128i& lowerLeft, __m128i& lowerRight)
    {
        const std::uint32_t* below = base + stride;
        Split(Pairs(base, offsets[0], offsets[1]), Pairs(base, offsets[2], offsets[3]), upperLeft, upperRight);
        Split(Pairs(below, offsets[0], offsets[1]), Pairs(below, offsets[2], offsets[3]), lowerLeft, lowerRight);
    }
    // The pair at `first` in the lower half, the pair at `second` in the upper.
    static __m128 Pairs(const std::uint32_t* base, int first, int second)
    {
        return _mm_loadh_pi(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(base + first))),
                            reinterpret_cast<const __m64*>(base + second));
    }
    static void Split(__m128 pairs01, __m128 pairs23, __m128i& left, __m128i& right)
    {
        left = _mm_castps_si128(_mm_shuffle_ps(pairs01, pairs23, _MM_SHUFFLE(2, 0, 2, 0)));
        right = _mm_castps_si128(_mm_shuffle_ps(pairs01, pairs23, _MM_SHUFFLE(3, 1, 3, 1)));
    }
};
