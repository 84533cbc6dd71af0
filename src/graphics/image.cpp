#include "text/library_text.h"
#include "graphics/memory_stream.h"
#include "graphics/picture.h"
#include "platform/gdiplus_startup.h"
#include "text/library_message.h"

#include <climits>
#include <cwchar>
#include <memory>
#include <new>

namespace tsumiki {

using namespace Gdiplus;

CImage::Picture::~Picture()
{
    if (attributes) {
        DllExports::GdipDisposeImageAttributes(attributes);
    }
    if (image) {
        DllExports::GdipDisposeImage(image);
    }
    if (stream) {
        stream->Release();
    }
}

const detail::PremultipliedPixels* CImage::Picture::FastPixels()
{
    if (!fastPixelsCurrent && !fastPixelsRefused) {
        fastPixelsRefused = !fastPixels.Build(image, keyed, key);
        fastPixelsCurrent = !fastPixelsRefused;
    }
    return fastPixelsCurrent ? &fastPixels : nullptr;
}

bool CImage::Picture::TooLargeToDraw() const
{
    return static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) >
           detail::PremultipliedPixels::kMaxPixels;
}

namespace {

const wchar_t* MimeTypeOf(EImageType type)
{
    static const wchar_t* const mimeTypes[] = {L"image/bmp", L"image/jpeg", L"image/gif",
                                               L"image/png", L"image/tiff"};
    // Compared as unsigned, so that negative values are outside the table too.
    auto index = static_cast<unsigned>(type);
    return index < sizeof(mimeTypes) / sizeof(mimeTypes[0]) ? mimeTypes[index] : nullptr;
}

// The picture in the stream, which it takes over; null when the stream is null or holds
// no picture of at least one pixel. New attributes: the opacity and colour key of an
// earlier picture do not carry over.
std::shared_ptr<CImage::Picture> Decode(IStream* stream)
{
    auto picture = std::make_shared<CImage::Picture>();
    picture->stream = stream;
    if (!picture->stream || !picture->gdiplus->running) {
        return nullptr;
    }
    if (DllExports::GdipLoadImageFromStream(picture->stream, &picture->image) != Ok) {
        picture->image = nullptr;
        return nullptr;
    }
    UINT width = 0;
    UINT height = 0;
    DllExports::GdipGetImageWidth(picture->image, &width);
    DllExports::GdipGetImageHeight(picture->image, &height);
    if (width == 0 || height == 0 || width > INT_MAX || height > INT_MAX) {
        return nullptr;
    }
    picture->width = static_cast<int>(width);
    picture->height = static_cast<int>(height);
    if (DllExports::GdipCreateImageAttributes(&picture->attributes) != Ok) {
        picture->attributes = nullptr;
    }
    return picture;
}

}  // namespace

CImage::CImage() = default;

CImage::CImage(const wchar_t* path)
{
    CImage::Load(path);
}

CImage::CImage(const CImage& other) = default;

CImage& CImage::operator=(const CImage& other) = default;

CImage::~CImage() = default;

bool CImage::Load(const wchar_t* path)
{
    Release();
    if (!path || GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        detail::ShowLibraryMessage(detail::LibraryTextNaming(detail::Text::PictureMissing, path).c_str(),
                                   detail::LibraryText(detail::Text::PictureMissingCaption));
        return false;
    }
    m_Picture = Decode(ReadFileIntoStream(path));
    return m_Picture != nullptr;
}

bool CImage::LoadFromMemory(const void* bytes, std::size_t size)
{
    Release();
    m_Picture = Decode(CopyIntoStream(bytes, size));
    return m_Picture != nullptr;
}

void CImage::Release()
{
    m_Picture.reset();
}

void CImage::Save(const wchar_t* path, EImageType type, EncoderParameters* parameters)
{
    const wchar_t* mimeType = MimeTypeOf(type);
    CLSID encoder;
    if (!m_Picture || !path || !mimeType || !FindImageEncoder(mimeType, &encoder)) {
        return;
    }
    DllExports::GdipSaveImageToFile(m_Picture->image, path, &encoder, parameters);
}

bool FindImageEncoder(const wchar_t* mimeType, CLSID* clsid)
{
    // GDI+ must be running to list its encoders; a program may ask before it drew anything.
    std::shared_ptr<CGdiplus::Startup> gdiplus = CGdiplus::Startup::Shared();
    if (!mimeType || !clsid || !gdiplus->running) {
        return false;
    }
    UINT count = 0;
    UINT byteSize = 0;
    if (DllExports::GdipGetImageEncodersSize(&count, &byteSize) != Ok || byteSize == 0) {
        return false;
    }
    // The records are followed by the strings they point to, hence a buffer of bytes.
    std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[byteSize]);
    if (!buffer) {
        return false;
    }
    auto* encoders = reinterpret_cast<ImageCodecInfo*>(buffer.get());
    if (DllExports::GdipGetImageEncoders(count, byteSize, encoders) != Ok) {
        return false;
    }
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType && wcscmp(encoders[i].MimeType, mimeType) == 0) {
            *clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

void CImage::AlphaBlending(unsigned char alpha)
{
    if (!m_Picture || !m_Picture->attributes) {
        return;
    }
    m_Picture->opacitySet = true;
    m_Picture->opacity = alpha;
    ColorMatrix matrix = {};
    for (int i = 0; i < 5; ++i) {
        matrix.m[i][i] = 1.0f;
    }
    matrix.m[3][3] = static_cast<REAL>(alpha / 255.0);
    // Replaces the previous matrix: opacities do not multiply.
    DllExports::GdipSetImageAttributesColorMatrix(m_Picture->attributes, ColorAdjustTypeDefault, TRUE,
                                                  &matrix, nullptr, ColorMatrixFlagsDefault);
}

void CImage::ColorKey(unsigned long argb)
{
    if (!m_Picture || !m_Picture->attributes) {
        return;
    }
    m_Picture->keyed = true;
    m_Picture->key = static_cast<ARGB>(argb);
    m_Picture->fastPixelsCurrent = false;
    DllExports::GdipSetImageAttributesColorKeys(m_Picture->attributes, ColorAdjustTypeDefault, FALSE, 0, 0);
    DllExports::GdipSetImageAttributesColorKeys(m_Picture->attributes, ColorAdjustTypeDefault, TRUE,
                                                static_cast<ARGB>(argb), static_cast<ARGB>(argb));
}

int CImage::GetWidth() const
{
    UINT width = 0;
    if (m_Picture) {
        DllExports::GdipGetImageWidth(m_Picture->image, &width);
    }
    return static_cast<int>(width);
}

int CImage::GetHeight() const
{
    UINT height = 0;
    if (m_Picture) {
        DllExports::GdipGetImageHeight(m_Picture->image, &height);
    }
    return static_cast<int>(height);
}

void CImage::SetPos(float x, float y)
{
    m_PosX = x;
    m_PosY = y;
}

PointF CImage::GetPos() const
{
    return PointF(m_PosX, m_PosY);
}

float CImage::GetX() const
{
    return m_PosX;
}

float CImage::GetY() const
{
    return m_PosY;
}

void CImage::SetRotate(float degrees)
{
    m_Rotate = degrees;
}

float CImage::GetRotate() const
{
    return m_Rotate;
}

GpImage* CImage::GetPtr() const
{
    if (!m_Picture) {
        return nullptr;
    }
    // The caller may change the pixels or the frame through it: the fast path's copy is
    // made again at its next draw.
    m_Picture->fastPixelsCurrent = false;
    m_Picture->fastPixelsRefused = false;
    return m_Picture->image;
}

GpImageAttributes* CImage::GetAttributes() const
{
    if (!m_Picture) {
        return nullptr;
    }
    m_Picture->attributesHandedOut = true;
    return m_Picture->attributes;
}

}  // namespace tsumiki
