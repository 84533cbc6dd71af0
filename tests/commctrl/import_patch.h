// Counting the library's calls into a system DLL: the entry for one function in the import
// table of tsumiki.dll is pointed at a test's own function for the life of an ImportPatch.
#pragma once

#include <windows.h>

class ImportPatch {
public:
    // Redirects tsumiki.dll's calls of `function` from `dll` (e.g. "comctl32.dll") to
    // `replacement`. Found() tells whether the library imports the function by that name.
    ImportPatch(const char* dll, const char* function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool Found() const { return m_Slot != nullptr; }
    // The function the entry held before, for the replacement to pass the call on to.
    void* Original() const { return m_Original; }

private:
    void** m_Slot = nullptr;
    void* m_Original = nullptr;
};
