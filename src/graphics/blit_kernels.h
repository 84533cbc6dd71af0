// The inner loops of the sprite fast path, one set per instruction set: AVX2 where the
// processor has it, SSE2 (which every processor the library runs on has) otherwise. Both give
// the same pixels.
#pragma once

#include <cstdint>

namespace tsumiki {
namespace detail {

// How one destination row samples a picture's cell: pixel (x, y) samples the source point
// (originX + x*xx + y*xy, originY + x*yx + y*yy), each term in single precision and in that
// order, and is drawn only where that point lies inside the cell.
struct RowSampling {
    // Premultiplied pixels with a transparent column and row past the right and bottom.
    const std::uint32_t* source;
    int sourceStride;
    float originX, originY, xx, xy, yx, yy;
    float cellLeft, cellTop, cellRight, cellBottom;
    // 255 keeps the picture's own alpha.
    unsigned opacity;
    // Pixels of each destination row: a step that ends past `last` but within the row reads
    // and writes whole, putting back unchanged the pixels it does not draw, since a partial
    // read and write under a mask costs several times a whole one.
    int rowWidth;
};

struct BlitKernels {
    const char* name;
    // Blends the bilinear samples of pixels [first, last) of row y over them.
    void (*sampleRow)(const RowSampling& sampling, std::uint32_t* row, int y, int first, int last);
    // Blends `count` premultiplied pixels, faded by the opacity, over the row's first ones.
    void (*blendRow)(const std::uint32_t* source, std::uint32_t* row, int count, unsigned opacity);
};

extern const BlitKernels kSse2Kernels;
extern const BlitKernels kAvx2Kernels;

// AVX2 where the processor and the system support it, unless the environment variable
// TSUMIKI_SIMD is "sse2": then SSE2, so that both sets can be compared on one machine.
// Read anew on each call; a back buffer asks once, when it is made.
const BlitKernels& ChooseKernels();

}  // namespace detail
}  // namespace tsumiki
