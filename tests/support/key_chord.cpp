#include "support/key_chord.h"

#include <tsumiki.h>

#include <vector>

void SendChord(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT press = {};
        press.type = INPUT_KEYBOARD;
        press.ki.wVk = key;
        inputs.push_back(press);
    }
    for (size_t i = keys.size(); i-- > 0;) {
        INPUT release = inputs[i];
        release.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(release);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

namespace {

void QuitWhenDue(void* due)
{
    if (GetTickCount() >= *static_cast<DWORD*>(due)) {
        PostQuitMessage(0);
    }
    Sleep(1);
}

}  // namespace

void RunMessageLoopFor(DWORD milliseconds)
{
    DWORD due = GetTickCount() + milliseconds;
    MessageLoop(QuitWhenDue, &due);
}
