#include "dialogs.h"

#include <string>

bool AboutDialog::Show(HWND owner)
{
    RECT frame = {};
    GetWindowRect(owner, &frame);
    const int width = Scale(340);
    const int height = Scale(190);
    return CreateDiag(L"About Star Guard", width, height, (frame.left + frame.right - width) / 2,
                      (frame.top + frame.bottom - height) / 2, true, owner);
}

int AboutDialog::OnInitDialog(HWND hwnd, HWND, LPARAM)
{
    m_Title.Create(hwnd, Scale(20), Scale(16), Scale(290), Scale(20),
                   L"Star Guard, a tsumiki example game");
    m_Keys.Create(hwnd, Scale(20), Scale(44), Scale(290), Scale(52),
                  L"Left and Right arrows move, Space fires, P pauses, Enter starts a new "
                  L"game after the last life.");
    m_OK.Create(hwnd, Scale(230), Scale(110), Scale(80), Scale(26), L"OK");
    return 1;
}

void AboutDialog::OnCommand(HWND hwnd, int id, HWND, UINT)
{
    // The modal loop turns Enter into IDOK and Esc into IDCANCEL.
    if (m_OK.IsPush(id) || id == IDOK || id == IDCANCEL) {
        OnClose(hwnd);
    }
}

void HighScoreDialog::Show(HWND owner, const std::vector<int>& scores)
{
    m_Scores = scores;
    if (IsOpen()) {
        Fill();
        return;
    }
    RECT frame = {};
    GetWindowRect(owner, &frame);
    CreateDiag(L"High scores", Scale(220), Scale(250), frame.right + 8, frame.top, false, owner);
}

bool HighScoreDialog::IsOpen() const
{
    return m_hWnd && IsWindow(m_hWnd);
}

void HighScoreDialog::Close()
{
    if (IsOpen()) {
        OnClose(m_hWnd);
    }
}

int HighScoreDialog::OnInitDialog(HWND hwnd, HWND, LPARAM)
{
    m_Heading.Create(hwnd, Scale(14), Scale(10), Scale(180), Scale(18), L"Best of this session");
    m_Table.Create(hwnd, Scale(14), Scale(32), Scale(180), Scale(140), L"");
    m_Close.Create(hwnd, Scale(114), Scale(180), Scale(80), Scale(26), L"Close");
    Fill();
    return 1;
}

void HighScoreDialog::OnCommand(HWND hwnd, int id, HWND, UINT)
{
    if (m_Close.IsPush(id) || id == IDCANCEL) {
        OnClose(hwnd);
    }
}

void HighScoreDialog::Fill()
{
    std::wstring table;
    for (size_t i = 0; i < m_Scores.size(); ++i) {
        table += std::to_wstring(i + 1) + L".   " + std::to_wstring(m_Scores[i]) + L"\r\n";
    }
    if (m_Scores.empty()) {
        table = L"No game finished yet.";
    }
    m_Table.SetText(table.c_str());
}
