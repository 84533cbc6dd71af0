#include "controls/group_box_inside.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace tsumiki {

namespace {

constexpr UINT_PTR kBoxSubclassID = 0x74734742;
constexpr UINT_PTR kParentSubclassID = 0x74734750;
// Marks the boxes whose inside the library paints, for their parent's refresh.
const wchar_t kInsideProperty[] = L"tsumiki.GroupBoxInside";

RECT PlaceIn(HWND parent, HWND window)
{
    RECT place = {};
    GetWindowRect(window, &place);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// Whether the part of the box a sibling covers is most of the box: then the sibling is
// what the box stands on (a tab control), not a control framed by it.
bool CoversMostOf(const RECT& common, const RECT& box)
{
    const long long covered = static_cast<long long>(common.right - common.left) * (common.bottom - common.top);
    const long long whole = static_cast<long long>(box.right - box.left) * (box.bottom - box.top);
    return covered * 4 >= whole * 3;
}

// Asks a window to paint itself into the dc with its client origin at the dc's `at`.
void PrintInto(HWND window, HDC dc, POINT at)
{
    POINT before = {};
    SetViewportOrgEx(dc, at.x, at.y, &before);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, before.x, before.y, nullptr);
}

// Paints into dc (the box's size) what lies beneath the box; the siblings lying on the box
// (the controls it frames, or any above it) are added to `onTop`.
void PaintBeneath(HWND box, HWND parent, HDC dc, const RECT& place, std::vector<RECT>& onTop)
{
    RECT inside = {0, 0, place.right - place.left, place.bottom - place.top};
    // Where the parent answers nothing, the colour the box's caption sits on.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(box)));
    FillRect(dc, &inside, brush ? brush : GetSysColorBrush(COLOR_3DFACE));
    PrintInto(parent, dc, {-place.left, -place.top});
    // Siblings later in the order lie beneath the box; those that cover most of it are its
    // ground, painted bottom first.
    std::vector<HWND> ground;
    bool beneath = false;
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == box) {
            beneath = true;
            continue;
        }
        RECT at = PlaceIn(parent, sibling);
        RECT common = {};
        if (!IsWindowVisible(sibling) || !IntersectRect(&common, &at, &place)) {
            continue;
        }
        if (beneath && CoversMostOf(common, place)) {
            ground.push_back(sibling);
        } else {
            OffsetRect(&common, -place.left, -place.top);
            onTop.push_back(common);
        }
    }
    std::reverse(ground.begin(), ground.end());
    for (HWND sibling : ground) {
        // Printing is in client coordinates, which a border would shift from the window's.
        POINT client = {0, 0};
        MapWindowPoints(sibling, parent, &client, 1);
        PrintInto(sibling, dc, {client.x - place.left, client.y - place.top});
    }
}

// An off-screen picture the size of the box.
class Layer {
public:
    Layer(HDC screen, SIZE size)
        : m_DC(CreateCompatibleDC(screen)),
          m_Bitmap(CreateCompatibleBitmap(screen, std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1)))
    {
        if (m_DC && m_Bitmap) {
            m_Before = SelectObject(m_DC, m_Bitmap);
        }
    }
    ~Layer()
    {
        if (m_Before) {
            SelectObject(m_DC, m_Before);
        }
        if (m_Bitmap) {
            DeleteObject(m_Bitmap);
        }
        if (m_DC) {
            DeleteDC(m_DC);
        }
    }
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;
    HDC DC() const { return m_Before ? m_DC : nullptr; }

private:
    HDC m_DC;
    HBITMAP m_Bitmap;
    HGDIOBJ m_Before = nullptr;
};

// The box being painted on this thread, and what lies beneath it. A themed group box asks
// its parent for what lies beneath its frame (DrawThemeParentBackground), and the parent
// alone would leave out the tab control the box stands on: it is answered from here.
struct Composing {
    HDC target;
    HDC ground;
    RECT place;
};
thread_local Composing t_Composing = {};

void PaintBox(HWND box)
{
    HWND parent = GetParent(box);
    // The parent's picture first, so that the box copies what the parent is about to show.
    if (parent && GetUpdateRect(parent, nullptr, FALSE)) {
        RedrawWindow(parent, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
    }
    PAINTSTRUCT paint = {};
    HDC screen = BeginPaint(box, &paint);
    RECT client = {};
    GetClientRect(box, &client);
    // Composed off the screen and copied in one go: the frame never flickers.
    Layer ground(screen, {client.right, client.bottom});
    Layer picture(screen, {client.right, client.bottom});
    if (parent && ground.DC() && picture.DC() && !t_Composing.target) {
        const RECT place = PlaceIn(parent, box);
        std::vector<RECT> onTop;
        PaintBeneath(box, parent, ground.DC(), place, onTop);
        BitBlt(picture.DC(), 0, 0, client.right, client.bottom, ground.DC(), 0, 0, SRCCOPY);
        t_Composing = {picture.DC(), ground.DC(), place};
        DefSubclassProc(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture.DC()), PRF_CLIENT);
        t_Composing = {};
        // The controls on the box paint themselves; painting over them would hide them.
        for (const RECT& covered : onTop) {
            ExcludeClipRect(screen, covered.left, covered.top, covered.right, covered.bottom);
        }
        BitBlt(screen, 0, 0, client.right, client.bottom, picture.DC(), 0, 0, SRCCOPY);
    } else {
        DefSubclassProc(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(screen), PRF_CLIENT);
    }
    EndPaint(box, &paint);
}

// The parent's answer to the themed box asking for what lies beneath it, in the parent's
// client coordinates as the platform offsets the dc; false for any other printing.
bool AnswerComposing(UINT message, WPARAM wParam)
{
    if ((message != WM_PRINTCLIENT && message != WM_ERASEBKGND) || !t_Composing.target ||
        reinterpret_cast<HDC>(wParam) != t_Composing.target) {
        return false;
    }
    if (message == WM_PRINTCLIENT) {
        const RECT& place = t_Composing.place;
        BitBlt(t_Composing.target, place.left, place.top, place.right - place.left,
               place.bottom - place.top, t_Composing.ground, 0, 0, SRCCOPY);
    }
    return true;
}

LRESULT CALLBACK BoxSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_PAINT:
        // A dc given with the message is someone else's printing: frame and caption only.
        if (!wParam) {
            PaintBox(hwnd);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        // The paint covers the whole inside.
        return 1;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, BoxSubclass, kBoxSubclassID);
        RemovePropW(hwnd, kInsideProperty);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK ParentSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR)
{
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, ParentSubclass, kParentSubclassID);
    }
    if (AnswerComposing(message, wParam)) {
        return 1;
    }
    LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_PAINT) {
        // Painted after the parent (the platform paints parents first): the boxes copy the
        // picture just painted.
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (GetPropW(child, kInsideProperty) && IsWindowVisible(child)) {
                RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE);
            }
        }
    }
    return result;
}

}  // namespace

void detail::PaintGroupBoxInside(HWND box)
{
    HWND parent = box ? GetParent(box) : nullptr;
    if (!parent || !SetWindowSubclass(box, BoxSubclass, kBoxSubclassID, 0)) {
        return;
    }
    SetPropW(box, kInsideProperty, box);
    SetWindowSubclass(parent, ParentSubclass, kParentSubclassID, 0);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE);
}

}  // namespace tsumiki
