// The XInput slots, read through xinput1_4 (else 1_3, else 9_1_0), loaded on first need.
#pragma once

#include <windows.h>
#include <xinput.h>

namespace tsumiki {
namespace detail {

constexpr int kPadSlots = 4;

// Reads the pad in the slot (0 to 3); false when the slot is empty or there is no XInput.
// Asking an empty slot is slow on Windows, so one found empty is asked again at most
// every 2 s (for the whole process): until then this answers false at once. Any thread.
bool ReadPadSlot(int slot, XINPUT_STATE& state);
// Runs the slot's motors (0 to 65535 each); false when no pad took it.
bool SetPadMotors(int slot, WORD left, WORD right);

}  // namespace detail
}  // namespace tsumiki
