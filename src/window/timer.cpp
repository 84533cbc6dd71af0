#include "tsumiki/framework.h"

namespace tsumiki {

// One platform timer. Killed when the last CTimer that refers to it dies, unless a later
// Create on its object superseded it: such a timer runs until its window is destroyed.
struct CTimer::Binding {
    HWND window = nullptr;
    int id = 0;
    bool killOnRelease = true;

    ~Binding()
    {
        if (window && killOnRelease) {
            KillTimer(window, static_cast<UINT_PTR>(id));
        }
    }
};

CTimer::CTimer() = default;

CTimer::CTimer(const CTimer& other) = default;

CTimer& CTimer::operator=(const CTimer& other) = default;

CTimer::~CTimer() = default;

void CTimer::Create(HWND window, int elapse, TIMERPROC)
{
    // Without a window the platform makes a thread timer with an identifier of its own
    // choosing, which KillTimer with ours would never stop: refused, as is a dead window.
    if (!window || !IsWindow(window)) {
        return;
    }
    auto binding = std::make_shared<Binding>();
    binding->window = window;
    binding->id = CWindowBase::CreateResourceID();
    if (!SetTimer(window, static_cast<UINT_PTR>(binding->id), static_cast<UINT>(elapse), nullptr)) {
        binding->window = nullptr;
        return;
    }
    if (m_Binding) {
        m_Binding->killOnRelease = false;
    }
    m_Binding = std::move(binding);
}

int CTimer::GetID() const
{
    return m_Binding ? m_Binding->id : 0;
}

}  // namespace tsumiki
