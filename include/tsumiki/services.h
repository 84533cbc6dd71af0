// System services: menus, media playback, child processes and the common dialogs.
//
// Classes in this file:
//   CMenu     a menu bar built from lists of item texts; a chosen item is recognised by its text
//   EMEDIA    the kinds of media CMCI opens
//   CMCI      one media file (or CD) played through the Media Control Interface, with repeat
//   CSoundEffect  one short wave sound that may play over itself, for games
//   CProcess  one child program started shown or hidden, waited for, its main window found
// Free functions:
//   OpenColorDialog, OpenFontDialog      the platform's colour and font dialogs
//   OpenFileNameDialog, SaveFileNameDialog  the platform's open and save dialogs
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdarg>
#include <map>
#include <memory>
#include <string>

#include "tsumiki/export.h"
#include "tsumiki/framework.h"

namespace tsumiki {

// A menu bar built from lists of item texts; a chosen item is recognised by its text.
class TSUMIKI_API CMenu {
public:
    // Makes an empty menu bar.
    CMenu();
    // Copies share the bar and its pop-ups and take a copy of the item table; the menus
    // are destroyed once, when the last copy dies, unless a window still shows the bar:
    // it is then left to the window, which destroys it with itself, and the next Set on
    // that window, which replaces it, destroys it.
    CMenu(const CMenu& other);
    CMenu& operator=(const CMenu& other);
    virtual ~CMenu();

    // Adds a pop-up with the title to the bar, holding count items: after count come
    // exactly count item texts (const wchar_t*). "|" alone makes a separator; every other
    // text becomes an item with a fresh identifier from the library's counter, and the
    // first identifier made for a text is the one GetID and IsSelect know. A null text
    // adds nothing. Returns the pop-up.
    // Shortcuts: a text ending in a tab and a key ("Open…\tCtrl+O", "Help\tF1", "Full
    // screen\tAlt+Enter") shows the key right-aligned, and while a window shows the bar
    // through Set, the loops turn that key pressed in the window into the item's
    // WM_COMMAND, as a click on the item would (code 0), after sending the window
    // WM_INITMENU and WM_INITMENUPOPUP for the item's pop-ups; an item disabled or greyed
    // by then does nothing, and no shortcut acts while the mouse is captured. Names, in
    // any case: Ctrl, Shift, Alt joined by '+' to a letter, a digit, F1-F24, Enter, Esc,
    // Space, Tab, Backspace, Del, Ins, Home, End, PgUp, PgDn, Left, Right, Up, Down,
    // + - , . or ;. Another tail is plain text, without a shortcut and without a box. Of
    // items with the same shortcut the first in the menu (depth first) has it.
    // GetID and IsSelect know such an item by the text before the tab ("Open…") as well.
    // A text no item has exactly is also looked for as the menu shows it, without the
    // mnemonics' '&' ("Open…" finds "&Open…\tCtrl+O", "Fish & Chips" finds "Fish && Chips").
    HMENU AddMenu(const wchar_t* title, int count, ...);
    // The same, but the pop-up goes into the given menu, for instance a pop-up returned by
    // an earlier AddMenu (a cascade).
    HMENU AddMenu(const wchar_t* title, HMENU parent, int count, ...);
    // Shows the bar on the window and reads its items' shortcuts. Call again after adding
    // pop-ups to a bar already shown, to draw them (their shortcuts work at once).
    // A bar the window showed whose menus have died is destroyed; a bar another living
    // CMenu owns is only taken off. A child window has no bar: nothing changes.
    void Set(HWND window);
    // The identifier of the item with exactly this text; 0, after a message box, when no
    // item has it.
    int GetID(const wchar_t* text);
    // Whether id is the identifier registered for the text; false, after a message box,
    // when no item has it.
    bool IsSelect(const wchar_t* text, int id);

    struct Menus;

private:
    HMENU AddPopup(const wchar_t* title, HMENU parent, int count, va_list items);
    void AddSeparator(HMENU menu);
    int AddItem(HMENU menu, const wchar_t* text);
    void AddSubMenu(HMENU parent, HMENU popup, const wchar_t* title);
    // The registered identifier of the text, or 0 after the message box.
    int Lookup(const wchar_t* text);

    // The bar and every pop-up made for it, shared by the copies; released by the last.
    std::shared_ptr<Menus> m_Menus;
    // Item text to identifier; the first identifier made for a text stays.
    std::map<std::wstring, int> m_ItemID;
};

// The kind of media CMCI::Open opens, and with it the MCI device type used.
enum EMEDIA {
    MEDIA_WAVE = 0,     // "WaveAudio"
    MEDIA_MIDI = 1,     // "Sequencer"
    MEDIA_MPEG = 2,     // "MPEGVideo"
    MEDIA_CDAUDIO = 3,  // "CDAudio"
    MEDIA_AVI = 4,      // "avivideo"
};

// One media file (wave, MIDI, MPEG, AVI) or audio CD played through MCI; on a library
// window, playback with notify repeats until stopped.
class TSUMIKI_API CMCI {
public:
    // Holds no device.
    CMCI();
    // Copies share the source's device. The device is stopped and closed once, when the
    // last object holding it lets go of it (destruction, Close, or Open of another file),
    // so a copy's end never cuts short what another object still plays.
    CMCI(const CMCI& other);
    // Lets go of the device held (as Close does) and shares the other's.
    CMCI& operator=(const CMCI& other);
    // Lets go of the device: stopped and closed unless a copy still holds it.
    virtual ~CMCI();

    // Opens the file (or CD drive) as a device of the given kind. On failure shows
    // "<path>が開けませんでした" and returns false, keeping the device held before. On
    // success a device held before is let go of (closed unless a copy still holds it).
    // A kind outside EMEDIA opens with no device type, which MCI refuses.
    bool Open(const wchar_t* path, EMEDIA kind);
    // Plays from the current position to the end without waiting. With notify, MCI tells
    // the window when playback ends; a window of this library then plays it again from
    // the start, so playback repeats until Stop, Pause or Close.
    void Play(bool notify, HWND window);
    // Stops playback; the position stays where it stopped.
    void Stop();
    // Seeks to the start; the next Play begins there.
    void Rewind();
    // Pauses playback; Play or Resume continues from there.
    void Pause();
    // Continues a paused playback.
    void Resume();
    // Lets go of the device (stopped and closed unless a copy still holds it); the object
    // then holds none and its commands go nowhere.
    void Close();
    // The MCI ID of the device held, for commands this class does not wrap; 0 when none.
    MCIDEVICEID GetDeviceID() const;

    // The shared record of one open device (defined in the library).
    struct Device;

private:
    // The device shared by this object and its copies; null when none is held.
    std::shared_ptr<Device> m_Device;
};

// One short wave sound that may overlap itself (shots, bursts), with several voices of which
// Play takes one. The voices are XAudio2 source voices (version 2.9, loaded at run time)
// playing the sound from memory: a play hands it over and returns at once, and never waits
// for the device. Where XAudio2 cannot be made (no xaudio2_9.dll, no audio device), or for
// a wave file that is not 8- or 16-bit PCM, each voice is an MCI device of the file, as in
// earlier versions: each play then waits for the MCI driver's answers. With no audio device
// at all, Load and Play still succeed or do nothing. The process's one XAudio2 engine is
// made at the first Load that needs it and let go with the last effect using it; after the
// audio device is lost and comes back, later plays sound again. An effect and its copies
// are used on one thread at a time.
class TSUMIKI_API CSoundEffect {
public:
    // Holds no voice.
    CSoundEffect();
    // Copies share the voices; they are stopped and closed when the last holder lets go.
    CSoundEffect(const CSoundEffect& other);
    CSoundEffect& operator=(const CSoundEffect& other);
    virtual ~CSoundEffect();

    // Reads the wave file (PCM, 8- or 16-bit, mono or stereo, any rate) whole into memory
    // as that many voices (clamped to 1 to 16): that many plays can sound at once. On
    // failure (a missing file, one cut short, a header whose sizes do not add up, or voices
    // that cannot be made) shows "<path>が開けませんでした" (once, as CMCI::Open does) and
    // returns false, keeping the voices held before; on success those are let go of.
    bool Load(const wchar_t* path, int voices);
    // Plays the sound from its start on the next voice in turn: an idle one, or, when every
    // voice is playing, the one that started earliest. Nothing happens before a Load
    // succeeded. Never shows a box; the same as Play(1, 0).
    void Play();
    // Stops every voice.
    void Stop();
    // How many voices are held (0 before a Load succeeded).
    int GetVoiceCount() const;
    // The MCI ID of a voice's device, for commands this class does not wrap; 0 for a voice
    // not held, and for every XAudio2 voice (which has no MCI device).
    MCIDEVICEID GetDeviceID(int voice) const;

    // Plays as Play() does at a volume from 0 (silent: no voice is taken) to 1 (the
    // file's own), times the effect's volume, and panned from -1 (left only) through 0
    // (both sides, as Play()) to 1 (right only); values beyond are clamped. The MCI voices
    // play at full volume, centred, whatever is asked (but a volume of 0 plays nothing).
    void Play(float volume, float pan);
    // The volume of the effect's later plays, 0 to 1 (clamped; 1 at first). Kept across
    // Load; copies made afterwards start with it.
    void SetVolume(float volume);
    // How many voices are sounding now (an XAudio2 voice counts until its samples are
    // consumed, in real time; an MCI voice while its device plays). 0 without voices.
    int GetPlayingCount() const;

    // The voices shared by an effect and its copies (defined in the library).
    struct Voices;

private:
    std::shared_ptr<Voices> m_Voices;
    float m_Volume = 1.0f;
};

// A child program started shown or hidden, waited for, and its main window found.
class TSUMIKI_API CProcess {
public:
    // Nothing launched.
    CProcess();
    // Copies share the launch: the process handle is closed once, when the last copy
    // dies. The child itself is never ended by this class.
    CProcess(const CProcess& other);
    // Lets go of the launch held and shares the other's.
    CProcess& operator=(const CProcess& other);
    // Lets go of the launch: its process handle is closed unless a copy still holds it.
    virtual ~CProcess();

    // Starts the program with this process's own startup information, asking it to show
    // its first window hidden (SW_HIDE) or as it would by default (SW_SHOWDEFAULT). The
    // command line is copied, so a literal will do; with a null application the program
    // is the command line's first token. True when the process was created; then the
    // handles of an earlier launch of this object are let go of. On failure the object
    // keeps its earlier launch, and GetLastError tells why.
    bool Create(const wchar_t* application, const wchar_t* commandLine, bool hide);
    // Waits up to the time (INFINITE: no limit) for the child to end: WAIT_OBJECT_0 when it
    // has ended, WAIT_TIMEOUT when it still runs, WAIT_FAILED before any launch.
    unsigned long WaitForEnd(unsigned long milliseconds);
    // Waits up to the time for the child to finish starting up and wait for input: 0 when
    // it does, WAIT_TIMEOUT when the time ran out, WAIT_FAILED on error. The child may
    // not have made its first window yet when this returns.
    unsigned long WaitForInit(unsigned long milliseconds);
    // The first window of the child's main thread that has neither parent nor owner (an
    // owned pop-up is skipped); null when there is none (yet).
    HWND GetProcessRootWnd();
    // The child's process ID; 0 before any launch.
    DWORD GetProcessID() const;

    // The shared record of one launch (defined in the library).
    struct Launch;

private:
    // The launch shared by this object and its copies; null before the first Create.
    std::shared_ptr<Launch> m_Launch;
};

// The platform's colour dialog, starting on black with the custom colours open. Returns
// the chosen colour as GDI+ ARGB (0xFFRRGGBB) when argb is true, else as a COLORREF
// (0x00BBGGRR); 0 when the user cancels.
TSUMIKI_API DWORD OpenColorDialog(bool argb, HWND owner);
// The platform's font dialog over screen fonts, with effects (underline, strike-out,
// colour). On OK writes the chosen font into *font and its text colour (COLORREF) into
// *colour when colour is not null, and returns true; on cancel writes nothing. The dialog
// does not start from *font.
TSUMIKI_API bool OpenFontDialog(LOGFONTW* font, DWORD* colour, HWND owner);
// The platform's open dialog, titled "ファイルを開く" ("Open" in English: see
// SetLibraryLanguage); accepts only existing files in existing folders. filter is the
// platform's list of description and pattern pairs, each 0-terminated, ended by an empty
// string; null gives "All files(*.*)" ("All files (*.*)" in English). defaultExtension is
// added to a name typed without one. On OK copies the full path into result, which must
// hold MAX_PATH characters; on cancel result is untouched. The path chosen last fills the
// name box of the next call. The current directory is the same after the call as before.
// Not reentrant: its buffers are shared by all calls.
TSUMIKI_API void OpenFileNameDialog(wchar_t* result, const wchar_t* filter,
                                    const wchar_t* defaultExtension, HWND owner);
// The platform's save dialog, titled "名前を付けて保存" ("Save As" in English), which asks
// before overwriting an existing file. As OpenFileNameDialog, except that a null filter
// shows no type list and the last path is remembered apart from the open dialog's.
TSUMIKI_API void SaveFileNameDialog(wchar_t* result, const wchar_t* filter,
                                    const wchar_t* defaultExtension, HWND owner);
// The open dialog as above, titled title (null: the library's title, "Open" in English),
// with filter (null: all files). True when a file was chosen and its path copied into
// result (MAX_PATH characters); false when the dialog was cancelled or failed, result then
// untouched. A null result shows no dialog and answers false.
TSUMIKI_API bool OpenFileNameDialog(wchar_t* result, const wchar_t* filter,
                                    const wchar_t* defaultExtension, HWND owner,
                                    const wchar_t* title);
// The save dialog as above, titled title (null: "Save As" in English), with filter (null:
// all files, unlike the form without a title). True when a name was chosen and copied into
// result; false when cancelled, result then untouched. A null result shows no dialog.
TSUMIKI_API bool SaveFileNameDialog(wchar_t* result, const wchar_t* filter,
                                    const wchar_t* defaultExtension, HWND owner,
                                    const wchar_t* title);
// The save dialog as above, with suggestedName (a file name, or a whole path) in its name
// box instead of the path chosen last; a null suggestedName is the form above. A cancel
// leaves the last path as it was; a choice becomes the last path. A suggestedName of
// MAX_PATH characters or more, or a null result, shows no dialog and answers false.
TSUMIKI_API bool SaveFileNameDialog(wchar_t* result, const wchar_t* filter,
                                    const wchar_t* defaultExtension, HWND owner,
                                    const wchar_t* title, const wchar_t* suggestedName);

}  // namespace tsumiki

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::CMenu;
using tsumiki::CMCI;
using tsumiki::CSoundEffect;
using tsumiki::CProcess;
using tsumiki::EMEDIA;
using tsumiki::MEDIA_WAVE;
using tsumiki::MEDIA_MIDI;
using tsumiki::MEDIA_MPEG;
using tsumiki::MEDIA_CDAUDIO;
using tsumiki::MEDIA_AVI;
using tsumiki::OpenColorDialog;
using tsumiki::OpenFontDialog;
using tsumiki::OpenFileNameDialog;
using tsumiki::SaveFileNameDialog;
#endif
