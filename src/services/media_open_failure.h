// The message shown when a media file does not open, shared by CMCI and CSoundEffect.
#pragma once

namespace tsumiki {
namespace detail {

// Shows "<path>が開けませんでした" through the library's message door.
void ShowMediaOpenFailure(const wchar_t* path);

}  // namespace detail
}  // namespace tsumiki
