// The texts the library shows the user, in the language the program chose
// (SetLibraryLanguage). They live in one table (library_text.cpp): a further language is
// one more column there.
#pragma once

#include <string>

namespace tsumiki {

namespace detail {

// One row of the table each.
enum class Text {
    ButtonNormalPictureMissing,  // names the path in English
    ButtonPushPictureMissing,    // names the path in English
    ButtonMaskMissing,           // names the path in English
    PictureMissing,              // names the path in English
    PictureMissingCaption,
    MenuTextMissing,             // names the menu text in English
    MediaNotOpened,              // names the path in both languages
    OpenDialogTitle,
    SaveDialogTitle,
    AllFilesFilter,              // the platform's filter format: pairs of 0-ended strings
    Count
};

// The text in the current language; static storage, never null.
const wchar_t* LibraryText(Text text);
// The text in the current language with its "%s" (if it has one) replaced by subject, taken
// as plain data (a "%" in a path stays as it is); a null subject counts as empty.
std::wstring LibraryTextNaming(Text text, const wchar_t* subject);

}  // namespace detail

}  // namespace tsumiki
