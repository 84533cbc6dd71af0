#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "support/frame_window.h"
#include "support/pump.h"
#include "support/real_input.h"

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

// Reads IsSelect and IsColumnClick in OnNotify, as a program does.
struct ListFrame : TestFrame {
    LRESULT OnNotify(HWND, int id, NMHDR* header) override
    {
        int index = -1;
        if (list->IsSelect(WM_NOTIFY, id, LPARAM(header), &index)) selected.push_back(index);
        if (list->IsColumnClick(WM_NOTIFY, id, LPARAM(header), &index)) clicked.push_back(index);
        return 0;
    }
    const CListView* list = nullptr;
    std::vector<int> selected, clicked;
};

// A real click x pixels into a rectangle of the control, half way down.
void Click(HWND control, RECT rect, int x)
{
    POINT at = {rect.left + x, (rect.top + rect.bottom) / 2};
    ClickAt((ClientToScreen(control, &at), at));
}

TEST(ListViewSelection, MouseKeysAndSelectRowEachReachIsSelectOnceWithTheRow)
{
    ListFrame frame;
    CListView list;
    ASSERT_TRUE(frame.Create(400, 300) && list.Create(frame.GetWndHandle(), 5, 5, 380, 250));
    frame.list = &list;
    for (const wchar_t* title : {L"Name", L"Size"}) list.AddColumn(title, 100);
    for (int row = 0; row < 6; ++row) list.AddRow({L"row", L"cell"});
    list.SetFullRowSelect(true);  // so that a click in the second cell selects the row
    SetForegroundWindow(frame.GetWndHandle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == frame.GetWndHandle(); }, 2000));
    // Rectangles in the list's coordinates: a click there reaches the cell or the header.
    RECT cell = {}, column1 = {}, untouched = {1, 2, 3, 4};
    ASSERT_TRUE(list.GetCellRect(3, 1, &cell) && list.GetHeaderRect(1, &column1));
    EXPECT_FALSE(list.GetCellRect(6, 0, &untouched) || list.GetCellRect(0, 2, &untouched) ||
                 list.GetCellRect(-1, 0, &untouched) || list.GetHeaderRect(2, &untouched) ||
                 list.GetCellRect(0, 0, nullptr) || CListView().GetHeaderRect(0, &untouched));
    EXPECT_EQ(untouched.left + untouched.top + untouched.right + untouched.bottom, 10);
    auto chord = [](WORD held, WORD key) {
        SendInputs({KeyInput(held, false), KeyInput(key, false), KeyInput(key, true), KeyInput(held, true)});
    };
    const struct { const char* how; std::function<void()> act; std::vector<int> selected; } steps[] = {
        {"SelectRow", [&] { list.SelectRow(1); }, {1}},
        {"SelectRow on the selected row", [&] { list.SelectRow(1); }, {1}},
        {"a click in the second cell", [&] { Click(list.GetWndHandle(), cell, 20); }, {3}},
        {"Down", [&] { PressKey(VK_DOWN); }, {4}},
        {"Shift+Up", [&] { chord(VK_SHIFT, VK_UP); }, {3}},
        {"Ctrl+Down: the focus alone, onto a selected row", [&] { chord(VK_CONTROL, VK_DOWN); }, {}},
        {"a header click", [&] { Click(list.GetWndHandle(), column1, 20); }, {}},
    };
    for (const auto& step : steps) {
        frame.selected.clear();
        step.act();
        PumpFor(100);
        EXPECT_EQ(frame.selected, step.selected) << step.how;
    }
    EXPECT_EQ(frame.clicked, std::vector<int>{1});
}

TEST_F(ListViewTest, SortingAThousandRowsIsStableAndEachRowTakesItsSelectionDataAndCounts)
{
    const wchar_t* const words[] = {L"pear", L"Apple", L"apple", L"Äpfel", L"banana"};
    const wchar_t* const numbers[] = {L"10", L"-2.5", L"", L"9", L"1e1", L"x", L" 3 ", L"0x1"};
    auto data = [&](int row, UINT message) {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = row * 10;
        SendMessageW(list.GetWndHandle(), message, 0, LPARAM(&item));
        return item.lParam;
    };
    SendMessageW(list.GetWndHandle(), WM_SETREDRAW, FALSE, 0);  // Wine's list is slow to fill when shown
    for (int id = 0; id < 1000; ++id) {
        list.AddRow({std::to_wstring(id).c_str(), words[id % 5]});
        if (id < 999) list.AddAttribute(numbers[id % 8], id);  // row 999: two filled columns
        data(id, LVM_SETITEMW);
    }
    SendMessageW(list.GetWndHandle(), WM_SETREDRAW, TRUE, 0);
    list.SelectRow(500);
    // What each sort brings together, group after group; cells within a group are equal.
    using Groups = std::vector<std::vector<std::wstring>>;
    const struct { int column; bool ascending; ESortKind kind; Groups groups; } sorts[] = {
        {1, true, SORT_TEXT, {{L"Äpfel"}, {L"Apple", L"apple"}, {L"banana"}, {L"pear"}}},
        {2, false, SORT_NUMBER, {{L"10", L"1e1"}, {L"9"}, {L" 3 "}, {L"-2.5"}, {L"", L"x", L"0x1"}}},
        {2, true, SORT_NUMBER, {{L"-2.5"}, {L" 3 "}, {L"9"}, {L"10", L"1e1"}, {L"", L"x", L"0x1"}}},
    };
    std::vector<int> ids(1000);
    std::iota(ids.begin(), ids.end(), 0);
    for (const auto& sort : sorts) {
        std::vector<int> place(1000);
        for (int i = 0; i < 1000; ++i) place[ids[i]] = i;
        list.SortByColumn(sort.column, sort.ascending, sort.kind);
        size_t previous = 0;
        for (int row = 0; row < 1000; ++row) {
            ids[row] = std::stoi(list.GetCellText(row, 0));
            auto in = [&](const auto& g) { return std::count(g.begin(), g.end(), list.GetCellText(row, sort.column)); };
            size_t group = std::find_if(sort.groups.begin(), sort.groups.end(), in) - sort.groups.begin();
            ASSERT_TRUE(group < sort.groups.size() && group >= previous) << "row " << row << " on " << sort.column;
            ASSERT_TRUE(row == 0 || group > previous || place[ids[row - 1]] < place[ids[row]]) << row;
            ASSERT_EQ(data(row, LVM_GETITEMW), ids[row] * 10);
            ASSERT_EQ(list.GetAttributeCount(row), ids[row] == 999 ? 2 : 3);
            previous = group;
        }
        EXPECT_EQ(ids[list.GetSelectedRow()], 500);
    }
}

TEST_F(ListViewTest, ColumnsFitTheirWidestCellOrHeaderAndRowsComeWholeOrCut)
{
    const std::wstring widest = L"a considerably wider cell than the rest";
    EXPECT_EQ(list.AddRow({L"a", L"short", L"x", L"dropped"}), 0);
    EXPECT_EQ(list.AddRow(std::vector<std::wstring>{L"b", widest}), 1);
    EXPECT_EQ(list.AddRow({}), 2);
    EXPECT_EQ(Look(list, 3).rows, (Rows{L"a|short|x", L"b|" + widest.substr(0, 31) + L"|", L"||"}));
    EXPECT_EQ(Look(list, 3).counts, (Counts{3, 2, 1}));
    auto width = [&](const wchar_t* text) { return int(SendMessageW(list.GetWndHandle(), LVM_GETSTRINGWIDTHW, 0, LPARAM(text))); };
    const struct { int column, width, least, most; } widths[] = {
        {1, COLUMN_FIT_CONTENT, width(widest.c_str()), width(widest.c_str()) + 24},
        {2, COLUMN_FIT_CONTENT, 1, width(L"Kind") - 1}, {0, COLUMN_FIT_HEADER, width(L"Name"), 400},
        {2, 120, 120, 120}, {2, 0, 0, 0}, {2, -3, 0, 0}, {2, 100000, 32767, 32767}, {3, 50, 0, 0}, {-1, 50, 0, 0}};
    for (const auto& w : widths) {
        list.SetColumnWidth(w.column, w.width);
        EXPECT_GE(list.GetColumnWidth(w.column), w.least) << w.column << " " << w.width;
        EXPECT_LE(list.GetColumnWidth(w.column), w.most) << w.column << " " << w.width;
    }
}

TEST(ListView, SingleSelectKeepsOneRowAndAListFilledWithoutRedrawShowsEveryRow)
{
    ListFrame frame;
    CListView list;
    ASSERT_TRUE(frame.Create(400, 300) && list.Create(frame.GetWndHandle(), 5, 5, 380, 250));
    frame.list = &list;
    list.AddColumn(L"Name", 100);
    list.SetRedraw(false);
    for (int row = 0; row < 50; ++row) list.AddRow({L"row"});
    list.SetRedraw(true);
    EXPECT_EQ(list.GetItemCount(), 50);
    EXPECT_TRUE(IsWindowVisible(list.GetWndHandle()));
    for (bool single : {true, false}) {
        list.SetSingleSelect(single);
        LVITEMW selected = {};
        selected.stateMask = selected.state = LVIS_SELECTED;
        for (WPARAM row : {1, 2}) SendMessageW(list.GetWndHandle(), LVM_SETITEMSTATE, row, LPARAM(&selected));
        EXPECT_EQ(SendMessageW(list.GetWndHandle(), LVM_GETSELECTEDCOUNT, 0, 0), single ? 1 : 2) << single;
    }
}

}  // namespace
