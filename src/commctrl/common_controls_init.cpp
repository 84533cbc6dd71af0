#include "commctrl/common_controls_init.h"

#include <commctrl.h>

namespace tsumiki {

namespace detail {

void InitCommonControlsOnce(bool& once, DWORD classes)
{
    if (once) {
        return;
    }
    if (classes == 0) {
        InitCommonControls();
    } else {
        INITCOMMONCONTROLSEX init = {};
        init.dwSize = sizeof(init);
        init.dwICC = classes;
        InitCommonControlsEx(&init);
    }
    once = true;
}

}  // namespace detail

}  // namespace tsumiki
