// Runs in a process of its own that does not import the library: it loads tsumiki.dll,
// uses it, frees it and loads it again, as a program with plug-ins would.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

bool FrameClassRegistered()
{
    WNDCLASSEXW info = {};
    info.cbSize = sizeof(info);
    return GetClassInfoExW(GetModuleHandleW(nullptr), L"BASIC_WINDOW", &info) != FALSE;
}

TEST(Unload, TheLibraryLoadsAgainAfterItWasUsedAndFreed)
{
    ASSERT_EQ(GetModuleHandleW(L"tsumiki.dll"), nullptr) << "the program must not import it";
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        HMODULE library = LoadLibraryW(L"tsumiki.dll");
        ASSERT_NE(library, nullptr) << "error " << GetLastError();
        // The identifier counter is the library's own: each load starts it afresh.
        auto takeIdentifier = reinterpret_cast<int (*)()>(reinterpret_cast<void (*)()>(
            GetProcAddress(library, "_ZN7tsumiki11CWindowBase16CreateResourceIDEv")));
        ASSERT_NE(takeIdentifier, nullptr);
        EXPECT_EQ(takeIdentifier(), 32769);

        // A window of the library's class, made without an object, answers as a plain window.
        HWND window = CreateWindowExW(0, L"BASIC_WINDOW", L"plain", WS_OVERLAPPEDWINDOW, 0, 0,
                                      160, 120, nullptr, nullptr, GetModuleHandleW(nullptr),
                                      nullptr);
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOW);
        UpdateWindow(window);
        wchar_t title[16] = {};
        GetWindowTextW(window, title, 16);
        EXPECT_STREQ(title, L"plain");
        EXPECT_TRUE(DestroyWindow(window));

        EXPECT_TRUE(FreeLibrary(library));
        EXPECT_EQ(GetModuleHandleW(L"tsumiki.dll"), nullptr);
        EXPECT_FALSE(FrameClassRegistered()) << "a class whose procedure is gone";
    }
}

}  // namespace
