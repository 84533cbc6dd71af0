// Running the calling thread's messages for a while, as a program's loop would.
#pragma once

#include <windows.h>

#include <functional>

// Dispatches messages for about the given time.
void PumpFor(DWORD milliseconds);
// Dispatches messages until the condition holds or the time runs out; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMilliseconds = 5000);
