// Real key chords for tests of the library's own loop: the keys are queued through
// SendInput without pumping, so that MessageLoop (or a modal dialog's loop) reads them.
#pragma once

#include <windows.h>

#include <initializer_list>

// Presses the keys in order and releases them in reverse (VK_CONTROL, 'O' is Ctrl+O).
void SendChord(std::initializer_list<WORD> keys);
// Runs MessageLoop for about the given time.
void RunMessageLoopFor(DWORD milliseconds);
