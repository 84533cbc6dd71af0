// Window framework: window objects bound to platform windows, dispatch of messages to
// virtual handlers, timers and the message loop.
//
// Classes in this file:
//   CTimer        a window timer that lives no longer than its object
//   CWindowBase   base of every window object: frame windows, dialogs and controls
//   CControlBase  base of every control wrapper: creation and subclassing
//   CDialogBase   a modal or modeless dialog made without resources, placed in pixels
// Free functions:
//   MessageLoop               the application's message loop with an idle function
//   SetLibraryMessageHandler  where the library's messages to the user go (a box by default)
//   SetControlFont            the font every control made afterwards starts with
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>

#include "tsumiki/export.h"
#include "tsumiki/graphics.h"

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
    // second Create leaves the first timer running until its window is destroyed.
    void Create(HWND window, int elapse, TIMERPROC callback = nullptr);
    int GetID() const;

    struct Binding;

private:
    std::shared_ptr<Binding> m_Binding;
};

class TSUMIKI_API CWindowBase {
public:
    CWindowBase();
    // A copy refers to the same window, shares the back buffer and the timer, and is not
    // attached to the window: messages keep going to the object that created it.
    CWindowBase(const CWindowBase& other);
    CWindowBase& operator=(const CWindowBase& other);
    // Detaches the object from a window that outlives it; never destroys the window.
    virtual ~CWindowBase();

    // Size comes before position. With a parent the window becomes WS_CHILD, without one
    // it gets WS_CLIPCHILDREN. For a frame window pass the class name "BASIC_WINDOW".
    virtual bool CreateWnd(const wchar_t* title, int width, int height, int x, int y,
                           HWND parent, HMENU menu, const wchar_t* className,
                           DWORD style, DWORD exStyle);
    virtual HWND GetParentWndHandle();
    virtual LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    virtual int OnCreate(HWND hwnd, CREATESTRUCTW* create);
    virtual int OnEraseBkGnd(HWND hwnd, HDC dc);
    virtual void OnPaint(HWND hwnd);
    virtual void OnCommand(HWND hwnd, int id, HWND control, UINT code);
    virtual LRESULT OnNotify(HWND hwnd, int id, NMHDR* header);
    virtual void OnSysCommand(HWND hwnd, UINT command, int x, int y);
    virtual void OnActivate(HWND hwnd, UINT state, HWND other, int minimized);
    virtual void OnSize(HWND hwnd, UINT type, int width, int height);
    virtual void OnTimer(HWND hwnd, UINT id);
    virtual void OnCopyData(HWND hwnd, HWND sender, COPYDATASTRUCT* data);
    virtual void OnHScroll(HWND hwnd, HWND scrollBar, UINT code, int position);
    virtual void OnVScroll(HWND hwnd, HWND scrollBar, UINT code, int position);
    virtual HBRUSH OnCtlColorStatic(HWND hwnd, HDC dc, HWND control, int kind);
    virtual HBRUSH OnCtlColorEdit(HWND hwnd, HDC dc, HWND control, int kind);
    virtual void OnClose(HWND hwnd);
    virtual void OnDestroy(HWND hwnd);

protected:
    // Called on WM_INITDIALOG before the back buffer is built.
    virtual void SetInit(HWND hwnd);

public:
    HWND GetWndHandle() const;
    WNDPROC GetDefWndProc() const;
    int GetID() const;
    int GetWidth() const;
    int GetHeight() const;
    int GetClientWidth() const;
    int GetClientHeight() const;
    void SetSize(int width, int height);
    void SetPos(int x, int y);
    // Position as SetPos takes it: parent client coordinates for a child, screen otherwise.
    int GetX() const;
    int GetY() const;
    void SetWindowStyle(DWORD style);
    void SetWindowExStyle(DWORD exStyle);
    void SetWndProc(WNDPROC procedure);
    void Invalidate(HWND hwnd, int erase);
    // Makes the window layered with the given opacity and lets mouse input pass through.
    void Alpha(unsigned char alpha, DWORD keyColor);
    // Load an icon or cursor file and make it the class's (every "BASIC_WINDOW" shows it);
    // a file that does not load changes nothing.
    void SetIconImage(const wchar_t* path);
    void SetCursorImage(const wchar_t* path);

    // The one source of identifiers for controls, menu items and timers: 32769, 32770, ...
    static int CreateResourceID();
    // Window procedure of "BASIC_WINDOW" and dialog procedure of the library's dialogs.
    static LRESULT CALLBACK WndProcManager(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    HWND m_hWnd;
    WNDPROC m_DefWndProc;
    CGraphics m_Graphics;
    CTimer m_Timer;

    // The object whose window is being created right now; consumed by its first message.
    static CWindowBase* m_pThis;
    static int m_CounterID;
};

// Controls (the subclassing base of every control wrapper) follow here.

class TSUMIKI_API CControlBase : public CWindowBase {
public:
    CControlBase();
    // A copy refers to the same control and its saved procedure; the control stays linked
    // to whichever object it was subclassed to.
    CControlBase(const CControlBase& other);
    CControlBase& operator=(const CControlBase& other);
    // A control still subclassed to this object gets its own procedure back, so it keeps
    // working and no message reaches the dead object. The control is never destroyed.
    ~CControlBase() override;

    // Subclasses the control: its messages go to object->WndProc, which passes them on to
    // the procedure the control had. Calling it again only moves the link to the new
    // object; a null object or an object without a control changes nothing.
    void ChangeProc(CControlBase* object);
    // Window procedure of subclassed controls; 0 for a control without a linked object.
    static LRESULT CALLBACK ControlProcManager(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam);
    // Passes every message and result through unchanged. Override it to see the
    // control's own messages, and end in this for the rest.
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The creation every control wrapper uses: a fresh identifier (taken even when the
    // creation then fails), then a visible child window of the system class. A null text
    // is empty text. True when the control exists.
    bool CreateControl(HWND parent, int x, int y, int width, int height, const wchar_t* text,
                       const wchar_t* className, DWORD style, DWORD exStyle = 0);
};

// Dialogs follow here.

// A dialog built from a template held in the object, with a title and no controls. Its
// dialog procedure is WndProcManager: WM_INITDIALOG attaches the object, moves and sizes
// the dialog to the pixel geometry given, builds the back buffer, then calls OnInitDialog,
// where a client adds its controls. Handlers return what a dialog procedure returns
// (nonzero = handled); messages the dialog does not dispatch get the dialog manager's
// default handling. A dialog gets no OnPaint, OnTimer, OnSize, OnActivate or colour calls.
class TSUMIKI_API CDialogBase : public CWindowBase {
public:
    CDialogBase();
    // A copy refers to the same dialog and is not attached to it.
    CDialogBase(const CDialogBase& other);
    CDialogBase& operator=(const CDialogBase& other);
    ~CDialogBase() override;

    // Size before position, in pixels; the position is in screen coordinates, also with a
    // parent (which owns the dialog). Modal: returns once the dialog has ended, and the
    // object's window handle stays null. Modeless: returns at once with the dialog open.
    // False while a modeless dialog made by this object is still open, or when the platform
    // refuses to make the dialog. A null title counts as empty; a title longer than 255
    // characters is cut to 255.
    bool CreateDiag(const wchar_t* title, int width, int height, int x, int y, bool modal,
                    HWND parent);
    // The parent given to CreateDiag (null for a top-level dialog).
    HWND GetParentWndHandle() override;
    LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

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

private:
    // Moves and sizes the dialog to the geometry given to CreateDiag.
    void SetInit(HWND hwnd) override;

public:
    // The place for a client to create its controls. The dialog manager sets no default
    // focus, whatever the result; the default returns 1.
    virtual int OnInitDialog(HWND hwnd, HWND focus, LPARAM initParam);

    // Bytes of the in-memory dialog template an object holds.
    static constexpr std::size_t kTemplateSize = 576;

protected:
    bool m_bModal;
    // The dialog template of the last CreateDiag (all zero before it).
    alignas(DWORD) unsigned char m_Template[kTemplateSize];
    HWND m_hParent;
    int m_Width;
    int m_Height;
    int m_X;
    int m_Y;
};

// Polls the queue without blocking and calls idle(idleArgument) whenever the queue is
// empty; with a focus window, only while it is shown, not minimised and focused.
// Returns when WM_QUIT has been taken from the queue.
TSUMIKI_API void MessageLoop(void (*idle)(void*) = nullptr, void* idleArgument = nullptr,
                             HWND focusWindow = nullptr);

// Receives a message the library has for the user: text and caption are never null (the
// caption is empty where the library names none); argument is the one given with it.
using LibraryMessageHandler = void (*)(const wchar_t* text, const wchar_t* caption,
                                       void* argument);
// Sends the library's messages to the user (a picture that does not load, a menu text
// never added, ...) to handler instead of a modal box, for the whole process: a program
// that runs with nobody at the screen is not blocked by them. Null restores the box.
// Set it from the thread that runs the library's windows.
TSUMIKI_API void SetLibraryMessageHandler(LibraryMessageHandler handler,
                                          void* argument = nullptr);
// Every control the library creates from now on gets this font (WM_SETFONT); controls
// made before keep theirs. The font stays the caller's: it must outlive those controls.
// Null restores the default, the system font.
TSUMIKI_API void SetControlFont(HFONT font);
