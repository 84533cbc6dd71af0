#include "shapes/black_region.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace tsumiki {

namespace detail {

namespace {

// Pixels are read in stripes of rows of about this many bytes, so that the memory used stays
// small whatever the bitmap's size, while the calls stay few.
constexpr size_t kStripeBytes = 1 << 20;

// Joins regions pairwise in a balanced tree, as they arrive: each region enters at level
// 0, and two regions of the same level become one of the next level. Every rectangle is
// then copied about log2(count) times, where adding the regions one by one to a growing
// whole would copy the whole again for each of them.
class RegionTree {
public:
    RegionTree() = default;
    RegionTree(const RegionTree&) = delete;
    RegionTree& operator=(const RegionTree&) = delete;
    ~RegionTree()
    {
        for (const Node& node : m_Stack) {
            DeleteObject(node.region);
        }
    }

    // Takes ownership of the region. False when the platform fails to join.
    bool Add(HRGN region)
    {
        m_Stack.push_back({region, 0});
        while (m_Stack.size() >= 2 && m_Stack[m_Stack.size() - 2].level == m_Stack.back().level) {
            if (!JoinTop()) {
                return false;
            }
            ++m_Stack.back().level;
        }
        return true;
    }

    // The union of everything added (an empty region when nothing was); the caller owns it.
    HRGN Finish()
    {
        while (m_Stack.size() >= 2) {
            if (!JoinTop()) {
                return nullptr;
            }
        }
        if (m_Stack.empty()) {
            return CreateRectRgn(0, 0, 0, 0);
        }
        HRGN whole = m_Stack.back().region;
        m_Stack.clear();
        return whole;
    }

private:
    struct Node {
        HRGN region;
        int level;
    };

    // Joins the top region into the one below it.
    bool JoinTop()
    {
        Node top = m_Stack.back();
        m_Stack.pop_back();
        int result = CombineRgn(m_Stack.back().region, m_Stack.back().region, top.region, RGN_OR);
        DeleteObject(top.region);
        return result != ERROR;
    }

    std::vector<Node> m_Stack;
};

// Turns bands of rows into regions for the tree. ExtCreateRegion joins its rectangles one by
// one, each join copying what it has so far, so a long row costs the square of its runs;
// pieces of a few runs keep that small, while each call still makes several rectangles.
class BandMaker {
public:
    explicit BandMaker(RegionTree& tree) : m_Tree(tree) {}

    // Adds the runs ([left, right) pairs) spanning the rows [top, bottom) to the tree.
    // False when the platform fails.
    bool Add(const std::vector<LONG>& runs, int top, int bottom)
    {
        const size_t count = runs.size() / 2;
        for (size_t first = 0; first < count; first += kRunsPerPiece) {
            HRGN piece = Make(runs.data() + 2 * first, std::min(kRunsPerPiece, count - first), top, bottom);
            if (!piece || !m_Tree.Add(piece)) {
                return false;
            }
        }
        return true;
    }

private:
    static constexpr size_t kRunsPerPiece = 16;

    HRGN Make(const LONG* runs, size_t count, int top, int bottom)
    {
        m_Data.resize(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
        auto* header = reinterpret_cast<RGNDATAHEADER*>(m_Data.data());
        header->dwSize = sizeof(RGNDATAHEADER);
        header->iType = RDH_RECTANGLES;
        header->nCount = static_cast<DWORD>(count);
        header->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
        header->rcBound = {runs[0], top, runs[2 * count - 1], bottom};
        auto* rects = reinterpret_cast<RECT*>(m_Data.data() + sizeof(RGNDATAHEADER));
        for (size_t i = 0; i < count; ++i) {
            rects[i] = {runs[2 * i], top, runs[2 * i + 1], bottom};
        }
        return ExtCreateRegion(nullptr, static_cast<DWORD>(m_Data.size()),
                               reinterpret_cast<const RGNDATA*>(m_Data.data()));
    }

    RegionTree& m_Tree;
    std::vector<char> m_Data;
};

// The runs of pure black in one row of 32-bit pixels (the top byte is not colour), as
// [left, right) pairs.
void FindBlackRuns(const uint32_t* row, int width, std::vector<LONG>& runs)
{
    runs.clear();
    int x = 0;
    while (x < width) {
        while (x < width && (row[x] & 0x00FFFFFF) != 0) {
            ++x;
        }
        if (x == width) {
            break;
        }
        int left = x;
        while (x < width && (row[x] & 0x00FFFFFF) == 0) {
            ++x;
        }
        runs.push_back(left);
        runs.push_back(x);
    }
}

}  // namespace

HRGN BuildBlackRegion(HDC dc, HBITMAP bitmap)
{
    BITMAP info = {};
    if (!bitmap || GetObjectW(bitmap, sizeof(info), &info) != sizeof(info)) {
        return nullptr;
    }
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    if (width <= 0 || height <= 0 || width > kLargestShapeSide || height > kLargestShapeSide) {
        return nullptr;
    }

    // Every depth is read as 32-bit colours: palettes and 16-bit masks are resolved by the
    // platform, and pure black stays 0 in every format.
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    const int stripeRows = static_cast<int>(std::max<size_t>(1, std::min<size_t>(height, kStripeBytes / rowBytes)));
    std::vector<uint32_t> pixels(static_cast<size_t>(stripeRows) * width);

    RegionTree tree;
    BandMaker bands(tree);
    std::vector<LONG> bandRuns;
    std::vector<LONG> rowRuns;
    int bandTop = 0;
    for (int top = 0; top < height; top += stripeRows) {
        const int rows = std::min(stripeRows, height - top);
        // Scan lines are counted from the bottom of a bottom-up request; the stripe's last
        // row comes first in the buffer.
        request.bmiHeader.biHeight = height;
        if (GetDIBits(dc, bitmap, static_cast<UINT>(height - top - rows), static_cast<UINT>(rows),
                      pixels.data(), &request, DIB_RGB_COLORS) != rows) {
            return nullptr;
        }
        for (int y = top; y < top + rows; ++y) {
            FindBlackRuns(pixels.data() + static_cast<size_t>(top + rows - 1 - y) * width, width, rowRuns);
            if (rowRuns == bandRuns) {
                continue;  // Same runs as the row above: the band grows.
            }
            if (!bands.Add(bandRuns, bandTop, y)) {
                return nullptr;
            }
            std::swap(bandRuns, rowRuns);
            bandTop = y;
        }
    }
    if (!bands.Add(bandRuns, bandTop, height)) {
        return nullptr;
    }
    return tree.Finish();
}

}  // namespace detail

}  // namespace tsumiki
