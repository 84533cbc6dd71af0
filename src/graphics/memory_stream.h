// A read-only stream over bytes held in memory, for decoding pictures.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>

namespace tsumiki {

// The whole file as a stream with one reference, or null when the path cannot be read as
// a file (a directory, an empty or unreadable file). The file is closed before this returns.
IStream* ReadFileIntoStream(const wchar_t* path);
// A copy of the bytes as a stream with one reference, so the caller may free or change
// them at once; null for no bytes or when memory runs out.
IStream* CopyIntoStream(const void* bytes, std::size_t size);

}  // namespace tsumiki
