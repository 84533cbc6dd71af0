// The kernels of blit_kernels.h written once over the vector operations `V` of one
// instruction set, with several pixels a step and no branch per pixel. Included only by the
// file of each instruction set, inside its unnamed namespace, so that each gets a copy
// compiled for its own instructions (a shared inline copy could be AVX2 code run on SSE2).
//
// Colours are premultiplied ARGB, widened to 16 bits a channel. A bilinear sample weighs the
// four pixels around its point 127 - wx : wx across (wx of 0 to 127) and 255 - wy : wy down,
// the weights down scaled by the opacity (see DownScale); the sums across are exact, the one
// down is taken from the upper halves of the products and rounded once. The result goes over
// the ground rounded as GDI's alpha blend rounds, with the exact floor of the division by 255.
// The sums across fit the multiply-adds of bytes of AVX2, which the SSE2 kernels do in two
// products.

template <class V>
struct Kernel {
    using I = typename V::I;
    using F = typename V::F;
    static constexpr int kLanes = V::kLanes;

    // The constants of the blend, made once a pass over a stretch. Hidden from the compiler's constant
    // folding, which otherwise makes each anew in every step and, short of registers (a
    // 32-bit processor has 8), stores it aside there as well; this way each is kept in a
    // register or read from the stack as an operand.
    struct Constants {
        I full = Opaque(V::Set16(255));
        I halfDown = Opaque(V::Set16(127));
        I inverse255 = Opaque(V::Set16(0x8081));
        I wholeAcross = Opaque(V::Set16(kWholeAcross));
        I halfSample = Opaque(V::Set16(32));

        static I Opaque(I v)
        {
            asm("" : "+x"(v));
            return v;
        }
    };

    static I Div255(I n, const Constants& k) { return V::template Srli16<7>(V::MulHi16(n, k.inverse255)); }

    // colour + round(ground * (255 - alpha of colour) / 255), each 16-bit channel.
    static I Over(I colour, I ground, const Constants& k)
    {
        const I keep = V::Sub16(k.full, V::BroadcastAlpha(colour));
        return V::Add16(colour, Div255(V::Add16(V::Mullo16(ground, keep), k.halfDown), k));
    }

    static constexpr int kWholeAcross = 127;

    // The sums across of one half of a step (Unpacklo8's or Unpackhi8's pixels), on the upper
    // and the lower line, from the samples one at a time: at most 255 * 127.
    template <bool upperHalf>
    static void SumAcross(I upperLeft, I upperRight, I lowerLeft, I lowerRight, I across, const Constants& k,
                          I& upper, I& lower)
    {
        const I right = V::template Spread<upperHalf>(across);
        const I left = V::Sub16(k.wholeAcross, right);
        upper = V::Add16(V::Mullo16(Widen<upperHalf>(upperLeft), left), V::Mullo16(Widen<upperHalf>(upperRight), right));
        lower = V::Add16(V::Mullo16(Widen<upperHalf>(lowerLeft), left), V::Mullo16(Widen<upperHalf>(lowerRight), right));
    }

    // Reads a step's samples and sums them across; false, with nothing summed, when every
    // sample of the pixels drawn is transparent.
    static bool Across(const RowSampling& s, const int* offset, I drawn, I across, const Constants& k, I& upperLow,
                       I& upperHigh, I& lowerLow, I& lowerHigh)
    {
        if constexpr (V::kMultipliesBytes) {
            return V::Across(s.source, s.sourceStride, offset, drawn, across, upperLow, upperHigh, lowerLow, lowerHigh);
        } else {
            I upperLeft, upperRight, lowerLeft, lowerRight;
            V::Gather(s.source, s.sourceStride, offset, upperLeft, upperRight, lowerLeft, lowerRight);
            if (V::None(V::And(V::Or(V::Or(upperLeft, upperRight), V::Or(lowerLeft, lowerRight)), drawn))) {
                return false;
            }
            SumAcross<false>(upperLeft, upperRight, lowerLeft, lowerRight, across, k, upperLow, lowerLow);
            SumAcross<true>(upperLeft, upperRight, lowerLeft, lowerRight, across, k, upperHigh, lowerHigh);
            return true;
        }
    }

    // Down: the weights sum to about 2^15 * 128 / 127 at most, so the upper halves of the
    // products are the colour times 64.
    static I Down(I upper, I lower, I up, I down, const Constants& k)
    {
        return V::template Srli16<6>(V::Add16(V::Add16(V::MulHi16(upper, up), V::MulHi16(lower, down)), k.halfSample));
    }

    // A weight down wy of 0 to 255 is wy * DownScale / 256 (the floor) in the 16-bit units Down
    // takes; all of 255 is DownTotal. DownScale is 2^15 * 128 / 127 / 255 * opacity / 255 in
    // 256ths, below 2^16.
    static int DownScale(unsigned opacity)
    {
        return static_cast<int>(static_cast<float>(opacity) * (8388608.0f * 128.0f / (127.0f * 255.0f * 255.0f)) + 0.5f);
    }
    static int DownTotal(unsigned opacity) { return 255 * DownScale(opacity) / 256; }

    // Unpacklo8's or Unpackhi8's pixels.
    template <bool upperHalf>
    static I Widen(I pixels)
    {
        return upperHalf ? V::Unpackhi8(pixels) : V::Unpacklo8(pixels);
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
        const F scale = V::SetF(255.0f), half = V::SetF(0.5f), scaleAcross = V::SetF(static_cast<float>(kWholeAcross));
        const I lanes = V::LaneIndex();
        const I downScale = V::Set16(DownScale(s.opacity));
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
            const I wx =
                V::And(V::Truncate(V::AddF(V::MulF(V::SubF(sx, V::ToFloat(column)), scaleAcross), half)), inside);
            const I wy = V::And(V::Truncate(V::AddF(V::MulF(V::SubF(sy, V::ToFloat(line)), scale), half)), inside);
            V::StoreAll(out.offset + i, V::Offsets(V::And(line, inside), V::And(column, inside), s.sourceStride));
            V::StoreAll(out.across + i, V::AcrossWeight(wx));
            // The opacity goes into the weights down.
            // wy * 256 in the lower half of the lane, 0 in the upper.
            V::StoreAll(out.down + i, V::Weight(V::MulHi16(V::template Slli32<8>(wy), downScale)));
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

    // The pixels of one half of a step (Unpacklo8's or Unpackhi8's), sampled down and
    // blended, as 16-bit channels. Each half is done whole before the other, so that what it
    // needs fits the registers of a 32-bit processor.
    template <bool upperHalf>
    static I Blend(I upper, I lower, I down, I total, I ground, const Constants& k)
    {
        const I below = V::template Spread<upperHalf>(down);
        return Over(Down(upper, lower, V::Sub16(total, below), below, k), Widen<upperHalf>(ground), k);
    }

    // One step of pass two: the pixels from `at` that the buffers' entries from `entry`
    // describe, of which the first `count` may be drawn; the step reads and writes all its
    // lanes when the row has room for them.
    static void Step(const RowSampling& s, const int* offset, const int* across, const int* down, const int* inside,
                     std::uint32_t* at, int count, bool room, I total, const Constants& k)
    {
        const int touched = room ? kLanes : count;
        const I drawn = V::LoadAll(inside);
        I upperLow, upperHigh, lowerLow, lowerHigh;
        if (!Across(s, offset, drawn, V::LoadAll(across), k, upperLow, upperHigh, lowerLow, lowerHigh)) {
            return;
        }
        const I weightsDown = V::LoadAll(down);
        const I ground = V::Load(at, touched);
        const I low = Blend<false>(upperLow, lowerLow, weightsDown, total, ground, k);
        const I high = Blend<true>(upperHigh, lowerHigh, weightsDown, total, ground, k);
        V::Store(at, V::Select(drawn, V::Pack(low, high), ground), touched);
    }

    // Step for a row's last few pixels, with narrower vectors.
    static void LastStep(const RowSampling& s, const int* offset, const int* across, const int* down,
                         const int* inside, std::uint32_t* at, int count, bool room)
    {
        Step(s, offset, across, down, inside, at, count, room, V::Set16(DownTotal(s.opacity)), Constants());
    }

    // Pass two: pixels [first, last) of the stretch the buffers describe, which starts at
    // `row`. Where the vectors have more lanes than the narrower ones of V::Narrow, a run's
    // last pixels that fit those are done with them: a wide step there would mostly sample
    // pixels past the run.
    static void Draw(const RowSampling& s, const Stretch& in, std::uint32_t* row, int rowLeft, int first, int last)
    {
        const I total = V::Set16(DownTotal(s.opacity));
        const Constants k;
        constexpr int narrowLanes = V::Narrow::kLanes;
        int i = first;
        for (; narrowLanes < kLanes ? last - i > narrowLanes : i < last; i += kLanes) {
            const int count = last - i < kLanes ? last - i : kLanes;
            Step(s, in.offset + i, in.across + i, in.down + i, in.inside + i, row + i, count,
                 rowLeft + i + kLanes <= s.rowWidth, total, k);
        }
        if (narrowLanes < kLanes && i < last) {
            Kernel<typename V::Narrow>::LastStep(s, in.offset + i, in.across + i, in.down + i, in.inside + i, row + i,
                                                 last - i, rowLeft + i + narrowLanes <= s.rowWidth);
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
        const Constants k;
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
                low = Div255(V::Mullo16(low, fade), k);
                high = Div255(V::Mullo16(high, fade), k);
            }
            V::Store(row + x, V::Pack(Over(low, V::Unpacklo8(ground), k), Over(high, V::Unpackhi8(ground), k)), n);
        }
    }
};
