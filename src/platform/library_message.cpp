#include "platform/library_message.h"

namespace tsumiki_detail {

void ShowLibraryMessage(const wchar_t* text, const wchar_t* caption)
{
    MessageBoxW(nullptr, text, caption, MB_OK);
}

}  // namespace tsumiki_detail
