#include "desktop/settings_text.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace tsumiki {

namespace settings_text {

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

bool IsControl(wchar_t c)
{
    return c < 0x20 || c == 0x7F;
}

std::wstring Trim(const std::wstring& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

// A line's bytes as UTF-16; false for bytes that are not UTF-8.
bool Decode(const char* bytes, std::size_t size, std::wstring& line)
{
    line.clear();
    if (size == 0) {
        return true;
    }
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), nullptr, 0);
    if (length <= 0) {
        return false;
    }
    line.resize(length);
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), &line[0], length);
    return true;
}

void Encode(const std::wstring& text, std::string& out)
{
    if (text.empty()) {
        return;
    }
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::size_t at = out.size();
    out.resize(at + length);
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[at], length, nullptr,
                        nullptr);
}

// A value that would not read back as itself unquoted.
bool NeedsQuotes(const std::wstring& value)
{
    if (value.empty()) {
        return false;
    }
    if (IsBlank(value.front()) || IsBlank(value.back()) || value.front() == L'"') {
        return true;
    }
    for (wchar_t c : value) {
        if (IsControl(c)) {
            return true;
        }
    }
    return false;
}

std::wstring Quote(const std::wstring& value)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : value) {
        switch (c) {
        case L'\\': quoted += L"\\\\"; break;
        case L'"': quoted += L"\\\""; break;
        case L'\n': quoted += L"\\n"; break;
        case L'\r': quoted += L"\\r"; break;
        case L'\t': quoted += L"\\t"; break;
        default:
            if (IsControl(c)) {
                wchar_t escape[8];
                std::swprintf(escape, 8, L"\\u%04X", static_cast<unsigned>(c));
                quoted += escape;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + L"\"";
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// A quoted value's text; false when the quotes do not close at its end (a line cut short)
// or an escape is unknown.
bool Unquote(const std::wstring& quoted, std::wstring& value)
{
    value.clear();
    std::size_t i = 1;
    for (; i < quoted.size() && quoted[i] != L'"'; ++i) {
        if (quoted[i] != L'\\') {
            value += quoted[i];
            continue;
        }
        if (++i == quoted.size()) {
            return false;
        }
        switch (quoted[i]) {
        case L'\\': value += L'\\'; break;
        case L'"': value += L'"'; break;
        case L'n': value += L'\n'; break;
        case L'r': value += L'\r'; break;
        case L't': value += L'\t'; break;
        case L'u': {
            unsigned code = 0;
            for (int k = 0; k < 4; ++k) {
                int digit = ++i < quoted.size() ? HexDigit(quoted[i]) : -1;
                if (digit < 0) {
                    return false;
                }
                code = code * 16 + digit;
            }
            value += static_cast<wchar_t>(code);
            break;
        }
        default: return false;
        }
    }
    return i + 1 == quoted.size();
}

bool SameName(const std::wstring& a, const wchar_t* b)
{
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

// The section (const or not, as the document) and the line of a key in it.
template <typename DocumentType>
auto FindSection(DocumentType& document, const wchar_t* name) -> decltype(&document.sections[0])
{
    for (auto& section : document.sections) {
        if (SameName(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

template <typename DocumentType>
auto FindLine(DocumentType& document, const wchar_t* section, const wchar_t* key)
    -> decltype(&document.sections[0].lines[0])
{
    auto* found = FindSection(document, section ? section : L"");
    if (!found || !key) {
        return nullptr;
    }
    for (auto& line : found->lines) {
        if (!line.key.empty() && SameName(line.key, key)) {
            return &line;
        }
    }
    return nullptr;
}

Section& SectionNamed(Document& document, const std::wstring& name)
{
    if (Section* found = FindSection(document, name.c_str())) {
        return *found;
    }
    // Set apart from the section before it by a blank line.
    std::vector<Line>& before = document.sections.back().lines;
    if (!before.empty() && !(before.back().key.empty() && Trim(before.back().value).empty())) {
        before.push_back(Line{});
    }
    document.sections.push_back(Section{name, {}});
    return document.sections.back();
}

// One line into the document; false when it cannot be read.
bool ParseLine(const std::wstring& raw, Document& document, Section*& current)
{
    std::wstring line = Trim(raw);
    if (line.empty() || line[0] == L';' || line[0] == L'#') {
        current->lines.push_back(Line{std::wstring(), raw});
        return true;
    }
    if (line[0] == L'[') {
        std::wstring name = Trim(line.substr(1, line.size() - 1 - (line.back() == L']' ? 1 : 0)));
        if (line.back() != L']' || line.size() < 2 || name.empty() || !IsValidSectionName(name.c_str())) {
            return false;
        }
        current = &SectionNamed(document, name);
        return true;
    }
    std::size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) {
        return false;
    }
    Line entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
    if (!IsValidKey(entry.key.c_str())) {
        return false;
    }
    if (!entry.value.empty() && entry.value[0] == L'"') {
        std::wstring quoted = entry.value;
        if (!Unquote(quoted, entry.value)) {
            return false;
        }
    }
    current->lines.push_back(std::move(entry));
    return true;
}

}  // namespace

const std::wstring* Find(const Document& document, const wchar_t* section, const wchar_t* key)
{
    const Line* line = FindLine(document, section, key);
    return line ? &line->value : nullptr;
}

void Set(Document& document, const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    if (Line* existing = FindLine(document, section, key)) {
        existing->value = value;
        return;
    }
    std::vector<Line>& lines = SectionNamed(document, section ? section : L"").lines;
    // After the last line that is not blank, so that blank lines stay between sections.
    std::size_t at = lines.size();
    while (at > 0 && lines[at - 1].key.empty() && Trim(lines[at - 1].value).empty()) {
        --at;
    }
    lines.insert(lines.begin() + at, Line{key, value});
}

bool IsValidKey(const wchar_t* key)
{
    if (!key || !*key || *key == L'[' || *key == L';' || *key == L'#' || IsBlank(*key) ||
        IsBlank(key[std::wcslen(key) - 1])) {
        return false;
    }
    for (const wchar_t* c = key; *c; ++c) {
        if (*c == L'=' || IsControl(*c)) {
            return false;
        }
    }
    return true;
}

bool IsValidSectionName(const wchar_t* name)
{
    if (!name || !*name) {
        return true;
    }
    if (IsBlank(*name) || IsBlank(name[std::wcslen(name) - 1])) {
        return false;
    }
    for (const wchar_t* c = name; *c; ++c) {
        if (*c == L']' || IsControl(*c)) {
            return false;
        }
    }
    return true;
}

int Parse(const char* text, std::size_t size, Document& document)
{
    document = Document();
    // A byte-order mark some editors write first.
    if (size >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) {
        text += 3;
        size -= 3;
    }
    Section* current = &document.sections[0];
    int skipped = 0;
    std::wstring line;
    for (std::size_t start = 0; start < size;) {
        const char* end = static_cast<const char*>(std::memchr(text + start, '\n', size - start));
        std::size_t length = (end ? static_cast<std::size_t>(end - text) : size) - start;
        std::size_t next = start + length + 1;
        if (length > 0 && text[start + length - 1] == '\r') {
            --length;
        }
        // A zero byte is never text: a file cut short by a crash is often padded with them.
        bool readable = !std::memchr(text + start, '\0', length) && Decode(text + start, length, line) &&
                        ParseLine(line, document, current);
        skipped += readable ? 0 : 1;
        start = next;
    }
    return skipped;
}

std::string Format(const Document& document)
{
    std::string text;
    for (const Section& section : document.sections) {
        if (!section.name.empty()) {
            Encode(L"[" + section.name + L"]\r\n", text);
        }
        for (const Line& line : section.lines) {
            if (line.key.empty()) {
                Encode(line.value + L"\r\n", text);
            } else {
                Encode(line.key + L" = " + (NeedsQuotes(line.value) ? Quote(line.value) : line.value) + L"\r\n",
                       text);
            }
        }
    }
    return text;
}

}  // namespace settings_text

}  // namespace tsumiki
