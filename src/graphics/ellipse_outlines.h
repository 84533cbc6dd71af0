// The pixels GDI+ fills for an ellipse on this platform, kept by shape. GDI+ turns an
// ellipse into four Bézier curves whose points it rounds to whole pixels, and GDI fills that
// path; GDI's fill of one rounded shape is the same wherever it lies at coordinates of 0 or
// more, so the rows of each shape are asked of GDI once and moved to where they are drawn.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <unordered_map>
#include <vector>

namespace tsumiki {
namespace detail {

// The 13 points of the ellipse path: a start and four curves of three points each.
using EllipsePath = std::array<POINT, 13>;

// Pixels [left, right) of row `row`, counted from the path's smallest x and y.
struct PixelRun {
    int row, left, right;
};

// The path GDI+ makes for the ellipse inside the rectangle, rounded as GDI+ rounds it.
EllipsePath RoundedEllipsePath(float x, float y, float width, float height);

class EllipseOutlines {
public:
    EllipseOutlines() = default;
    ~EllipseOutlines();
    EllipseOutlines(const EllipseOutlines&) = delete;
    EllipseOutlines& operator=(const EllipseOutlines&) = delete;

    // The rows of the filled path, whose points all lie at 0 or more and span at most
    // kMaxSide pixels each way; null when GDI cannot make them. Valid until the next call.
    const std::vector<PixelRun>* Rows(const EllipsePath& path);

    static constexpr int kMaxSide = 2048;

private:
    struct ShapeHash {
        std::size_t operator()(const std::array<int, 26>& shape) const;
    };

    HDC m_DC = nullptr;
    std::unordered_map<std::array<int, 26>, std::vector<PixelRun>, ShapeHash> m_Shapes;
};

}  // namespace detail
}  // namespace tsumiki
