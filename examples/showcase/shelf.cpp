// The scene's shelf: one small tile per drawing operation of CGraphics that the rest of the
// scene does not show, each named under its tile. Shows: FillRectangle and DrawRectangle (a
// health bar), FillEllipse and DrawEllipse with SetSmoothing, FillPolygon and DrawPolygon,
// DrawImage into a rectangle (whole, and one cell with SetImageSmoothing(false) for hard
// pixels), MeasureString and DrawString in a box with its alignments.
#include "scene.h"

#include <cmath>

using namespace Gdiplus;

namespace {

const float kTile = 50;
const float kPitch = 58;
const Color kFrame(0xFF3A4670);
const Color kLabel(0xFF8090B0);

void Label(CGraphics& graphics, float x, float top, const wchar_t* text, float size)
{
    // Wider than the tile: the longest names need it, and centred they stay clear of the
    // neighbours' names.
    graphics.DrawString(text, RectF(x - 14, top + kTile + 2, kTile + 28, 32), size, kLabel, L"Arial", ALIGN_CENTER,
                        ALIGN_NEAR);
}

}  // namespace

void Scene::DrawShelf(CGraphics& graphics, float left, float top, unsigned tick)
{
    float x = left;
    // A health bar that drains and fills again.
    float health = 0.5f + 0.45f * std::sin(tick * 0.05f);
    graphics.FillRectangle(x, top + 18, kTile, 14, Color(0xFF202840));
    graphics.FillRectangle(x, top + 18, kTile * health, 14, Color(health > 0.3f ? 0xFF5ADC78 : 0xFFFF5A5A));
    graphics.DrawRectangle(x, top + 18, kTile, 14, Color(0xFFE0E8FF), 1);
    Label(graphics, x, top, L"FillRectangle\nDrawRectangle", Pt(6));

    // Soft-edged circles: smoothing is for this tile only.
    x += kPitch;
    graphics.SetSmoothing(true);
    float pulse = 4 * std::sin(tick * 0.1f);
    graphics.FillEllipse(x + 9 - pulse / 2, top + 9 - pulse / 2, 32 + pulse, 32 + pulse, Color(0xFFFFA83A));
    graphics.DrawEllipse(x + 2, top + 2, kTile - 4, kTile - 4, Color(0xFF4DD6E0), 2);
    graphics.SetSmoothing(false);
    Label(graphics, x, top, L"FillEllipse\nDrawEllipse\nSetSmoothing", Pt(6));

    // A turning hexagon, filled, with its outline a little larger.
    x += kPitch;
    PointF inner[6];
    PointF outer[6];
    for (int i = 0; i < 6; ++i) {
        float angle = tick * 0.03f + i * 3.14159265f / 3;
        inner[i] = PointF(x + kTile / 2 + 17 * std::cos(angle), top + kTile / 2 + 17 * std::sin(angle));
        outer[i] = PointF(x + kTile / 2 + 23 * std::cos(angle), top + kTile / 2 + 23 * std::sin(angle));
    }
    graphics.FillPolygon(inner, 6, Color(0xFFA66BFF));
    graphics.DrawPolygon(outer, 6, Color(0xFFFF6BC8), 2);
    Label(graphics, x, top, L"FillPolygon\nDrawPolygon", Pt(6));

    // The whole sheet shrunk into the tile.
    x += kPitch;
    if (m_Sheet.GetPtr()) {
        graphics.DrawImage(&m_Sheet, RectF(x, top + 12, kTile, kTile / 2));
    }
    graphics.DrawRectangle(x, top + 12, kTile, kTile / 2, kFrame, 1);
    Label(graphics, x, top, L"DrawImage\n(picture, rect)", Pt(6));

    // A 16 x 16 corner of a star, enlarged three times with hard pixels.
    x += kPitch;
    if (m_Sheet.GetPtr()) {
        graphics.SetImageSmoothing(false);
        graphics.DrawImage(&m_Sheet, Size(16, 16), 1 + (tick / 40) % 2, 1, RectF(x + 1, top + 1, 48, 48));
        graphics.SetImageSmoothing(true);
    }
    graphics.DrawRectangle(x, top, kTile, kTile, kFrame, 1);
    Label(graphics, x, top, L"DrawImage\n(cell, rect)\nSetImageSmoothing", Pt(6));

    // Text centred in its box, and a frame of its measured size round it.
    x += kPitch;
    const wchar_t* word = L"centred";
    RectF box(x, top, kTile, kTile);
    SizeF size = graphics.MeasureString(word, Pt(8), L"Arial");
    graphics.DrawRectangle(box.X, box.Y, box.Width, box.Height, kFrame, 1);
    graphics.DrawRectangle(box.X + (box.Width - size.Width) / 2, box.Y + (box.Height - size.Height) / 2, size.Width,
                           size.Height, Color(0xFFFFE14D), 1);
    graphics.DrawString(word, box, Pt(8), Color(0xFFFFFFFF), L"Arial", ALIGN_CENTER, ALIGN_CENTER);
    Label(graphics, x, top, L"MeasureString\nDrawString\n(text, box)", Pt(6));
}
