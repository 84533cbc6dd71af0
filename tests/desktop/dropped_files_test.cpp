#include <gtest/gtest.h>

#include <tsumiki.h>

#include <shlobj.h>

#include "support/frame_window.h"
#include "support/pump.h"

namespace {

class DropTarget : public TestFrame {
public:
    void OnDropFiles(HWND, const std::vector<std::wstring>& dropped, int x, int y) override
    {
        paths = dropped;
        point = {x, y};
        ++drops;
    }
    std::vector<std::wstring> paths;
    POINT point = {};
    int drops = 0;
};

// The drop the shell hands a window: DROPFILES, then the paths, each ending in a zero, and
// one zero more.
HGLOBAL MakeDrop(const std::vector<std::wstring>& paths, POINT at, bool onFrame)
{
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path + L'\0';
    }
    list += L'\0';
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    *header = DROPFILES{sizeof(DROPFILES), at, onFrame, TRUE};
    memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(drop);
    return drop;
}

TEST(DroppedFiles, ArriveWholeInClientCoordinatesAndTheDropIsReleased)
{
    DropTarget window;
    ASSERT_TRUE(window.Create(300, 200, 100, 100));
    HWND hwnd = window.GetWndHandle();
    window.AcceptFiles();
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const std::vector<std::wstring> paths = {
        L"C:\\" + std::wstring(300, L'x') + L"\\long.txt", L"C:\\写真\\夏.png", L"D:\\plain.bmp"};
    POINT client = {0, 0};
    ClientToScreen(hwnd, &client);
    struct Case { POINT at; bool onFrame; POINT expected; };
    for (const Case& drop : {Case{{12, 34}, false, {12, 34}},
                             Case{{client.x - 3, client.y - 5}, true, {-3, -5}}}) {
        HGLOBAL handle = MakeDrop(paths, drop.at, drop.onFrame);
        int before = window.drops;
        PostMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(handle), 0);
        ASSERT_TRUE(PumpUntil([&] { return window.drops > before; }));
        EXPECT_EQ(window.paths, paths);
        EXPECT_EQ(window.point.x, drop.expected.x);
        EXPECT_EQ(window.point.y, drop.expected.y);
        EXPECT_EQ(GlobalFlags(handle), GMEM_INVALID_HANDLE);
    }
    window.AcceptFiles(false);
    EXPECT_FALSE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

}  // namespace
