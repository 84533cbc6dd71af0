#include "window/window_link.h"

#include "window/form_color.h"
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

// Copies a frame window's back buffer into a dc given with WM_PRINTCLIENT, in the window's
// client coordinates (a control printing its parent offsets the dc's origin).
void PrintBackBuffer(const CGraphics& buffer, HWND hwnd, HDC target)
{
    Gdiplus::GpGraphics* drawer = buffer.GetDrawer();
    HDC source = nullptr;
    // Taking the buffer's dc also flushes the drawing pending on it.
    if (!target || !drawer || Gdiplus::DllExports::GdipGetDC(drawer, &source) != Gdiplus::Ok) {
        return;
    }
    RECT client = {};
    GetClientRect(hwnd, &client);
    BitBlt(target, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    Gdiplus::DllExports::GdipReleaseDC(drawer, source);
}

// The messages on which the object is made ready before its handlers see them.
bool NeedsPreparing(UINT message)
{
    return message == WM_CREATE || message == WM_INITDIALOG || message == WM_PRINTCLIENT;
}

bool IsColourMessage(UINT message)
{
    return message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORDLG;
}

}  // namespace

LRESULT CALLBACK CWindowBase::WndProcManager(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The attached window's path is every message's cost: the rare cases are marked
    // unlikely so that it stays a short, straight run of code.
    CWindowBase* object = window_link::Find(hwnd);
    if (__builtin_expect(object != nullptr, 1)) {
        if (__builtin_expect(NeedsPreparing(message), 0)) {
            if (message == WM_INITDIALOG) {
                object->SetInit(hwnd);
                object->m_Graphics.CreateBackBuffer(hwnd);
            } else if (message == WM_CREATE) {
                object->m_Graphics.CreateBackBuffer(hwnd);
            } else if (!IsDialog(hwnd)) {
                // WM_PRINTCLIENT, first, so that a handler of the client's own draws over it.
                PrintBackBuffer(object->m_Graphics, hwnd, reinterpret_cast<HDC>(wParam));
            }
        }
        LRESULT result = 0;
        if (__builtin_expect(!object->CatchingWndProc(hwnd, message, wParam, lParam, result), 0)) {
            result = handler_exceptions::Recover(hwnd, message);
        }
        if (__builtin_expect(IsColourMessage(message), 0) && result == 0 && object->m_ClearBrush &&
            IsDialog(hwnd)) {
            // A dialog gets no colour handlers: its clear colour is answered here, unless
            // the client's WndProc answered itself.
            result = reinterpret_cast<LRESULT>(detail::PaintOnClearColor(
                reinterpret_cast<HDC>(wParam), object->m_ClearColor, object->m_ClearBrush.get()));
        }
        if (__builtin_expect(message == WM_NCDESTROY, 0)) {
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
