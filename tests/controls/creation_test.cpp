#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>

#include "command_recorder.h"
#include "creation_spy.h"

namespace {

using ControlCreation = ControlsOnParent;

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

DWORD StyleNow(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

template <class Control>
HWND Place(Control& control, HWND parent, int y)
{
    EXPECT_TRUE(control.Create(parent, 10, y, 150, 30, L"text"));
    return control.GetWndHandle();
}

TEST_F(ControlCreation, EachClassHasItsWindowClassAndStyleWord)
{
    CreationSpy spy;
    CButton button;
    CCheckBox checkBox;
    CGroupBox groupBox;
    CStatic label;
    CEdit edit;
    CEditReadOnly readOnly;
    CEditMultiLine multiLine;
    CEditMultiLineReadOnly multiLineReadOnly;
    struct Expected {
        HWND window;
        const wchar_t* className;
        DWORD style;
    };
    const Expected all[] = {
        {Place(button, hwnd, 0), L"Button", 0x50000000},
        {Place(checkBox, hwnd, 30), L"Button", 0x50000022},
        {Place(groupBox, hwnd, 60), L"Button", 0x50000007},
        {Place(label, hwnd, 90), L"Static", 0x50000000},
        {Place(edit, hwnd, 120), L"Edit", 0x50800080},
        {Place(readOnly, hwnd, 150), L"Edit", 0x50800880},
        {Place(multiLine, hwnd, 180), L"Edit", 0x502010C4},
        {Place(multiLineReadOnly, hwnd, 240), L"Edit", 0x502018C4},
    };
    for (const Expected& expected : all) {
        SCOPED_TRACE(testing::Message() << std::hex << expected.style);
        ASSERT_NE(expected.window, nullptr);
        EXPECT_EQ(ClassOf(expected.window), expected.className);
        EXPECT_EQ(spy.Of(expected.window).style, expected.style);
        EXPECT_EQ(spy.Of(expected.window).exStyle, 0u);
        // Wine's edit takes WS_BORDER out and draws the border itself; nothing else changes.
        EXPECT_EQ(StyleNow(expected.window) | (expected.style & WS_BORDER), expected.style);
        EXPECT_EQ(GetParent(expected.window), hwnd);
        EXPECT_EQ(TextOf(expected.window), L"text");
    }
}

TEST_F(ControlCreation, IdentifiersFollowOneAnotherAndAFailedCreateTakesOne)
{
    CButton first;
    CButton failed;
    CCheckBox next;
    CEdit edit;
    ASSERT_TRUE(first.Create(hwnd, 10, 10, 80, 24, L"first"));
    EXPECT_FALSE(failed.Create(nullptr, 10, 40, 80, 24, L"no parent"));
    EXPECT_EQ(failed.GetWndHandle(), nullptr);
    ASSERT_TRUE(next.Create(hwnd, 10, 70, 80, 24, L"next"));
    ASSERT_TRUE(edit.Create(hwnd, 10, 100, 80, 24, L""));
    EXPECT_EQ(next.GetID(), first.GetID() + 2);
    EXPECT_EQ(edit.GetID(), next.GetID() + 1);
    EXPECT_EQ(CWindowBase::CreateResourceID(), edit.GetID() + 1);
}

TEST_F(ControlCreation, CreatingAgainMakesAnotherControlAndAFailureLeavesNoHandle)
{
    CStatic label;
    ASSERT_TRUE(label.Create(hwnd, 10, 10, 80, 20, L"first"));
    HWND first = label.GetWndHandle();
    ASSERT_TRUE(label.Create(hwnd, 10, 40, 80, 20, nullptr));
    EXPECT_NE(label.GetWndHandle(), first);
    EXPECT_EQ(TextOf(label.GetWndHandle()), L"");
    EXPECT_FALSE(label.Create(nullptr, 10, 70, 80, 20, L"third"));
    EXPECT_EQ(label.GetWndHandle(), nullptr);
    // The earlier controls stay on their parent.
    EXPECT_EQ(GetParent(first), hwnd);
    EXPECT_EQ(TextOf(first), L"first");
}

TEST_F(ControlCreation, CopiesShareTheControlAndAssignmentCarriesTheEditStyle)
{
    CEditMultiLine multiLine;
    CEdit plain;
    plain = multiLine;
    CreationSpy spy;
    ASSERT_TRUE(plain.Create(hwnd, 10, 10, 150, 60, L""));
    EXPECT_EQ(spy.Of(plain.GetWndHandle()).style, 0x502010C4u);

    CEdit copy(plain);
    EXPECT_EQ(copy.GetWndHandle(), plain.GetWndHandle());
    EXPECT_EQ(copy.GetID(), plain.GetID());
    copy.SetText(L"shared");
    wchar_t text[16] = {};
    plain.GetText(text, 16);
    EXPECT_STREQ(text, L"shared");
}

TEST_F(ControlCreation, AControlOutlivesItsObject)
{
    HWND window = nullptr;
    {
        CStatic label;
        ASSERT_TRUE(label.Create(hwnd, 10, 10, 120, 20, L"still here"));
        window = label.GetWndHandle();
    }
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(TextOf(window), L"still here");
}

TEST_F(ControlCreation, NoObjectIsLeftWaitingForTheNextFrameWindow)
{
    CButton button;
    ASSERT_TRUE(button.Create(hwnd, 10, 10, 80, 24, L"button"));
    // A frame window made without an object must not be attached to the button's object.
    HWND direct = CreateWindowExW(0, L"BASIC_WINDOW", L"direct", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(direct, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(direct, GWLP_USERDATA), 0);
    DestroyWindow(direct);
}

}  // namespace
