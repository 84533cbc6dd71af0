#include "window/window_link.h"

#include "window/handler_exceptions.h"
#include "window/media_notify.h"

#include <atomic>

namespace tsumiki {

namespace {

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
        LRESULT result = 0;
        if (!object->CatchingWndProc(hwnd, message, wParam, lParam, result)) {
            result = handler_exceptions::Recover(hwnd, message);
        }
        if (message == WM_NCDESTROY) {
            // The window's last message: nothing may reach the object through it afterwards.
            window_link::Detach(hwnd);
        }
        return result;
    }
    // A window created while no object waits for it (a direct CreateWindowExW) stays
    // unattached; attaching null and re-sending would come back here without end.
    if (message == WM_CREATE || message == WM_INITDIALOG) {
        bool modalDialog = false;
        if (CWindowBase* pending = window_link::TakeExpected(&modalDialog)) {
            window_link::Attach(hwnd, pending);
            // Known before OnCreate or OnInitDialog runs, so that GetWndHandle() serves there.
            pending->m_hWnd = hwnd;
            if (modalDialog) {
                handler_exceptions::SwapModalDialog(hwnd);
            }
            SendMessageW(hwnd, message, wParam, lParam);
        }
    }
    if (IsDialog(hwnd)) {
        // A dialog procedure leaves what it does not handle to the dialog manager by
        // answering 0. Calling DefWindowProcW here would do the default twice and hand the
        // sender the dialog's message result instead of the default's answer.
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

namespace {

// Installed by the media code; read on every window's thread.
std::atomic<detail::MediaNotifyHandler> g_MediaNotifyHandler{nullptr};

}  // namespace

void detail::SetMediaNotifyHandler(MediaNotifyHandler handler)
{
    g_MediaNotifyHandler.store(handler);
}

void CWindowBase::ReplayMedia(HWND hwnd, WPARAM outcome, LPARAM device)
{
    if (detail::MediaNotifyHandler handler = g_MediaNotifyHandler.load()) {
        handler(hwnd, outcome, device);
    }
}

}  // namespace tsumiki
