#include "tsumiki/common_controls.h"

#include "commctrl/common_controls_init.h"

namespace tsumiki {

bool CImageList::m_bOnce = false;

// One platform image list. Copies of a CImageList share it through a shared_ptr, so it is
// destroyed exactly once, by whichever holder lets go last.
struct CImageList::List {
    explicit List(HIMAGELIST list) : handle(list) {}
    ~List() { ImageList_Destroy(handle); }
    List(const List&) = delete;
    List& operator=(const List&) = delete;

    HIMAGELIST handle;
};

CImageList::CImageList() : m_X(0), m_Y(0) {}

CImageList::CImageList(const CImageList& other) = default;

CImageList& CImageList::operator=(const CImageList& other) = default;

CImageList::~CImageList() = default;

bool CImageList::Create(int initialCount, int width, int height, EImageColor color, bool mask)
{
    detail::InitCommonControlsOnce(m_bOnce, 0);
    // Let go first, so a list only this object holds is gone before the new one is made.
    m_ImageList.reset();
    UINT flags = static_cast<UINT>(color) | (mask ? ILC_MASK : 0);
    HIMAGELIST list = ImageList_Create(width, height, flags, initialCount, 1);
    if (!list) {
        return false;
    }
    m_ImageList = std::make_shared<List>(list);
    return true;
}

void CImageList::AddIcon(HICON icon)
{
    if (m_ImageList) {
        ImageList_ReplaceIcon(m_ImageList->handle, -1, icon);
    }
}

void CImageList::SetPos(int x, int y)
{
    m_X = x;
    m_Y = y;
}

void CImageList::Draw(HDC dc, int index)
{
    if (m_ImageList) {
        ImageList_Draw(m_ImageList->handle, index, dc, m_X, m_Y, ILD_NORMAL);
    }
}

HIMAGELIST CImageList::GetHandle() const
{
    return m_ImageList ? m_ImageList->handle : nullptr;
}

}  // namespace tsumiki
