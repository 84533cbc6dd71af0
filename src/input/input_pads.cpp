// The pads of a window's input state: read once a frame, put to sleep with the focus.
#include "tsumiki/input.h"

#include "input/xinput_slots.h"

namespace tsumiki {

const CGamepad& CInput::Pad(int index) const
{
    static const CGamepad s_Never;
    if (index < 0 || index >= kPads) {
        return s_Never;
    }
    CGamepad& pad = m_Pads[index];
    const unsigned bit = 1u << index;
    if (!(m_WatchedPads & bit)) {
        m_WatchedPads |= bit;
        pad.m_Slot = index;
        if (!m_PadsAsleep) {
            XINPUT_STATE state = {};
            pad.Take(detail::ReadPadSlot(index, state) ? &state : nullptr);
        }
    }
    return pad;
}

void CInput::ReadPads() const
{
    if (m_PadsAsleep) {
        return;
    }
    for (int slot = 0; slot < kPads; ++slot) {
        if (m_WatchedPads & (1u << slot)) {
            XINPUT_STATE state = {};
            m_Pads[slot].Take(detail::ReadPadSlot(slot, state) ? &state : nullptr);
        }
    }
}

void CInput::NextPadFrame()
{
    for (CGamepad& pad : m_Pads) {
        pad.NextFrame();
    }
    // Under GameLoop the next reading comes with the next frame; otherwise it is this one.
    if (!m_InFrame) {
        ReadPads();
    }
}

void CInput::NotePads(UINT message, WPARAM wParam)
{
    const bool lost = message == WM_KILLFOCUS || message == WM_ENTERMENULOOP ||
                      (message == WM_ACTIVATEAPP && !wParam);
    if (lost) {
        // As the keys: what is held now would be released elsewhere, unseen.
        m_PadsAsleep = true;
        for (CGamepad& pad : m_Pads) {
            pad.ReleaseAll();
        }
    } else if (message == WM_SETFOCUS || message == WM_EXITMENULOOP) {
        m_PadsAsleep = false;
    }
}

}  // namespace tsumiki
