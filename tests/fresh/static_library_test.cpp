// The static library inside modules of its own: a plug-in DLL built on it, loaded and freed
// beside tsumiki.dll, and a program whose control dies during its static destruction.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include "support/frame_window.h"

namespace {

DWORD FirstFreeTlsIndex()
{
    DWORD index = TlsAlloc();
    TlsFree(index);
    return index;
}

// Loads the DLL, runs its probe and frees it 20 times; the TLS indices left behind.
DWORD IndicesLeftBy(const wchar_t* name, bool plugin)
{
    DWORD freeBefore = FirstFreeTlsIndex();
    for (int round = 0; round < 20; ++round) {
        HMODULE module = LoadLibraryW(name);
        EXPECT_NE(module, nullptr) << GetLastError();
        auto probe = reinterpret_cast<bool (*)(HINSTANCE*)>(
            reinterpret_cast<void (*)()>(GetProcAddress(module, "ProbeWindow")));
        HINSTANCE classModule = nullptr;
        EXPECT_TRUE(probe && probe(&classModule)) << round;
        EXPECT_TRUE(FreeLibrary(module));
        WNDCLASSEXW info = {};
        info.cbSize = sizeof(info);
        if (plugin) {
            EXPECT_EQ(classModule, module) << "the class is the plug-in's own";
            EXPECT_FALSE(GetClassInfoExW(module, L"BASIC_WINDOW", &info)) << round;
        }
    }
    return FirstFreeTlsIndex() - freeBefore;
}

TEST(StaticLibrary, APlugInBuiltOnItLeavesNoTlsIndexNorClassAndReachesItsObjects)
{
    TestFrame frame;  // the program uses tsumiki.dll, and its "BASIC_WINDOW", too
    ASSERT_TRUE(frame.Create());
    DWORD runtimeLeft = IndicesLeftBy(L"runtime_only.dll", false);
    EXPECT_EQ(IndicesLeftBy(L"static_plugin.dll", true), runtimeLeft);
}

TEST(StaticLibrary, AControlDestroyedDuringTheStaticDestructionGivesItsFontBack)
{
    wchar_t command[] = L"static_exit_child.exe";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace
