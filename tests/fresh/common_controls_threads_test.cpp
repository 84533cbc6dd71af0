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
std::atomic<int> g_Registered[32];

BOOL WINAPI CountingInit(const INITCOMMONCONTROLSEX* init)
{
    for (int bit = 0; bit < 32; ++bit) {
        if (init->dwICC & (1u << bit)) {
            ++g_Registered[bit];
        }
    }
    Sleep(50);  // a registration not guarded against the other thread now happens twice
    return g_Original(init);
}

// Makes the four controls on a frame of the calling thread; true when every one works.
bool MakeControls(std::atomic<int>& ready)
{
    TestFrame frame;
    ready.fetch_add(1);
    while (ready.load() < 2) {
        std::this_thread::yield();
    }
    CEdit buddy;
    CUpDown arrows;
    CListView list;
    CTab tabs;
    CTreeView tree;
    bool made = frame.Create(400, 300) && buddy.Create(frame.GetWndHandle(), 0, 0, 60, 24, L"") &&
                arrows.CreateUpDown(frame.GetWndHandle(), buddy.GetWndHandle(), 0, 0, 0, 0, 0, 9, 4) &&
                list.Create(frame.GetWndHandle(), 0, 30, 150, 100) &&
                tabs.Create(frame.GetWndHandle(), L"one", 160, 0, 150, 30) &&
                tree.Create(frame.GetWndHandle(), L"root", 160, 40, 150, 100);
    if (!made) {
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
    std::atomic<int> ready{0};
    bool worked[2] = {};
    std::thread first([&] { worked[0] = MakeControls(ready); });
    std::thread second([&] { worked[1] = MakeControls(ready); });
    first.join();
    second.join();
    EXPECT_TRUE(worked[0]);
    EXPECT_TRUE(worked[1]);
    for (DWORD classes : {ICC_UPDOWN_CLASS, ICC_LISTVIEW_CLASSES, ICC_TAB_CLASSES, ICC_TREEVIEW_CLASSES}) {
        int bit = 0;
        while (!(classes & (1u << bit))) {
            ++bit;
        }
        EXPECT_EQ(g_Registered[bit].load(), 1) << "classes 0x" << std::hex << classes;
    }
}

}  // namespace
