#include "contacts_file.h"

#include <windows.h>

#include <memory>

#include "csv.h"
#include "utf8.h"

namespace {

const wchar_t* const kTitles[kColumnCount] = {L"Name", L"Phone", L"Email", L"Group", L"Favourite"};

// The platform's words for an error code, without the line break it ends with.
std::wstring SystemMessage(DWORD code)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text ? text : L"error " + std::to_wstring(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.')) {
        message.pop_back();
    }
    return message;
}

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle OpenFile(const std::wstring& path, DWORD access, DWORD creation)
{
    HANDLE file = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    return FileHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

std::wstring CannotOpen(const std::wstring& path, const std::wstring& why)
{
    return L"Could not open \"" + path + L"\":\n" + why;
}

std::wstring AtLine(int line, const std::wstring& what)
{
    return L"line " + std::to_wstring(line) + L": " + what + L".";
}

bool IsHeader(const CsvRecord& record)
{
    if (record.fields.size() != kColumnCount) {
        return false;
    }
    for (int column = 0; column < kColumnCount; ++column) {
        if (CompareStringOrdinal(record.fields[column].c_str(), -1, kTitles[column], -1, TRUE) != CSTR_EQUAL) {
            return false;
        }
    }
    return true;
}

}  // namespace

const wchar_t* ColumnTitle(int column)
{
    return column >= 0 && column < kColumnCount ? kTitles[column] : L"";
}

bool LoadContacts(const std::wstring& path, std::vector<Contact>& contacts, std::wstring& message)
{
    FileHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size = {};
    if (!file || !GetFileSizeEx(file.get(), &size)) {
        const DWORD failure = GetLastError();
        const bool missing = failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND;
        message = CannotOpen(path, missing ? L"there is no such file." : SystemMessage(failure) + L".");
        return false;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > kMaxFileBytes) {
        message = CannotOpen(path, L"it holds " + std::to_wstring(size.QuadPart / (1024 * 1024)) +
                                       L" MB, and an address book this program opens holds at most " +
                                       std::to_wstring(kMaxFileBytes / (1024 * 1024)) + L" MB.");
        return false;
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        message = CannotOpen(path, SystemMessage(GetLastError()) + L".");
        return false;
    }
    std::wstring text;
    int badLine = 0;
    if (!DecodeUtf8(bytes, text, badLine)) {
        message = CannotOpen(path, AtLine(badLine, L"this is not UTF-8 text"));
        return false;
    }
    std::vector<CsvRecord> records;
    CsvError error;
    if (!ReadCsv(text, records, error)) {
        message = CannotOpen(path, AtLine(error.line, error.reason));
        return false;
    }
    if (!records.empty() && !IsHeader(records.front())) {
        message = CannotOpen(path, AtLine(records.front().line, L"an address book's first line names its columns: "
                                                                L"Name,Phone,Email,Group,Favourite"));
        return false;
    }
    std::vector<Contact> loaded;
    for (size_t i = 1; i < records.size(); ++i) {
        Contact contact = std::move(records[i].fields);
        if (contact.size() > kColumnCount) {
            message = CannotOpen(path, AtLine(records[i].line, L"a contact has 5 fields, and this line has " +
                                                                   std::to_wstring(contact.size())));
            return false;
        }
        contact.resize(kColumnCount);
        loaded.push_back(std::move(contact));
    }
    contacts.swap(loaded);
    return true;
}

bool SaveContacts(const std::wstring& path, const std::vector<Contact>& contacts, std::wstring& message)
{
    std::vector<std::vector<std::wstring>> records = {std::vector<std::wstring>(kTitles, kTitles + kColumnCount)};
    records.insert(records.end(), contacts.begin(), contacts.end());
    const std::string bytes = EncodeUtf8WithMark(WriteCsv(records));

    // Beside the file, so that the last step is a rename within one folder; the old file is
    // replaced only once the new one is whole on the disk.
    const std::wstring temporary = path + L".saving-" + std::to_wstring(GetCurrentProcessId());
    DWORD failure = ERROR_SUCCESS;
    {
        FileHandle file = OpenFile(temporary, GENERIC_WRITE, CREATE_ALWAYS);
        DWORD written = 0;
        if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size() || !FlushFileBuffers(file.get())) {
            // A write cut short reports no error of its own: the disk is full.
            failure = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_DISK_FULL;
        }
    }
    if (failure == ERROR_SUCCESS &&
        !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_ACCESS_DENIED;
    }
    if (failure != ERROR_SUCCESS) {
        DeleteFileW(temporary.c_str());
        message = L"Could not save \"" + path + L"\":\n" + SystemMessage(failure) +
                  L".\nThe file on the disk is as it was, and nothing in the list is lost.";
        return false;
    }
    return true;
}
