#include "tsumiki/services.h"

#include "text/library_text.h"
#include "text/library_message.h"

#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

#include "keyboard/menu_shortcut.h"
#include "keyboard/shortcut_table.h"

namespace tsumiki {

namespace {

// A menu text as the menu shows it: "&&" is one '&', and any other '&' only underlines the
// letter after it.
std::wstring AsShown(std::wstring_view text)
{
    std::wstring shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
        }
        shown += text[i];
    }
    return shown;
}

}  // namespace

// The bar and the pop-ups made for it. Who destroys a menu is decided once per menu:
// - a pop-up that went into a menu dies with that menu (DestroyMenu is recursive), so only
//   a pop-up no menu took (its append failed) is destroyed here;
// - the bar is destroyed here unless a window still shows it. Then it is left to the window,
//   marked as such in its menu data: the window destroys it when it is destroyed itself,
//   and the next Set on the window, which replaces it, destroys it (SetMenu never does).
// A window that died with the bar leaves a dead handle that a new menu may reuse, so the
// bar carries this object's address as its menu data and is destroyed only while it does.
struct CMenu::Menus {
    struct Popup {
        HMENU menu;
        bool heldByParent;
    };

    Menus() : bar(CreateMenu()) { SetTag(bar, Tag()); }

    ~Menus()
    {
        for (const Popup& popup : popups) {
            if (!popup.heldByParent) {
                DestroyMenu(popup.menu);
            }
        }
        if (!IsOurBar()) {
            return;
        }
        if (IsShownByWindow()) {
            SetTag(bar, LeftToWindowTag());
        } else {
            detail::ForgetMenuShortcuts(bar);
            DestroyMenu(bar);
        }
    }

    Menus(const Menus&) = delete;
    Menus& operator=(const Menus&) = delete;

    ULONG_PTR Tag() const { return reinterpret_cast<ULONG_PTR>(this); }

    // The menu data of a bar whose menus died while a window showed it: the address of a
    // static, which no living Menus can have.
    static ULONG_PTR LeftToWindowTag()
    {
        static const char leftToWindow = 0;
        return reinterpret_cast<ULONG_PTR>(&leftToWindow);
    }

    static void SetTag(HMENU menu, ULONG_PTR tag)
    {
        MENUINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIM_MENUDATA;
        info.dwMenuData = tag;
        SetMenuInfo(menu, &info);
    }

    static bool HasTag(HMENU menu, ULONG_PTR tag)
    {
        MENUINFO info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIM_MENUDATA;
        return menu && IsMenu(menu) && GetMenuInfo(menu, &info) && info.dwMenuData == tag;
    }

    bool IsShownByWindow() const
    {
        return window && IsWindow(window) && GetMenu(window) == bar;
    }

    bool IsOurBar() const { return HasTag(bar, Tag()); }

    HMENU bar;
    // Every pop-up made by AddMenu, in creation order.
    std::vector<Popup> popups;
    // The window Set last showed the bar on.
    HWND window = nullptr;
};

CMenu::CMenu() : m_Menus(std::make_shared<Menus>()) {}

CMenu::CMenu(const CMenu& other) = default;

CMenu& CMenu::operator=(const CMenu& other) = default;

CMenu::~CMenu() = default;

HMENU CMenu::AddMenu(const wchar_t* title, int count, ...)
{
    va_list items;
    va_start(items, count);
    HMENU popup = AddPopup(title, m_Menus->bar, count, items);
    va_end(items);
    return popup;
}

HMENU CMenu::AddMenu(const wchar_t* title, HMENU parent, int count, ...)
{
    va_list items;
    va_start(items, count);
    HMENU popup = AddPopup(title, parent, count, items);
    va_end(items);
    return popup;
}

HMENU CMenu::AddPopup(const wchar_t* title, HMENU parent, int count, va_list items)
{
    HMENU popup = CreateMenu();
    for (int i = 0; i < count; ++i) {
        const wchar_t* text = va_arg(items, const wchar_t*);
        if (!text) {
            continue;
        }
        if (std::wcscmp(text, L"|") == 0) {
            AddSeparator(popup);
        } else {
            // emplace keeps the identifier already registered for the text.
            int id = AddItem(popup, text);
            m_ItemID.emplace(text, id);
            // An item shown with a shortcut ("Open…\tCtrl+O") is known by its label too.
            std::wstring_view label = detail::ItemLabel(text);
            if (!label.empty() && label.size() != std::wcslen(text)) {
                m_ItemID.emplace(label, id);
            }
        }
    }
    AddSubMenu(parent, popup, title ? title : L"");
    // A bar already shown gets the new items' shortcuts at once.
    detail::RebuildMenuShortcuts(m_Menus->bar);
    return popup;
}

void CMenu::AddSeparator(HMENU menu)
{
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

int CMenu::AddItem(HMENU menu, const wchar_t* text)
{
    int id = CWindowBase::CreateResourceID();
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(id), text);
    return id;
}

void CMenu::AddSubMenu(HMENU parent, HMENU popup, const wchar_t* title)
{
    bool held = AppendMenuW(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title) != FALSE;
    m_Menus->popups.push_back({popup, held});
}

void CMenu::Set(HWND window)
{
    // A child window's GetMenu answers its identifier, and SetMenu refuses it: the bar it
    // would replace is looked at only once the new one is in place.
    HMENU previous = GetMenu(window);
    if (!SetMenu(window, m_Menus->bar)) {
        return;
    }
    DrawMenuBar(window);
    m_Menus->window = window;
    detail::BuildMenuShortcuts(window, m_Menus->bar);
    if (previous != m_Menus->bar && Menus::HasTag(previous, Menus::LeftToWindowTag())) {
        detail::ForgetMenuShortcuts(previous);
        DestroyMenu(previous);
    }
}

int CMenu::Lookup(const wchar_t* text)
{
    auto found = text ? m_ItemID.find(text) : m_ItemID.end();
    if (found == m_ItemID.end() && text) {
        // Known as shown too ("Open…" for "&Open…"): the first item made that shows so. The
        // texts as written come first, so an item "Copy" wins over another's "&Copy".
        int first = 0;
        for (const auto& [name, id] : m_ItemID) {
            if ((first == 0 || id < first) && AsShown(name) == text) {
                first = id;
            }
        }
        if (first != 0) {
            return first;
        }
    }
    if (found == m_ItemID.end()) {
        detail::ShowLibraryMessage(detail::LibraryTextNaming(detail::Text::MenuTextMissing, text).c_str(),
                                   nullptr);
        return 0;
    }
    return found->second;
}

int CMenu::GetID(const wchar_t* text)
{
    return Lookup(text);
}

bool CMenu::IsSelect(const wchar_t* text, int id)
{
    int registered = Lookup(text);
    return registered != 0 && registered == id;
}

}  // namespace tsumiki
