#include "platform/library_message.h"

#include "tsumiki/framework.h"

namespace {

// Plain statics: the library and its client run on one GUI thread.
LibraryMessageHandler g_Handler = nullptr;
void* g_Argument = nullptr;

}  // namespace

void SetLibraryMessageHandler(LibraryMessageHandler handler, void* argument)
{
    g_Handler = handler;
    g_Argument = handler ? argument : nullptr;
}

namespace tsumiki_detail {

void ShowLibraryMessage(const wchar_t* text, const wchar_t* caption)
{
    if (g_Handler) {
        g_Handler(text ? text : L"", caption ? caption : L"", g_Argument);
        return;
    }
    MessageBoxW(nullptr, text, caption, MB_OK);
}

}  // namespace tsumiki_detail
