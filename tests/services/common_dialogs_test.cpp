#include <gtest/gtest.h>

#include <tsumiki.h>

#include <commdlg.h>
#include <dlgs.h>

#include <cstring>
#include <cwchar>
#include <string>

#include "dialog_driver.h"
#include "support/frame_window.h"
#include "support/test_files.h"

namespace {

std::wstring CurrentDirectory()
{
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0]));
    return folder;
}

// The file dialog's name box: an edit in Wine's dialog, a combo box with an edit elsewhere.
int NameBox(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, cmb13);
    return combo && IsWindowVisible(combo) ? cmb13 : edt1;
}

void ChooseFile(HWND dialog, const std::wstring& path)
{
    TypeInto(dialog, NameBox(dialog), path);
    Press(dialog, IDOK);
}

std::wstring Title(HWND window)
{
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    return title;
}

class CommonDialogs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(owner.Create()); }
    TestFrame owner;
    TempFolder folder;
};

TEST_F(CommonDialogs, TheColourDialogGivesTheChosenColourAsColorrefOrArgb)
{
    struct Case {
        bool argb;
        const wchar_t* red;
        const wchar_t* green;
        const wchar_t* blue;
        bool confirm;
        DWORD expected;
    };
    const Case cases[] = {
        {true, L"255", L"0", L"0", true, 0xFFFF0000},   {false, L"255", L"0", L"0", true, 0x000000FF},
        {true, L"0", L"128", L"255", true, 0xFF0080FF}, {false, L"0", L"128", L"255", true, 0x00FF8000},
        {true, L"255", L"0", L"0", false, 0},           {false, L"255", L"0", L"0", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.argb << " " << c.confirm << " " << std::hex << c.expected);
        std::wstring startedOn;
        DialogDriver driver({[&](HWND dialog) {
            startedOn = ControlText(dialog, 706) + L"," + ControlText(dialog, 707) + L"," +
                        ControlText(dialog, 708);
            TypeInto(dialog, 706, c.red);
            TypeInto(dialog, 707, c.green);
            TypeInto(dialog, 708, c.blue);
            Press(dialog, c.confirm ? IDOK : IDCANCEL);
        }});
        EXPECT_EQ(OpenColorDialog(c.argb, owner.GetWndHandle()), c.expected);
        EXPECT_EQ(driver.Seen(), 1);
        EXPECT_EQ(startedOn, L"0,0,0");
    }
}

TEST_F(CommonDialogs, TheFontDialogWritesTheChosenFontAndColourOnlyOnOK)
{
    const int height = -MulDiv(20, GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 72);
    struct Case {
        bool confirm;
        bool withColour;
    };
    const Case cases[] = {{true, true}, {true, false}, {false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.confirm << c.withColour);
        LOGFONTW font;
        std::memset(&font, 0x5A, sizeof(font));
        const LOGFONTW untouched = font;
        DWORD colour = 0x12345678;
        bool picked = true;
        DialogDriver driver({[&](HWND dialog) {
            picked = SelectComboText(dialog, cmb1, L"Liberation Serif") && SelectComboText(dialog, cmb3, L"20");
            CheckDlgButton(dialog, chx2, BST_CHECKED);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(chx2, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, chx2)));
            // The colour list holds each colour as its item data.
            HWND colours = GetDlgItem(dialog, cmb4);
            for (int i = 0; i < SendMessageW(colours, CB_GETCOUNT, 0, 0); ++i) {
                if (SendMessageW(colours, CB_GETITEMDATA, i, 0) == RGB(255, 0, 0)) {
                    SendMessageW(colours, CB_SETCURSEL, i, 0);
                    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb4, CBN_SELCHANGE),
                                 reinterpret_cast<LPARAM>(colours));
                }
            }
            Press(dialog, c.confirm ? IDOK : IDCANCEL);
        }});
        EXPECT_EQ(OpenFontDialog(&font, c.withColour ? &colour : nullptr, owner.GetWndHandle()), c.confirm);
        EXPECT_EQ(driver.Seen(), 1);
        ASSERT_TRUE(picked);
        if (c.confirm) {
            EXPECT_STREQ(font.lfFaceName, L"Liberation Serif");
            EXPECT_EQ(font.lfHeight, height);
            EXPECT_TRUE(font.lfUnderline);
            EXPECT_FALSE(font.lfStrikeOut);
            EXPECT_EQ(colour, c.withColour ? RGB(255, 0, 0) : 0x12345678u);
        } else {
            EXPECT_EQ(std::memcmp(&font, &untouched, sizeof(font)), 0);
            EXPECT_EQ(colour, 0x12345678u);
        }
    }
}

TEST_F(CommonDialogs, TheOpenDialogOffersAllFilesRemembersThePathAndLeavesCancelUntouched)
{
    std::wstring picture = folder.File(L"picture.png");
    ASSERT_TRUE(WriteBytes(picture, "png", 3));
    std::wstring title;
    std::vector<std::wstring> types;
    std::wstring prefilled;
    DialogDriver driver({
        [&](HWND dialog) {
            title = Title(dialog);
            types = ComboItems(dialog, cmb1);
            ChooseFile(dialog, picture);
        },
        [&](HWND dialog) {
            prefilled = ControlText(dialog, NameBox(dialog));
            Press(dialog, IDCANCEL);
        },
    });
    wchar_t result[MAX_PATH] = L"untouched";
    OpenFileNameDialog(result, nullptr, nullptr, owner.GetWndHandle());
    EXPECT_EQ(result, picture);
    EXPECT_EQ(title, L"ファイルを開く");
    EXPECT_EQ(types, std::vector<std::wstring>{L"All files(*.*)"});

    std::wcscpy(result, L"untouched");
    OpenFileNameDialog(result, L"Pictures\0*.png;*.bmp\0Text\0*.txt\0", nullptr, owner.GetWndHandle());
    EXPECT_STREQ(result, L"untouched");
    // The name box shows the file chosen last (the platform may show it without its folder).
    EXPECT_NE(prefilled.find(L"picture.png"), std::wstring::npos) << testing::PrintToString(prefilled);
    EXPECT_EQ(driver.Seen(), 2);
}

TEST_F(CommonDialogs, TheSaveDialogKeepsItsOwnPathAddsTheExtensionAndAsksBeforeOverwriting)
{
    std::wstring existing = folder.File(L"existing.txt");
    ASSERT_TRUE(WriteBytes(existing, "old", 3));
    std::wstring title;
    std::vector<std::wstring> types{L"not read"};
    std::wstring question;
    std::wstring prefilled;
    DialogDriver driver({
        [&](HWND dialog) {
            title = Title(dialog);
            types = ComboItems(dialog, cmb1);
            ChooseFile(dialog, folder.File(L"fresh"));
        },
        [&](HWND dialog) { ChooseFile(dialog, existing); },
        // The overwrite question, answered yes.
        [&](HWND box) {
            question = ControlText(box, 0xFFFF);
            Press(box, IDYES);
        },
        [&](HWND dialog) {
            prefilled = ControlText(dialog, NameBox(dialog));
            Press(dialog, IDCANCEL);
        },
    });
    wchar_t result[MAX_PATH] = L"";
    SaveFileNameDialog(result, nullptr, L"txt", owner.GetWndHandle());
    EXPECT_EQ(result, folder.File(L"fresh.txt"));
    EXPECT_EQ(title, L"名前を付けて保存");
    EXPECT_TRUE(types.empty()) << types.size();

    SaveFileNameDialog(result, L"Text\0*.txt\0", L"txt", owner.GetWndHandle());
    EXPECT_EQ(result, existing);
    // The platform's question about replacing the file came, and was answered yes.
    EXPECT_FALSE(question.empty());

    // The open dialog's memory is not the save dialog's.
    OpenFileNameDialog(result, nullptr, nullptr, owner.GetWndHandle());
    EXPECT_EQ(prefilled.find(L"existing.txt"), std::wstring::npos) << testing::PrintToString(prefilled);
    EXPECT_EQ(driver.Seen(), 4);
}

TEST_F(CommonDialogs, TheFileDialogsRestoreTheCurrentDirectoryAfterBrowsingElsewhere)
{
    std::wstring elsewhere = folder.File(L"elsewhere");
    ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
    // A current directory longer than MAX_PATH, made one level at a time.
    std::wstring deep = folder.Path();
    while (deep.size() <= MAX_PATH + 20) {
        deep += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    struct Case {
        std::wstring start;
        bool save;
    };
    const Case cases[] = {{folder.Path(), false}, {folder.Path(), true}, {deep, false}, {deep, true}};
    std::wstring before = CurrentDirectory();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start.size() << " " << c.save);
        ASSERT_TRUE(SetCurrentDirectoryW(c.start.c_str()));
        ASSERT_EQ(CurrentDirectory(), c.start);
        std::wstring during;
        DialogDriver driver({[&](HWND dialog) {
            // Typing a folder and pressing OK browses into it.
            ChooseFile(dialog, elsewhere);
            DialogDriver::Later(400, [&, dialog] {
                during = CurrentDirectory();
                Press(dialog, IDCANCEL);
            });
        }});
        wchar_t result[MAX_PATH] = L"untouched";
        if (c.save) {
            SaveFileNameDialog(result, nullptr, nullptr, owner.GetWndHandle());
        } else {
            OpenFileNameDialog(result, nullptr, nullptr, owner.GetWndHandle());
        }
        EXPECT_STREQ(result, L"untouched");
        EXPECT_EQ(CurrentDirectory(), c.start);
        // Only a dialog that moved the directory shows the restore.
        EXPECT_NE(during, c.start);
    }
    SetCurrentDirectoryW(before.c_str());
}

}  // namespace
