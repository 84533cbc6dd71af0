#include <gtest/gtest.h>

#include <tsumiki.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/command_recorder.h"
#include "mask_support.h"
#include "support/message_box_catcher.h"
#include "support/pixels.h"
#include "support/pump.h"
#include "support/test_files.h"

namespace {

const unsigned kNormal = 0x2040E0;
const unsigned kPushed = 0xF0D020;
const int kSide = 60;
const int kLeft = 30;
const int kTop = 40;

// A 24-bit BMP file of one colour (0x00RRGGBB).
bool WriteSolidBmp(const std::wstring& path, int width, int height, unsigned colour)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + rowBytes * height);
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(reinterpret_cast<char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<char*>(&info), sizeof(info));
    std::string row;
    for (int x = 0; x < width; ++x) {
        row += {static_cast<char>(colour & 0xFF), static_cast<char>(colour >> 8 & 0xFF),
                static_cast<char>(colour >> 16 & 0xFF)};
    }
    row.resize(rowBytes, '\0');
    for (int y = 0; y < height; ++y) {
        bytes += row;
    }
    return WriteBytes(path, bytes.data(), bytes.size());
}

// A parent that also counts the left presses that reach it.
class ButtonParent : public CommandRecorder {
public:
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_LBUTTONDOWN) {
            ++presses;
        }
        return CommandRecorder::WndProc(hwnd, message, wParam, lParam);
    }
    int presses = 0;
};

// Shows the shared pictures to the tests.
class ButtonProbe : public CCustomButton {
public:
    using CCustomButton::GetMaskBitmap;
    using CCustomButton::GetNormalBitmap;
    using CCustomButton::GetPushBitmap;
};

class CustomButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        normal = folder.File(L"normal.bmp");
        pushed = folder.File(L"pushed.bmp");
        mask = folder.File(L"mask.bmp");
        ASSERT_TRUE(WriteSolidBmp(normal, kSide, kSide, kNormal));
        ASSERT_TRUE(WriteSolidBmp(pushed, kSide, kSide, kPushed));
        ASSERT_TRUE(MaskPicture(1, kSide, kSide, PlusRule(kSide, kSide)).WriteFile(mask));
        ASSERT_TRUE(parent.Create(480, 360, 40, 40));
        hwnd = parent.GetWndHandle();
        SetForegroundWindow(hwnd);
    }

    // Creates the button and waits until it shows its normal picture.
    void CreateButton(ButtonProbe& target)
    {
        ASSERT_TRUE(target.Create(hwnd, kLeft, kTop, normal.c_str(), pushed.c_str(), mask.c_str()));
        ASSERT_TRUE(PumpUntil([&] { return Centre(target) == kNormal; }, 2000));
    }

    static unsigned Centre(const CCustomButton& target)
    {
        return ClientPixel(target.GetWndHandle(), kSide / 2, kSide / 2);
    }

    // The screen point of a point in the button.
    POINT OnScreen(int x, int y) const
    {
        POINT point = {x, y};
        ClientToScreen(button.GetWndHandle(), &point);
        return point;
    }

    static void Mouse(DWORD flags)
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof(INPUT));
    }

    static void Key(WORD key, bool up)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &input, sizeof(INPUT));
    }

    std::vector<UINT> Codes() const { return parent.CodesFrom(button.GetWndHandle()); }

    TempFolder folder;
    std::wstring normal, pushed, mask;
    ButtonParent parent;
    HWND hwnd = nullptr;
    ButtonProbe button;
};

TEST_F(CustomButton, TakesTheMasksSizeAndShapeAtTheGivenPlace)
{
    CreateButton(button);
    EXPECT_EQ(button.GetWidth(), kSide);
    EXPECT_EQ(button.GetHeight(), kSide);
    EXPECT_EQ(button.GetX(), kLeft);
    EXPECT_EQ(button.GetY(), kTop);

    HBITMAP plus = MaskPicture(1, kSide, kSide, PlusRule(kSide, kSide)).MakeBitmap();
    HRGN expected = ScanBlackPixels(plus);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(button.GetWndHandle(), shape), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(shape, expected));
    DeleteObject(shape);
    DeleteObject(expected);
    DeleteObject(plus);

    EXPECT_TRUE(button.IsPush(button.GetID()));
    EXPECT_FALSE(button.IsPush(button.GetID() + 1));
}

TEST_F(CustomButton, ShowsThePressedPictureWhileHeldAndClicksOnRelease)
{
    CreateButton(button);
    POINT centre = OnScreen(kSide / 2, kSide / 2);
    ASSERT_EQ(WindowFromPoint(centre), button.GetWndHandle());
    SetCursorPos(centre.x, centre.y);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return Centre(button) == kPushed; }, 2000));
    EXPECT_TRUE(Codes().empty()) << "the click comes with the release";
    Mouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return !Codes().empty(); }, 2000));
    EXPECT_EQ(Codes(), std::vector<UINT>{BN_CLICKED});
    EXPECT_TRUE(button.IsPush(parent.commands.back().id));
    EXPECT_TRUE(PumpUntil([&] { return Centre(button) == kNormal; }, 2000));

    // A press in the corner, outside the shape, reaches the parent underneath.
    POINT corner = OnScreen(3, 3);
    SetCursorPos(corner.x, corner.y);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return parent.presses == 1; }, 2000));
    PumpFor(100);
    EXPECT_EQ(Codes().size(), 1u);
    EXPECT_EQ(Centre(button), kNormal);
}

TEST_F(CustomButton, NeitherADoubleClicksSecondPressNorTheSpaceBarShowThePressedPicture)
{
    CreateButton(button);
    POINT centre = OnScreen(kSide / 2, kSide / 2);
    SetCursorPos(centre.x, centre.y);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
    Mouse(MOUSEEVENTF_LEFTDOWN);  // the second press of a double click
    PumpFor(300);
    EXPECT_EQ(Centre(button), kNormal);
    Mouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return !Codes().empty(); }, 2000));
    PumpFor(100);
    EXPECT_EQ(Codes().front(), static_cast<UINT>(BN_CLICKED));

    parent.commands.clear();
    SetFocus(button.GetWndHandle());
    Key(VK_SPACE, false);
    PumpFor(300);
    EXPECT_EQ(Centre(button), kNormal);
    Key(VK_SPACE, true);
    EXPECT_TRUE(PumpUntil([&] { return !Codes().empty(); }, 2000));
    EXPECT_EQ(Codes(), std::vector<UINT>{BN_CLICKED});
}

TEST_F(CustomButton, ReportsEachMissingPictureInOrder)
{
    const std::wstring missing = folder.File(L"missing.bmp");
    const std::wstring text = folder.File(L"text.bmp");
    ASSERT_TRUE(WriteBytes(text, "no picture", 10));
    const wchar_t* normalBox = L"ボタン通常表示画像読み込みエラー";
    const wchar_t* pushBox = L"ボタン押下表示画像読み込みエラー";
    const wchar_t* maskBox = L"ボタンマスク画像読み込みエラー";
    struct Case {
        std::wstring normal, pushed, mask;
        std::vector<std::wstring> boxes;
        bool created;
    };
    const Case cases[] = {
        {normal, pushed, mask, {}, true},
        {missing, pushed, mask, {normalBox}, true},
        {normal, text, mask, {pushBox}, true},
        {normal, pushed, missing, {maskBox}, false},
        {missing, text, missing, {normalBox, pushBox, maskBox}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.boxes.size()) + " boxes");
        MessageBoxCatcher catcher;
        ButtonProbe made;
        EXPECT_EQ(made.Create(hwnd, kLeft, kTop, c.normal.c_str(), c.pushed.c_str(), c.mask.c_str()), c.created);
        std::vector<std::wstring> texts;
        for (const CaughtMessageBox& box : catcher.Boxes()) {
            texts.push_back(box.text);
        }
        EXPECT_EQ(texts, c.boxes);
        // Without a mask the button is neither sized nor shaped.
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(made.GetWndHandle(), shape) == COMPLEXREGION, c.created);
        DeleteObject(shape);
        EXPECT_EQ(made.GetWidth(), c.created ? kSide : 0);
        PumpFor(50);  // a button without both pictures paints nothing, and nothing breaks
        DestroyWindow(made.GetWndHandle());
    }
}

TEST_F(CustomButton, CopiesShareThePicturesUntilTheLastOneDies)
{
    for (bool originalFirst : {true, false}) {
        SCOPED_TRACE(originalFirst ? "original dies first" : "copy dies first");
        auto original = std::make_unique<ButtonProbe>();
        CreateButton(*original);
        auto copy = std::make_unique<ButtonProbe>(*original);
        const HBITMAP pictures[] = {copy->GetNormalBitmap(), copy->GetPushBitmap(), copy->GetMaskBitmap()};
        EXPECT_EQ(pictures[0], original->GetNormalBitmap());
        HWND window = original->GetWndHandle();
        (originalFirst ? original : copy).reset();
        for (HBITMAP picture : pictures) {
            EXPECT_EQ(GetObjectType(picture), static_cast<DWORD>(OBJ_BITMAP));
        }
        if (!originalFirst) {
            InvalidateRect(window, nullptr, FALSE);
            PumpFor(50);
            EXPECT_EQ(ClientPixel(window, kSide / 2, kSide / 2), kNormal) << "the original still paints";
        }
        (originalFirst ? copy : original).reset();
        for (HBITMAP picture : pictures) {
            EXPECT_EQ(GetObjectType(picture), 0u);
        }
        HRGN shape = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(window, shape), COMPLEXREGION) << "the window keeps its shape";
        DeleteObject(shape);
        DestroyWindow(window);
    }
}

}  // namespace
