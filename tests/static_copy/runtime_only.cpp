// A DLL with the C++ runtime but not the library, the yardstick for static_plugin.dll: the
// MinGW runtime keeps a TLS index of its own at every unload once an exception, a guarded
// static or a thread_local has been used, whatever the code around it.
#include <windows.h>

#include <stdexcept>

extern "C" __declspec(dllexport) bool ProbeWindow(HINSTANCE* classModule)
{
    *classModule = nullptr;
    try {
        throw std::runtime_error("the runtime's own state");
    } catch (const std::exception&) {
        return true;
    }
}
