#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

// The controls' tests run twice: plain, and (TSUMIKI_TEST_MANIFEST set) built with the
// manifest that asks for common controls 6. Wine's two builds both say 5.81 through
// DllGetVersion; the path tells them apart.
TEST(Manifest, DecidesWhichCommonControlsTheProgramLoads)
{
    const bool expected = std::getenv("TSUMIKI_TEST_MANIFEST") != nullptr;
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    std::string manifest =
        resource ? std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, resource))),
                               SizeofResource(nullptr, resource))
                 : std::string();
    EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos, expected);
    EXPECT_EQ(manifest.find("supportedOS") != std::string::npos, expected);

    wchar_t path[MAX_PATH] = {};
    ASSERT_TRUE(GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH));
    std::wstring module = path;
    EXPECT_EQ(module.find(L"common-controls") != std::wstring::npos &&
                  module.find(L"_6.0.") != std::wstring::npos,
              expected);
}

}  // namespace
