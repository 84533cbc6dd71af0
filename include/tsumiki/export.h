// The one export macro of the library: classes and free functions marked with it
// are exported from tsumiki.dll and imported by its clients.
#pragma once

#if defined(TSUMIKI_BUILDING_DLL)
#  define TSUMIKI_API __declspec(dllexport)
#else
// Marks what tsumiki.dll exports (while the DLL is built) and its clients import.
#  define TSUMIKI_API __declspec(dllimport)
#endif
