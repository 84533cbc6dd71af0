#include "screen_picture.h"

#include <cstring>
#include <vector>

bool PictureOf(HDC source, int x, int y, int width, int height, CImage& picture)
{
    if (!source || width <= 0 || height <= 0) {
        return false;
    }
    // Bottom up, as a BMP file's rows run, so that the section's pixels are the file's.
    BITMAPINFOHEADER info = {sizeof(info), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + width * height * 4;
    std::vector<unsigned char> bytes(file.bfSize);
    memcpy(bytes.data(), &file, sizeof(file));
    memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    void* pixels = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels,
                                    nullptr, 0);
    if (!copy) {
        return false;
    }
    HDC target = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(target, copy);
    BitBlt(target, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    memcpy(bytes.data() + file.bfOffBits, pixels, width * height * 4);
    SelectObject(target, old);
    DeleteDC(target);
    DeleteObject(copy);
    return picture.LoadFromMemory(bytes.data(), bytes.size());
}

bool SaveWindowShot(HWND window, const wchar_t* path)
{
    RECT place = {};
    if (!GetWindowRect(window, &place)) {
        return false;
    }
    HDC screen = GetDC(nullptr);
    CImage picture;
    const bool taken =
        PictureOf(screen, place.left, place.top, place.right - place.left, place.bottom - place.top, picture);
    ReleaseDC(nullptr, screen);
    if (!taken) {
        return false;
    }
    picture.Save(path, IMAGE_PNG);
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}
