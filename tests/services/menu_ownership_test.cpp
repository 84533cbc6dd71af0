#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "support/frame_window.h"
#include "support/handle_reuse.h"
#include "support/resource_room.h"

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
        reused = ArrangeReuseOf(bar) ? CreateMenu() : nullptr;
        if (reused != bar) {
            DestroyMenu(reused);
            GTEST_SKIP() << "the platform did not hand the handle out again";
        }
    }
    EXPECT_TRUE(IsMenu(reused));
    DestroyMenu(reused);
}

// A bar whose CMenu died while the window showed it, and the pop-up inside it.
struct LeftBar {
    HMENU bar = nullptr;
    HMENU popup = nullptr;
};

LeftBar LeaveBarTo(HWND window, const wchar_t* title)
{
    LeftBar left;
    CMenu menu;
    left.popup = menu.AddMenu(title, 1, L"Item");
    menu.Set(window);
    left.bar = GetMenu(window);
    return left;
}

TEST(MenuOwnership, ABarLeftToAWindowIsDestroyedOnceTheWindowNoLongerShowsIt)
{
    struct Case {
        const char* name;
        // Takes the left bar off the window (or the window away); true when the left bar
        // must be gone afterwards.
        std::function<bool(TestFrame& frame, CMenu& next)> takeOff;
    };
    const Case cases[] = {
        {"Set shows another bar", [](TestFrame& frame, CMenu& next) {
             next.Set(frame.GetWndHandle());
             return true;
         }},
        {"the window is destroyed", [](TestFrame& frame, CMenu&) {
             DestroyWindow(frame.GetWndHandle());
             return true;
         }},
        {"another bar left in turn, then replaced", [](TestFrame& frame, CMenu& next) {
             LeftBar second = LeaveBarTo(frame.GetWndHandle(), L"Second");
             EXPECT_TRUE(IsMenu(second.bar));
             next.Set(frame.GetWndHandle());
             EXPECT_FALSE(IsMenu(second.bar));
             return true;
         }},
        {"Set on a child window changes nothing", [](TestFrame& frame, CMenu& next) {
             TestFrame child;
             EXPECT_TRUE(child.Create(50, 50, 0, 0, frame.GetWndHandle(), WS_VISIBLE));
             next.Set(child.GetWndHandle());
             return false;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestFrame frame;
        ASSERT_TRUE(frame.Create());
        LeftBar left = LeaveBarTo(frame.GetWndHandle(), L"File");
        ASSERT_TRUE(IsMenu(left.bar));
        CMenu next;
        next.AddMenu(L"Next", 1, L"Other");
        bool gone = c.takeOff(frame, next);
        EXPECT_EQ(IsMenu(left.bar) == FALSE, gone);
        EXPECT_EQ(IsMenu(left.popup) == FALSE, gone);
        if (IsWindow(frame.GetWndHandle()) && gone) {
            HMENU shown = GetMenu(frame.GetWndHandle());
            EXPECT_TRUE(IsMenu(shown));
            EXPECT_EQ(GetMenuItemCount(shown), 1);
        }
    }
}

TEST(MenuOwnership, ABarALivingMenuOwnsIsOnlyTakenOffByTheNextSet)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    auto owner = std::make_unique<CMenu>();
    owner->AddMenu(L"File", 1, L"Open");
    owner->Set(frame.GetWndHandle());
    HMENU owned = GetMenu(frame.GetWndHandle());
    CMenu next;
    next.Set(frame.GetWndHandle());
    EXPECT_TRUE(IsMenu(owned));
    owner.reset();
    EXPECT_FALSE(IsMenu(owned));
}

TEST(MenuOwnership, SwappingBarsOnAWindowLeavesNoUserObjectsBehind)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    const int swaps = 300;
    ResourceRoom before = MeasureRoom();
    for (int i = 0; i < swaps; ++i) {
        CMenu menu;
        menu.AddMenu(L"File", 2, L"Open", L"Quit");
        menu.Set(frame.GetWndHandle());
    }
    // The last bar is still shown; it goes with the window.
    DestroyWindow(frame.GetWndHandle());
    ResourceRoom after = MeasureRoom();
    // Two USER objects a swap were lost before bars left to a window were destroyed.
    EXPECT_LE(before.user - after.user, 10) << "USER room " << before.user << " -> " << after.user;
}

}  // namespace
