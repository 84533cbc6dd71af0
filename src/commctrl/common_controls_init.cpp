#include "commctrl/common_controls_init.h"

#include <commctrl.h>

#include <mutex>

namespace tsumiki {

namespace detail {

namespace {

void Register(DWORD classes)
{
    if (classes == 0) {
        InitCommonControls();
    } else {
        INITCOMMONCONTROLSEX init = {};
        init.dwSize = sizeof(init);
        init.dwICC = classes;
        InitCommonControlsEx(&init);
    }
}

// One registration per set of classes, whichever thread asks first; the others wait for it.
struct Registration {
    DWORD classes;
    std::once_flag done;
};

Registration g_Registrations[] = {{0, {}},
                                  {ICC_LISTVIEW_CLASSES, {}},
                                  {ICC_TREEVIEW_CLASSES, {}},
                                  {ICC_TAB_CLASSES, {}},
                                  {ICC_UPDOWN_CLASS, {}},
                                  {ICC_PROGRESS_CLASS, {}}};

}  // namespace

void InitCommonControlsOnce(bool& once, DWORD classes)
{
    for (Registration& registration : g_Registrations) {
        if (registration.classes == classes) {
            // The flag is written inside the once, so no two threads write it together.
            std::call_once(registration.done, [&] {
                Register(classes);
                once = true;
            });
            return;
        }
    }
    // Classes no wrapper asks for: registering again gives the same answer.
    Register(classes);
    once = true;
}

}  // namespace detail

}  // namespace tsumiki
