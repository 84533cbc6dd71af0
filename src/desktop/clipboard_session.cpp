#include "desktop/clipboard_session.h"

#include <cstring>

namespace tsumiki {

namespace {

// Other programs hold the clipboard only while they read or write it, a few milliseconds.
constexpr DWORD kPatienceMilliseconds = 500;
constexpr DWORD kRetryMilliseconds = 5;

}  // namespace

ClipboardSession::ClipboardSession(HWND owner)
{
    DWORD start = GetTickCount();
    while (!(m_Open = OpenClipboard(owner) != FALSE) &&
           GetTickCount() - start < kPatienceMilliseconds) {
        Sleep(kRetryMilliseconds);
    }
}

ClipboardSession::~ClipboardSession()
{
    if (m_Open) {
        CloseClipboard();
    }
}

HGLOBAL CopyToGlobal(const void* bytes, std::size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* target = memory ? GlobalLock(memory) : nullptr;
    if (!target) {
        if (memory) {
            GlobalFree(memory);
        }
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
    return memory;
}

}  // namespace tsumiki
