#include "support/real_input.h"

#include <vector>

#include "support/pump.h"

namespace {

INPUT MouseAt(POINT screen, DWORD flags)
{
    // Absolute positions run from 0 to 65535 across the primary screen.
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void SendAll(std::vector<INPUT> inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(150);
}

}  // namespace

void ClickAt(POINT screen)
{
    SendAll({MouseAt(screen, 0), MouseAt(screen, MOUSEEVENTF_LEFTDOWN),
             MouseAt(screen, MOUSEEVENTF_LEFTUP)});
}

void DragTo(POINT from, POINT to)
{
    std::vector<INPUT> inputs = {MouseAt(from, 0), MouseAt(from, MOUSEEVENTF_LEFTDOWN)};
    for (int i = 1; i <= 8; ++i) {
        inputs.push_back(MouseAt({from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8}, 0));
    }
    inputs.push_back(MouseAt(to, MOUSEEVENTF_LEFTUP));
    SendAll(inputs);
}

void PressKey(WORD virtualKey)
{
    INPUT press = {};
    press.type = INPUT_KEYBOARD;
    press.ki.wVk = virtualKey;
    INPUT release = press;
    release.ki.dwFlags = KEYEVENTF_KEYUP;
    SendAll({press, release});
}

POINT CentreOf(HWND window)
{
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}
