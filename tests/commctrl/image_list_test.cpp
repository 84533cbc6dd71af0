#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "support/import_patch.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kYellow = RGB(255, 255, 0), kWhite = RGB(255, 255, 255);
constexpr int kSide = 64;

// A white kSide x kSide bitmap in a memory DC.
struct Canvas {
    Canvas() : dc(CreateCompatibleDC(nullptr))
    {
        HDC screen = GetDC(nullptr);
        bitmap = CreateCompatibleBitmap(screen, kSide, kSide);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, kSide, kSide, WHITENESS);
    }
    ~Canvas()
    {
        DeleteObject(SelectObject(dc, old));
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    int Count(COLORREF colour) const
    {
        int count = 0;
        for (int i = 0; i < kSide * kSide; ++i) {
            count += At(i % kSide, i / kSide) == colour;
        }
        return count;
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, decltype(&DestroyIcon)>;

// A square icon of one opaque colour.
Icon SolidIcon(int side, COLORREF rgb)
{
    // Icon pixels are 0xAARRGGBB, a COLORREF is 0x00BBGGRR.
    std::vector<DWORD> colour(static_cast<size_t>(side * side),
                              (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb));
    std::vector<BYTE> mask(static_cast<size_t>(side * side / 8), 0);
    return Icon(CreateIcon(nullptr, side, side, 1, 32, mask.data(),
                           reinterpret_cast<BYTE*>(colour.data())),
                &DestroyIcon);
}

TEST(ImageList, DrawsTheIndexedIconAtThePositionAndNothingForAnEmptyIndex)
{
    Icon red = SolidIcon(16, kRed), green = SolidIcon(16, kGreen), blue = SolidIcon(16, kBlue);
    struct Case {
        EImageColor colour;
        bool mask, setPos;
        int x, y, index;
        COLORREF expected;  // white: nothing drawn
    };
    const Case cases[] = {
        {IMAGE_COLOR24, true, true, 20, 10, 1, kGreen},  {IMAGE_COLOR32, false, true, 40, 30, 2, kBlue},
        {IMAGE_COLORDDB, true, false, 0, 0, 0, kRed},    {IMAGE_COLOR24, false, false, 0, 0, 1, kGreen},
        {IMAGE_COLOR24, true, true, 8, 8, 3, kWhite},  {IMAGE_COLOR24, true, true, 8, 8, -1, kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "colour " << c.colour << " index " << c.index);
        CImageList list;
        ASSERT_TRUE(list.Create(3, 16, 16, c.colour, c.mask));
        for (const Icon* icon : {&red, &green, &blue}) {
            list.AddIcon(icon->get());
        }
        EXPECT_EQ(ImageList_GetImageCount(list.GetHandle()), 3);
        if (c.setPos) {
            list.SetPos(c.x, c.y);
        }
        Canvas canvas;
        list.Draw(canvas.dc, c.index);
        EXPECT_EQ(canvas.At(c.x, c.y), c.expected);
        EXPECT_EQ(canvas.At(c.x + 15, c.y + 15), c.expected);
        EXPECT_EQ(canvas.Count(c.expected), c.expected == kWhite ? kSide * kSide : 16 * 16);
    }
}

TEST(ImageList, CreateAgainStartsAnEmptyListAndARefusedListAnswersFalse)
{
    Icon small = SolidIcon(16, kRed), large = SolidIcon(32, kYellow);
    CImageList list;
    ASSERT_TRUE(list.Create(2, 16, 16, IMAGE_COLOR24, true));
    list.AddIcon(small.get());
    list.AddIcon(small.get());
    list.SetPos(4, 6);
    ASSERT_TRUE(list.Create(1, 32, 32, IMAGE_COLOR24, true));
    list.AddIcon(large.get());
    EXPECT_EQ(ImageList_GetImageCount(list.GetHandle()), 1);
    Canvas first, second;
    list.Draw(first.dc, 0);
    list.Draw(second.dc, 1);
    // The position survives the new list.
    EXPECT_EQ(first.At(4, 6), kYellow);
    EXPECT_EQ(first.Count(kYellow), 32 * 32);
    EXPECT_EQ(second.Count(kWhite), kSide * kSide);

    EXPECT_FALSE(list.Create(1, -16, 16, IMAGE_COLOR24, true));
    EXPECT_EQ(list.GetHandle(), nullptr);
    list.AddIcon(small.get());
    list.Draw(second.dc, 0);
    EXPECT_EQ(second.Count(kWhite), kSide * kSide);
}

// The image lists the library made and destroyed while a counter lives.
struct ListCounter {
    ListCounter()
    {
        original = {PatchImport("ImageList_Create", reinterpret_cast<void*>(&Create)),
                    PatchImport("ImageList_Destroy", reinterpret_cast<void*>(&Destroy))};
    }
    ~ListCounter()
    {
        PatchImport("ImageList_Create", original.first);
        PatchImport("ImageList_Destroy", original.second);
    }
    static HIMAGELIST WINAPI Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        HIMAGELIST list = reinterpret_cast<decltype(&ImageList_Create)>(original.first)(cx, cy, flags, initial, grow);
        if (list) {
            made.push_back(list);
        }
        return list;
    }
    static BOOL WINAPI Destroy(HIMAGELIST list)
    {
        destroyed.push_back(list);
        return reinterpret_cast<decltype(&ImageList_Destroy)>(original.second)(list);
    }
    static int TimesDestroyed(HIMAGELIST list) { return static_cast<int>(std::count(destroyed.begin(), destroyed.end(), list)); }
    // Whether every list made was destroyed exactly once; then counts afresh, since a
    // destroyed list's handle may be handed out again.
    static bool AllDestroyedOnce()
    {
        bool once = destroyed.size() == made.size() &&
                    std::all_of(made.begin(), made.end(), [](HIMAGELIST list) { return TimesDestroyed(list) == 1; });
        made.clear();
        destroyed.clear();
        return once;
    }
    static inline std::pair<void*, void*> original;
    static inline std::vector<HIMAGELIST> made, destroyed;
};

TEST(ImageList, CopiesShareOneListThatTheLastHolderDestroysOnce)
{
    ListCounter counter;
    ASSERT_TRUE(counter.original.first && counter.original.second);
    Icon red = SolidIcon(16, kRed), green = SolidIcon(16, kGreen);
    // Each order in which the source, a copy and an assigned copy can die.
    std::vector<int> order = {0, 1, 2};
    do {
        std::unique_ptr<CImageList> holders[3];
        holders[0] = std::make_unique<CImageList>();
        ASSERT_TRUE(holders[0]->Create(2, 16, 16, IMAGE_COLOR24, true));
        HIMAGELIST shared = holders[0]->GetHandle();
        holders[1] = std::make_unique<CImageList>(*holders[0]);
        holders[2] = std::make_unique<CImageList>();
        ASSERT_TRUE(holders[2]->Create(1, 16, 16, IMAGE_COLOR24, true));
        HIMAGELIST replaced = holders[2]->GetHandle();
        *holders[2] = *holders[1];
        EXPECT_EQ(counter.TimesDestroyed(replaced), 1);
        holders[1]->AddIcon(red.get());
        holders[2]->AddIcon(green.get());
        for (int step = 0; step < 2; ++step) {
            holders[order[step]].reset();
            EXPECT_EQ(counter.TimesDestroyed(shared), 0);
            EXPECT_EQ(ImageList_GetImageCount(shared), 2);
        }
        Canvas canvas;
        holders[order[2]]->Draw(canvas.dc, 1);
        EXPECT_EQ(canvas.Count(kGreen), 16 * 16);
        holders[order[2]].reset();
        EXPECT_TRUE(counter.AllDestroyedOnce());
    } while (std::next_permutation(order.begin(), order.end()));

    // Self-assignment, and a new list while a copy holds the old one, lose nothing.
    {
        CImageList list;
        ASSERT_TRUE(list.Create(1, 16, 16, IMAGE_COLOR24, true));
        HIMAGELIST first = list.GetHandle();
        list.AddIcon(red.get());
        CImageList& same = list;
        list = same;
        CImageList keeper(list);
        ASSERT_TRUE(list.Create(1, 16, 16, IMAGE_COLOR24, true));
        EXPECT_EQ(counter.TimesDestroyed(first), 0);
        EXPECT_EQ(ImageList_GetImageCount(keeper.GetHandle()), 1);
    }
    EXPECT_TRUE(counter.AllDestroyedOnce());
}

}  // namespace
