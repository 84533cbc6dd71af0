// The one export macro of the library: classes and free functions marked with it
// are exported from tsumiki.dll and imported by its clients. With the static library
// (TSUMIKI_STATIC, which the package target defines for its users) it marks nothing.
#pragma once

#if defined(TSUMIKI_STATIC)
// Empty: the library is linked into the program itself.
#  define TSUMIKI_API
#elif defined(TSUMIKI_BUILDING_DLL)
#  define TSUMIKI_API __declspec(dllexport)
#else
// Marks what tsumiki.dll exports (while the DLL is built) and its clients import.
#  define TSUMIKI_API __declspec(dllimport)
#endif
