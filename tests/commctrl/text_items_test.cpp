// Tabs and tree items recognised by their text, on a library frame window and on a library
// dialog, asked inside the parent's OnNotify as a program asks them.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstring>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "support/frame_window.h"
#include "support/pump.h"

namespace {

using Handler = std::function<void(int id, NMHDR* header)>;

struct NotifyFrame : TestFrame {
    LRESULT OnNotify(HWND, int id, NMHDR* header) override { return notified(id, header), 0; }
    Handler notified = [](int, NMHDR*) {};
};

struct NotifyDialog : CDialogBase {
    ~NotifyDialog() override { DestroyWindow(m_hWnd); }
    LRESULT OnNotify(HWND hwnd, int id, NMHDR* header) override
    {
        notified(id, header);
        return CDialogBase::OnNotify(hwnd, id, header);
    }
    void OnDestroy(HWND) override {}  // keeps the test program's loop running
    Handler notified = [](int, NMHDR*) {};
};

HTREEITEM Next(HWND tree, HTREEITEM item, WPARAM relation)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// The tree as text: siblings separated by ';', children in parentheses.
std::wstring Outline(HWND tree, HTREEITEM item)
{
    std::wstring outline;
    for (; item; item = Next(tree, item, TVGN_NEXT)) {
        wchar_t text[64] = {};
        TVITEMW record = {};
        record.mask = TVIF_TEXT;
        record.hItem = item;
        record.pszText = text;
        record.cchTextMax = 64;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&record));
        outline += (outline.empty() ? L"" : L";") + std::wstring(text);
        if (HTREEITEM child = Next(tree, item, TVGN_CHILD)) {
            outline += L"(" + Outline(tree, child) + L")";
        }
    }
    return outline;
}

std::wstring Outline(HWND tree) { return Outline(tree, Next(tree, nullptr, TVGN_ROOT)); }

std::wstring TabTexts(HWND tabs)
{
    std::wstring texts;
    for (int i = 0; i < SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0); ++i) {
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        texts += (i ? L";" : L"") + std::wstring(text);
    }
    return texts;
}

// The item reached by taking the n-th sibling at each level, from the top level down.
HTREEITEM ItemAt(HWND tree, std::vector<int> path)
{
    HTREEITEM item = Next(tree, nullptr, TVGN_ROOT);
    for (size_t level = 0; level < path.size(); ++level) {
        item = level ? Next(tree, item, TVGN_CHILD) : item;
        for (int i = 0; i < path[level]; ++i) {
            item = Next(tree, item, TVGN_NEXT);
        }
    }
    return item;
}

// A real left click at the centre of a rectangle in the control's client coordinates.
void ClickAt(HWND control, RECT rect)
{
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(control, &centre);
    SetCursorPos(centre.x, centre.y);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
}

void SendNotify(HWND parent, HWND control, UINT code)
{
    NMHDR header = {control, static_cast<UINT_PTR>(GetDlgCtrlID(control)), code};
    SendMessageW(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

// On a frame window (false) or a dialog (true): tabs A, B, A; a tree Root with B, A, A
// under it, A1 under the first A, and Orphan under Ghost, a text no item has.
class TextItems : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam()) {
            ASSERT_TRUE(dialog.CreateDiag(L"dialog", 480, 360, 40, 40, false, nullptr));
        } else {
            ASSERT_TRUE(frame.Create(480, 360, 40, 40));
        }
        parent = GetParam() ? dialog.GetWndHandle() : frame.GetWndHandle();
        SetForegroundWindow(parent);
        ASSERT_TRUE(tabs.Create(parent, L"A", 10, 10, 300, 30));
        tabs.AddItem(L"B");
        tabs.AddItem(L"A");
        ASSERT_TRUE(tree.Create(parent, L"Root", 10, 50, 220, 220));
        for (const wchar_t* text : {L"B", L"A", L"A"}) {
            tree.AddItem(text, L"Root");
        }
        tree.AddItem(L"A1", L"A");
        tree.AddItem(L"Orphan", L"Ghost");
        SendMessageW(tree.GetWndHandle(), TVM_EXPAND, TVE_EXPAND, LPARAM(ItemAt(Tree(), {1, 0})));
        frame.notified = dialog.notified = [this](int id, NMHDR* header) {
            std::wstring said;
            for (const wchar_t* text : {L"A", L"B", L"A1", L"Root", L"Ghost", L"Never"}) {
                auto message = reinterpret_cast<LPARAM>(header);
                if (tabs.IsSelect(text, WM_NOTIFY, id, message) ||
                    tree.IsSelect(text, WM_NOTIFY, id, message)) {
                    said += text;
                }
            }
            heard.push_back({header->code, said});
        };
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == parent; }, 2000));
    }

    HWND Tabs() const { return tabs.GetWndHandle(); }
    HWND Tree() const { return tree.GetWndHandle(); }

    // The texts recognised at the last notification with the code; every other code must
    // have given none.
    std::wstring SaidAt(UINT change)
    {
        std::wstring said = L"(none)";
        for (const auto& h : heard) {
            if (h.first == change) {
                said = h.second;
            } else {
                EXPECT_EQ(h.second, L"") << "code " << static_cast<int>(h.first);
            }
        }
        return said;
    }

    // Declared before the windows, so they die after them: the dialog's destructor destroys
    // its window, whose tree then notifies the handler of every item it deletes.
    CTab tabs;
    CTreeView tree;
    std::vector<std::pair<UINT, std::wstring>> heard;
    NotifyFrame frame;
    NotifyDialog dialog;
    HWND parent = nullptr;
};

TEST_P(TextItems, TabChangeNamesTheFirstTabWithTheTextBySetSelectionOrClick)
{
    struct Row {
        int index;
        UINT code;  // sent after TCM_SETCURSEL as the control does; 0: a real click
        const wchar_t* said;
    } rows[] = {
        {1, TCN_SELCHANGE, L"B"}, {0, TCN_SELCHANGE, L"A"}, {2, TCN_SELCHANGE, L""},
        {1, TCN_SELCHANGING, L"(none)"}, {0, NM_CLICK, L"(none)"},
        {1, 0, L"B"}, {2, 0, L""}, {0, 0, L"A"},
    };
    for (const Row& row : rows) {
        heard.clear();
        if (row.code) {
            SendMessageW(Tabs(), TCM_SETCURSEL, row.index, 0);
            SendNotify(parent, Tabs(), row.code);
        } else {
            RECT tab = {};
            SendMessageW(Tabs(), TCM_GETITEMRECT, row.index, reinterpret_cast<LPARAM>(&tab));
            ClickAt(Tabs(), tab);
            ASSERT_TRUE(PumpUntil([&] { return SaidAt(TCN_SELCHANGE) != L"(none)"; }, 2000));
            EXPECT_EQ(heard.at(0).first, static_cast<UINT>(TCN_SELCHANGING));
        }
        EXPECT_EQ(SaidAt(TCN_SELCHANGE), row.said) << "tab " << row.index << " " << row.code;
    }
}

TEST_P(TextItems, TreeChangeNamesTheFirstItemWithTheTextBySelectItemOrClick)
{
    // {0} is Orphan, {1} Root, {1, 0} the first A, {1, 1} the second, {1, 2} B.
    struct Row {
        std::vector<int> path;
        int how;  // 0: TVM_SELECTITEM, 1: a real click on the text, else a code sent after it
        const wchar_t* said;
    } rows[] = {
        {{1, 1}, 0, L""}, {{1, 0}, 0, L"A"}, {{1, 0, 0}, 0, L"A1"}, {{1, 2}, 0, L"B"},
        {{1, 2}, int(TVN_SELCHANGINGW), L"(none)"}, {{1, 2}, int(TVN_SELCHANGEDA), L"(none)"},
        {{0}, 0, L""}, {{1}, 0, L"Root"}, {{1, 2}, 1, L"B"}, {{1, 1}, 1, L""},
        {{1, 0, 0}, 1, L"A1"}, {{1, 0}, 1, L"A"},
    };
    for (const Row& row : rows) {
        HTREEITEM item = ItemAt(Tree(), row.path);
        heard.clear();
        if (row.how == 1) {
            RECT text = {};
            std::memcpy(&text, &item, sizeof(item));  // the rectangle's first bytes name the item
            ASSERT_TRUE(SendMessageW(Tree(), TVM_GETITEMRECT, TRUE, LPARAM(&text)));
            ClickAt(Tree(), text);
            ASSERT_TRUE(PumpUntil([&] { return Next(Tree(), nullptr, TVGN_CARET) == item; }, 2000));
            PumpFor(50);
        } else {
            SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        }
        if (row.how > 1 || row.how < 0) {
            heard.clear();
            SendNotify(parent, Tree(), static_cast<UINT>(row.how));
        }
        EXPECT_EQ(SaidAt(TVN_SELCHANGEDW), row.said);
    }
    // A cleared selection is no item's, also not Ghost's, which was looked up in vain.
    heard.clear();
    SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, 0);
    EXPECT_EQ(SaidAt(TVN_SELCHANGEDW), L"");
}

TEST_P(TextItems, SelectAndExpandByTextDoWhatAClickDoes)
{
    struct Row {
        bool tab;
        const wchar_t* text;
        bool done;
        const wchar_t* said;  // at the change; "(none)" when nothing changed
    } rows[] = {
        {true, L"B", true, L"B"}, {true, L"B", true, L"(none)"}, {true, L"A", true, L"A"},
        {true, L"Never", false, L"(none)"}, {false, L"A1", true, L"A1"}, {false, L"B", true, L"B"},
        {false, L"Ghost", false, L"(none)"}, {false, L"Root", true, L"Root"},
    };
    for (const Row& row : rows) {
        heard.clear();
        EXPECT_EQ(row.tab ? tabs.Select(row.text) : tree.Select(row.text), row.done) << row.text;
        EXPECT_EQ(SaidAt(row.tab ? TCN_SELCHANGE : TVN_SELCHANGEDW), row.said) << row.text;
        if (row.done && std::wcscmp(row.said, L"(none)") != 0) {
            EXPECT_EQ(heard.at(0).first, row.tab ? static_cast<UINT>(TCN_SELCHANGING) : TVN_SELCHANGINGW);
        }
    }
    EXPECT_EQ(SendMessageW(Tabs(), TCM_GETCURSEL, 0, 0), 0);
    // Root holds B, A and A; the first A holds A1; B holds nothing.
    const auto open = [&](std::vector<int> path) {
        return (SendMessageW(Tree(), TVM_GETITEMSTATE, WPARAM(ItemAt(Tree(), path)), TVIS_EXPANDED) &
                TVIS_EXPANDED) != 0;
    };
    EXPECT_TRUE(tree.Expand(L"Root", false));
    EXPECT_FALSE(open({1}));
    EXPECT_TRUE(tree.Expand(L"Root"));
    EXPECT_TRUE(open({1}));
    EXPECT_FALSE(tree.Expand(L"B"));
    EXPECT_FALSE(tree.Expand(L"Ghost"));
    EXPECT_FALSE(CTreeView().Expand(L"Root"));
    EXPECT_FALSE(CTab().Select(L"A"));
}

INSTANTIATE_TEST_SUITE_P(OnFrameAndDialog, TextItems, ::testing::Values(false, true));

TEST(TextItems, TreeItemsGoUnderTheFirstItemWithTheParentTextSorted)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTreeView tree;
    tree.AddItem(L"lost", nullptr);  // no control yet: nothing is recorded
    ASSERT_TRUE(tree.Create(frame.GetWndHandle(), L"Root", 0, 0, 200, 200));
    EXPECT_EQ(Outline(tree.GetWndHandle()), L"Root");
    struct Row {
        const wchar_t* text;
        const wchar_t* parent;
        const wchar_t* outline;
    } rows[] = {
        {L"B", L"Root", L"Root(B)"},
        {L"A", L"Root", L"Root(A;B)"},
        {L"A", L"Root", L"Root(A;A;B)"},
        {L"A1", L"A", L"Root(A(A1);A;B)"},
        {L"Alpha", L"Ghost", L"Alpha;Root(A(A1);A;B)"},
        {L"Ghost", L"Root", L"Alpha;Root(A(A1);A;B;Ghost)"},
        {L"Kid", L"Ghost", L"Alpha;Root(A(A1);A;B;Ghost(Kid))"},
        {nullptr, L"B", L"Alpha;Root(A(A1);A;B();Ghost(Kid))"},
    };
    for (const Row& row : rows) {
        tree.AddItem(row.text, row.parent);
        EXPECT_EQ(Outline(tree.GetWndHandle()), row.outline);
    }
}

TEST(TextItems, TabsHoldTheNameThenTheAddedTextsAndTakeTheParentsWidth)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTab tabs;
    tabs.AddItem(L"lost");  // no control yet: nothing is recorded
    tabs.ResizeParentWidth();
    ASSERT_TRUE(tabs.Create(frame.GetWndHandle(), L"A", 7, 9, 100, 30));
    EXPECT_EQ(TabTexts(tabs.GetWndHandle()), L"A");
    tabs.AddItem(L"B");
    tabs.AddItem(nullptr);
    EXPECT_EQ(TabTexts(tabs.GetWndHandle()), L"A;B;");
    tabs.ResizeParentWidth();
    EXPECT_EQ(tabs.GetWidth(), frame.GetWidth());
    EXPECT_EQ(tabs.GetHeight(), 30);
    EXPECT_EQ(tabs.GetX(), 7);
    EXPECT_EQ(tabs.GetY(), 9);
}

TEST(TextItems, HeaderIsReadOnlyForThisControlAndAKnownText)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTab tabs, noTabs;
    CTreeView tree, noTree;
    ASSERT_TRUE(tabs.Create(frame.GetWndHandle(), L"A", 0, 0, 200, 30));
    ASSERT_TRUE(tree.Create(frame.GetWndHandle(), L"A", 0, 40, 200, 200));
    EXPECT_FALSE(noTabs.Create(reinterpret_cast<HWND>(0x1234), L"A", 0, 0, 200, 30));
    EXPECT_FALSE(noTree.Create(reinterpret_cast<HWND>(0x1234), L"A", 0, 0, 200, 30));
    noTabs.AddItem(L"A");
    noTree.AddItem(L"A", nullptr);
    tree.AddItem(L"B", L"Ghost");
    // Any read of this page ends the program.
    void* page = VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_NOACCESS);
    auto header = reinterpret_cast<LPARAM>(page);
    ASSERT_NE(header, 0);
    using Ask = std::function<bool(const wchar_t*, UINT, WPARAM)>;
    auto asks = [&](auto& control) {
        return Ask([&control, header](const wchar_t* text, UINT message, WPARAM id) {
            return control.IsSelect(text, message, id, header);
        });
    };
    for (auto& [ask, id] : {std::pair{asks(tabs), WPARAM(tabs.GetID())},
                            std::pair{asks(tree), WPARAM(tree.GetID())}}) {
        EXPECT_FALSE(ask(L"A", WM_NOTIFY, id + 1));
        EXPECT_FALSE(ask(L"Ghost", WM_NOTIFY, id));
        EXPECT_FALSE(ask(nullptr, WM_NOTIFY, id));
        EXPECT_FALSE(ask(L"A", WM_COMMAND, id));
    }
    EXPECT_FALSE(noTabs.IsSelect(L"A", WM_NOTIFY, 0, header));
    EXPECT_FALSE(noTree.IsSelect(L"A", WM_NOTIFY, 0, header));
    VirtualFree(page, 0, MEM_RELEASE);
}

TEST(TextItems, CopiesKeepTheirOwnTextsAndLeaveTheControl)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTab tabs;
    CTreeView tree;
    ASSERT_TRUE(tabs.Create(frame.GetWndHandle(), L"A", 0, 0, 300, 30));
    ASSERT_TRUE(tree.Create(frame.GetWndHandle(), L"Root", 0, 40, 200, 200));
    {
        CTab tabCopy(tabs), tabAssigned;
        CTreeView treeCopy(tree), treeAssigned;
        tabs.AddItem(L"B");
        tabCopy.AddItem(L"C");  // after B, which keeps its index
        tabAssigned = tabCopy;
        treeCopy.AddItem(L"C", L"Root");
        treeAssigned = treeCopy;
        EXPECT_EQ(TabTexts(tabs.GetWndHandle()), L"A;B;C");
        SendMessageW(tree.GetWndHandle(), TVM_SELECTITEM, TVGN_CARET,
                     LPARAM(ItemAt(tree.GetWndHandle(), {0, 0})));
        auto said = [](auto& control, const wchar_t* text, UINT code, int tab) {
            SendMessageW(control.GetWndHandle(), TCM_SETCURSEL, tab, 0);
            NMHDR header = {control.GetWndHandle(), 0, code};
            return control.IsSelect(text, WM_NOTIFY, control.GetID(), LPARAM(&header));
        };
        EXPECT_TRUE(said(tabs, L"B", TCN_SELCHANGE, 1));
        EXPECT_FALSE(said(tabCopy, L"B", TCN_SELCHANGE, 1));
        EXPECT_TRUE(said(tabCopy, L"C", TCN_SELCHANGE, 2));
        EXPECT_TRUE(said(tabAssigned, L"C", TCN_SELCHANGE, 2));
        EXPECT_FALSE(said(tabs, L"C", TCN_SELCHANGE, 2));
        EXPECT_TRUE(said(treeCopy, L"C", TVN_SELCHANGEDW, 0));
        EXPECT_TRUE(said(treeAssigned, L"C", TVN_SELCHANGEDW, 0));
        EXPECT_FALSE(said(tree, L"C", TVN_SELCHANGEDW, 0));
    }
    EXPECT_TRUE(IsWindow(tabs.GetWndHandle()) && IsWindow(tree.GetWndHandle()));
}

}  // namespace
