#include "framework/library_keys.h"

#include "framework/standard_keys.h"
#include "services/menu_shortcut.h"

namespace tsumiki {

bool detail::TranslateLibraryKeys(MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        // Shortcuts come first, as accelerators do on the platform: "Delete\tDel" wins over
        // whatever the focused control would do with the key.
        return TranslateMenuShortcut(message) || TranslateStandardKeys(message);
    default:
        return false;
    }
}

}  // namespace tsumiki
