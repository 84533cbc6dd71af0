#include <gtest/gtest.h>

#include <tsumiki.h>

#include <fstream>
#include <memory>
#include <string>

#include "support/pump.h"
#include "support/test_files.h"

namespace {

// The child program built beside the tests, quoted, and the file it reports to.
std::wstring ChildLine(const std::wstring& report, const wchar_t* delay = L"")
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self, std::wcsrchr(self, L'\\') + 1);
    return L"\"" + folder + L"tsumiki_test_child.exe\" \"" + report + L"\" " + delay;
}

// The child's main window, once made: start-up may end before it exists.
HWND RootWindow(CProcess& process)
{
    HWND root = nullptr;
    PumpUntil([&] { return (root = process.GetProcessRootWnd()) != nullptr; }, 10000);
    return root;
}

// Closes the child through its main window once it is up (a child closed while Wine still
// starts it was seen to hang on its way out); a window's end may send messages to this
// thread's windows, so they keep flowing while it ends.
bool EndChild(CProcess& process)
{
    process.WaitForInit(10000);
    PostMessageW(RootWindow(process), WM_CLOSE, 0, 0);
    return PumpUntil([&] { return process.WaitForEnd(0) == WAIT_OBJECT_0; }, 10000);
}

TEST(Process, AChildGetsTheRequestedShowStateAndItsMainWindowIsFound)
{
    TempFolder folder;
    const struct { bool hide; bool named; unsigned show; } cases[] = {
        {true, true, SW_HIDE}, {false, true, SW_SHOWDEFAULT}, {true, false, SW_HIDE}};
    for (const auto& c : cases) {
        std::wstring report = folder.File(std::to_wstring(c.show) + std::to_wstring(c.named));
        const std::wstring line = ChildLine(std::wstring());
        std::wstring program = line.substr(1, line.find(L'"', 1) - 1);
        CProcess process;
        // The command line is read-only memory here.
        ASSERT_TRUE(process.Create(c.named ? program.c_str() : nullptr, ChildLine(report).c_str(), c.hide));
        EXPECT_EQ(process.WaitForInit(10000), 0u);
        HWND root = RootWindow(process);
        wchar_t title[32] = {};
        GetWindowTextW(root, title, 32);
        EXPECT_STREQ(title, L"test child main") << "the owned pop-up comes first and is skipped";
        DWORD owner = 0;
        GetWindowThreadProcessId(root, &owner);
        EXPECT_EQ(owner, process.GetProcessID());
        EXPECT_EQ(IsWindowVisible(root) != FALSE, !c.hide);
        EXPECT_EQ(process.WaitForEnd(0), static_cast<unsigned long>(WAIT_TIMEOUT));
        EXPECT_TRUE(EndChild(process));
        EXPECT_EQ(process.WaitForEnd(0), WAIT_OBJECT_0);
        unsigned show = 99, flags = 0;
        std::ifstream(std::string(report.begin(), report.end())) >> show >> flags;
        EXPECT_EQ(show, c.show);
        EXPECT_EQ(flags, static_cast<unsigned>(STARTF_USESHOWWINDOW));
    }
}

TEST(Process, WaitForInitReturnsOnceTheChildWaitsForInput)
{
    TempFolder folder;
    CProcess process;
    ASSERT_TRUE(process.Create(nullptr, ChildLine(folder.File(L"r"), L"1500").c_str(), true));
    DWORD start = GetTickCount();
    EXPECT_EQ(process.WaitForInit(200), static_cast<unsigned long>(WAIT_TIMEOUT));
    EXPECT_EQ(process.WaitForInit(10000), 0u);
    EXPECT_GE(GetTickCount() - start, 1000u);
    EXPECT_TRUE(EndChild(process));
}

TEST(Process, NothingLaunchedOrNothingToLaunchFails)
{
    const struct { const wchar_t* application; const wchar_t* line; } cases[] = {
        {nullptr, nullptr}, {L"C:\\nowhere\\missing.exe", nullptr}, {nullptr, L"tsumiki_no_such_program.exe -x"}};
    for (const auto& c : cases) {
        CProcess process;
        if (c.application || c.line) {
            EXPECT_FALSE(process.Create(c.application, c.line, true));
        }
        EXPECT_EQ(process.WaitForEnd(0), WAIT_FAILED);
        EXPECT_EQ(process.WaitForInit(0), WAIT_FAILED);
        EXPECT_EQ(process.GetProcessRootWnd(), nullptr);
    }
}

TEST(Process, CopiesShareTheHandlesWhichCloseOnceAndTheChildOutlivesThem)
{
    TempFolder folder;
    std::wstring line = ChildLine(folder.File(L"r"));
    DWORD handlesBefore = 0, handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesBefore);
    auto first = std::make_unique<CProcess>();
    ASSERT_TRUE(first->Create(nullptr, line.c_str(), true));
    {
        CProcess copy(*first), assigned;
        assigned = copy;
    }
    EXPECT_EQ(first->WaitForEnd(0), static_cast<unsigned long>(WAIT_TIMEOUT));

    // A second launch lets go of the first, which a copy still holds .
    CProcess holder(*first);
    EXPECT_TRUE(EndChild(holder));
    ASSERT_TRUE(first->Create(nullptr, line.c_str(), true));
    DWORD running = first->GetProcessID();
    EXPECT_EQ(holder.WaitForEnd(0), WAIT_OBJECT_0);
    EXPECT_FALSE(first->Create(L"C:\\nowhere\\missing.exe", nullptr, true));
    EXPECT_EQ(first->GetProcessID(), running) << "a failed launch keeps the running one";

    HANDLE watch = OpenProcess(SYNCHRONIZE, FALSE, running);
    first->WaitForInit(10000);
    HWND root = RootWindow(*first);
    first.reset();
    EXPECT_EQ(WaitForSingleObject(watch, 300), static_cast<DWORD>(WAIT_TIMEOUT)) << "the child was ended";
    PostMessageW(root, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(watch, 0) == WAIT_OBJECT_0; }, 10000));
    CloseHandle(watch);
    holder = CProcess();
    // Both launches' process and thread handles are closed by now.
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_EQ(handlesAfter, handlesBefore);
}

}  // namespace
