// Comma-separated values as RFC 4180 writes them: records of fields, a field in double
// quotes when it holds a comma, a quote (written twice) or a line break.
#pragma once

#include <string>
#include <vector>

// One record and the line of the text it starts on (from 1).
struct CsvRecord {
    int line = 0;
    std::vector<std::wstring> fields;
};

// Where and why a text is not CSV.
struct CsvError {
    int line = 0;
    std::wstring reason;
};

// Reads the records of text. Records end at CRLF, LF or CR (the last one may not end at
// all); a line break inside quotes belongs to the field, exactly as written. An empty line
// is no record. False, with the line and the reason, for a quote that is never closed, a
// character after a closing quote, or a quote inside a field that does not start with one.
bool ReadCsv(const std::wstring& text, std::vector<CsvRecord>& records, CsvError& error);

// Writes the records, each ended by CRLF, quoting only the fields that need it.
std::wstring WriteCsv(const std::vector<std::vector<std::wstring>>& records);
