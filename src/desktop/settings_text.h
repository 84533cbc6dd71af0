// The text of a settings file: UTF-8 lines of sections and "key = value", read and written.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tsumiki {

namespace settings_text {

// A line of a section: a key and its value, or (key empty) a comment or blank line kept
// as it stood.
struct Line {
    std::wstring key;
    std::wstring value;
};

struct Section {
    std::wstring name;
    std::vector<Line> lines;
};

// The sections in the file's order; the first, named "", holds what comes before the
// first section line (it may be empty). A name appears once: a second "[name]" in a file
// goes on with the first.
struct Document {
    Document() : sections(1) {}
    std::vector<Section> sections;
};

// Reads the UTF-8 text into the document; returns how many lines could not be read and
// were left out.
int Parse(const char* text, std::size_t size, Document& document);
// The document as UTF-8 text, lines ending in CR LF.
std::string Format(const Document& document);

// The value of the key in the section (null is ""), both matched without regard to case;
// null when there is none.
const std::wstring* Find(const Document& document, const wchar_t* section, const wchar_t* key);
// Sets the value: a new key goes after the last non-blank line of its section, a new
// section to the end, after a blank line. The caller checks the names.
void Set(Document& document, const wchar_t* section, const wchar_t* key, const std::wstring& value);

// Whether a key or a section name would read back as itself.
bool IsValidKey(const wchar_t* key);
bool IsValidSectionName(const wchar_t* name);

}  // namespace settings_text

}  // namespace tsumiki
