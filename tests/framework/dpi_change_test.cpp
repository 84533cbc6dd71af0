#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pixels.h"
#include "support/pump.h"
#include "support/resource_room.h"

namespace {

constexpr unsigned kFill = 0x3366CC;

// A frame that paints its whole back buffer in one colour.
class FilledFrame : public TestFrame {
public:
    void OnPaint(HWND hwnd) override
    {
        m_Graphics.Clear(0xFF000000 | kFill);
        m_Graphics.Present(hwnd);
    }
};

LONG FontHeight(HWND window)
{
    LOGFONTW font = {};
    auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    return handle && GetObjectW(handle, sizeof(font), &font) ? font.lfHeight : 0;
}

LRESULT SendDpiChanged(HWND window, int dpi, const RECT* suggested)
{
    return SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                        reinterpret_cast<LPARAM>(suggested));
}

struct FaceFontReset {
    ~FaceFontReset() { SetControlFont(nullptr); }
};

TEST(DpiChange, MovesTheWindowRebuildsItsBufferAndRemakesTheFaceFontAtTheNewDpi)
{
    FaceFontReset reset;
    FilledFrame frame;
    ASSERT_TRUE(frame.Create(300, 200, 30, 30));
    ASSERT_TRUE(SetControlFontFace(L"Tahoma", 9));
    CButton button;
    CStatic label;
    ASSERT_TRUE(button.Create(frame.GetWndHandle(), 10, 10, 120, 30, L"Ab"));
    ASSERT_TRUE(label.Create(frame.GetWndHandle(), 10, 50, 120, 30, L"Ab"));
    EXPECT_EQ(FontHeight(button.GetWndHandle()), -12);  // 9 points at 96 DPI

    RECT suggested = {60, 40, 60 + 450, 40 + 300};
    SendDpiChanged(frame.GetWndHandle(), 144, &suggested);
    RECT placed = {};
    GetWindowRect(frame.GetWndHandle(), &placed);
    EXPECT_TRUE(EqualRect(&placed, &suggested));
    for (HWND control : {button.GetWndHandle(), label.GetWndHandle()}) {
        EXPECT_EQ(FontHeight(control), -18);  // 9 points at 144 DPI
    }
    // The buffer covers the grown client area to its last pixel.
    PumpFor(150);
    EXPECT_EQ(ClientPixel(frame.GetWndHandle(), frame.GetClientWidth() - 1,
                          frame.GetClientHeight() - 1),
              kFill);
}

TEST(DpiChange, AnAbsentOrAbsurdSuggestionMovesNothingOrIsCutToTheDesktop)
{
    const int desktopWide = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const RECT empty = {100, 100, 100, 400};
    const RECT inverted = {300, 300, 100, 100};
    const RECT huge = {0, 0, 100000, 300};
    struct Case {
        const RECT* suggested;
        int dpi;
        bool moves;
    };
    const Case cases[] = {
        {nullptr, 144, false}, {&empty, 144, false}, {&inverted, 0, false}, {&huge, 100000, true}};
    for (const Case& c : cases) {
        FilledFrame frame;
        ASSERT_TRUE(frame.Create(300, 200, 30, 30));
        SendDpiChanged(frame.GetWndHandle(), c.dpi, c.suggested);
        PumpFor(50);
        EXPECT_EQ(frame.GetWidth() != 300, c.moves) << &c - cases;
        EXPECT_LE(frame.GetWidth(), desktopWide) << &c - cases;
        EXPECT_EQ(ClientPixel(frame.GetWndHandle(), frame.GetClientWidth() - 1, 0), kFill)
            << &c - cases;
    }
}

TEST(FaceFont, BadNamesAndSizesAreRefusedAndLeaveTheFaceNamedBefore)
{
    FaceFontReset reset;
    TestFrame frame;
    ASSERT_TRUE(frame.Create(300, 200));
    ASSERT_TRUE(SetControlFontFace(L"Tahoma", 12));  // 16 pixels at 96 DPI
    struct Case {
        const wchar_t* face;
        int points;
        bool accepted;
        LONG height;
    };
    const Case cases[] = {
        {nullptr, 9, false, -16},
        {L"", 9, false, -16},
        {L"Tahoma", 0, false, -16},
        {L"Tahoma", -3, false, -16},
        {L"Tahoma", 100000, false, -16},
        {L"A face whose name has 32 letters", 9, false, -16},
        {L"No Such Face Anywhere", 9, true, -12},  // the platform's substitute
        {L"Tahoma", 1000, true, -1333},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SetControlFontFace(c.face, c.points), c.accepted) << &c - cases;
        CStatic label;
        ASSERT_TRUE(label.Create(frame.GetWndHandle(), 0, 0, 100, 20, L"Ab"));
        EXPECT_EQ(FontHeight(label.GetWndHandle()), c.height) << &c - cases;
        SetControlFontFace(L"Tahoma", 12);
    }
}

// A modeless dialog made under a face font: it shows how big its font is.
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
    FaceFontReset reset;
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
        // The edit lets go of the library's font when given another.
        SendMessageW(edit.GetWndHandle(), WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        SendDpiChanged(frame.GetWndHandle(), 120 + points, nullptr);
        FontDialog dialog;
        ASSERT_TRUE(dialog.CreateDiag(L"font", 200, 100, 50, 50, false, frame.GetWndHandle()));
        EXPECT_EQ(dialog.height, -MulDiv(points, 96, 72)) << points;
        DestroyWindow(dialog.GetWndHandle());
    }
    ResourceRoom after = MeasureRoom();
    EXPECT_LE(before.gdi - after.gdi, 5);
}

}  // namespace
