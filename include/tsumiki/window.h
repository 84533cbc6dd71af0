// Window objects: window objects bound to platform windows, dispatch of messages to
// virtual handlers, dialogs, the subclassing base of controls, and timers. How a message
// reaches a handler, what happens to an exception a handler throws, and which thread may
// use what: README.md, "How it works".
//
// Classes in this file:
//   CTimer        a window timer that lives no longer than its object
//   CWindowBase   base of every window object: frame windows, dialogs and controls
//   CControlBase  base of every control wrapper: creation and subclassing
//   CDialogBase   a modal or modeless dialog made without resources, placed in pixels
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <exception>
#include <memory>
#include <new>
#include <type_traits>
#include <string>
#include <vector>

#include "tsumiki/export.h"
#include "tsumiki/form.h"
#include "tsumiki/graphics.h"
#include "tsumiki/input.h"

namespace tsumiki {

// A window timer whose ticks reach the window object's OnTimer; it lives no longer than its
// object and its copies.
class TSUMIKI_API CTimer {
public:
    CTimer();
    // Copies refer to the same platform timer; it is killed when the last of them dies.
    CTimer(const CTimer& other);
    CTimer& operator=(const CTimer& other);
    virtual ~CTimer();

    // Starts a timer on the window with a fresh identifier from the library's counter.
    // Its ticks arrive as WM_TIMER, at the window object's OnTimer. The callback is ignored
    // (never called, whatever is passed): it is there for callers written against it. A
    // second Create leaves the first timer running until its window is destroyed. A null
    // or dead window is refused: no timer starts and the object keeps the timer it had.
    void Create(HWND window, int elapse, TIMERPROC callback = nullptr);
    int GetID() const;

    struct Binding;

private:
    std::shared_ptr<Binding> m_Binding;
};

// The base of every window object: a frame window on the class "BASIC_WINDOW", a dialog or
// a control. Its window's messages reach the virtual handlers below; each window has a
// back buffer (m_Graphics) to draw into and a timer (m_Timer).
class TSUMIKI_API CWindowBase {
public:
    CWindowBase();
    // A copy refers to the same window, shares the back buffer and the timer, and is not
    // attached to the window: messages keep going to the object that created it.
    CWindowBase(const CWindowBase& other);
    CWindowBase& operator=(const CWindowBase& other);
    // Unlinks every window still linked to the object (its frame window or dialog, and
    // controls subclassed to it): their later messages go to the platform's default
    // procedure (a dialog's to the dialog manager, a control's to its own). Never destroys
    // a window. A window should still not outlive its object: it then does nothing useful.
    virtual ~CWindowBase();

    // Size comes before position. With a parent the window becomes WS_CHILD, without one
    // it gets WS_CLIPCHILDREN. For a frame window pass the class name "BASIC_WINDOW".
    // During the creation the object is attached to the window, its back buffer is built
    // and OnCreate runs; the window is then updated and shown. An object serves one window:
    // a window it made before that still lives is unlinked from it (as when it dies).
    virtual bool CreateWnd(const wchar_t* title, int width, int height, int x, int y,
                           HWND parent, HMENU menu, const wchar_t* className,
                           DWORD style, DWORD exStyle);
    // The window's parent (for a top-level window, the desktop).
    virtual HWND GetParentWndHandle();
    // Cracks a message and calls its handler below. A message without a handler goes to
    // DefWindowProcW. MM_MCINOTIFY is answered here too: media played with notification
    // to this window that ends normally is played again from the start (an override that
    // keeps MM_MCINOTIFY from reaching this ends the repeat). An override sees every
    // message first and ends in this for the rest. Declare it with CALLBACK, as here:
    //     LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Without it the override compiles on x86_64 but fails on i686 with "conflicting type
    // attributes" (CALLBACK is __stdcall there, and an override keeps the convention).
    inline virtual LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The handlers. Inside OnCreate (and a dialog's OnInitDialog) GetWndHandle() is already
    // the new window, the hwnd passed in: the handle is stored when the object is attached.

    // WM_CREATE, after the back buffer was built. The default returns 1. The result does
    // not stop the creation (the window exists already when the object is attached); a
    // WM_CREATE sent again later answers -1 when it is 0.
    virtual int OnCreate(HWND hwnd, CREATESTRUCTW* create);
    // WM_ERASEBKGND. The default returns 1 without erasing: the back buffer covers the
    // whole client area, and erasing first would only flicker.
    virtual int OnEraseBkGnd(HWND hwnd, HDC dc);
    // WM_PAINT. The default clears the back buffer to white (or the colour given to
    // SetClearColor) and presents it. An override must present the buffer (or validate the
    // window itself): a window left invalid is sent WM_PAINT again at once. The window
    // answers WM_PRINTCLIENT with its buffer, so that controls drawn on it (group boxes,
    // themed parts) show what it shows.
    virtual void OnPaint(HWND hwnd);
    // WM_COMMAND from a control (code = its notification), a menu (control null, code 0)
    // or an accelerator (code 1); id is the 16-bit identifier. The default does nothing.
    virtual void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    // WM_NOTIFY; the result goes back to the control. The default returns 0.
    virtual LRESULT OnNotify(HWND hwnd, int id, NMHDR* header);
    // WM_SYSCOMMAND. The default hands it to DefWindowProcW: an override that does not
    // call it loses moving, sizing, minimising and closing from the title bar, the system
    // menu and Alt+F4.
    virtual void OnSysCommand(HWND hwnd, UINT command, int x, int y);
    // WM_ACTIVATE. The default rebuilds the back buffer at the client size and invalidates
    // the window: an override must call it, or the buffer stays as it was.
    virtual void OnActivate(HWND hwnd, UINT state, HWND other, int minimized);
    // WM_SIZE. The default rebuilds the back buffer at the new client size and invalidates
    // the window: an override must call it, or the buffer keeps its old size and what lies
    // outside it is never painted.
    virtual void OnSize(HWND hwnd, UINT type, int width, int height);
    // WM_TIMER, for timers made by CTimer::Create. The default does nothing.
    virtual void OnTimer(HWND hwnd, UINT id);
    // WM_COPYDATA; the data lives only during the call. The default does nothing.
    virtual void OnCopyData(HWND hwnd, HWND sender, COPYDATASTRUCT* data);
    // WM_HSCROLL and WM_VSCROLL; position is meaningful for SB_THUMBTRACK and
    // SB_THUMBPOSITION only. The defaults do nothing.
    virtual void OnHScroll(HWND hwnd, HWND scrollBar, UINT code, int position);
    virtual void OnVScroll(HWND hwnd, HWND scrollBar, UINT code, int position);
    // WM_CTLCOLORSTATIC and WM_CTLCOLOREDIT: the brush a control paints its background
    // with, after setting the dc's colours; static texts, check boxes, group boxes and
    // read-only or disabled edits ask through the first, editable edits the second. The
    // defaults give DefWindowProcW's static colours (the dialog face colour) to both, so
    // edits look like static text; once SetClearColor was called, the first gives that
    // colour instead and the second the window colours (COLOR_WINDOW, COLOR_WINDOWTEXT),
    // as a dialog gives its edits. A brush an override returns is not deleted by the
    // control: keep it alive while it is used.
    // Under the dark library theme (SetLibraryTheme) the defaults give its dark colours.
    virtual HBRUSH OnCtlColorStatic(HWND hwnd, HDC dc, HWND control, int kind);
    virtual HBRUSH OnCtlColorEdit(HWND hwnd, HDC dc, HWND control, int kind);
    // WM_CLOSE. The default destroys the window; an override that does not call it keeps
    // the window open when the user closes it.
    virtual void OnClose(HWND hwnd);
    // WM_DESTROY. The default posts WM_QUIT: closing any frame window whose class does not
    // override this ends MessageLoop, also when other windows remain.
    virtual void OnDestroy(HWND hwnd);
    // WM_DPICHANGED, in a program that declares DPI awareness (tsumiki_windows_manifest
    // DPI_AWARE) when its window moves to a screen of another DPI, or the user changes the
    // scale. dpi is the new DPI, suggested the outer rectangle the system proposes (in
    // screen coordinates; null when there is none). The default moves the window to the
    // suggested rectangle (a null one, or one without width or height, is ignored; one
    // larger than the whole desktop is cut to the desktop's size), rebuilds the back buffer
    // at the new client size, gives the controls on it made under SetControlFontFace their
    // font at the new DPI (taken between 48 and 960), and invalidates the window. An
    // override that skips it keeps the old size, buffer and fonts: the window then looks
    // too small or too large on the new screen. Controls are not moved: an override lays
    // them out again with Scale, and ends in this. Dialogs do not receive it.
    virtual void OnDpiChanged(HWND hwnd, int dpi, const RECT* suggested);

    // The window (null before creation, the new window from OnCreate on), the procedure saved for it,
    // its identifier, and its outer and client sizes in pixels.
    HWND GetWndHandle() const;
    WNDPROC GetDefWndProc() const;
    int GetID() const;
    int GetWidth() const;
    int GetHeight() const;
    int GetClientWidth() const;
    int GetClientHeight() const;
    // Resizes or moves the window (outer size; position as GetX and GetY answer it).
    void SetSize(int width, int height);
    // Resizes the window so that its client area is width x height pixels, whatever its
    // caption, borders and menu bar take (a game's 800 x 600). True when the client area
    // has that size afterwards; false without a window, for a negative size, or when the
    // platform or the window's limits (SetMinClientSize, the screen) allow no such size.
    bool SetClientSize(int width, int height);
    void SetPos(int x, int y);
    // Position as SetPos takes it: parent client coordinates for a child, screen otherwise.
    int GetX() const;
    int GetY() const;
    void SetWindowStyle(DWORD style);
    void SetWindowExStyle(DWORD exStyle);
    // The style words SetWindowStyle and SetWindowExStyle set, to add a flag to them; 0
    // without a window.
    DWORD GetWindowStyle() const;
    DWORD GetWindowExStyle() const;
    // Shows or hides the window, as it is (no activation, no change of size). Nothing
    // without a window.
    void Show(bool visible);
    // Asks the window to close as its close box does: OnClose runs once the message in
    // hand is done (a handler may call it for its own window). Nothing without a window.
    void Close();
    // Gives the window, a control of this thread, the keyboard focus. True when it has the
    // focus afterwards.
    bool Focus();
    void SetWndProc(WNDPROC procedure);
    void Invalidate(HWND hwnd, int erase);
    // Makes the window layered with the given opacity and lets mouse input pass through.
    void Alpha(unsigned char alpha, DWORD keyColor);
    // Load an icon or cursor file and make it the class's (every "BASIC_WINDOW" shows it);
    // a file that does not load changes nothing.
    void SetIconImage(const wchar_t* path);
    void SetCursorImage(const wchar_t* path);
    // Turns on (or off) the standard keys of this frame window or dialog, modal or
    // modeless: Tab and Shift+Tab between its controls (which become tab stops), the
    // arrows within a group, Enter, Escape and Alt plus a mnemonic, as README.md, "Keyboard",
    // lists them; the default push button follows the focus, and the focus returns to its
    // control when the window is activated again. Needs the window to exist (call it in
    // OnCreate, OnInitDialog, or after CreateWnd or CreateDiag); an object without a window,
    // a dead window or a control changes nothing. Off (the default, and after
    // UseStandardKeys(false)) the loops take none of these keys; tab stops and groups
    // already given stay. Use it on the window's thread.
    void UseStandardKeys(bool on = true);

    // The window's DPI: 96 at 100 % scale, 144 at 150 %. Before the window exists, the
    // system's. 96 where the platform cannot say, and always 96 in a program that does not
    // declare DPI awareness in its manifest (tsumiki_windows_manifest DPI_AWARE): such a
    // program is drawn at 96 DPI and stretched by the system, so its pixels are 96 DPI
    // pixels. Awareness declared by SetProcessDpiAwarenessContext instead is not seen.
    int GetDpi() const;
    // A length laid out for 96 DPI, in this window's pixels: MulDiv(pixelsAt96, GetDpi(),
    // 96), halves rounded away from zero as MulDiv rounds them. A result beyond the range
    // of int is clamped to INT_MIN or INT_MAX (where MulDiv would answer -1).
    int Scale(int pixelsAt96) const;
    // The same for a fractional length, unrounded.
    float ScaleF(float pixelsAt96) const;

    // Full screen for a top-level window. On: the window loses its caption and borders
    // (a menu bar stays) and covers the whole monitor it is mostly on, above other
    // windows; the back buffer follows the new client size. Off: it gets back exactly the
    // style, extended style, position and size it had (maximised, if it was). True when
    // the window is now as asked (asking for the state it is in changes nothing); false,
    // changing nothing, without a window or for a child window. Use it on the window's
    // thread.
    bool SetFullScreen(bool on);
    // Whether SetFullScreen(true) holds for the window now.
    bool IsFullScreen() const;

    // The input handlers. m_Input is up to date when they run. Each default hands the
    // message, rebuilt from the arguments, to DefWindowProcW, as a window without the
    // handler does. Keys with Alt held and F10 arrive as system keys, which never reach
    // these handlers: the platform keeps them, so Alt+F4 and the menu keys go on working.

    // WM_KEYDOWN; repeated is true for the platform's repeats of a held key. The default
    // hands it to DefWindowProcW.
    virtual void OnKeyDown(HWND hwnd, UINT virtualKey, bool repeated);
    // WM_KEYUP. The default hands it to DefWindowProcW.
    virtual void OnKeyUp(HWND hwnd, UINT virtualKey);
    // WM_CHAR: the character a key gave, after the keyboard layout. The default hands it
    // to DefWindowProcW.
    virtual void OnChar(HWND hwnd, wchar_t character);
    // WM_MOUSEMOVE at x, y in client coordinates (negative left of and above the client
    // area, where the mouse is seen while captured); keys are the MK_ flags. The default
    // hands it to DefWindowProcW.
    virtual void OnMouseMove(HWND hwnd, int x, int y, UINT keys);
    // A button went down or up, or was double-clicked (the second press of a double click
    // reaches OnMouseDoubleClick only), at x, y in client coordinates; keys are the MK_
    // flags. While a button is held the window has the mouse captured, so the release
    // arrives also outside the window. The defaults hand them to DefWindowProcW (for the
    // X buttons, which send WM_APPCOMMAND from there).
    virtual void OnMouseDown(HWND hwnd, EMouseButton button, int x, int y, UINT keys);
    virtual void OnMouseUp(HWND hwnd, EMouseButton button, int x, int y, UINT keys);
    virtual void OnMouseDoubleClick(HWND hwnd, EMouseButton button, int x, int y, UINT keys);
    // WM_MOUSEWHEEL: delta is 120 a notch, positive away from the user; x, y are in client
    // coordinates (the platform gives the screen's). The default hands it to
    // DefWindowProcW, which passes it on to the parent window.
    virtual void OnMouseWheel(HWND hwnd, int delta, int x, int y, UINT keys);

    // The one source of identifiers for controls, menu items and timers: 32769, 32770, ...
    // 65535, then 32769 again, so that every identifier fits the 16 bits WM_COMMAND
    // carries. Safe to call from any thread.
    static int CreateResourceID();
    // Window procedure of "BASIC_WINDOW" and dialog procedure of the library's dialogs.
    // The first WM_CREATE or WM_INITDIALOG attaches the object whose window the calling
    // thread is creating; from then on messages go to its WndProc until WM_NCDESTROY.
    static LRESULT CALLBACK WndProcManager(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The desktop: files dropped on the window, its tray icons, its title bar.

    // Lets the user drop files on the window from Explorer (on: true), or stops it. The
    // files arrive at OnDropFiles. Drops from programs of lower integrity (Explorer, for an
    // elevated program) are let through the message filter. A window that does not exist
    // changes nothing. Use it on the window's thread.
    void AcceptFiles(bool on = true);
    // WM_DROPFILES: the files dropped, each with its full path (longer than MAX_PATH
    // too), and the point of the drop in client coordinates (negative when the files fell
    // on the frame left of or above the client area). The drop's handle is released before
    // this runs, whatever the override does. The default does nothing.
    virtual void OnDropFiles(HWND hwnd, const std::vector<std::wstring>& paths, int x, int y);
    // The callback message of a CTrayIcon this window owns: mouseMessage says what
    // happened (WM_CONTEXTMENU, WM_LBUTTONUP, WM_LBUTTONDBLCLK, NIN_SELECT, NIN_KEYSELECT,
    // NIN_BALLOONUSERCLICK, ...), x and y where, in screen coordinates. The default does
    // nothing.
    virtual void OnTrayIcon(HWND hwnd, UINT mouseMessage, int x, int y);
    // Asks the system to draw the window's title bar dark (on: true) or light again, as
    // dark-mode programs of Windows 10 and 11 do, and redraws the frame. Harmless where
    // the system has no dark title bars (before Windows 10, and Wine, which accepts the
    // request and draws nothing). A window that does not exist changes nothing.
    void UseDarkTitleBar(bool on = true);

    // Forms: controls that follow the window's size, size limits, one call to place a
    // window, and the colour a form is painted in. Use them on the window's thread.

    // Anchors a control of this window (a direct child) to edges of the client area
    // (EAnchor values, combined with |): from now on it keeps the distances to those edges
    // it has at this call. Anchored left and right it stretches with the width; to neither,
    // its centre keeps its share of the width; top and bottom likewise. Whenever the window
    // is resized (WM_SIZE) all its anchored controls move at once, in one DeferWindowPos
    // batch, each at most once, before OnSize runs. When the DPI changes (WM_DPICHANGED)
    // the distances, and the sizes that do not stretch, are scaled with it. Works on frame
    // windows and on modal and modeless dialogs (give a dialog WS_THICKFRAME, with
    // SetWindowStyle in OnInitDialog, to let the user resize it). Anchoring a control again
    // measures it again. Ignored for a control that is not this window's child, edges
    // outside ANCHOR_ALL, or an object without a window. A destroyed control is dropped.
    void Anchor(HWND control, UINT edges);
    // The smallest and largest client area the user (or SetWindowPos) may give a top-level
    // window, in pixels at 96 DPI, scaled with the window's DPI (and again when it
    // changes), through WM_GETMINMAXINFO; a window outside the limits is brought within
    // them at once. A width or height of 0 or less sets no limit in that direction; a
    // maximum below the minimum is raised to it. Nothing without a window.
    void SetMinClientSize(int width, int height);
    void SetMaxClientSize(int width, int height);
    // Places and sizes the window in one call: x and y in the parent's client coordinates
    // for a child, on the screen for a top-level window; width and height are the outer
    // size, as SetSize takes it. False when the window does not exist or refuses.
    bool Move(int x, int y, int width, int height);
    // The colour (ARGB) the default OnPaint clears the back buffer with; white until set.
    // Once set, static texts, check boxes, radio buttons and group boxes on the window paint
    // their background in it too (its RGB part), through the default OnCtlColorStatic, and
    // a dialog's background takes it, while edits to type into are white as in a dialog
    // (the default OnCtlColorEdit): an override of the colour messages keeps its own
    // answer. SystemFormColor() is the platform's dialog colour.
    void SetClearColor(unsigned long argb);

protected:
    // Called on WM_INITDIALOG before the back buffer is built.
    virtual void SetInit(HWND hwnd);
    // The library's procedures call WndProc through this: it catches whatever WndProc
    // throws, keeps it for the thread and returns false. Defined inline, so a client's
    // class runs its own copy, compiled with the client's unwinder.
    inline virtual bool CatchingWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                 LRESULT& result) noexcept;
    // Cracks the messages frame windows and dialogs share (WM_DESTROY, WM_CLOSE,
    // WM_COPYDATA, WM_NOTIFY, WM_COMMAND, WM_HSCROLL, WM_VSCROLL, WM_DROPFILES and the
    // tray icon's callback) into their handlers and stores what goes back to the platform
    // in result; false, touching nothing, otherwise. The shell's notices to top-level
    // windows are shown to the library on the way and answer false.
    inline bool DispatchShared(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Plays a device that notified this window with MCI_NOTIFY_SUCCESSFUL again from the
    // start (the library's media code answers it: always with the DLL, and in a program
    // of the static library once CMCI is linked into it).
    static void ReplayMedia(HWND hwnd, WPARAM outcome, LPARAM device);

    // The window this object is attached to (null before creation).
    HWND m_hWnd;
    // The procedure messages go on to when a handler passes them on.
    WNDPROC m_DefWndProc;
    // The window's back buffer, the size of its client area; OnPaint presents it.
    CGraphics m_Graphics;
    // A timer for the window object's own use (Create it in OnCreate).
    CTimer m_Timer;
    // The keyboard and mouse as this window saw them, updated before the handlers run;
    // GameLoop starts its next frame after each frame.
    CInput m_Input;

    // The last identifier handed out (32768 before the first).
    static std::atomic<int> m_CounterID;

    // The colour of SetClearColor (opaque white until it is called).
    unsigned long m_ClearColor;
    // The brush the controls paint their background with once SetClearColor was called
    // (null before): shared by the object's copies, deleted with the last of them.
    std::shared_ptr<std::remove_pointer<HBRUSH>::type> m_ClearBrush;

private:
    friend struct detail::FrameInput;

    // What SetFullScreen(false) gives back.
    struct WindowedFrame {
        HWND window;  // the window now full screen; null while none is
        LONG_PTR style;
        LONG_PTR exStyle;
        WINDOWPLACEMENT placement;
    };
    WindowedFrame m_Windowed = {};
};

// The base of every control wrapper: the one standard creation of a control and its
// subclassing, so that a wrapper can see its control's own messages.
class TSUMIKI_API CControlBase : public CWindowBase {
public:
    CControlBase();
    // A copy refers to the same control and its saved procedure; the control stays linked
    // to whichever object it was subclassed to.
    CControlBase(const CControlBase& other);
    CControlBase& operator=(const CControlBase& other);
    // A control still subclassed to this object (its own, or another wrapper's moved here
    // by ChangeProc) gets its own procedure back, so it keeps
    // working and no message reaches the dead object; under a later subclass the link is
    // cleared and the library's procedure passes everything on. Never destroys the control.
    ~CControlBase() override;

    // Subclasses the control: its messages go to object->WndProc, which passes them on to
    // the procedure the control had. Calling it again only moves the link to the new
    // object (also under a subclass made after the library's); a null object or an object
    // without a control changes nothing. The control's own procedure is kept on the
    // control as a window property while the library's procedure is in its chain.
    void ChangeProc(CControlBase* object);
    // Window procedure of subclassed controls. A control whose wrapper is gone while a
    // later subclass still calls here gets its own procedure, so it keeps working.
    static LRESULT CALLBACK ControlProcManager(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam);
    // Passes every message and result through unchanged. Override it to see the
    // control's own messages, and end in this for the rest.
    inline LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Gives this control alone the font of this face and size in points, made at its
    // window's DPI and owned by the library as SetControlFontFace's fonts are: made again at
    // the new DPI when the window's OnDpiChanged runs, deleted once no window uses it. False,
    // changing nothing, without a control or for a face or size SetControlFontFace refuses.
    bool SetFontFace(const wchar_t* face, int points);

protected:
    // The creation every control wrapper uses: a fresh identifier (taken even when the
    // creation then fails; once the counter has wrapped, one a live control of the same
    // parent carries is skipped), then a visible child window of the system class. A null
    // text is empty text. True when the control exists.
    bool CreateControl(HWND parent, int x, int y, int width, int height, const wchar_t* text,
                       const wchar_t* className, DWORD style, DWORD exStyle = 0);
};

// A dialog built from a template held in the object, with a title and no controls. Its
// dialog procedure is WndProcManager: WM_INITDIALOG attaches the object, moves and sizes
// the dialog to the pixel geometry given, builds the back buffer, then calls OnInitDialog,
// where a client adds its controls. Handlers return what a dialog procedure returns
// (nonzero = handled); messages the dialog does not dispatch get the dialog manager's
// default handling. A dialog gets no OnPaint, OnTimer, OnSize, OnActivate or colour calls;
// under the dark library theme (SetLibraryTheme) it and its controls take its colours.
class TSUMIKI_API CDialogBase : public CWindowBase {
public:
    CDialogBase();
    // A copy refers to the same dialog and is not attached to it.
    CDialogBase(const CDialogBase& other);
    CDialogBase& operator=(const CDialogBase& other);
    ~CDialogBase() override;

    // Size before position, in pixels; the position is in screen coordinates, also with a
    // parent (which owns the dialog). Modal: returns once the dialog has ended; the
    // object's window handle is the dialog's while it runs (from OnInitDialog on) and
    // afterwards what it was before (null for a fresh object); an exception a handler threw while the dialog
    // ran ends it and is rethrown from here. Modeless: returns at once with the dialog
    // open. False while a dialog made by this object is still open (a modeless one, or its
    // modal one when called from inside it), when the
    // platform refuses to make the dialog, or when a modeless dialog destroyed itself
    // before CreateDiag returned (the object's window handle is then null). A null title
    // counts as empty; a title longer than 255 characters is cut to 255.
    inline bool CreateDiag(const wchar_t* title, int width, int height, int x, int y, bool modal,
                    HWND parent);
    // The parent given to CreateDiag (null for a top-level dialog).
    HWND GetParentWndHandle() override;
    inline LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnCommand(HWND hwnd, int id, HWND control, UINT code) override;
    // Returns 1 (handled). The sender of WM_NOTIFY sees the dialog's DWLP_MSGRESULT, which
    // a handler sets when a notification wants an answer.
    LRESULT OnNotify(HWND hwnd, int id, NMHDR* header) override;
    void OnCopyData(HWND hwnd, HWND sender, COPYDATASTRUCT* data) override;
    void OnHScroll(HWND hwnd, HWND scrollBar, UINT code, int position) override;
    void OnVScroll(HWND hwnd, HWND scrollBar, UINT code, int position) override;
    // Modal: ends the dialog; modeless: destroys it.
    void OnClose(HWND hwnd) override;
    // Without a parent, ends the message loop (WM_QUIT); with one, does nothing.
    void OnDestroy(HWND hwnd) override;

    // The place for a client to create its controls; GetWndHandle() is already hwnd here.
    // The dialog manager sets no default focus, whatever the result; the
    // default returns 1.
    virtual int OnInitDialog(HWND hwnd, HWND focus, LPARAM initParam);

    // Bytes of the in-memory dialog template an object holds.
    static constexpr std::size_t kTemplateSize = 576;

protected:
    // Whether the last CreateDiag was modal.
    bool m_bModal;
    // The dialog template of the last CreateDiag (all zero before it).
    alignas(DWORD) unsigned char m_Template[kTemplateSize];
    // The parent given to CreateDiag.
    HWND m_hParent;
    // The size and position given to CreateDiag, in pixels.
    int m_Width;
    int m_Height;
    int m_X;
    int m_Y;

private:
    // Moves and sizes the dialog to the geometry given to CreateDiag.
    void SetInit(HWND hwnd) override;
    // CreateDiag but the rethrow. A modal dialog is not opened while the thread holds a
    // kept exception.
    bool OpenDialog(const wchar_t* title, int width, int height, int x, int y, bool modal,
                    HWND parent);
};

}  // namespace tsumiki

#include "tsumiki/detail/dispatch.h"

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::CTimer;
using tsumiki::CWindowBase;
using tsumiki::CControlBase;
using tsumiki::CDialogBase;
#endif
