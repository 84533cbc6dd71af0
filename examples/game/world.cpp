#include "world.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kColumns = 8;
constexpr int kRows = 3;
constexpr float kShipSpeed = 300.0f;     // pixels a second
constexpr float kShotSpeed = 540.0f;
constexpr float kSparkSpeed = 190.0f;
constexpr float kFireInterval = 0.2f;
constexpr float kShieldTime = 2.0f;
constexpr float kHitRadius = 22.0f;
constexpr int kMaxShots = 6;

template <typename T, typename Pred>
void EraseIf(std::vector<T>& items, Pred pred)
{
    items.erase(std::remove_if(items.begin(), items.end(), pred), items.end());
}

}  // namespace

World::World()
{
    for (int i = 0; i < 70; ++i) {
        m_Stars.push_back({Random() * kWidth, Random() * kHeight, 20.0f + Random() * 100.0f});
    }
    NewGame();
}

void World::NewGame()
{
    m_State = GameState::Playing;
    m_Score = 0;
    m_Lives = 3;
    m_Wave = 1;
    m_ShipX = kWidth / 2;
    m_Shield = 0;
    m_Bursts.clear();
    StartWave();
}

void World::StartWave()
{
    m_Time = 0;
    m_Sink = 0;
    m_Shots.clear();
    m_Sparks.clear();
    m_Enemies.clear();
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            float x = 96.0f + column * 64.0f;
            float y = 70.0f + row * 52.0f;
            // The top row is worth most.
            int kind = row == 0 ? 3 : (row == 1 ? (column % 2 ? 2 : 1) : 0);
            m_Enemies.push_back({x, y, x, y, column * 20.0f, kind, true});
        }
    }
}

void World::TogglePause()
{
    if (m_State == GameState::Playing) {
        m_State = GameState::Paused;
    } else if (m_State == GameState::Paused) {
        m_State = GameState::Playing;
    }
}

void World::Step(const Input& input)
{
    m_FiredLastStep = 0;
    m_HitsLastStep = 0;
    // The stars drift even on the game-over screen; the rest waits for play.
    for (Star& star : m_Stars) {
        star.y += star.speed * kStep;
        if (star.y > kHeight) {
            star.y -= kHeight;
            star.x = Random() * kWidth;
        }
    }
    for (Burst& burst : m_Bursts) {
        burst.age += kStep;
    }
    EraseIf(m_Bursts, [](const Burst& b) { return b.age >= kBurstLifetime; });
    if (m_State != GameState::Playing) {
        return;
    }
    ++m_Steps;
    m_Time += kStep;
    MoveShip(input);
    MoveFormation();
    MoveShotsAndSparks();
    DropSparks();
    Collide();
    if (std::none_of(m_Enemies.begin(), m_Enemies.end(), [](const Enemy& e) { return e.alive; })) {
        ++m_Wave;
        StartWave();
    }
}

void World::MoveShip(const Input& input)
{
    float direction = (input.right ? 1.0f : 0.0f) - (input.left ? 1.0f : 0.0f);
    m_ShipX = std::clamp(m_ShipX + direction * kShipSpeed * kStep, 28.0f, kWidth - 28.0f);
    m_Cooldown = std::max(0.0f, m_Cooldown - kStep);
    m_Shield = std::max(0.0f, m_Shield - kStep);
    if (input.fire && m_Cooldown == 0 && static_cast<int>(m_Shots.size()) < kMaxShots) {
        m_Shots.push_back({m_ShipX, kShipY - 24});
        m_Cooldown = kFireInterval;
        ++m_FiredLastStep;
    }
}

void World::MoveFormation()
{
    // Each wave sways faster and sinks sooner.
    float pace = 1.0f + 0.25f * (m_Wave - 1);
    m_Sink += (6.0f + 2.0f * m_Wave) * kStep;
    float sway = 70.0f * std::sin(m_Time * 0.9f * pace);
    for (size_t i = 0; i < m_Enemies.size(); ++i) {
        Enemy& enemy = m_Enemies[i];
        enemy.x = enemy.homeX + sway;
        enemy.y = enemy.homeY + m_Sink + 6.0f * std::sin(m_Time * 3.0f + static_cast<float>(i));
        enemy.angle = std::fmod(enemy.angle + (60.0f + 15.0f * enemy.kind) * kStep, 360.0f);
        if (enemy.alive && enemy.y > kShipY - 20) {
            // The formation has reached the ship's line: the wave starts again, a life lost.
            LoseLife();
            if (m_State == GameState::Playing) {
                m_Sink = 0;
            }
            return;
        }
    }
}

void World::MoveShotsAndSparks()
{
    for (Shot& shot : m_Shots) {
        shot.y -= kShotSpeed * kStep;
    }
    EraseIf(m_Shots, [](const Shot& s) { return s.y < -10; });
    for (Spark& spark : m_Sparks) {
        spark.y += kSparkSpeed * kStep;
    }
    EraseIf(m_Sparks, [](const Spark& s) { return s.y > kHeight + 10; });
}

void World::DropSparks()
{
    // About one spark a second from the whole formation, more in later waves.
    float chance = (0.8f + 0.3f * m_Wave) * kStep;
    if (Random() >= chance) {
        return;
    }
    std::vector<const Enemy*> alive;
    for (const Enemy& enemy : m_Enemies) {
        if (enemy.alive) {
            alive.push_back(&enemy);
        }
    }
    if (!alive.empty()) {
        const Enemy* dropper = alive[static_cast<size_t>(Random() * alive.size()) % alive.size()];
        m_Sparks.push_back({dropper->x, dropper->y + 16});
    }
}

void World::Collide()
{
    for (Shot& shot : m_Shots) {
        for (Enemy& enemy : m_Enemies) {
            if (enemy.alive && std::fabs(shot.x - enemy.x) < kHitRadius &&
                std::fabs(shot.y - enemy.y) < kHitRadius) {
                enemy.alive = false;
                shot.y = -100;  // spent; removed on the next step
                m_Score += 10 * (enemy.kind + 1);
                m_Bursts.push_back({enemy.x, enemy.y, 0, enemy.kind});
                ++m_HitsLastStep;
                break;
            }
        }
    }
    if (m_Shield > 0) {
        return;
    }
    for (const Spark& spark : m_Sparks) {
        if (std::fabs(spark.x - m_ShipX) < 20 && std::fabs(spark.y - kShipY) < 16) {
            LoseLife();
            return;
        }
    }
}

void World::LoseLife()
{
    m_Bursts.push_back({m_ShipX, kShipY, 0, 3});
    m_Sparks.clear();
    m_Shield = kShieldTime;
    if (--m_Lives <= 0) {
        m_Lives = 0;
        m_State = GameState::GameOver;
    }
}

float World::Random()
{
    // xorshift32: small, fast and the same on every machine.
    m_Seed ^= m_Seed << 13;
    m_Seed ^= m_Seed >> 17;
    m_Seed ^= m_Seed << 5;
    return (m_Seed & 0xFFFFFF) / static_cast<float>(0x1000000);
}
