#include "keyboard/standard_keys.h"

#include <string>
#include <vector>

namespace tsumiki {

namespace {

using namespace detail;

wchar_t Upper(wchar_t letter)
{
    // CharUpperW takes a single character in the low word of its argument.
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(letter)))));
}

bool IsDialog(HWND window)
{
    return GetClassLongPtrW(window, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG);
}

void FocusControl(HWND control)
{
    SetFocus(control);
    // As in a dialog: an edit reached by the keyboard has its text selected.
    if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageW(control, EM_SETSEL, 0, -1);
    }
}

// Where the focus goes on reaching a stop: a radio group's checked button, if any.
HWND Landing(HWND window, HWND stop)
{
    if (IsRadioButton(stop)) {
        for (HWND radio : RadioGroup(window, true)) {
            if (SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                return radio;
            }
        }
    }
    return stop;
}

void MoveFocus(HWND window, HWND control, bool back)
{
    HWND from = control;
    if (from && IsRadioButton(from)) {
        // Leave the group as a whole, whichever of its buttons has the focus.
        std::vector<HWND> radios = RadioGroup(window, false);
        from = back ? radios.front() : radios.back();
    }
    HWND next = GetNextDlgTabItem(window, from, back);
    if (next && next != control && IsChild(window, next)) {
        FocusControl(Landing(window, next));
    }
}

void MoveInRadioGroup(HWND window, HWND radio, bool back)
{
    std::vector<HWND> radios = RadioGroup(window, true);
    std::size_t at = 0;
    while (at < radios.size() && radios[at] != radio) {
        ++at;
    }
    if (radios.size() < 2 || at == radios.size()) {
        return;
    }
    HWND next = radios[(at + (back ? radios.size() - 1 : 1)) % radios.size()];
    SetFocus(next);
    if (ButtonType(next) == BS_AUTORADIOBUTTON) {
        SendMessageW(next, BM_CLICK, 0, 0);
    }
}

// A push button is pressed as the platform's dialogs press it: its click reaches the
// parent. A check box or radio button is clicked, which changes its state too.
void PressButton(HWND button)
{
    UINT code = static_cast<UINT>(SendMessageW(button, WM_GETDLGCODE, 0, 0));
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    } else {
        SetFocus(button);
        SendMessageW(button, BM_CLICK, 0, 0);
    }
}

void PressEnter(HWND window, HWND focus, UINT code)
{
    if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        PressButton(focus);
        return;
    }
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && (SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
            // A disabled default button cannot be pressed, by the mouse or by Enter.
            if (IsWindowEnabled(child)) {
                PressButton(child);
            }
            return;
        }
    }
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
}

void PressEscape(HWND window)
{
    if (IsDialog(window)) {
        SendMessageW(window, WM_CLOSE, 0, 0);
    } else {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
    }
}

// The letter after the first single '&' of a text, in upper case; 0 when there is none.
wchar_t Mnemonic(HWND control)
{
    int length = GetWindowTextLengthW(control);
    if (length <= 0) {
        return 0;
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, &text[0], length + 1)));
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == L'&') {
            if (text[i + 1] != L'&') {
                return Upper(text[i + 1]);
            }
            ++i;
        }
    }
    return 0;
}

bool PressMnemonic(HWND window, wchar_t letter)
{
    letter = Upper(letter);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        bool button = IsControlClass(child, L"Button");
        // An edit's text is its content, not a label.
        bool label = (button && ButtonType(child) == BS_GROUPBOX) ||
                     (IsControlClass(child, L"Static") &&
                      !(GetWindowLongPtrW(child, GWL_STYLE) & SS_NOPREFIX));
        if ((!button && !label) || !IsUsable(child) || Mnemonic(child) != letter) {
            continue;
        }
        if (label) {
            // A label's letter leads to the control that follows it.
            HWND next = GetNextDlgTabItem(window, child, FALSE);
            if (next && IsChild(window, next)) {
                FocusControl(Landing(window, next));
            }
        } else {
            PressButton(child);
        }
        return true;
    }
    return false;
}

// Whether the control with the focus keeps the key for itself.
bool ControlWantsKey(HWND window, HWND focus, UINT code, WPARAM key)
{
    if (code & DLGC_WANTMESSAGE) {
        // A multi-line edit of the window answers that it wants every key; as in a dialog
        // it leaves Tab and Escape to the window, and Enter unless it has ES_WANTRETURN.
        if (!IsControlClass(focus, L"Edit") || GetParent(focus) != window) {
            return true;
        }
        return key == VK_RETURN && (GetWindowLongPtrW(focus, GWL_STYLE) & ES_WANTRETURN);
    }
    if (key == VK_TAB) {
        return (code & DLGC_WANTTAB) != 0;
    }
    if (key != VK_RETURN && key != VK_ESCAPE) {
        return (code & DLGC_WANTARROWS) != 0;
    }
    return false;
}

// The child of window that holds the focus window, or null when the window itself has it.
HWND ControlOf(HWND window, HWND focus)
{
    while (focus && focus != window && GetParent(focus) != window) {
        focus = GetParent(focus);
    }
    return focus == window ? nullptr : focus;
}

}  // namespace

bool detail::TranslateStandardKeys(const MSG& message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR) {
        return false;
    }
    HWND window = WindowWithStandardKeys(message.hwnd);
    if (!window) {
        return false;
    }
    if (message.message == WM_SYSCHAR) {
        return PressMnemonic(window, static_cast<wchar_t>(message.wParam));
    }
    WPARAM key = message.wParam;
    bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    // Ctrl with these keys belongs to the controls (Ctrl+Tab turns the pages of a tab control).
    if ((key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE && !arrow) ||
        GetKeyState(VK_CONTROL) < 0) {
        return false;
    }
    HWND focus = message.hwnd;
    HWND control = ControlOf(window, focus);
    UINT code = control ? static_cast<UINT>(SendMessageW(focus, WM_GETDLGCODE, key,
                                                         reinterpret_cast<LPARAM>(&message)))
                        : 0;
    if (control && ControlWantsKey(window, focus, code, key)) {
        return false;
    }
    switch (key) {
    case VK_TAB:
        MoveFocus(window, control, GetKeyState(VK_SHIFT) < 0);
        return true;
    case VK_RETURN:
        PressEnter(window, focus, code);
        return true;
    case VK_ESCAPE:
        PressEscape(window);
        return true;
    default:
        if (control == focus && IsRadioButton(focus)) {
            MoveInRadioGroup(window, focus, key == VK_LEFT || key == VK_UP);
            return true;
        }
        return false;
    }
}

}  // namespace tsumiki
