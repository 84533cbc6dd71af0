#include <gtest/gtest.h>

#include <tsumiki.h>

#include <string>

#include "support/test_files.h"

namespace {

TEST(ProgramFolder, IsTheExesFolderWhateverTheCurrentDirectoryAndJoinsRelativePaths)
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring expected(exe);
    expected.resize(expected.find_last_of(L'\\'));
    TempFolder elsewhere;
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    SetCurrentDirectoryW(elsewhere.Path().c_str());
    EXPECT_EQ(GetProgramFolder(), expected);
    SetCurrentDirectoryW(before);

    const struct {
        const wchar_t* relative;
        std::wstring expected;
    } cases[] = {
        {L"art\\ship.png", expected + L"\\art\\ship.png"},
        {L"/sounds/shot.wav", expected + L"\\sounds\\shot.wav"},
        {L"", expected},
        {nullptr, expected},
        {L"D:\\elsewhere\\x.png", L"D:\\elsewhere\\x.png"},
        {L"\\\\server\\share\\x", L"\\\\server\\share\\x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgramPath(c.relative), c.expected) << (c.relative ? c.relative : L"null");
    }
    EXPECT_TRUE(FileExists(ProgramPath(L"tsumiki.dll")));
}

}  // namespace
