// The rules of the game, apart from any window or drawing: a formation of spinning stars
// sways and sinks while dropping sparks; the player's ship slides along the bottom and
// fires upwards. The world advances in fixed steps, so a run is the same on every machine.
#pragma once

#include <cstdint>
#include <vector>

struct Input {
    bool left = false;
    bool right = false;
    bool fire = false;
};

enum class GameState { Playing, Paused, GameOver };

struct Enemy {
    float homeX, homeY;  // place in the formation, before the sway
    float x, y;          // where it is now
    float angle;
    int kind;            // 0..3, the sprite cell column and the points it is worth
    bool alive;
};

struct Shot {
    float x, y;
};

struct Spark {
    float x, y;
};

struct Burst {
    float x, y;
    float age;
    int kind;
};

struct Star {
    float x, y, speed;
};

class World {
public:
    static constexpr float kWidth = 640.0f;
    static constexpr float kHeight = 480.0f;
    static constexpr float kStep = 1.0f / 60.0f;  // seconds of game time per step
    static constexpr float kShipY = 436.0f;
    static constexpr float kBurstLifetime = 0.6f;

    World();

    // Starts a new game: score 0, three lives, the first wave.
    void NewGame();
    // Advances the world by one fixed step; nothing moves unless the state is Playing.
    void Step(const Input& input);
    void TogglePause();

    GameState State() const { return m_State; }
    int Score() const { return m_Score; }
    int Lives() const { return m_Lives; }
    int Wave() const { return m_Wave; }
    float ShipX() const { return m_ShipX; }
    // True while the ship is recovering from a hit (it blinks and cannot be hit).
    bool ShipShielded() const { return m_Shield > 0; }
    float Time() const { return m_Time; }
    uint64_t Steps() const { return m_Steps; }

    const std::vector<Enemy>& Enemies() const { return m_Enemies; }
    const std::vector<Shot>& Shots() const { return m_Shots; }
    const std::vector<Spark>& Sparks() const { return m_Sparks; }
    const std::vector<Burst>& Bursts() const { return m_Bursts; }
    const std::vector<Star>& Stars() const { return m_Stars; }

    // Counts of what happened during the last Step, for sound effects.
    int ShotsFiredLastStep() const { return m_FiredLastStep; }
    int HitsLastStep() const { return m_HitsLastStep; }

private:
    void StartWave();
    void MoveShip(const Input& input);
    void MoveFormation();
    void MoveShotsAndSparks();
    void Collide();
    void DropSparks();
    void LoseLife();
    float Random();  // 0..1, from the world's own generator

    GameState m_State = GameState::Playing;
    int m_Score = 0;
    int m_Lives = 3;
    int m_Wave = 1;
    float m_ShipX = kWidth / 2;
    float m_Cooldown = 0;
    float m_Shield = 0;
    float m_Time = 0;       // game time of this wave, seconds
    float m_Sink = 0;       // how far the formation has come down
    uint64_t m_Steps = 0;
    uint32_t m_Seed = 12345;
    int m_FiredLastStep = 0;
    int m_HitsLastStep = 0;
    std::vector<Enemy> m_Enemies;
    std::vector<Shot> m_Shots;
    std::vector<Spark> m_Sparks;
    std::vector<Burst> m_Bursts;
    std::vector<Star> m_Stars;
};
