#include "layout/anchor_geometry.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace tsumiki {

namespace layout {

Span PlaceAlong(const MeasuredSpan& measured, bool nearEdge, bool farEdge, int extent, int dpi,
                int measuredDpi)
{
    auto scaled = [&](int length) { return MulDiv(length, dpi, measuredDpi); };
    const int nearGap = scaled(measured.start);
    const int farGap = scaled(measured.extent - measured.start - measured.length);
    const int length = scaled(measured.length);
    if (nearEdge && farEdge) {
        return {nearGap, std::max(0, extent - nearGap - farGap)};
    }
    if (nearEdge) {
        return {nearGap, length};
    }
    if (farEdge) {
        return {extent - farGap - length, length};
    }
    // A window measured without a client area gives no share: the control is centred.
    const double share = measured.extent > 0
                             ? (measured.start + measured.length / 2.0) / measured.extent
                             : 0.5;
    return {static_cast<int>(std::lround(share * extent - length / 2.0)), length};
}

}  // namespace layout

}  // namespace tsumiki
