#include "keyboard/default_button.h"

#include "keyboard/standard_keys.h"

namespace tsumiki {

namespace {

// The window's own default push button, kept on the window. The follow moves
// BS_DEFPUSHBUTTON from button to button, so the style alone cannot say which one the
// program chose.
const wchar_t kOwnDefaultProperty[] = L"tsumiki.OwnDefault";

HWND CurrentDefault(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
            return child;
        }
    }
    return nullptr;
}

HWND OwnDefault(HWND window)
{
    auto own = static_cast<HWND>(GetPropW(window, kOwnDefaultProperty));
    return own && IsChild(window, own) ? own : nullptr;
}

// BM_SETSTYLE takes the button's whole style word: only its type changes here.
void SetButtonType(HWND button, UINT type)
{
    auto style = static_cast<WPARAM>(GetWindowLongPtrW(button, GWL_STYLE) & 0xFFFF);
    SendMessageW(button, BM_SETSTYLE, (style & ~static_cast<WPARAM>(BS_TYPEMASK)) | type, TRUE);
}

}  // namespace

void detail::RememberOwnDefault(HWND window, HWND control)
{
    if (OwnDefault(window)) {
        return;
    }
    HWND own = control ? control : CurrentDefault(window);
    if (own && (SendMessageW(own, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
        SetPropW(window, kOwnDefaultProperty, own);
    }
}

void detail::ForgetOwnDefault(HWND window)
{
    RemovePropW(window, kOwnDefaultProperty);
}

LRESULT detail::AnswerDefaultId(HWND window, LRESULT ownAnswer)
{
    // The dialog manager answers IDOK for a dialog never told otherwise, control or none.
    if (HIWORD(ownAnswer) == DC_HASDEFID && GetDlgItem(window, LOWORD(ownAnswer))) {
        return ownAnswer;
    }
    if (HWND own = OwnDefault(window)) {
        return MAKELONG(GetDlgCtrlID(own), DC_HASDEFID);
    }
    return ownAnswer;
}

void detail::FollowFocusWithDefault(HWND window, HWND focus)
{
    if (!focus || !IsChild(window, focus)) {
        return;
    }
    HWND target = nullptr;
    if (IsPushButton(focus)) {
        target = focus;
    } else {
        LRESULT answer = SendMessageW(window, DM_GETDEFID, 0, 0);
        if (HIWORD(answer) == DC_HASDEFID) {
            target = GetDlgItem(window, LOWORD(answer));
        }
    }
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != target && (SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
            SetButtonType(child, BS_PUSHBUTTON);
        }
    }
    if (target && (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) {
        SetButtonType(target, BS_DEFPUSHBUTTON);
    }
}

}  // namespace tsumiki
