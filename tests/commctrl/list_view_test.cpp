#include <gtest/gtest.h>

#include <tsumiki.h>

#include <climits>
#include <string>
#include <vector>

#include "support/frame_window.h"

namespace {

// The text the control shows in a row and column.
std::wstring TextAt(HWND list, int row, int column)
{
    wchar_t buffer[64] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

// Every text of the control, row by row, each row as its columns joined by "|".
std::vector<std::wstring> Rows(HWND list, int columns)
{
    std::vector<std::wstring> rows;
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::wstring line = TextAt(list, row, 0);
        for (int column = 1; column < columns; ++column) {
            line += L"|" + TextAt(list, row, column);
        }
        rows.push_back(line);
    }
    return rows;
}

std::vector<int> Counts(const CListView& list)
{
    std::vector<int> counts;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        counts.push_back(list.GetAttributeCount(row));
    }
    return counts;
}

class ListViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Create(400, 300));
        ASSERT_TRUE(list.Create(frame.GetWndHandle(), 5, 5, 380, 250));
    }
    HWND List() const { return list.GetWndHandle(); }
    void AddColumns(std::initializer_list<const wchar_t*> titles)
    {
        for (const wchar_t* title : titles) {
            list.AddColumn(title, 80);
        }
    }

    TestFrame frame;
    CListView list;
};

TEST_F(ListViewTest, IsAVisibleReportViewChildOfTheParent)
{
    wchar_t className[32] = {};
    GetClassNameW(List(), className, 32);
    EXPECT_STREQ(className, L"SysListView32");
    auto style = static_cast<DWORD>(GetWindowLongPtrW(List(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE});
    EXPECT_EQ(style & LVS_TYPEMASK, DWORD{LVS_REPORT});
    EXPECT_EQ(GetParent(List()), frame.GetWndHandle());
    EXPECT_EQ(list.GetID(), GetDlgCtrlID(List()));
    EXPECT_TRUE(CListView::m_bOnce);
}

TEST_F(ListViewTest, AttributesFillTheNextColumnOfTheirRowAndWhatDoesNotFitIsDropped)
{
    AddColumns({L"Name", L"Size", L"Kind"});
    HWND header = reinterpret_cast<HWND>(SendMessageW(List(), LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);

    list.AddItem(L"a");
    list.AddItem(L"b");
    list.AddAttribute(L"a1", 0);
    list.AddAttribute(L"b1", 1);
    list.AddAttribute(L"a2", 0);
    list.AddAttribute(L"a3", 0);
    EXPECT_EQ(Rows(List(), 3), (std::vector<std::wstring>{L"a|a1|a2", L"b|b1|"}));
    EXPECT_EQ(Counts(list), (std::vector<int>{3, 2}));

    // A column added later takes the next attribute of each row.
    list.AddColumn(L"Note", 80);
    list.AddAttribute(L"a4", 0);
    list.AddAttribute(L"b2", 1);
    list.AddAttribute(L"b3", 1);
    EXPECT_EQ(Rows(List(), 4), (std::vector<std::wstring>{L"a|a1|a2|a4", L"b|b1|b2|b3"}));
    EXPECT_EQ(Counts(list), (std::vector<int>{4, 4}));
}

TEST_F(ListViewTest, DeletingARowMovesTheFollowingRowsUpWithTheirCounts)
{
    AddColumns({L"Name", L"Size", L"Kind"});
    for (const wchar_t* name : {L"r0", L"r1", L"r2"}) {
        list.AddItem(name);
    }
    list.AddAttribute(L"r0a", 0);
    list.AddAttribute(L"r0b", 0);
    list.AddAttribute(L"r2a", 2);

    list.DeleteItem(0);
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(Counts(list), (std::vector<int>{1, 2}));
    // The next attribute of the new row 0 goes into its first empty column.
    list.AddAttribute(L"r1a", 0);
    EXPECT_EQ(Rows(List(), 3), (std::vector<std::wstring>{L"r1|r1a|", L"r2|r2a|"}));
    EXPECT_EQ(Counts(list), (std::vector<int>{2, 2}));
}

TEST_F(ListViewTest, RowsOutsideTheListChangeNothingAndCountZero)
{
    AddColumns({L"Name", L"Size"});
    list.AddItem(L"only");
    const std::vector<std::wstring> before = Rows(List(), 2);
    for (int row : {-1, 1, 2, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(row);
        list.AddAttribute(L"stray", row);
        list.DeleteItem(row);
        EXPECT_EQ(list.GetAttributeCount(row), 0);
        EXPECT_EQ(Rows(List(), 2), before);
        EXPECT_EQ(Counts(list), (std::vector<int>{1}));
    }
}

TEST(ListView, CountsFollowTheCallsEvenWithoutAControlOrColumns)
{
    struct Case {
        bool created;
        int columns;
        std::vector<int> expected;
    };
    const Case cases[] = {
        // No control: every call is still counted.
        {false, 2, {2, 1}},
        // No columns: rows count, attributes have nowhere to go.
        {true, 0, {1, 1}},
    };
    for (const Case& c : cases) {
        TestFrame frame;
        ASSERT_TRUE(frame.Create());
        CListView list;
        if (c.created) {
            ASSERT_TRUE(list.Create(frame.GetWndHandle(), 0, 0, 150, 100));
        }
        for (int column = 0; column < c.columns; ++column) {
            list.AddColumn(L"column", 50);
        }
        list.AddItem(L"one");
        list.AddItem(nullptr);
        list.AddAttribute(L"x", 0);
        list.AddAttribute(L"y", 0);
        EXPECT_EQ(Counts(list), c.expected);
        // A copy counts on its own from here.
        CListView copy(list);
        copy.DeleteItem(0);
        EXPECT_EQ(copy.GetItemCount(), 1);
        EXPECT_EQ(list.GetItemCount(), 2);
    }
}

}  // namespace
