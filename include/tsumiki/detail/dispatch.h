// The inline half of the window objects: the dispatch of messages to handlers and the
// keeping and rethrowing of handler exceptions. It runs client handlers, so it is compiled
// into the module that defines them (README.md, "Exceptions thrown by handlers").
// Included at the end of window.h; not for direct use.
#pragma once

namespace tsumiki {

// The storage between the catch at a window procedure and the rethrow; not for clients.
namespace detail {

// An exception a handler threw, held by code of the module that caught it: holder is
// that module's std::exception_ptr, and only that module's functions rethrow or free it.
struct KeptException {
    void* holder;
    void (*rethrow)(void* holder);
    void (*discard)(void* holder);
};

// Keeps the exception for the calling thread; one kept already wins and the new one is
// discarded.
TSUMIKI_API void KeepException(const KeptException& kept);
// True while the calling thread holds a kept exception.
TSUMIKI_API bool HasKeptException();
// Hands the calling thread's kept exception over (rethrow null when there is none).
TSUMIKI_API KeptException TakeKeptException();

// WM_DPICHANGED, which the platform's headers declare only for newer WINVER values.
constexpr UINT kDpiChangedMessage = 0x02E0;
// MM_MCINOTIFY, the media notification, without the multimedia headers.
constexpr UINT kMediaNotifyMessage = 0x03B9;

// What the shell hands a window, read for the dispatch below.
// The files of a WM_DROPFILES (drop is its wParam) and the point of the drop in client
// coordinates. The drop's handle is released here, before any handler runs.
TSUMIKI_API void TakeDroppedFiles(HWND hwnd, WPARAM drop, std::vector<std::wstring>& paths,
                                  POINT& point) noexcept;
// The message a CTrayIcon's owner receives from it, registered once.
TSUMIKI_API UINT TrayIconMessage() noexcept;
// Shows the library a notice the shell sends top-level windows (WM_SETTINGCHANGE, and
// registered messages such as "TaskbarCreated"), after which the window handles it as before.
TSUMIKI_API void NoteShellMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
// The library theme's answer to a WM_CTLCOLOR... message: sets the dc's colours and gives
// the brush, or null where the platform's answer stands.
TSUMIKI_API HBRUSH ThemedColour(UINT message, HDC dc, HWND control) noexcept;
// The first message number RegisterWindowMessageW hands out.
constexpr UINT kFirstRegisteredMessage = 0xC000;

// Rethrows the exception a holder made by KeepCurrentException holds, and frees the holder.
inline void RethrowHeld(void* holder)
{
    auto* held = static_cast<std::exception_ptr*>(holder);
    std::exception_ptr exception = std::move(*held);
    delete held;
    std::rethrow_exception(exception);
}

// Frees such a holder without rethrowing.
inline void DiscardHeld(void* holder)
{
    delete static_cast<std::exception_ptr*>(holder);
}

// Inside a catch block: keeps the exception being handled.
inline void KeepCurrentException() noexcept
{
    // Without memory for the holder the exception itself is lost; bad_alloc stands in.
    auto* holder = new (std::nothrow) std::exception_ptr(std::current_exception());
    KeepException({holder, &RethrowHeld, &DiscardHeld});
}

// Rethrows the calling thread's kept exception, if any.
inline void RethrowKeptException()
{
    KeptException kept = TakeKeptException();
    if (!kept.rethrow) {
        return;
    }
    if (!kept.holder) {
        throw std::bad_alloc();
    }
    kept.rethrow(kept.holder);
}

// The button a mouse button message is about.
inline EMouseButton ButtonOf(UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return MOUSE_RIGHT;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return MOUSE_MIDDLE;
    case WM_XBUTTONDOWN: case WM_XBUTTONUP: case WM_XBUTTONDBLCLK:
        return HIWORD(wParam) == XBUTTON2 ? MOUSE_X2 : MOUSE_X1;
    default: return MOUSE_LEFT;
    }
}

// What a window answers for a mouse button message: the X button messages want TRUE.
inline LRESULT ButtonResult(UINT message)
{
    return message == WM_XBUTTONDOWN || message == WM_XBUTTONUP || message == WM_XBUTTONDBLCLK;
}

}  // namespace detail

// The inline parts of the classes above: they run handlers, so they are compiled into
// the module that defines them (see "Exceptions thrown by handlers" at the top).

inline bool CWindowBase::CatchingWndProc(HWND hwnd, UINT message, WPARAM wParam,
                                         LPARAM lParam, LRESULT& result) noexcept
{
    try {
        result = WndProc(hwnd, message, wParam, lParam);
        return true;
    } catch (...) {
        detail::KeepCurrentException();
        return false;
    }
}

inline bool CWindowBase::DispatchShared(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_DESTROY:
        OnDestroy(hwnd);
        return true;
    case WM_CLOSE:
        OnClose(hwnd);
        return true;
    case WM_COPYDATA:
        OnCopyData(hwnd, reinterpret_cast<HWND>(wParam), reinterpret_cast<COPYDATASTRUCT*>(lParam));
        return true;
    case WM_NOTIFY:
        result = OnNotify(hwnd, static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
        return true;
    case WM_COMMAND:
        OnCommand(hwnd, LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return true;
    case WM_HSCROLL:
        OnHScroll(hwnd, reinterpret_cast<HWND>(lParam), LOWORD(wParam),
                  static_cast<short>(HIWORD(wParam)));
        return true;
    case WM_VSCROLL:
        OnVScroll(hwnd, reinterpret_cast<HWND>(lParam), LOWORD(wParam),
                  static_cast<short>(HIWORD(wParam)));
        return true;
    case WM_DROPFILES: {
        std::vector<std::wstring> paths;
        POINT point = {};
        detail::TakeDroppedFiles(hwnd, wParam, paths, point);
        OnDropFiles(hwnd, paths, point.x, point.y);
        return true;
    }
    case WM_SETTINGCHANGE:
        detail::NoteShellMessage(hwnd, message, wParam, lParam);
        return false;
    default:
        if (message >= detail::kFirstRegisteredMessage) {
            if (message == detail::TrayIconMessage()) {
                // NOTIFYICON_VERSION_4: the event in the low word, the place in wParam.
                OnTrayIcon(hwnd, LOWORD(lParam), static_cast<short>(LOWORD(wParam)),
                           static_cast<short>(HIWORD(wParam)));
                return true;
            }
            detail::NoteShellMessage(hwnd, message, wParam, lParam);
        }
        return false;
    }
}

inline LRESULT CALLBACK CWindowBase::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (DispatchShared(hwnd, message, wParam, lParam, result)) {
        return result;
    }
    // Sizes and positions are signed 16-bit halves.
    int low = static_cast<short>(LOWORD(lParam));
    int high = static_cast<short>(HIWORD(lParam));
    switch (message) {
    case WM_CREATE:
        return OnCreate(hwnd, reinterpret_cast<CREATESTRUCTW*>(lParam)) ? 0 : -1;
    case WM_SIZE:
        OnSize(hwnd, static_cast<UINT>(wParam), low, high);
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
        OnSysCommand(hwnd, static_cast<UINT>(wParam), low, high);
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
    case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
        if (HBRUSH themed = detail::ThemedColour(message, reinterpret_cast<HDC>(wParam),
                                                 reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(themed);
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case detail::kMediaNotifyMessage:
        ReplayMedia(hwnd, wParam, lParam);
        return 0;
    case detail::kDpiChangedMessage:
        OnDpiChanged(hwnd, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_KEYDOWN:
        m_Input.Note(hwnd, message, wParam, lParam);
        OnKeyDown(hwnd, static_cast<UINT>(wParam), (lParam & 0x40000000) != 0);
        return 0;
    case WM_KEYUP:
        m_Input.Note(hwnd, message, wParam, lParam);
        OnKeyUp(hwnd, static_cast<UINT>(wParam));
        return 0;
    case WM_CHAR:
        OnChar(hwnd, static_cast<wchar_t>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        m_Input.Note(hwnd, message, wParam, lParam);
        OnMouseMove(hwnd, low, high, LOWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_XBUTTONDOWN:
        m_Input.Note(hwnd, message, wParam, lParam);
        OnMouseDown(hwnd, detail::ButtonOf(message, wParam), low, high, LOWORD(wParam));
        return detail::ButtonResult(message);
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: case WM_XBUTTONUP:
        m_Input.Note(hwnd, message, wParam, lParam);
        OnMouseUp(hwnd, detail::ButtonOf(message, wParam), low, high, LOWORD(wParam));
        return detail::ButtonResult(message);
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK: case WM_XBUTTONDBLCLK:
        m_Input.Note(hwnd, message, wParam, lParam);
        OnMouseDoubleClick(hwnd, detail::ButtonOf(message, wParam), low, high, LOWORD(wParam));
        return detail::ButtonResult(message);
    case WM_MOUSEWHEEL: {
        m_Input.Note(hwnd, message, wParam, lParam);
        POINT point = {low, high};
        ScreenToClient(hwnd, &point);
        OnMouseWheel(hwnd, static_cast<short>(HIWORD(wParam)), point.x, point.y, LOWORD(wParam));
        return 0;
    }
    case WM_SYSKEYDOWN: case WM_SYSKEYUP: case WM_KILLFOCUS: case WM_ACTIVATEAPP:
    case WM_CAPTURECHANGED: case WM_ENTERMENULOOP:
    case WM_SETFOCUS: case WM_EXITMENULOOP:
        // Only the input state sees these; the platform does the rest as before.
        m_Input.Note(hwnd, message, wParam, lParam);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

inline LRESULT CALLBACK CControlBase::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(m_DefWndProc, hwnd, message, wParam, lParam);
}

inline bool CDialogBase::CreateDiag(const wchar_t* title, int width, int height, int x, int y,
                                    bool modal, HWND parent)
{
    bool made = OpenDialog(title, width, height, x, y, modal, parent);
    if (modal) {
        detail::RethrowKeptException();
    }
    return made;
}

inline LRESULT CALLBACK CDialogBase::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        return OnInitDialog(hwnd, reinterpret_cast<HWND>(wParam), lParam);
    }
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        // A brush is the answer itself; null leaves the colours to the dialog manager.
        return reinterpret_cast<LRESULT>(detail::ThemedColour(
            message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    }
    LRESULT result = 0;
    // Whatever else arrives is left to the dialog manager's default processing (0).
    DispatchShared(hwnd, message, wParam, lParam, result);
    return result;
}

}  // namespace tsumiki
