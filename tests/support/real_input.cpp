#include "support/real_input.h"

#include <vector>

#include "support/pump.h"

namespace {

INPUT MouseAt(POINT screen, DWORD flags)
{
    // Absolute positions run from 0 to 65535 across the primary screen.
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, width) + 1;
    input.mi.dy = MulDiv(screen.y, 65536, height) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

void SendAll(std::vector<INPUT>& inputs)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(150);
}

}  // namespace

POINT ScreenPoint(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

void ClickAt(POINT screen)
{
    std::vector<INPUT> inputs = {MouseAt(screen, 0), MouseAt(screen, MOUSEEVENTF_LEFTDOWN),
                                 MouseAt(screen, MOUSEEVENTF_LEFTUP)};
    SendAll(inputs);
}

void DragTo(POINT from, POINT to)
{
    std::vector<INPUT> inputs = {MouseAt(from, 0), MouseAt(from, MOUSEEVENTF_LEFTDOWN)};
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        POINT step = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        inputs.push_back(MouseAt(step, 0));
    }
    inputs.push_back(MouseAt(to, MOUSEEVENTF_LEFTUP));
    SendAll(inputs);
}

void PressKey(WORD virtualKey)
{
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = virtualKey;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    PumpFor(50);
}
