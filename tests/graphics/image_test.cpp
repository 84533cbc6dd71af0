#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstring>

#include "picture_support.h"
#include "support/message_box_catcher.h"
#include "support/test_files.h"

namespace {

const wchar_t kFailureText[] = L"画像読み込みに失敗しました";
const wchar_t kFailureCaption[] = L"GDI+画像読み込み";

// A smooth gradient, so that JPEG stays close to it.
unsigned Gradient(int x, int y)
{
    return (static_cast<unsigned>(x * 8) << 16) | (static_cast<unsigned>(y * 8) << 8) |
           static_cast<unsigned>(128 + (x - y) * 2);
}

// Whether a GIF file holds pixel data after its header, colour table and extensions (one
// encoder was seen to write an image descriptor without any data).
bool GifHoldsImage(const std::vector<unsigned char>& bytes)
{
    size_t at = 13;
    if (bytes.size() < at) {
        return false;
    }
    if (bytes[10] & 0x80) {
        at += 3u << ((bytes[10] & 7) + 1);
    }
    while (at < bytes.size()) {
        if (bytes[at] == 0x2C) {
            // The image descriptor, its own colour table, then the code size and at least
            // one block of pixel data.
            unsigned char flags = at + 9 < bytes.size() ? bytes[at + 9] : 0;
            at += 10;
            if (flags & 0x80) {
                at += 3u << ((flags & 7) + 1);
            }
            return at + 1 < bytes.size() && bytes[at + 1] != 0;
        }
        if (bytes[at] != 0x21) {
            return false;
        }
        // An extension: introducer, label, then sub-blocks up to an empty one.
        at += 2;
        while (at < bytes.size() && bytes[at] != 0) {
            at += bytes[at] + 1u;
        }
        ++at;
    }
    return false;
}

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        source = folder.File(L"source.bmp");
        ASSERT_TRUE(WriteBmp(source, 32, 24, Gradient));
    }

    bool StartsWith(const std::wstring& path, const char* signature)
    {
        std::vector<unsigned char> bytes = ReadBytes(path);
        size_t length = std::strlen(signature);
        return bytes.size() >= length && std::memcmp(bytes.data(), signature, length) == 0;
    }

    // Every box shown during a test is caught, so a stray one fails the test, not the run.
    MessageBoxCatcher boxes;
    TempFolder folder;
    std::wstring source;
};

TEST_F(ImageTest, LoadsAPictureAndReportsItsSize)
{
    CImage image;
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.GetPtr(), nullptr);
    ASSERT_TRUE(image.Load(source.c_str()));
    EXPECT_EQ(image.GetWidth(), 32);
    EXPECT_EQ(image.GetHeight(), 24);
    EXPECT_NE(image.GetAttributes(), nullptr);
    EXPECT_EQ(PicturePixel(image, 5, 7) & 0xFFFFFF, Gradient(5, 7));
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ImageTest, LosslessFormatsSaveAndLoadBackPixelForPixel)
{
    CImage image(source.c_str());
    struct Format { EImageType type; const wchar_t* name; const char* signature; };
    const Format formats[] = {{IMAGE_BMP, L"out.bmp", "BM"}, {IMAGE_PNG, L"out.png", "\x89PNG"},
                              {IMAGE_TIFF, L"out.tif", "II*"}};
    for (const Format& format : formats) {
        std::wstring path = folder.File(format.name);
        image.Save(path.c_str(), format.type, nullptr);
        ASSERT_TRUE(StartsWith(path, format.signature)) << format.type;
        CImage loaded;
        ASSERT_TRUE(loaded.Load(path.c_str())) << format.type;
        ASSERT_EQ(loaded.GetWidth(), 32);
        ASSERT_EQ(loaded.GetHeight(), 24);
        int wrong = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 32; ++x) {
                wrong += (PicturePixel(loaded, x, y) & 0xFFFFFF) != Gradient(x, y);
            }
        }
        EXPECT_EQ(wrong, 0) << format.type;
    }
}

TEST_F(ImageTest, JpegLoadsBackCloseWithDefaultOrGivenParameters)
{
    CImage image(source.c_str());
    std::wstring defaults = folder.File(L"defaults.jpg");
    image.Save(defaults.c_str(), IMAGE_JPEG, nullptr);
    ASSERT_TRUE(StartsWith(defaults, "\xFF\xD8"));
    CImage loaded(defaults.c_str());
    ASSERT_EQ(loaded.GetWidth(), 32);
    int worst = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 32; ++x) {
            int d = ChannelDistance(PicturePixel(loaded, x, y), Gradient(x, y));
            worst = d > worst ? d : worst;
        }
    }
    EXPECT_LE(worst, 40);

    // Parameters are handed to the encoder; whether it honours them is its own affair.
    ULONG quality = 10;
    Gdiplus::EncoderParameters parameters = {};
    parameters.Count = 1;
    parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Value = &quality;
    std::wstring low = folder.File(L"low.jpg");
    image.Save(low.c_str(), IMAGE_JPEG, &parameters);
    CImage lowLoaded;
    EXPECT_TRUE(lowLoaded.Load(low.c_str()));
    EXPECT_EQ(lowLoaded.GetHeight(), 24);
}

TEST_F(ImageTest, GifSavesItsSignatureAndDecodes)
{
    // Some encoders write little more than the header: the signature is what is sure.
    CImage image(source.c_str());
    std::wstring saved = folder.File(L"out.gif");
    image.Save(saved.c_str(), IMAGE_GIF, nullptr);
    ASSERT_TRUE(StartsWith(saved, "GIF8"));
    // A file with its pixels must load at the saved size; one without them (Wine's encoder
    // writes the header and an empty image descriptor) must load as no picture at all.
    CImage reloaded;
    bool loaded = reloaded.Load(saved.c_str());
    ASSERT_TRUE(GifHoldsImage(QuartersGif()));
    if (GifHoldsImage(ReadBytes(saved))) {
        EXPECT_TRUE(loaded);
        EXPECT_EQ(reloaded.GetWidth(), 32);
        EXPECT_EQ(reloaded.GetHeight(), 24);
    } else {
        EXPECT_FALSE(loaded);
        EXPECT_EQ(reloaded.GetPtr(), nullptr);
        EXPECT_EQ(reloaded.GetWidth(), 0);
    }

    std::wstring quarters = folder.File(L"quarters.gif");
    ASSERT_TRUE(WriteBytes(quarters, QuartersGif().data(), QuartersGif().size()));
    CImage gif;
    ASSERT_TRUE(gif.Load(quarters.c_str()));
    EXPECT_EQ(gif.GetWidth(), 24);
    EXPECT_EQ(gif.GetHeight(), 16);
    EXPECT_EQ(PicturePixel(gif, 1, 1) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(PicturePixel(gif, 22, 1) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(PicturePixel(gif, 1, 14) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(PicturePixel(gif, 22, 14) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(ImageTest, SaveWritesNothingForAnUnknownTypeOrWithoutAPicture)
{
    CImage image(source.c_str());
    const int badTypes[] = {5, -1, 100, -100};
    for (int type : badTypes) {
        std::wstring path = folder.File(L"bad" + std::to_wstring(type));
        image.Save(path.c_str(), static_cast<EImageType>(type), nullptr);
        EXPECT_FALSE(FileExists(path)) << type;
    }
    CImage empty;
    std::wstring path = folder.File(L"empty.png");
    empty.Save(path.c_str(), IMAGE_PNG, nullptr);
    EXPECT_FALSE(FileExists(path));
    image.Save(nullptr, IMAGE_PNG, nullptr);
}

TEST_F(ImageTest, APictureCanBeSavedOverTheFileItCameFrom)
{
    CImage image(source.c_str());
    image.Save(source.c_str(), IMAGE_PNG, nullptr);
    EXPECT_TRUE(StartsWith(source, "\x89PNG"));
    // The picture in memory is untouched, and the new file loads.
    EXPECT_EQ(PicturePixel(image, 3, 4) & 0xFFFFFF, Gradient(3, 4));
    CImage again;
    ASSERT_TRUE(again.Load(source.c_str()));
    EXPECT_EQ(PicturePixel(again, 3, 4) & 0xFFFFFF, Gradient(3, 4));
    EXPECT_TRUE(DeleteFileW(source.c_str()));
}

TEST_F(ImageTest, AMissingFileShowsTheMessageAndLeavesNoPicture)
{
    CImage image;
    image.SetPos(10.5f, -3);
    image.SetRotate(30);
    ASSERT_TRUE(image.Load(source.c_str()));
    std::wstring missing = folder.File(L"missing.png");
    EXPECT_FALSE(image.Load(missing.c_str()));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, kFailureText);
    EXPECT_EQ(boxes.Boxes()[0].caption, kFailureCaption);
    EXPECT_EQ(image.GetPtr(), nullptr);
    EXPECT_EQ(image.GetAttributes(), nullptr);
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.GetX(), 10.5f);
    EXPECT_EQ(image.GetRotate(), 30.0f);

    // A null path is a missing file too.
    EXPECT_FALSE(image.Load(nullptr));
    EXPECT_EQ(boxes.Count(), 2u);

    CImage constructed(missing.c_str());
    EXPECT_EQ(boxes.Count(), 3u);
    EXPECT_EQ(constructed.GetPtr(), nullptr);
    EXPECT_EQ(constructed.GetX(), 0.0f);
    EXPECT_EQ(constructed.GetY(), 0.0f);
    EXPECT_EQ(constructed.GetRotate(), 0.0f);
}

TEST_F(ImageTest, AnExistingPathThatIsNoPictureFailsWithoutAMessage)
{
    std::wstring text = folder.File(L"notes.png");
    const char words[] = "this is not a picture at all";
    ASSERT_TRUE(WriteBytes(text, words, sizeof(words)));
    std::wstring emptyFile = folder.File(L"empty.bmp");
    ASSERT_TRUE(WriteBytes(emptyFile, "", 0));
    const std::wstring paths[] = {text, emptyFile, folder.Path(), folder.Path() + L"\\"};
    for (const std::wstring& path : paths) {
        CImage image(source.c_str());
        EXPECT_FALSE(image.Load(path.c_str()));
        EXPECT_EQ(image.GetPtr(), nullptr);
        EXPECT_EQ(image.GetAttributes(), nullptr);
        EXPECT_EQ(image.GetWidth(), 0);
        EXPECT_EQ(image.GetHeight(), 0);
    }
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ImageTest, PlacementBelongsToTheObject)
{
    CImage image;
    Gdiplus::PointF origin = image.GetPos();
    EXPECT_EQ(origin.X, 0.0f);
    EXPECT_EQ(origin.Y, 0.0f);
    image.SetPos(10.5f, -3);
    image.SetRotate(-45.5f);
    ASSERT_TRUE(image.Load(source.c_str()));
    image.Release();
    EXPECT_EQ(image.GetPtr(), nullptr);
    Gdiplus::PointF pos = image.GetPos();
    EXPECT_EQ(pos.X, 10.5f);
    EXPECT_EQ(pos.Y, -3.0f);
    EXPECT_EQ(image.GetY(), -3.0f);
    EXPECT_EQ(image.GetRotate(), -45.5f);
    // The setters of effects do nothing without a picture.
    image.AlphaBlending(10);
    image.ColorKey(0xFFFF00FF);
    image.Release();
}

TEST_F(ImageTest, CopiesShareOnePictureThatOutlivesAnyOrderOfRelease)
{
    auto* first = new CImage(source.c_str());
    first->SetPos(4, 5);
    CImage copy(*first);
    CImage assigned;
    assigned = copy;
    EXPECT_EQ(copy.GetPtr(), first->GetPtr());
    EXPECT_EQ(assigned.GetAttributes(), first->GetAttributes());
    EXPECT_EQ(assigned.GetX(), 4.0f);

    // The source dies first; the copies still read the picture.
    delete first;
    EXPECT_EQ(copy.GetWidth(), 32);
    EXPECT_EQ(PicturePixel(assigned, 2, 2) & 0xFFFFFF, Gradient(2, 2));

    // A copy that loads or releases lets go only of its own share.
    copy.Release();
    EXPECT_EQ(assigned.GetWidth(), 32);
    copy = assigned;
    EXPECT_TRUE(assigned.Load(source.c_str()));
    EXPECT_NE(assigned.GetPtr(), copy.GetPtr());
    EXPECT_EQ(copy.GetHeight(), 24);
    // Assigned to itself (through a second name, as a program would) it keeps its picture.
    const CImage& itself = assigned;
    assigned = itself;
    EXPECT_EQ(assigned.GetHeight(), 24);

    // Copies of an empty image stay empty, and assigning one over a picture lets it go.
    CImage empty;
    copy = empty;
    EXPECT_EQ(copy.GetPtr(), nullptr);
    EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
