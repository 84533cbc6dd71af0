#include <gtest/gtest.h>

#include <tsumiki.h>

#include <climits>
#include <string>
#include <vector>

#include "support/frame_window.h"

namespace {

// The control's rows as it shows them, each as its columns' texts joined by "|", and the
// object's count of filled columns for each row, side by side.
struct Seen {
    std::vector<std::wstring> rows;
    std::vector<int> counts;
};

Seen Look(const CListView& list, int columns)
{
    Seen seen;
    HWND control = list.GetWndHandle();
    int rows = static_cast<int>(SendMessageW(control, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        std::wstring line;
        for (int column = 0; column < columns; ++column) {
            wchar_t text[32] = {};
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = 32;
            SendMessageW(control, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            line += (column ? L"|" : L"") + std::wstring(text);
        }
        seen.rows.push_back(line);
    }
    for (int row = 0; row < list.GetItemCount(); ++row) {
        seen.counts.push_back(list.GetAttributeCount(row));
    }
    return seen;
}

using Rows = std::vector<std::wstring>;
using Counts = std::vector<int>;

class ListViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Create(400, 300));
        ASSERT_TRUE(list.Create(frame.GetWndHandle(), 5, 5, 380, 250));
        for (const wchar_t* title : {L"Name", L"Size", L"Kind"}) {
            list.AddColumn(title, 80);
        }
    }
    TestFrame frame;
    CListView list;
};

TEST_F(ListViewTest, AReportViewWhoseRowsFillColumnAfterColumn)
{
    wchar_t className[32] = {};
    GetClassNameW(list.GetWndHandle(), className, 32);
    EXPECT_STREQ(className, L"SysListView32");
    auto style = static_cast<DWORD>(GetWindowLongPtrW(list.GetWndHandle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | LVS_TYPEMASK), DWORD{WS_CHILD | WS_VISIBLE | LVS_REPORT});

    list.AddItem(L"a");
    list.AddItem(nullptr);
    for (const wchar_t* text : {L"a1", L"a2", L"a3"}) {
        list.AddAttribute(text, 0);
    }
    list.AddAttribute(L"b1", 1);
    Seen seen = Look(list, 3);
    EXPECT_EQ(seen.rows, (Rows{L"a|a1|a2", L"|b1|"}));
    EXPECT_EQ(seen.counts, (Counts{3, 2}));

    // A column added later takes the next text of each row.
    list.AddColumn(L"Note", 80);
    list.AddAttribute(L"a4", 0);
    list.AddAttribute(L"b2", 1);
    list.AddAttribute(L"b3", 1);
    seen = Look(list, 4);
    EXPECT_EQ(seen.rows, (Rows{L"a|a1|a2|a4", L"|b1|b2|b3"}));
    EXPECT_EQ(seen.counts, (Counts{4, 4}));
}

TEST_F(ListViewTest, DeletingARowMovesTheRowsAfterItUpWithTheirCounts)
{
    for (const wchar_t* name : {L"r0", L"r1", L"r2"}) {
        list.AddItem(name);
    }
    list.AddAttribute(L"r0a", 0);
    list.AddAttribute(L"r0b", 0);
    list.AddAttribute(L"r2a", 2);
    list.DeleteItem(0);
    EXPECT_EQ(Look(list, 3).counts, (Counts{1, 2}));
    list.AddAttribute(L"r1a", 0);
    Seen seen = Look(list, 3);
    EXPECT_EQ(seen.rows, (Rows{L"r1|r1a|", L"r2|r2a|"}));
    EXPECT_EQ(seen.counts, (Counts{2, 2}));

    // Rows outside the list change nothing and count no columns.
    for (int row : {-1, 2, 3, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(row);
        list.AddAttribute(L"stray", row);
        list.DeleteItem(row);
        EXPECT_EQ(list.GetAttributeCount(row), 0);
        EXPECT_EQ(Look(list, 3).rows, seen.rows);
        EXPECT_EQ(Look(list, 3).counts, seen.counts);
    }
}

TEST(ListView, CountsFollowTheCallsWithoutAControlAndCopiesCountApart)
{
    CListView list;
    list.AddColumn(L"Name", 50);
    list.AddItem(L"one");
    list.AddItem(L"two");
    list.AddAttribute(L"x", 0);
    list.AddAttribute(L"y", 0);
    CListView copy(list);
    copy.DeleteItem(0);
    EXPECT_EQ(Look(list, 1).counts, (Counts{1, 1}));
    EXPECT_EQ(Look(copy, 1).counts, (Counts{1}));
    list = copy;
    EXPECT_EQ(list.GetItemCount(), 1);
}

TEST_F(ListViewTest, RowsAreSelectedCellsRewrittenAndEveryRowDeletedInTheControl)
{
    for (const wchar_t* name : {L"a", L"b", L"c"}) {
        list.AddItem(name);
    }
    list.AddAttribute(L"a1", 0);
    EXPECT_EQ(list.GetSelectedRow(), -1);
    const struct { int row; bool accepted; int selected; } picks[] = {
        {2, true, 2}, {0, true, 0}, {-1, false, 0}, {3, false, 0}, {INT_MAX, false, 0}};
    for (const auto& p : picks) {
        EXPECT_EQ(list.SelectRow(p.row), p.accepted) << p.row;
        EXPECT_EQ(list.GetSelectedRow(), p.selected) << p.row;
        EXPECT_EQ(SendMessageW(list.GetWndHandle(), LVM_GETSELECTEDCOUNT, 0, 0), 1) << "one row only";
    }
    const std::wstring longText(100000, L'x');
    const struct { int row, column; const wchar_t* text; bool accepted; } cells[] = {
        {1, 2, L"b2", true}, {0, 0, L"renamed", true}, {2, 1, longText.c_str(), true}, {0, 1, nullptr, true},
        {0, 3, L"-", false}, {1, -1, L"-", false}, {-1, 0, L"-", false}, {3, 0, L"-", false},
        {INT_MAX, INT_MAX, L"-", false}};
    for (const auto& c : cells) {
        EXPECT_EQ(list.SetCellText(c.row, c.column, c.text), c.accepted) << c.row << "," << c.column;
        EXPECT_EQ(list.GetCellText(c.row, c.column), c.accepted && c.text ? c.text : L"");
    }
    EXPECT_EQ(Look(list, 3).rows, (Rows{L"renamed||", L"b||b2", L"c|" + std::wstring(31, L'x') + L"|"}));
    EXPECT_EQ(Look(list, 3).counts, (Counts{2, 1, 1})) << "AddAttribute goes on where it stood";

    list.DeleteAllRows();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetSelectedRow(), -1);
    list.AddItem(L"new");
    list.AddAttribute(L"new1", 0);
    EXPECT_EQ(Look(list, 3).rows, (Rows{L"new|new1|"}));
}

}  // namespace
