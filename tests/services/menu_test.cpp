#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>
#include <utility>
#include <vector>

#include "support/frame_window.h"
#include "support/message_box_catcher.h"
#include "support/pump.h"

namespace {

const wchar_t* const kNoItem = nullptr;

std::wstring ItemText(HMENU menu, int position)
{
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return text;
}

bool IsSeparator(HMENU menu, int position)
{
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_SEPARATOR) != 0;
}

int ItemID(HMENU menu, int position)
{
    return static_cast<int>(GetMenuItemID(menu, position));
}

TEST(Menu, APopupHoldsItsItemsAndSeparatorsOnTheBar)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    CMenu menu;
    HMENU popup = menu.AddMenu(L"File", 3, L"Open", L"|", L"Exit");
    menu.Set(frame.GetWndHandle());

    HMENU bar = GetMenu(frame.GetWndHandle());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(ItemText(bar, 0), L"File");
    EXPECT_EQ(GetSubMenu(bar, 0), popup);

    ASSERT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(ItemText(popup, 0), L"Open");
    EXPECT_TRUE(IsSeparator(popup, 1));
    EXPECT_EQ(ItemText(popup, 2), L"Exit");
    EXPECT_FALSE(IsSeparator(popup, 2));
    // The separator takes no identifier.
    EXPECT_EQ(ItemID(popup, 0), menu.GetID(L"Open"));
    EXPECT_EQ(ItemID(popup, 2), menu.GetID(L"Exit"));
    EXPECT_EQ(menu.GetID(L"Exit"), menu.GetID(L"Open") + 1);
    EXPECT_TRUE(menu.IsSelect(L"Open", ItemID(popup, 0)));
    EXPECT_FALSE(menu.IsSelect(L"Open", ItemID(popup, 2)));
}

TEST(Menu, ATextRegisteredTwiceAnswersWithItsFirstIdentifier)
{
    CMenu menu;
    HMENU first = menu.AddMenu(L"Edit", 2, L"Same", L"Same");
    HMENU second = menu.AddMenu(L"View", 1, L"Same");
    int ids[] = {ItemID(first, 0), ItemID(first, 1), ItemID(second, 0)};
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_NE(ids[1], ids[2]);
    EXPECT_EQ(menu.GetID(L"Same"), ids[0]);
    EXPECT_TRUE(menu.IsSelect(L"Same", ids[0]));
    EXPECT_FALSE(menu.IsSelect(L"Same", ids[1]));
    EXPECT_FALSE(menu.IsSelect(L"Same", ids[2]));
}

TEST(Menu, ItemsAreKnownAsTheMenuShowsThemWithoutTheirMnemonics)
{
    CMenu menu;
    HMENU popup = menu.AddMenu(L"&File", 5, L"&Open…\tCtrl+O", L"Save &As", L"Fish && Chips", L"&Copy", L"Copy");
    const std::pair<const wchar_t*, int> cases[] = {
        {L"&Open…\tCtrl+O", 0}, {L"&Open…", 0}, {L"Open…", 0}, {L"Open…\tCtrl+O", 0}, {L"Save As", 1},
        {L"Fish & Chips", 2}, {L"Fish && Chips", 2}, {L"Copy", 4}, {L"&Copy", 3}};
    MessageBoxCatcher catcher;  // a miss shows a box
    for (const auto& [name, position] : cases) {
        EXPECT_EQ(menu.GetID(name), ItemID(popup, position)) << name;
    }
    EXPECT_EQ(menu.GetID(L"Save"), 0);
    EXPECT_EQ(catcher.Count(), 1u);
}

TEST(Menu, AnUnknownTextShowsTheMessageWithTheDefaultCaption)
{
    MessageBoxCatcher catcher;
    // The platform's own caption for a box shown without one.
    MessageBoxW(nullptr, L"reference", nullptr, MB_OK);
    ASSERT_EQ(catcher.Count(), 1u);
    std::wstring defaultCaption = catcher.Boxes()[0].caption;

    CMenu menu;
    menu.AddMenu(L"File", 1, L"Open");
    EXPECT_EQ(menu.GetID(L"open"), 0);
    EXPECT_FALSE(menu.IsSelect(L"Open ", menu.GetID(L"Open")));
    EXPECT_EQ(menu.GetID(nullptr), 0);
    ASSERT_EQ(catcher.Count(), 4u);
    for (size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(catcher.Boxes()[i].text, L"項目名が存在しません");
        EXPECT_EQ(catcher.Boxes()[i].caption, defaultCaption);
    }
}

TEST(Menu, CountsOfZeroOrLessMakeEmptyPopups)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    CMenu menu;
    int before = CWindowBase::CreateResourceID();
    HMENU zero = menu.AddMenu(L"Empty", 0);
    HMENU below = menu.AddMenu(L"Negative", -3, L"ignored");
    menu.Set(frame.GetWndHandle());
    EXPECT_EQ(GetMenuItemCount(zero), 0);
    EXPECT_EQ(GetMenuItemCount(below), 0);
    HMENU bar = GetMenu(frame.GetWndHandle());
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(GetSubMenu(bar, 0), zero);
    EXPECT_EQ(ItemText(bar, 1), L"Negative");
    EXPECT_EQ(CWindowBase::CreateResourceID(), before + 1);
}

TEST(Menu, TheSecondFormMakesACascadeWhoseItemsAreRegistered)
{
    CMenu menu;
    HMENU popup = menu.AddMenu(L"File", 2, L"Open", L"|");
    HMENU cascade = menu.AddMenu(L"Recent", popup, 2, L"a.txt", L"b.txt");
    ASSERT_EQ(GetMenuItemCount(popup), 3);
    EXPECT_EQ(GetSubMenu(popup, 2), cascade);
    EXPECT_EQ(ItemText(popup, 2), L"Recent");
    ASSERT_EQ(GetMenuItemCount(cascade), 2);
    EXPECT_EQ(menu.GetID(L"b.txt"), ItemID(cascade, 1));
    EXPECT_TRUE(menu.IsSelect(L"a.txt", ItemID(cascade, 0)));
}

TEST(Menu, OnlyABarAloneIsASeparatorAndANullTextAddsNothing)
{
    CMenu menu;
    HMENU popup = menu.AddMenu(L"Bars", 5, L"||", kNoItem, L"| ", L"|", L"after");
    ASSERT_EQ(GetMenuItemCount(popup), 4);
    EXPECT_EQ(ItemText(popup, 0), L"||");
    EXPECT_EQ(ItemText(popup, 1), L"| ");
    EXPECT_TRUE(IsSeparator(popup, 2));
    EXPECT_EQ(menu.GetID(L"||"), ItemID(popup, 0));
    // The null text took no identifier either.
    EXPECT_EQ(menu.GetID(L"| "), menu.GetID(L"||") + 1);
    EXPECT_EQ(menu.GetID(L"after"), menu.GetID(L"| ") + 1);
}

// A frame that recognises its menu's items by text.
class MenuFrame : public TestFrame {
public:
    void OnCommand(HWND, int id, HWND control, UINT code) override
    {
        commands.push_back(id);
        fromMenu = control == nullptr && code == 0;
        if (menu.IsSelect(L"Open", id)) {
            ++opens;
        }
    }
    CMenu menu;
    std::vector<int> commands;
    bool fromMenu = false;
    int opens = 0;
};

void PressKey(WORD key)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

TEST(Menu, AnItemChosenFromTheMenuReachesOnCommandAndIsRecognisedByItsText)
{
    MenuFrame frame;
    ASSERT_TRUE(frame.Create(300, 200, 50, 50));
    frame.menu.AddMenu(L"File", 3, L"Open", L"|", L"Exit");
    frame.menu.Set(frame.GetWndHandle());
    SetForegroundWindow(frame.GetWndHandle());
    SetFocus(frame.GetWndHandle());
    PumpFor(50);

    // F10 opens the bar, Down opens File, Return chooses its first item.
    PressKey(VK_F10);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !frame.commands.empty(); }));
    EXPECT_EQ(frame.commands[0], frame.menu.GetID(L"Open"));
    EXPECT_TRUE(frame.fromMenu);
    EXPECT_EQ(frame.opens, 1);
}

}  // namespace
