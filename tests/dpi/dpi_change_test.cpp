#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pixels.h"
#include "support/pump.h"
#include "support/resource_room.h"

namespace {

// A frame whose whole back buffer is painted in one colour.
class FilledFrame : public TestFrame {
public:
    void OnPaint(HWND hwnd) override
    {
        m_Graphics.Clear(0xFF3366CC);
        m_Graphics.Present(hwnd);
    }
};

LONG FontHeight(HWND window)
{
    LOGFONTW font = {};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    return handle && GetObjectW(handle, sizeof(font), &font) ? font.lfHeight : 0;
}

void SendDpiChanged(HWND window, int dpi, const RECT* suggested)
{
    SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(suggested));
}

TEST(DpiChange, TheWindowTakesTheSuggestionAndItsBufferAndFaceFontsFollow)
{
    const RECT fits = {60, 40, 510, 340}, empty = {100, 100, 100, 400}, huge = {0, 0, 100000, 300};
    const int desktop = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    struct Case {
        const RECT* suggested;
        int dpi;
        int x, width;
        LONG fontHeight;  // of 9 points: the DPI is taken between 48 and 960
    };
    const Case cases[] = {{&fits, 144, 60, 450, -18}, {nullptr, 120, 30, 300, -15},
                          {&empty, 0, 30, 300, -6}, {&huge, 100000, 0, desktop, -120}};
    for (const Case& c : cases) {
        FilledFrame frame;
        ASSERT_TRUE(frame.Create(300, 200, 30, 30));
        ASSERT_TRUE(SetControlFontFace(L"Tahoma", 9));
        CStatic label;
        ASSERT_TRUE(label.Create(frame.GetWndHandle(), 0, 0, 100, 30, L"Ab"));
        SetControlFont(nullptr);
        SendDpiChanged(frame.GetWndHandle(), c.dpi, c.suggested);
        PumpFor(100);
        EXPECT_EQ(frame.GetX(), c.x) << &c - cases;
        EXPECT_EQ(frame.GetWidth(), c.width) << &c - cases;
        EXPECT_EQ(FontHeight(label.GetWndHandle()), c.fontHeight) << &c - cases;
        // The buffer covers the client area to its last pixel.
        EXPECT_EQ(ClientPixel(frame.GetWndHandle(), frame.GetClientWidth() - 1,
                              frame.GetClientHeight() - 1), 0x3366CCu) << &c - cases;
    }
}

TEST(FaceFont, BadNamesAndSizesAreRefusedAndKeepTheFaceNamedBefore)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create(300, 200));
    struct Case {
        const wchar_t* face;
        int points;
        bool accepted;
        LONG height;  // of the font a control made afterwards gets; 12 points are 16 pixels
    };
    const Case cases[] = {{nullptr, 9, false, -16}, {L"", 9, false, -16}, {L"Tahoma", 0, false, -16},
                          {L"Tahoma", 100000, false, -16},
                          {L"A face whose name has 32 letters", 9, false, -16},
                          {L"No Such Face Anywhere", 9, true, -12}, {L"Tahoma", 1000, true, -1333}};
    for (const Case& c : cases) {
        SetControlFontFace(L"Tahoma", 12);
        EXPECT_EQ(SetControlFontFace(c.face, c.points), c.accepted) << &c - cases;
        CStatic label;
        ASSERT_TRUE(label.Create(frame.GetWndHandle(), 0, 0, 100, 20, L"Ab"));
        EXPECT_EQ(FontHeight(label.GetWndHandle()), c.height) << &c - cases;
    }
    SetControlFont(nullptr);
}

TEST(FaceFont, OneControlsOwnFaceFollowsTheDpiBesideTheOthers)
{
    FilledFrame frame;
    ASSERT_TRUE(frame.Create(300, 200, 30, 30));
    ASSERT_TRUE(SetControlFontFace(L"Tahoma", 9));
    CStatic own, shared;
    ASSERT_TRUE(own.Create(frame.GetWndHandle(), 0, 0, 100, 30, L"Ab"));
    ASSERT_TRUE(shared.Create(frame.GetWndHandle(), 0, 40, 100, 30, L"Ab"));
    SetControlFont(nullptr);
    EXPECT_FALSE(own.SetFontFace(L"", 12));
    EXPECT_FALSE(own.SetFontFace(L"Arial", 0));
    EXPECT_FALSE(CStatic().SetFontFace(L"Arial", 12));
    EXPECT_EQ(FontHeight(own.GetWndHandle()), -12);
    ASSERT_TRUE(own.SetFontFace(L"Arial", 12));
    EXPECT_EQ(FontHeight(own.GetWndHandle()), -16);
    SendDpiChanged(frame.GetWndHandle(), 144, nullptr);
    EXPECT_EQ(FontHeight(own.GetWndHandle()), -24);
    EXPECT_EQ(FontHeight(shared.GetWndHandle()), -18);
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(own.GetWndHandle(), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, L"Arial");
}

// A modeless dialog that notes the height of the font it was made with.
class FontDialog : public CDialogBase {
public:
    int OnInitDialog(HWND hwnd, HWND, LPARAM) override
    {
        height = FontHeight(hwnd);
        return 1;
    }
    LONG height = 0;
};

TEST(FaceFont, TheLibrarysFontsAreDeletedOnceNoWindowUsesThem)
{
    ResourceRoom before;
    for (int points = 6; points < 30; ++points) {
        if (points == 7) {
            before = MeasureRoom();  // after a first round has filled the platform's caches
        }
        ASSERT_TRUE(SetControlFontFace(L"Tahoma", points));
        FilledFrame frame;
        ASSERT_TRUE(frame.Create(300, 200));
        CStatic label;
        CEdit edit;
        ASSERT_TRUE(label.Create(frame.GetWndHandle(), 0, 0, 100, 20, L"Ab"));
        ASSERT_TRUE(edit.Create(frame.GetWndHandle(), 0, 30, 100, 20, L"Ab"));
        // The edit lets go of the library's font when given another; the label takes a new one.
        SendMessageW(edit.GetWndHandle(), WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        SendDpiChanged(frame.GetWndHandle(), 120 + points, nullptr);
        FontDialog dialog;
        ASSERT_TRUE(dialog.CreateDiag(L"font", 200, 100, 50, 50, false, frame.GetWndHandle()));
        EXPECT_EQ(dialog.height, -MulDiv(points, 96, 72)) << points;
        DestroyWindow(dialog.GetWndHandle());
    }
    SetControlFont(nullptr);
    EXPECT_LE(before.gdi - MeasureRoom().gdi, 5);
}

}  // namespace
