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
std::mutex g_FaceLock;
NamedFace g_Face;

NamedFace CurrentFace()
{
    std::lock_guard<std::mutex> lock(g_FaceLock);
    return g_Face;
}

}  // namespace

void SetControlFont(HFONT font)
{
    std::lock_guard<std::mutex> lock(g_FaceLock);
    g_Face = NamedFace();
    g_ControlFont = font;
}

bool SetControlFontFace(const wchar_t* face, int points)
{
    if (!face || !*face || std::wcslen(face) >= LF_FACESIZE || points < 1 ||
        points > kMostPoints) {
        return false;
    }
    std::lock_guard<std::mutex> lock(g_FaceLock);
    g_Face.face = face;
    g_Face.points = points;
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

}  // namespace detail

}  // namespace tsumiki
