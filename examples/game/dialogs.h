// The game's dialogs: a modal About box and a modeless table of high scores.
#pragma once

#include <tsumiki.h>

#include <vector>

class AboutDialog : public CDialogBase {
public:
    // Returns once the box is closed; the game window is disabled meanwhile.
    bool Show(HWND owner);
    int OnInitDialog(HWND hwnd, HWND focus, LPARAM initParam) override;
    void OnCommand(HWND hwnd, int id, HWND control, UINT code) override;

private:
    CStatic m_Title;
    CStatic m_Keys;
    CButton m_OK;
};

// The best scores of this run of the game, best first. It stays open beside the game
// window until closed and is brought up to date whenever a game ends.
class HighScoreDialog : public CDialogBase {
public:
    // Opens the dialog beside the owner, or refreshes it when it is open already.
    void Show(HWND owner, const std::vector<int>& scores);
    bool IsOpen() const;
    void Close();
    int OnInitDialog(HWND hwnd, HWND focus, LPARAM initParam) override;
    void OnCommand(HWND hwnd, int id, HWND control, UINT code) override;

private:
    void Fill();

    std::vector<int> m_Scores;
    CStatic m_Heading;
    CEditMultiLineReadOnly m_Table;
    CButton m_Close;
};
