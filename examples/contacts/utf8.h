// Text files in UTF-8, as the address book reads and writes them.
#pragma once

#include <string>

// The bytes as UTF-16 text, a leading byte-order mark left out. False, with the line (from
// 1) of the first byte that is not UTF-8, when the bytes are not UTF-8 text: an invalid or
// cut sequence, an over-long form, a surrogate, a value past U+10FFFF, or a NUL.
bool DecodeUtf8(const std::string& bytes, std::wstring& text, int& badLine);

// The text in UTF-8 after a byte-order mark, which tells editors the encoding.
std::string EncodeUtf8WithMark(const std::wstring& text);
