#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <string>
#include <vector>

#include "command_recorder.h"
#include "creation_spy.h"
#include "support/pump.h"
#include "support/real_input.h"

// Calls a deprecated narrow form on purpose, silencing the warning for that call only.
#define NARROW_FORM(call)                                                   \
    _Pragma("GCC diagnostic push")                                          \
    _Pragma("GCC diagnostic ignored \"-Wdeprecated-declarations\"") call; \
    _Pragma("GCC diagnostic pop")

namespace {

using Lists = ControlsOnParent;

// The item texts in the control's order, read with the control's own message.
template <class List>
std::vector<std::wstring> Items(const List& list, UINT getText)
{
    std::vector<std::wstring> items(list.GetItemNum());
    for (size_t i = 0; i < items.size(); ++i) {
        wchar_t text[64] = {};
        SendMessageW(list.GetWndHandle(), getText, i, reinterpret_cast<LPARAM>(text));
        items[i] = text;
    }
    return items;
}

TEST_F(Lists, EachNewClassHasItsWindowClassAndStyleWord)
{
    CreationSpy spy;
    CListBox list;
    CComboBox combo;
    CRadioButton radio;
    CScrollBarHorizon horizontal;
    CScrollBarVertical vertical;
    ASSERT_TRUE(list.Create(hwnd, 10, 10, 120, 80));
    ASSERT_TRUE(combo.CreateComboBox(hwnd, 140, 10, 120, 100));
    ASSERT_TRUE(radio.Create(hwnd, 270, 10, 100, 24, L"radio"));
    ASSERT_TRUE(horizontal.Create(hwnd, 10, 120, 200, 20, 0, 100));
    ASSERT_TRUE(vertical.Create(hwnd, 220, 120, 20, 150, 0, 100));
    const struct {
        HWND window;
        const wchar_t* className;
        DWORD style;
    } all[] = {{list.GetWndHandle(), L"ListBox", 0x50A00003},
               {combo.GetWndHandle(), L"ComboBox", 0x50000503},
               {radio.GetWndHandle(), L"Button", 0x50000029},
               {horizontal.GetWndHandle(), L"ScrollBar", 0x50000000},
               {vertical.GetWndHandle(), L"ScrollBar", 0x50000001}};
    for (const auto& expected : all) {
        wchar_t className[32] = {};
        GetClassNameW(expected.window, className, 32);
        EXPECT_STREQ(className, expected.className);
        EXPECT_EQ(spy.Of(expected.window).style, expected.style) << std::hex << expected.style;
        EXPECT_EQ(GetParent(expected.window), hwnd);
    }
    EXPECT_EQ(vertical.GetID(), list.GetID() + 4);
}

TEST_F(Lists, ItemsSortAndIndicesOutOfRangeChangeNothing)
{
    CListBox list;
    CComboBox combo;
    ASSERT_TRUE(list.Create(hwnd, 10, 10, 150, 120));
    ASSERT_TRUE(combo.CreateComboBox(hwnd, 200, 10, 150, 150));
    auto check = [](auto& box, UINT getText) {
        EXPECT_EQ(box.GetCursor(), -1);
        NARROW_FORM(box.AddList(reinterpret_cast<const char*>(L"pear")));  // UTF-16 in the narrow form
        box.AddList(L"Apple");
        box.AddList(L"cherry");
        const std::vector<std::wstring> sorted = {L"Apple", L"cherry", L"pear"};
        EXPECT_EQ(Items(box, getText), sorted);
        box.SetCursor(1);
        for (int index : {-1, 3}) {
            box.DelList(index);
            box.SetCursor(index);
            EXPECT_EQ(box.Strlen(index), 0);
            EXPECT_EQ(box.GetText(index), L"");
        }
        EXPECT_EQ(Items(box, getText), sorted);
        EXPECT_EQ(box.GetCursor(), 1);
        EXPECT_EQ(box.Strlen(1), 6);
        EXPECT_EQ(box.GetText(1), L"cherry");
        const std::wstring longText = L"z" + std::wstring(4999, L'\u00e9');  // sorts last
        box.AddList(longText.c_str());
        EXPECT_EQ(box.GetText(3), longText);
        box.DelList(3);
        box.DelList(0);
        EXPECT_EQ(Items(box, getText), (std::vector<std::wstring>{L"cherry", L"pear"}));
        for (int round = 0; round < 2; ++round) {
            box.AllDelList();
            EXPECT_EQ(box.GetItemNum(), 0);
            EXPECT_EQ(box.GetCursor(), -1);
        }
    };
    check(list, LB_GETTEXT);
    check(combo, CB_GETLBTEXT);
    list.AddList(L"a");
    list.AddList(L"b");
    for (int index : {1, -1, 2}) {
        list.SetCursor(index);
    }
    EXPECT_EQ(list.GetCursor(), 1);
    {
        CListBox copy(list);
        copy.AddList(L"c");
    }
    EXPECT_EQ(list.GetItemNum(), 3);
}

TEST_F(Lists, SearchSelectsByPrefixInAnyCaseAndAddingMovesOnlyTheComboChoice)
{
    // UTF-16 text above 4 GB on x86_64: a pointer cut to 32 bits on its way would miss it.
    auto* high = static_cast<wchar_t*>(VirtualAlloc(reinterpret_cast<void*>(0x500000000ull), 4096,
                                                    MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!high) {
        ASSERT_EQ(sizeof(void*), 4u);
        high = static_cast<wchar_t*>(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    }
    lstrcpyW(high, L"CHE");
    CListBox list;
    CComboBox combo;
    ASSERT_TRUE(list.Create(hwnd, 10, 10, 150, 120));
    ASSERT_TRUE(combo.CreateComboBox(hwnd, 200, 10, 150, 150));
    for (const wchar_t* text : {L"date", L"blueberry", L"Banana", L"Cherry"}) {
        list.SetCursor(list.GetItemNum() - 1);
        SendMessageW(combo.GetWndHandle(), CB_SETCURSEL, combo.GetItemNum() - 1, 0);
        list.AddList(text);
        combo.AddList(text);
        EXPECT_EQ(combo.GetCursor(), 0);
    }
    EXPECT_EQ(list.GetCursor(), 3) << "the list's choice, date, stays on its item";
    const struct {
        const wchar_t* prefix;
        int expected;
    } cases[] = {{L"blu", 1}, {L"DA", 3}, {L"b", 0}, {L"grape", 0}, {L"anana", 0},
                 {high, 2},   {L"b", 0},  {L"BLUEBERRY!", 0}};
    for (int i = 0; i < 8; ++i) {
        // Odd rows go through the narrow form, which carries the same UTF-16 text.
        if (i % 2) {
            NARROW_FORM(list.Search(reinterpret_cast<const char*>(cases[i].prefix)));
            NARROW_FORM(combo.Search(reinterpret_cast<const char*>(cases[i].prefix)));
        } else {
            list.Search(cases[i].prefix);
            combo.Search(cases[i].prefix);
        }
        EXPECT_EQ(list.GetCursor(), cases[i].expected) << i;
        EXPECT_EQ(combo.GetCursor(), cases[i].expected) << i;
    }
    NARROW_FORM(list.AddList(reinterpret_cast<const char*>(high)));
    EXPECT_EQ(Items(list, LB_GETTEXT)[2], L"CHE");
    VirtualFree(high, 0, MEM_RELEASE);
}

TEST_F(Lists, AClickOnAnItemSelectsItAndTellsTheParent)
{
    CListBox list;
    ASSERT_TRUE(list.Create(hwnd, 20, 20, 160, 150));
    for (const wchar_t* text : {L"one", L"two", L"three", L"four"}) {
        list.AddList(text);
    }
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    // Sized to its rows, the list shows the last one whole and nothing below it.
    const int height = list.GetItemHeight();
    ASSERT_GT(height, 0);
    EXPECT_EQ(CListBox().GetItemHeight(), 0);
    list.SetSize(list.GetWidth(), 4 * height + list.GetHeight() - list.GetClientHeight());
    RECT last = {};
    SendMessageW(list.GetWndHandle(), LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(last.bottom, list.GetClientHeight());
    POINT centre = {20, 2 * height + height / 2};  // the third row: four, one, three, two
    ClientToScreen(list.GetWndHandle(), &centre);
    ClickAt(centre);
    ASSERT_TRUE(PumpUntil([&] { return !parent.CodesFrom(list.GetWndHandle()).empty(); }, 2000));
    PumpFor(50);
    EXPECT_EQ(list.GetCursor(), 2);
    std::vector<UINT> codes = parent.CodesFrom(list.GetWndHandle());
    EXPECT_EQ(std::count(codes.begin(), codes.end(), UINT{LBN_SELCHANGE}), 1);
}

}  // namespace
