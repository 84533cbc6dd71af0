#include "tsumiki/services.h"

#include <commdlg.h>

bool OpenFontDialog(LOGFONTW* font, DWORD* colour, HWND owner)
{
    // The platform writes the choice straight into the record it is given; a caller that
    // gives none still gets a working dialog, its font then going nowhere.
    LOGFONTW unused = {};
    CHOOSEFONTW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.lpLogFont = font ? font : &unused;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS;
    // The text colour starts black.
    choose.rgbColors = RGB(0, 0, 0);
    if (!ChooseFontW(&choose)) {
        return false;
    }
    if (colour) {
        *colour = choose.rgbColors;
    }
    return true;
}
