// The in-memory template the library's dialogs are made from: an extended dialog template
// with a title and no controls, in a buffer of fixed size.
#pragma once

#include "tsumiki/framework.h"

#include <cstddef>

namespace tsumiki {

// Characters of the title the template holds, its terminating zero not counted.
constexpr std::size_t kDialogTitleCapacity = 255;

// Fills the buffer of CDialogBase::kTemplateSize bytes, zeroing whatever it held. A null title
// counts as empty; a longer one is cut to kDialogTitleCapacity characters.
void WriteDialogTemplate(unsigned char* buffer, const wchar_t* title, bool modal);

}  // namespace tsumiki
