// Pictures are decoded from a copy of their file in memory: a decoder that holds its
// stream then holds no file, so the file can be replaced or deleted while the picture
// lives. The stream is our own because the platform's memory stream was seen to read
// past its end after a seek beyond it (a damaged TIFF directory offset does that).
#include "graphics/memory_stream.h"

#include <climits>
#include <cstring>
#include <memory>
#include <new>

namespace tsumiki {

namespace {

class MemoryStream : public IStream {
public:
    MemoryStream(std::shared_ptr<unsigned char[]> bytes, ULONGLONG size, ULONGLONG position)
        : m_Bytes(std::move(bytes)), m_Size(size), m_Position(position)
    {
    }
    virtual ~MemoryStream() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(ISequentialStream)) ||
            IsEqualIID(iid, __uuidof(IStream))) {
            *object = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_References)); }

    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&m_References);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* read) override
    {
        if (!buffer) {
            return STG_E_INVALIDPOINTER;
        }
        // A position past the end reads nothing.
        ULONGLONG available = m_Position < m_Size ? m_Size - m_Position : 0;
        ULONG copied = available < count ? static_cast<ULONG>(available) : count;
        if (copied > 0) {
            std::memcpy(buffer, m_Bytes.get() + m_Position, copied);
            m_Position += copied;
        }
        if (read) {
            *read = copied;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override
    {
        LONGLONG base = 0;
        switch (origin) {
        case STREAM_SEEK_SET: base = 0; break;
        case STREAM_SEEK_CUR: base = static_cast<LONGLONG>(m_Position); break;
        case STREAM_SEEK_END: base = static_cast<LONGLONG>(m_Size); break;
        default: return STG_E_INVALIDFUNCTION;
        }
        // Both are far below the limits of a LONGLONG unless the move is absurd.
        if ((move.QuadPart > 0 && base > LLONG_MAX - move.QuadPart) || base + move.QuadPart < 0) {
            return STG_E_INVALIDFUNCTION;
        }
        m_Position = static_cast<ULONGLONG>(base + move.QuadPart);
        if (newPosition) {
            newPosition->QuadPart = m_Position;
        }
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override
    {
        if (!stat) {
            return STG_E_INVALIDPOINTER;
        }
        *stat = STATSTG();
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = m_Size;
        stat->grfMode = STGM_READ;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Clone(IStream** copy) override
    {
        if (!copy) {
            return STG_E_INVALIDPOINTER;
        }
        *copy = new (std::nothrow) MemoryStream(m_Bytes, m_Size, m_Position);
        return *copy ? S_OK : E_OUTOFMEMORY;
    }

    // The stream is read-only.
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG* written) override
    {
        if (written) {
            *written = 0;
        }
        return STG_E_ACCESSDENIED;
    }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return STG_E_INVALIDFUNCTION;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override
    {
        return STG_E_INVALIDFUNCTION;
    }

private:
    // Shared with clones, which read the same bytes from their own position.
    std::shared_ptr<unsigned char[]> m_Bytes;
    ULONGLONG m_Size;
    ULONGLONG m_Position;
    LONG m_References = 1;
};

}  // namespace

IStream* ReadFileIntoStream(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    IStream* stream = nullptr;
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= INT_MAX) {
        auto byteCount = static_cast<DWORD>(size.QuadPart);
        std::shared_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[byteCount]);
        DWORD read = 0;
        if (bytes && ReadFile(file, bytes.get(), byteCount, &read, nullptr) && read == byteCount) {
            stream = new (std::nothrow) MemoryStream(std::move(bytes), byteCount, 0);
        }
    }
    CloseHandle(file);
    return stream;
}

IStream* CopyIntoStream(const void* bytes, std::size_t size)
{
    if (!bytes || size == 0) {
        return nullptr;
    }
    std::shared_ptr<unsigned char[]> copy(new (std::nothrow) unsigned char[size]);
    if (!copy) {
        return nullptr;
    }
    std::memcpy(copy.get(), bytes, size);
    return new (std::nothrow) MemoryStream(std::move(copy), size, 0);
}

}  // namespace tsumiki
