#include "tsumiki/services.h"

#include <commdlg.h>

namespace tsumiki {

bool OpenFontDialog(LOGFONTW* font, DWORD* colour, HWND owner)
{
    // The dialog works on a record of its own: some platforms (Wine) write the font into
    // the record while the user is still choosing, and a cancelled dialog must leave the
    // caller's font as it was.
    LOGFONTW chosen = {};
    CHOOSEFONTW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.lpLogFont = &chosen;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS;
    // The text colour starts black.
    choose.rgbColors = RGB(0, 0, 0);
    if (!ChooseFontW(&choose)) {
        return false;
    }
    if (font) {
        *font = chosen;
    }
    if (colour) {
        *colour = choose.rgbColors;
    }
    return true;
}

}  // namespace tsumiki
