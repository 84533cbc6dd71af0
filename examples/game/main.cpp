// Star Guard: a complete small game written against the tsumiki package.
// Shows: a frame window (CWindowBase) drawn through its back buffer (CGraphics) from a
// sprite sheet with rotation and fading (CImage cells, SetRotate, AlphaBlending), a
// colour-keyed sprite (ColorKey), text sized in pixels (SetTextUnit), lines and a curve;
// keys and a gamepad read frame by frame from the window's input state (m_Input, Pad);
// fixed steps of the world from a frame clock (CFrameClock) paced by the library's game
// loop at 60 frames a second (GameLoop); full screen on F11 (SetFullScreen); a menu bar whose
// items are recognised by their text (CMenu); a modal About box and a modeless high-score
// dialog with controls (CDialogBase, CStatic, CEditMultiLineReadOnly, CButton, SetControlFontFace)
// laid out with Scale, the program declaring DPI awareness in its manifest;
// looping music (CMCI) and overlapping, panned sound effects (CSoundEffect) synthesised at start;
// the library's messages sent
// to the output in unattended runs (SetLibraryMessageHandler).
//
//   game               play: arrows (or the stick, or the D-pad) move, Space (or A) fires,
//                      P (or Start) pauses, Enter (or Start) starts again, F11 full screen
//   game --seconds N   the autopilot plays for N seconds, then the game closes
//   game --selftest    the autopilot plays while the game checks itself; exit code 0 or 1
#include <tsumiki.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "game_window.h"

namespace {

struct Options {
    RunMode mode = RunMode::Play;
    int seconds = 0;
};

Options ReadCommandLine()
{
    Options options;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; arguments && i < count; ++i) {
        if (std::wcscmp(arguments[i], L"--selftest") == 0) {
            options.mode = RunMode::SelfTest;
        } else if (std::wcscmp(arguments[i], L"--seconds") == 0 && i + 1 < count) {
            options.mode = RunMode::Demo;
            options.seconds = std::wcstol(arguments[++i], nullptr, 10);
        }
    }
    LocalFree(arguments);
    return options;
}

// Straight to the standard output handle: a GUI program's C streams may not be connected
// to the handle it was started with.
void Print(const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The library's messages to the user (a picture or sound that would not load) go to the
// standard output instead of a box, so that a self-test run is never left waiting.
void PrintLibraryMessage(const wchar_t* text, const wchar_t* caption, void*)
{
    std::wstring line = std::wstring(L"game: ") + caption + L": " + text + L"\n";
    int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes > 0 ? bytes - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
    Print(utf8);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // The game speaks English, and so do the library's messages (they name what failed).
    SetLibraryLanguage(LANGUAGE_ENGLISH);
    Options options = ReadCommandLine();
    if (options.mode != RunMode::Play) {
        SetLibraryMessageHandler(PrintLibraryMessage);
    }
    // Every control of the dialogs starts with the platform's dialog font.
    // The dialogs' font, made by the library at the screen's DPI.
    SetControlFontFace(L"Tahoma", 8);
    GameWindow window(options.mode, options.seconds);
    if (!window.Create()) {
        Print("game: the window could not be made\n");
        return 1;
    }
    GameLoop(window.GetWndHandle(), GameWindow::FramesPerSecondWanted(), [&window] { window.Frame(); });
    if (options.mode == RunMode::SelfTest) {
        char rate[64];
        std::snprintf(rate, sizeof rate, "%s at %.1f frames/s\n",
                      window.Passed() ? "selftest passed" : "selftest FAILED", window.FramesPerSecond());
        std::wstring report = window.SelfTestReport();
        Print(std::string(report.begin(), report.end()) + window.PacingReport() + rate);
    }
    return window.Passed() ? 0 : 1;
}
