#include "dpi/owned_fonts.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>

namespace tsumiki {

namespace detail {

namespace {

constexpr int kLowestDpi = 48;
constexpr int kHighestDpi = 960;

struct FontKey {
    std::wstring face;
    int points;
    int dpi;
    bool operator<(const FontKey& other) const
    {
        return std::tie(face, points, dpi) < std::tie(other.face, other.points, other.dpi);
    }
};

struct SharedFont {
    HFONT font;
    int users;
};

// Windows on several threads may take and give back fonts at once.
struct FontTable {
    std::mutex lock;
    std::map<FontKey, SharedFont> fonts;
};

FontTable& Fonts()
{
    // Never destroyed: a control that dies during the exit (a static window object of a
    // program linked with the static library) still gives its font back here.
    static FontTable* table = new FontTable;
    return *table;
}

HFONT Acquire(const FontKey& key)
{
    FontTable& table = Fonts();
    std::lock_guard<std::mutex> lock(table.lock);
    auto found = table.fonts.find(key);
    if (found != table.fonts.end()) {
        ++found->second.users;
        return found->second.font;
    }
    LOGFONTW description = {};
    description.lfHeight = -MulDiv(key.points, key.dpi, 72);
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    key.face.copy(description.lfFaceName, LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectW(&description);
    if (font) {
        table.fonts.emplace(key, SharedFont{font, 1});
    }
    return font;
}

void Release(HFONT font)
{
    FontTable& table = Fonts();
    std::lock_guard<std::mutex> lock(table.lock);
    auto found = std::find_if(table.fonts.begin(), table.fonts.end(),
                              [font](const auto& entry) { return entry.second.font == font; });
    if (found != table.fonts.end() && --found->second.users == 0) {
        DeleteObject(found->second.font);
        table.fonts.erase(found);
    }
}

// What a window that uses an owned font holds: the font and how to make it again.
struct FontUse {
    FontKey key;
    HFONT font;
};

constexpr UINT_PTR kSubclassId = 0x7473;  // one subclass per window, whatever the id
// The window's FontUse is found again through a window property: the import libraries of
// some toolchains lack GetWindowSubclass.
const wchar_t kUseProperty[] = L"tsumiki.OwnedFont";

// Watches a window that uses an owned font for the moment it stops using it.
LRESULT CALLBACK FontUserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              UINT_PTR, DWORD_PTR data)
{
    auto* use = reinterpret_cast<FontUse*>(data);
    if (message == WM_GETFONT) {
        // A dialog keeps no font it was sent; controls answer for themselves.
        LRESULT own = DefSubclassProc(window, message, wParam, lParam);
        return own ? own : reinterpret_cast<LRESULT>(use->font);
    }
    bool replaced = message == WM_SETFONT && reinterpret_cast<HFONT>(wParam) != use->font;
    if (!replaced && message != WM_NCDESTROY) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    RemoveWindowSubclass(window, FontUserProc, kSubclassId);
    RemovePropW(window, kUseProperty);
    // The window lets go of the font in this message; only then may it be deleted.
    LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    Release(use->font);
    delete use;
    return result;
}

FontUse* UseOf(HWND window)
{
    return static_cast<FontUse*>(GetPropW(window, kUseProperty));
}

BOOL CALLBACK RescaleOne(HWND window, LPARAM dpi)
{
    FontUse* use = UseOf(window);
    if (!use || use->key.dpi == static_cast<int>(dpi)) {
        return TRUE;
    }
    FontKey key = use->key;
    key.dpi = static_cast<int>(dpi);
    HFONT font = Acquire(key);
    if (!font) {
        return TRUE;
    }
    HFONT old = use->font;
    use->key = key;
    use->font = font;
    // The window stops using the old font here, so it goes after the message.
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    Release(old);
    return TRUE;
}

}  // namespace

bool AttachOwnedFont(HWND window, const std::wstring& face, int points, int dpi)
{
    FontKey key = {face, points, std::clamp(dpi, kLowestDpi, kHighestDpi)};
    HFONT font = Acquire(key);
    if (!font) {
        return false;
    }
    // A window given an owned font a second time lets go of the first once it has the new.
    FontUse* previous = UseOf(window);
    if (previous) {
        RemoveWindowSubclass(window, FontUserProc, kSubclassId);
        RemovePropW(window, kUseProperty);
    }
    auto* use = new FontUse{key, font};
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    bool watched =
        SetWindowSubclass(window, FontUserProc, kSubclassId, reinterpret_cast<DWORD_PTR>(use));
    if (watched) {
        SetPropW(window, kUseProperty, use);
    } else {
        // Unwatched, the font could never be deleted: the window goes back to its default.
        SendMessageW(window, WM_SETFONT, 0, TRUE);
        Release(font);
        delete use;
    }
    if (previous) {
        Release(previous->font);
        delete previous;
    }
    return watched;
}

void RescaleOwnedFonts(HWND window, int dpi)
{
    LPARAM clamped = std::clamp(dpi, kLowestDpi, kHighestDpi);
    RescaleOne(window, clamped);
    EnumChildWindows(window, RescaleOne, clamped);
}

}  // namespace detail

}  // namespace tsumiki
