#include "contacts_window.h"

#include <algorithm>

namespace {

// The client area at 96 DPI; Scale makes it the screen's.
constexpr int kClientWidth = 900;
constexpr int kClientHeight = 430;
constexpr int kColumnWidths[kColumnCount] = {170, 120, 190, 70, 70};

// The groups of the radio buttons, in their order; a group the file names otherwise is
// shown as Other.
const wchar_t* const kGroups[] = {L"Family", L"Friends", L"Work", L"Other"};
const wchar_t* const kGroupLabels[] = {L"Fa&mily", L"F&riends", L"&Work", L"&Other"};
constexpr int kOtherGroup = 3;
const wchar_t kYes[] = L"Yes";  // a favourite's mark

const wchar_t kFilter[] = L"Address books (*.csv)\0*.csv\0All files (*.*)\0*.*\0";

std::wstring FileName(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool SameText(const std::wstring& a, const wchar_t* b)
{
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

void Place(HWND control, int x, int y, int width, int height)
{
    MoveWindow(control, x, y, std::max(width, 0), std::max(height, 0), TRUE);
}

void Place(const CWindowBase& control, int x, int y, int width, int height)
{
    Place(control.GetWndHandle(), x, y, width, height);
}

}  // namespace

bool ContactsWindow::Create()
{
    RECT frame = {0, 0, Scale(kClientWidth), Scale(kClientHeight)};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    return CreateWnd(L"Contacts", frame.right - frame.left, frame.bottom - frame.top, 40, 40, nullptr,
                     nullptr, L"BASIC_WINDOW", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0);
}

int ContactsWindow::OnCreate(HWND hwnd, CREATESTRUCTW*)
{
    m_Menu.AddMenu(L"&File", 4, L"&Open…\tCtrl+O", L"Save &As…\tCtrl+S", L"|", L"E&xit");
    m_Menu.AddMenu(L"&Help", 1, L"&About\tF1");
    m_Menu.Set(hwnd);

    // Made in the order Tab visits them; LayOut places them.
    m_List.Create(hwnd, 0, 0, 0, 0);
    // One contact at a time, and its row still marked while the form is being edited.
    m_List.SetWindowStyle(static_cast<DWORD>(GetWindowLongPtrW(m_List.GetWndHandle(), GWL_STYLE)) |
                          LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    m_List.SetFullRowSelect(true);
    m_List.SetGridLines(true);
    for (int column = 0; column < kColumnCount; ++column) {
        m_List.AddColumn(ColumnTitle(column), Scale(kColumnWidths[column]));
    }
    m_NameLabel.Create(hwnd, 0, 0, 0, 0, L"&Name:");
    m_Name.Create(hwnd, 0, 0, 0, 0, L"");
    m_PhoneLabel.Create(hwnd, 0, 0, 0, 0, L"&Phone:");
    m_Phone.Create(hwnd, 0, 0, 0, 0, L"");
    m_EmailLabel.Create(hwnd, 0, 0, 0, 0, L"&Email:");
    m_Email.Create(hwnd, 0, 0, 0, 0, L"");
    m_GroupBox.Create(hwnd, 0, 0, 0, 0, L"&Group");
    for (const wchar_t* label : kGroupLabels) {
        m_Group.Create(hwnd, 0, 0, 0, 0, label);
        m_GroupButtons.push_back(m_Group.GetWndHandle());
    }
    m_Favourite.Create(hwnd, 0, 0, 0, 0, L"Fa&vourite");
    m_Add.Create(hwnd, 0, 0, 0, 0, L"&Add");
    m_Update.Create(hwnd, 0, 0, 0, 0, L"&Update");
    m_Delete.Create(hwnd, 0, 0, 0, 0, L"&Delete");
    m_OpenLaterID = CreateResourceID();

    // Once the library has them: Anchor(m_List, ANCHOR_ALL) and ANCHOR_TOP | ANCHOR_RIGHT for
    // the form in place of LayOut, SetMinClientSize, m_Add.SetDefault() in place of IDOK,
    // UseStandardButtonStyles(), and SetClearColor(SystemFormColor()) in place of OnPaint.
    UseStandardKeys();
    ShowInForm(Contact(kColumnCount));
    LayOut(GetClientWidth(), GetClientHeight());
    ShowTitle();
    return 1;
}

void ContactsWindow::LayOut(int width, int height)
{
    if (!m_Delete.GetWndHandle()) {
        return;  // a size before the controls exist
    }
    const int margin = Scale(10), formWidth = Scale(250), editHeight = Scale(23);
    const int formX = std::max(margin, width - margin - formWidth);
    Place(m_List, margin, margin, formX - 2 * margin, height - 2 * margin);

    int y = margin;
    const struct { CStatic& label; CEdit& edit; } fields[] = {
        {m_NameLabel, m_Name}, {m_PhoneLabel, m_Phone}, {m_EmailLabel, m_Email}};
    for (const auto& field : fields) {
        Place(field.label, formX, y, formWidth, Scale(16));
        Place(field.edit, formX, y + Scale(18), formWidth, editHeight);
        y += Scale(18) + editHeight + Scale(10);
    }
    Place(m_GroupBox, formX, y, formWidth, Scale(72));
    const int half = (formWidth - Scale(24)) / 2;
    for (size_t i = 0; i < m_GroupButtons.size(); ++i) {
        Place(m_GroupButtons[i], formX + Scale(12) + static_cast<int>(i % 2) * half,
              y + Scale(20) + static_cast<int>(i / 2) * Scale(24), half - Scale(8), Scale(20));
    }
    y += Scale(82);
    Place(m_Favourite, formX + Scale(12), y, Scale(110), Scale(20));
    y += Scale(34);
    const int gap = Scale(8), buttonWidth = (formWidth - 2 * gap) / 3;
    int x = formX;
    for (CButton* button : {&m_Add, &m_Update, &m_Delete}) {
        Place(*button, x, y, buttonWidth, Scale(28));
        x += buttonWidth + gap;
    }
}

void ContactsWindow::OnSize(HWND hwnd, UINT type, int width, int height)
{
    CWindowBase::OnSize(hwnd, type, width, height);
    LayOut(width, height);
}

void ContactsWindow::OnPaint(HWND hwnd)
{
    // The colour of a form, on which the labels' own background does not show.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    m_Graphics.Clear(0xFF000000ul | GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face));
    m_Graphics.Present(hwnd);
}

void ContactsWindow::OnCommand(HWND hwnd, int id, HWND control, UINT)
{
    if (control) {
        m_Favourite.ToggleCheck(control);
        if (m_Add.IsPush(id)) {
            AddContact();
        } else if (m_Update.IsPush(id)) {
            UpdateContact();
        } else if (m_Delete.IsPush(id)) {
            DeleteContact();
        }
        return;
    }
    if (id == IDOK) {  // Enter, where the focus is on no button
        AddContact();
    } else if (id == m_OpenLaterID) {
        std::wstring path;
        path.swap(m_PathToOpen);
        OpenFile(path);
    } else if (m_Menu.IsSelect(L"&Open…", id)) {
        Open();
    } else if (m_Menu.IsSelect(L"Save &As…", id)) {
        SaveAs();
    } else if (m_Menu.IsSelect(L"E&xit", id)) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    } else if (m_Menu.IsSelect(L"&About", id)) {
        MessageBoxW(hwnd,
                    L"Contacts\n\nAn address book in CSV files, written with the tsumiki library: "
                    L"a list view sorted by a click on its header, a form of edits, radio "
                    L"buttons and a check box, menus with shortcuts and the standard keys.",
                    L"About Contacts", MB_OK | MB_ICONINFORMATION);
    }
}

LRESULT ContactsWindow::OnNotify(HWND, int id, NMHDR* header)
{
    const auto message = reinterpret_cast<LPARAM>(header);
    int index = -1;
    if (m_List.IsSelect(WM_NOTIFY, id, message, &index)) {
        ShowInForm(RowContact(index));
    } else if (m_List.IsColumnClick(WM_NOTIFY, id, message, &index)) {
        SortBy(index);
    }
    return 0;
}

void ContactsWindow::OnTimer(HWND, UINT id)
{
    if (static_cast<int>(id) == m_Timer.GetID() && m_Tick) {
        m_Tick();
    }
}

void ContactsWindow::OnClose(HWND hwnd)
{
    if (ConfirmDiscard()) {
        CWindowBase::OnClose(hwnd);
    }
}

void ContactsWindow::StartTicking(int milliseconds, std::function<void()> tick)
{
    m_Tick = std::move(tick);
    m_Timer.Create(m_hWnd, milliseconds);
}

void ContactsWindow::OpenFileLater(const std::wstring& path)
{
    m_PathToOpen = path;
    PostMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(m_OpenLaterID, 0), 0);
}

bool ContactsWindow::OpenFile(const std::wstring& path)
{
    std::vector<Contact> contacts;
    std::wstring message;
    if (!LoadContacts(path, contacts, message)) {
        MessageBoxW(m_hWnd, (message + L"\n\nThe list shown is unchanged.").c_str(), L"Contacts", MB_OK | MB_ICONERROR);
        return false;
    }
    // Filled without a redraw at each row, which is slow with many rows.
    SendMessageW(m_List.GetWndHandle(), WM_SETREDRAW, FALSE, 0);
    m_List.DeleteAllRows();
    for (const Contact& contact : contacts) {
        m_List.AddRow(contact);
    }
    SendMessageW(m_List.GetWndHandle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_List.GetWndHandle(), nullptr, TRUE);
    m_Path = path;
    m_Modified = false;
    m_SortColumn = -1;
    ShowInForm(Contact(kColumnCount));
    ShowTitle();
    return true;
}

void ContactsWindow::Open()
{
    wchar_t path[MAX_PATH] = L"";
    if (ConfirmDiscard() && OpenFileNameDialog(path, kFilter, L"csv", m_hWnd, nullptr)) {
        OpenFile(path);
    }
}

bool ContactsWindow::SaveAs()
{
    wchar_t path[MAX_PATH] = L"";
    const std::wstring suggested = m_Path.empty() ? L"Contacts.csv" : m_Path;
    if (!SaveFileNameDialog(path, kFilter, L"csv", m_hWnd, nullptr, suggested.c_str())) {
        return false;
    }
    std::wstring message;
    if (!SaveContacts(path, AllContacts(), message)) {
        MessageBoxW(m_hWnd, message.c_str(), L"Contacts", MB_OK | MB_ICONERROR);
        return false;
    }
    m_Path = path;
    m_Modified = false;
    ShowTitle();
    return true;
}

bool ContactsWindow::ConfirmDiscard()
{
    if (!m_Modified) {
        return true;
    }
    switch (MessageBoxW(m_hWnd, L"Save changes?", L"Contacts", MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return SaveAs();
    case IDNO:
        return true;
    default:
        return false;
    }
}

void ContactsWindow::AddContact()
{
    const Contact contact = ReadForm();
    if (contact[kName].empty()) {
        MessageBeep(MB_ICONWARNING);
        SetFocus(m_Name.GetWndHandle());
        return;
    }
    m_List.SelectRow(m_List.AddRow(contact));
    MarkModified();
}

void ContactsWindow::UpdateContact()
{
    const int row = m_List.GetSelectedRow();
    const Contact contact = ReadForm();
    if (row < 0 || contact[kName].empty()) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    for (int column = 0; column < kColumnCount; ++column) {
        m_List.SetCellText(row, column, contact[column].c_str());
    }
    MarkModified();
}

void ContactsWindow::DeleteContact()
{
    const int row = m_List.GetSelectedRow();
    if (row < 0) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    m_List.DeleteItem(row);
    MarkModified();
    if (m_List.GetItemCount() > 0) {
        m_List.SelectRow(std::min(row, m_List.GetItemCount() - 1));
    } else {
        ShowInForm(Contact(kColumnCount));
    }
}

void ContactsWindow::SortBy(int column)
{
    m_SortAscending = column == m_SortColumn ? !m_SortAscending : true;
    m_SortColumn = column;
    m_List.SortByColumn(column, m_SortAscending, SORT_TEXT);
    MarkModified();  // the file keeps the order of the list
}

Contact ContactsWindow::ReadForm() const
{
    Contact contact(kColumnCount);
    contact[kName] = m_Name.GetText();
    contact[kPhone] = m_Phone.GetText();
    contact[kEmail] = m_Email.GetText();
    const int group = m_Group.GetCheckedIndex();
    contact[kGroup] = group >= 0 ? kGroups[group] : L"";
    contact[kFavourite] = m_Favourite.IsCheck() ? kYes : L"";
    return contact;
}

void ContactsWindow::ShowInForm(const Contact& contact)
{
    m_Name.SetText(contact[kName].c_str());
    m_Phone.SetText(contact[kPhone].c_str());
    m_Email.SetText(contact[kEmail].c_str());
    int group = kOtherGroup;
    for (int i = 0; i < kOtherGroup; ++i) {
        if (SameText(contact[kGroup], kGroups[i])) {
            group = i;
        }
    }
    m_Group.SetCheckedIndex(group);
    m_Favourite.SetCheck(SameText(contact[kFavourite], kYes));
}

Contact ContactsWindow::RowContact(int row) const
{
    Contact contact(kColumnCount);
    for (int column = 0; column < kColumnCount; ++column) {
        contact[column] = m_List.GetCellText(row, column);
    }
    return contact;
}

std::vector<Contact> ContactsWindow::AllContacts() const
{
    std::vector<Contact> contacts;
    for (int row = 0; row < m_List.GetItemCount(); ++row) {
        contacts.push_back(RowContact(row));
    }
    return contacts;
}

void ContactsWindow::MarkModified()
{
    m_Modified = true;
    ShowTitle();
}

void ContactsWindow::ShowTitle()
{
    const std::wstring name = m_Path.empty() ? L"Untitled" : FileName(m_Path);
    SetWindowTextW(m_hWnd, ((m_Modified ? L"*" : L"") + name + L" - Contacts").c_str());
}
