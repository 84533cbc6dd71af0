// The clipboard opened for one call and closed again whatever happens.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tsumiki {

// Opens the clipboard, trying again for a short while when another program holds it, and
// closes it when it dies.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner);
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool IsOpen() const { return m_Open; }

private:
    bool m_Open = false;
};

// Movable global memory holding a copy of the bytes, as the clipboard takes it; null when
// memory runs out. The caller owns it until the clipboard takes it.
HGLOBAL CopyToGlobal(const void* bytes, std::size_t size);

}  // namespace tsumiki
