#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>
#include <vector>

#include "support/frame_window.h"
#include "support/key_chord.h"
#include "support/message_box_catcher.h"

namespace {

class MenuFrame : public TestFrame {
public:
    void OnCommand(HWND, int id, HWND control, UINT code) override
    {
        if (!control && code == 0) {
            chosen.push_back(id);
        }
    }
    std::vector<int> chosen;
};

TEST(MenuShortcut, AKeyNamedAfterTheTabChoosesTheFirstEnabledItemThatShowsIt)
{
    MessageBoxCatcher boxes;
    MenuFrame frame;
    ASSERT_TRUE(frame.Create(300, 200, 60, 60));
    const std::wstring tooLong = L"Long\t" + std::wstring(300, L'x');
    CMenu menu;
    menu.AddMenu(L"File", 8, L"Open…\tCtrl+O", L"Pause\tP", L"Full screen\tAlt+Enter",
                 L"Delete\tdel", L"Help\tF1", L"Again\tCtrl+O", L"Odd\tCtrl+Foo", L"Grey\tShift+F2");
    menu.AddMenu(L"More", 4, L"\t", L"\tCtrl+B", tooLong.c_str(), L"Zoom\tCtrl++");
    menu.Set(frame.GetWndHandle());
    EnableMenuItem(GetMenu(frame.GetWndHandle()), menu.GetID(L"Grey"), MF_GRAYED);
    SetForegroundWindow(frame.GetWndHandle());
    RunMessageLoopFor(100);

    const struct {
        std::initializer_list<WORD> keys;
        const wchar_t* item;  // null: nothing is chosen
    } cases[] = {
        {{VK_CONTROL, 'O'}, L"Open…"},        {{'P'}, L"Pause"},
        {{VK_DELETE}, L"Delete"},             {{VK_F1}, L"Help"},
        {{VK_CONTROL, 'B'}, L"\tCtrl+B"},     {{VK_CONTROL, VK_OEM_PLUS}, L"Zoom"},
        {{VK_CONTROL, VK_ADD}, L"Zoom"},      {{VK_SHIFT, VK_F2}, nullptr},
        {{VK_CONTROL, VK_SHIFT, 'O'}, nullptr}, {{VK_MENU, VK_RETURN}, L"Full screen"},
    };
    for (const auto& c : cases) {
        frame.chosen.clear();
        SendChord(c.keys);
        RunMessageLoopFor(150);
        if (!c.item) {
            EXPECT_TRUE(frame.chosen.empty()) << frame.chosen.size();
            continue;
        }
        ASSERT_EQ(frame.chosen.size(), 1u) << *c.keys.begin();
        EXPECT_TRUE(menu.IsSelect(c.item, frame.chosen[0])) << *c.keys.begin();
        EXPECT_EQ(menu.GetID(c.item), frame.chosen[0]);
    }
    EXPECT_EQ(boxes.Count(), 0u) << "no text above showed a box";
    EXPECT_TRUE(menu.IsSelect(L"Open…\tCtrl+O", menu.GetID(L"Open…")));
    EXPECT_EQ(menu.GetID(L"Long"), menu.GetID(tooLong.c_str()));

    // A replaced bar takes its shortcuts with it.
    CMenu other;
    other.AddMenu(L"Edit", 1, L"Undo\tCtrl+Z");
    other.Set(frame.GetWndHandle());
    frame.chosen.clear();
    SendChord({VK_CONTROL, 'O'});
    RunMessageLoopFor(150);
    EXPECT_TRUE(frame.chosen.empty());
}

}  // namespace
