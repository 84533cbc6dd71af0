// Two threads making the first common controls of the process at the same moment.
#include <gtest/gtest.h>

#include <tsumiki.h>

#include <atomic>
#include <thread>

#include "support/frame_window.h"
#include "support/import_patch.h"

namespace {

using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
InitFunction g_Original = nullptr;
const DWORD kClasses[] = {ICC_UPDOWN_CLASS, ICC_LISTVIEW_CLASSES, ICC_TAB_CLASSES, ICC_TREEVIEW_CLASSES};
std::atomic<int> g_Registered[4];

BOOL WINAPI CountingInit(const INITCOMMONCONTROLSEX* init)
{
    for (int i = 0; i < 4; ++i) {
        g_Registered[i] += (init->dwICC & kClasses[i]) != 0;
    }
    Sleep(50);  // a registration the other thread is not kept from now happens twice
    return g_Original(init);
}

// Makes the four controls on a frame of the calling thread; true when every one works.
bool MakeControls(std::atomic<int>& ready)
{
    TestFrame frame;
    CEdit buddy;
    CUpDown arrows;
    CListView list;
    CTab tabs;
    CTreeView tree;
    for (ready.fetch_add(1); ready.load() < 2;) {
        std::this_thread::yield();
    }
    HWND parent = frame.Create(400, 300) ? frame.GetWndHandle() : nullptr;
    if (!buddy.Create(parent, 0, 0, 60, 24, L"") ||
        !arrows.CreateUpDown(parent, buddy.GetWndHandle(), 0, 0, 0, 0, 0, 9, 4) ||
        !list.Create(parent, 0, 30, 150, 100) || !tabs.Create(parent, L"one", 160, 0, 150, 30) ||
        !tree.Create(parent, L"root", 160, 40, 150, 100)) {
        return false;
    }
    list.AddColumn(L"Name", 80);
    list.AddItem(L"x");
    tabs.AddItem(L"two");
    tree.AddItem(L"leaf", L"root");
    return arrows.GetPos() == 4 && list.GetItemCount() == 1 &&
           SendMessageW(tabs.GetWndHandle(), TCM_GETITEMCOUNT, 0, 0) == 2 &&
           SendMessageW(tree.GetWndHandle(), TVM_GETCOUNT, 0, 0) == 2;
}

TEST(CommonControlThreads, TwoThreadsRegisterEachClassOnceAndEveryControlWorks)
{
    g_Original = reinterpret_cast<InitFunction>(
        PatchImport("InitCommonControlsEx", reinterpret_cast<void*>(&CountingInit)));
    ASSERT_NE(g_Original, nullptr);
    // Text laid out once in the control font first: Wine's layout cache, made on first use,
    // can crash when two threads make it at once.
    TestFrame warm;
    CEdit text;
    ASSERT_TRUE(warm.Create(200, 100) && text.Create(warm.GetWndHandle(), 0, 0, 60, 24, L"4"));
    SetWindowTextW(text.GetWndHandle(), L"5");
    std::atomic<int> ready{0};
    bool worked[2] = {};
    std::thread first([&] { worked[0] = MakeControls(ready); });
    std::thread second([&] { worked[1] = MakeControls(ready); });
    first.join();
    second.join();
    EXPECT_TRUE(worked[0] && worked[1]);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(g_Registered[i].load(), 1) << "classes 0x" << std::hex << kClasses[i];
    }
}

}  // namespace
