// Runs in a process of its own: the identifier counter starts fresh here.
#include <gtest/gtest.h>

#include <tsumiki.h>

TEST(MenuIdentifiers, TheFirstItemsOfAProcessGet0x8001And0x8002)
{
    CMenu menu;
    HMENU popup = menu.AddMenu(L"File", 3, L"Open", L"|", L"Exit");
    EXPECT_EQ(menu.GetID(L"Open"), 0x8001);
    EXPECT_EQ(menu.GetID(L"Exit"), 0x8002);
    EXPECT_EQ(GetMenuItemID(popup, 0), 0x8001u);
    EXPECT_EQ(GetMenuItemID(popup, 2), 0x8002u);
    // Menus, controls and timers draw from one counter.
    EXPECT_EQ(CWindowBase::CreateResourceID(), 0x8003);
}
