#include "keyboard/menu_shortcut.h"

#include <cwctype>
#include <string>

namespace tsumiki {

namespace detail {

namespace {

struct KeyName {
    const wchar_t* name;
    UINT key;
    UINT alternative;
};

const KeyName kKeyNames[] = {
    {L"Enter", VK_RETURN, 0},    {L"Esc", VK_ESCAPE, 0},     {L"Space", VK_SPACE, 0},
    {L"Tab", VK_TAB, 0},         {L"Backspace", VK_BACK, 0}, {L"Del", VK_DELETE, 0},
    {L"Ins", VK_INSERT, 0},      {L"Home", VK_HOME, 0},      {L"End", VK_END, 0},
    {L"PgUp", VK_PRIOR, 0},      {L"PgDn", VK_NEXT, 0},      {L"Left", VK_LEFT, 0},
    {L"Right", VK_RIGHT, 0},     {L"Up", VK_UP, 0},          {L"Down", VK_DOWN, 0},
    {L"+", VK_OEM_PLUS, VK_ADD}, {L"-", VK_OEM_MINUS, VK_SUBTRACT},
    {L",", VK_OEM_COMMA, 0},     {L".", VK_OEM_PERIOD, 0},   {L";", VK_OEM_1, 0},
};

bool SameName(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i])) {
            return false;
        }
    }
    return true;
}

bool ParseKey(std::wstring_view name, KeyChord& chord)
{
    if (name.size() == 1 && std::iswalnum(name[0]) && name[0] < 0x80) {
        chord.key = static_cast<UINT>(std::towupper(name[0]));
        return true;
    }
    for (const KeyName& known : kKeyNames) {
        if (SameName(name, known.name)) {
            chord.key = known.key;
            chord.alternative = known.alternative;
            return true;
        }
    }
    // F1 to F24.
    if (name.size() >= 2 && name.size() <= 3 && std::towupper(name[0]) == L'F') {
        int number = 0;
        for (wchar_t digit : name.substr(1)) {
            if (digit < L'0' || digit > L'9') {
                return false;
            }
            number = number * 10 + (digit - L'0');
        }
        if (number >= 1 && number <= 24 && name[1] != L'0') {
            chord.key = VK_F1 + static_cast<UINT>(number - 1);
            return true;
        }
    }
    return false;
}

bool ParseModifier(std::wstring_view name, KeyChord& chord)
{
    bool* flag = SameName(name, L"Ctrl")    ? &chord.ctrl
                 : SameName(name, L"Shift") ? &chord.shift
                 : SameName(name, L"Alt")   ? &chord.alt
                                            : nullptr;
    if (flag) {
        *flag = true;
    }
    return flag != nullptr;
}

}  // namespace

std::wstring_view ItemLabel(std::wstring_view text)
{
    return text.substr(0, text.rfind(L'\t'));
}

bool ParseShortcut(std::wstring_view text, KeyChord& chord)
{
    std::size_t tab = text.rfind(L'\t');
    if (tab == std::wstring_view::npos) {
        return false;
    }
    std::wstring_view tail = text.substr(tab + 1);
    // The key is what follows the last '+', except in "Ctrl++" where it is the '+' itself.
    std::size_t split = tail.rfind(L'+');
    if (split != std::wstring_view::npos && split + 1 == tail.size() &&
        (split == 0 || tail[split - 1] == L'+')) {
        split = split == 0 ? std::wstring_view::npos : split - 1;
    }
    KeyChord parsed;
    std::wstring_view key = split == std::wstring_view::npos ? tail : tail.substr(split + 1);
    if (!ParseKey(key, parsed)) {
        return false;
    }
    std::wstring_view modifiers = split == std::wstring_view::npos ? std::wstring_view()
                                                                   : tail.substr(0, split + 1);
    while (!modifiers.empty()) {
        std::size_t plus = modifiers.find(L'+');
        if (plus == std::wstring_view::npos || !ParseModifier(modifiers.substr(0, plus), parsed)) {
            return false;
        }
        modifiers.remove_prefix(plus + 1);
    }
    chord = parsed;
    return true;
}

}  // namespace detail

}  // namespace tsumiki
