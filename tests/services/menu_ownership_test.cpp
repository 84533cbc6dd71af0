#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "support/frame_window.h"

namespace {

// A menu bar with one pop-up, shown by no window, and handles to both for looking on.
struct Built {
    std::unique_ptr<CMenu> menu = std::make_unique<CMenu>();
    HMENU bar = nullptr;
    HMENU popup = nullptr;
};

Built BuildDetached()
{
    Built built;
    built.popup = built.menu->AddMenu(L"File", 1, L"Open");
    // Showing the bar is the only way to get its handle; taking it back leaves it unshown.
    TestFrame frame;
    frame.Create();
    built.menu->Set(frame.GetWndHandle());
    built.bar = GetMenu(frame.GetWndHandle());
    SetMenu(frame.GetWndHandle(), nullptr);
    return built;
}

TEST(MenuOwnership, CopiesShareTheMenusAndTheLastOneDestroysThemInAnyOrder)
{
    // Each order in which the source, a copy and an assigned copy can die.
    std::vector<int> order = {0, 1, 2};
    do {
        Built built = BuildDetached();
        ASSERT_TRUE(IsMenu(built.bar));
        std::unique_ptr<CMenu> objects[3];
        objects[0] = std::move(built.menu);
        objects[1] = std::make_unique<CMenu>(*objects[0]);
        objects[2] = std::make_unique<CMenu>();
        *objects[2] = *objects[1];
        int openID = objects[0]->GetID(L"Open");

        for (int step = 0; step < 2; ++step) {
            objects[order[step]].reset();
            EXPECT_TRUE(IsMenu(built.bar));
            EXPECT_EQ(GetMenuItemCount(built.popup), 1);
            EXPECT_EQ(objects[order[2]]->GetID(L"Open"), openID);
        }
        objects[order[2]].reset();
        EXPECT_FALSE(IsMenu(built.bar));
        EXPECT_FALSE(IsMenu(built.popup));
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(MenuOwnership, AssigningLetsGoOfTheTargetsOwnMenus)
{
    Built target = BuildDetached();
    CMenu other;
    *target.menu = other;
    EXPECT_FALSE(IsMenu(target.bar));
    EXPECT_FALSE(IsMenu(target.popup));
}

TEST(MenuOwnership, ABarShownByAWindowDiesWithTheWindow)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    HMENU popup = nullptr;
    {
        CMenu menu;
        popup = menu.AddMenu(L"File", 1, L"Open");
        menu.Set(frame.GetWndHandle());
    }
    HMENU bar = GetMenu(frame.GetWndHandle());
    ASSERT_TRUE(IsMenu(bar));
    EXPECT_EQ(GetSubMenu(bar, 0), popup);
    EXPECT_EQ(GetMenuItemCount(popup), 1);

    DestroyWindow(frame.GetWndHandle());
    EXPECT_FALSE(IsMenu(bar));
    EXPECT_FALSE(IsMenu(popup));
}

TEST(MenuOwnership, APopupThatNoMenuTookDiesWithTheMenus)
{
    HMENU gone = CreateMenu();
    DestroyMenu(gone);
    HMENU stray = nullptr;
    {
        CMenu menu;
        stray = menu.AddMenu(L"Lost", gone, 1, L"Item");
        EXPECT_TRUE(IsMenu(stray));
        EXPECT_NE(menu.GetID(L"Item"), 0);
    }
    EXPECT_FALSE(IsMenu(stray));
}

// Makes menus until the platform hands out the dead menu's handle again (handles are
// recycled with a generation count, so this takes tens of thousands of tries); null when
// it does not within the tries.
HMENU MenuReusing(HMENU dead)
{
    std::vector<HMENU> made;
    HMENU slot = nullptr;
    for (int i = 0; i < 64 && !slot; ++i) {
        HMENU menu = CreateMenu();
        if (LOWORD(reinterpret_cast<ULONG_PTR>(menu)) == LOWORD(reinterpret_cast<ULONG_PTR>(dead))) {
            slot = menu;
        } else {
            made.push_back(menu);
        }
    }
    for (HMENU menu : made) {
        DestroyMenu(menu);
    }
    for (int i = 0; slot && slot != dead && i < 70000; ++i) {
        DestroyMenu(slot);
        slot = CreateMenu();
    }
    if (slot != dead) {
        DestroyMenu(slot);
        return nullptr;
    }
    return slot;
}

TEST(MenuOwnership, ABarThatDiedWithItsWindowIsNotDestroyedAgainWhenItsHandleIsReused)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    HMENU reused = nullptr;
    {
        CMenu menu;
        menu.AddMenu(L"File", 1, L"Open");
        menu.Set(frame.GetWndHandle());
        HMENU bar = GetMenu(frame.GetWndHandle());
        DestroyWindow(frame.GetWndHandle());
        ASSERT_FALSE(IsMenu(bar));
        reused = MenuReusing(bar);
        if (!reused) {
            GTEST_LOG_(INFO) << "the platform did not hand the handle out again";
        }
    }
    if (reused) {
        EXPECT_TRUE(IsMenu(reused));
        DestroyMenu(reused);
    }
}

}  // namespace
