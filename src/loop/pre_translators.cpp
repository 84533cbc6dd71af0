#include "loop/pre_translators.h"

#include <atomic>

namespace tsumiki {

namespace {

constexpr int kSlots = 3;

// Registered once and read by every loop on every thread: atomic slots need no lock.
std::atomic<detail::PreTranslator> g_Translators[kSlots] = {};

}  // namespace

void detail::RegisterPreTranslator(PreTranslatorSlot slot, PreTranslator translator)
{
    g_Translators[static_cast<int>(slot)].store(translator);
}

bool detail::PreTranslateMessage(const MSG& message)
{
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        // Nothing may leave here: the caller may be the platform's modal loop, through a
        // hook. Handlers reached by the messages sent keep their own exceptions; what is
        // left is running out of memory, and the key then goes on as if the library had no
        // use for it.
        try {
            for (auto& slot : g_Translators) {
                PreTranslator translator = slot.load();
                if (translator && translator(message)) {
                    return true;
                }
            }
            return false;
        } catch (...) {
            return false;
        }
    default:
        return false;
    }
}

}  // namespace tsumiki
