// The animated picture of the showcase, drawn into the window's back buffer each frame.
#pragma once

#include <tsumiki.h>

#include <string>
#include <vector>

class Scene {
public:
    // Makes the pictures the scene draws and loads them; called once the window exists.
    void Prepare(HWND window);
    // Draws frame number `tick` on a surface of the given size.
    void Draw(CGraphics& graphics, int width, int height, unsigned tick);

    // A picture made at start: a whole file, or one cell of the sprite sheet (`part`).
    struct Picture {
        std::wstring name;
        std::wstring format;
        CImage image;
        Gdiplus::Rect part;
    };
    // The pictures made at start, for the library panel's catalogue.
    std::vector<Picture> Pictures() const;

private:
    void DrawGround(CGraphics& graphics, int width, int height, unsigned tick);
    void DrawSpriteRing(CGraphics& graphics, float centreX, float centreY, unsigned tick);
    void DrawWaves(CGraphics& graphics, int width, float baseY, unsigned tick);

    // One image per sprite of the ring: each fades on its own, and copies would share
    // their opacity, so each is loaded separately.
    std::vector<CImage> m_Ring;
    CImage m_Sheet;
    CImage m_Tower;
};
