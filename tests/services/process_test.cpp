#include <gtest/gtest.h>

#include <tsumiki.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "support/pump.h"
#include "support/test_files.h"

namespace {

// The child program built beside the tests.
std::wstring ChildProgram()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"tsumiki_test_child.exe";
}

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

std::wstring TitleOf(HWND window)
{
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    return title;
}

// The child's main window, once it has made it: WaitForInit may return before then.
HWND WaitForRootWindow(CProcess& process)
{
    HWND root = nullptr;
    PumpUntil([&] { return (root = process.GetProcessRootWnd()) != nullptr; }, 10000);
    return root;
}

// Closes the child through its main window and waits for its end.
void EndChild(CProcess& process)
{
    HWND root = WaitForRootWindow(process);
    if (root) {
        PostMessageW(root, WM_CLOSE, 0, 0);
    }
    // A window's end may send messages to this thread's windows: keep them flowing.
    EXPECT_TRUE(PumpUntil([&] { return process.WaitForEnd(0) == WAIT_OBJECT_0; }, 10000));
}

// Ends, when the test ends, any child it started that is still running, so a failing test
// leaves no program behind.
class ChildReaper {
public:
    void Watch(DWORD processId) { m_Children.push_back(processId); }
    ~ChildReaper()
    {
        for (DWORD id : m_Children) {
            if (HANDLE child = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
                TerminateProcess(child, 1);
                CloseHandle(child);
            }
        }
    }

private:
    std::vector<DWORD> m_Children;
};

DWORD HandleCount()
{
    DWORD count = 0;
    GetProcessHandleCount(GetCurrentProcess(), &count);
    return count;
}

TEST(Process, AChildStartsWithTheRequestedShowStateAndItsMainWindowIsFound)
{
    TempFolder folder;
    struct Case {
        bool hide;
        bool application;  // program named apart from the command line, or as its first token
        unsigned showState;
    };
    const Case cases[] = {{true, true, SW_HIDE}, {false, true, SW_SHOWDEFAULT}, {true, false, SW_HIDE}};
    int round = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(round);
        std::wstring report = folder.File(L"report" + std::to_wstring(round++) + L".txt");
        std::wstring line = Quoted(ChildProgram()) + L" " + Quoted(report);
        CProcess process;
        ChildReaper reaper;
        // The command line goes in as read-only memory.
        const wchar_t* constantLine = line.c_str();
        ASSERT_TRUE(process.Create(c.application ? ChildProgram().c_str() : nullptr, constantLine, c.hide));
        reaper.Watch(process.GetProcessID());
        EXPECT_EQ(process.WaitForInit(10000), 0u);
        HWND root = WaitForRootWindow(process);
        ASSERT_NE(root, nullptr);
        // The owned pop-up comes first in the thread's windows and is skipped.
        EXPECT_EQ(TitleOf(root), L"test child main");
        DWORD owner = 0;
        GetWindowThreadProcessId(root, &owner);
        EXPECT_EQ(owner, process.GetProcessID());
        EXPECT_EQ(IsWindowVisible(root) != FALSE, !c.hide);
        EXPECT_EQ(process.WaitForEnd(0), static_cast<unsigned long>(WAIT_TIMEOUT));
        EndChild(process);
        EXPECT_EQ(process.WaitForEnd(0), WAIT_OBJECT_0);

        std::ifstream in(std::string(report.begin(), report.end()));
        unsigned showState = 99;
        unsigned long flags = 0;
        in >> showState >> flags;
        EXPECT_EQ(showState, c.showState);
        EXPECT_EQ(flags, static_cast<unsigned long>(STARTF_USESHOWWINDOW));
    }
}

TEST(Process, WaitForInitReturnsOnceTheChildWaitsForInput)
{
    TempFolder folder;
    CProcess process;
    ChildReaper reaper;
    std::wstring line = Quoted(ChildProgram()) + L" " + Quoted(folder.File(L"r.txt")) + L" 1500";
    ASSERT_TRUE(process.Create(nullptr, line.c_str(), true));
    reaper.Watch(process.GetProcessID());
    DWORD start = GetTickCount();
    EXPECT_EQ(process.WaitForInit(200), static_cast<unsigned long>(WAIT_TIMEOUT));
    EXPECT_EQ(process.WaitForInit(10000), 0u);
    EXPECT_GE(GetTickCount() - start, 1000u);
    EndChild(process);
}

TEST(Process, NothingLaunchedOrNothingToLaunchFails)
{
    CProcess idle;
    EXPECT_EQ(idle.WaitForEnd(0), WAIT_FAILED);
    EXPECT_EQ(idle.WaitForInit(0), WAIT_FAILED);
    EXPECT_EQ(idle.GetProcessRootWnd(), nullptr);
    EXPECT_EQ(idle.GetProcessID(), 0u);

    struct Case {
        const wchar_t* application;
        const wchar_t* line;
    };
    const Case cases[] = {{L"C:\\nowhere\\missing.exe", nullptr},
                          {nullptr, L"tsumiki_no_such_program.exe --flag"},
                          {nullptr, nullptr}};
    for (const Case& c : cases) {
        CProcess process;
        EXPECT_FALSE(process.Create(c.application, c.line, true));
        EXPECT_EQ(process.WaitForEnd(0), WAIT_FAILED);
    }
}

TEST(Process, HandlesAreSharedByCopiesAndClosedOnceAndTheChildOutlivesThem)
{
    TempFolder folder;
    std::wstring line = Quoted(ChildProgram()) + L" " + Quoted(folder.File(L"r.txt"));
    DWORD handlesBefore = HandleCount();

    ChildReaper reaper;
    auto first = std::make_unique<CProcess>();
    ASSERT_TRUE(first->Create(nullptr, line.c_str(), true));
    reaper.Watch(first->GetProcessID());
    {
        CProcess copy(*first);
        CProcess assigned;
        assigned = *first;
        EXPECT_EQ(copy.GetProcessID(), first->GetProcessID());
    }
    // The copies' deaths left the handle open.
    EXPECT_EQ(first->WaitForEnd(0), static_cast<unsigned long>(WAIT_TIMEOUT));

    // A second launch lets go of the first; a copy still holding the first keeps it.
    CProcess holder(*first);
    ASSERT_TRUE(first->Create(nullptr, line.c_str(), true));
    reaper.Watch(first->GetProcessID());
    EXPECT_NE(first->GetProcessID(), holder.GetProcessID());
    EXPECT_EQ(holder.WaitForEnd(0), static_cast<unsigned long>(WAIT_TIMEOUT));

    // A failed launch keeps the running one.
    DWORD running = first->GetProcessID();
    EXPECT_FALSE(first->Create(L"C:\\nowhere\\missing.exe", nullptr, true));
    EXPECT_EQ(first->GetProcessID(), running);

    // The child runs on after the last object for it is gone.
    HANDLE watch = OpenProcess(SYNCHRONIZE, FALSE, running);
    ASSERT_NE(watch, nullptr);
    HWND root = WaitForRootWindow(*first);
    ASSERT_NE(root, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(root, &owner);
    ASSERT_EQ(owner, running);
    first.reset();
    EXPECT_EQ(WaitForSingleObject(watch, 300), static_cast<DWORD>(WAIT_TIMEOUT));
    PostMessageW(root, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(watch, 0) == WAIT_OBJECT_0; }, 10000));
    CloseHandle(watch);
    EndChild(holder);

    // Every handle of both launches (processes and threads) is closed by now.
    holder = CProcess();
    EXPECT_EQ(HandleCount(), handlesBefore);
}

}  // namespace
