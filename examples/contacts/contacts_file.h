// The address book's file: CSV in UTF-8 with a byte-order mark, a first line naming the
// columns, then one contact a line. Reading never half-succeeds, and saving never leaves a
// half-written file in the place of a good one.
#pragma once

#include <string>
#include <vector>

// The columns of a contact, in the file and in the list.
enum ContactColumn { kName, kPhone, kEmail, kGroup, kFavourite, kColumnCount };

// A contact's texts, one a column (kName ... kFavourite).
using Contact = std::vector<std::wstring>;

// The columns' titles, as the file's first line names them.
const wchar_t* ColumnTitle(int column);

// Files larger than this are not address books this program opens.
constexpr unsigned long long kMaxFileBytes = 4ull * 1024 * 1024;

// Reads the contacts of the file. On failure `contacts` is left as it was and `message`
// says what is wrong, naming the file and, where there is one, the line.
bool LoadContacts(const std::wstring& path, std::vector<Contact>& contacts, std::wstring& message);

// Writes the contacts to a new file beside `path`, then puts it in the place of `path`. On
// failure nothing at `path` has changed, nothing is left beside it, and `message` says why.
bool SaveContacts(const std::wstring& path, const std::vector<Contact>& contacts, std::wstring& message);
