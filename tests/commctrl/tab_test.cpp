#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>
#include <vector>

#include "notify_hosts.h"
#include "support/pump.h"

namespace {

std::vector<std::wstring> TabTexts(HWND control)
{
    std::vector<std::wstring> texts;
    auto count = static_cast<int>(SendMessageW(control, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(control, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

// Tabs A, B and A again; inside OnNotify the parent asks which text was selected.
class TabSelection : public OnEitherHost {
protected:
    struct Heard {
        UINT code;
        std::wstring selected;  // the texts IsSelect said yes to
    };

    void SetUp() override
    {
        OnEitherHost::SetUp();
        ASSERT_TRUE(tabs.Create(parent, L"A", 10, 10, 300, 30));
        tabs.AddItem(L"B");
        tabs.AddItem(L"A");
        OnNotify([this](int id, NMHDR* header) {
            std::wstring selected;
            for (const wchar_t* text : {L"A", L"B", L"Never"}) {
                if (tabs.IsSelect(text, WM_NOTIFY, id, reinterpret_cast<LPARAM>(header))) {
                    selected += text;
                }
            }
            heard.push_back({header->code, selected});
        });
    }

    // What the parent recognised at TCN_SELCHANGE; every other code must give nothing.
    std::wstring SelectedAtChange()
    {
        std::wstring selected = L"(no TCN_SELCHANGE)";
        for (const Heard& h : heard) {
            if (h.code == static_cast<UINT>(TCN_SELCHANGE)) {
                selected = h.selected;
            } else {
                EXPECT_EQ(h.selected, L"") << "code " << static_cast<int>(h.code);
            }
        }
        return selected;
    }

    CTab tabs;
    std::vector<Heard> heard;
};

TEST_P(TabSelection, SetSelectionAndItsNotificationNameOnlyTheFirstTabWithTheText)
{
    struct Row {
        int index;
        UINT code;
        const wchar_t* selected;
    } rows[] = {
        {1, TCN_SELCHANGE, L"B"},   {0, TCN_SELCHANGE, L"A"},  {2, TCN_SELCHANGE, L""},
        {1, TCN_SELCHANGING, L""}, {0, NM_CLICK, L""},
    };
    for (const Row& row : rows) {
        heard.clear();
        SendMessageW(tabs.GetWndHandle(), TCM_SETCURSEL, row.index, 0);
        SendNotify(parent, tabs.GetWndHandle(), row.code);
        ASSERT_EQ(heard.size(), 1u);
        EXPECT_EQ(heard[0].selected, row.selected) << "tab " << row.index << ", code " << static_cast<int>(row.code);
    }
}

TEST_P(TabSelection, ClickOnATabIsRecognisedAtTheChangeNotAtTheChanging)
{
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == parent; }, 2000));
    struct Row {
        int index;
        const wchar_t* selected;
    } rows[] = {{1, L"B"}, {2, L""}, {0, L"A"}};
    for (const Row& row : rows) {
        heard.clear();
        RECT tab = {};
        SendMessageW(tabs.GetWndHandle(), TCM_GETITEMRECT, row.index, reinterpret_cast<LPARAM>(&tab));
        ClickAt(ScreenCentre(tabs.GetWndHandle(), tab));
        ASSERT_TRUE(PumpUntil([&] { return SelectedAtChange() != L"(no TCN_SELCHANGE)"; }, 2000))
            << "tab " << row.index;
        EXPECT_EQ(SelectedAtChange(), row.selected) << "tab " << row.index;
        EXPECT_EQ(heard[0].code, static_cast<UINT>(TCN_SELCHANGING));
    }
}

INSTANTIATE_TEST_SUITE_P(Tab, TabSelection, ::testing::Values(Host::Frame, Host::Dialog), HostName);

TEST(Tab, HoldsItsNameAndTheAddedTextsInOrder)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTab early;
    early.AddItem(L"lost");  // no control yet: nothing is recorded
    ASSERT_TRUE(early.Create(frame.GetWndHandle(), L"A", 0, 0, 200, 30));
    EXPECT_EQ(TabTexts(early.GetWndHandle()), std::vector<std::wstring>{L"A"});
    early.AddItem(L"B");
    early.AddItem(nullptr);
    EXPECT_EQ(TabTexts(early.GetWndHandle()), (std::vector<std::wstring>{L"A", L"B", L""}));

    CTab failed;
    EXPECT_FALSE(failed.Create(reinterpret_cast<HWND>(0x1234), L"A", 0, 0, 200, 30));
    failed.AddItem(L"B");
    failed.ResizeParentWidth();
    EXPECT_EQ(failed.GetWndHandle(), nullptr);
}

TEST(Tab, NotificationHeaderIsReadOnlyForThisControlAndAKnownText)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTab tabs;
    CTab none;
    ASSERT_TRUE(tabs.Create(frame.GetWndHandle(), L"A", 0, 0, 200, 30));
    auto own = static_cast<WPARAM>(tabs.GetID());
    struct Row {
        const CTab* control;
        UINT message;
        WPARAM id;
        const wchar_t* text;
    } rows[] = {
        {&tabs, WM_NOTIFY, own + 1, L"A"},    {&tabs, WM_NOTIFY, own, L"Never"},
        {&tabs, WM_NOTIFY, own, nullptr},     {&tabs, WM_COMMAND, own, L"A"},
        {&none, WM_NOTIFY, 0, L"A"},
    };
    for (const Row& row : rows) {
        EXPECT_FALSE(row.control->IsSelect(row.text, row.message, row.id, UnreadableHeader()));
    }
}

TEST(Tab, TakesTheParentsOuterWidthKeepingPositionAndHeight)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTab tabs;
    ASSERT_TRUE(tabs.Create(frame.GetWndHandle(), L"A", 7, 9, 100, 30));
    tabs.ResizeParentWidth();
    EXPECT_EQ(tabs.GetWidth(), frame.GetWidth());
    EXPECT_EQ(tabs.GetHeight(), 30);
    EXPECT_EQ(tabs.GetX(), 7);
    EXPECT_EQ(tabs.GetY(), 9);
}

TEST(Tab, CopiesKeepTheirOwnTextsAndAppendAfterEveryTab)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTab original;
    ASSERT_TRUE(original.Create(frame.GetWndHandle(), L"A", 0, 0, 300, 30));
    HWND control = original.GetWndHandle();
    {
        CTab copy(original);
        original.AddItem(L"B");
        copy.AddItem(L"C");  // goes after B, which keeps its index
        CTab assigned;
        assigned = copy;
        EXPECT_EQ(TabTexts(control), (std::vector<std::wstring>{L"A", L"B", L"C"}));
        struct Row {
            int index;
            const CTab* asker;
            const wchar_t* text;
            bool selected;
        } rows[] = {
            {1, &original, L"B", true}, {1, &copy, L"B", false},    {2, &copy, L"C", true},
            {2, &original, L"C", false}, {2, &assigned, L"C", true}, {0, &assigned, L"A", true},
        };
        for (const Row& row : rows) {
            SendMessageW(control, TCM_SETCURSEL, row.index, 0);
            NMHDR header = {control, 0, static_cast<UINT>(TCN_SELCHANGE)};
            EXPECT_EQ(row.asker->IsSelect(row.text, WM_NOTIFY, GetDlgCtrlID(control),
                                          reinterpret_cast<LPARAM>(&header)),
                      row.selected)
                << "tab " << row.index;
        }
    }
    EXPECT_TRUE(IsWindow(control));
}

}  // namespace
