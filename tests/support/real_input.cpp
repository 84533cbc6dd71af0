#include "support/real_input.h"

#include "support/pump.h"

INPUT MouseInput(POINT screen, DWORD flags, DWORD data)
{
    // Absolute positions run from 0 to 65535 across the primary screen.
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.mouseData = data;
    return input;
}

INPUT KeyInput(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void SendInputs(std::vector<INPUT> inputs, bool pump)
{
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (pump) {
        PumpFor(150);
    }
}

namespace {

INPUT MouseAt(POINT screen, DWORD flags)
{
    return MouseInput(screen, flags);
}

void SendAll(std::vector<INPUT> inputs)
{
    SendInputs(std::move(inputs));
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
    SendAll({KeyInput(virtualKey, false), KeyInput(virtualKey, true)});
}

POINT CentreOf(HWND window)
{
    RECT bounds = {};
    GetWindowRect(window, &bounds);
    return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}
