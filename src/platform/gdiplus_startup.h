// One GDI+ start-up and what lives exactly as long as it.
#pragma once

#include "tsumiki/graphics.h"

#include <memory>

namespace tsumiki {

struct CGdiplus::Startup {
    Startup();
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // The library's start-up, made on first need: GDI+ may not be started inside DllMain,
    // so nothing starts it at load. It lives while anything holds it.
    static std::shared_ptr<Startup> Shared();
    // Whether the library's start-up exists now.
    static bool SharedExists();

    // The generic sans-serif family, fetched once per start-up; it belongs to GDI+
    // and must not be deleted, and it dies with this start-up.
    Gdiplus::GpFontFamily* GenericSansSerif();

    ULONG_PTR token = 0;
    bool running = false;

private:
    Gdiplus::GpFontFamily* m_SansSerif = nullptr;
    bool m_SansSerifFetched = false;
};

}  // namespace tsumiki
