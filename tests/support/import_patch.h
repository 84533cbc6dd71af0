// Watching the library's calls into comctl32 through its import table.
#pragma once

#include <windows.h>

// Points tsumiki.dll's import-table entry for a comctl32 function elsewhere; returns the
// entry it held, or null when the library does not import the function by that name.
void* PatchImport(const char* function, void* replacement);
