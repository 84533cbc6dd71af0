// The library's own words: where its messages to the user go, and their language.
//
// Free functions:
//   SetLibraryMessageHandler  where the library's messages to the user go (a box by default)
//   SetLibraryLanguage        the language of the library's own texts (Japanese by default)
//   GetLibraryLanguage        the language chosen last
#pragma once

#include "tsumiki/export.h"

namespace tsumiki {

// Receives a message the library has for the user: text and caption are never null (the
// caption is empty where the library names none); argument is the one given with it.
using LibraryMessageHandler = void (*)(const wchar_t* text, const wchar_t* caption,
                                       void* argument);
// Sends the library's messages to the user (a picture that does not load, a menu text
// never added, ...) to handler instead of a modal box, for the whole process: a program
// that runs with nobody at the screen is not blocked by them. Null restores the box.
// The handler runs on the thread where the failure happened.
TSUMIKI_API void SetLibraryMessageHandler(LibraryMessageHandler handler,
                                          void* argument = nullptr);
// The languages the library's own texts come in.
enum ELanguage {
    LANGUAGE_JAPANESE = 0,  // the default: the texts the library has always shown
    LANGUAGE_ENGLISH = 1,
};
// Chooses the language of every text the library shows or hands to the message handler
// from now on, for the whole process: the failure messages and their captions, and the
// titles and default filter of the open and save dialogs (the colour and font dialogs are
// the platform's own). In English a failure message names what failed: the path of a
// picture, bitmap or media file that did not load, the menu text that was not found.
// A value outside ELanguage leaves the language as it was.
TSUMIKI_API void SetLibraryLanguage(ELanguage language);
// The language chosen last (LANGUAGE_JAPANESE until SetLibraryLanguage is called).
TSUMIKI_API ELanguage GetLibraryLanguage();

}  // namespace tsumiki

// The names above in the global namespace too, as programs written before the namespace
// use them; define TSUMIKI_NO_GLOBAL_NAMES before the first include to keep them out.
#ifndef TSUMIKI_NO_GLOBAL_NAMES
using tsumiki::LibraryMessageHandler;
using tsumiki::SetLibraryMessageHandler;
using tsumiki::ELanguage;
using tsumiki::LANGUAGE_JAPANESE;
using tsumiki::LANGUAGE_ENGLISH;
using tsumiki::SetLibraryLanguage;
using tsumiki::GetLibraryLanguage;
#endif
