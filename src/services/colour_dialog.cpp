#include "tsumiki/services.h"

#include <commdlg.h>

namespace tsumiki {

DWORD OpenColorDialog(bool argb, HWND owner)
{
    // The custom colour wells start white; whatever the user puts there lasts one call.
    COLORREF custom[16];
    for (COLORREF& well : custom) {
        well = RGB(255, 255, 255);
    }
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.rgbResult = 0;
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&choose)) {
        return 0;
    }
    if (!argb) {
        return choose.rgbResult;
    }
    // COLORREF keeps red in the low byte; GDI+ wants it in the third, opaque.
    return 0xFF000000u | (static_cast<DWORD>(GetRValue(choose.rgbResult)) << 16) |
           (static_cast<DWORD>(GetGValue(choose.rgbResult)) << 8) | GetBValue(choose.rgbResult);
}

}  // namespace tsumiki
