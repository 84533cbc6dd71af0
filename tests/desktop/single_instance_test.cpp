#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"
#include "support/pump.h"

namespace {

class FirstInstance : public TestFrame {
public:
    void OnCopyData(HWND, HWND, COPYDATASTRUCT* data) override
    {
        if (data->dwData == kCommandLineCopyData) {
            received.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t) - 1);
        }
    }
    std::wstring received;
};

std::wstring BesideThisProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.rfind(L'\\') + 1) + name;
}

TEST(SingleInstance, ASecondProcessFindsTheFirstAndHandsItItsCommandLine)
{
    const std::wstring name = L"tsumiki.tests\\instance." + std::to_wstring(GetCurrentProcessId());
    EXPECT_TRUE(IsFirstInstance(L""));
    ASSERT_TRUE(IsFirstInstance(name.c_str()));
    EXPECT_TRUE(IsFirstInstance(name.c_str()));
    FirstInstance window;
    ASSERT_TRUE(window.Create());
    ShowWindow(window.GetWndHandle(), SW_MINIMIZE);

    const std::wstring sent = L"--open \"C:\\写真\\夏.png\"";
    std::wstring command = L"\"" + BesideThisProgram(L"desktop_second_instance.exe") + L"\" \"" + name +
                           L"\" \"--open \\\"C:\\写真\\夏.png\\\"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 20000));
    DWORD exitCode = 99;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(window.received, sent);
    EXPECT_FALSE(IsIconic(window.GetWndHandle()));
}

}  // namespace
