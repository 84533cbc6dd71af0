// The route of a key through the platform's dialog manager, for a window with the standard
// keys on, and the few steps the dialog manager does not take the way the library promises.
#include "keyboard/standard_keys.h"

#include "keyboard/default_button.h"

namespace tsumiki {

namespace {

using namespace detail;

// Set while the route has handed a message to IsDialogMessageW, which offers it to the
// thread's message filter first: the filter must then let it through.
thread_local bool t_InDialogManager = false;

bool IsArrow(WPARAM key)
{
    return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

// The child of window that holds the focus window, or null when the window itself has it.
HWND ControlOf(HWND window, HWND focus)
{
    while (focus && focus != window && GetParent(focus) != window) {
        focus = GetParent(focus);
    }
    return focus == window ? nullptr : focus;
}

bool IsMultiLineEdit(HWND window, HWND focus)
{
    return GetParent(focus) == window && IsControlClass(focus, L"Edit") &&
           (GetWindowLongPtrW(focus, GWL_STYLE) & ES_MULTILINE);
}

// The keyboard cues (focus rectangle, underlined letters) that the system may hide until
// the keyboard is used; the top-level window passes the change on to all its controls.
void ShowCues(HWND window, WORD cues)
{
    SendMessageW(GetAncestor(window, GA_ROOT), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, cues), 0);
}

// Enter as the dialog manager takes it away from a control that is not a push button.
void PressDefault(HWND window)
{
    LRESULT answer = SendMessageW(window, DM_GETDEFID, 0, 0);
    if (HIWORD(answer) == DC_HASDEFID) {
        HWND button = GetDlgItem(window, LOWORD(answer));
        if (!button || IsWindowEnabled(button)) {
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(LOWORD(answer), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
        }
        return;
    }
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
}

// Escape closes a dialog as its close box does (the dialog manager would send IDCANCEL,
// which a dialog of the library does not act on) and sends a frame window IDCANCEL.
void PressEscape(HWND window)
{
    if (IsDialogWindow(window)) {
        SendMessageW(window, WM_CLOSE, 0, 0);
    } else {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
    }
}

// Where Tab or a label's letter lands on a radio group: its checked button. The platform
// gives the checked button a tab stop, but the group's first keeps the one it was given.
HWND LandOnCheckedRadio(HWND window, HWND focus)
{
    if (!IsRadioButton(focus) || SendMessageW(focus, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        return focus;
    }
    for (HWND radio : RadioGroup(window, true)) {
        if (SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            SetFocus(radio);
            return radio;
        }
    }
    return focus;
}

// Keys the library takes before the dialog manager sees them; true when one was taken.
// A multi-line edit asks for every key, and in a dialog it would post WM_CLOSE for Escape
// and leave Enter to a default button only, never to IDOK.
bool TakeBeforeDialogManager(HWND window, const MSG& message, HWND control)
{
    WPARAM key = message.wParam;
    if (key != VK_ESCAPE && key != VK_RETURN) {
        return false;
    }
    UINT code = control ? static_cast<UINT>(SendMessageW(message.hwnd, WM_GETDLGCODE, key,
                                                         reinterpret_cast<LPARAM>(&message)))
                        : 0;
    bool edit = control == message.hwnd && IsMultiLineEdit(window, control);
    if ((code & DLGC_WANTMESSAGE) && !edit) {
        return false;  // a dropped-down combo box closes its list, and so on
    }
    if (key == VK_ESCAPE) {
        PressEscape(window);
        return true;
    }
    if (edit) {
        if (GetWindowLongPtrW(control, GWL_STYLE) & ES_WANTRETURN) {
            return false;
        }
        PressDefault(window);
        return true;
    }
    // A push button that got the focus by the mouse is the default from here on, so that
    // the dialog manager presses it.
    FollowFocusWithDefault(window, GetFocus());
    return false;
}

}  // namespace

bool detail::RoutingThroughDialogManager()
{
    return t_InDialogManager;
}

bool detail::TranslateStandardKeys(const MSG& message)
{
    UINT kind = message.message;
    if ((kind != WM_KEYDOWN && kind != WM_SYSKEYDOWN && kind != WM_SYSCHAR) || t_InDialogManager) {
        return false;
    }
    HWND window = WindowWithStandardKeys(message.hwnd);
    if (!window) {
        return false;
    }
    WPARAM key = message.wParam;
    if (kind == WM_SYSKEYDOWN) {
        // Alt shows the underlined letters; the key itself goes on as usual.
        if (key == VK_MENU) {
            ShowCues(window, UISF_HIDEACCEL | UISF_HIDEFOCUS);
        }
        return false;
    }
    HWND control = ControlOf(window, message.hwnd);
    if (kind == WM_KEYDOWN) {
        bool navigation = key == VK_TAB || IsArrow(key);
        // Ctrl with these keys belongs to the controls (Ctrl+Tab turns the pages of a tab
        // control), and the arrows of a window that has the focus itself are its own.
        if ((!navigation && key != VK_RETURN && key != VK_ESCAPE) || GetKeyState(VK_CONTROL) < 0 ||
            (IsArrow(key) && !control)) {
            return false;
        }
        if (navigation) {
            ShowCues(window, UISF_HIDEFOCUS);
        }
        if (TakeBeforeDialogManager(window, message, control)) {
            return true;
        }
    } else {
        ShowCues(window, UISF_HIDEACCEL | UISF_HIDEFOCUS);
    }
    HWND before = GetFocus();
    t_InDialogManager = true;
    MSG copy = message;
    BOOL taken = IsDialogMessageW(window, &copy);
    t_InDialogManager = false;
    HWND after = GetFocus();
    if (IsWindow(window) && after != before && after && IsChild(window, after)) {
        if (key == VK_TAB || kind == WM_SYSCHAR) {
            after = LandOnCheckedRadio(window, after);
        }
        FollowFocusWithDefault(window, after);
    }
    return taken != FALSE;
}

}  // namespace tsumiki
