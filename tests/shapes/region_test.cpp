#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <memory>
#include <string>

#include "masks.h"
#include "support/frame_window.h"
#include "support/pump.h"
#include "support/test_files.h"

namespace {

bool IsLiveRegion(HRGN region) { return region && GetObjectType(region) == OBJ_REGION; }

ColourRule Disc(int width, int height, bool nearBlackHoles)
{
    return [=](int x, int y) {
        long dx = 2L * x + 1 - width, dy = 2L * y + 1 - height, radius = std::min(width, height) - 2;
        if (dx * dx + dy * dy > radius * radius) {
            return kWhite;
        }
        return nearBlackHoles && (x / 3 + y / 3) % 5 == 0 ? kNearBlack : kBlack;
    };
}

TEST(Region, HoldsExactlyTheBlackPixelsAtEveryDepthAndSize)
{
    const ColourRule allBlack = [](int, int) { return kBlack; };
    const ColourRule allWhite = [](int, int) { return kWhite; };
    const ColourRule speckles = [](int x, int y) {
        uint32_t h = (x * 0x9E3779B1u) ^ (y * 0x85EBCA77u);
        h = (h ^ (h >> 15)) * 0x2C1B3C6Du;
        h = (h ^ (h >> 12)) % 8;
        return h < 4 ? kBlack : h == 4 ? kNearBlack : kWhite;
    };
    struct Case {
        int depth, width, height;
        ColourRule colour;
    };
    const Case cases[] = {
        {1, 37, 23, Disc(37, 23, false)},   {1, 1024, 768, allBlack},          {4, 64, 48, Disc(64, 48, true)},
        {4, 250, 3, speckles},              {8, 100, 80, Disc(100, 80, true)}, {8, 1024, 768, speckles},
        {16, 64, 64, Disc(64, 64, true)},   {16, 1, 1, allBlack},              {24, 1, 1, allWhite},
        {24, 255, 129, Disc(255, 129, true)}, {24, 1024, 768, allWhite},       {32, 200, 150, speckles},
        {32, 1024, 768, Disc(1024, 768, false)}, {32, 3, 300, Disc(3, 300, true)},
    };
    TempFolder folder;
    const std::wstring path = folder.File(L"mask.bmp");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.depth) + " bits, " + std::to_string(c.width) + " x " + std::to_string(c.height));
        const std::vector<unsigned char> file = BmpFile(c.depth, c.width, c.height, c.colour);
        ASSERT_TRUE(WriteBytes(path, file.data(), file.size()));
        HBITMAP section = BitmapOf(file);
        HBITMAP screenFormat = BitmapOf(file, true);
        HRGN expected = ScanBlackPixels(section);
        for (HBITMAP bitmap : {section, screenFormat}) {
            CRegion region;
            EXPECT_TRUE(region.CreateRegionFromHBITMAP(nullptr, bitmap));
            EXPECT_TRUE(EqualRgn(region.GetRegion(), expected));
        }
        CRegion fromFile;
        EXPECT_TRUE(fromFile.CreateRegionFromBMP(nullptr, path.c_str()));
        EXPECT_TRUE(EqualRgn(fromFile.GetRegion(), expected));
        DeleteObject(expected);
        DeleteObject(section);
        DeleteObject(screenFormat);
    }
}

TEST(Region, AFailedBuildKeepsTheRegionHeldBefore)
{
    TempFolder folder;
    const std::vector<unsigned char> good = BmpFile(24, 20, 10, Disc(20, 10, false));
    // Small files whose headers declare far more than they hold.
    struct Damage {
        const char* what;
        LONG width, height;
        DWORD compression;
    };
    const Damage damages[] = {{"40000 x 40000", 40000, 40000, BI_RGB},  {"16 x 40000 top-down", 16, -40000, BI_RGB},
                              {"2000 x 2000", 2000, 2000, BI_RGB},      {"30000 x 30000 RLE", 30000, 30000, BI_RLE8},
                              {"height INT_MIN", 16, LONG(0x80000000), BI_RGB}};
    std::vector<std::pair<std::wstring, std::string>> files = {{folder.File(L"missing.bmp"), "missing"},
                                                               {folder.File(L"text.bmp"), "text"}};
    WriteBytes(files[1].first, "not a bitmap at all", 19);
    for (const Damage& damage : damages) {
        std::vector<unsigned char> bytes = good;
        // The info header lies 14 bytes in, off its alignment: changed through a copy.
        BITMAPINFOHEADER info = {};
        std::memcpy(&info, bytes.data() + sizeof(BITMAPFILEHEADER), sizeof(info));
        info.biWidth = damage.width;
        info.biHeight = damage.height;
        info.biCompression = damage.compression;
        std::memcpy(bytes.data() + sizeof(BITMAPFILEHEADER), &info, sizeof(info));
        files.push_back({folder.File(std::to_wstring(files.size()) + L".bmp"), damage.what});
        WriteBytes(files.back().first, bytes.data(), bytes.size());
    }

    CRegion region;
    ASSERT_TRUE(WriteBytes(folder.File(L"good.bmp"), good.data(), good.size()));
    ASSERT_TRUE(region.CreateRegionFromBMP(nullptr, folder.File(L"good.bmp").c_str()));
    const HRGN held = region.GetRegion();
    for (const auto& file : files) {
        SCOPED_TRACE(file.second);
        DWORD start = GetTickCount();
        EXPECT_FALSE(region.CreateRegionFromBMP(nullptr, file.first.c_str()));
        EXPECT_LT(GetTickCount() - start, 1000u);
        EXPECT_EQ(region.GetRegion(), held);
    }
    HBITMAP deleted = BitmapOf(good);
    DeleteObject(deleted);
    HBRUSH brush = CreateSolidBrush(0);
    for (HBITMAP bad : {HBITMAP(nullptr), deleted, reinterpret_cast<HBITMAP>(brush)}) {
        EXPECT_FALSE(region.CreateRegionFromHBITMAP(nullptr, bad));
        EXPECT_EQ(region.GetRegion(), held);
    }
    DeleteObject(brush);
    EXPECT_TRUE(IsLiveRegion(held));
}

TEST(Region, EachRegionIsDeletedOnceByItsLastHolder)
{
    HBITMAP mask = BitmapOf(BmpFile(8, 30, 30, Disc(30, 30, true)));
    for (int order = 0; order < 4; ++order) {
        const bool originalFirst = order % 2 == 0, rebuild = order >= 2;
        SCOPED_TRACE(order);
        auto original = std::make_unique<CRegion>();
        ASSERT_TRUE(original->CreateRegionFromHBITMAP(nullptr, mask));
        const HRGN shared = original->GetRegion();
        auto copy = std::make_unique<CRegion>(*original);
        EXPECT_EQ(copy->GetRegion(), shared);
        if (rebuild) {  // the copy keeps the earlier region alive
            ASSERT_TRUE(original->CreateRegionFromHBITMAP(nullptr, mask));
            EXPECT_TRUE(IsLiveRegion(shared));
        }
        const HRGN own = original->GetRegion();
        std::unique_ptr<CRegion>& second = originalFirst ? copy : original;
        const HRGN secondHolds = second->GetRegion();
        (originalFirst ? original : copy).reset();
        EXPECT_TRUE(IsLiveRegion(secondHolds));
        second.reset();
        EXPECT_FALSE(IsLiveRegion(shared));
        EXPECT_FALSE(IsLiveRegion(own));
    }
    // With no copy, a rebuild deletes the earlier region at once; a refused one is kept.
    CRegion alone;
    ASSERT_TRUE(alone.CreateRegionFromHBITMAP(nullptr, mask));
    const HRGN earlier = alone.GetRegion();
    ASSERT_TRUE(alone.CreateRegionFromHBITMAP(nullptr, mask));
    EXPECT_FALSE(IsLiveRegion(earlier));
    TestFrame gone;
    ASSERT_TRUE(gone.Create());
    DestroyWindow(gone.GetWndHandle());
    EXPECT_FALSE(alone.SetRegion(gone.GetWndHandle()));
    EXPECT_TRUE(IsLiveRegion(alone.GetRegion()));
    DeleteObject(mask);
}

// A window painted one colour that counts the left presses reaching it.
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
        presses += message == WM_LBUTTONDOWN;
        return TestFrame::WndProc(hwnd, message, wParam, lParam);
    }
    int presses = 0;

private:
    unsigned long m_Argb;
};

TEST(Region, SetRegionShapesARealWindowWhichThenOwnsTheRegion)
{
    const int side = 90, left = 150, top = 150;
    HBITMAP plus = BitmapOf(BmpFile(24, side, side, Plus(side)));
    ColouredWindow below(0xFF00C000), shaped(0xFFE00000);
    ASSERT_TRUE(below.Create(300, 300, 100, 100, nullptr, WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(shaped.Create(side, side, left, top, nullptr, WS_POPUP | WS_VISIBLE));
    const HWND window = shaped.GetWndHandle();

    auto region = std::make_unique<CRegion>();
    ASSERT_TRUE(region->CreateRegionFromHBITMAP(window, plus));
    const CRegion copy = *region;
    HRGN expected = ScanBlackPixels(plus), shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_TRUE(region->SetRegion(window));
    EXPECT_EQ(region->GetRegion(), nullptr) << "the window owns the region now";
    EXPECT_EQ(copy.GetRegion(), nullptr) << "so no copy may delete it either";
    region.reset();
    ASSERT_EQ(GetWindowRgn(window, shape), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(shape, expected));
    DeleteObject(shape);
    DeleteObject(expected);

    SetForegroundWindow(window);
    PumpFor(200);
    const POINT inside[] = {{45, 45}, {5, 45}, {45, 87}}, outside[] = {{5, 5}, {86, 86}, {86, 8}};
    for (bool in : {true, false}) {
        for (const POINT& spot : in ? inside : outside) {
            SCOPED_TRACE(std::to_string(spot.x) + ", " + std::to_string(spot.y));
            HDC screen = GetDC(nullptr);
            EXPECT_EQ(GetPixel(screen, left + spot.x, top + spot.y), in ? RGB(0xE0, 0, 0) : RGB(0, 0xC0, 0));
            ReleaseDC(nullptr, screen);
            ColouredWindow& target = in ? shaped : below;
            const int before = target.presses, all = shaped.presses + below.presses;
            SetCursorPos(left + spot.x, top + spot.y);
            INPUT click[2] = {{INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}};
            click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(2, click, sizeof(INPUT));
            EXPECT_TRUE(PumpUntil([&] { return target.presses > before; }, 2000));
            EXPECT_EQ(shaped.presses + below.presses, all + 1);
        }
    }
    DeleteObject(plus);
}

}  // namespace
