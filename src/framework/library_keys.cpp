#include "framework/library_keys.h"

#include "controls/default_button.h"
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
        // whatever the focused control would do with the key. Nothing may leave here: the
        // caller may be the platform's modal loop, through a hook. Handlers reached by the
        // messages sent keep their own exceptions; what is left is running out of memory,
        // and the key then goes on as if the library had no use for it.
        try {
            // Enter for a default button comes last: where the standard keys are on, they
            // press it themselves.
            return TranslateMenuShortcut(message) || TranslateStandardKeys(message) ||
                   TranslateDefaultButtonKey(message);
        } catch (...) {
            return false;
        }
    default:
        return false;
    }
}

}  // namespace tsumiki
