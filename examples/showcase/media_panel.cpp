// The media panel: background music and a child process.
#include "media_panel.h"

#include <cmath>
#include <cstdint>
#include <cwchar>
#include <initializer_list>
#include <vector>

namespace {

constexpr int kWidth = 290;

// A short tune, 8 kHz 8-bit mono: a few soft notes with a decay, written to a file that
// MCI can open.
bool WriteTune(const std::wstring& path)
{
    const uint32_t rate = 8000;
    const double notes[] = {523.25, 659.25, 783.99, 659.25, 587.33, 698.46, 880.0, 698.46};
    const uint32_t noteSamples = rate / 4;
    std::vector<uint8_t> samples;
    for (double frequency : notes) {
        for (uint32_t i = 0; i < noteSamples; ++i) {
            double t = static_cast<double>(i) / rate;
            double envelope = std::exp(-6.0 * t);
            double value = std::sin(2 * 3.14159265358979 * frequency * t) * envelope * 0.3;
            samples.push_back(static_cast<uint8_t>(128 + 127 * value));
        }
    }
    std::vector<uint8_t> bytes;
    auto put32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i))); };
    auto put16 = [&](uint16_t v) { bytes.push_back(uint8_t(v)); bytes.push_back(uint8_t(v >> 8)); };
    auto tag = [&](const char* t) { bytes.insert(bytes.end(), t, t + 4); };
    const auto dataSize = static_cast<uint32_t>(samples.size());
    tag("RIFF"); put32(36 + dataSize); tag("WAVE");
    tag("fmt "); put32(16); put16(1); put16(1); put32(rate); put32(rate); put16(1); put16(8);
    tag("data"); put32(dataSize);
    bytes.insert(bytes.end(), samples.begin(), samples.end());

    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// The folder this program was started from, with a trailing backslash.
std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

}  // namespace

MediaPanel::~MediaPanel()
{
    // MCI holds the file open while the device lives.
    m_Player.Close();
    if (!m_WaveFile.empty()) {
        DeleteFileW(m_WaveFile.c_str());
    }
}

void MediaPanel::Create(HWND parent, int x, int y)
{
    m_Parent = parent;
    m_Mute.Create(parent, x + 12, y + 22, 120, 24, L"Mute music");
    m_Music.Create(parent, x + 140, y + 26, kWidth - 152, 20, L"");
    m_RunChild.Create(parent, x + 12, y + 54, 100, 28, L"Run child");
    m_Child.Create(parent, x + 120, y + 52, kWidth - 132, 40, L"Starts little.exe hidden.");
    m_Group.Create(parent, x, y, kWidth, 100, L"Media");

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    m_WaveFile = std::wstring(temp) + L"tsumiki-showcase-" + std::to_wstring(GetCurrentProcessId()) + L"-tune.wav";
    // The parent is a window of the library, so a play with notify repeats until paused.
    if (WriteTune(m_WaveFile) && m_Player.Open(m_WaveFile.c_str(), MEDIA_WAVE)) {
        m_Player.Play(true, parent);
        m_Music.SetText(L"♪ playing, looped");
    } else {
        m_Music.SetText(L"no music");
    }
}

void MediaPanel::Show(bool visible)
{
    for (CControlBase* control : std::initializer_list<CControlBase*>{&m_Mute, &m_Music, &m_RunChild, &m_Child, &m_Group}) {
        control->Show(visible);
    }
}

bool MediaPanel::OnCommand(HWND, int id, HWND control, UINT code)
{
    if (control && control == m_Mute.GetWndHandle() && code == BN_CLICKED) {
        m_Mute.ToggleCheck(control);
        if (m_Mute.IsCheck()) {
            m_Player.Pause();
            m_Music.SetText(L"muted");
        } else {
            // Continues where it paused, and repeats again.
            m_Player.Play(true, m_Parent);
            m_Music.SetText(L"♪ playing, looped");
        }
        return true;
    }
    if (m_RunChild.IsPush(id)) {
        RunChild();
        return true;
    }
    return false;
}

void MediaPanel::PressRunChildSoon(HWND parent)
{
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_RunChild.GetWndHandle()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(m_RunChild.GetWndHandle()));
}

void MediaPanel::RunChild()
{
    std::wstring program = ProgramFolder() + L"little.exe";
    CProcess child;
    if (!child.Create(program.c_str(), L"little.exe", true)) {
        m_Child.SetText(L"little.exe did not start.");
        return;
    }
    // Start-up may end before the first window exists: look for it a little longer.
    child.WaitForInit(5000);
    HWND root = nullptr;
    for (int tries = 0; tries < 60 && !(root = child.GetProcessRootWnd()); ++tries) {
        Sleep(50);
    }
    wchar_t line[160] = {};
    if (root) {
        wchar_t title[64] = {};
        GetWindowTextW(root, title, 64);
        std::swprintf(line, 160, L"pid %lu: \"%ls\" %ls", child.GetProcessID(), title,
                      IsWindowVisible(root) ? L"shown" : L"hidden");
        // The child is ours to end: through its window, as a user would.
        PostMessageW(root, WM_CLOSE, 0, 0);
    } else {
        std::swprintf(line, 160, L"pid %lu: no window found", child.GetProcessID());
    }
    bool ended = child.WaitForEnd(5000) == WAIT_OBJECT_0;
    std::wstring text = std::wstring(line) + (ended ? L", closed." : L", still running.");
    m_Child.SetText(text.c_str());
}
