#include <gtest/gtest.h>

#include <tsumiki.h>

#include <cfloat>
#include <climits>

#include "support/frame_window.h"
#include "support/test_files.h"

namespace {

std::string ReadAll(const std::wstring& path)
{
    std::string bytes(4096, '\0');
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes.substr(0, read);
}

const wchar_t* const kStrings[] = {L"", L"plain", L"  spaced  ", L"\"quoted\" and \\", L"two\r\nlines\tand\x01",
                                   L"Grüße 夏 😀", L"= ; # [x]"};
const double kDoubles[] = {0.1, -1e300, 1.0 / 3, DBL_MIN};

TEST(Settings, EveryKindComesBackFromTheFile)
{
    TempFolder folder;
    CSettings settings;
    ASSERT_TRUE(settings.Open(folder.File(L"new.ini").c_str()));
    settings.SetInt(L"numbers", L"min", INT_MIN);
    settings.SetBool(nullptr, L"flag", true);
    for (int i = 0; i < 7; ++i) {
        settings.SetString(L"Strings", std::to_wstring(i).c_str(), kStrings[i]);
    }
    for (int i = 0; i < 4; ++i) {
        settings.SetDouble(L"numbers", (L"d" + std::to_wstring(i)).c_str(), kDoubles[i]);
    }
    settings.SetInt(L"numbers", L"bad=key", 1);
    settings.SetString(L"numbers", L"word", L"12abc");
    ASSERT_TRUE(settings.Save());

    CSettings read;
    ASSERT_TRUE(read.Open(folder.File(L"new.ini").c_str()));
    EXPECT_EQ(read.GetSkippedLines(), 0);
    EXPECT_EQ(read.GetInt(L"NUMBERS", L"Min", 0), INT_MIN);
    EXPECT_TRUE(read.GetBool(L"", L"flag", false));
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(read.GetString(L"strings", std::to_wstring(i).c_str(), L"missing"), kStrings[i]);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(read.GetDouble(L"numbers", (L"d" + std::to_wstring(i)).c_str(), 0), kDoubles[i]);
    }
    EXPECT_EQ(read.GetInt(L"numbers", L"bad=key", 7), 7);
    EXPECT_EQ(read.GetInt(L"numbers", L"word", 7), 7);
    EXPECT_EQ(read.GetDouble(L"numbers", L"word", 2.5), 2.5);
    EXPECT_EQ(read.GetString(L"none", L"word", L"fallback"), L"fallback");
}

TEST(Settings, ADamagedFileLoadsWhatItCan)
{
    const std::string good = "[a]\r\none = 1\r\ntwo = \"2\"\r\n";
    struct Case { std::string tail; int skipped; };
    for (const Case& damage : {Case{"thr", 1}, Case{"three = \"3", 1}, Case{std::string("three = 3\0\0\0\0", 13), 1},
                               Case{"three = \xC3\r\nfour = 4\r\nno equals\r\n[b\r\n", 3}}) {
        TempFolder folder;
        ASSERT_TRUE(WriteBytes(folder.File(L"cut.ini"), (good + damage.tail).data(), good.size() + damage.tail.size()));
        CSettings settings;
        ASSERT_TRUE(settings.Open(folder.File(L"cut.ini").c_str()));
        EXPECT_EQ(settings.GetInt(L"a", L"one", 0), 1);
        EXPECT_EQ(settings.GetInt(L"a", L"two", 0), 2);
        EXPECT_EQ(settings.GetInt(L"a", L"three", 0), 0);
        EXPECT_EQ(settings.GetSkippedLines(), damage.skipped);
    }
}

TEST(Settings, ASaveCutShortLeavesTheOldFileWhole)
{
    TempFolder folder;
    const std::wstring path = folder.File(L"app.ini");
    CSettings settings;
    ASSERT_TRUE(settings.Open(path.c_str()));
    settings.SetInt(L"run", L"count", 1);
    ASSERT_TRUE(settings.Save());
    const std::string saved = ReadAll(path);
    // A crash between writing the temporary file and the replacement left half of one.
    ASSERT_TRUE(WriteBytes(path + L".tmp", "[run]\r\ncou", 10));
    CSettings reopened;
    ASSERT_TRUE(reopened.Open(path.c_str()));
    EXPECT_EQ(reopened.GetInt(L"run", L"count", 0), 1);

    // The replacement refused (the file is held open): the old file stays as it was.
    reopened.SetInt(L"run", L"count", 2);
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(reopened.Save());
    CloseHandle(held);
    EXPECT_EQ(ReadAll(path), saved);
    EXPECT_FALSE(FileExists(path + L".tmp"));
    ASSERT_TRUE(reopened.Save());
    EXPECT_FALSE(FileExists(path + L".tmp"));
    CSettings last;
    ASSERT_TRUE(last.Open(path.c_str()));
    EXPECT_EQ(last.GetInt(L"run", L"count", 0), 2);
}

TEST(Settings, FolderNamesAreCheckedAndMade)
{
    CSettings settings;
    for (const wchar_t* bad : {(const wchar_t*)nullptr, L"", L"..", L"a\\b", L"a:b"}) {
        EXPECT_FALSE(settings.OpenForProgram(bad, L"program"));
        EXPECT_FALSE(settings.OpenForProgram(L"vendor", bad));
    }
    const std::wstring vendor = L"tsumiki-test-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(settings.OpenForProgram(vendor.c_str(), L"設定"));
    const std::wstring path = settings.GetPath();
    EXPECT_NE(path.find(L"\\" + vendor + L"\\設定\\settings.ini"), std::wstring::npos);
    EXPECT_TRUE(settings.Save());
    EXPECT_TRUE(DeleteFileW(path.c_str()));
    EXPECT_TRUE(RemoveDirectoryW(path.substr(0, path.rfind(L'\\')).c_str()));
    EXPECT_TRUE(RemoveDirectoryW(path.substr(0, path.rfind(L"\\設定")).c_str()));
}

TEST(Settings, AWindowComesBackToItsPlaceOnAMonitorThatIsThere)
{
    TestFrame window;
    ASSERT_TRUE(window.Create(300, 200, 120, 90));
    HWND hwnd = window.GetWndHandle();
    CSettings settings;
    ASSERT_TRUE(settings.SaveWindowPlacement(hwnd, L"main"));
    RECT saved = {};
    GetWindowRect(hwnd, &saved);
    MoveWindow(hwnd, 10, 10, 100, 100, TRUE);
    ASSERT_TRUE(settings.RestoreWindowPlacement(hwnd, L"main"));
    RECT placed = {};
    GetWindowRect(hwnd, &placed);
    EXPECT_TRUE(EqualRect(&placed, &saved));

    // Saved on a monitor at the right that is gone now.
    settings.SetInt(L"main", L"left", 5000);
    settings.SetInt(L"main", L"right", 5300);
    ASSERT_TRUE(settings.RestoreWindowPlacement(hwnd, L"main"));
    GetWindowRect(hwnd, &placed);
    EXPECT_EQ(MonitorFromRect(&placed, MONITOR_DEFAULTTONULL), MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
    EXPECT_EQ(placed.right - placed.left, 300);
    EXPECT_LE(placed.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_FALSE(settings.RestoreWindowPlacement(hwnd, L"none"));
}

}  // namespace
