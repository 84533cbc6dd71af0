#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "import_patch.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A white 64 x 64 memory DC whose pixels the test reads back with GetPixel.
class Canvas {
public:
    Canvas() : m_Dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kSize;
        info.bmiHeader.biHeight = -kSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_Bitmap = CreateDIBSection(m_Dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_Old = SelectObject(m_Dc, m_Bitmap);
        RECT all = {0, 0, kSize, kSize};
        FillRect(m_Dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        SelectObject(m_Dc, m_Old);
        DeleteObject(m_Bitmap);
        DeleteDC(m_Dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_Dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_Dc, x, y); }
    // How many pixels of the canvas have the colour.
    int Count(COLORREF colour) const
    {
        int count = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                count += At(x, y) == colour;
            }
        }
        return count;
    }

    static constexpr int kSize = 64;

private:
    HDC m_Dc;
    HBITMAP m_Bitmap = nullptr;
    HGDIOBJ m_Old = nullptr;
};

// A square icon of one solid colour, opaque everywhere.
class SolidIcon {
public:
    SolidIcon(int size, COLORREF colour)
    {
        HDC screen = GetDC(nullptr);
        HBITMAP image = CreateCompatibleBitmap(screen, size, size);
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, image);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all = {0, 0, size, size};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        // An all-zero AND mask: every pixel of the image shows.
        std::vector<unsigned char> zeros(static_cast<size_t>(size) * size / 8 + size * 2, 0);
        HBITMAP mask = CreateBitmap(size, size, 1, 1, zeros.data());
        ICONINFO info = {TRUE, 0, 0, mask, image};
        m_Icon = CreateIconIndirect(&info);
        DeleteObject(mask);
        DeleteObject(image);
    }
    ~SolidIcon() { DestroyIcon(m_Icon); }
    SolidIcon(const SolidIcon&) = delete;
    SolidIcon& operator=(const SolidIcon&) = delete;

    operator HICON() const { return m_Icon; }

private:
    HICON m_Icon = nullptr;
};

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

// Image lists the library made and destroyed while a counter lives.
struct ListCounter {
    ListCounter()
        : create("comctl32.dll", "ImageList_Create", reinterpret_cast<void*>(&Create)),
          destroy("comctl32.dll", "ImageList_Destroy", reinterpret_cast<void*>(&Destroy))
    {
        s_Counter = this;
    }
    ~ListCounter() { s_Counter = nullptr; }

    static HIMAGELIST WINAPI Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        auto original = reinterpret_cast<decltype(&ImageList_Create)>(s_Counter->create.Original());
        HIMAGELIST list = original(cx, cy, flags, initial, grow);
        if (list) {
            s_Counter->made.push_back(list);
        }
        return list;
    }
    static BOOL WINAPI Destroy(HIMAGELIST list)
    {
        s_Counter->destroyed.push_back(list);
        auto original = reinterpret_cast<decltype(&ImageList_Destroy)>(s_Counter->destroy.Original());
        return original(list);
    }
    int TimesDestroyed(HIMAGELIST list) const
    {
        return static_cast<int>(std::count(destroyed.begin(), destroyed.end(), list));
    }
    // Whether every list made so far was destroyed exactly once; then starts counting
    // afresh, since the platform may hand a destroyed list's handle out again.
    bool AllDestroyedOnce()
    {
        bool once = destroyed.size() == made.size();
        for (HIMAGELIST list : made) {
            once = once && TimesDestroyed(list) == 1;
        }
        made.clear();
        destroyed.clear();
        return once;
    }

    ImportPatch create;
    ImportPatch destroy;
    std::vector<HIMAGELIST> made;
    std::vector<HIMAGELIST> destroyed;
    static ListCounter* s_Counter;
};

ListCounter* ListCounter::s_Counter = nullptr;

TEST(ImageList, DrawsTheIndexedIconAtThePositionAndNothingForAnEmptyIndex)
{
    SolidIcon red(16, kRed), green(16, kGreen), blue(16, kBlue);
    struct Case {
        EImageColor colour;
        bool mask;
        bool setPos;
        int x, y;
        int index;
        COLORREF expected;  // kWhite: nothing drawn
    };
    const Case cases[] = {
        {IMAGE_COLOR24, true, true, 20, 10, 1, kGreen},
        {IMAGE_COLOR32, false, true, 40, 30, 2, kBlue},
        {IMAGE_COLORDDB, true, false, 0, 0, 0, kRed},
        {IMAGE_COLOR24, false, false, 0, 0, 1, kGreen},
        {IMAGE_COLOR24, true, true, 8, 8, 3, kWhite},
        {IMAGE_COLOR24, true, true, 8, 8, -1, kWhite},
        {IMAGE_COLOR24, true, true, 8, 8, 1000, kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "colour " << c.colour << " index " << c.index);
        CImageList list;
        ASSERT_TRUE(list.Create(3, 16, 16, c.colour, c.mask));
        for (HICON icon : {static_cast<HICON>(red), static_cast<HICON>(green),
                           static_cast<HICON>(blue)}) {
            list.AddIcon(icon);
        }
        EXPECT_EQ(ImageList_GetImageCount(list.GetHandle()), 3);
        if (c.setPos) {
            list.SetPos(c.x, c.y);
        }
        Canvas canvas;
        list.Draw(canvas.Dc(), c.index);
        if (c.expected == kWhite) {
            EXPECT_EQ(canvas.Count(kWhite), Canvas::kSize * Canvas::kSize);
            continue;
        }
        EXPECT_EQ(canvas.At(c.x, c.y), c.expected);
        EXPECT_EQ(canvas.At(c.x + 15, c.y + 15), c.expected);
        EXPECT_EQ(canvas.Count(c.expected), 16 * 16);
    }
}

TEST(ImageList, ASecondCreateStartsAnEmptyListOfTheNewSize)
{
    SolidIcon small(16, kRed), large(32, kYellow);
    CImageList list;
    ASSERT_TRUE(list.Create(2, 16, 16, IMAGE_COLOR24, true));
    list.AddIcon(small);
    list.AddIcon(small);
    list.SetPos(4, 6);
    ASSERT_TRUE(list.Create(1, 32, 32, IMAGE_COLOR24, true));
    EXPECT_EQ(ImageList_GetImageCount(list.GetHandle()), 0);
    list.AddIcon(large);
    int width = 0, height = 0;
    ImageList_GetIconSize(list.GetHandle(), &width, &height);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);

    Canvas first;
    list.Draw(first.Dc(), 0);
    // The position survives the new list.
    EXPECT_EQ(first.At(4, 6), kYellow);
    EXPECT_EQ(first.Count(kYellow), 32 * 32);
    EXPECT_EQ(first.Count(kRed), 0);
    Canvas second;
    list.Draw(second.Dc(), 1);
    EXPECT_EQ(second.Count(kWhite), Canvas::kSize * Canvas::kSize);
}

TEST(ImageList, CreateAnswersFalseWhenThePlatformRefusesTheList)
{
    SolidIcon red(16, kRed);
    CImageList list;
    ASSERT_TRUE(list.Create(1, 16, 16, IMAGE_COLOR24, true));
    list.AddIcon(red);
    EXPECT_FALSE(list.Create(1, -16, 16, IMAGE_COLOR24, true));
    EXPECT_EQ(list.GetHandle(), nullptr);
    // Adding to and drawing from no list does nothing.
    list.AddIcon(red);
    Canvas canvas;
    list.Draw(canvas.Dc(), 0);
    EXPECT_EQ(canvas.Count(kWhite), Canvas::kSize * Canvas::kSize);
}

TEST(ImageList, CopiesShareOneListThatTheLastHolderDestroysOnce)
{
    ListCounter counter;
    ASSERT_TRUE(counter.create.Found());
    ASSERT_TRUE(counter.destroy.Found());
    SolidIcon red(16, kRed), green(16, kGreen);

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
        // Copies add to the one list.
        holders[1]->AddIcon(red);
        holders[2]->AddIcon(green);
        EXPECT_EQ(ImageList_GetImageCount(shared), 2);

        for (int step = 0; step < 2; ++step) {
            holders[order[step]].reset();
            EXPECT_EQ(counter.TimesDestroyed(shared), 0);
            EXPECT_EQ(ImageList_GetImageCount(shared), 2);
            Canvas canvas;
            holders[order[2]]->Draw(canvas.Dc(), 1);
            EXPECT_EQ(canvas.At(0, 0), kGreen);
        }
        holders[order[2]].reset();
        EXPECT_EQ(counter.TimesDestroyed(shared), 1);
        EXPECT_TRUE(counter.AllDestroyedOnce());
    } while (std::next_permutation(order.begin(), order.end()));

    // Self-assignment and a new list while a copy holds the old one lose nothing.
    {
        CImageList list;
        ASSERT_TRUE(list.Create(1, 16, 16, IMAGE_COLOR24, true));
        HIMAGELIST first = list.GetHandle();
        list.AddIcon(red);
        CImageList& same = list;
        list = same;
        EXPECT_EQ(list.GetHandle(), first);
        EXPECT_EQ(counter.TimesDestroyed(first), 0);
        CImageList keeper(list);
        ASSERT_TRUE(list.Create(1, 16, 16, IMAGE_COLOR24, true));
        EXPECT_EQ(counter.TimesDestroyed(first), 0);
        EXPECT_EQ(ImageList_GetImageCount(keeper.GetHandle()), 1);
    }
    EXPECT_TRUE(counter.AllDestroyedOnce());
}

}  // namespace
