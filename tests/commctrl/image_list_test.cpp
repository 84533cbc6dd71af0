#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

constexpr DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00;
constexpr int kSide = 64;

// A white kSide x kSide bitmap in a memory DC.
struct Canvas {
    Canvas()
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, kSide, kSide);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, kSide, kSide, WHITENESS);
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    // The colour at (x, y) as 0xRRGGBB.
    DWORD At(int x, int y) const
    {
        COLORREF c = GetPixel(dc, x, y);
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
    int Count(DWORD rgb) const
    {
        int count = 0;
        for (int i = 0; i < kSide * kSide; ++i) {
            count += At(i % kSide, i / kSide) == rgb;
        }
        return count;
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, decltype(&DestroyIcon)>;

// A square icon of one opaque colour.
Icon SolidIcon(int side, DWORD rgb)
{
    std::vector<DWORD> colour(static_cast<size_t>(side * side), rgb);
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
        DWORD expected;  // white: nothing drawn
    };
    const Case cases[] = {
        {IMAGE_COLOR24, true, true, 20, 10, 1, kGreen},  {IMAGE_COLOR32, false, true, 40, 30, 2, kBlue},
        {IMAGE_COLORDDB, true, false, 0, 0, 0, kRed},    {IMAGE_COLOR24, false, false, 0, 0, 1, kGreen},
        {IMAGE_COLOR24, true, true, 8, 8, 3, 0xFFFFFF},  {IMAGE_COLOR24, true, true, 8, 8, -1, 0xFFFFFF},
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
        EXPECT_EQ(canvas.Count(c.expected), c.expected == 0xFFFFFF ? kSide * kSide : 16 * 16);
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
    EXPECT_EQ(second.Count(0xFFFFFF), kSide * kSide);

    EXPECT_FALSE(list.Create(1, -16, 16, IMAGE_COLOR24, true));
    EXPECT_EQ(list.GetHandle(), nullptr);
    list.AddIcon(small.get());
    list.Draw(second.dc, 0);
    EXPECT_EQ(second.Count(0xFFFFFF), kSide * kSide);
}

// Counts the library's ImageList_Create and ImageList_Destroy calls by pointing its
// import-table entries for them at the functions below while it lives.
class ListCounter {
public:
    ListCounter()
    {
        s_Counter = this;
        m_Create = Patch("ImageList_Create", reinterpret_cast<void*>(&Create));
        m_Destroy = Patch("ImageList_Destroy", reinterpret_cast<void*>(&Destroy));
    }
    ~ListCounter()
    {
        Patch("ImageList_Create", m_Create);
        Patch("ImageList_Destroy", m_Destroy);
        s_Counter = nullptr;
    }
    bool Patched() const { return m_Create && m_Destroy; }
    int TimesDestroyed(HIMAGELIST list) const
    {
        return static_cast<int>(std::count(m_Destroyed.begin(), m_Destroyed.end(), list));
    }
    // Whether every list made was destroyed exactly once; then counts afresh, since a
    // destroyed list's handle may be handed out again.
    bool AllDestroyedOnce()
    {
        bool once = m_Destroyed.size() == m_Made.size();
        for (HIMAGELIST list : m_Made) {
            once = once && TimesDestroyed(list) == 1;
        }
        m_Made.clear();
        m_Destroyed.clear();
        return once;
    }

private:
    // Swaps the import-table entry of the comctl32 function; returns the entry it held.
    static void* Patch(const char* function, void* replacement)
    {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(L"tsumiki.dll"));
        auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); dll->Name; ++dll) {
            if (_stricmp(reinterpret_cast<char*>(base + dll->Name), "comctl32.dll") != 0) {
                continue;
            }
            auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
            auto* slots = reinterpret_cast<void**>(base + dll->FirstThunk);
            for (size_t i = 0; names[i].u1.AddressOfData; ++i) {
                auto* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
                if (!IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal) &&
                    strcmp(reinterpret_cast<char*>(name->Name), function) == 0) {
                    DWORD protection = 0;
                    VirtualProtect(&slots[i], sizeof(void*), PAGE_READWRITE, &protection);
                    void* old = slots[i];
                    slots[i] = replacement;
                    VirtualProtect(&slots[i], sizeof(void*), protection, &protection);
                    return old;
                }
            }
        }
        return nullptr;
    }
    static HIMAGELIST WINAPI Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        HIMAGELIST list = reinterpret_cast<decltype(&ImageList_Create)>(s_Counter->m_Create)(
            cx, cy, flags, initial, grow);
        if (list) {
            s_Counter->m_Made.push_back(list);
        }
        return list;
    }
    static BOOL WINAPI Destroy(HIMAGELIST list)
    {
        s_Counter->m_Destroyed.push_back(list);
        return reinterpret_cast<decltype(&ImageList_Destroy)>(s_Counter->m_Destroy)(list);
    }

    static ListCounter* s_Counter;
    void* m_Create = nullptr;
    void* m_Destroy = nullptr;
    std::vector<HIMAGELIST> m_Made;
    std::vector<HIMAGELIST> m_Destroyed;
};

ListCounter* ListCounter::s_Counter = nullptr;

TEST(ImageList, CopiesShareOneListThatTheLastHolderDestroysOnce)
{
    ListCounter counter;
    ASSERT_TRUE(counter.Patched());
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
