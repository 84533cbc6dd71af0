// The showcase's right-hand column: a tab control (CTab) whose tabs switch between pages,
// recognised by their titles through CTab::IsSelect in the window's OnNotify.
// A page is any panel with `void Create(HWND parent, int x, int y)` and
// `void Show(bool visible)`. Whichever of the handlers
//     bool OnCommand(HWND, int id, HWND control, UINT code)
//     bool OnNotify(HWND, int id, NMHDR* header)
//     bool OnHScroll(HWND, HWND scrollBar, UINT code, int position)
//     bool OnVScroll(HWND, HWND scrollBar, UINT code, int position)
// a panel has (each answering "was mine") gets the window's messages of that kind.
// Adding a page is one line: m_Pages.Add<LibraryPanel>(L"Library");
#pragma once

#include <tsumiki.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class Pages {
public:
    // Reserves the column at (x, y) of the parent's client area; the tab control is made
    // with the first page.
    void Create(HWND parent, int x, int y, int width, int height);

    // Makes a panel of its own, adds it as a page under a tab with the title and returns
    // it. The first page is shown, later ones start hidden.
    template <class Panel>
    Panel& Add(const wchar_t* title)
    {
        auto panel = std::make_shared<Panel>();
        Add(title, *panel);
        m_Pages.back().owned = panel;
        return *panel;
    }

    // Adds a panel that lives elsewhere (and must outlive the window) as a page.
    template <class Panel>
    void Add(const wchar_t* title, Panel& panel)
    {
        Page page;
        page.title = title;
        page.show = [&panel](bool visible) { panel.Show(visible); };
        // The handlers a panel does not have stay empty.
        auto command = [](auto& p, HWND h, int id, HWND c, UINT code)
            -> decltype(bool(p.OnCommand(h, id, c, code))) { return p.OnCommand(h, id, c, code); };
        auto notify = [](auto& p, HWND h, int id, NMHDR* header)
            -> decltype(bool(p.OnNotify(h, id, header))) { return p.OnNotify(h, id, header); };
        auto hscroll = [](auto& p, HWND h, HWND bar, UINT code, int position)
            -> decltype(bool(p.OnHScroll(h, bar, code, position))) {
            return p.OnHScroll(h, bar, code, position);
        };
        auto vscroll = [](auto& p, HWND h, HWND bar, UINT code, int position)
            -> decltype(bool(p.OnVScroll(h, bar, code, position))) {
            return p.OnVScroll(h, bar, code, position);
        };
        page.command = Bind<Panel, HWND, int, HWND, UINT>(panel, command);
        page.notify = Bind<Panel, HWND, int, NMHDR*>(panel, notify);
        page.hscroll = Bind<Panel, HWND, HWND, UINT, int>(panel, hscroll);
        page.vscroll = Bind<Panel, HWND, HWND, UINT, int>(panel, vscroll);
        AddTab(title);
        panel.Create(m_Parent, m_X + kInset, m_Y + kTabStripHeight);
        m_Pages.push_back(std::move(page));
        Placed();
    }

    // The white the tab control paints its pages with, for the window's static and edit
    // colour handlers: null for a control outside the column.
    HBRUSH Background(HDC dc, HWND control) const;

    // Shows the page with the title as a click on its tab would.
    void Select(const wchar_t* title);

    // Anchors every control of the column (the tab control and the pages' controls) to the
    // window's top and right edges, the tab control to the bottom too: the column keeps its
    // width at the right edge and grows down. Pages anchor their tall controls afterwards.
    void Anchor(CWindowBase& window) const;
    // Where the column starts now, in the parent's client coordinates.
    int Left() const;

    // The window's messages; each is true when a tab or a page took it.
    bool OnCommand(HWND hwnd, int id, HWND control, UINT code);
    bool OnNotify(HWND hwnd, int id, NMHDR* header);
    bool OnHScroll(HWND hwnd, HWND scrollBar, UINT code, int position);
    bool OnVScroll(HWND hwnd, HWND scrollBar, UINT code, int position);

private:
    static constexpr int kInset = 15;
    static constexpr int kTabStripHeight = 32;

    struct Page {
        std::wstring title;
        std::shared_ptr<void> owned;
        std::function<void(bool)> show;
        std::function<bool(HWND, int, HWND, UINT)> command;
        std::function<bool(HWND, int, NMHDR*)> notify;
        std::function<bool(HWND, HWND, UINT, int)> hscroll;
        std::function<bool(HWND, HWND, UINT, int)> vscroll;
    };

    // The panel's handler as a function, or an empty one when the panel has none.
    template <class Panel, class... Args, class Call>
    static std::function<bool(Args...)> Bind(Panel& panel, Call call)
    {
        if constexpr (std::is_invocable_v<Call, Panel&, Args...>) {
            return [&panel, call](Args... args) { return call(panel, args...); };
        } else {
            return {};
        }
    }

    void AddTab(const wchar_t* title);
    // Keeps the tab control beneath the pages' controls, and every page but the first hidden.
    void Placed();

    CTab m_Tabs;
    std::vector<Page> m_Pages;
    HWND m_Parent = nullptr;
    int m_X = 0;
    int m_Y = 0;
    int m_Width = 0;
    int m_Height = 0;
};
