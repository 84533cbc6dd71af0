// Where the running program lives, for the files it ships beside it (pictures, sounds).
//
// Free functions:
//   GetProgramFolder  the folder of the running program
//   ProgramPath       a path relative to that folder, made whole
#pragma once

#include <string>

#include "tsumiki/export.h"

namespace tsumiki {

// The folder of the running program's .exe (not the current directory, which the user or
// a file dialog may change), without a trailing backslash unless it is a drive's root
// ("C:\"); paths of any length (beyond MAX_PATH too). Empty when the system cannot say.
// Any thread.
TSUMIKI_API std::wstring GetProgramFolder();
// The relative path joined to GetProgramFolder() with one backslash: ProgramPath(L"art\\ship.png")
// is "<folder>\art\ship.png"; forward slashes become backslashes. A null or empty path
// gives the folder itself; a path that is already whole ("D:\x", "\\server\share\x") is
// returned as it is. Empty when the folder is. Any thread.
TSUMIKI_API std::wstring ProgramPath(const wchar_t* relative);

}  // namespace tsumiki

#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::GetProgramFolder;
using tsumiki::ProgramPath;
#endif
