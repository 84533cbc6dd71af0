// An icon in the taskbar's notification area.
#include "tsumiki/desktop.h"
#include "tsumiki/window.h"

#include "desktop/shell_notices.h"

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <mutex>
#include <vector>

namespace tsumiki {

// The icon the copies of a CTrayIcon share; removed from the tray when the last lets go.
struct CTrayIcon::Icon {
    Icon();
    ~Icon();
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    // The shell's record of the icon, with the given parts filled in.
    NOTIFYICONDATAW Data(UINT flags) const;
    // Adds the icon as it stands and has it speak version 4.
    bool AddToTray();
    bool RemoveFromTray();
    void SetPicture(HICON icon);

    HWND owner = nullptr;
    UINT id = 0;
    // A copy of the caller's picture, owned here: the tray is given it again when the
    // taskbar restarts.
    HICON picture = nullptr;
    std::wstring tip;
    // Added and not removed since; in the tray when shown too (a taskbar that was not
    // there yet shows it when it starts).
    bool wanted = false;
    bool shown = false;
};

namespace {

std::atomic<UINT> g_LastID{0};

// The icons alive, for adding them again when the taskbar restarts.
std::mutex g_IconsLock;
std::vector<CTrayIcon::Icon*> g_Icons;

// Copies the text into the shell's fixed field, cut to fit without splitting a surrogate pair.
template <std::size_t N>
void CopyCut(wchar_t (&field)[N], const wchar_t* text)
{
    std::size_t length = text ? std::min(std::wcslen(text), N - 1) : 0;
    if (length == N - 1 && length > 0 && IS_HIGH_SURROGATE(text[length - 1])) {
        --length;
    }
    std::wmemcpy(field, text ? text : L"", length);
    field[length] = L'\0';
}

}  // namespace

CTrayIcon::Icon::Icon() : id(++g_LastID)
{
    std::lock_guard<std::mutex> lock(g_IconsLock);
    g_Icons.push_back(this);
}

CTrayIcon::Icon::~Icon()
{
    {
        std::lock_guard<std::mutex> lock(g_IconsLock);
        g_Icons.erase(std::find(g_Icons.begin(), g_Icons.end(), this));
    }
    if (shown) {
        RemoveFromTray();
    }
    SetPicture(nullptr);
}

NOTIFYICONDATAW CTrayIcon::Icon::Data(UINT flags) const
{
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = flags;
    data.uCallbackMessage = detail::TrayIconMessage();
    data.hIcon = picture;
    CopyCut(data.szTip, tip.c_str());
    return data;
}

bool CTrayIcon::Icon::AddToTray()
{
    // NIF_SHOWTIP: under version 4 the shell shows the tip only when asked to.
    NOTIFYICONDATAW data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP);
    if (!Shell_NotifyIconW(NIM_ADD, &data)) {
        return false;
    }
    data.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &data);
    return true;
}

bool CTrayIcon::Icon::RemoveFromTray()
{
    NOTIFYICONDATAW data = Data(0);
    wanted = false;
    shown = false;
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

void CTrayIcon::Icon::SetPicture(HICON icon)
{
    if (picture) {
        DestroyIcon(picture);
    }
    picture = icon ? CopyIcon(icon) : nullptr;
}

void AddTrayIconsAgain(HWND owner)
{
    std::lock_guard<std::mutex> lock(g_IconsLock);
    for (CTrayIcon::Icon* icon : g_Icons) {
        if (icon->wanted && icon->owner == owner) {
            icon->shown = icon->AddToTray();
        }
    }
}

void CWindowBase::OnTrayIcon(HWND, UINT, int, int) {}

CTrayIcon::CTrayIcon() = default;

CTrayIcon::CTrayIcon(const CTrayIcon& other) = default;

CTrayIcon& CTrayIcon::operator=(const CTrayIcon& other) = default;

CTrayIcon::~CTrayIcon() = default;

bool CTrayIcon::Add(HWND owner, HICON icon, const wchar_t* tip)
{
    if (!owner || !IsWindow(owner)) {
        return false;
    }
    if (m_Icon && m_Icon->shown) {
        m_Icon->RemoveFromTray();
    }
    if (!m_Icon) {
        m_Icon = std::make_shared<Icon>();
    }
    m_Icon->owner = owner;
    m_Icon->SetPicture(icon);
    m_Icon->tip = tip ? tip : L"";
    WatchShellNotices();
    // An elevated owner would not hear of a restarted taskbar otherwise.
    ChangeWindowMessageFilterEx(owner, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    m_Icon->wanted = true;
    m_Icon->shown = m_Icon->AddToTray();
    return m_Icon->shown;
}

bool CTrayIcon::SetIcon(HICON icon)
{
    if (!IsShown()) {
        return false;
    }
    HICON copy = icon ? CopyIcon(icon) : nullptr;
    NOTIFYICONDATAW data = m_Icon->Data(NIF_ICON);
    data.hIcon = copy;
    if (!Shell_NotifyIconW(NIM_MODIFY, &data)) {
        if (copy) {
            DestroyIcon(copy);
        }
        return false;
    }
    if (m_Icon->picture) {
        DestroyIcon(m_Icon->picture);
    }
    m_Icon->picture = copy;
    return true;
}

bool CTrayIcon::SetTip(const wchar_t* tip)
{
    if (!IsShown()) {
        return false;
    }
    NOTIFYICONDATAW data = m_Icon->Data(NIF_TIP | NIF_SHOWTIP);
    CopyCut(data.szTip, tip);
    if (!Shell_NotifyIconW(NIM_MODIFY, &data)) {
        return false;
    }
    m_Icon->tip = tip ? tip : L"";
    return true;
}

bool CTrayIcon::ShowBalloon(const wchar_t* title, const wchar_t* text)
{
    if (!IsShown() || !text || !*text) {
        return false;
    }
    NOTIFYICONDATAW data = m_Icon->Data(NIF_INFO);
    CopyCut(data.szInfoTitle, title);
    CopyCut(data.szInfo, text);
    data.dwInfoFlags = NIIF_INFO;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

bool CTrayIcon::Remove()
{
    if (!m_Icon || !m_Icon->wanted) {
        return false;
    }
    if (!m_Icon->shown) {
        // Still waiting for a taskbar: it will not be shown.
        m_Icon->wanted = false;
        return true;
    }
    return m_Icon->RemoveFromTray();
}

bool CTrayIcon::IsShown() const
{
    return m_Icon && m_Icon->shown;
}

UINT CTrayIcon::GetCallbackMessage() const
{
    return detail::TrayIconMessage();
}

UINT CTrayIcon::GetID() const
{
    return m_Icon ? m_Icon->id : 0;
}

}  // namespace tsumiki
