#include "utf8.h"

#include <windows.h>

namespace {

const char kMark[] = "\xEF\xBB\xBF";

// How many bytes the valid sequence at `at` takes; 0 when it is not valid UTF-8.
size_t SequenceLength(const std::string& bytes, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead >= 0x01 && lead <= 0x7F) {
        return 1;
    }
    size_t length = 0;
    unsigned long value = 0, least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, least = 0x10000;
    } else {
        return 0;  // NUL, a continuation byte, or a lead no valid character has
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < least || surrogate || value > 0x10FFFF ? 0 : length;
}

int LineOf(const std::string& bytes, size_t at)
{
    int line = 1;
    for (size_t i = 0; i < at; ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

}  // namespace

bool DecodeUtf8(const std::string& bytes, std::wstring& text, int& badLine)
{
    const size_t start = bytes.compare(0, 3, kMark) == 0 ? 3 : 0;
    for (size_t at = start; at < bytes.size();) {
        const size_t length = SequenceLength(bytes, at);
        if (length == 0) {
            badLine = LineOf(bytes, at);
            return false;
        }
        at += length;
    }
    text.clear();
    if (bytes.size() > start) {
        const int size = static_cast<int>(bytes.size() - start);
        text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data() + start, size, nullptr, 0)));
        MultiByteToWideChar(CP_UTF8, 0, bytes.data() + start, size, &text[0], static_cast<int>(text.size()));
    }
    return true;
}

std::string EncodeUtf8WithMark(const std::wstring& text)
{
    std::string bytes(kMark);
    if (!text.empty()) {
        const int size = static_cast<int>(text.size());
        const int needed = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), size, nullptr, 0, nullptr, nullptr);
        bytes.resize(3 + static_cast<size_t>(needed));
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), size, &bytes[3], needed, nullptr, nullptr);
    }
    return bytes;
}
