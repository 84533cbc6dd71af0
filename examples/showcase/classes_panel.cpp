#include "classes_panel.h"

#include <initializer_list>

namespace {

constexpr int kWidth = 290;
constexpr const wchar_t* kRoot = L"tsumiki";

// A header or a class, the header it belongs to (the root for a header) and what it is.
struct Entry {
    const wchar_t* name;
    const wchar_t* parent;
    const wchar_t* description;
};

const Entry kEntries[] = {
    {L"window.h", kRoot, L"Window objects, dispatch to handlers, dialogs, timers."},
    {L"CWindowBase", L"window.h", L"Base of every window: creation, handlers, back buffer."},
    {L"CControlBase", L"window.h", L"Base of every control: standard creation, ChangeProc."},
    {L"CDialogBase", L"window.h", L"Modal or modeless dialog made without resources."},
    {L"CTimer", L"window.h", L"A window timer that lives no longer than its object."},
    {L"input.h", kRoot, L"Keys, buttons and the mouse as a game reads them."},
    {L"CInput", L"input.h", L"Every window's m_Input: held, pressed, released."},
    {L"gamepad.h", kRoot, L"Game controllers through XInput."},
    {L"CGamepad", L"gamepad.h", L"Sticks, triggers and buttons of one pad."},
    {L"frame_clock.h", kRoot, L"Time between frames for a game loop."},
    {L"CFrameClock", L"frame_clock.h", L"Whole steps of a fixed rate out of real time."},
    {L"controls.h", kRoot, L"Wrappers of the classic control classes."},
    {L"CButton", L"controls.h", L"Push button that knows its own click in OnCommand."},
    {L"CCheckBox", L"controls.h", L"Check box that changes only when told (ToggleCheck)."},
    {L"CGroupBox", L"controls.h", L"Frame with a caption around other controls."},
    {L"CStatic", L"controls.h", L"Static text, like this line."},
    {L"CEdit", L"controls.h", L"Single-line edit with a border; base of the edits."},
    {L"CEditReadOnly", L"controls.h", L"Single-line edit the user cannot change."},
    {L"CEditMultiLine", L"controls.h", L"Multi-line edit with a vertical scroll bar."},
    {L"CEditMultiLineReadOnly", L"controls.h", L"Multi-line edit the user cannot change: logs."},
    {L"CListBox", L"controls.h", L"Sorted list of texts addressed by index."},
    {L"CComboBox", L"controls.h", L"Sorted drop-down list of texts addressed by index."},
    {L"CRadioButton", L"controls.h", L"One object, a group of radio buttons per parent."},
    {L"CScrollBarBase", L"controls.h", L"Scroll bar that keeps range, page and position."},
    {L"CScrollBarHorizon", L"controls.h", L"Stand-alone horizontal scroll bar."},
    {L"CScrollBarVertical", L"controls.h", L"Stand-alone vertical scroll bar."},
    {L"CEditUpDown", L"controls.h", L"Numeric edit with its own up-down arrows."},
    {L"common_controls.h", kRoot, L"Wrappers of the common controls; tabs and trees by text."},
    {L"CUpDown", L"common_controls.h", L"Up-down arrows that count in a buddy window."},
    {L"CImageList", L"common_controls.h", L"Same-sized icons drawn at a position."},
    {L"CListView", L"common_controls.h", L"Report-view list filled row by row."},
    {L"CProgressBar", L"common_controls.h", L"Progress bar that steps without wrapping."},
    {L"CTab", L"common_controls.h", L"Tabs recognised by their text: the tabs above."},
    {L"CTreeView", L"common_controls.h", L"Sorted tree recognised by item text: this tree."},
    {L"shapes.h", kRoot, L"Shaped windows and bitmap buttons."},
    {L"CRegion", L"shapes.h", L"Window region from the black pixels of a bitmap."},
    {L"CCustomButton", L"shapes.h", L"Shaped push button drawn from three bitmaps."},
    {L"graphics.h", kRoot, L"GDI+ start-up, back buffers, pictures and drawing."},
    {L"CGdiplus", L"graphics.h", L"One GDI+ start-up, shut down with its last copy."},
    {L"CGraphics", L"graphics.h", L"A window's GDI+ back buffer and what draws into it."},
    {L"CImage", L"graphics.h", L"A picture from a file, drawn turned, faded or keyed."},
    {L"services.h", kRoot, L"Menus, media, child processes and common dialogs."},
    {L"CMenu", L"services.h", L"Menu bar whose items are recognised by their text."},
    {L"CMCI", L"services.h", L"Plays a media file through MCI, repeating if asked."},
    {L"CProcess", L"services.h", L"Starts a program and waits for it or its window."},
    {L"CSoundEffect", L"services.h", L"A short sound that plays at once, over itself."},
    {L"desktop.h", kRoot, L"Clipboard, tray, settings, one instance, dark titles."},
    {L"CTrayIcon", L"desktop.h", L"An icon in the taskbar's notification area."},
    {L"CSettings", L"desktop.h", L"Settings in a text file that survives a crash."},
};

}  // namespace

void ClassesPanel::Create(HWND parent, int x, int y)
{
    m_Tree.Create(parent, kRoot, x, y, kWidth, 420);
    for (const Entry& entry : kEntries) {
        m_Tree.AddItem(entry.name, entry.parent);
    }
    m_Name.Create(parent, x, y + 430, kWidth, 20, L"Choose a class.");
    m_Description.Create(parent, x, y + 452, kWidth, 40, L"");
    // The chosen class stays marked while the focus is elsewhere.
    m_Tree.SetWindowStyle(m_Tree.GetWindowStyle() | TVS_SHOWSELALWAYS);
    for (const wchar_t* opened : {kRoot, L"common_controls.h", L"framework.h"}) {
        m_Tree.Expand(opened);
    }
}

void ClassesPanel::Show(bool visible)
{
    for (CControlBase* control : std::initializer_list<CControlBase*>{&m_Tree, &m_Name, &m_Description}) {
        control->Show(visible);
    }
}

void ClassesPanel::Anchor(CWindowBase& window) const
{
    window.Anchor(m_Tree.GetWndHandle(), ANCHOR_TOP | ANCHOR_BOTTOM | ANCHOR_RIGHT);
    window.Anchor(m_Name.GetWndHandle(), ANCHOR_BOTTOM | ANCHOR_RIGHT);
    window.Anchor(m_Description.GetWndHandle(), ANCHOR_BOTTOM | ANCHOR_RIGHT);
}

bool ClassesPanel::OnNotify(HWND, int id, NMHDR* header)
{
    if (id != m_Tree.GetID()) {
        return false;
    }
    for (const Entry& entry : kEntries) {
        if (m_Tree.IsSelect(entry.name, WM_NOTIFY, static_cast<WPARAM>(id),
                            reinterpret_cast<LPARAM>(header))) {
            m_Name.SetText(entry.name);
            m_Description.SetText(entry.description);
            break;
        }
    }
    return true;
}

void ClassesPanel::Choose(const wchar_t* text)
{
    m_Tree.Select(text);
}
