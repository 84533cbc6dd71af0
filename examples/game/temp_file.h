// Where the game writes the pictures and sounds it makes at start.
#pragma once

#include <windows.h>

#include <string>

// A path in the temp folder, unique to this run of the game.
inline std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"tsumiki-game-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}
