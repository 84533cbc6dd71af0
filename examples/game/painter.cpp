#include "painter.h"

#include <cmath>
#include <cwchar>
#include <string>

using Gdiplus::Color;
using Gdiplus::PointF;
using Gdiplus::Size;

namespace {

const Size kCell(Art::kCell, Art::kCell);

void PaintSky(CGraphics& graphics, const World& world)
{
    graphics.Clear(0xFF0A0E1C);
    for (const Star& star : world.Stars()) {
        // Faster stars are nearer: longer and brighter streaks.
        auto bright = static_cast<BYTE>(60 + star.speed * 1.4f);
        graphics.DrawLine(star.x, star.y, star.x, star.y + star.speed / 40.0f + 1.0f,
                          Color(bright, 200, 220, 255), 1.5f);
    }
}

void PaintGround(CGraphics& graphics, unsigned frame)
{
    // A glowing band under the ship that ripples as the frames go by.
    PointF ripple[9];
    for (int i = 0; i < 9; ++i) {
        float x = i * World::kWidth / 8;
        ripple[i] = PointF(x, 466.0f + 5.0f * std::sin(frame * 0.08f + i * 0.9f));
    }
    graphics.DrawCurve(ripple, 9, Color(200, 90, 140, 255), 3.0f);
}

void PaintEnemies(CGraphics& graphics, Art& art, const World& world)
{
    CImage& sheet = art.Sheet();
    for (const Enemy& enemy : world.Enemies()) {
        if (!enemy.alive) {
            continue;
        }
        sheet.SetPos(enemy.x, enemy.y);
        sheet.SetRotate(enemy.angle);
        graphics.DrawImage(&sheet, kCell, enemy.kind, 0);
    }
}

void PaintBursts(CGraphics& graphics, Art& art, const World& world)
{
    CImage& bursts = art.Bursts();
    for (const Burst& burst : world.Bursts()) {
        float left = 1.0f - burst.age / World::kBurstLifetime;
        // The opacity is the picture's own, so it is set before each draw.
        bursts.AlphaBlending(static_cast<unsigned char>(255 * left));
        bursts.SetPos(burst.x, burst.y);
        bursts.SetRotate(burst.age * 240.0f);
        graphics.DrawImage(&bursts, kCell, burst.kind, 1);
    }
}

void PaintShotsAndSparks(CGraphics& graphics, const World& world)
{
    for (const Shot& shot : world.Shots()) {
        graphics.DrawLine(shot.x, shot.y, shot.x, shot.y + 14, Color(255, 255, 240, 120), 3.0f);
    }
    for (const Spark& spark : world.Sparks()) {
        graphics.DrawLine(spark.x - 3, spark.y - 3, spark.x + 3, spark.y + 3, Color(255, 255, 90, 60), 2.5f);
        graphics.DrawLine(spark.x - 3, spark.y + 3, spark.x + 3, spark.y - 3, Color(255, 255, 90, 60), 2.5f);
    }
}

void PaintShip(CGraphics& graphics, Art& art, const World& world, unsigned frame)
{
    if (world.State() == GameState::GameOver) {
        return;
    }
    if (world.ShipShielded()) {
        // A pulsing bubble round the ship while it recovers from a hit.
        float pulse = 3.0f * std::sin(frame * 0.3f);
        float radius = 30.0f + pulse;
        float x = world.ShipX() - radius;
        float y = World::kShipY - radius;
        graphics.FillEllipse(x, y, radius * 2, radius * 2, Color(60, 90, 180, 255));
        graphics.DrawEllipse(x, y, radius * 2, radius * 2, Color(220, 140, 210, 255), 2.0f);
        if (frame / 4 % 2 == 0) {
            return;
        }
    }
    CImage& ship = art.Ship();
    ship.SetPos(world.ShipX(), World::kShipY);
    graphics.DrawImage(&ship);
}

void PaintCentred(CGraphics& graphics, const wchar_t* text, float y, float size, Color colour)
{
    Gdiplus::SizeF measured = graphics.MeasureString(text, size, L"Arial");
    graphics.DrawString(text, (World::kWidth - measured.Width) / 2, y, size, colour, L"Arial");
}

// The lives left as small ships at the top right, the newest on the left.
void PaintLives(CGraphics& graphics, Art& art, const World& world)
{
    CImage& ship = art.Ship();
    for (int i = 0; i < world.Lives(); ++i) {
        graphics.DrawImage(&ship, Gdiplus::RectF(World::kWidth - 30.0f - i * 26.0f, 8, 22, 22));
    }
}

// A dark, framed panel with the word in its middle; the game shows through it.
void PaintPausedPanel(CGraphics& graphics)
{
    const Gdiplus::RectF panel(World::kWidth / 2 - 130, 170, 260, 100);
    graphics.FillRectangle(panel.X, panel.Y, panel.Width, panel.Height, Color(190, 10, 14, 40));
    graphics.DrawRectangle(panel.X, panel.Y, panel.Width, panel.Height, Color(255, 160, 220, 255), 2.0f);
    graphics.DrawString(L"PAUSED", panel, 37, Color(255, 255, 255, 255), L"Arial", ALIGN_CENTER, ALIGN_CENTER);
    Gdiplus::RectF hint(panel.X, panel.Y + panel.Height - 26, panel.Width, 22);
    graphics.DrawString(L"P or Start: play on", hint, 13, Color(255, 160, 220, 255), L"Arial", ALIGN_CENTER, ALIGN_CENTER);
}

void PaintScoreboard(CGraphics& graphics, Art& art, const World& world)
{
    std::wstring score = L"SCORE " + std::to_wstring(world.Score());
    std::wstring wave = L"WAVE " + std::to_wstring(world.Wave());
    graphics.DrawString(score.c_str(), 12, 8, 19, Color(255, 255, 255, 255), L"Arial");
    graphics.DrawString(wave.c_str(), 280, 8, 19, Color(255, 160, 220, 255), L"Arial");
    PaintLives(graphics, art, world);
    if (world.State() == GameState::Paused) {
        PaintPausedPanel(graphics);
    } else if (world.State() == GameState::GameOver) {
        PaintCentred(graphics, L"GAME OVER", 180, 43, Color(255, 255, 120, 120));
        PaintCentred(graphics, L"Enter or Start: new game", 232, 19, Color(255, 220, 220, 220));
    }
}

}  // namespace

void PaintWorld(CGraphics& graphics, Art& art, const World& world, unsigned frame)
{
    PaintSky(graphics, world);
    PaintGround(graphics, frame);
    PaintEnemies(graphics, art, world);
    PaintShotsAndSparks(graphics, world);
    PaintBursts(graphics, art, world);
    PaintShip(graphics, art, world, frame);
    PaintScoreboard(graphics, art, world);
}
