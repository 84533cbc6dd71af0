#include "platform/gdiplus_startup.h"

#include <mutex>

namespace tsumiki {

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

// Windows made on several threads start and end the shared start-up from any of them.
std::mutex& SharedStartupLock()
{
    static std::mutex lock;
    return lock;
}

// Weak, so that the start-up ends with the last object that relies on it and never
// inside the loader's unload notification. Guarded by SharedStartupLock.
std::weak_ptr<CGdiplus::Startup>& CurrentSharedStartup()
{
    static std::weak_ptr<CGdiplus::Startup> current;
    return current;
}

}  // namespace

bool CGdiplus::Startup::SharedExists()
{
    std::lock_guard<std::mutex> hold(SharedStartupLock());
    return !CurrentSharedStartup().expired();
}

std::shared_ptr<CGdiplus::Startup> CGdiplus::Startup::Shared()
{
    std::lock_guard<std::mutex> hold(SharedStartupLock());
    std::weak_ptr<Startup>& current = CurrentSharedStartup();
    std::shared_ptr<Startup> startup = current.lock();
    if (!startup) {
        // The shutdown takes the lock too: a start-up never overlaps the end of the last.
        startup.reset(new Startup, [](Startup* ending) {
            std::lock_guard<std::mutex> hold(SharedStartupLock());
            delete ending;
        });
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

}  // namespace tsumiki
