#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>
#include <vector>

#include "window/dialog_probe.h"
#include "support/frame_window.h"

namespace {

constexpr DWORD kModelessStyle = 0x10C80000;  // WS_VISIBLE | WS_CAPTION | WS_SYSMENU
constexpr DWORD kModalStyle = 0x10C80002;     // the same with DS_SYSMODAL

// The template as the layout table gives it, written field by field.
std::vector<unsigned char> ExpectedTemplate(const std::wstring& title, DWORD style)
{
    std::vector<unsigned char> bytes(CDialogBase::kTemplateSize, 0);
    auto put = [&](size_t offset, unsigned long value, size_t size) {
        for (size_t i = 0; i < size; ++i) {
            bytes[offset + i] = static_cast<unsigned char>(value >> (8 * i));
        }
    };
    put(0, 1, 2);          // dlgVer
    put(2, 0xFFFF, 2);     // signature
    put(12, style, 4);     // style; helpID and exStyle stay 0
    put(22, 100, 2);       // cx in dialog units; cItems, x, y stay 0
    put(24, 100, 2);       // cy; menu and class stay 0
    for (size_t i = 0; i < title.size(); ++i) {
        put(30 + 2 * i, title[i], 2);
    }
    put(542, 8, 2);        // point size
    put(544, 400, 2);      // weight
    bytes[547] = 1;        // charset; italic stays 0
    const char typeface[] = "MS Shell Dlg";
    for (size_t i = 0; i < sizeof(typeface) - 1; ++i) {
        put(548 + 2 * i, static_cast<unsigned char>(typeface[i]), 2);
    }
    return bytes;
}

// Lists the offsets where the object's template differs from the expected bytes.
std::string Differences(const DialogProbe& dialog, const std::vector<unsigned char>& expected)
{
    std::string differences;
    for (size_t i = 0; i < CDialogBase::kTemplateSize; ++i) {
        if (dialog.TemplateBytes()[i] != expected[i]) {
            differences += " " + std::to_string(i);
        }
    }
    return differences;
}

std::wstring Letters(size_t count)
{
    std::wstring text;
    for (size_t i = 0; i < count; ++i) {
        text += static_cast<wchar_t>(L'A' + i % 26);
    }
    return text;
}

// A modal dialog that ends as soon as it is initialised, so CreateDiag returns at once.
class EndsAtOnce : public DialogProbe {
public:
    int OnInitDialog(HWND hwnd, HWND focus, LPARAM value) override
    {
        DialogProbe::OnInitDialog(hwnd, focus, value);
        EndDialog(hwnd, 0);
        return 1;
    }
};

class DialogTemplate : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(owner.Create()); }

    // Opens a modeless dialog owned by the test's frame, closed when the frame dies.
    void Open(const wchar_t* title)
    {
        ASSERT_TRUE(dialog.CreateDiag(title, 300, 200, 10, 20, false, owner.GetWndHandle()));
        ASSERT_TRUE(IsWindow(dialog.GetWndHandle()));
    }

    DialogProbe dialog;
    TestFrame owner;
};

TEST_F(DialogTemplate, ANewObjectHoldsAZeroTemplateAndNoGeometry)
{
    EXPECT_EQ(Differences(dialog, std::vector<unsigned char>(CDialogBase::kTemplateSize, 0)), "");
    EXPECT_FALSE(dialog.Modal());
    EXPECT_EQ(dialog.Geometry().right, 0);
    EXPECT_EQ(dialog.GetParentWndHandle(), nullptr);
    EXPECT_EQ(dialog.GetWndHandle(), nullptr);
}

TEST_F(DialogTemplate, ModelessTemplateMatchesTheLayoutAtEveryOffset)
{
    Open(L"Tools");
    EXPECT_EQ(Differences(dialog, ExpectedTemplate(L"Tools", kModelessStyle)), "");
    EXPECT_EQ(reinterpret_cast<uintptr_t>(dialog.TemplateBytes()) % alignof(DWORD), 0u);
}

TEST_F(DialogTemplate, ModalTemplateMatchesTheLayoutAtEveryOffset)
{
    EndsAtOnce modal;
    ASSERT_TRUE(modal.CreateDiag(L"About", 200, 100, 0, 0, true, owner.GetWndHandle()));
    EXPECT_EQ(modal.inits, 1);
    EXPECT_TRUE(modal.Modal());
    EXPECT_EQ(Differences(modal, ExpectedTemplate(L"About", kModalStyle)), "");
}

TEST_F(DialogTemplate, ATitleOf255CharactersFillsTheFieldAndLeavesTheFontBlock)
{
    std::wstring title = Letters(255);
    Open(title.c_str());
    EXPECT_EQ(Differences(dialog, ExpectedTemplate(title, kModelessStyle)), "");
    EXPECT_EQ(WindowTitle(dialog.GetWndHandle()), title);
}

TEST_F(DialogTemplate, LongerTitlesAreCutTo255Characters)
{
    for (size_t length : {256u, 10000u}) {
        SCOPED_TRACE(length);
        DialogProbe longer;
        std::wstring title = Letters(length);
        ASSERT_TRUE(longer.CreateDiag(title.c_str(), 300, 200, 10, 20, false, owner.GetWndHandle()));
        EXPECT_EQ(Differences(longer, ExpectedTemplate(title.substr(0, 255), kModelessStyle)), "");
        EXPECT_EQ(WindowTitle(longer.GetWndHandle()), title.substr(0, 255));
        DestroyWindow(longer.GetWndHandle());
    }
}

TEST_F(DialogTemplate, ANullTitleCountsAsEmpty)
{
    Open(nullptr);
    EXPECT_EQ(Differences(dialog, ExpectedTemplate(std::wstring(), kModelessStyle)), "");
    EXPECT_EQ(WindowTitle(dialog.GetWndHandle()), std::wstring());
}

TEST_F(DialogTemplate, CopiesCarryTheTemplateGeometryAndParent)
{
    Open(L"Tools");
    DialogProbe copy(dialog);
    EXPECT_EQ(Differences(copy, ExpectedTemplate(L"Tools", kModelessStyle)), "");
    DialogProbe assigned;
    assigned = dialog;
    EXPECT_EQ(Differences(assigned, ExpectedTemplate(L"Tools", kModelessStyle)), "");
    EXPECT_EQ(assigned.GetParentWndHandle(), owner.GetWndHandle());
    EXPECT_EQ(assigned.GetWndHandle(), dialog.GetWndHandle());
    EXPECT_EQ(assigned.Geometry().right, 310);
    // The window still reaches the object that made it.
    EXPECT_EQ(GetWindowLongPtrW(dialog.GetWndHandle(), GWLP_USERDATA),
              reinterpret_cast<LONG_PTR>(static_cast<CWindowBase*>(&dialog)));
}

}  // namespace
