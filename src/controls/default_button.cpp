#include "controls/default_button.h"

#include <commctrl.h>

#include "loop/pre_translators.h"
#include "tsumiki/controls.h"

namespace tsumiki {

namespace {

// On the parent: the default button's identifier. Its presence marks a window whose
// default button the library set, on frame windows and dialogs alike.
const wchar_t kDefaultProperty[] = L"tsumiki.DefaultButton";
constexpr UINT_PTR kSubclassID = 0x74734442;

bool IsDialog(HWND window)
{
    return GetClassLongPtrW(window, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG);
}

int DefaultIdOf(HWND window)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(window, kDefaultProperty)));
}

void SetPushStyle(HWND button, UINT type)
{
    if (button) {
        SendMessageW(button, BM_SETSTYLE, type, TRUE);
    }
}

// DM_SETDEFID as the dialog manager does it: the old default loses the heavy border, the
// new one gets it; 0 leaves the window without a default button.
void SetDefaultId(HWND window, int id)
{
    int before = DefaultIdOf(window);
    if (before && before != id) {
        SetPushStyle(GetDlgItem(window, before), BS_PUSHBUTTON);
    }
    if (id) {
        SetPropW(window, kDefaultProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(id)));
        SetPushStyle(GetDlgItem(window, id), BS_DEFPUSHBUTTON);
    } else {
        RemovePropW(window, kDefaultProperty);
    }
}

// A frame window's side of the dialog manager's default button protocol.
LRESULT CALLBACK FrameDefaultButton(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR)
{
    switch (message) {
    case DM_GETDEFID:
        if (int id = DefaultIdOf(hwnd)) {
            return MAKELRESULT(id, DC_HASDEFID);
        }
        break;
    case DM_SETDEFID:
        SetDefaultId(hwnd, static_cast<int>(LOWORD(wParam)));
        return TRUE;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, FrameDefaultButton, kSubclassID);
        RemovePropW(hwnd, kDefaultProperty);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// The window itself or the nearest of its parents that has a library default button.
HWND WindowWithDefault(HWND window)
{
    for (; window; window = (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr) {
        if (GetPropW(window, kDefaultProperty)) {
            return window;
        }
    }
    return nullptr;
}

// As in a dialog: a control that asks for every key keeps Enter, except a multi-line edit
// of the window without ES_WANTRETURN.
bool KeepsEnter(HWND window, HWND focus, UINT code)
{
    if (!(code & DLGC_WANTMESSAGE)) {
        return false;
    }
    wchar_t className[8] = {};
    GetClassNameW(focus, className, 8);
    return lstrcmpiW(className, L"Edit") != 0 || GetParent(focus) != window ||
           (GetWindowLongPtrW(focus, GWL_STYLE) & ES_WANTRETURN);
}

void Press(HWND window, HWND button)
{
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

}  // namespace

void detail::SetDefaultButton(HWND button, bool on)
{
    // Registered with the first default button, so that a program without one pays nothing.
    RegisterPreTranslator(PreTranslatorSlot::DefaultButton, TranslateDefaultButtonKey);
    HWND parent = button ? GetParent(button) : nullptr;
    if (!parent || !IsWindow(button)) {
        return;
    }
    const int id = GetDlgCtrlID(button);
    const bool isDefault = DefaultIdOf(parent) == id;
    if (!on) {
        SetPushStyle(button, BS_PUSHBUTTON);
        if (isDefault) {
            SendMessageW(parent, DM_SETDEFID, 0, 0);
            RemovePropW(parent, kDefaultProperty);
        }
        return;
    }
    if (IsDialog(parent)) {
        SendMessageW(parent, DM_SETDEFID, static_cast<WPARAM>(id), 0);
        SetPropW(parent, kDefaultProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(id)));
        return;
    }
    if (SetWindowSubclass(parent, FrameDefaultButton, kSubclassID, 0)) {
        SendMessageW(parent, DM_SETDEFID, static_cast<WPARAM>(id), 0);
    }
}

bool detail::TranslateDefaultButtonKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN || GetKeyState(VK_CONTROL) < 0) {
        return false;
    }
    HWND window = WindowWithDefault(message.hwnd);
    if (!window) {
        return false;
    }
    HWND focus = message.hwnd;
    if (focus != window) {
        auto code = static_cast<UINT>(SendMessageW(focus, WM_GETDLGCODE, VK_RETURN,
                                                   reinterpret_cast<LPARAM>(&message)));
        if (KeepsEnter(window, focus, code)) {
            return false;
        }
        if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && GetParent(focus) == window) {
            Press(window, focus);
            return true;
        }
    }
    auto answer = static_cast<DWORD>(SendMessageW(window, DM_GETDEFID, 0, 0));
    if (HIWORD(answer) != DC_HASDEFID) {
        return false;
    }
    // A hidden or disabled default button cannot be pressed, by the mouse or by Enter.
    HWND button = GetDlgItem(window, LOWORD(answer));
    if (button && IsWindowVisible(button) && IsWindowEnabled(button)) {
        Press(window, button);
    }
    return true;
}

void CButton::SetDefault(bool on)
{
    detail::SetDefaultButton(m_hWnd, on);
}

}  // namespace tsumiki
