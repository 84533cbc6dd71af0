#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

// The program's own application manifest (resource 1 of type 24), or empty.
std::string OwnManifest()
{
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const char* text = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return text ? std::string(text, SizeofResource(nullptr, resource)) : std::string();
}

// The controls' tests run twice: plain, and (TSUMIKI_TEST_MANIFEST set) built with the
// manifest that asks for common controls 6. Wine's two builds both say 5.81 through
// DllGetVersion; the path tells them apart.
TEST(Manifest, DecidesWhichCommonControlsTheProgramLoads)
{
    const bool expected = std::getenv("TSUMIKI_TEST_MANIFEST") != nullptr;
    std::string manifest = OwnManifest();
    EXPECT_EQ(!manifest.empty(), expected);
    EXPECT_EQ(manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos, expected);
    EXPECT_EQ(manifest.find("supportedOS") != std::string::npos, expected);

    wchar_t path[MAX_PATH] = {};
    ASSERT_TRUE(GetModuleFileNameW(GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH));
    std::wstring module = path;
    EXPECT_EQ(module.find(L"common-controls") != std::wstring::npos &&
                  module.find(L"_6.0.") != std::wstring::npos,
              expected)
        << std::string(module.begin(), module.end());
}

}  // namespace
