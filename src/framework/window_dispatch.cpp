#include "framework/window_link.h"

#include <mmsystem.h>

#include "framework/shared_dispatch.h"

namespace {

int SignedLow(LPARAM value)
{
    return static_cast<short>(LOWORD(value));
}

int SignedHigh(LPARAM value)
{
    return static_cast<short>(HIWORD(value));
}

// Repeats media played with notification to a framework window: a device that ended
// normally starts again from the beginning.
void ReplayFinishedDevice(HWND hwnd, WPARAM outcome, LPARAM device)
{
    if (outcome != MCI_NOTIFY_SUCCESSFUL) {
        return;
    }
    auto id = static_cast<MCIDEVICEID>(device);
    // A parameter block is required: some drivers refuse a seek without one.
    MCI_SEEK_PARMS seek = {};
    mciSendCommandW(id, MCI_SEEK, MCI_SEEK_TO_START, reinterpret_cast<DWORD_PTR>(&seek));
    MCI_PLAY_PARMS play = {};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(hwnd);
    mciSendCommandW(id, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

// True for a window of the platform's dialog class, for which this procedure is called
// as the dialog procedure.
bool IsDialog(HWND hwnd)
{
    return GetClassLongPtrW(hwnd, GCW_ATOM) == reinterpret_cast<ULONG_PTR>(WC_DIALOG);
}

}  // namespace

LRESULT CALLBACK CWindowBase::WndProcManager(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowBase* object = window_link::Find(hwnd);
    if (object) {
        if (message == WM_INITDIALOG) {
            object->SetInit(hwnd);
            object->m_Graphics.CreateBackBuffer(hwnd);
        } else if (message == WM_CREATE) {
            object->m_Graphics.CreateBackBuffer(hwnd);
        }
        LRESULT result = object->WndProc(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            // The window's last message: nothing may reach the object through it afterwards.
            window_link::Detach(hwnd);
        }
        return result;
    }
    // A window created while no object waits for it (a direct CreateWindowExW) stays
    // unattached; attaching null and re-sending would come back here without end.
    if ((message == WM_CREATE || message == WM_INITDIALOG) && m_pThis) {
        CWindowBase* pending = m_pThis;
        m_pThis = nullptr;
        window_link::Attach(hwnd, pending);
        SendMessageW(hwnd, message, wParam, lParam);
    }
    if (IsDialog(hwnd)) {
        // A dialog procedure leaves what it does not handle to the dialog manager by
        // answering 0. Calling DefWindowProcW here would do the default twice and hand the
        // sender the dialog's message result instead of the default's answer.
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool DispatchSharedMessage(CWindowBase& object, HWND hwnd, UINT message, WPARAM wParam,
                           LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_DESTROY:
        object.OnDestroy(hwnd);
        return true;
    case WM_CLOSE:
        object.OnClose(hwnd);
        return true;
    case WM_COPYDATA:
        object.OnCopyData(hwnd, reinterpret_cast<HWND>(wParam),
                          reinterpret_cast<COPYDATASTRUCT*>(lParam));
        return true;
    case WM_NOTIFY:
        result = object.OnNotify(hwnd, static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
        return true;
    case WM_COMMAND:
        object.OnCommand(hwnd, LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return true;
    case WM_HSCROLL:
        object.OnHScroll(hwnd, reinterpret_cast<HWND>(lParam), LOWORD(wParam), SignedHigh(wParam));
        return true;
    case WM_VSCROLL:
        object.OnVScroll(hwnd, reinterpret_cast<HWND>(lParam), LOWORD(wParam), SignedHigh(wParam));
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK CWindowBase::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (DispatchSharedMessage(*this, hwnd, message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_CREATE:
        return OnCreate(hwnd, reinterpret_cast<CREATESTRUCTW*>(lParam)) ? 0 : -1;
    case WM_SIZE:
        OnSize(hwnd, static_cast<UINT>(wParam), SignedLow(lParam), SignedHigh(lParam));
        return 0;
    case WM_ACTIVATE:
        OnActivate(hwnd, LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_PAINT:
        OnPaint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkGnd(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_SYSCOMMAND:
        OnSysCommand(hwnd, static_cast<UINT>(wParam), SignedLow(lParam), SignedHigh(lParam));
        return 0;
    case WM_TIMER:
        OnTimer(hwnd, static_cast<UINT>(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
        return reinterpret_cast<LRESULT>(OnCtlColorEdit(
            hwnd, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), CTLCOLOR_EDIT));
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(OnCtlColorStatic(
            hwnd, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), CTLCOLOR_STATIC));
    case MM_MCINOTIFY:
        ReplayFinishedDevice(hwnd, wParam, lParam);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
