// Damaged pictures of every format, cut short and with bytes flipped, loaded and drawn:
// nothing crashes or hangs, and a picture that loads has a sane size.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstdint>

#include "picture_support.h"
#include "support/frame_window.h"
#include "support/message_box_catcher.h"
#include "support/test_files.h"

namespace {

struct Damaged {
    std::wstring path;
    std::string description;
};

// A small deterministic generator, so that a failing file can be made again.
class Lcg {
public:
    explicit Lcg(uint32_t seed) : m_State(seed) {}
    uint32_t Next(uint32_t below)
    {
        m_State = m_State * 1664525u + 1013904223u;
        return (m_State >> 8) % below;
    }

private:
    uint32_t m_State;
};

std::vector<Damaged> DamagedCopies(const TempFolder& folder, const std::wstring& stem,
                                   const std::vector<unsigned char>& good)
{
    std::vector<Damaged> made;
    auto write = [&](const std::vector<unsigned char>& bytes, const std::string& description) {
        std::wstring path = folder.File(stem + L"-" + std::to_wstring(made.size()));
        if (WriteBytes(path, bytes.data(), bytes.size())) {
            made.push_back({path, description});
        }
    };
    const size_t size = good.size();
    // Cut short: every length of the first header bytes, then spread over the whole file.
    for (size_t length = 1; length <= 24 && length < size; ++length) {
        write(std::vector<unsigned char>(good.begin(), good.begin() + length), "cut at " + std::to_string(length));
    }
    for (size_t step = 1; step < 30; ++step) {
        size_t length = size * step / 30;
        write(std::vector<unsigned char>(good.begin(), good.begin() + length), "cut at " + std::to_string(length));
    }
    // Flipped bytes: half of them in the first 64 bytes, where the headers are.
    Lcg random(static_cast<uint32_t>(size));
    for (int variant = 0; variant < 36; ++variant) {
        std::vector<unsigned char> bytes = good;
        std::string description = "flipped";
        uint32_t span = variant % 2 == 0 && size > 64 ? 64 : static_cast<uint32_t>(size);
        for (uint32_t flips = 1 + random.Next(4); flips > 0; --flips) {
            uint32_t at = random.Next(span);
            bytes[at] ^= static_cast<unsigned char>(1 + random.Next(255));
            description += " " + std::to_string(at);
        }
        write(bytes, description);
    }
    return made;
}

TEST(DamagedFiles, LoadAndDrawWithoutHarm)
{
    MessageBoxCatcher boxes;
    TempFolder folder;
    TestFrame frame;
    ASSERT_TRUE(frame.Create(300, 240));
    CGraphics& graphics = frame.Graphics();

    // Good pictures of each format, made from one BMP by the library's own encoders.
    std::wstring bmp = folder.File(L"good.bmp");
    ASSERT_TRUE(WriteBmp(bmp, 32, 24, [](int x, int y) { return static_cast<unsigned>(x * 0x70503 + y * 0x30907); }));
    std::wstring gif = folder.File(L"good.gif");
    ASSERT_TRUE(WriteBytes(gif, QuartersGif().data(), QuartersGif().size()));
    CImage good(bmp.c_str());
    struct Source { const wchar_t* stem; std::wstring path; };
    std::vector<Source> sources = {{L"bmp", bmp}, {L"gif", gif}};
    const std::pair<const wchar_t*, EImageType> encoded[] = {
        {L"png", IMAGE_PNG}, {L"jpeg", IMAGE_JPEG}, {L"tiff", IMAGE_TIFF}};
    for (const auto& format : encoded) {
        std::wstring path = folder.File(std::wstring(L"good.") + format.first);
        good.Save(path.c_str(), format.second, nullptr);
        sources.push_back({format.first, path});
    }

    size_t files = 0;
    size_t loaded = 0;
    DWORD start = GetTickCount();
    for (const Source& source : sources) {
        std::vector<unsigned char> bytes = ReadBytes(source.path);
        ASSERT_GT(bytes.size(), 64u);
        for (const Damaged& damaged : DamagedCopies(folder, source.stem, bytes)) {
            ++files;
            CImage image;
            image.SetPos(150, 100);
            image.SetRotate(30);
            if (!image.Load(damaged.path.c_str())) {
                EXPECT_EQ(image.GetPtr(), nullptr);
                EXPECT_EQ(image.GetWidth(), 0);
                continue;
            }
            ++loaded;
            EXPECT_GT(image.GetWidth(), 0);
            EXPECT_LE(image.GetWidth(), 0xFFFF);
            EXPECT_GT(image.GetHeight(), 0);
            EXPECT_LE(image.GetHeight(), 0xFFFF);
            graphics.Clear(0xFFFFFFFF);
            graphics.DrawImage(&image);
            graphics.DrawImage(&image, Gdiplus::Size(8, 8), 1, 1);
        }
    }
    std::printf("%u damaged files, %u loaded, %lu ms\n", static_cast<unsigned>(files),
                static_cast<unsigned>(loaded), GetTickCount() - start);
    EXPECT_GE(files, 300u);
    EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
