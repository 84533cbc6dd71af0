// Makes and destroys what a long-running program makes and destroys, many times over, and
// checks that nothing is left behind: GDI objects, USER objects and committed memory stay
// flat. TSUMIKI_SOAK_CYCLES sets the number of cycles (tools/soak runs 10,000).
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/frame_window.h"
#include "support/pump.h"
#include "support/resource_room.h"
#include "support/test_files.h"

namespace {

int SoakCycles()
{
    const char* text = std::getenv("TSUMIKI_SOAK_CYCLES");
    int cycles = text ? std::atoi(text) : 0;
    return cycles > 0 ? cycles : 150;
}

// A 16 x 16 24-bit picture file.
bool WriteSmallBmp(const std::wstring& path)
{
    const int side = 16;
    const int rowBytes = side * 3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = side;
    info.biHeight = side;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + rowBytes * side;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int i = 0; i < rowBytes * side; ++i) {
        bytes.push_back(static_cast<char>(i * 7));
    }
    return WriteBytes(path, bytes.data(), bytes.size());
}

// A wrapper that hears its control's messages.
class HeardButton : public CButton {
public:
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        ++heard;
        return CButton::WndProc(hwnd, message, wParam, lParam);
    }
    int heard = 0;
};

// Stands for another library subclassing a control after this one did.
WNDPROC g_Underneath = nullptr;
LRESULT CALLBACK LaterSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(g_Underneath, hwnd, message, wParam, lParam);
}

class SoakDialog : public CDialogBase {
public:
    int OnInitDialog(HWND hwnd, HWND, LPARAM) override
    {
        edit.Create(hwnd, 10, 10, 120, 24, L"soak");
        edit.ChangeProc(&edit);
        return 1;
    }
    CEdit edit;
};

class SoakFrame : public TestFrame {
public:
    void OnPaint(HWND hwnd) override
    {
        m_Graphics.Clear(0xFF336699);
        m_Graphics.DrawImage(picture);
        m_Graphics.Present(hwnd);
    }
    CImage* picture = nullptr;
};

// One round of everything; each thing made is destroyed again within the round.
void Cycle(const std::wstring& picturePath)
{
    CImage picture;
    picture.Load(picturePath.c_str());
    picture.SetPos(40, 40);

    SoakFrame frame;
    frame.picture = &picture;
    frame.Create(240, 180, 30, 30);
    HWND window = frame.GetWndHandle();

    {
        // A bar left to the window by its dying menu, then replaced by the next bar.
        CMenu first;
        first.AddMenu(L"File", 2, L"Open", L"Quit");
        first.Set(window);
    }
    CMenu second;
    second.AddMenu(L"Edit", 1, L"Copy");
    second.Set(window);
    {
        CMenu third;
        third.AddMenu(L"View", 1, L"Zoom");
        third.Set(window);
    }

    HeardButton button;
    button.Create(window, 10, 10, 80, 24, L"button");
    button.ChangeProc(&button);
    CEdit edit;
    edit.Create(window, 10, 40, 120, 24, L"edit");
    edit.ChangeProc(&edit);
    {
        // A control subclassed after the library, whose wrapper dies first.
        HeardButton covered;
        covered.Create(window, 100, 10, 80, 24, L"covered");
        covered.ChangeProc(&covered);
        g_Underneath = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            covered.GetWndHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
    }

    CTimer timer;
    timer.Create(window, 1000);

    SoakDialog dialog;
    dialog.CreateDiag(L"soak", 160, 100, 60, 60, false, window);

    CGraphics extra;
    extra.CreateBackBuffer(window);
    extra.Clear(0xFF00FF00);
    extra.Release();

    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(0);
    DestroyWindow(dialog.GetWndHandle());
    DestroyWindow(window);
}

TEST(Soak, WindowsControlsDialogsPicturesMenusAndBuffersLeaveNothingBehind)
{
    TempFolder folder;
    std::wstring picturePath = folder.File(L"soak.bmp");
    ASSERT_TRUE(WriteSmallBmp(picturePath));
    const int cycles = SoakCycles();

    // The first rounds make what lives once per process (GDI+, classes, fonts, caches).
    for (int i = 0; i < 20; ++i) {
        Cycle(picturePath);
    }
    ResourceRoom before = MeasureRoom();
    DWORD start = GetTickCount();
    for (int i = 1; i <= cycles; ++i) {
        Cycle(picturePath);
        // Long runs show the trend: a leak grows steadily, a cache of the platform levels off.
        if (cycles >= 1000 && i % (cycles / 10) == 0 && i < cycles) {
            ResourceRoom now = MeasureRoom();
            std::printf("soak: after %d cycles GDI room %ld, USER room %ld\n", i, now.gdi,
                        now.user);
        }
    }
    DWORD elapsed = GetTickCount() - start;
    // Counted twice a moment apart, keeping the larger room: objects the platform holds for
    // an instant are not a leak, while a leak shows in both counts.
    PumpFor(50);
    ResourceRoom after = MeasureRoom();
    PumpFor(50);
    ResourceRoom again = MeasureRoom();
    after.gdi = std::max(after.gdi, again.gdi);
    after.user = std::max(after.user, again.user);

    long gdiLost = before.gdi - after.gdi;
    long userLost = before.user - after.user;
    long long memoryGrown = static_cast<long long>(after.committed) -
                            static_cast<long long>(before.committed);
    std::printf("soak: %d cycles in %lu ms\n", cycles, static_cast<unsigned long>(elapsed));
    std::printf("soak: GDI room %ld -> %ld (lost %ld)\n", before.gdi, after.gdi, gdiLost);
    std::printf("soak: USER room %ld -> %ld (lost %ld)\n", before.user, after.user, userLost);
    std::printf("soak: committed %zu -> %zu bytes (grew %lld, %.1f per cycle)\n",
                before.committed, after.committed, memoryGrown,
                static_cast<double>(memoryGrown) / cycles);

    // A leak of one object or a few hundred bytes a cycle passes these bounds quickly;
    // the slack is for caches of the platform that fill once and other processes of the
    // session taking USER handles meanwhile.
    const long objectSlack = 16 + cycles / 100;
    EXPECT_LE(gdiLost, objectSlack);
    EXPECT_LE(userLost, objectSlack);
    EXPECT_LE(memoryGrown, 2LL * 1024 * 1024 + 64LL * cycles);
}

}  // namespace
