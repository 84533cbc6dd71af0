// The address book's window: the list of contacts, the form that edits one, the menus, and
// the file behind them, with its unsaved changes.
#pragma once

#include <tsumiki.h>

#include <functional>
#include <string>
#include <vector>

#include "contacts_file.h"

class ContactsWindow : public CWindowBase {
public:
    bool Create();
    // Shows the file's contacts in place of the list, as File > Open does once a file is
    // chosen. A file that cannot be read is reported in a message box, the list untouched.
    bool OpenFile(const std::wstring& path);
    // The same, run from the message loop a moment later.
    void OpenFileLater(const std::wstring& path);
    // Selects the row, as a click on it does.
    void SelectContact(int row) { m_List.SelectRow(row); }
    // Calls tick every `milliseconds` from the window's timer (the self-test and the timed
    // demonstration run from it).
    void StartTicking(int milliseconds, std::function<void()> tick);

    // What the self-test reads.
    const CListView& List() const { return m_List; }
    std::wstring FormName() const { return m_Name.GetText(); }
    // The form's first and last controls: its top left and bottom right corners.
    HWND FormFirst() const { return m_NameLabel.GetWndHandle(); }
    HWND FormLast() const { return m_Delete.GetWndHandle(); }
    bool IsModified() const { return m_Modified; }

    int OnCreate(HWND hwnd, CREATESTRUCTW* create) override;
    void OnCommand(HWND hwnd, int id, HWND control, UINT code) override;
    LRESULT OnNotify(HWND hwnd, int id, NMHDR* header) override;
    void OnTimer(HWND hwnd, UINT id) override;
    void OnClose(HWND hwnd) override;

private:
    void Open();
    // False when the user cancelled or the file could not be written.
    bool SaveAs();
    // True when the list may be replaced or closed: nothing unsaved, or the user saved it
    // or chose to let it go.
    bool ConfirmDiscard();
    void AddContact();
    void UpdateContact();
    void DeleteContact();
    void SortBy(int column);

    Contact ReadForm() const;
    void ShowInForm(const Contact& contact);
    Contact RowContact(int row) const;
    std::vector<Contact> AllContacts() const;
    void MarkModified();
    void ShowTitle();

    CMenu m_Menu;
    CListView m_List;
    CStatic m_NameLabel, m_PhoneLabel, m_EmailLabel, m_GroupLabel;
    CEdit m_Name, m_Phone, m_Email;
    CRadioButton m_Group;
    CCheckBox m_Favourite;
    CButton m_Add, m_Update, m_Delete;

    std::wstring m_Path;       // the file the list came from or went to; empty before
    bool m_Modified = false;   // changes made since
    int m_SortColumn = -1;
    bool m_SortAscending = true;
    int m_OpenLaterID = 0;
    std::wstring m_PathToOpen;
    std::function<void()> m_Tick;
};
