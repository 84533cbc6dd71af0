#include "csv.h"

namespace {

bool NeedsQuotes(const std::wstring& field)
{
    return field.find_first_of(L",\"\r\n") != std::wstring::npos;
}

// Reads the text one record at a time, counting the lines it passes.
class CsvReader {
public:
    explicit CsvReader(const std::wstring& text) : m_Text(text) {}

    bool Read(std::vector<CsvRecord>& records, CsvError& error)
    {
        while (m_At < m_Text.size()) {
            if (AtLineBreak()) {
                SkipLineBreak();  // an empty line
                continue;
            }
            CsvRecord record;
            record.line = m_Line;
            if (!ReadRecord(record.fields, error)) {
                return false;
            }
            records.push_back(std::move(record));
        }
        return true;
    }

private:
    bool AtLineBreak() const { return m_Text[m_At] == L'\r' || m_Text[m_At] == L'\n'; }

    void SkipLineBreak()
    {
        if (m_Text[m_At] == L'\r' && m_At + 1 < m_Text.size() && m_Text[m_At + 1] == L'\n') {
            ++m_At;
        }
        ++m_At;
        ++m_Line;
    }

    bool Fail(CsvError& error, int line, const wchar_t* reason)
    {
        error.line = line;
        error.reason = reason;
        return false;
    }

    // From the start of a record to its line break (passed) or the end of the text.
    bool ReadRecord(std::vector<std::wstring>& fields, CsvError& error)
    {
        for (;;) {
            fields.emplace_back();
            if (!ReadField(fields.back(), error)) {
                return false;
            }
            if (m_At >= m_Text.size()) {
                return true;
            }
            if (AtLineBreak()) {
                SkipLineBreak();
                return true;
            }
            ++m_At;  // the comma
        }
    }

    // Stops at the comma or line break after the field, or at the end of the text.
    bool ReadField(std::wstring& field, CsvError& error)
    {
        if (m_At < m_Text.size() && m_Text[m_At] == L'"') {
            return ReadQuotedField(field, error);
        }
        while (m_At < m_Text.size() && m_Text[m_At] != L',' && !AtLineBreak()) {
            if (m_Text[m_At] == L'"') {
                return Fail(error, m_Line, L"a quote inside a field that does not start with one "
                                           L"(such a field is written in quotes, its quotes doubled)");
            }
            field += m_Text[m_At++];
        }
        return true;
    }

    bool ReadQuotedField(std::wstring& field, CsvError& error)
    {
        const int opened = m_Line;
        ++m_At;
        for (;;) {
            if (m_At >= m_Text.size()) {
                return Fail(error, opened, L"a quoted field that starts on this line is never closed");
            }
            const wchar_t c = m_Text[m_At++];
            if (c == L'"') {
                if (m_At < m_Text.size() && m_Text[m_At] == L'"') {
                    field += L'"';
                    ++m_At;
                    continue;
                }
                if (m_At < m_Text.size() && m_Text[m_At] != L',' && !AtLineBreak()) {
                    return Fail(error, m_Line, L"text after the closing quote of a field "
                                               L"(a quote inside a field is written twice)");
                }
                return true;
            }
            // A line break inside quotes is kept as written; only the line count moves.
            if (c == L'\n' || (c == L'\r' && (m_At >= m_Text.size() || m_Text[m_At] != L'\n'))) {
                ++m_Line;
            }
            field += c;
        }
    }

    const std::wstring& m_Text;
    size_t m_At = 0;
    int m_Line = 1;
};

}  // namespace

bool ReadCsv(const std::wstring& text, std::vector<CsvRecord>& records, CsvError& error)
{
    records.clear();
    return CsvReader(text).Read(records, error);
}

std::wstring WriteCsv(const std::vector<std::vector<std::wstring>>& records)
{
    std::wstring text;
    for (const auto& record : records) {
        for (size_t i = 0; i < record.size(); ++i) {
            if (i > 0) {
                text += L',';
            }
            if (!NeedsQuotes(record[i])) {
                text += record[i];
                continue;
            }
            text += L'"';
            for (wchar_t c : record[i]) {
                text += c;
                if (c == L'"') {
                    text += L'"';
                }
            }
            text += L'"';
        }
        text += L"\r\n";
    }
    return text;
}
