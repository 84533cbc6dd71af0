// A program with classes of its own named as the library's (as ATL, WTL and MFC have them):
// with TSUMIKI_NO_GLOBAL_NAMES the library's stay in namespace tsumiki.
#define TSUMIKI_NO_GLOBAL_NAMES

struct CButton { int own = 1; };
struct CImage { int own = 2; };
struct CMenu { int own = 3; };

#include <gtest/gtest.h>

#include <tsumiki.h>

namespace {

class Frame : public tsumiki::CWindowBase {
public:
    void OnCommand(HWND, int id, HWND, UINT) override { pushed = button.IsPush(id); }
    void OnDestroy(HWND) override {}
    tsumiki::CButton button;
    bool pushed = false;
};

TEST(NoGlobalNames, TheLibrarysClassesWorkThroughItsNamespaceBesideTheProgramsOwn)
{
    CButton ownButton;
    CImage ownImage;
    CMenu ownMenu;
    EXPECT_EQ(ownButton.own + ownImage.own + ownMenu.own, 6);

    Frame frame;
    ASSERT_TRUE(frame.CreateWnd(L"names", 200, 150, 20, 20, nullptr, nullptr, L"BASIC_WINDOW",
                                WS_OVERLAPPEDWINDOW, 0));
    HWND hwnd = frame.GetWndHandle();
    ASSERT_TRUE(frame.button.Create(hwnd, 10, 10, 80, 24, L"Go"));
    SendMessageW(frame.button.GetWndHandle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(frame.pushed);
    tsumiki::CMenu menu;
    menu.AddMenu(L"File", 1, L"Exit");
    menu.Set(hwnd);
    EXPECT_NE(GetMenu(hwnd), nullptr);
    tsumiki::CImage image;
    image.SetRotate(30.0f);
    EXPECT_EQ(image.GetRotate(), 30.0f);
    EXPECT_EQ(tsumiki::IMAGE_PNG, tsumiki::EImageType::IMAGE_PNG);
    DestroyWindow(hwnd);
}

}  // namespace
