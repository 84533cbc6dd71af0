// The desktop: what a program shares with the rest of the user's desktop.
//
// Classes in this file:
//   CTrayIcon  an icon in the taskbar's notification area, its tip and balloons
//   CSettings  a UTF-8 file of settings in sections, saved whole or not at all
//   ETheme     the colours of the library's own dialogs and controls
// Free functions:
//   SetClipboardText, GetClipboardText, HasClipboardText      text on the clipboard
//   SetClipboardImage, GetClipboardImage, HasClipboardImage   pictures on the clipboard
//   IsFirstInstance, ActivateFirstInstance   one instance of a program per user session
//   IsDarkModePreferred   the user's choice of dark or light programs
//   SetLibraryTheme, GetLibraryTheme         light or dark dialogs and controls
//
// Dropped files (CWindowBase::AcceptFiles, OnDropFiles), the tray icon's messages
// (CWindowBase::OnTrayIcon) and dark title bars (CWindowBase::UseDarkTitleBar) are members
// of the window objects, in window.h.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "tsumiki/export.h"
#include "tsumiki/graphics.h"

namespace tsumiki {

// The clipboard. Each call opens the clipboard for itself, trying again for half a second
// while another program holds it, and always closes it before returning. owner is a window
// of the calling program (the platform may refuse to put data on the clipboard without
// one); any thread may call.

// Puts the text on the clipboard (CF_UNICODETEXT), replacing what was there. False for a
// null text, or when the clipboard could not be opened or took nothing (then unchanged).
TSUMIKI_API bool SetClipboardText(HWND owner, const wchar_t* text);
// The text on the clipboard; empty when there is none or the clipboard could not be opened.
TSUMIKI_API std::wstring GetClipboardText(HWND owner);
// Whether the clipboard holds text.
TSUMIKI_API bool HasClipboardText();
// Puts the picture on the clipboard, replacing what was there: as CF_DIBV5 with its alpha
// (straight, not premultiplied), and as a 32-bit CF_DIB for programs that read only that.
// False for an image without a picture, or when the clipboard could not be opened.
TSUMIKI_API bool SetClipboardImage(HWND owner, CImage& image);
// Replaces the image's picture with the clipboard's: CF_DIBV5 when there is one (its alpha
// kept), else CF_DIB (which the platform also makes from a bitmap); pictures whose alpha is
// zero throughout come out opaque. False, leaving the image as it was, for a null image,
// when the clipboard holds no picture this can read (compressed, or larger than 16,384
// pixels a side), or when it could not be opened. Position and angle are kept.
TSUMIKI_API bool GetClipboardImage(HWND owner, CImage* image);
// Whether the clipboard holds a picture (CF_DIBV5, CF_DIB or CF_BITMAP).
TSUMIKI_API bool HasClipboardImage();

// An icon in the taskbar's notification area, owned by a window of the program. The owner
// receives the icon's callback message (GetCallbackMessage), which a window object of the
// library turns into OnTrayIcon; the icon speaks NOTIFYICON_VERSION_4, so that message
// carries the event and the place in screen coordinates. When the taskbar restarts
// (Explorer crashed, "TaskbarCreated"), the owner's icons are added again by themselves.
// Use an icon on its owner's thread.
class TSUMIKI_API CTrayIcon {
public:
    // Shows nothing yet.
    CTrayIcon();
    // Copies share the one icon; it is removed from the tray when the last of them dies.
    CTrayIcon(const CTrayIcon& other);
    // Lets go of the icon held (removed if no copy holds it) and shares the other's.
    CTrayIcon& operator=(const CTrayIcon& other);
    virtual ~CTrayIcon();

    // Shows the icon in the tray with the tip (null: none; cut to 127 characters), owned by
    // the window, which gets its callback message. The picture is copied: the caller keeps
    // its own. An icon this object showed before is removed first. False when the owner is
    // not a window or the shell refused the icon; with no taskbar yet (a program started
    // before Explorer) the icon is shown when the taskbar starts.
    bool Add(HWND owner, HICON icon, const wchar_t* tip);
    // Changes the picture (copied, as in Add) or the tip of the icon shown. False, changing
    // nothing, when no icon is shown or the shell refused the change.
    bool SetIcon(HICON icon);
    bool SetTip(const wchar_t* tip);
    // Shows a balloon notification from the icon: the title (null: none; cut to 63
    // characters) over the text (cut to 255). False for a null or empty text, when no icon
    // is shown, or when the shell refused it; on Windows 10 and later it shows as a toast.
    bool ShowBalloon(const wchar_t* title, const wchar_t* text);
    // Takes the icon out of the tray (or keeps it from showing when the taskbar starts);
    // Add shows it again. False when there is no icon to take out.
    bool Remove();
    // Whether the icon is in the tray (added and not removed).
    bool IsShown() const;
    // The message the owner receives from the icon: the same registered message for every
    // CTrayIcon of the session. Its lParam's low word is the event, its high word GetID();
    // wParam holds the x and y of the event in screen coordinates.
    UINT GetCallbackMessage() const;
    // The icon's number among its owner's icons (its uID for the shell), told apart in an
    // override of WndProc when one window owns several icons; 0 before the first Add.
    UINT GetID() const;

    struct Icon;

private:
    // Copies share one icon; the last one to let go of it removes it.
    std::shared_ptr<Icon> m_Icon;
};

// Settings kept in a UTF-8 text file of sections and "key = value" lines, such as
// `[window]`, `left = 40` and `title = "  spaced, with a \"quote\" and a line break\n"`.
// Names of sections and keys are matched without regard to case; the first of two equal
// keys counts. Lines starting with ';' or '#' are comments, kept as they are. Values are
// kept as text and read as the kind asked for: a value that does not read as that kind
// gives the fallback. Use an object on one thread at a time.
class TSUMIKI_API CSettings {
public:
    // Holds no settings and no file.
    CSettings();
    // A copy holds the same settings and file path; the copies change and save apart.
    CSettings(const CSettings& other);
    CSettings& operator=(const CSettings& other);
    virtual ~CSettings();

    // Reads the file at path, or starts empty settings for it when there is no such file
    // yet (the folder must exist by the time of Save). A damaged file loads what it can:
    // every line that cannot be read (not valid UTF-8, no '=', an unclosed section or
    // quote, a zero byte) is skipped and counted (GetSkippedLines); skipped lines are not
    // written back. A temporary file left by a save cut short is ignored. False when the
    // path is null or empty, or names something that cannot be read (a folder, a locked
    // file, more than 16 MB): the object then keeps what it held before.
    bool Open(const wchar_t* path);
    // Opens `%APPDATA%\<vendor>\<program>\settings.ini` (the user's roaming application
    // data), making the two folders when they are missing. False for a null, empty or
    // dotted name, or one holding characters a file name cannot have, and as Open.
    bool OpenForProgram(const wchar_t* vendor, const wchar_t* program);
    // Writes the settings to the file whole: to a temporary file beside it (the name with
    // ".tmp" added), flushed to the disk, which then replaces the file in one step
    // (MoveFileExW, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). A crash or a full
    // disk never leaves half a file: until the replacement the old file stays as it was.
    // False when nothing is open, or when writing or replacing failed (the file is then
    // unchanged and the temporary file removed).
    bool Save();
    // The file's path; empty when nothing is open.
    std::wstring GetPath() const;
    // How many lines the last Open skipped as unreadable.
    int GetSkippedLines() const;

    // Reading: the value of the key in the section (null or "" is the part before the
    // first section), or the fallback when it is missing or does not read as the kind asked.
    // Numbers are written in decimal with '.' (never the locale's comma); booleans read
    // true/false, yes/no, on/off or 1/0 in any case.
    int GetInt(const wchar_t* section, const wchar_t* key, int fallback) const;
    std::wstring GetString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) const;
    bool GetBool(const wchar_t* section, const wchar_t* key, bool fallback) const;
    double GetDouble(const wchar_t* section, const wchar_t* key, double fallback) const;
    // Writing: sets the value (a new key goes to the end of its section, a new section to
    // the end of the file), kept in memory until Save. A key that could not be read back
    // (null, empty, with '=', a line break or spaces at either end, or starting with '[',
    // ';' or '#') or a section with ']' or a line break changes nothing. A null string is
    // written empty; a double is written so that it reads back exactly.
    void SetInt(const wchar_t* section, const wchar_t* key, int value);
    void SetString(const wchar_t* section, const wchar_t* key, const wchar_t* value);
    void SetBool(const wchar_t* section, const wchar_t* key, bool value);
    void SetDouble(const wchar_t* section, const wchar_t* key, double value);

    // Keeps the window's place in the section: its normal (restored) rectangle and whether
    // it is maximised. False for a null or dead window.
    bool SaveWindowPlacement(HWND window, const wchar_t* section);
    // Puts the window back where SaveWindowPlacement found it, maximised if it was (a
    // window minimised then comes back restored; a hidden window stays hidden). A place
    // whose title bar lies on no monitor there now (a monitor unplugged, a smaller screen)
    // is moved, and shrunk if need be, onto the nearest monitor's work area. False,
    // changing nothing, for a null or dead window or a section without a whole placement.
    bool RestoreWindowPlacement(HWND window, const wchar_t* section);

    struct Data;

private:
    // Owned alone: copies get their own.
    std::unique_ptr<Data> m_Data;
};

// One instance per user session. The name is the program's own (for instance
// "Vendor.Program"); the same name in two programs makes them one.

// Whether no other process of the user's session has claimed the name: the first to ask
// claims it (a named mutex) for as long as it runs, and asking again there still answers
// true. Any thread. A null or empty name claims nothing and answers true.
TSUMIKI_API bool IsFirstInstance(const wchar_t* name);
// From a later instance: brings the first instance's main window to the front (restoring
// it when minimised) and sends it the command line, which arrives at its OnCopyData as
// UTF-16 text with its terminating zero, dwData kCommandLineCopyData. The main window is
// the first instance's frontmost visible top-level window without an owner (or, when none
// is visible, a hidden one of class "BASIC_WINDOW"); one that does not exist yet is waited
// for, up to 5 seconds, as is a window that does not answer. A null command line is sent
// empty. False when no process claimed the name or it showed no window in time.
TSUMIKI_API bool ActivateFirstInstance(const wchar_t* name, const wchar_t* commandLine);
// The dwData of the COPYDATASTRUCT ActivateFirstInstance sends.
constexpr ULONG_PTR kCommandLineCopyData = 0x74736B31;

// Whether the user prefers dark programs (Settings, Personalisation, Colours: app mode
// dark; AppsUseLightTheme is 0). False where the system has no such setting.
TSUMIKI_API bool IsDarkModePreferred();

// The colours of the library's own dialogs and controls.
enum ETheme {
    THEME_LIGHT = 0,   // the default: the platform's colours, as always
    THEME_DARK = 1,    // dark dialogs, statics, edits, list boxes and group boxes
    THEME_SYSTEM = 2,  // dark or light as the user prefers (IsDarkModePreferred), followed
                       // when the user changes it
};
// Chooses the library's colours for the whole process. Dark: dialog backgrounds, static
// texts, group boxes, check boxes, edits and list boxes are coloured dark through the
// colour messages (an override of OnCtlColorStatic or OnCtlColorEdit still wins), and
// list and tree views, those made later too, get the dark explorer look and colours.
// System: dark or light as IsDarkModePreferred says, changed again whenever the setting's
// notice (WM_SETTINGCHANGE, "ImmersiveColorSet") reaches a window of the library. The
// calling thread's windows are redrawn at once; other threads' take the colours as they
// repaint. List and tree views get the platform's colours back when the theme turns
// light again, also those a program set on them itself. Title bars are each window's own choice (UseDarkTitleBar). A value
// outside ETheme changes nothing.
TSUMIKI_API void SetLibraryTheme(ETheme theme);
// The theme chosen last (THEME_LIGHT until SetLibraryTheme is called).
TSUMIKI_API ETheme GetLibraryTheme();

}  // namespace tsumiki

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::SetClipboardText;
using tsumiki::GetClipboardText;
using tsumiki::HasClipboardText;
using tsumiki::SetClipboardImage;
using tsumiki::GetClipboardImage;
using tsumiki::HasClipboardImage;
using tsumiki::CTrayIcon;
using tsumiki::CSettings;
using tsumiki::IsFirstInstance;
using tsumiki::ActivateFirstInstance;
using tsumiki::kCommandLineCopyData;
using tsumiki::IsDarkModePreferred;
using tsumiki::ETheme;
using tsumiki::THEME_LIGHT;
using tsumiki::THEME_DARK;
using tsumiki::THEME_SYSTEM;
using tsumiki::SetLibraryTheme;
using tsumiki::GetLibraryTheme;
#endif
