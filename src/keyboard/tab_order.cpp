// Tab stops and groups, the styles the platform's dialog manager moves the focus by: Tab
// goes from WS_TABSTOP to WS_TABSTOP, the arrows stay within the group a WS_GROUP starts.
#include "keyboard/standard_keys.h"

#include <vector>

namespace tsumiki {

namespace {

using namespace detail;

// Controls a user can work with the keyboard; static texts, group boxes, progress bars and
// up-down arrows (worked through their buddy) are no tab stops.
bool TakesFocus(HWND control)
{
    if (IsControlClass(control, L"Button")) {
        return ButtonType(control) != BS_GROUPBOX;
    }
    for (const wchar_t* name : {L"Edit", L"ListBox", L"ComboBox", L"ScrollBar", L"SysListView32",
                                L"SysTreeView32", L"SysTabControl32", L"msctls_trackbar32"}) {
        if (IsControlClass(control, name)) {
            return true;
        }
    }
    return false;
}

void SetStyleBit(HWND control, LONG_PTR bit, bool on)
{
    LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    LONG_PTR wanted = on ? style | bit : style & ~bit;
    if (wanted != style) {
        SetWindowLongPtrW(control, GWL_STYLE, wanted);
    }
}

}  // namespace

void detail::ArrangeTabOrder(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    // The radio buttons are one group for the platform's own clicks too (an automatic radio
    // button unchecks the others of its group), so no group starts between the first and
    // the last of them, even where other controls lie in between.
    std::size_t firstRadio = children.size(), lastRadio = 0;
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (IsRadioButton(children[i])) {
            firstRadio = firstRadio == children.size() ? i : firstRadio;
            lastRadio = i;
        }
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        HWND control = children[i];
        bool insideRadios = i > firstRadio && i <= lastRadio;
        bool continuesButtons = i > 0 && IsPushButton(control) && IsPushButton(children[i - 1]);
        SetStyleBit(control, WS_GROUP, !insideRadios && !continuesButtons);
        // Tab stops are only given, never taken: the group of radio buttons is one stop,
        // its first button's (a checked button has one of its own, which the platform moves
        // as the check moves).
        if (TakesFocus(control) && !(IsRadioButton(control) && i != firstRadio)) {
            SetStyleBit(control, WS_TABSTOP, true);
        }
    }
}

}  // namespace tsumiki
