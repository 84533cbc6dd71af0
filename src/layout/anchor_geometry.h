// Where an anchored control goes along one direction (across or down) of its window's
// client area, from where it was when it was anchored.
#pragma once

namespace tsumiki {

namespace layout {

// A control's place along one direction when it was measured, and the client extent then.
struct MeasuredSpan {
    int start;
    int length;
    int extent;
};

// A place along one direction.
struct Span {
    int start;
    int length;
};

// The control's place in a client extent of `extent`, anchored to the near edge (left or
// top), the far edge, both (it stretches, never below 0) or neither (its centre keeps its
// share of the extent). Distances and the length are scaled by dpi / measuredDpi first.
Span PlaceAlong(const MeasuredSpan& measured, bool nearEdge, bool farEdge, int extent, int dpi,
                int measuredDpi);

}  // namespace layout

}  // namespace tsumiki
