#include "text/library_text.h"

#include "tsumiki/framework.h"

#include <atomic>

namespace tsumiki {

namespace {

constexpr int kLanguageCount = 2;

// Rows in the order of detail::Text, columns in the order of ELanguage. The Japanese
// column is exactly what the library has always shown: programs compare these texts.
const wchar_t* const kTexts[][kLanguageCount] = {
    {L"ボタン通常表示画像読み込みエラー", L"The button picture \"%s\" could not be loaded."},
    {L"ボタン押下表示画像読み込みエラー", L"The pressed button picture \"%s\" could not be loaded."},
    {L"ボタンマスク画像読み込みエラー", L"The button mask \"%s\" could not be loaded."},
    {L"画像読み込みに失敗しました", L"The picture \"%s\" could not be loaded."},
    {L"GDI+画像読み込み", L"Loading a picture"},
    {L"項目名が存在しません", L"No menu item has the text \"%s\"."},
    {L"%sが開けませんでした", L"The media file \"%s\" could not be opened."},
    {L"ファイルを開く", L"Open"},
    {L"名前を付けて保存", L"Save As"},
    {L"All files(*.*)\0*.*\0", L"All files (*.*)\0*.*\0"},
};
static_assert(sizeof(kTexts) / sizeof(kTexts[0]) == static_cast<size_t>(detail::Text::Count),
              "one row for every text");

// Windows on several threads may report at once while another thread switches.
std::atomic<int> g_Language{LANGUAGE_JAPANESE};

}  // namespace

void SetLibraryLanguage(ELanguage language)
{
    const int value = static_cast<int>(language);
    if (value >= 0 && value < kLanguageCount) {
        g_Language.store(value);
    }
}

ELanguage GetLibraryLanguage()
{
    return static_cast<ELanguage>(g_Language.load());
}

namespace detail {

const wchar_t* LibraryText(Text text)
{
    return kTexts[static_cast<int>(text)][g_Language.load()];
}

std::wstring LibraryTextNaming(Text text, const wchar_t* subject)
{
    std::wstring result = LibraryText(text);
    const size_t place = result.find(L"%s");
    if (place != std::wstring::npos) {
        result.replace(place, 2, subject ? subject : L"");
    }
    return result;
}

}  // namespace detail

}  // namespace tsumiki
