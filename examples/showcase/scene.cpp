// The showcase's scene. Shows: CImage loading pictures (a PNG sprite sheet with alpha and a
// BMP with a magenta background, both drawn at start-up with GDI+ and saved to the temp
// folder), sprite-sheet cells rotating and fading (DrawImage with a cell, SetRotate,
// AlphaBlending), a colour-keyed sprite (ColorKey), text (DrawString, Japanese included),
// lines (DrawLine) and curves (DrawCurve); shapes, scaled pictures, smoothing and measured
// text on a shelf of tiles (shelf.cpp).
#include "scene.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace Gdiplus;

namespace {

const int kCell = 64;
const int kColumns = 4;
const int kRows = 2;
const float kPi = 3.14159265f;

std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"tsumiki-showcase-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
}

bool SaveAs(GpBitmap* bitmap, const std::wstring& path, const wchar_t* mimeType)
{
    CLSID encoder;
    return FindImageEncoder(mimeType, &encoder) &&
           DllExports::GdipSaveImageToFile(bitmap, path.c_str(), &encoder, nullptr) == Ok;
}

void FillStar(GpGraphics* drawer, float cx, float cy, int points, float outer, float inner, ARGB fill, ARGB edge)
{
    std::vector<PointF> corners;
    for (int i = 0; i < points * 2; ++i) {
        float angle = kPi * i / points - kPi / 2;
        float radius = i % 2 == 0 ? outer : inner;
        corners.emplace_back(cx + radius * std::cos(angle), cy + radius * std::sin(angle));
    }
    GpSolidFill* brush = nullptr;
    DllExports::GdipCreateSolidFill(fill, &brush);
    DllExports::GdipFillPolygon(drawer, brush, corners.data(), static_cast<INT>(corners.size()), FillModeAlternate);
    DllExports::GdipDeleteBrush(brush);
    GpPen* pen = nullptr;
    DllExports::GdipCreatePen1(edge, 2, UnitWorld, &pen);
    DllExports::GdipDrawPolygon(drawer, pen, corners.data(), static_cast<INT>(corners.size()));
    DllExports::GdipDeletePen(pen);
}

void FillCircle(GpGraphics* drawer, float cx, float cy, float radius, ARGB colour)
{
    GpSolidFill* brush = nullptr;
    DllExports::GdipCreateSolidFill(colour, &brush);
    DllExports::GdipFillEllipse(drawer, brush, cx - radius, cy - radius, radius * 2, radius * 2);
    DllExports::GdipDeleteBrush(brush);
}

// Eight glowing stars on a transparent background, one per 64 x 64 cell, saved as PNG.
bool MakeSpriteSheet(const std::wstring& path)
{
    const ARGB colours[] = {0xFFFF5A5A, 0xFFFFA83A, 0xFFFFE14D, 0xFF7BE35A,
                            0xFF4DD6E0, 0xFF5A8CFF, 0xFFA66BFF, 0xFFFF6BC8};
    GpBitmap* sheet = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(kCell * kColumns, kCell * kRows, 0, PixelFormat32bppARGB, nullptr,
                                              &sheet) != Ok) {
        return false;
    }
    GpGraphics* drawer = nullptr;
    DllExports::GdipGetImageGraphicsContext(sheet, &drawer);
    DllExports::GdipSetSmoothingMode(drawer, SmoothingModeAntiAlias);
    for (int cell = 0; cell < kColumns * kRows; ++cell) {
        float cx = (cell % kColumns) * kCell + kCell / 2.0f;
        float cy = (cell / kColumns) * kCell + kCell / 2.0f;
        ARGB colour = colours[cell];
        // A soft halo, then the star, then a highlight.
        for (int ring = 4; ring > 0; --ring) {
            FillCircle(drawer, cx, cy, 18.0f + ring * 3.0f, (static_cast<ARGB>(10 * ring) << 24) | (colour & 0xFFFFFF));
        }
        FillStar(drawer, cx, cy, 4 + cell % 4, 26, 12, colour, 0xFFFFFFFF);
        FillCircle(drawer, cx - 5, cy - 6, 4, 0xC0FFFFFF);
    }
    DllExports::GdipDeleteGraphics(drawer);
    bool saved = SaveAs(sheet, path, L"image/png");
    DllExports::GdipDisposeImage(sheet);
    return saved;
}

// A tower of toy blocks on magenta, which the colour key takes out; saved as BMP. Drawn
// without anti-aliasing, so that no edge pixel is a blend of magenta.
bool MakeTower(const std::wstring& path)
{
    GpBitmap* tower = nullptr;
    if (DllExports::GdipCreateBitmapFromScan0(96, 112, 0, PixelFormat24bppRGB, nullptr, &tower) != Ok) {
        return false;
    }
    GpGraphics* drawer = nullptr;
    DllExports::GdipGetImageGraphicsContext(tower, &drawer);
    DllExports::GdipGraphicsClear(drawer, 0xFFFF00FF);
    struct Block { int x, y, w, h; ARGB colour; };
    const Block blocks[] = {{4, 80, 40, 28, 0xFFE8463C}, {52, 80, 40, 28, 0xFF3C8CE8},
                            {16, 52, 64, 28, 0xFFF0C020}, {28, 24, 40, 28, 0xFF40B060}};
    for (const Block& block : blocks) {
        GpSolidFill* brush = nullptr;
        DllExports::GdipCreateSolidFill(block.colour, &brush);
        DllExports::GdipFillRectangleI(drawer, brush, block.x, block.y, block.w, block.h);
        DllExports::GdipDeleteBrush(brush);
        GpPen* pen = nullptr;
        DllExports::GdipCreatePen1(0xFF202020, 2, UnitWorld, &pen);
        DllExports::GdipDrawRectangleI(drawer, pen, block.x + 1, block.y + 1, block.w - 2, block.h - 2);
        DllExports::GdipDeletePen(pen);
    }
    // A triangle roof on top.
    PointF roof[] = {{28, 24}, {48, 2}, {68, 24}};
    GpSolidFill* brush = nullptr;
    DllExports::GdipCreateSolidFill(0xFFA060E0, &brush);
    DllExports::GdipFillPolygon(drawer, brush, roof, 3, FillModeAlternate);
    DllExports::GdipDeleteBrush(brush);
    DllExports::GdipDeleteGraphics(drawer);
    bool saved = SaveAs(tower, path, L"image/bmp");
    DllExports::GdipDisposeImage(tower);
    return saved;
}

// Recolours the image to shades of one colour at the given opacity, replacing the matrix
// AlphaBlending set; a tint of 0 leaves AlphaBlending's matrix alone.
void Tint(CImage& image, unsigned rgb, unsigned char alpha)
{
    if (rgb == 0 || !image.GetAttributes()) {
        return;
    }
    const float channel[3] = {((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f,
                              (rgb & 0xFF) / 255.0f};
    // Brightness from red, green and blue, a little raised so the shades stay lively.
    const float weight[3] = {0.6f, 1.1f, 0.3f};
    ColorMatrix matrix = {};
    for (int from = 0; from < 3; ++from) {
        for (int to = 0; to < 3; ++to) {
            matrix.m[from][to] = weight[from] * channel[to];
        }
    }
    matrix.m[3][3] = alpha / 255.0f;
    matrix.m[4][4] = 1.0f;
    DllExports::GdipSetImageAttributesColorMatrix(image.GetAttributes(), ColorAdjustTypeDefault, TRUE, &matrix,
                                                  nullptr, ColorMatrixFlagsDefault);
}

}  // namespace

void Scene::Prepare(HWND)
{
    // Direct GDI+ calls need a start-up of their own while they run.
    CGdiplus gdiplus = CGdiplus::Shared();
    std::wstring sheet = TempFile(L"stars.png");
    std::wstring tower = TempFile(L"tower.bmp");
    if (MakeSpriteSheet(sheet) && m_Sheet.Load(sheet.c_str())) {
        m_Ring.resize(kMaxSprites);
        for (CImage& sprite : m_Ring) {
            sprite.Load(sheet.c_str());
        }
        m_Lead.Load(sheet.c_str());
    }
    if (MakeTower(tower) && m_Tower.Load(tower.c_str())) {
        m_Tower.ColorKey(0xFFFF00FF);
    }
    // The images keep their own copy of the pictures: the files can go at once.
    DeleteFileW(sheet.c_str());
    DeleteFileW(tower.c_str());
}

std::vector<Scene::Picture> Scene::Pictures() const
{
    std::vector<Picture> pictures;
    if (m_Sheet.GetPtr()) {
        pictures.push_back({L"stars.png", L"PNG", m_Sheet, Rect(0, 0, m_Sheet.GetWidth(), m_Sheet.GetHeight())});
        for (int cell = 0; cell < kColumns * kRows; ++cell) {
            pictures.push_back({L"star " + std::to_wstring(cell + 1), L"PNG cell", m_Sheet,
                                Rect(cell % kColumns * kCell, cell / kColumns * kCell, kCell, kCell)});
        }
    }
    if (m_Tower.GetPtr()) {
        pictures.push_back({L"tower.bmp", L"BMP, keyed", m_Tower, Rect(0, 0, m_Tower.GetWidth(), m_Tower.GetHeight())});
    }
    return pictures;
}

void Scene::DrawGround(CGraphics& graphics, int width, int height, unsigned tick)
{
    // A grid in perspective that scrolls towards the viewer, kept inside the scene.
    const float horizon = height * 0.76f;
    const float middle = width / 2.0f;
    const float right = static_cast<float>(width);
    for (int i = -10; i <= 10; ++i) {
        float topX = middle + i * 14.0f;
        float bottomX = middle + i * 90.0f;
        float bottomY = static_cast<float>(height);
        if (bottomX < 0 || bottomX > right) {
            float edge = bottomX < 0 ? 0 : right;
            bottomY = horizon + (bottomY - horizon) * (edge - topX) / (bottomX - topX);
            bottomX = edge;
        }
        graphics.DrawLine(topX, horizon, bottomX, bottomY, Color(0x60FF60D0), 1);
    }
    float scroll = static_cast<float>(tick % 20) / 20.0f;
    for (int i = 0; i < 8; ++i) {
        float depth = (i + scroll) / 8.0f;
        float y = horizon + (height - horizon) * depth * depth;
        graphics.DrawLine(0, y, right, y, Color(0x60FF60D0), 1);
    }
    graphics.DrawLine(0, horizon, right, horizon, Color(0xFFFF60D0), 2);
}

void Scene::DrawSpriteRing(CGraphics& graphics, float centreX, float centreY, unsigned tick)
{
    float turn = tick * 0.02f;
    size_t count = std::min<size_t>(static_cast<size_t>(std::max(m_Choices.count, 0)), m_Ring.size());
    const int cells = kColumns * kRows;
    for (size_t i = 0; i < count; ++i) {
        CImage& sprite = m_Ring[i];
        float angle = turn + 2 * kPi * i / count;
        sprite.SetPos(centreX + 130 * std::cos(angle), centreY + 80 * std::sin(angle));
        sprite.SetRotate(static_cast<float>((tick * (3 + i)) % 360));
        float fade = 0.5f + 0.5f * std::sin(tick * 0.06f + i * 0.8f);
        auto alpha = static_cast<unsigned char>((50 + 205 * fade) * m_Choices.opacity / 100);
        sprite.AlphaBlending(alpha);
        Tint(sprite, m_Choices.tint, alpha);
        int cell = m_Choices.ringCell < 0 ? static_cast<int>(i) % cells : m_Choices.ringCell;
        graphics.DrawImage(&sprite, Size(kCell, kCell), cell % kColumns, cell / kColumns);
    }
    if (m_Choices.lead >= 0 && m_Lead.GetPtr()) {
        auto alpha = static_cast<unsigned char>(255 * m_Choices.opacity / 100);
        m_Lead.SetPos(centreX, centreY);
        m_Lead.SetRotate(static_cast<float>(tick % 360));
        m_Lead.AlphaBlending(alpha);
        Tint(m_Lead, m_Choices.tint, alpha);
        graphics.DrawImage(&m_Lead, Size(kCell, kCell), m_Choices.lead % kColumns, m_Choices.lead / kColumns);
    }
}

void Scene::DrawWaves(CGraphics& graphics, int width, float baseY, unsigned tick)
{
    const int count = 14;
    PointF wave[count];
    PointF echo[count];
    for (int i = 0; i < count; ++i) {
        float x = 20 + (width - 40) * i / (count - 1.0f);
        float phase = tick * 0.08f + i * 0.7f;
        wave[i] = PointF(x, baseY + 18 * std::sin(phase));
        echo[i] = PointF(x, baseY + 12 * std::sin(phase + 1.6f));
    }
    graphics.DrawCurve(echo, count, Color(0x90FF6BC8), 2);
    graphics.DrawCurve(wave, count, Color(0xFF4DD6E0), 3);
}

void Scene::Draw(CGraphics& graphics, int width, int height, unsigned tick)
{
    REAL dpi = 96;
    if (!graphics.GetDrawer() || DllExports::GdipGetDpiY(graphics.GetDrawer(), &dpi) != Ok || dpi <= 0) {
        dpi = 96;
    }
    m_TextScale = 96 / dpi;
    graphics.Clear(0xFF141B2D);
    DrawGround(graphics, width, height, tick);

    graphics.DrawString(L"tsumiki", 22, 14, Pt(m_TitleSize), Color(m_TitleColour), m_TitleFont.c_str());
    graphics.DrawString(L"積み木 — 画像・文字・線・曲線", 24, 56, Pt(12), Color(0xFFB8C4E0), L"IPAPGothic");
    DrawShelf(graphics, 14, 82, tick);

    // The sheet itself, whole and still, top right.
    if (m_Sheet.GetPtr()) {
        float sheetX = width - 150.0f;
        m_Sheet.SetPos(sheetX, 96);
        graphics.DrawImage(&m_Sheet);
        graphics.DrawString(L"one PNG sprite sheet, 4 x 2 cells", sheetX - 120, 166, Pt(9), Color(0xFF8090B0), L"Arial");
    }

    float ringX = width * 0.36f;
    float ringY = height * 0.47f;
    DrawSpriteRing(graphics, ringX, ringY, tick);
    graphics.DrawString(L"cells turning and fading:\nDrawImage, SetRotate,\nAlphaBlending", ringX + 180, ringY - 20, Pt(9),
                        Color(0xFF8090B0), L"Arial");

    float waveY = height * 0.76f - 36;
    DrawWaves(graphics, width, waveY, tick);
    graphics.DrawString(L"DrawCurve", static_cast<float>(width - 96), waveY - 44, Pt(9), Color(0xFF4DD6E0), L"Arial");

    // The colour-keyed tower walks along the ground and back, clear of the frame count and
    // of the window's bitmap button in the bottom-left corner.
    const float walkFrom = 230, walkTo = std::max(walkFrom, width - 70.0f);
    float walkX = walkFrom + (walkTo - walkFrom) * (0.5f + 0.5f * std::sin(tick * 0.025f));
    float towerY = height - 76.0f;
    m_Tower.SetPos(walkX, towerY - std::fabs(std::sin(tick * 0.15f)) * 10);
    m_Tower.SetRotate(6 * std::sin(tick * 0.15f));
    graphics.DrawImage(&m_Tower);
    graphics.DrawString(L"ColorKey(0xFFFF00FF)", walkX - 62, towerY + 54, Pt(9), Color(0xFFFFE14D), L"Arial");

    // A picture the user opened, fitted into a frame right of the ring.
    if (m_Picture.GetPtr()) {
        const float frameX = width - 200.0f, frameY = 280, frameW = 180, frameH = 110;
        float scale = std::min(frameW / m_Picture.GetWidth(), frameH / m_Picture.GetHeight());
        float w = m_Picture.GetWidth() * scale, h = m_Picture.GetHeight() * scale;
        graphics.DrawImage(&m_Picture, RectF(frameX + (frameW - w) / 2, frameY + (frameH - h) / 2, w, h));
        graphics.DrawLine(frameX, frameY + frameH + 4, frameX + frameW, frameY + frameH + 4, Color(0xFF8090B0), 1);
    }

    std::wstring frame = L"frame " + std::to_wstring(tick);
    graphics.DrawString(frame.c_str(), 12, static_cast<float>(height - 22), Pt(8), Color(0xFF8090B0), L"Arial");
}

void Scene::StyleTitle(const wchar_t* font, float size, unsigned long colour)
{
    if (font && *font) {
        m_TitleFont = font;
    }
    if (size > 0) {
        // Kept within the room above the subtitle.
        m_TitleSize = std::min(size, 30.0f);
    }
    if (colour) {
        m_TitleColour = colour;
    }
}

bool Scene::ShowPicture(const wchar_t* path)
{
    return m_Picture.Load(path);
}
