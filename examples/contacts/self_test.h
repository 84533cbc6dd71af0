// The address book's self-test: it drives the program as a user would, with real keys and
// clicks, and checks what the program shows and writes. It opens a file of hard cases
// (commas, quotes, line breaks, other scripts) and saves it back unchanged; types two
// contacts, edits one and deletes another; sorts by a header click both ways; saves,
// reopens and saves again to the same bytes; opens bad files (a broken quote, a file too
// large, invalid UTF-8, a missing file) and fails a save, losing nothing; and closes with
// unsaved changes, where "Save changes?" is asked.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "contacts_window.h"

class SelfTest {
public:
    // Writes its files into a new folder under the system's temporary folder.
    explicit SelfTest(ContactsWindow& window);
    // Removes the folder with everything in it.
    ~SelfTest();
    SelfTest(const SelfTest&) = delete;
    SelfTest& operator=(const SelfTest&) = delete;

    // Runs from the window's timer: waits for the program to answer the last step, checks
    // it, and takes the next. A step unanswered for 15 s fails the test and ends it.
    void OnTick();
    // Once the window is gone: every step done and every check met.
    bool Passed() const;
    // A line a step, and the failures.
    std::wstring Report() const;

private:
    struct Step {
        std::wstring name;
        std::function<void()> act;     // the user's keys and clicks
        std::function<bool()> done;    // the program has answered
        std::function<void()> check;   // what must then hold (may be empty)
    };

    void Prepare();
    void Check(bool condition, const std::wstring& failure);
    std::wstring File(const wchar_t* name) const { return m_Folder + L"\\" + name; }

    // Steps, by what they do.
    void Add(const std::wstring& name, std::function<void()> act, std::function<bool()> done,
             std::function<void()> check = {});
    void OpenThroughDialog(const std::wstring& path, std::function<bool()> done, std::function<void()> check);
    void SaveThroughDialog(const std::wstring& path, const std::wstring& suggested, std::function<void()> check);
    void OpenBadFile(const std::wstring& path, const std::wstring& mustSay, bool throughDialog);
    void PlanSteps();

    ContactsWindow& m_Window;
    std::wstring m_Folder;
    std::vector<Step> m_Steps;
    size_t m_Step = 0;
    bool m_Acted = false;
    DWORD m_ActedAt = 0;
    DWORD m_Start = GetTickCount();
    std::vector<std::vector<std::wstring>> m_Snapshot;  // the rows as last saved
    HANDLE m_Locked = INVALID_HANDLE_VALUE;  // a file another program holds open
    std::wstring m_Log;
    std::wstring m_Failures;
};
