#include "platform/gdiplus_startup.h"

using namespace Gdiplus;

CGdiplus::Startup::Startup()
{
    GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    running = GdiplusStartup(&token, &input, nullptr) == Ok;
}

CGdiplus::Startup::~Startup()
{
    if (running) {
        GdiplusShutdown(token);
    }
}

std::shared_ptr<CGdiplus::Startup> CGdiplus::Startup::Shared()
{
    // Weak, so that the start-up ends with the last object that relies on it and never
    // inside the loader's unload notification. Objects are made on the GUI thread only.
    static std::weak_ptr<Startup> current;
    std::shared_ptr<Startup> startup = current.lock();
    if (!startup) {
        startup = std::make_shared<Startup>();
        current = startup;
    }
    return startup;
}

GpFontFamily* CGdiplus::Startup::GenericSansSerif()
{
    if (!m_SansSerifFetched && running) {
        m_SansSerifFetched = true;
        if (DllExports::GdipGetGenericFontFamilySansSerif(&m_SansSerif) != Ok) {
            m_SansSerif = nullptr;
        }
    }
    return m_SansSerif;
}
