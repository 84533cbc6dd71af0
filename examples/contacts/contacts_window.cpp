#include "contacts_window.h"

#include <algorithm>
#include <initializer_list>

namespace {

// The client area the window opens with, and the smallest the user may drag it to (where
// the whole form and the list's first columns still show), at 96 DPI.
constexpr int kClientWidth = 900;
constexpr int kClientHeight = 430;
constexpr int kMinClientWidth = 560;
constexpr int kMinClientHeight = 330;
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
    // A form's colour, on the window and behind the labels, radio buttons and check box.
    SetClearColor(SystemFormColor());

    // Made in the order Tab visits them, where they stand in the client area the window
    // opens with (lengths at 96 DPI through Scale): the form a column at the right, the
    // list in what it leaves.
    const int margin = Scale(10), formWidth = Scale(250);
    const int formX = GetClientWidth() - margin - formWidth;
    m_List.Create(hwnd, margin, margin, formX - 2 * margin, GetClientHeight() - 2 * margin);
    // One contact at a time, and its row still marked while the form is being edited.
    m_List.SetSingleSelect(true);
    m_List.SetFullRowSelect(true);
    m_List.SetGridLines(true);
    for (int column = 0; column < kColumnCount; ++column) {
        m_List.AddColumn(ColumnTitle(column), Scale(kColumnWidths[column]));
    }

    int y = margin;
    const struct { CStatic& label; const wchar_t* text; CEdit& edit; } fields[] = {
        {m_NameLabel, L"&Name:", m_Name}, {m_PhoneLabel, L"&Phone:", m_Phone}, {m_EmailLabel, L"&Email:", m_Email}};
    for (const auto& field : fields) {
        field.label.Create(hwnd, formX, y, formWidth, Scale(16), field.text);
        field.edit.Create(hwnd, formX, y + Scale(18), formWidth, Scale(23), L"");
        y += Scale(51);
    }
    m_GroupLabel.Create(hwnd, formX, y, formWidth, Scale(16), L"&Group:");
    y += Scale(20);
    const int half = formWidth / 2;
    int place = 0;  // two buttons a row
    for (const wchar_t* label : kGroupLabels) {
        m_Group.Create(hwnd, formX + (place % 2) * half, y + (place / 2) * Scale(24), half - Scale(12), Scale(20),
                       label);
        ++place;
    }
    y += Scale(58);
    m_Favourite.Create(hwnd, formX, y, half - Scale(12), Scale(20), L"Fa&vourite");
    y += Scale(34);
    const int gap = Scale(8), buttonWidth = (formWidth - 2 * gap) / 3;
    m_Add.Create(hwnd, formX, y, buttonWidth, Scale(28), L"&Add");
    m_Update.Create(hwnd, formX + buttonWidth + gap, y, buttonWidth, Scale(28), L"&Update");
    m_Delete.Create(hwnd, formX + 2 * (buttonWidth + gap), y, buttonWidth, Scale(28), L"&Delete");
    m_OpenLaterID = CreateResourceID();

    // The list grows with the window both ways; the form keeps its place at the top right.
    Anchor(m_List.GetWndHandle(), ANCHOR_ALL);
    for (const CWindowBase* control : std::initializer_list<const CWindowBase*>{
             &m_NameLabel, &m_Name, &m_PhoneLabel, &m_Phone, &m_EmailLabel, &m_Email, &m_GroupLabel,
             &m_Favourite, &m_Add, &m_Update, &m_Delete}) {
        Anchor(control->GetWndHandle(), ANCHOR_TOP | ANCHOR_RIGHT);
    }
    for (int i = 0; m_Group.GetButton(i); ++i) {
        Anchor(m_Group.GetButton(i), ANCHOR_TOP | ANCHOR_RIGHT);
    }
    SetMinClientSize(kMinClientWidth, kMinClientHeight);
    // Enter in any edit adds the contact typed.
    m_Add.SetDefault();
    UseStandardKeys();
    ShowInForm(Contact(kColumnCount));
    ShowTitle();
    return 1;
}

void ContactsWindow::OnCommand(HWND hwnd, int id, HWND control, UINT)
{
    if (control) {
        if (m_Add.IsPush(id)) {  // a click, Alt+A, or Enter: the default button
            AddContact();
        } else if (m_Update.IsPush(id)) {
            UpdateContact();
        } else if (m_Delete.IsPush(id)) {
            DeleteContact();
        }
        return;
    }
    if (id == m_OpenLaterID) {
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
    m_List.SetRedraw(false);
    m_List.DeleteAllRows();
    for (const Contact& contact : contacts) {
        m_List.AddRow(contact);
    }
    m_List.SetRedraw(true);
    m_Path = path;
    m_Modified = false;
    m_SortColumn = -1;
    ShowInForm(Contact(kColumnCount));
    ShowTitle();
    SetFocus(m_List.GetWndHandle());
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
