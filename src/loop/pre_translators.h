// The short list of pre-translators a loop offers each message to before TranslateMessage
// and DispatchMessageW. Rooms above the loop register into it (menu shortcuts, the standard
// keys), so the loop calls up without knowing them.
#pragma once

#include <windows.h>

namespace tsumiki {

namespace detail {

// Offered a message taken from the queue; true when it consumed the message.
using PreTranslator = bool (*)(const MSG& message);

// The places in the list, first offered first: shortcuts come before the standard keys, as
// accelerators do on the platform ("Delete\tDel" wins over what the focused control would
// do with the key).
enum class PreTranslatorSlot {
    MenuShortcuts = 0,
    StandardKeys = 1,
    // Enter for a window's default push button comes last: where the standard keys are on,
    // they press it themselves.
    DefaultButton = 2,
};

// Puts the translator in its slot (registering again changes nothing). Safe from any
// thread; it serves every loop from then on, for the rest of the process.
void RegisterPreTranslator(PreTranslatorSlot slot, PreTranslator translator);

// Called by a message loop for each message: offers a key to the registered translators in
// order. True when one consumed it: the loop must then neither translate nor dispatch it.
// Costs a comparison or two for anything but a key.
bool PreTranslateMessage(const MSG& message);

}  // namespace detail

}  // namespace tsumiki
