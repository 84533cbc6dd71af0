#include "controls/button_styles.h"

#include "tsumiki/controls.h"

#include <atomic>

namespace tsumiki {

namespace {

// Process-wide and read by every Create, on whichever thread makes controls.
std::atomic<bool> g_StandardButtonStyles{false};

}  // namespace

void UseStandardButtonStyles(bool on)
{
    g_StandardButtonStyles.store(on, std::memory_order_relaxed);
}

bool detail::StandardButtonStyles()
{
    return g_StandardButtonStyles.load(std::memory_order_relaxed);
}

}  // namespace tsumiki
