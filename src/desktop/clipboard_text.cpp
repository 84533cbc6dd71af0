// Text on the clipboard.
#include "tsumiki/desktop.h"

#include "desktop/clipboard_session.h"

#include <cwchar>

namespace tsumiki {

bool SetClipboardText(HWND owner, const wchar_t* text)
{
    if (!text) {
        return false;
    }
    // Made before the clipboard is opened, so that it is held for the shortest time.
    HGLOBAL memory = CopyToGlobal(text, (std::wcslen(text) + 1) * sizeof(wchar_t));
    if (!memory) {
        return false;
    }
    ClipboardSession clipboard(owner);
    if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        return false;
    }
    // The clipboard owns the memory from here on.
    return true;
}

std::wstring GetClipboardText(HWND owner)
{
    ClipboardSession clipboard(owner);
    HANDLE memory = clipboard.IsOpen() ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* text = memory ? static_cast<const wchar_t*>(GlobalLock(memory)) : nullptr;
    if (!text) {
        return std::wstring();
    }
    // Another program's text need not end in a zero within its memory.
    std::wstring copy(text, wcsnlen(text, GlobalSize(memory) / sizeof(wchar_t)));
    GlobalUnlock(memory);
    return copy;
}

bool HasClipboardText()
{
    return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
}

}  // namespace tsumiki
