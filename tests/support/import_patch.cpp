#include "support/import_patch.h"

#include <cstring>
#include <utility>

void* PatchImport(const char* function, void* replacement)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(L"tsumiki.dll"));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); dll->Name; ++dll) {
        if (_stricmp(reinterpret_cast<char*>(base + dll->Name), "comctl32.dll") != 0) {
            continue;
        }
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slots = reinterpret_cast<void**>(base + dll->FirstThunk);
        for (size_t i = 0; names[i].u1.AddressOfData; ++i) {
            auto* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
            if (!IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal) && strcmp(reinterpret_cast<char*>(name->Name), function) == 0) {
                DWORD protection = 0;
                VirtualProtect(&slots[i], sizeof(void*), PAGE_READWRITE, &protection);
                void* old = std::exchange(slots[i], replacement);
                VirtualProtect(&slots[i], sizeof(void*), protection, &protection);
                return old;
            }
        }
    }
    return nullptr;
}
