// A window's place kept in settings, and put back on a monitor that is there.
#include "tsumiki/desktop.h"

#include "desktop/settings_text.h"

#include <algorithm>
#include <climits>

namespace tsumiki {

namespace {

// Coordinates beyond this are no place on any desktop.
constexpr int kFarthest = 1 << 20;
// How far below a window's top edge its title bar is looked for.
constexpr int kTitleBarDepth = 16;

// A placement's normal rectangle is in workspace coordinates (but for tool windows):
// the screen's, shifted by the primary monitor's taskbar on its left or top.
POINT WorkspaceOffset(HWND window)
{
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) {
        return POINT{0, 0};
    }
    MONITORINFO primary = {};
    primary.cbSize = sizeof(primary);
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    return POINT{primary.rcWork.left - primary.rcMonitor.left, primary.rcWork.top - primary.rcMonitor.top};
}

// The rectangle (screen coordinates) as it is when its title bar lies on a monitor;
// otherwise moved, and shrunk if need be, into the nearest monitor's work area.
RECT OntoAMonitor(RECT rect)
{
    POINT titleBar = {rect.left + (rect.right - rect.left) / 2,
                      rect.top + std::min<LONG>(kTitleBarDepth, (rect.bottom - rect.top) / 2)};
    if (MonitorFromPoint(titleBar, MONITOR_DEFAULTTONULL)) {
        return rect;
    }
    MONITORINFO nearest = {};
    nearest.cbSize = sizeof(nearest);
    GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &nearest);
    const RECT& work = nearest.rcWork;
    LONG width = std::min(rect.right - rect.left, work.right - work.left);
    LONG height = std::min(rect.bottom - rect.top, work.bottom - work.top);
    LONG left = std::max(work.left, std::min(rect.left, work.right - width));
    LONG top = std::max(work.top, std::min(rect.top, work.bottom - height));
    return RECT{left, top, left + width, top + height};
}

}  // namespace

bool CSettings::SaveWindowPlacement(HWND window, const wchar_t* section)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (!window || !IsWindow(window) || !settings_text::IsValidSectionName(section) ||
        !GetWindowPlacement(window, &placement)) {
        return false;
    }
    const RECT& normal = placement.rcNormalPosition;
    SetInt(section, L"left", normal.left);
    SetInt(section, L"top", normal.top);
    SetInt(section, L"right", normal.right);
    SetInt(section, L"bottom", normal.bottom);
    // A minimised window remembers whether it comes back maximised.
    SetBool(section, L"maximized", placement.showCmd == SW_SHOWMAXIMIZED ||
                                       (IsIconic(window) && (placement.flags & WPF_RESTORETOMAXIMIZED)));
    return true;
}

bool CSettings::RestoreWindowPlacement(HWND window, const wchar_t* section)
{
    if (!window || !IsWindow(window)) {
        return false;
    }
    RECT rect = {GetInt(section, L"left", INT_MIN), GetInt(section, L"top", INT_MIN),
                 GetInt(section, L"right", INT_MIN), GetInt(section, L"bottom", INT_MIN)};
    for (LONG edge : {rect.left, rect.top, rect.right, rect.bottom}) {
        if (edge < -kFarthest || edge > kFarthest) {
            return false;
        }
    }
    if (rect.right <= rect.left || rect.bottom <= rect.top) {
        return false;
    }
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    POINT offset = WorkspaceOffset(window);
    OffsetRect(&rect, offset.x, offset.y);
    rect = OntoAMonitor(rect);
    OffsetRect(&rect, -offset.x, -offset.y);
    placement.rcNormalPosition = rect;
    placement.flags = 0;
    placement.showCmd = !IsWindowVisible(window)                    ? SW_HIDE
                        : GetBool(section, L"maximized", false) ? SW_SHOWMAXIMIZED
                                                                  : SW_SHOWNORMAL;
    return SetWindowPlacement(window, &placement) != FALSE;
}

}  // namespace tsumiki
