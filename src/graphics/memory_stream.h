// A read-only stream over a file's bytes held in memory, for decoding pictures.
#pragma once

#include <windows.h>
#include <objidl.h>

// The whole file as a stream with one reference, or null when the path cannot be read as
// a file (a directory, an empty or unreadable file). The file is closed before this returns.
IStream* ReadFileIntoStream(const wchar_t* path);
