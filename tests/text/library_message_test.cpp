#include <gtest/gtest.h>

#include <tsumiki.h>

#include <functional>
#include <string>
#include <vector>

#include "support/message_box_catcher.h"

namespace {

struct Received {
    std::wstring text;
    std::wstring caption;
};

void Record(const wchar_t* text, const wchar_t* caption, void* log)
{
    static_cast<std::vector<Received>*>(log)->push_back({text, caption});
}

TEST(LibraryMessages, ARoutedMessageReachesTheClientInsteadOfABoxAndNullBringsTheBoxBack)
{
    CMenu menu;
    menu.AddMenu(L"File", 1, L"Open");
    struct Trigger {
        const char* name;
        std::function<void()> cause;
        const wchar_t* text;
        const wchar_t* caption;
    };
    const Trigger triggers[] = {
        {"missing picture", [] { CImage().Load(L"C:\\no\\such\\picture.png"); },
         L"画像読み込みに失敗しました", L"GDI+画像読み込み"},
        {"null picture path", [] { CImage().Load(nullptr); },
         L"画像読み込みに失敗しました", L"GDI+画像読み込み"},
        {"unknown menu text", [&] { menu.GetID(L"Close"); }, L"項目名が存在しません", L""},
        {"unknown menu selection", [&] { menu.IsSelect(nullptr, 1); }, L"項目名が存在しません", L""},
    };

    MessageBoxCatcher boxes;
    std::vector<Received> log;
    // A failed assertion must not leave the process routing to a dead log.
    struct Restore {
        ~Restore() { SetLibraryMessageHandler(nullptr); }
    } restore;
    SetLibraryMessageHandler(Record, &log);
    for (const Trigger& trigger : triggers) {
        log.clear();
        trigger.cause();
        ASSERT_EQ(log.size(), 1u) << trigger.name;
        EXPECT_EQ(log[0].text, trigger.text) << trigger.name;
        EXPECT_EQ(log[0].caption, trigger.caption) << trigger.name;
    }
    EXPECT_EQ(boxes.Count(), 0u);

    // Null restores the box, for every trigger, and the old handler hears nothing more.
    SetLibraryMessageHandler(nullptr, &log);
    log.clear();
    for (const Trigger& trigger : triggers) {
        trigger.cause();
    }
    EXPECT_TRUE(log.empty());
    ASSERT_EQ(boxes.Count(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(boxes.Boxes()[i].text, triggers[i].text) << triggers[i].name;
    }
}

// Every message of one cause as "[caption]text", joined by "|".
void Collect(const wchar_t* text, const wchar_t* caption, void* log)
{
    auto& joined = *static_cast<std::wstring*>(log);
    joined += (joined.empty() ? L"[" : L"|[") + std::wstring(caption) + L"]" + text;
}

TEST(LibraryLanguage, EnglishMessagesNameWhatFailedAndJapaneseKeepsItsTexts)
{
    struct Restore {
        ~Restore() { SetLibraryMessageHandler(nullptr); SetLibraryLanguage(LANGUAGE_JAPANESE); }
    } restore;
    CMenu menu;
    menu.AddMenu(L"File", 1, L"Open");
    const struct {
        std::function<void()> cause;
        const wchar_t* japanese;
        const wchar_t* english;
    } cases[] = {
        {[] { CImage().Load(L"C:\\no\\such.png"); }, L"[GDI+画像読み込み]画像読み込みに失敗しました",
         L"[Loading a picture]The picture \"C:\\no\\such.png\" could not be loaded."},
        {[] { CMCI().Open(L"C:\\no\\100%s.wav", MEDIA_WAVE); }, L"[]C:\\no\\100%s.wavが開けませんでした",
         L"[]The media file \"C:\\no\\100%s.wav\" could not be opened."},
        {[] { CCustomButton().Create(nullptr, 0, 0, L"C:\\no\\up.bmp", L"C:\\no\\down.bmp", L"C:\\m.bmp"); },
         L"[]ボタン通常表示画像読み込みエラー|[]ボタン押下表示画像読み込みエラー|"
         L"[]ボタンマスク画像読み込みエラー",
         L"[]The button picture \"C:\\no\\up.bmp\" could not be loaded.|[]The pressed button picture "
         L"\"C:\\no\\down.bmp\" could not be loaded.|[]The button mask \"C:\\m.bmp\" could not be loaded."},
        {[&] { menu.IsSelect(L"Close", 1); }, L"[]項目名が存在しません",
         L"[]No menu item has the text \"Close\"."},
    };
    std::wstring log;
    SetLibraryMessageHandler(Collect, &log);
    for (ELanguage language : {LANGUAGE_ENGLISH, LANGUAGE_JAPANESE, LANGUAGE_ENGLISH}) {
        SetLibraryLanguage(language);
        SetLibraryLanguage(static_cast<ELanguage>(2));  // outside the enumeration: no change
        SetLibraryLanguage(static_cast<ELanguage>(-1));
        ASSERT_EQ(GetLibraryLanguage(), language);
        for (const auto& c : cases) {
            log.clear();
            c.cause();
            EXPECT_EQ(log, language == LANGUAGE_ENGLISH ? c.english : c.japanese);
        }
    }
}

}  // namespace
