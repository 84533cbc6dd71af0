#include <gtest/gtest.h>

#include <tsumiki.h>

#include <memory>
#include <string>

#include "mask_support.h"
#include "support/frame_window.h"
#include "support/pump.h"
#include "support/test_files.h"

namespace {

enum class Pattern { AllBlack, AllWhite, Disc, DiscWithHoles, Speckles };

struct MaskCase {
    int depth;
    int width;
    int height;
    Pattern pattern;
};

ShadeRule RuleOf(const MaskCase& mask)
{
    switch (mask.pattern) {
    case Pattern::AllBlack: return [](int, int) { return Shade::Black; };
    case Pattern::AllWhite: return [](int, int) { return Shade::White; };
    case Pattern::Disc: return DiscRule(mask.width, mask.height, false);
    case Pattern::DiscWithHoles: return DiscRule(mask.width, mask.height, true);
    default: return SpeckleRule(static_cast<unsigned>(mask.width * 131 + mask.depth));
    }
}

bool IsLiveRegion(HRGN region) { return region && GetObjectType(region) == OBJ_REGION; }

// A copy of a region the test owns, so that it can be compared after its source is gone.
HRGN CopyOf(HRGN region)
{
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, region, nullptr, RGN_COPY);
    return copy;
}

TEST(Region, HoldsExactlyTheBlackPixelsAtEveryDepthAndSize)
{
    const MaskCase cases[] = {
        {1, 37, 23, Pattern::Disc},           {1, 1024, 768, Pattern::AllBlack},
        {4, 64, 48, Pattern::DiscWithHoles},  {4, 250, 3, Pattern::Speckles},
        {8, 100, 80, Pattern::DiscWithHoles}, {8, 1024, 768, Pattern::Speckles},
        {16, 64, 64, Pattern::DiscWithHoles}, {16, 1, 1, Pattern::AllBlack},
        {24, 1, 1, Pattern::AllWhite},        {24, 255, 129, Pattern::DiscWithHoles},
        {24, 1024, 768, Pattern::AllWhite},   {32, 200, 150, Pattern::Speckles},
        {32, 1024, 768, Pattern::Disc},       {32, 3, 300, Pattern::DiscWithHoles},
    };
    TempFolder folder;
    for (const MaskCase& mask : cases) {
        std::string name = std::to_string(mask.depth) + " bits, " + std::to_string(mask.width) + " x " +
                           std::to_string(mask.height) + ", pattern " + std::to_string(static_cast<int>(mask.pattern));
        SCOPED_TRACE(name);
        MaskPicture picture(mask.depth, mask.width, mask.height, RuleOf(mask));
        HBITMAP bitmap = picture.MakeBitmap();
        ASSERT_NE(bitmap, nullptr);
        HRGN expected = ScanBlackPixels(bitmap);

        // The same colours stored bottom-up, top-down, and in the screen's own format.
        HBITMAP topDown = picture.MakeBitmap(true);
        HBITMAP screenFormat = CopyToScreenFormat(bitmap);
        for (HBITMAP source : {bitmap, topDown, screenFormat}) {
            CRegion fromBitmap;
            EXPECT_TRUE(fromBitmap.CreateRegionFromHBITMAP(nullptr, source));
            EXPECT_TRUE(EqualRgn(fromBitmap.GetRegion(), expected));
        }
        DeleteObject(topDown);
        DeleteObject(screenFormat);

        std::wstring path = folder.File(L"mask.bmp");
        ASSERT_TRUE(picture.WriteFile(path));
        CRegion fromFile;
        EXPECT_TRUE(fromFile.CreateRegionFromBMP(nullptr, path.c_str()));
        EXPECT_TRUE(EqualRgn(fromFile.GetRegion(), expected));

        if (mask.pattern == Pattern::AllWhite) {
            RECT box;
            EXPECT_EQ(GetRgnBox(fromFile.GetRegion(), &box), NULLREGION);
        }
        DeleteObject(expected);
        DeleteObject(bitmap);
    }
}

// Writes a BMP file header and info header declaring the given geometry, followed by
// `payload` bytes of pixel data (far fewer than declared).
std::wstring WriteDeclaredBmp(const TempFolder& folder, const wchar_t* name, LONG width, LONG height,
                              WORD depth, DWORD compression, size_t payload)
{
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + payload);
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = depth;
    info.biCompression = compression;
    std::string bytes(reinterpret_cast<char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<char*>(&info), sizeof(info));
    if (depth <= 8) {
        bytes.append(static_cast<size_t>(4) << depth, '\0');
    }
    bytes.append(payload, '\0');
    std::wstring path = folder.File(name);
    WriteBytes(path, bytes.data(), bytes.size());
    return path;
}

TEST(Region, AFailedBuildKeepsTheRegionHeldBefore)
{
    TempFolder folder;
    std::wstring good = folder.File(L"good.bmp");
    ASSERT_TRUE(MaskPicture(24, 20, 10, DiscRule(20, 10, false)).WriteFile(good));
    std::wstring text = folder.File(L"text.bmp");
    ASSERT_TRUE(WriteBytes(text, "not a bitmap at all, only some words", 36));
    struct FileCase {
        std::wstring path;
        const char* what;
    };
    const FileCase files[] = {
        {folder.File(L"missing.bmp"), "missing file"},
        {text, "text file"},
        {WriteDeclaredBmp(folder, L"huge24.bmp", 40000, 40000, 24, BI_RGB, 64), "40000 x 40000, 24 bits"},
        {WriteDeclaredBmp(folder, L"tall.bmp", 16, -40000, 32, BI_RGB, 64), "16 x 40000 top-down"},
        {WriteDeclaredBmp(folder, L"short.bmp", 2000, 2000, 32, BI_RGB, 4096), "2000 x 2000, cut short"},
        {WriteDeclaredBmp(folder, L"huge8.bmp", 30000, 30000, 8, BI_RLE8, 64), "30000 x 30000, RLE8"},
        {WriteDeclaredBmp(folder, L"min.bmp", 16, LONG(0x80000000), 24, BI_RGB, 64), "height INT_MIN"},
    };

    CRegion region;
    ASSERT_TRUE(region.CreateRegionFromBMP(nullptr, good.c_str()));
    HRGN held = region.GetRegion();
    HRGN expected = CopyOf(held);
    for (const FileCase& file : files) {
        SCOPED_TRACE(file.what);
        DWORD start = GetTickCount();
        EXPECT_FALSE(region.CreateRegionFromBMP(nullptr, file.path.c_str()));
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_EQ(region.GetRegion(), held);
    }

    HBITMAP deleted = MaskPicture(24, 4, 4, DiscRule(4, 4, false)).MakeBitmap();
    DeleteObject(deleted);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0));
    const std::pair<HBITMAP, const char*> bitmaps[] = {
        {nullptr, "null bitmap"},
        {deleted, "deleted bitmap"},
        {reinterpret_cast<HBITMAP>(brush), "a brush"},
    };
    for (const auto& bitmap : bitmaps) {
        SCOPED_TRACE(bitmap.second);
        EXPECT_FALSE(region.CreateRegionFromHBITMAP(nullptr, bitmap.first));
        EXPECT_EQ(region.GetRegion(), held);
    }
    DeleteObject(brush);
    EXPECT_TRUE(IsLiveRegion(held));
    EXPECT_TRUE(EqualRgn(held, expected));
    DeleteObject(expected);
}

TEST(Region, EachRegionIsDeletedOnceByItsLastHolder)
{
    HBITMAP mask = MaskPicture(8, 30, 30, DiscRule(30, 30, true)).MakeBitmap();
    struct Order {
        bool originalFirst;
        bool rebuildOriginal;  // the original builds anew while the copy still shares
    };
    for (const Order order : {Order{true, false}, Order{false, false}, Order{true, true}, Order{false, true}}) {
        SCOPED_TRACE(std::string(order.originalFirst ? "original dies first" : "copy dies first") +
                     (order.rebuildOriginal ? ", after a rebuild" : ""));
        auto original = std::make_unique<CRegion>();
        ASSERT_TRUE(original->CreateRegionFromHBITMAP(nullptr, mask));
        HRGN shared = original->GetRegion();
        auto copy = std::make_unique<CRegion>();
        *copy = *original;
        EXPECT_EQ(copy->GetRegion(), shared);
        if (order.rebuildOriginal) {
            ASSERT_TRUE(original->CreateRegionFromHBITMAP(nullptr, mask));
            EXPECT_NE(original->GetRegion(), shared);
            EXPECT_TRUE(IsLiveRegion(shared)) << "the copy still holds it";
        }
        HRGN own = original->GetRegion();
        std::unique_ptr<CRegion>& first = order.originalFirst ? original : copy;
        std::unique_ptr<CRegion>& second = order.originalFirst ? copy : original;
        HRGN secondHolds = second->GetRegion();
        first.reset();
        EXPECT_TRUE(IsLiveRegion(secondHolds));
        second.reset();
        EXPECT_FALSE(IsLiveRegion(shared));
        EXPECT_FALSE(IsLiveRegion(own));
    }

    // A rebuild with no copy sharing deletes the earlier region at once.
    CRegion alone;
    ASSERT_TRUE(alone.CreateRegionFromHBITMAP(nullptr, mask));
    HRGN earlier = alone.GetRegion();
    ASSERT_TRUE(alone.CreateRegionFromHBITMAP(nullptr, mask));
    EXPECT_FALSE(IsLiveRegion(earlier));
    DeleteObject(mask);
}

// A window that paints itself one colour and counts the left presses that reach it.
class ColouredWindow : public TestFrame {
public:
    explicit ColouredWindow(unsigned long argb) : m_Argb(argb) {}
    void OnPaint(HWND hwnd) override
    {
        m_Graphics.Clear(m_Argb);
        m_Graphics.Present(hwnd);
    }
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN) {
            ++presses;
        }
        return TestFrame::WndProc(hwnd, message, wParam, lParam);
    }
    int presses = 0;

private:
    unsigned long m_Argb;
};

unsigned ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

void ClickAt(int x, int y)
{
    SetCursorPos(x, y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
}

TEST(Region, SetRegionShapesARealWindowWhichThenOwnsTheRegion)
{
    const int side = 90;
    HBITMAP plus = MaskPicture(24, side, side, PlusRule(side, side)).MakeBitmap();
    ColouredWindow below(0xFF00C000);
    ColouredWindow shaped(0xFFE00000);
    ASSERT_TRUE(below.Create(300, 300, 100, 100, nullptr, WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(shaped.Create(side, side, 150, 150, nullptr, WS_POPUP | WS_VISIBLE));
    HWND window = shaped.GetWndHandle();

    auto region = std::make_unique<CRegion>();
    ASSERT_TRUE(region->CreateRegionFromHBITMAP(window, plus));
    CRegion copy = *region;
    HRGN expected = CopyOf(region->GetRegion());
    ASSERT_TRUE(region->SetRegion(window));
    EXPECT_EQ(region->GetRegion(), nullptr) << "the window owns the region now";
    EXPECT_EQ(copy.GetRegion(), nullptr) << "and no copy may delete it either";
    region.reset();
    HRGN windowShape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(window, windowShape), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(windowShape, expected));
    DeleteObject(windowShape);
    DeleteObject(expected);

    SetForegroundWindow(window);
    PumpFor(200);
    struct Spot {
        int x, y;  // in the shaped window
        bool inside;
    };
    const Spot spots[] = {{side / 2, side / 2, true}, {5, side / 2, true}, {side / 2, side - 3, true},
                          {5, 5, false}, {side - 4, side - 4, false}, {side - 4, 8, false}};
    for (const Spot& spot : spots) {
        SCOPED_TRACE(std::to_string(spot.x) + ", " + std::to_string(spot.y));
        const int x = 150 + spot.x, y = 150 + spot.y;
        EXPECT_EQ(ScreenPixel(x, y), spot.inside ? 0xE00000u : 0x00C000u);
        int shapedBefore = shaped.presses, belowBefore = below.presses;
        ClickAt(x, y);
        ColouredWindow& target = spot.inside ? shaped : below;
        const int targetBefore = spot.inside ? shapedBefore : belowBefore;
        EXPECT_TRUE(PumpUntil([&] { return target.presses > targetBefore; }, 2000));
        EXPECT_EQ(shaped.presses + below.presses, shapedBefore + belowBefore + 1);
    }
    DeleteObject(plus);
}

TEST(Region, ARefusedRegionStaysWithTheObject)
{
    HBITMAP mask = MaskPicture(1, 16, 16, DiscRule(16, 16, false)).MakeBitmap();
    CRegion region;
    ASSERT_TRUE(region.CreateRegionFromHBITMAP(nullptr, mask));
    HRGN held = region.GetRegion();
    TestFrame gone;
    ASSERT_TRUE(gone.Create());
    HWND dead = gone.GetWndHandle();
    DestroyWindow(dead);
    EXPECT_FALSE(region.SetRegion(dead));
    EXPECT_EQ(region.GetRegion(), held);
    EXPECT_TRUE(IsLiveRegion(held));
    DeleteObject(mask);
}

}  // namespace
