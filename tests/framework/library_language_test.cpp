#include <gtest/gtest.h>

#include <tsumiki.h>

#include <functional>
#include <string>

namespace {

// Every message one cause sends, each as "[caption]text", joined by "|".
void Collect(const wchar_t* text, const wchar_t* caption, void* log)
{
    auto& joined = *static_cast<std::wstring*>(log);
    joined += (joined.empty() ? L"[" : L"|[") + std::wstring(caption) + L"]" + text;
}

TEST(LibraryLanguage, EnglishMessagesNameWhatFailedAndJapaneseKeepsItsTexts)
{
    struct Restore {
        ~Restore()
        {
            SetLibraryMessageHandler(nullptr);
            SetLibraryLanguage(LANGUAGE_JAPANESE);
        }
    } restore;
    CMenu menu;
    menu.AddMenu(L"File", 1, L"Open");
    const struct {
        const char* name;
        std::function<void()> cause;
        const wchar_t* japanese;
        const wchar_t* english;
    } cases[] = {
        {"missing picture", [] { CImage().Load(L"C:\\no\\such\\picture.png"); },
         L"[GDI+画像読み込み]画像読み込みに失敗しました",
         L"[Loading a picture]The picture \"C:\\no\\such\\picture.png\" could not be loaded."},
        {"missing media", [] { CMCI().Open(L"C:\\no\\100%s.wav", MEDIA_WAVE); },
         L"[]C:\\no\\100%s.wavが開けませんでした",
         L"[]The media file \"C:\\no\\100%s.wav\" could not be opened."},
        {"missing button bitmaps",
         [] { CCustomButton().Create(nullptr, 0, 0, L"C:\\no\\up.bmp", L"C:\\no\\down.bmp", L"C:\\no\\mask.bmp"); },
         L"[]ボタン通常表示画像読み込みエラー|[]ボタン押下表示画像読み込みエラー|[]ボタンマスク画像読み込みエラー",
         L"[]The button picture \"C:\\no\\up.bmp\" could not be loaded.|"
         L"[]The pressed button picture \"C:\\no\\down.bmp\" could not be loaded.|"
         L"[]The button mask \"C:\\no\\mask.bmp\" could not be loaded."},
        {"unknown menu text", [&] { menu.IsSelect(L"Close", 1); }, L"[]項目名が存在しません",
         L"[]No menu item has the text \"Close\"."},
    };
    std::wstring log;
    SetLibraryMessageHandler(Collect, &log);
    for (ELanguage language : {LANGUAGE_ENGLISH, LANGUAGE_JAPANESE, LANGUAGE_ENGLISH}) {
        SetLibraryLanguage(language);
        // Values outside the enumeration change nothing.
        SetLibraryLanguage(static_cast<ELanguage>(2));
        SetLibraryLanguage(static_cast<ELanguage>(-1));
        ASSERT_EQ(GetLibraryLanguage(), language);
        for (const auto& c : cases) {
            log.clear();
            c.cause();
            EXPECT_EQ(log, language == LANGUAGE_ENGLISH ? c.english : c.japanese) << c.name;
        }
    }
}

}  // namespace
