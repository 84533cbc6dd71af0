#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cstdint>
#include <vector>

#include "support/frame_window.h"
#include "support/test_files.h"

namespace {

// A 16 x 16, 32-bit icon (type 1) or cursor (type 2) file with one image.
std::vector<uint8_t> IconFile(uint16_t type)
{
    std::vector<uint8_t> bytes;
    auto put16 = [&](uint16_t v) { bytes.push_back(uint8_t(v)); bytes.push_back(uint8_t(v >> 8)); };
    auto put32 = [&](uint32_t v) { put16(uint16_t(v)); put16(uint16_t(v >> 16)); };
    const uint32_t pixels = 16 * 16 * 4, mask = 16 * 4, header = 40;
    put16(0); put16(type); put16(1);
    bytes.push_back(16); bytes.push_back(16); bytes.push_back(0); bytes.push_back(0);
    put16(type == 1 ? 1 : 8); put16(type == 1 ? 32 : 8);  // planes and bits, or the hot spot
    put32(header + pixels + mask); put32(22);
    put32(header); put32(16); put32(32); put16(1); put16(32);
    for (int i = 0; i < 6; ++i) put32(0);
    for (uint32_t i = 0; i < pixels / 4; ++i) put32(0xFF3070C0);
    bytes.resize(bytes.size() + mask, 0);
    return bytes;
}

// Puts the class icon and cursor of "BASIC_WINDOW" back when a test has changed them.
class ClassLook : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Create());
        icon = GetClassLongPtrW(frame.GetWndHandle(), GCLP_HICON);
        cursor = GetClassLongPtrW(frame.GetWndHandle(), GCLP_HCURSOR);
    }
    void TearDown() override
    {
        SetClassLongPtrW(frame.GetWndHandle(), GCLP_HICON, icon);
        SetClassLongPtrW(frame.GetWndHandle(), GCLP_HCURSOR, cursor);
    }

    TempFolder folder;
    TestFrame frame;
    LONG_PTR icon = 0;
    LONG_PTR cursor = 0;
};

TEST_F(ClassLook, AnIconFileBecomesTheClassIconAndTheWindowsBigIcon)
{
    std::vector<uint8_t> file = IconFile(1);
    ASSERT_TRUE(WriteBytes(folder.File(L"app.ico"), file.data(), file.size()));
    frame.SetIconImage(folder.File(L"app.ico").c_str());
    LONG_PTR loaded = GetClassLongPtrW(frame.GetWndHandle(), GCLP_HICON);
    EXPECT_NE(loaded, 0);
    EXPECT_NE(loaded, icon);
    EXPECT_EQ(SendMessageW(frame.GetWndHandle(), WM_GETICON, ICON_BIG, 0), loaded);
}

TEST_F(ClassLook, ACursorFileBecomesTheClassCursor)
{
    std::vector<uint8_t> file = IconFile(2);
    ASSERT_TRUE(WriteBytes(folder.File(L"hand.cur"), file.data(), file.size()));
    frame.SetCursorImage(folder.File(L"hand.cur").c_str());
    LONG_PTR loaded = GetClassLongPtrW(frame.GetWndHandle(), GCLP_HCURSOR);
    EXPECT_NE(loaded, 0);
    EXPECT_NE(loaded, cursor);
}

TEST_F(ClassLook, AFileThatDoesNotLoadKeepsTheCurrentIconAndCursor)
{
    const char text[] = "not an icon";
    ASSERT_TRUE(WriteBytes(folder.File(L"text.ico"), text, sizeof(text)));
    frame.SetIconImage(folder.File(L"missing.ico").c_str());
    frame.SetIconImage(folder.File(L"text.ico").c_str());
    frame.SetIconImage(nullptr);
    frame.SetCursorImage(folder.File(L"missing.cur").c_str());
    frame.SetCursorImage(nullptr);
    EXPECT_EQ(GetClassLongPtrW(frame.GetWndHandle(), GCLP_HICON), icon);
    EXPECT_EQ(GetClassLongPtrW(frame.GetWndHandle(), GCLP_HCURSOR), cursor);
}

}  // namespace
