#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>
#include <vector>

#include "command_recorder.h"
#include "creation_spy.h"
#include "support/pump.h"
#include "support/real_input.h"

namespace {

using ChoiceControls = ControlsOnParent;

// The item texts in the control's order, read with the control's own messages.
std::vector<std::wstring> Items(const CListBox& list)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < list.GetItemNum(); ++i) {
        wchar_t text[64] = {};
        SendMessageW(list.GetWndHandle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::vector<std::wstring> Items(const CComboBox& combo)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < combo.GetItemNum(); ++i) {
        wchar_t text[64] = {};
        SendMessageW(combo.GetWndHandle(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

// A wide string at an address above 4 GB where the platform gives one (x86_64), so a
// pointer cut to 32 bits on its way would miss it.
class HighText {
public:
    explicit HighText(const wchar_t* text)
    {
        for (ULONG_PTR base = 0x500000000ull; sizeof(void*) == 8 && !m_Memory && base < 0x900000000ull;
             base += 0x100000000ull) {
            m_Memory = VirtualAlloc(reinterpret_cast<void*>(base), 4096, MEM_RESERVE | MEM_COMMIT,
                                    PAGE_READWRITE);
        }
        if (!m_Memory) {
            m_Memory = VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        }
        lstrcpyW(static_cast<wchar_t*>(m_Memory), text);
    }
    ~HighText() { VirtualFree(m_Memory, 0, MEM_RELEASE); }
    const wchar_t* Get() const { return static_cast<const wchar_t*>(m_Memory); }

private:
    void* m_Memory = nullptr;
};

TEST_F(ChoiceControls, EachClassHasItsWindowClassAndStyleWord)
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
    struct Expected {
        HWND window;
        const wchar_t* className;
        DWORD style;
    };
    const Expected all[] = {
        {list.GetWndHandle(), L"ListBox", 0x50A00003},
        {combo.GetWndHandle(), L"ComboBox", 0x50000503},
        {radio.GetWndHandle(), L"Button", 0x50000029},
        {horizontal.GetWndHandle(), L"ScrollBar", 0x50000000},
        {vertical.GetWndHandle(), L"ScrollBar", 0x50000001},
    };
    for (const Expected& expected : all) {
        SCOPED_TRACE(testing::Message() << std::hex << expected.style);
        wchar_t className[32] = {};
        GetClassNameW(expected.window, className, 32);
        EXPECT_STREQ(className, expected.className);
        EXPECT_EQ(spy.Of(expected.window).style, expected.style);
        EXPECT_EQ(spy.Of(expected.window).exStyle, 0u);
        EXPECT_EQ(GetParent(expected.window), hwnd);
    }
    EXPECT_EQ(vertical.GetID(), list.GetID() + 4);
}

TEST_F(ChoiceControls, ItemsKeepTheSortedOrderAndOutOfRangeIndicesChangeNothing)
{
    CListBox list;
    CComboBox combo;
    ASSERT_TRUE(list.Create(hwnd, 10, 10, 150, 120));
    ASSERT_TRUE(combo.CreateComboBox(hwnd, 200, 10, 150, 150));
    EXPECT_EQ(list.GetCursor(), -1);
    EXPECT_EQ(combo.GetCursor(), -1);

    // The narrow form carries UTF-16 text; the wide form needs no cast.
    list.AddList(reinterpret_cast<const char*>(L"pear"));
    list.AddList(L"Apple");
    list.AddList(L"cherry");
    combo.AddList(L"pear");
    combo.AddList(reinterpret_cast<const char*>(L"Apple"));
    combo.AddList(L"cherry");
    const std::vector<std::wstring> sorted = {L"Apple", L"cherry", L"pear"};
    EXPECT_EQ(Items(list), sorted);
    EXPECT_EQ(Items(combo), sorted);

    list.SetCursor(1);
    const int outside[] = {-1, 3, 100};
    for (int index : outside) {
        SCOPED_TRACE(index);
        list.DelList(index);
        combo.DelList(index);
        list.SetCursor(index);
        EXPECT_EQ(list.Strlen(index), 0);
        EXPECT_EQ(combo.Strlen(index), 0);
    }
    EXPECT_EQ(Items(list), sorted);
    EXPECT_EQ(Items(combo), sorted);
    EXPECT_EQ(list.GetCursor(), 1);
    EXPECT_EQ(list.Strlen(1), 6);
    EXPECT_EQ(combo.Strlen(2), 4);

    list.DelList(0);
    combo.DelList(2);
    EXPECT_EQ(Items(list), (std::vector<std::wstring>{L"cherry", L"pear"}));
    EXPECT_EQ(Items(combo), (std::vector<std::wstring>{L"Apple", L"cherry"}));

    for (int round = 0; round < 2; ++round) {
        list.AllDelList();
        combo.AllDelList();
        EXPECT_EQ(list.GetItemNum(), 0);
        EXPECT_EQ(combo.GetItemNum(), 0);
        EXPECT_EQ(list.GetCursor(), -1);
        EXPECT_EQ(combo.GetCursor(), -1);
    }
}

TEST_F(ChoiceControls, TheComboBoxSelectsTheFirstItemAfterEveryAddTheListBoxKeepsItsChoice)
{
    CListBox list;
    CComboBox combo;
    ASSERT_TRUE(list.Create(hwnd, 10, 10, 150, 120));
    ASSERT_TRUE(combo.CreateComboBox(hwnd, 200, 10, 150, 150));
    const wchar_t* added[] = {L"mango", L"kiwi", L"zucchini", L"apricot"};
    for (const wchar_t* text : added) {
        SCOPED_TRACE(text);
        // The user's choice, the last item, is dropped by the combo box's next add.
        SendMessageW(combo.GetWndHandle(), CB_SETCURSEL, combo.GetItemNum() - 1, 0);
        list.SetCursor(list.GetItemNum() - 1);
        std::wstring listChoice = list.GetCursor() >= 0 ? Items(list)[list.GetCursor()] : L"";
        list.AddList(text);
        combo.AddList(text);
        EXPECT_EQ(combo.GetCursor(), 0);
        // The list box's choice stays on its item, wherever the new item sorts in.
        if (!listChoice.empty()) {
            EXPECT_EQ(Items(list)[list.GetCursor()], listChoice);
        }
    }
    EXPECT_EQ(Items(combo)[0], L"apricot");
}

TEST_F(ChoiceControls, SearchSelectsByAPrefixInAnyCaseAndKeepsTheChoiceWhenNothingMatches)
{
    CListBox list;
    CComboBox combo;
    ASSERT_TRUE(list.Create(hwnd, 10, 10, 150, 120));
    ASSERT_TRUE(combo.CreateComboBox(hwnd, 200, 10, 150, 150));
    for (const wchar_t* text : {L"Banana", L"blueberry", L"Cherry", L"date"}) {
        list.AddList(text);
        combo.AddList(text);
    }
    HighText high(L"CHE");
    if (sizeof(void*) == 8) {
        ASSERT_GT(reinterpret_cast<ULONG_PTR>(high.Get()), 0xFFFFFFFFull);
    }
    struct Case {
        const wchar_t* prefix;
        bool narrow;
        int expected;
    };
    const Case cases[] = {
        {L"blu", false, 1},   {L"DA", true, 3},           {L"b", false, 0},
        {L"grape", false, 0}, {L"anana", true, 0},        {high.Get(), false, 2},
        {L"b", true, 0},      {high.Get(), true, 2},      {L"BLUEBERRY!", false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.prefix << (c.narrow ? " narrow" : " wide"));
        if (c.narrow) {
            list.Search(reinterpret_cast<const char*>(c.prefix));
            combo.Search(reinterpret_cast<const char*>(c.prefix));
        } else {
            list.Search(c.prefix);
            combo.Search(c.prefix);
        }
        EXPECT_EQ(list.GetCursor(), c.expected);
        EXPECT_EQ(combo.GetCursor(), c.expected);
    }
    // Text from a high address arrives whole when added, too.
    list.AddList(high.Get());
    combo.AddList(reinterpret_cast<const char*>(high.Get()));
    EXPECT_EQ(Items(list)[2], L"CHE");
    EXPECT_EQ(Items(combo)[2], L"CHE");
}

TEST_F(ChoiceControls, AClickOnAnItemSelectsItAndTellsTheParent)
{
    CListBox list;
    ASSERT_TRUE(list.Create(hwnd, 20, 20, 160, 150));
    for (const wchar_t* text : {L"one", L"two", L"three", L"four"}) {
        list.AddList(text);
    }
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 2000));
    // Sorted: four, one, three, two. Click the third row.
    RECT row = {};
    SendMessageW(list.GetWndHandle(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    ClickAt(ScreenPoint(list.GetWndHandle(), (row.left + row.right) / 2,
                        (row.top + row.bottom) / 2));
    auto selectionChanged = [&] {
        for (const CommandRecorder::Command& command : parent.commands) {
            if (command.control == list.GetWndHandle() && command.code == LBN_SELCHANGE) {
                return command.id == list.GetID();
            }
        }
        return false;
    };
    ASSERT_TRUE(PumpUntil(selectionChanged, 2000));
    EXPECT_EQ(list.GetCursor(), 2);
}

TEST_F(ChoiceControls, CopiesOfListsAddressTheSameControlAndLeaveItWhenTheyGo)
{
    CListBox list;
    ASSERT_TRUE(list.Create(hwnd, 10, 10, 150, 120));
    {
        CListBox copy(list);
        CComboBox unused;
        CComboBox assigned;
        assigned = unused;
        copy.AddList(L"shared");
    }
    EXPECT_TRUE(IsWindow(list.GetWndHandle()));
    EXPECT_EQ(Items(list), std::vector<std::wstring>{L"shared"});
}

}  // namespace
