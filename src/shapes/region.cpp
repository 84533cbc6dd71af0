#include "tsumiki/shapes.h"

#include "shapes/bitmap_file.h"
#include "shapes/black_region.h"

namespace tsumiki {

// The one owner of a region handle, shared by the copies of a CRegion. A window that
// accepts the region takes it over, and the owner then holds none.
struct CRegion::Shared {
    explicit Shared(HRGN handle) : region(handle) {}
    ~Shared()
    {
        if (region) {
            DeleteObject(region);
        }
    }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    HRGN region;
};

CRegion::CRegion() = default;

CRegion::CRegion(const CRegion& other) = default;

CRegion& CRegion::operator=(const CRegion& other) = default;

CRegion::~CRegion() = default;

bool CRegion::CreateRegionFromBMP(HWND window, const wchar_t* path)
{
    HBITMAP bitmap = detail::LoadBitmapFile(path);
    if (!bitmap) {
        return false;
    }
    bool built = CreateRegionFromHBITMAP(window, bitmap);
    DeleteObject(bitmap);
    return built;
}

bool CRegion::CreateRegionFromHBITMAP(HWND window, HBITMAP bitmap)
{
    // A window that is gone reads the colours through the screen instead.
    HWND source = window && IsWindow(window) ? window : nullptr;
    HDC dc = GetDC(source);
    HRGN region = detail::BuildBlackRegion(dc, bitmap);
    ReleaseDC(source, dc);
    if (!region) {
        return false;
    }
    // The earlier region goes with its owner, unless a copy still shares it.
    m_hRgn = std::make_shared<Shared>(region);
    return true;
}

bool CRegion::SetRegion(HWND window)
{
    if (!SetWindowRgn(window, GetRegion(), TRUE)) {
        return false;
    }
    if (m_hRgn) {
        // The window owns the region from here on and deletes it itself.
        m_hRgn->region = nullptr;
    }
    return true;
}

HRGN CRegion::GetRegion() const
{
    return m_hRgn ? m_hRgn->region : nullptr;
}

}  // namespace tsumiki
