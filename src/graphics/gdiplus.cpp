#include "platform/gdiplus_startup.h"

namespace tsumiki {

CGdiplus::CGdiplus() : m_Token(std::make_shared<Startup>()) {}

CGdiplus::CGdiplus(std::shared_ptr<Startup> startup) : m_Token(std::move(startup)) {}

CGdiplus::CGdiplus(const CGdiplus& other) = default;

CGdiplus& CGdiplus::operator=(const CGdiplus& other) = default;

CGdiplus::~CGdiplus() = default;

CGdiplus CGdiplus::Shared()
{
    return CGdiplus(Startup::Shared());
}

bool CGdiplus::IsSharedRunning()
{
    return Startup::SharedExists();
}

bool CGdiplus::IsRunning() const
{
    return m_Token && m_Token->running;
}

ULONG_PTR CGdiplus::GetToken() const
{
    return m_Token ? m_Token->token : 0;
}

}  // namespace tsumiki
