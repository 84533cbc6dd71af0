#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstring>
#include <thread>

#include "support/frame_window.h"
#include "support/test_files.h"

namespace {

using namespace Gdiplus;

// Reads or writes a picture's pixels as 0xAARRGGBB through GDI+.
std::vector<ARGB> PixelsOf(CImage& image)
{
    std::vector<ARGB> pixels(image.GetWidth() * image.GetHeight());
    Rect whole(0, 0, image.GetWidth(), image.GetHeight());
    BitmapData data = {};
    auto* bitmap = static_cast<GpBitmap*>(image.GetPtr());
    if (DllExports::GdipBitmapLockBits(bitmap, &whole, ImageLockModeRead, PixelFormat32bppARGB, &data) == Ok) {
        for (int y = 0; y < image.GetHeight(); ++y) {
            memcpy(&pixels[y * image.GetWidth()], static_cast<BYTE*>(data.Scan0) + y * data.Stride, whole.Width * 4);
        }
        DllExports::GdipBitmapUnlockBits(bitmap, &data);
    }
    return pixels;
}

TEST(Clipboard, TextComesBackAsItWentIn)
{
    TestFrame owner;
    ASSERT_TRUE(owner.Create());
    for (const std::wstring& text : {std::wstring(), std::wstring(L"Grüße, 画像 😀\r\nline two"),
                                     std::wstring(512 * 1024, L'あ')}) {
        ASSERT_TRUE(SetClipboardText(owner.GetWndHandle(), text.c_str()));
        EXPECT_TRUE(HasClipboardText());
        EXPECT_EQ(GetClipboardText(owner.GetWndHandle()), text);
    }
    EXPECT_FALSE(SetClipboardText(owner.GetWndHandle(), nullptr));
}

TEST(Clipboard, PictureKeepsItsAlphaAndPlainDibsAreRead)
{
    TestFrame owner;
    ASSERT_TRUE(owner.Create());
    const ARGB source[6] = {0xFFFF0000, 0x8000FF00, 0x400000FF, 0x00000000, 0xFF123456, 0xC0FFFFFF};
    TempFolder folder;
    CLSID png;
    GpBitmap* bitmap = nullptr;
    ASSERT_TRUE(FindImageEncoder(L"image/png", &png));
    ASSERT_EQ(DllExports::GdipCreateBitmapFromScan0(3, 2, 12, PixelFormat32bppARGB, (BYTE*)source, &bitmap), Ok);
    DllExports::GdipSaveImageToFile(bitmap, folder.File(L"alpha.png").c_str(), &png, nullptr);
    DllExports::GdipDisposeImage(bitmap);
    CImage picture(folder.File(L"alpha.png").c_str());
    ASSERT_TRUE(SetClipboardImage(owner.GetWndHandle(), picture));
    EXPECT_TRUE(HasClipboardImage());
    CImage pasted;
    ASSERT_TRUE(GetClipboardImage(owner.GetWndHandle(), &pasted));
    EXPECT_EQ(PixelsOf(pasted), std::vector<ARGB>(source, source + 6));

    // Another program's 24-bit CF_DIB, rows bottom up and padded to four bytes: opaque.
    struct { BITMAPINFOHEADER header; BYTE rows[2][8]; } dib = {{}, {
        {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00}, {0xFF, 0x00, 0x00, 0x80, 0x80, 0x80}}};
    dib.header = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(dib));
    memcpy(GlobalLock(memory), &dib, sizeof(dib));
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(owner.GetWndHandle()));
    EmptyClipboard();
    SetClipboardData(CF_DIB, memory);
    CloseClipboard();
    ASSERT_TRUE(GetClipboardImage(owner.GetWndHandle(), &pasted));
    EXPECT_EQ(PixelsOf(pasted), (std::vector<ARGB>{0xFF0000FF, 0xFF808080, 0xFFFF0000, 0xFF00FF00}));
}

TEST(Clipboard, WaitsWhileAnotherWindowHoldsItAndNeverLeavesItOpen)
{
    TestFrame owner;
    ASSERT_TRUE(owner.Create());
    HANDLE held = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([held] {
        HWND other = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        OpenClipboard(other);
        SetEvent(held);
        Sleep(50);
        CloseClipboard();
        DestroyWindow(other);
    });
    WaitForSingleObject(held, 5000);
    DWORD start = GetTickCount();
    EXPECT_TRUE(SetClipboardText(owner.GetWndHandle(), L"after the wait"));
    EXPECT_GE(GetTickCount() - start, 30u);
    holder.join();
    CloseHandle(held);
    EXPECT_EQ(GetClipboardOwner(), owner.GetWndHandle());
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
    EXPECT_EQ(GetClipboardText(owner.GetWndHandle()), L"after the wait");
}

}  // namespace
