#include <gtest/gtest.h>

#include <tsumiki.h>

#include <functional>
#include <memory>

#include "picture_support.h"
#include "support/frame_window.h"
#include "support/resource_room.h"
#include "support/test_files.h"

namespace {

using namespace Gdiplus;

// The memory DC a buffer draws on and the bitmap selected into it.
struct BufferHandles {
    HDC dc = nullptr;
    HGDIOBJ bitmap = nullptr;
};

BufferHandles HandlesOf(const CGraphics& graphics)
{
    BufferHandles handles;
    GpGraphics* drawer = graphics.GetDrawer();
    if (drawer && DllExports::GdipGetDC(drawer, &handles.dc) == Ok) {
        handles.bitmap = GetCurrentObject(handles.dc, OBJ_BITMAP);
        DllExports::GdipReleaseDC(drawer, handles.dc);
    }
    return handles;
}

TEST(Release, ALetGoBackBufferDeletesItsDcAndBitmap)
{
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    HWND window = frame.GetWndHandle();
    struct Case {
        const char* name;
        // Ends the buffer's last holder in its own way.
        std::function<void(std::unique_ptr<CGraphics>&)> letGo;
    };
    const Case cases[] = {
        {"Release", [](std::unique_ptr<CGraphics>& g) { g->Release(); }},
        {"a new buffer replaces it", [&](std::unique_ptr<CGraphics>& g) { g->CreateBackBuffer(window); }},
        {"the object dies", [](std::unique_ptr<CGraphics>& g) { g.reset(); }},
        {"the last of two copies dies", [](std::unique_ptr<CGraphics>& g) {
             auto copy = std::make_unique<CGraphics>(*g);
             g.reset();
             EXPECT_NE(copy->GetDrawer(), nullptr);
             copy.reset();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto graphics = std::make_unique<CGraphics>();
        graphics->CreateBackBuffer(window);
        BufferHandles handles = HandlesOf(*graphics);
        ASSERT_EQ(GetObjectType(handles.dc), static_cast<DWORD>(OBJ_MEMDC));
        ASSERT_EQ(GetObjectType(handles.bitmap), static_cast<DWORD>(OBJ_BITMAP));
        c.letGo(graphics);
        EXPECT_EQ(GetObjectType(handles.dc), 0u);
        EXPECT_EQ(GetObjectType(handles.bitmap), 0u);
    }
}

TEST(Release, GdiplusShutsDownWhenItsLastHolderIsGone)
{
    TempFolder folder;
    std::wstring path = folder.File(L"picture.bmp");
    ASSERT_TRUE(WriteBmp(path, 8, 8, [](int, int) { return 0x123456u; }));
    TestFrame frame;
    ASSERT_TRUE(frame.Create());
    // The frame's own buffer holds the start-up too.
    frame.Graphics().Release();
    ASSERT_FALSE(CGdiplus::IsSharedRunning());

    // Holders made and let go in an interleaved order: the start-up lasts exactly until
    // the last of them is gone, and the next need starts it again.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        auto picture = std::make_unique<CImage>(path.c_str());
        EXPECT_TRUE(CGdiplus::IsSharedRunning());
        auto buffer = std::make_unique<CGraphics>();
        buffer->CreateBackBuffer(frame.GetWndHandle());
        auto held = std::make_unique<CGdiplus>(CGdiplus::Shared());
        EXPECT_TRUE(held->IsRunning());
        CImage pictureCopy(*picture);

        picture.reset();
        buffer->Release();
        held.reset();
        EXPECT_TRUE(CGdiplus::IsSharedRunning());
        EXPECT_EQ(pictureCopy.GetWidth(), 8);
        pictureCopy.Release();
        EXPECT_FALSE(CGdiplus::IsSharedRunning());
    }
}

TEST(Release, LoadingAndReleasingPicturesGivesEveryGdiObjectBack)
{
    TempFolder folder;
    std::wstring path = folder.File(L"picture.bmp");
    ASSERT_TRUE(WriteBmp(path, 64, 64, [](int x, int y) { return static_cast<unsigned>(x * y); }));
    ResourceRoom before = MeasureRoom();
    for (int i = 0; i < 100; ++i) {
        CImage picture(path.c_str());
        ASSERT_EQ(picture.GetWidth(), 64);
        CImage replaced(picture);
        replaced.Load(path.c_str());
        picture.Release();
    }
    ResourceRoom after = MeasureRoom();
    EXPECT_LE(before.gdi - after.gdi, 10);
}

}  // namespace
