// Built with the manifest that declares DPI awareness. ctest runs it at 96 DPI; tools/test
// runs it again in a Wine prefix at 144 DPI, with TSUMIKI_TEST_DPI=144.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "support/frame_window.h"

namespace {

TEST(HighDpi, AnAwareProgramLaysOutAndMakesFontsAtTheScreensDpi)
{
    const bool high = std::getenv("TSUMIKI_TEST_DPI") && std::atoi(std::getenv("TSUMIKI_TEST_DPI")) == 144;
    const int dpi = high ? 144 : 96;
    TestFrame frame;
    EXPECT_EQ(frame.GetDpi(), dpi);  // before the window exists: the system's
    ASSERT_TRUE(frame.Create(300, 200));
    EXPECT_EQ(frame.GetDpi(), dpi);
    struct Case {
        int at96, scaledAt96, scaledAt144;
    };
    const Case cases[] = {{100, 100, 150}, {3, 3, 5}, {-3, -3, -5},  // halves away from zero
                          {INT_MAX, INT_MAX, INT_MAX}, {INT_MIN, INT_MIN, INT_MIN},
                          {1500000000, 1500000000, INT_MAX}, {-1500000000, -1500000000, INT_MIN}};  // clamped
    for (const Case& c : cases) {
        EXPECT_EQ(frame.Scale(c.at96), high ? c.scaledAt144 : c.scaledAt96) << c.at96;
    }
    for (int pixels = -200; pixels <= 200; ++pixels) {
        ASSERT_EQ(frame.Scale(pixels), MulDiv(pixels, dpi, 96)) << pixels;
    }
    EXPECT_FLOAT_EQ(frame.ScaleF(10.0f), high ? 15.0f : 10.0f);

    ASSERT_TRUE(SetControlFontFace(L"Tahoma", 9));
    CStatic label;
    ASSERT_TRUE(label.Create(frame.GetWndHandle(), 0, 0, 100, 30, L"Ab"));
    SetControlFont(nullptr);
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label.GetWndHandle(), WM_GETFONT, 0, 0)),
               sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, high ? -18 : -12);
}

TEST(HighDpi, TheManifestDeclaresPerMonitorAwarenessAndAProgramWithoutOneStaysAt96)
{
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(resource, nullptr);
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, resource))),
                         SizeofResource(nullptr, resource));
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor<"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);

    // The probe, beside this program, has no manifest; its exit code is its window's DPI.
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring probe(path);
    probe.replace(probe.find_last_of(L'\\') + 1, std::wstring::npos, L"dpi_probe.exe");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(probe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 96u);
}

}  // namespace
