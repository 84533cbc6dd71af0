#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <string>
#include <utility>

#include "command_recorder.h"
#include "creation_spy.h"
#include "support/pump.h"

namespace {

using EditText = ControlsOnParent;

std::wstring TextOf(const CEdit& edit)
{
    std::wstring text(edit.GetTextLength() + 1, L'\0');
    edit.GetText(&text[0], static_cast<int>(text.size()));
    text.pop_back();
    return text;
}

// The selection as EM_GETSEL reports it: start and end, equal for a bare caret.
std::pair<DWORD, DWORD> SelectionOf(const CEdit& edit)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit.GetWndHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

TEST_F(EditText, AddTextOnAnEmptyEditLeavesExactlyTheText)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, L""));
    edit.AddText(L"first");
    EXPECT_EQ(TextOf(edit), L"first");
    EXPECT_EQ(SelectionOf(edit), std::make_pair(DWORD{5}, DWORD{5}));
}

TEST_F(EditText, AddTextAppendsPastTheUsersSelectionAndLeavesTheCaretAtTheEnd)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, L"Hello world"));
    SendMessageW(edit.GetWndHandle(), EM_SETSEL, 0, 5);
    edit.AddText(L"!");
    EXPECT_EQ(TextOf(edit), L"Hello world!");
    EXPECT_EQ(SelectionOf(edit), std::make_pair(DWORD{12}, DWORD{12}));

    SendMessageW(edit.GetWndHandle(), EM_SETSEL, 3, 3);
    edit.AddText(L"?");
    EXPECT_EQ(TextOf(edit), L"Hello world!?");
    EXPECT_EQ(SelectionOf(edit), std::make_pair(DWORD{13}, DWORD{13}));
}

TEST_F(EditText, AReadOnlyMultiLineEditCollectsLogLines)
{
    CEditMultiLineReadOnly log;
    ASSERT_TRUE(log.Create(hwnd, 10, 10, 200, 100, L""));
    log.AddText(L"one\r\n");
    log.AddText(L"two\r\n");
    EXPECT_EQ(TextOf(log), L"one\r\ntwo\r\n");
    EXPECT_EQ(log.GetTextLength(), 10);
    EXPECT_EQ(SendMessageW(log.GetWndHandle(), EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(SelectionOf(log), std::make_pair(DWORD{10}, DWORD{10}));
}

TEST_F(EditText, GetTextKeepsToTheRoomGiven)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, L"abcdef"));
    EXPECT_EQ(edit.GetTextLength(), 6);

    wchar_t buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    edit.GetText(buffer, 4);
    EXPECT_STREQ(buffer, L"abc");
    EXPECT_EQ(buffer[4], L'#');
    edit.GetText(buffer, 1);
    EXPECT_STREQ(buffer, L"");

    std::fill(std::begin(buffer), std::end(buffer), L'#');
    edit.GetText(buffer, 0);
    edit.GetText(buffer, -5);
    edit.GetText(nullptr, 8);
    EXPECT_EQ(std::wstring(buffer, 8), std::wstring(8, L'#'));
}

TEST_F(EditText, GetTextReturnsTheWholeTextHoweverLong)
{
    std::wstring longText = L"<" + std::wstring(99998, L'x') + L"語";
    CEdit edit, none;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, longText.c_str()));
    EXPECT_TRUE(edit.GetText() == longText) << edit.GetText().size();
    EXPECT_EQ(none.GetText(), L"") << "no control";
}

TEST_F(EditText, NullTextCountsAsEmptyText)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(hwnd, 10, 10, 200, 24, nullptr));
    EXPECT_EQ(edit.GetTextLength(), 0);
    edit.SetText(L"kept");
    edit.AddText(nullptr);
    EXPECT_EQ(TextOf(edit), L"kept");
    edit.SetText(nullptr);
    EXPECT_EQ(edit.GetTextLength(), 0);

    CStatic label;
    ASSERT_TRUE(label.Create(hwnd, 10, 40, 200, 24, L"label"));
    label.SetText(nullptr);
    EXPECT_EQ(GetWindowTextLengthW(label.GetWndHandle()), 0);
}

// A point of the whole window, frame included (Wine draws an edit's border in the client area,
// Windows outside it).
COLORREF WindowPixel(HWND window, int x, int y)
{
    HDC dc = GetWindowDC(window);
    COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

// The single-line edit is framed, the multi-line one has a scroll bar instead.
TEST_F(EditText, MultiLineHasAScrollBarAndNoBorderSingleLineTheOpposite)
{
    CreationSpy spy;
    CEdit single;
    CEditMultiLine multi;
    ASSERT_TRUE(single.Create(hwnd, 10, 10, 200, 24, L""));
    ASSERT_TRUE(multi.Create(hwnd, 10, 50, 200, 80, L""));
    HWND singleWindow = single.GetWndHandle();
    HWND multiWindow = multi.GetWndHandle();

    EXPECT_TRUE(spy.Of(singleWindow).style & WS_BORDER);
    EXPECT_FALSE(spy.Of(singleWindow).style & WS_VSCROLL);
    EXPECT_FALSE(spy.Of(multiWindow).style & WS_BORDER);
    EXPECT_TRUE(spy.Of(multiWindow).style & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongPtrW(multiWindow, GWL_STYLE) & WS_VSCROLL);
    EXPECT_LT(multi.GetClientWidth(), multi.GetWidth()) << "the scroll bar takes client width";

    // Wherever the border is drawn, the single-line edit's edge differs from its inside.
    PumpFor(100);
    EXPECT_NE(WindowPixel(singleWindow, 0, 12), WindowPixel(singleWindow, 100, 12));
    EXPECT_EQ(WindowPixel(multiWindow, 0, 40), WindowPixel(multiWindow, 100, 40));
}

}  // namespace
