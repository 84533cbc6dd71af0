#include "framework/standard_keys.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/library_keys.h"
#include "framework/window_link.h"

namespace tsumiki {

namespace {

// The subclass that sees a window's activation while its keys are on; its data is the state.
constexpr UINT_PTR kSubclassID = 0x74734B59;

struct KeysState {
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus = nullptr;
};

bool IsClass(HWND window, const wchar_t* name)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return lstrcmpiW(className, name) == 0;
}

UINT ButtonType(HWND window)
{
    return static_cast<UINT>(GetWindowLongPtrW(window, GWL_STYLE)) & BS_TYPEMASK;
}

bool IsRadio(HWND window)
{
    return IsClass(window, L"Button") &&
           (ButtonType(window) == BS_RADIOBUTTON || ButtonType(window) == BS_AUTORADIOBUTTON);
}

bool IsUsable(HWND window)
{
    return IsWindowVisible(window) && IsWindowEnabled(window);
}

wchar_t Upper(wchar_t letter)
{
    // CharUpperW takes a single character in the low word of its argument.
    return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(
        CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(letter)))));
}

// Controls a user can work with the keyboard; static texts, group boxes, progress bars and
// up-down arrows (worked through their buddy) are no tab stops.
bool TakesFocus(HWND control)
{
    if (IsClass(control, L"Button")) {
        return ButtonType(control) != BS_GROUPBOX;
    }
    for (const wchar_t* name : {L"Edit", L"ListBox", L"ComboBox", L"ScrollBar", L"SysListView32",
                                L"SysTreeView32", L"SysTabControl32", L"msctls_trackbar32"}) {
        if (IsClass(control, name)) {
            return true;
        }
    }
    return false;
}

// The radio buttons of one parent form one group (as for the platform's own clicks), in
// creation order.
std::vector<HWND> Radios(HWND window, bool usableOnly)
{
    std::vector<HWND> radios;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsRadio(child) && (!usableOnly || IsUsable(child))) {
            radios.push_back(child);
        }
    }
    return radios;
}

// The group is one stop: only its first button is a tab stop.
void GiveTabStop(HWND control)
{
    if (!TakesFocus(control)) {
        return;
    }
    if (IsRadio(control) && Radios(GetParent(control), false).front() != control) {
        return;
    }
    LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    SetWindowLongPtrW(control, GWL_STYLE, style | WS_TABSTOP);
}

// The state is also kept as a property, which is how a window is known to have the keys
// on (the import libraries of the cross compilers lack GetWindowSubclass).
const wchar_t kStateProperty[] = L"tsumiki.StandardKeys";

KeysState* StateOf(HWND window)
{
    return window ? static_cast<KeysState*>(GetPropW(window, kStateProperty)) : nullptr;
}

// The dialog manager's modal loop passes every message through IsDialogMessageW, which
// offers it to the thread's message filter first: that is where a modal dialog's keys are
// read. The hook lives while a window of the thread has the keys on.
thread_local HHOOK t_FilterHook = nullptr;
thread_local int t_WindowsWithKeys = 0;

LRESULT CALLBACK FilterDialogMessages(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && lParam &&
        detail::TranslateLibraryKeys(*reinterpret_cast<MSG*>(lParam))) {
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CountWindow(int change)
{
    t_WindowsWithKeys += change;
    if (t_WindowsWithKeys > 0 && !t_FilterHook) {
        t_FilterHook = SetWindowsHookExW(WH_MSGFILTER, FilterDialogMessages, nullptr,
                                         GetCurrentThreadId());
    } else if (t_WindowsWithKeys == 0 && t_FilterHook) {
        UnhookWindowsHookEx(t_FilterHook);
        t_FilterHook = nullptr;
    }
}

LRESULT CALLBACK KeysSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data);

void TurnOff(HWND window, KeysState* state)
{
    RemoveWindowSubclass(window, KeysSubclass, kSubclassID);
    RemovePropW(window, kStateProperty);
    delete state;
    CountWindow(-1);
}

void RestoreFocus(HWND window, KeysState* state)
{
    HWND last = state->lastFocus;
    if (last && IsChild(window, last) && IsUsable(last) && GetActiveWindow() == window) {
        SetFocus(last);
    }
}

LRESULT CALLBACK KeysSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR data)
{
    auto* state = reinterpret_cast<KeysState*>(data);
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) {
            state->lastFocus = focus;
        }
    } else if (message == WM_NCDESTROY) {
        TurnOff(hwnd, state);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    // After the window's own handling, which may have put the focus on the window itself.
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        RestoreFocus(hwnd, state);
    }
    return result;
}

// The nearest window, from the one the key went to up through its parents, with the keys on.
HWND WindowWithKeys(HWND window)
{
    for (; window; window = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window)
                                                                             : nullptr) {
        if (StateOf(window)) {
            return window;
        }
    }
    return nullptr;
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
    if (IsRadio(stop)) {
        for (HWND radio : Radios(window, true)) {
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
    if (from && IsRadio(from)) {
        // Leave the group as a whole, whichever of its buttons has the focus.
        std::vector<HWND> radios = Radios(window, false);
        from = back ? radios.front() : radios.back();
    }
    HWND next = GetNextDlgTabItem(window, from, back);
    if (next && next != control && IsChild(window, next)) {
        FocusControl(Landing(window, next));
    }
}

void MoveInRadioGroup(HWND window, HWND radio, bool back)
{
    std::vector<HWND> radios = Radios(window, true);
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
        bool button = IsClass(child, L"Button");
        // An edit's text is its content, not a label.
        bool label = (button && ButtonType(child) == BS_GROUPBOX) ||
                     (IsClass(child, L"Static") &&
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
        if (!IsClass(focus, L"Edit") || GetParent(focus) != window) {
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

// The window of the calling thread attached to an object: top-level windows and their
// descendants (a frame window made with a parent).
struct AttachedWindowSearch {
    CWindowBase* object;
    HWND found;
};

BOOL CALLBACK SearchWindow(HWND window, LPARAM argument)
{
    auto* search = reinterpret_cast<AttachedWindowSearch*>(argument);
    if (window_link::Find(window) == search->object) {
        search->found = window;
    }
    return search->found == nullptr;
}

BOOL CALLBACK SearchTopLevel(HWND window, LPARAM argument)
{
    if (SearchWindow(window, argument)) {
        EnumChildWindows(window, SearchWindow, argument);
    }
    return reinterpret_cast<AttachedWindowSearch*>(argument)->found == nullptr;
}

}  // namespace

void detail::SetStandardKeys(HWND window, bool on)
{
    KeysState* state = StateOf(window);
    if (!on) {
        if (state) {
            TurnOff(window, state);
        }
        return;
    }
    if (!state) {
        state = new KeysState;
        if (!SetPropW(window, kStateProperty, state)) {
            delete state;
            return;
        }
        if (!SetWindowSubclass(window, KeysSubclass, kSubclassID, reinterpret_cast<DWORD_PTR>(state))) {
            RemovePropW(window, kStateProperty);
            delete state;
            return;
        }
        CountWindow(+1);
    }
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        GiveTabStop(child);
    }
}

void detail::StandardKeysControlCreated(HWND control)
{
    HWND parent = GetParent(control);
    if (parent && StateOf(parent)) {
        GiveTabStop(control);
    }
}

bool detail::TranslateStandardKeys(const MSG& message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSCHAR) {
        return false;
    }
    HWND window = WindowWithKeys(message.hwnd);
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
        if (control == focus && IsRadio(focus)) {
            MoveInRadioGroup(window, focus, key == VK_LEFT || key == VK_UP);
            return true;
        }
        return false;
    }
}

void CWindowBase::UseStandardKeys(bool on)
{
    // Inside OnCreate and OnInitDialog the object holds no handle yet, and a modal dialog's
    // object never does: the window is then found by its link to this object.
    HWND window = nullptr;
    if (m_hWnd && IsWindow(m_hWnd) && window_link::Find(m_hWnd) == this) {
        window = m_hWnd;
    } else {
        AttachedWindowSearch search = {this, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), SearchTopLevel, reinterpret_cast<LPARAM>(&search));
        window = search.found;
    }
    // A copy refers to the window of the object it was copied from.
    if (!window && m_hWnd && IsWindow(m_hWnd)) {
        window = m_hWnd;
    }
    // Controls are what the keys move between, not windows that hold them.
    if (window && !dynamic_cast<CControlBase*>(this)) {
        detail::SetStandardKeys(window, on);
    }
}

}  // namespace tsumiki
