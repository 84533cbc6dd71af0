#include "keyboard/standard_keys.h"

#include <commctrl.h>

#include "keyboard/default_button.h"
#include "loop/pre_translators.h"
#include "window/window_link.h"

namespace tsumiki {

namespace {

using namespace detail;

// The subclass that serves a window while its keys are on; its data is the state.
constexpr UINT_PTR kSubclassID = 0x74734B59;

struct KeysState {
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus = nullptr;
};

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
    if (code == MSGF_DIALOGBOX && lParam && !RoutingThroughDialogManager() &&
        detail::PreTranslateMessage(*reinterpret_cast<const MSG*>(lParam))) {
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
                              DWORD_PTR);

void TurnOff(HWND window, KeysState* state)
{
    RemoveWindowSubclass(window, KeysSubclass, kSubclassID);
    RemovePropW(window, kStateProperty);
    ForgetOwnDefault(window);
    delete state;
    CountWindow(-1);
}

// The platform's dialogs give the focus back to their control when activated again; a frame
// window does not, and a dialog forgets when its control was destroyed in between.
void RestoreFocus(HWND window, HWND last)
{
    if (last && IsChild(window, last) && IsUsable(last) && GetActiveWindow() == window) {
        SetFocus(last);
    }
}

// WM_NEXTDLGCTL as the dialog manager handles it for a dialog: the platform's own Tab of a
// frame window's multi-line edit, the arrows between push buttons and the mnemonic of a
// label send it, and a frame window's default procedure ignores it.
void MoveFocusAsDialog(HWND window, WPARAM wParam, LPARAM lParam)
{
    auto destination = reinterpret_cast<HWND>(wParam);
    if (!LOWORD(lParam)) {
        destination = GetNextDlgTabItem(window, GetFocus(), wParam != 0);
    }
    if (!destination || !IsChild(window, destination)) {
        return;
    }
    if (SendMessageW(destination, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageW(destination, EM_SETSEL, 0, -1);
    }
    SetFocus(destination);
}

// The state is looked up again after the window's own procedure has run: a handler there
// may have turned the keys off or destroyed the window, and the state with them.
LRESULT CALLBACK KeysSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR)
{
    switch (message) {
    case WM_ACTIVATE: {
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            KeysState* state = StateOf(hwnd);
            if (state && focus && IsChild(hwnd, focus)) {
                state->lastFocus = focus;
            }
            return DefSubclassProc(hwnd, message, wParam, lParam);
        }
        LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
        // After the window's own handling, which may have put the focus on the window itself.
        KeysState* state = StateOf(hwnd);
        if (state && !HIWORD(wParam)) {
            RestoreFocus(hwnd, state->lastFocus);
        }
        return result;
    }
    case DM_GETDEFID:
        return AnswerDefaultId(hwnd, DefSubclassProc(hwnd, message, wParam, lParam));
    case WM_NEXTDLGCTL:
        if (IsDialogWindow(hwnd)) {
            DefSubclassProc(hwnd, message, wParam, lParam);
        } else {
            MoveFocusAsDialog(hwnd, wParam, lParam);
        }
        FollowFocusWithDefault(hwnd, GetFocus());
        return 0;
    case WM_NCDESTROY:
        if (KeysState* state = StateOf(hwnd)) {
            TurnOff(hwnd, state);
        }
        return DefSubclassProc(hwnd, message, wParam, lParam);
    default:
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
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

bool detail::IsControlClass(HWND window, const wchar_t* name)
{
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    return lstrcmpiW(className, name) == 0;
}

UINT detail::ButtonType(HWND window)
{
    return static_cast<UINT>(GetWindowLongPtrW(window, GWL_STYLE)) & BS_TYPEMASK;
}

bool detail::IsRadioButton(HWND window)
{
    return IsControlClass(window, L"Button") &&
           (ButtonType(window) == BS_RADIOBUTTON || ButtonType(window) == BS_AUTORADIOBUTTON);
}

bool detail::IsPushButton(HWND window)
{
    return (SendMessageW(window, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

bool detail::IsUsable(HWND window)
{
    return IsWindowVisible(window) && IsWindowEnabled(window);
}

bool detail::IsDialogWindow(HWND window)
{
    return GetClassLongPtrW(window, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG);
}

std::vector<HWND> detail::RadioGroup(HWND window, bool usableOnly)
{
    std::vector<HWND> radios;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsRadioButton(child) && (!usableOnly || IsUsable(child))) {
            radios.push_back(child);
        }
    }
    return radios;
}

HWND detail::WindowWithStandardKeys(HWND window)
{
    for (; window; window = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window)
                                                                             : nullptr) {
        if (StateOf(window)) {
            return window;
        }
    }
    return nullptr;
}

void detail::SetStandardKeys(HWND window, bool on)
{
    KeysState* state = StateOf(window);
    if (!on) {
        if (state) {
            TurnOff(window, state);
        }
        return;
    }
    // Loops offer keys to the standard keys only once some window has turned them on.
    RegisterPreTranslator(PreTranslatorSlot::StandardKeys, TranslateStandardKeys);
    if (!state) {
        state = new KeysState;
        if (!SetPropW(window, kStateProperty, state)) {
            delete state;
            return;
        }
        if (!SetWindowSubclass(window, KeysSubclass, kSubclassID, 0)) {
            RemovePropW(window, kStateProperty);
            delete state;
            return;
        }
        CountWindow(+1);
    }
    // The dialog manager of an outer window with the keys on then also walks this one's
    // controls.
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    RememberOwnDefault(window);
    ArrangeTabOrder(window);
}

void detail::StandardKeysControlCreated(HWND control)
{
    HWND parent = GetParent(control);
    if (parent && StateOf(parent)) {
        RememberOwnDefault(parent, control);
        ArrangeTabOrder(parent);
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
