#include <gtest/gtest.h>

#include <tsumiki.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/command_recorder.h"
#include "masks.h"
#include "support/message_box_catcher.h"
#include "support/pixels.h"
#include "support/pump.h"
#include "support/test_files.h"

namespace {

const unsigned kNormal = 0x2040E0, kPushed = 0xF0D020;
const int kSide = 60, kLeft = 30, kTop = 40;

class ButtonParent : public CommandRecorder {
public:
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        presses += message == WM_LBUTTONDOWN;
        return CommandRecorder::WndProc(hwnd, message, wParam, lParam);
    }
    int presses = 0;
};

class ButtonProbe : public CCustomButton {
public:
    std::vector<HBITMAP> Pictures() const { return {GetNormalBitmap(), GetPushBitmap(), GetMaskBitmap()}; }
};

class CustomButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::pair<const std::wstring*, std::vector<unsigned char>> files[] = {
            {&normal, BmpFile(24, kSide, kSide, [](int, int) { return kNormal; })},
            {&pushed, BmpFile(24, kSide, kSide, [](int, int) { return kPushed; })},
            {&mask, BmpFile(1, kSide, kSide, Plus(kSide))}};
        for (const auto& file : files) {
            ASSERT_TRUE(WriteBytes(*file.first, file.second.data(), file.second.size()));
        }
        ASSERT_TRUE(parent.Create(480, 360, 40, 40));
        SetForegroundWindow(parent.GetWndHandle());
    }

    void CreateButton(ButtonProbe& target)
    {
        ASSERT_TRUE(target.Create(parent.GetWndHandle(), kLeft, kTop, normal.c_str(), pushed.c_str(), mask.c_str()));
        ASSERT_TRUE(PumpUntil([&] { return Centre(target) == kNormal; }, 2000));
    }
    static unsigned Centre(const CCustomButton& target)
    {
        return ClientPixel(target.GetWndHandle(), kSide / 2, kSide / 2);
    }
    void MoveTo(int x, int y)
    {
        POINT point = {x, y};
        ClientToScreen(button.GetWndHandle(), &point);
        SetCursorPos(point.x, point.y);
    }
    static void Send(DWORD type, DWORD flags, WORD key = 0)
    {
        INPUT input = {};
        input.type = type;
        if (type == INPUT_MOUSE) {
            input.mi.dwFlags = flags;
        } else {
            input.ki.wVk = key;
            input.ki.dwFlags = flags;
        }
        SendInput(1, &input, sizeof(INPUT));
    }
    std::vector<UINT> Codes() const { return parent.CodesFrom(button.GetWndHandle()); }

    TempFolder folder;
    const std::wstring normal = folder.File(L"normal.bmp"), pushed = folder.File(L"pushed.bmp"),
                       mask = folder.File(L"mask.bmp");
    ButtonParent parent;
    ButtonProbe button;
};

TEST_F(CustomButton, TakesTheMasksSizeAndShapeAtTheGivenPlace)
{
    CreateButton(button);
    EXPECT_EQ(std::vector<int>({button.GetWidth(), button.GetHeight(), button.GetX(), button.GetY()}),
              std::vector<int>({kSide, kSide, kLeft, kTop}));
    HBITMAP plus = BitmapOf(BmpFile(1, kSide, kSide, Plus(kSide)));
    HRGN expected = ScanBlackPixels(plus), shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(button.GetWndHandle(), shape), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(shape, expected));
    for (HGDIOBJ object : {HGDIOBJ(plus), HGDIOBJ(expected), HGDIOBJ(shape)}) {
        DeleteObject(object);
    }
    EXPECT_TRUE(button.IsPush(button.GetID()));
    EXPECT_FALSE(button.IsPush(button.GetID() + 1));
}

TEST_F(CustomButton, ShowsThePressedPictureWhileHeldAndClicksOnRelease)
{
    CreateButton(button);
    MoveTo(kSide / 2, kSide / 2);
    Send(INPUT_MOUSE, MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return Centre(button) == kPushed; }, 2000));
    EXPECT_TRUE(Codes().empty()) << "the click comes with the release";
    Send(INPUT_MOUSE, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return !Codes().empty(); }, 2000));
    EXPECT_EQ(Codes(), std::vector<UINT>{BN_CLICKED});
    EXPECT_TRUE(button.IsPush(parent.commands.back().id));
    EXPECT_TRUE(PumpUntil([&] { return Centre(button) == kNormal; }, 2000));

    MoveTo(3, 3);  // in the button's rectangle, outside its shape: the parent gets it
    Send(INPUT_MOUSE, MOUSEEVENTF_LEFTDOWN);
    Send(INPUT_MOUSE, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return parent.presses == 1; }, 2000));
    EXPECT_EQ(Codes().size(), 1u);
}

TEST_F(CustomButton, NeitherADoubleClicksSecondPressNorTheSpaceBarShowThePressedPicture)
{
    CreateButton(button);
    MoveTo(kSide / 2, kSide / 2);
    for (DWORD flags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN}) {
        Send(INPUT_MOUSE, flags);
    }
    PumpFor(300);
    EXPECT_EQ(Centre(button), kNormal);
    Send(INPUT_MOUSE, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return !Codes().empty(); }, 2000));
    EXPECT_EQ(Codes().front(), static_cast<UINT>(BN_CLICKED));

    parent.commands.clear();
    SetFocus(button.GetWndHandle());
    Send(INPUT_KEYBOARD, 0, VK_SPACE);
    PumpFor(300);
    EXPECT_EQ(Centre(button), kNormal);
    Send(INPUT_KEYBOARD, KEYEVENTF_KEYUP, VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return !Codes().empty(); }, 2000));
    EXPECT_EQ(Codes(), std::vector<UINT>{BN_CLICKED});
}

TEST_F(CustomButton, ReportsEachMissingPictureInOrder)
{
    const std::wstring missing = folder.File(L"missing.bmp"), text = folder.File(L"text.bmp");
    ASSERT_TRUE(WriteBytes(text, "no picture", 10));
    const std::wstring normalBox = L"ボタン通常表示画像読み込みエラー", pushBox = L"ボタン押下表示画像読み込みエラー",
                       maskBox = L"ボタンマスク画像読み込みエラー";
    struct Case {
        std::wstring normal, pushed, mask;
        std::vector<std::wstring> boxes;
        bool created;
    };
    const Case cases[] = {{normal, pushed, mask, {}, true},
                          {missing, pushed, mask, {normalBox}, true},
                          {normal, text, mask, {pushBox}, true},
                          {normal, pushed, missing, {maskBox}, false},
                          {missing, text, missing, {normalBox, pushBox, maskBox}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.boxes.size());
        MessageBoxCatcher catcher;
        ButtonProbe made;
        EXPECT_EQ(made.Create(parent.GetWndHandle(), kLeft, kTop, c.normal.c_str(), c.pushed.c_str(), c.mask.c_str()),
                  c.created);
        std::vector<std::wstring> texts;
        for (const CaughtMessageBox& box : catcher.Boxes()) {
            texts.push_back(box.text);
        }
        EXPECT_EQ(texts, c.boxes);
        // Without a mask the button is neither sized nor shaped.
        EXPECT_EQ(ShapeKind(made.GetWndHandle()) == COMPLEXREGION, c.created);
        EXPECT_EQ(made.GetWidth(), c.created ? kSide : 0);
        PumpFor(50);  // a button short of a picture paints nothing, and nothing breaks
        DestroyWindow(made.GetWndHandle());
    }
}

TEST_F(CustomButton, CopiesShareThePicturesUntilTheLastOneDies)
{
    for (bool originalFirst : {true, false}) {
        SCOPED_TRACE(originalFirst);
        auto original = std::make_unique<ButtonProbe>();
        CreateButton(*original);
        auto copy = std::make_unique<ButtonProbe>(*original);
        const std::vector<HBITMAP> pictures = copy->Pictures();
        EXPECT_EQ(pictures, original->Pictures());
        const HWND window = original->GetWndHandle();
        (originalFirst ? original : copy).reset();
        for (HBITMAP picture : pictures) {
            EXPECT_EQ(GetObjectType(picture), static_cast<DWORD>(OBJ_BITMAP));
        }
        InvalidateRect(window, nullptr, FALSE);
        PumpFor(50);
        if (!originalFirst) {
            EXPECT_EQ(ClientPixel(window, kSide / 2, kSide / 2), kNormal) << "the original still paints";
        }
        (originalFirst ? copy : original).reset();
        for (HBITMAP picture : pictures) {
            EXPECT_EQ(GetObjectType(picture), 0u);
        }
        EXPECT_EQ(ShapeKind(window), COMPLEXREGION) << "the window keeps its shape";
        DestroyWindow(window);
    }
}

}  // namespace
