#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "notify_hosts.h"
#include "support/pump.h"

namespace {

HTREEITEM Next(HWND tree, HTREEITEM item, WPARAM relation)
{
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// The item reached by taking the n-th sibling at each level, from the top level down.
HTREEITEM ItemAt(HWND tree, std::initializer_list<int> path)
{
    HTREEITEM item = Next(tree, nullptr, TVGN_ROOT);
    bool first = true;
    for (int n : path) {
        if (!first) {
            item = Next(tree, item, TVGN_CHILD);
        }
        first = false;
        for (int i = 0; i < n; ++i) {
            item = Next(tree, item, TVGN_NEXT);
        }
    }
    return item;
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

std::wstring Outline(HWND tree)
{
    return Outline(tree, Next(tree, nullptr, TVGN_ROOT));
}

TEST(TreeView, ItemsGoUnderTheFirstItemWithTheParentTextSorted)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTreeView tree;
    tree.AddItem(L"lost", nullptr);  // no control yet: nothing is recorded
    ASSERT_TRUE(tree.Create(frame.GetWndHandle(), L"Root", 0, 0, 200, 200));
    HWND control = tree.GetWndHandle();
    EXPECT_EQ(Outline(control), L"Root");
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
        EXPECT_EQ(Outline(control), row.outline);
    }

    CTreeView failed;
    EXPECT_FALSE(failed.Create(reinterpret_cast<HWND>(0x1234), L"Root", 0, 0, 200, 200));
    failed.AddItem(L"A", L"Root");
    EXPECT_EQ(failed.GetWndHandle(), nullptr);
}

// Root with A, A again and B under it, A1 under the first A, and Orphan, whose parent text
// Ghost names no item; inside OnNotify the parent asks which text was selected.
class TreeSelection : public OnEitherHost {
protected:
    void SetUp() override
    {
        OnEitherHost::SetUp();
        ASSERT_TRUE(tree.Create(parent, L"Root", 10, 10, 220, 220));
        for (const wchar_t* text : {L"B", L"A", L"A"}) {
            tree.AddItem(text, L"Root");
        }
        tree.AddItem(L"A1", L"A");
        tree.AddItem(L"Orphan", L"Ghost");
        control = tree.GetWndHandle();
        SendMessageW(control, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ItemAt(control, {1})));
        SendMessageW(control, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(ItemAt(control, {1, 0})));
        OnNotify([this](int id, NMHDR* header) {
            std::wstring selected;
            for (const wchar_t* text : {L"Root", L"A", L"B", L"A1", L"Ghost", L"Never"}) {
                if (tree.IsSelect(text, WM_NOTIFY, id, reinterpret_cast<LPARAM>(header))) {
                    selected += text;
                }
            }
            heard.push_back({header->code, selected});
        });
    }

    // What the parent recognised at the last TVN_SELCHANGEDW; other codes give nothing.
    std::wstring SelectedAtChange()
    {
        std::wstring selected = L"(no TVN_SELCHANGEDW)";
        for (const auto& h : heard) {
            if (h.first == static_cast<UINT>(TVN_SELCHANGEDW)) {
                selected = h.second;
            } else {
                EXPECT_EQ(h.second, L"") << "code " << static_cast<int>(h.first);
            }
        }
        return selected;
    }

    CTreeView tree;
    HWND control = nullptr;
    std::vector<std::pair<UINT, std::wstring>> heard;
};

TEST_P(TreeSelection, SelectItemIsRecognisedOnlyForTheWideChangedCode)
{
    // Paths: {1} is Root, {1, 0} the first A, {1, 1} the second, {1, 2} B; {} clears.
    struct Row {
        std::initializer_list<int> path;
        UINT forgedCode;  // 0: only what the control itself sends
        const wchar_t* selected;
    } rows[] = {
        {{1, 1}, 0, L""},   {{1, 0}, 0, L"A"},  {{1, 0, 0}, 0, L"A1"},         {{1, 2}, 0, L"B"},
        {{1, 2}, TVN_SELCHANGINGW, L"(no TVN_SELCHANGEDW)"},
        {{1, 2}, TVN_SELCHANGEDA, L"(no TVN_SELCHANGEDW)"},
        {{0}, 0, L""},      {{1}, 0, L"Root"},
    };
    for (const Row& row : rows) {
        HTREEITEM item = ItemAt(control, row.path);
        SendMessageW(control, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        if (row.forgedCode) {
            heard.clear();
            SendNotify(parent, control, row.forgedCode);
            ASSERT_EQ(heard.size(), 1u);
        }
        EXPECT_EQ(SelectedAtChange(), row.selected);
        heard.clear();
    }
    // A cleared selection is no item's, also not a parent text that was looked up in vain.
    SendMessageW(control, TVM_SELECTITEM, TVGN_CARET, 0);
    EXPECT_EQ(SelectedAtChange(), L"");
}

TEST_P(TreeSelection, ClickOnAnItemsTextSelectsIt)
{
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == parent; }, 2000));
    struct Row {
        std::initializer_list<int> path;
        const wchar_t* selected;
    } rows[] = {{{1, 2}, L"B"}, {{1, 1}, L""}, {{1, 0, 0}, L"A1"}, {{1, 0}, L"A"}};
    for (const Row& row : rows) {
        HTREEITEM item = ItemAt(control, row.path);
        RECT text = {};
        std::memcpy(&text, &item, sizeof(item));  // the rectangle's first bytes name the item
        ASSERT_TRUE(SendMessageW(control, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text)));
        heard.clear();
        ClickAt(ScreenCentre(control, text));
        ASSERT_TRUE(PumpUntil([&] { return Next(control, nullptr, TVGN_CARET) == item; }, 2000));
        PumpFor(50);
        EXPECT_EQ(SelectedAtChange(), row.selected);
    }
}

INSTANTIATE_TEST_SUITE_P(TreeView, TreeSelection, ::testing::Values(Host::Frame, Host::Dialog),
                         HostName);

TEST(TreeView, NotificationHeaderIsReadOnlyForThisControlAndAKnownText)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTreeView tree;
    CTreeView none;
    ASSERT_TRUE(tree.Create(frame.GetWndHandle(), L"Root", 0, 0, 200, 200));
    tree.AddItem(L"Child", L"Ghost");
    auto own = static_cast<WPARAM>(tree.GetID());
    struct Row {
        const CTreeView* control;
        UINT message;
        WPARAM id;
        const wchar_t* text;
    } rows[] = {
        {&tree, WM_NOTIFY, own + 1, L"Root"}, {&tree, WM_NOTIFY, own, L"Ghost"},
        {&tree, WM_NOTIFY, own, nullptr},     {&tree, WM_COMMAND, own, L"Root"},
        {&none, WM_NOTIFY, 0, L"Root"},
    };
    for (const Row& row : rows) {
        EXPECT_FALSE(row.control->IsSelect(row.text, row.message, row.id, UnreadableHeader()));
    }
}

TEST(TreeView, CopiesKeepTheirOwnTextsAndLeaveTheControl)
{
    NotifyFrame frame;
    ASSERT_TRUE(frame.Create(480, 360, 40, 40));
    CTreeView original;
    ASSERT_TRUE(original.Create(frame.GetWndHandle(), L"Root", 0, 0, 200, 200));
    HWND control = original.GetWndHandle();
    {
        CTreeView copy(original);
        CTreeView assigned;
        assigned = original;
        copy.AddItem(L"Mine", L"Root");
        EXPECT_EQ(Outline(control), L"Root(Mine)");
        SendMessageW(control, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(ItemAt(control, {0, 0})));
        NMHDR header = {control, 0, static_cast<UINT>(TVN_SELCHANGEDW)};
        auto ask = [&](const CTreeView& tree) {
            return tree.IsSelect(L"Mine", WM_NOTIFY, GetDlgCtrlID(control),
                                 reinterpret_cast<LPARAM>(&header));
        };
        EXPECT_TRUE(ask(copy));
        EXPECT_FALSE(ask(original));
        EXPECT_FALSE(ask(assigned));
    }
    EXPECT_TRUE(IsWindow(control));
}

}  // namespace
