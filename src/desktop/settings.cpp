// Settings in a UTF-8 file, saved whole through a temporary file.
#include "tsumiki/desktop.h"

#include "desktop/settings_text.h"

#include <shlobj.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cwchar>
#include <cwctype>

namespace tsumiki {

struct CSettings::Data {
    std::wstring path;
    int skipped = 0;
    settings_text::Document document;
};

namespace {

// A settings file is small; anything larger is not one.
constexpr LONGLONG kMaxFileBytes = 16 << 20;

// Reads the whole file; the platform's error when it cannot (0 on success).
DWORD ReadWholeFile(const wchar_t* path, std::string& bytes)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    DWORD error = 0;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > kMaxFileBytes) {
        error = ERROR_FILE_TOO_LARGE;
    } else {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!bytes.empty() && (!ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                               read != bytes.size())) {
            error = ERROR_READ_FAULT;
        }
    }
    CloseHandle(file);
    return error;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return bytes.empty() ||
           (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size());
}

// A name usable as one folder: not empty, not "." or "..", no separator or character
// that file names cannot hold.
bool IsFolderName(const wchar_t* name)
{
    if (!name || !*name || std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0) {
        return false;
    }
    for (const wchar_t* c = name; *c; ++c) {
        if (*c < 0x20 || std::wcschr(L"<>:\"/\\|?*", *c)) {
            return false;
        }
    }
    return true;
}

bool MakeFolder(const std::wstring& path)
{
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Numbers are read whole: "12abc" or "1.5" is no int.
bool ReadInt(const std::wstring& text, int& value)
{
    std::size_t digits = !text.empty() && (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
    if (digits == text.size() || text.find_first_not_of(L"0123456789", digits) != std::wstring::npos) {
        return false;
    }
    errno = 0;
    long long read = std::wcstoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || read < INT_MIN || read > INT_MAX) {
        return false;
    }
    value = static_cast<int>(read);
    return true;
}

// Read and written without the locale, which may use a comma.
bool ReadDouble(const std::wstring& text, double& value)
{
    std::string ascii;
    for (wchar_t c : text) {
        if (c > 0x7F) {
            return false;
        }
        ascii += static_cast<char>(c);
    }
    const char* first = ascii.c_str() + (!ascii.empty() && ascii[0] == '+' ? 1 : 0);
    const char* last = ascii.c_str() + ascii.size();
    auto result = std::from_chars(first, last, value);
    return first != last && result.ec == std::errc() && result.ptr == last;
}

std::wstring WriteDouble(double value)
{
    char text[64];
    auto result = std::to_chars(text, text + sizeof(text), value);
    return std::wstring(text, result.ptr);
}

bool ReadBool(const std::wstring& text, bool& value)
{
    std::wstring lower;
    for (wchar_t c : text) {
        lower += static_cast<wchar_t>(std::towlower(c));
    }
    if (lower == L"true" || lower == L"yes" || lower == L"on" || lower == L"1") {
        value = true;
    } else if (lower == L"false" || lower == L"no" || lower == L"off" || lower == L"0") {
        value = false;
    } else {
        return false;
    }
    return true;
}

}  // namespace

CSettings::CSettings() : m_Data(new Data) {}

CSettings::CSettings(const CSettings& other) : m_Data(new Data(*other.m_Data)) {}

CSettings& CSettings::operator=(const CSettings& other)
{
    if (this != &other) {
        *m_Data = *other.m_Data;
    }
    return *this;
}

CSettings::~CSettings() = default;

bool CSettings::Open(const wchar_t* path)
{
    if (!path || !*path) {
        return false;
    }
    std::string bytes;
    settings_text::Document document;
    int skipped = 0;
    DWORD error = ReadWholeFile(path, bytes);
    if (error == 0) {
        skipped = settings_text::Parse(bytes.data(), bytes.size(), document);
    } else if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
        return false;
    }
    m_Data->path = path;
    m_Data->skipped = skipped;
    m_Data->document = std::move(document);
    return true;
}

bool CSettings::OpenForProgram(const wchar_t* vendor, const wchar_t* program)
{
    wchar_t appData[MAX_PATH] = L"";
    if (!IsFolderName(vendor) || !IsFolderName(program) ||
        FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData))) {
        return false;
    }
    std::wstring folder = std::wstring(appData) + L"\\" + vendor;
    if (!MakeFolder(folder) || !MakeFolder(folder += std::wstring(L"\\") + program)) {
        return false;
    }
    return Open((folder + L"\\settings.ini").c_str());
}

bool CSettings::Save()
{
    if (m_Data->path.empty()) {
        return false;
    }
    std::string text = settings_text::Format(m_Data->document);
    // A fixed name: what a save cut short left behind is simply written over.
    std::wstring temporary = m_Data->path + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool written = WriteAll(file, text) && FlushFileBuffers(file);
    CloseHandle(file);
    if (!written || !MoveFileExW(temporary.c_str(), m_Data->path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

std::wstring CSettings::GetPath() const
{
    return m_Data->path;
}

int CSettings::GetSkippedLines() const
{
    return m_Data->skipped;
}

int CSettings::GetInt(const wchar_t* section, const wchar_t* key, int fallback) const
{
    const std::wstring* text = settings_text::Find(m_Data->document, section, key);
    int value = 0;
    return text && ReadInt(*text, value) ? value : fallback;
}

std::wstring CSettings::GetString(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) const
{
    const std::wstring* text = settings_text::Find(m_Data->document, section, key);
    return text ? *text : std::wstring(fallback ? fallback : L"");
}

bool CSettings::GetBool(const wchar_t* section, const wchar_t* key, bool fallback) const
{
    const std::wstring* text = settings_text::Find(m_Data->document, section, key);
    bool value = false;
    return text && ReadBool(*text, value) ? value : fallback;
}

double CSettings::GetDouble(const wchar_t* section, const wchar_t* key, double fallback) const
{
    const std::wstring* text = settings_text::Find(m_Data->document, section, key);
    double value = 0;
    return text && ReadDouble(*text, value) ? value : fallback;
}

void CSettings::SetString(const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    if (settings_text::IsValidSectionName(section) && settings_text::IsValidKey(key)) {
        settings_text::Set(m_Data->document, section, key, value ? value : L"");
    }
}

void CSettings::SetInt(const wchar_t* section, const wchar_t* key, int value)
{
    SetString(section, key, std::to_wstring(value).c_str());
}

void CSettings::SetBool(const wchar_t* section, const wchar_t* key, bool value)
{
    SetString(section, key, value ? L"true" : L"false");
}

void CSettings::SetDouble(const wchar_t* section, const wchar_t* key, double value)
{
    SetString(section, key, WriteDouble(value).c_str());
}

}  // namespace tsumiki
