#include <gtest/gtest.h>

#include <tsumiki.h>

#include <algorithm>
#include <string>
#include <vector>

#include "picture_support.h"
#include "support/message_box_catcher.h"
#include "support/test_files.h"

namespace {

unsigned Checker(int x, int y)
{
    return ((x / 4 + y / 4) % 2) ? 0xFF8000u : 0x0040C0u;
}

class ImageFromMemory : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::wstring bmp = folder.File(L"checker.bmp");
        ASSERT_TRUE(WriteBmp(bmp, 20, 12, Checker));
        bmpBytes = ReadBytes(bmp);
        std::wstring png = folder.File(L"checker.png");
        CImage(bmp.c_str()).Save(png.c_str(), IMAGE_PNG, nullptr);
        pngBytes = ReadBytes(png);
        ASSERT_FALSE(pngBytes.empty());
    }

    MessageBoxCatcher boxes;
    TempFolder folder;
    std::vector<unsigned char> bmpBytes;
    std::vector<unsigned char> pngBytes;
};

TEST_F(ImageFromMemory, DecodesEachFormatAndKeepsNoLinkToTheCallersBytes)
{
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        int width, height;
        int x, y;
        unsigned rgb;
    };
    std::vector<Case> cases = {
        {"bmp", bmpBytes, 20, 12, 5, 1, Checker(5, 1)},
        {"png", pngBytes, 20, 12, 9, 6, Checker(9, 6)},
        {"gif", QuartersGif(), 24, 16, 22, 14, 0x0000FFu},
    };
    for (Case& c : cases) {
        CImage image;
        image.SetPos(7, 8);
        ASSERT_TRUE(image.LoadFromMemory(c.bytes.data(), c.bytes.size())) << c.name;
        // The decoder may read its stream again later: the caller's bytes are gone by then.
        std::fill(c.bytes.begin(), c.bytes.end(), 0);
        c.bytes.clear();
        c.bytes.shrink_to_fit();
        EXPECT_EQ(image.GetWidth(), c.width) << c.name;
        EXPECT_EQ(image.GetHeight(), c.height) << c.name;
        EXPECT_EQ(PicturePixel(image, c.x, c.y) & 0xFFFFFF, c.rgb) << c.name;
        EXPECT_NE(image.GetAttributes(), nullptr) << c.name;
        EXPECT_EQ(image.GetX(), 7.0f) << c.name;
    }
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ImageFromMemory, BytesThatAreNoPictureFailWithoutAMessageAndLeaveNoPicture)
{
    const char words[] = "this is not a picture at all";
    struct Case {
        const char* name;
        const void* bytes;
        size_t size;
    };
    const Case cases[] = {
        {"null", nullptr, 0},
        {"null with a size", nullptr, 64},
        {"no bytes", bmpBytes.data(), 0},
        {"text", words, sizeof(words)},
        {"cut inside the header", bmpBytes.data(), 30},
        {"one byte", pngBytes.data(), 1},
    };
    for (const Case& c : cases) {
        CImage image;
        ASSERT_TRUE(image.LoadFromMemory(pngBytes.data(), pngBytes.size()));
        image.SetPos(3, 4);
        image.SetRotate(45);
        EXPECT_FALSE(image.LoadFromMemory(c.bytes, c.size)) << c.name;
        EXPECT_EQ(image.GetPtr(), nullptr) << c.name;
        EXPECT_EQ(image.GetAttributes(), nullptr) << c.name;
        EXPECT_EQ(image.GetWidth(), 0) << c.name;
        EXPECT_EQ(image.GetY(), 4.0f) << c.name;
        EXPECT_EQ(image.GetRotate(), 45.0f) << c.name;
    }
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST(ImageEncoder, TheInstalledEncodersAreFoundByMimeTypeAndSaveTheirFormat)
{
    struct Case {
        const wchar_t* mimeType;
        bool found;
    };
    const Case cases[] = {{L"image/bmp", true}, {L"image/jpeg", true}, {L"image/gif", true},
                          {L"image/tiff", true}, {L"image/png", true}, {L"image/pn", false},
                          {L"", false}, {nullptr, false}};
    CLSID clsid = {};
    for (const Case& c : cases) {
        EXPECT_EQ(FindImageEncoder(c.mimeType, &clsid), c.found) << (c.mimeType ? c.mimeType : L"null");
    }
    EXPECT_FALSE(FindImageEncoder(L"image/png", nullptr));

    // The encoder found for PNG writes a PNG file.
    ASSERT_TRUE(FindImageEncoder(L"image/png", &clsid));
    TempFolder folder;
    std::wstring path = folder.File(L"made.png");
    CGdiplus gdiplus;
    Gdiplus::GpBitmap* bitmap = nullptr;
    ASSERT_EQ(Gdiplus::DllExports::GdipCreateBitmapFromScan0(4, 4, 0, PixelFormat32bppARGB, nullptr, &bitmap),
              Gdiplus::Ok);
    EXPECT_EQ(Gdiplus::DllExports::GdipSaveImageToFile(bitmap, path.c_str(), &clsid, nullptr), Gdiplus::Ok);
    Gdiplus::DllExports::GdipDisposeImage(bitmap);
    std::vector<unsigned char> bytes = ReadBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + std::min<size_t>(4, bytes.size())), "\x89PNG");
}

}  // namespace
