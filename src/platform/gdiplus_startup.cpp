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

namespace {

// Weak, so that the start-up ends with the last object that relies on it and never
// inside the loader's unload notification. Objects are made on the GUI thread only.
std::weak_ptr<CGdiplus::Startup>& CurrentSharedStartup()
{
    static std::weak_ptr<CGdiplus::Startup> current;
    return current;
}

}  // namespace

bool CGdiplus::Startup::SharedExists()
{
    return !CurrentSharedStartup().expired();
}

std::shared_ptr<CGdiplus::Startup> CGdiplus::Startup::Shared()
{
    std::weak_ptr<Startup>& current = CurrentSharedStartup();
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
