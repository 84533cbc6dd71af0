// A later instance for the single-instance test: finds the name taken, then hands the
// first instance its command line. Exits with 0 when both went so.
// Usage: desktop_second_instance.exe <name> <command line to send>
#include <tsumiki.h>

int wmain(int count, wchar_t** arguments)
{
    if (count < 3) {
        return 2;
    }
    if (IsFirstInstance(arguments[1])) {
        return 3;
    }
    return ActivateFirstInstance(arguments[1], arguments[2]) ? 0 : 4;
}
