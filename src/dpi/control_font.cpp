#include "dpi/control_font.h"

#include "dpi/owned_fonts.h"
#include "dpi/window_dpi.h"
#include "tsumiki/framework.h"

#include <atomic>
#include <cwchar>
#include <mutex>
#include <string>

namespace tsumiki {

namespace {

// The client's font: the library only refers to it and never deletes it. Controls may be
// made on several threads at once.
std::atomic<HFONT> g_ControlFont{nullptr};

constexpr int kMostPoints = 1000;

// The face and size named by SetControlFontFace (an empty face while none is named).
struct NamedFace {
    std::wstring face;
    int points = 0;
};

struct FaceChoice {
    std::mutex lock;
    NamedFace face;
};

FaceChoice& Choice()
{
    // Never destroyed: controls are still made and destroyed during the exit (static
    // window objects of a program linked with the static library).
    static FaceChoice* choice = new FaceChoice;
    return *choice;
}

bool IsUsableFace(const wchar_t* face, int points)
{
    return face && *face && std::wcslen(face) < LF_FACESIZE && points >= 1 && points <= kMostPoints;
}

NamedFace CurrentFace()
{
    FaceChoice& choice = Choice();
    std::lock_guard<std::mutex> lock(choice.lock);
    return choice.face;
}

}  // namespace

void SetControlFont(HFONT font)
{
    FaceChoice& choice = Choice();
    std::lock_guard<std::mutex> lock(choice.lock);
    choice.face = NamedFace();
    g_ControlFont = font;
}

bool SetControlFontFace(const wchar_t* face, int points)
{
    if (!IsUsableFace(face, points)) {
        return false;
    }
    FaceChoice& choice = Choice();
    std::lock_guard<std::mutex> lock(choice.lock);
    choice.face.face = face;
    choice.face.points = points;
    g_ControlFont = nullptr;
    return true;
}

namespace detail {

HFONT ControlFont()
{
    return g_ControlFont;
}

void GiveControlFont(HWND control)
{
    NamedFace named = CurrentFace();
    if (!named.face.empty()) {
        AttachOwnedFont(control, named.face, named.points, WindowDpi(control));
    } else if (HFONT font = ControlFont()) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void GiveDialogFont(HWND dialog)
{
    NamedFace named = CurrentFace();
    if (!named.face.empty()) {
        AttachOwnedFont(dialog, named.face, named.points, WindowDpi(dialog));
    }
}

bool GiveControlFontFace(HWND control, const wchar_t* face, int points)
{
    return IsUsableFace(face, points) && AttachOwnedFont(control, face, points, WindowDpi(control));
}

}  // namespace detail

}  // namespace tsumiki
