// Contacts: an address book in CSV files, the form program written against the tsumiki
// package, as Star Guard is its game.
// Shows: a frame window of standard controls (CWindowBase) in a form's colour (SetClearColor,
// SystemFormColor), laid out once with Scale and kept laid out at any size and DPI by anchors
// (Anchor), never smaller than the form (SetMinClientSize); a report-view list (CListView) with
// full-row selection and grid lines, filled a row at a time (AddRow), its selection and header
// clicks recognised in OnNotify (IsSelect, IsColumnClick) and sorted by a column
// (SortByColumn); labelled edits read whole (CEdit::GetText), a radio group (CRadioButton) and
// a check box (CCheckBox) as every Windows form shows them (UseStandardButtonStyles), push
// buttons (CButton) with Add the default one that Enter presses (SetDefault); menus with
// shortcut keys (CMenu); the standard keys (Tab, Enter, Alt with the underlined letters;
// UseStandardKeys); the open and save dialogs, the save dialog suggesting the file's name
// (OpenFileNameDialog, SaveFileNameDialog); and the program's own files: RFC 4180 CSV in UTF-8,
// saved safely through a temporary file (contacts_file.cpp), with unsaved changes tracked and
// "Save changes?" asked on closing.
//
//   contacts                 an empty address book
//   contacts FILE.csv        the address book in the file
//   contacts --seconds N     a sample address book shown for N seconds, then closed
//   contacts --selftest      the program drives itself with real keys and checks itself;
//                            exit code 0 or 1
#include <tsumiki.h>

#include <shellapi.h>

#include <cwchar>
#include <memory>
#include <string>

#include "contacts_window.h"
#include "self_test.h"

namespace {

struct Options {
    bool selfTest = false;
    int seconds = 0;
    std::wstring file;
};

Options ReadCommandLine()
{
    Options options;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; arguments && i < count; ++i) {
        if (std::wcscmp(arguments[i], L"--selftest") == 0) {
            options.selfTest = true;
        } else if (std::wcscmp(arguments[i], L"--seconds") == 0 && i + 1 < count) {
            options.seconds = std::wcstol(arguments[++i], nullptr, 10);
        } else {
            options.file = arguments[i];
        }
    }
    LocalFree(arguments);
    return options;
}

// Straight to the standard output handle: a GUI program's C streams may not be connected
// to the handle it was started with.
void Print(const std::wstring& text)
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], bytes, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// A few contacts for the timed demonstration, written as a user's file would be, in a
// folder of its own; empty when they could not be written.
std::wstring WriteSample()
{
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring folder = std::wstring(temporary) + L"contacts-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::vector<Contact> contacts = {
        {L"Ada Lovelace", L"+44 20 7946 0000", L"ada@example.org", L"Work", L"Yes"},
        {L"Alan Turing", L"+44 161 496 0001", L"alan@example.org", L"Work", L""},
        {L"Edsger Dijkstra", L"+31 20 555 0101", L"edsger@example.nl", L"Other", L""},
        {L"Grace Hopper", L"+1 202 555 0143", L"grace@example.com", L"Friends", L"Yes"},
        {L"Katherine Johnson", L"+1 757 555 0110", L"katherine@example.com", L"Family", L"Yes"},
        {L"Łucja Wójcik", L"+48 22 555 01 20", L"lucja@example.pl", L"Friends", L""},
        {L"Margaret Hamilton", L"+1 617 555 0168", L"margaret@example.com", L"Work", L""},
        {L"Zoë Ångström", L"+46 8 123 456 78", L"zoe@example.se", L"Family", L"Yes"},
    };
    const std::wstring path = folder + L"\\Contacts.csv";
    std::wstring message;
    return SaveContacts(path, contacts, message) ? path : L"";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    SetLibraryLanguage(LANGUAGE_ENGLISH);
    SetControlFontFace(L"Tahoma", 9);
    UseStandardButtonStyles();
    const Options options = ReadCommandLine();
    ContactsWindow window;
    if (!window.Create()) {
        Print(L"contacts: the window could not be made\n");
        return 1;
    }
    std::unique_ptr<SelfTest> test;
    std::wstring sample;
    if (options.selfTest) {
        test = std::make_unique<SelfTest>(window);
        window.StartTicking(50, [&test] { test->OnTick(); });
    } else if (options.seconds > 0) {
        sample = WriteSample();
        if (!sample.empty() && window.OpenFile(sample)) {
            window.SelectContact(3);
        }
        const DWORD end = GetTickCount() + static_cast<DWORD>(options.seconds) * 1000;
        window.StartTicking(100, [&window, end] {
            if (static_cast<int>(GetTickCount() - end) >= 0) {
                PostMessageW(window.GetWndHandle(), WM_CLOSE, 0, 0);
            }
        });
    } else if (!options.file.empty()) {
        window.OpenFile(options.file);
    }
    MessageLoop();
    if (!sample.empty()) {
        DeleteFileW(sample.c_str());
        RemoveDirectoryW(sample.substr(0, sample.rfind(L'\\')).c_str());
    }
    if (test) {
        const bool passed = test->Passed();
        Print(test->Report() + (passed ? L"selftest passed\n" : L"selftest FAILED\n"));
        return passed ? 0 : 1;
    }
    return 0;
}
