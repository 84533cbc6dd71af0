#include <gtest/gtest.h>

#include <tsumiki.h>

#include <commdlg.h>
#include <dlgs.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/frame_window.h"
#include "support/test_files.h"

namespace {

using Action = std::function<void(HWND dialog)>;

// Plays the user: each dialog box this thread opens gets the next action, run from a
// thread timer inside the dialog's own modal loop once it is up. A dialog still open
// 20 s later is cancelled, so a failing test does not hang.
class DialogDriver {
public:
    explicit DialogDriver(std::vector<Action> actions) : m_Actions(std::move(actions))
    {
        s_Current = this;
        m_Hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~DialogDriver()
    {
        UnhookWindowsHookEx(m_Hook);
        s_Current = nullptr;
    }
    size_t Seen() const { return m_Seen.size(); }

    // Runs the step from this thread's message loop after the delay.
    static void Later(UINT delay, Action step, HWND dialog)
    {
        s_Pending.push_back({SetTimer(nullptr, 0, delay, Fire), {std::move(step), dialog}});
    }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        auto window = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        DialogDriver* self = s_Current;
        if (self && code == HCBT_ACTIVATE && std::wstring(name) == L"#32770" &&
            std::find(self->m_Seen.begin(), self->m_Seen.end(), window) == self->m_Seen.end()) {
            self->m_Seen.push_back(window);
            if (self->m_Seen.size() <= self->m_Actions.size()) {
                Later(150, self->m_Actions[self->m_Seen.size() - 1], window);
            }
            Later(20000, [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }, window);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        for (auto it = s_Pending.begin(); it != s_Pending.end(); ++it) {
            if (it->first == id) {
                auto [action, window] = it->second;
                s_Pending.erase(it);
                if (IsWindow(window)) action(window);
                return;
            }
        }
    }

    HHOOK m_Hook;
    std::vector<Action> m_Actions;
    std::vector<HWND> m_Seen;
    static inline DialogDriver* s_Current = nullptr;
    static inline std::vector<std::pair<UINT_PTR, std::pair<Action, HWND>>> s_Pending;
};

std::wstring Text(HWND dialog, int id)
{
    wchar_t text[1024] = {};
    if (id) {
        GetDlgItemTextW(dialog, id, text, 1024);
    } else {
        GetWindowTextW(dialog, text, 1024);
    }
    return text;
}

void Press(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Puts the combo box on the item whose text or data matches, as a user's pick would.
bool Pick(HWND dialog, int id, const wchar_t* text, LRESULT data = 0)
{
    HWND combo = GetDlgItem(dialog, id);
    for (LRESULT i = 0, n = SendMessageW(combo, CB_GETCOUNT, 0, 0); i < n; ++i) {
        wchar_t item[128] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        if (text ? std::wstring(item) == text : SendMessageW(combo, CB_GETITEMDATA, i, 0) == data) {
            SendMessageW(combo, CB_SETCURSEL, i, 0);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
            return true;
        }
    }
    return false;
}

// The file dialog's name box: an edit in Wine's dialog, an edit in a combo box elsewhere.
int NameBox(HWND dialog)
{
    return IsWindowVisible(GetDlgItem(dialog, cmb13)) ? cmb13 : edt1;
}

Action Choose(const std::wstring& path)
{
    return [path](HWND dialog) {
        SetDlgItemTextW(dialog, NameBox(dialog), path.c_str());
        Press(dialog, IDOK);
    };
}

std::wstring CurrentDirectory()
{
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), &folder[0]));
    return folder;
}

class CommonDialogs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(owner.Create()); }
    TestFrame owner;
    TempFolder folder;
};

TEST_F(CommonDialogs, TheColourDialogStartsOnBlackAndGivesTheChoiceAsColorrefOrArgb)
{
    const struct { bool argb; const wchar_t* rgb[3]; int button; DWORD expected; } cases[] = {
        {true, {L"255", L"0", L"0"}, IDOK, 0xFFFF0000},   {false, {L"255", L"0", L"0"}, IDOK, 0x000000FF},
        {true, {L"0", L"128", L"255"}, IDOK, 0xFF0080FF}, {false, {L"0", L"128", L"255"}, IDOK, 0x00FF8000},
        {true, {L"255", L"0", L"0"}, IDCANCEL, 0},
    };
    for (const auto& c : cases) {
        std::wstring start;
        DialogDriver driver({[&](HWND dialog) {
            // The red, green and blue edits are controls 706 to 708.
            for (int i = 0; i < 3; ++i) {
                start += Text(dialog, 706 + i);
                SetDlgItemTextW(dialog, 706 + i, c.rgb[i]);
            }
            Press(dialog, c.button);
        }});
        EXPECT_EQ(OpenColorDialog(c.argb, owner.GetWndHandle()), c.expected) << std::hex << c.expected;
        EXPECT_EQ(start, L"000");
    }
}

TEST_F(CommonDialogs, TheFontDialogWritesTheFontAndColourOnlyOnOK)
{
    HDC screen = GetDC(nullptr);
    const LONG height = -MulDiv(20, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    for (int button : {IDOK, IDCANCEL}) {
        LOGFONTW font;
        std::memset(&font, 0x5A, sizeof(font));
        const LOGFONTW before = font;
        DWORD colour = 0x12345678;
        DialogDriver driver({[&](HWND dialog) {
            EXPECT_TRUE(Pick(dialog, cmb1, L"Liberation Serif") && Pick(dialog, cmb3, L"20"));
            EXPECT_TRUE(Pick(dialog, cmb4, nullptr, RGB(255, 0, 0)));
            CheckDlgButton(dialog, chx2, BST_CHECKED);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(chx2, BN_CLICKED), 0);
            Press(dialog, button);
        }});
        EXPECT_EQ(OpenFontDialog(&font, &colour, owner.GetWndHandle()), button == IDOK);
        if (button == IDOK) {
            EXPECT_STREQ(font.lfFaceName, L"Liberation Serif");
            EXPECT_EQ(font.lfHeight, height);
            EXPECT_TRUE(font.lfUnderline && !font.lfStrikeOut);
            EXPECT_EQ(colour, RGB(255, 0, 0));
        } else {
            // The platform writes the font while the user chooses; a cancel must not show it.
            EXPECT_EQ(std::memcmp(&font, &before, sizeof(font)), 0);
            EXPECT_EQ(colour, 0x12345678u);
        }
    }
}

TEST_F(CommonDialogs, TheFileDialogsHaveTheirTitlesFiltersAndEachItsOwnLastPath)
{
    std::wstring picture = folder.File(L"picture.png");
    std::wstring existing = folder.File(L"existing.txt");
    ASSERT_TRUE(WriteBytes(picture, "png", 3) && WriteBytes(existing, "old", 3));
    std::vector<std::wstring> seen;
    auto look = [&](Action then) {
        return [&seen, then](HWND dialog) {
            wchar_t types[64] = {};
            SendDlgItemMessageW(dialog, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(types));
            seen.push_back(Text(dialog, 0) + L"|" + types + L"|" +
                           std::to_wstring(SendDlgItemMessageW(dialog, cmb1, CB_GETCOUNT, 0, 0)) + L"|" +
                           Text(dialog, NameBox(dialog)));
            then(dialog);
        };
    };
    auto cancel = [](HWND dialog) { Press(dialog, IDCANCEL); };
    DialogDriver driver({
        look(Choose(picture)), look(cancel),
        look(Choose(folder.File(L"fresh"))), look(Choose(existing)),
        [](HWND question) { Press(question, IDYES); },  // replace the existing file
        look(cancel),
    });
    wchar_t result[MAX_PATH] = L"";
    OpenFileNameDialog(result, nullptr, nullptr, owner.GetWndHandle());
    EXPECT_EQ(result, picture);
    OpenFileNameDialog(result, L"Text\0*.txt\0Pictures\0*.png\0", nullptr, owner.GetWndHandle());
    EXPECT_EQ(result, picture) << "a cancel leaves the result as it was";
    SaveFileNameDialog(result, nullptr, L"txt", owner.GetWndHandle());
    EXPECT_EQ(result, folder.File(L"fresh.txt"));
    SaveFileNameDialog(result, L"Text\0*.txt\0", L"txt", owner.GetWndHandle());
    EXPECT_EQ(result, existing);
    OpenFileNameDialog(result, nullptr, nullptr, owner.GetWndHandle());
    EXPECT_EQ(driver.Seen(), 6u);
    const std::vector<std::wstring> expected = {
        L"ファイルを開く|All files(*.*)|1|", L"ファイルを開く|Text|2|picture.png",
        L"名前を付けて保存||0|", L"名前を付けて保存|Text|1|fresh.txt", L"ファイルを開く|All files(*.*)|1|picture.png"};
    EXPECT_EQ(seen, expected);
}

TEST_F(CommonDialogs, TheFileDialogsRestoreEvenALongCurrentDirectoryAfterBrowsingElsewhere)
{
    std::wstring elsewhere = folder.File(L"elsewhere");
    std::wstring deep = folder.Path();
    ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
    while (deep.size() <= MAX_PATH + 20) {
        deep += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
    }
    std::wstring before = CurrentDirectory();
    for (const std::wstring& start : {folder.Path(), deep}) {
        using PlainDialog = void (*)(wchar_t*, const wchar_t*, const wchar_t*, HWND);
        for (PlainDialog dialog : {PlainDialog(OpenFileNameDialog), PlainDialog(SaveFileNameDialog)}) {
            ASSERT_TRUE(SetCurrentDirectoryW(start.c_str()));
            std::wstring during;
            DialogDriver driver({[&](HWND box) {
                Choose(elsewhere)(box);  // a folder typed and confirmed is browsed into
                DialogDriver::Later(400, [&](HWND box) { during = CurrentDirectory(); Press(box, IDCANCEL); }, box);
            }});
            wchar_t result[MAX_PATH] = L"untouched";
            dialog(result, nullptr, nullptr, owner.GetWndHandle());
            EXPECT_STREQ(result, L"untouched");
            EXPECT_EQ(CurrentDirectory(), start) << start.size();
            EXPECT_NE(during, start) << "the dialog did not move the directory";
        }
    }
    SetCurrentDirectoryW(before.c_str());
}

TEST_F(CommonDialogs, TheFormsWithATitleTellACancelAndSpeakTheChosenLanguage)
{
    struct Restore {
        ~Restore() { SetLibraryLanguage(LANGUAGE_JAPANESE); }
    } restore;
    ASSERT_TRUE(WriteBytes(folder.File(L"picture.png"), "png", 3));
    using Dialog = bool (*)(wchar_t*, const wchar_t*, const wchar_t*, HWND, const wchar_t*);
    const Dialog open = OpenFileNameDialog, save = SaveFileNameDialog;
    const struct {
        ELanguage language;
        Dialog dialog;
        const wchar_t* title, *pick, *seen;
    } cases[] = {
        {LANGUAGE_ENGLISH, open, nullptr, nullptr, L"Open|All files (*.*)"},  // pick null: cancel
        {LANGUAGE_ENGLISH, save, nullptr, nullptr, L"Save As|All files (*.*)"},
        {LANGUAGE_ENGLISH, open, L"Pick a picture", L"picture.png", L"Pick a picture|All files (*.*)"},
        {LANGUAGE_JAPANESE, open, nullptr, nullptr, L"ファイルを開く|All files(*.*)"},
        {LANGUAGE_JAPANESE, save, L"Export", L"export.png", L"Export|All files(*.*)"},
    };
    for (const auto& c : cases) {
        SetLibraryLanguage(c.language);
        std::wstring seen;
        DialogDriver driver({[&](HWND dialog) {
            wchar_t types[64] = {};
            SendDlgItemMessageW(dialog, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(types));
            seen = Text(dialog, 0) + L"|" + types;  // the title and the first file type
            c.pick ? Choose(folder.File(c.pick))(dialog) : Press(dialog, IDCANCEL);
        }});
        wchar_t result[MAX_PATH] = L"untouched";
        EXPECT_EQ(c.dialog(result, nullptr, nullptr, owner.GetWndHandle(), c.title), c.pick != nullptr);
        EXPECT_EQ(seen, c.seen);
        EXPECT_EQ(result, c.pick ? folder.File(c.pick) : L"untouched") << c.seen;
    }
    DialogDriver none({});
    EXPECT_FALSE(OpenFileNameDialog(nullptr, nullptr, nullptr, owner.GetWndHandle(), L"nowhere"));
    EXPECT_EQ(none.Seen(), 0u);
}

TEST_F(CommonDialogs, TheSaveDialogShowsTheSuggestedNameAndKeepsTheLastPathOnACancel)
{
    const std::wstring chosen = folder.File(L"chosen.csv"), tooLong(MAX_PATH, L'n');
    const struct { const wchar_t* suggested; bool choose; const wchar_t* seen; } cases[] = {
        {L"Contacts.csv", true, L"Contacts.csv"}, {L"Other name.csv", false, L"Other name.csv"},
        {nullptr, false, L"chosen.csv"},  // the last path, which the cancel above kept
        {L"", false, L""}, {tooLong.c_str(), false, nullptr},  // no dialog
    };
    for (const auto& c : cases) {
        std::wstring seen = L"(no dialog)";
        DialogDriver driver({[&](HWND dialog) {
            seen = Text(dialog, NameBox(dialog));
            c.choose ? Choose(chosen)(dialog) : Press(dialog, IDCANCEL);
        }});
        wchar_t result[MAX_PATH] = L"untouched";
        EXPECT_EQ(SaveFileNameDialog(result, nullptr, L"csv", owner.GetWndHandle(), L"Save", c.suggested), c.choose);
        EXPECT_EQ(seen, c.seen ? c.seen : L"(no dialog)");
        EXPECT_EQ(result, c.choose ? chosen : L"untouched");
    }
    EXPECT_FALSE(SaveFileNameDialog(nullptr, nullptr, nullptr, owner.GetWndHandle(), nullptr, L"a.csv"));
}

}  // namespace
