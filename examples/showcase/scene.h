// The animated picture of the showcase, drawn into the window's back buffer each frame.
#pragma once

#include <tsumiki.h>

#include <string>
#include <vector>

// What the choices panel sets for the ring of sprites; read by every frame.
struct SpriteChoices {
    // Cell drawn still in the middle of the ring; -1 for none.
    int lead = -1;
    // Cell every ring sprite shows; -1 lets each show its own.
    int ringCell = -1;
    // 0xRRGGBB the sprites are recoloured to; 0 keeps their own colours.
    unsigned tint = 0;
    // Opacity of the sprites in percent.
    int opacity = 100;
    // Sprites in the ring, 1 to Scene::kMaxSprites.
    int count = 8;
};

class Scene {
public:
    static constexpr int kMaxSprites = 12;

    SpriteChoices& Choices() { return m_Choices; }
    // Makes the pictures the scene draws and loads them; called once the window exists.
    void Prepare(HWND window);
    // Draws frame number `tick` on a surface of the given size.
    void Draw(CGraphics& graphics, int width, int height, unsigned tick);
    // The title's font (null keeps it), size in points (0 keeps it) and ARGB colour (0 keeps it).
    void StyleTitle(const wchar_t* font, float size, unsigned long colour);
    // Shows the picture in the file in a frame of the scene; false if it does not load.
    bool ShowPicture(const wchar_t* path);

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
    // A row of small tiles under the title, each showing a drawing operation and its name.
    void DrawShelf(CGraphics& graphics, float left, float top, unsigned tick);

    // One image per sprite of the ring: each fades on its own, and copies would share
    // their opacity, so each is loaded separately.
    std::vector<CImage> m_Ring;
    CImage m_Lead;
    SpriteChoices m_Choices;
    CImage m_Sheet;
    CImage m_Tower;
    CImage m_Picture;
    std::wstring m_TitleFont = L"Arial";
    float m_TitleSize = 26;
    // Text sizes are points, which the buffer turns into pixels at the screen's DPI, while
    // the scene is laid out in buffer pixels: sizes are divided by the DPI's scale so that
    // text keeps its place in the layout on a high-DPI screen.
    float m_TextScale = 1;
    float Pt(float points) const { return points * m_TextScale; }
    unsigned long m_TitleColour = 0xFFFFFFFF;
};
