#include "graphics/ellipse_outlines.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tsumiki {
namespace detail {

namespace {

struct UnitPoint {
    float x, y;
};

// The path of the unit circle: each quarter a Bézier curve from its start angle to its end,
// the angles in single-precision radians and the rest in double precision, as GDI+ makes it.
const std::array<UnitPoint, 13>& UnitCircle()
{
    static const std::array<UnitPoint, 13> circle = [] {
        const float pi = 3.14159265358979323846f;
        std::array<UnitPoint, 13> points = {};
        for (int quarter = 0; quarter < 4; ++quarter) {
            const double start = static_cast<float>(quarter * 90.0f) * pi / 180.0f;
            const double end = static_cast<float>((quarter + 1) * 90.0f) * pi / 180.0f;
            const double half = (end - start) / 2;
            const double reach = 4.0 / 3.0 * (1 - std::cos(half)) / std::sin(half);
            const double c0 = std::cos(start), s0 = std::sin(start), c1 = std::cos(end), s1 = std::sin(end);
            if (quarter == 0) {
                points[0] = {static_cast<float>(c0), static_cast<float>(s0)};
            }
            points[quarter * 3 + 1] = {static_cast<float>(c0 - reach * s0), static_cast<float>(s0 + reach * c0)};
            points[quarter * 3 + 2] = {static_cast<float>(c1 + reach * s1), static_cast<float>(s1 - reach * c1)};
            points[quarter * 3 + 3] = {static_cast<float>(c1), static_cast<float>(s1)};
        }
        return points;
    }();
    return circle;
}

// Where GDI's fill of a shape is worked out: far enough from 0 that no rounding of its
// curves reaches below it.
const int kOrigin = 16;

}  // namespace

EllipsePath RoundedEllipsePath(float x, float y, float width, float height)
{
    const float rx = width / 2;
    const float ry = height / 2;
    const float cx = x + rx;
    const float cy = y + ry;
    EllipsePath path;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const UnitPoint& u = UnitCircle()[i];
        const float px = u.x * rx + cx;
        const float py = u.y * ry + cy;
        path[i] = {static_cast<LONG>(std::floor(px + 0.5f)), static_cast<LONG>(std::floor(py + 0.5f))};
    }
    return path;
}

EllipseOutlines::~EllipseOutlines()
{
    if (m_DC) {
        DeleteDC(m_DC);
    }
}

std::size_t EllipseOutlines::ShapeHash::operator()(const std::array<int, 26>& shape) const
{
    std::size_t hash = 2166136261u;
    for (int v : shape) {
        hash = (hash ^ static_cast<std::size_t>(v)) * 16777619u;
    }
    return hash;
}

const std::vector<PixelRun>* EllipseOutlines::Rows(const EllipsePath& path)
{
    LONG left = path[0].x;
    LONG top = path[0].y;
    for (const POINT& p : path) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
    }
    std::array<int, 26> shape;
    POINT moved[13];
    for (std::size_t i = 0; i < path.size(); ++i) {
        shape[2 * i] = static_cast<int>(path[i].x - left);
        shape[2 * i + 1] = static_cast<int>(path[i].y - top);
        moved[i] = {shape[2 * i] + kOrigin, shape[2 * i + 1] + kOrigin};
    }
    auto known = m_Shapes.find(shape);
    if (known != m_Shapes.end()) {
        return &known->second;
    }
    if (!m_DC && !(m_DC = CreateCompatibleDC(nullptr))) {
        return nullptr;
    }
    // Shapes of a moving ellipse repeat; shapes of many sizes would grow without end.
    if (m_Shapes.size() >= 256) {
        m_Shapes.clear();
    }
    BeginPath(m_DC);
    MoveToEx(m_DC, moved[0].x, moved[0].y, nullptr);
    PolyBezierTo(m_DC, moved + 1, 12);
    CloseFigure(m_DC);
    EndPath(m_DC);
    HRGN region = PathToRegion(m_DC);
    if (!region) {
        return nullptr;
    }
    std::vector<PixelRun> rows;
    std::vector<unsigned char> data(GetRegionData(region, 0, nullptr));
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    const bool read = !data.empty() && GetRegionData(region, static_cast<DWORD>(data.size()), header);
    DeleteObject(region);
    if (!read) {
        return nullptr;
    }
    const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
    for (DWORD i = 0; i < header->rdh.nCount; ++i) {
        for (LONG row = rects[i].top; row < rects[i].bottom; ++row) {
            rows.push_back({row - kOrigin, rects[i].left - kOrigin, rects[i].right - kOrigin});
        }
    }
    return &(m_Shapes[shape] = std::move(rows));
}

}  // namespace detail
}  // namespace tsumiki
