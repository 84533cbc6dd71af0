// The kernels of blit_kernels.h written once over the vector operations `V` of one
// instruction set, with several pixels a step and no branch per pixel. Included only by the
// file of each instruction set, inside its unnamed namespace, so that each gets a copy
// compiled for its own instructions (a shared inline copy could be AVX2 code run on SSE2).
//
// Colours are premultiplied ARGB, widened to 16 bits a channel; every division by 255 is the
// exact floor. A bilinear sample weighs the four pixels around its point wx : 255 - wx across
// and wy : 255 - wy down, as GDI+ does; the opacity is folded into the weights down, and the
// result goes over the ground rounded as GDI's alpha blend rounds.

template <class V>
struct Kernel {
    using I = typename V::I;
    using F = typename V::F;
    static constexpr int kLanes = V::kLanes;

    static I Div255(I n) { return V::template Srli16<7>(V::MulHi16(n, V::Set16(0x8081))); }

    // colour + round(ground * (255 - alpha of colour) / 255), each 16-bit channel.
    static I Over(I colour, I ground)
    {
        const I keep = V::Sub16(V::Set16(255), V::BroadcastAlpha(colour));
        return V::Add16(colour, Div255(V::Add16(V::Mullo16(ground, keep), V::Set16(127))));
    }

    static I Sample(I upperLeft, I upperRight, I lowerLeft, I lowerRight, I left, I right, I up, I down)
    {
        const I upper = Div255(V::Add16(V::Mullo16(upperLeft, left), V::Mullo16(upperRight, right)));
        const I lower = Div255(V::Add16(V::Mullo16(lowerLeft, left), V::Mullo16(lowerRight, right)));
        return Div255(V::Add16(V::Mullo16(upper, up), V::Mullo16(lower, down)));
    }

    // A row is drawn a stretch at a time in two passes. The first works out, for every pixel
    // of the stretch, whether it samples inside the cell, where its samples lie and their
    // weights, into the buffers below; the second reads the samples and blends them. Apart,
    // each pass is a short chain of dependent steps that the processor overlaps from one step
    // to the next, where together they made one long chain a step. The first pass also finds
    // the pixels inside the cell exactly, so the second does no step wholly outside it.
    static constexpr int kStretch = 128;
    struct Stretch {
        alignas(32) int offset[kStretch + 2 * kLanes];
        alignas(32) int across[kStretch + 2 * kLanes];
        alignas(32) int down[kStretch + 2 * kLanes];
        alignas(32) int inside[kStretch + 2 * kLanes];
    };

    // Pass one over pixels [x0, x0 + count) of row y; returns the pixels inside the cell as
    // [first, last), indices into the buffers. The points of a row move one way along each
    // axis of the picture (rounding keeps the order), so the pixels inside are one run.
    static void Place(const RowSampling& s, int y, int x0, int count, Stretch& out, int& first, int& last)
    {
        const auto fy = static_cast<float>(y);
        const F originX = V::SetF(s.originX), originY = V::SetF(s.originY);
        const F stepX = V::SetF(s.xx), stepY = V::SetF(s.yx);
        const F rowX = V::SetF(fy * s.xy), rowY = V::SetF(fy * s.yy);
        const F left = V::SetF(s.cellLeft), right = V::SetF(s.cellRight);
        const F top = V::SetF(s.cellTop), bottom = V::SetF(s.cellBottom);
        const F scale = V::SetF(255.0f), half = V::SetF(0.5f);
        const I lanes = V::LaneIndex();
        const I opacity = V::Set16(static_cast<int>(s.opacity));
        first = count;
        last = 0;
        // Columns are whole numbers far below 2^24, which single precision adds exactly.
        F fx = V::ToFloat(V::Add32(V::Set32(x0), lanes));
        const F stride = V::SetF(static_cast<float>(kLanes));
        int i = 0;
        for (; i < count; i += kLanes, fx = V::AddF(fx, stride)) {
            const F sx = V::AddF(V::AddF(originX, V::MulF(fx, stepX)), rowX);
            const F sy = V::AddF(V::AddF(originY, V::MulF(fx, stepY)), rowY);
            const I inside = V::And(V::And(V::And(V::CmpGe(sx, left), V::CmpLt(sx, right)),
                                           V::And(V::CmpGe(sy, top), V::CmpLt(sy, bottom))),
                                    V::CmpGt32(V::Set32(count - i), lanes));
            // Inside the cell both are at least 0, so truncation is the floor. Lanes outside
            // read the picture's first pixel and are not stored.
            const I column = V::Truncate(sx);
            const I line = V::Truncate(sy);
            const I wx = V::And(V::Truncate(V::AddF(V::MulF(V::SubF(sx, V::ToFloat(column)), scale), half)), inside);
            const I wy = V::And(V::Truncate(V::AddF(V::MulF(V::SubF(sy, V::ToFloat(line)), scale), half)), inside);
            V::StoreAll(out.offset + i, V::Offsets(V::And(line, inside), V::And(column, inside), s.sourceStride));
            V::StoreAll(out.across + i, wx);
            // The opacity goes into the weights down while each is one lane: the 16-bit
            // product's upper half of the lane stays 0.
            V::StoreAll(out.down + i, Div255(V::Mullo16(wy, opacity)));
            V::StoreAll(out.inside + i, inside);
            // Chosen without branches: where the run starts and ends changes from row to row,
            // which a branch would guess wrong. The extra bits keep both counts defined.
            const int lanesInside = V::LaneMask(inside);
            const int any = -static_cast<int>(lanesInside != 0);
            const int runStart = count + ((i + Lowest(lanesInside | (1 << kLanes)) - count) & any);
            first = first < runStart ? first : runStart;
            last += (i + Highest(lanesInside | 1) + 1 - last) & any;
        }
        // A step of the second pass that starts late in the last one reads past it.
        const I none = V::Set32(0);
        V::StoreAll(out.offset + i, none);
        V::StoreAll(out.across + i, none);
        V::StoreAll(out.down + i, none);
        V::StoreAll(out.inside + i, none);
    }

    static int Lowest(int bits) { return __builtin_ctz(static_cast<unsigned>(bits)); }
    static int Highest(int bits) { return 31 - __builtin_clz(static_cast<unsigned>(bits)); }

    // Pass two: pixels [first, last) of the stretch the buffers describe, which starts at
    // `row`.
    static void Draw(const RowSampling& s, const Stretch& in, std::uint32_t* row, int rowLeft, int first, int last)
    {
        const I opacity32 = V::Set32(static_cast<int>(s.opacity));
        const I full = V::Set32(255);
        for (int i = first; i < last; i += kLanes) {
            const int count = last - i < kLanes ? last - i : kLanes;
            const int touched = rowLeft + i + kLanes <= s.rowWidth ? kLanes : count;
            const I inside = V::LoadAll(in.inside + i);
            I upperLeft, upperRight, lowerLeft, lowerRight;
            V::Gather(s.source, s.sourceStride, in.offset + i, upperLeft, upperRight, lowerLeft, lowerRight);
            if (V::None(V::And(V::Or(V::Or(upperLeft, upperRight), V::Or(lowerLeft, lowerRight)), inside))) {
                continue;
            }
            const I wx = V::LoadAll(in.across + i);
            const I down = V::LoadAll(in.down + i);
            I rightLow, rightHigh, leftLow, leftHigh, downLow, downHigh, upLow, upHigh;
            V::Spread(wx, rightLow, rightHigh);
            V::Spread(V::Sub32(full, wx), leftLow, leftHigh);
            V::Spread(down, downLow, downHigh);
            V::Spread(V::Sub32(opacity32, down), upLow, upHigh);
            std::uint32_t* at = row + i;
            const I ground = V::Load(at, touched);
            const I low = Over(Sample(V::Unpacklo8(upperLeft), V::Unpacklo8(upperRight), V::Unpacklo8(lowerLeft),
                                      V::Unpacklo8(lowerRight), leftLow, rightLow, upLow, downLow),
                               V::Unpacklo8(ground));
            const I high = Over(Sample(V::Unpackhi8(upperLeft), V::Unpackhi8(upperRight), V::Unpackhi8(lowerLeft),
                                       V::Unpackhi8(lowerRight), leftHigh, rightHigh, upHigh, downHigh),
                                V::Unpackhi8(ground));
            V::Store(at, V::Select(inside, V::Pack(low, high), ground), touched);
        }
    }

    static void SampleRow(const RowSampling& s, std::uint32_t* row, int y, int first, int last)
    {
        Stretch stretch;
        for (int x = first; x < last; x += kStretch) {
            const int count = last - x < kStretch ? last - x : kStretch;
            int from = 0;
            int to = 0;
            Place(s, y, x, count, stretch, from, to);
            if (from < to) {
                Draw(s, stretch, row + x, x, from, to);
            }
        }
    }

    static void BlendRow(const std::uint32_t* source, std::uint32_t* row, int count, unsigned opacity)
    {
        const I fade = V::Set16(static_cast<int>(opacity));
        for (int x = 0; x < count; x += kLanes) {
            const int n = count - x < kLanes ? count - x : kLanes;
            const I colour = V::Load(source + x, n);
            if (V::None(colour)) {
                continue;
            }
            const I ground = V::Load(row + x, n);
            I low = V::Unpacklo8(colour);
            I high = V::Unpackhi8(colour);
            if (opacity != 255) {
                low = Div255(V::Mullo16(low, fade));
                high = Div255(V::Mullo16(high, fade));
            }
            V::Store(row + x, V::Pack(Over(low, V::Unpacklo8(ground)), Over(high, V::Unpackhi8(ground))), n);
        }
    }
};
