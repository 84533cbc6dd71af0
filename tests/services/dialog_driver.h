// Drives the dialog boxes this thread opens, as a user would: each dialog box that becomes
// active for the first time gets the next action in the queue, run from a thread timer
// inside the dialog's own modal loop a moment after it appears. A dialog still open long
// after its action is cancelled, so a failing test never hangs.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class DialogDriver {
public:
    using Action = std::function<void(HWND dialog)>;

    explicit DialogDriver(std::vector<Action> actions);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // How many dialogs have appeared so far.
    int Seen() const { return m_Seen; }
    // Runs the step after the delay, from whatever message loop this thread then runs.
    static void Later(DWORD milliseconds, std::function<void()> step);

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);

    HHOOK m_Hook;
    std::deque<Action> m_Actions;
    std::vector<HWND> m_Known;
    int m_Seen = 0;
    static DialogDriver* s_Current;
};

// What a user does to a dialog's controls.
std::wstring ControlText(HWND dialog, int id);
void TypeInto(HWND dialog, int id, const std::wstring& text);
// Presses a button by its identifier (IDOK, IDCANCEL, IDYES ...), as a click would.
void Press(HWND dialog, int id);
// The texts of a combo box's list.
std::vector<std::wstring> ComboItems(HWND dialog, int id);
// Selects the combo box item with exactly this text, as the user would; false if none has it.
bool SelectComboText(HWND dialog, int id, const std::wstring& text);
