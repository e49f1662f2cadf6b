#include "scenes.h"

#include "display/background.h"
#include "enemies/enemy.h"
#include "enemies/shrapnel.h"
#include "game/frameloop.h"
#include "game/sprites.h"
#include "game/startup.h"
#include "platform/pictures.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"
#include "player/shot.h"
#include "world/dice.h"
#include "world/motion.h"
#include "world/pools.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace {

// The crowd's layout, in screen pixels with the ship at the centre (320, 240). Shots fly
// to the right along five lanes; the enemies sit in twelve rows between the lanes, 22
// pixels from the nearest lane, so no shot touches one this frame (a missile needs to be
// within 17.9 pixels, a bullet within 16.3) and every shot tests all 500 of them.
constexpr std::array<int, 5> SHOT_LANES = {40, 140, 240, 340, 440};
constexpr std::array<int, 12> ENEMY_ROWS = {62, 90, 118, 162, 190, 218, 262, 290, 318, 362, 390, 418};
constexpr int ENEMY_COLUMNS = 43;
constexpr double ENEMY_LEFT = 20;
constexpr double ENEMY_SPAN = 600;
constexpr double SHIP_CLEARANCE = 40;  // no enemy rams the ship during the frame
constexpr int SHOTS_PER_LANE = SHOT_POOL_SIZE / 5;
constexpr double SHOT_AGE_IN_CROWD = 0.5;
constexpr double SHRAPNEL_AGE_IN_CROWD = 0.1;

struct Snapshot {
    std::array<Entity, ENEMY_POOL_SIZE> enemies;
    std::array<Entity, SHOT_POOL_SIZE> shots;
    std::array<Entity, SHRAPNEL_POOL_SIZE> shrapnel;
    Entity ship;
    int enemyCount;
    int lives;
    Carryover carried;
    double cameraX;
    double cameraY;
};

Snapshot crowd;

// Every frame of the benchmark is as long, and the ship is asked the same, whoever else plays.
FrameAnswer benchNext(Frame* frame)
{
    *frame = Frame{};
    frame->milliseconds = FRAME_MILLISECONDS;
    frame->controls = BENCH_CONTROLS;
    return FrameAnswer::Ready;
}

void benchPaused(Frame* look)
{
    *look = Frame{};
}

const FrameSource benchSource = {benchNext, benchPaused, nullptr};

void placeEnemies()
{
    const double centreX = screenSurface->w / 2;
    const double centreY = screenSurface->h / 2;
    int placed = 0;
    for (const int row : ENEMY_ROWS) {
        for (int column = 0; column < ENEMY_COLUMNS && placed < ENEMY_POOL_SIZE; column++) {
            const double x = ENEMY_LEFT + column * ENEMY_SPAN / (ENEMY_COLUMNS - 1);
            if (std::hypot(x - centreX, row - centreY) < SHIP_CLEARANCE)
                continue;
            enemySpawn();
            EnemyPool[placed].x = worldAtScreenX(x);
            EnemyPool[placed].y = worldAtScreenY(row);
            placed += 1;
        }
    }
}

void placeShots()
{
    int fired = 0;
    for (const int lane : SHOT_LANES) {
        for (int i = 0; i < SHOTS_PER_LANE; i++) {
            const double x = 30 + 60 * i;
            if (i % 2 == 0)
                bulletSpawn(worldAtScreenX(x), worldAtScreenY(lane), 0, SHOT_SPEED);
            else
                missileSpawn(worldAtScreenX(x), worldAtScreenY(lane), 0, SHOT_SPEED);
            ShotPool[fired++].vars[SHOT_AGE] = SHOT_AGE_IN_CROWD;
        }
    }
}

void placeShrapnel()
{
    for (int i = 0; i < SHRAPNEL_POOL_SIZE; i++) {
        const double angle = i * 2 * PI / SHRAPNEL_POOL_SIZE;
        const double radius = 120 + (i % 5) * 20;
        shrapnelSpawn(worldAtScreenX(screenSurface->w / 2 + radius * std::cos(angle)),
                      worldAtScreenY(screenSurface->h / 2 + radius * std::sin(angle)), diceBelow(360),
                      SHRAPNEL_SLOWEST + diceBelow(SHRAPNEL_SPEEDS));
        ShrapnelPool[i].vars[SHRAPNEL_AGE] = SHRAPNEL_AGE_IN_CROWD;
    }
}

}  // namespace

void useDummyDrivers()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

int gameBoot(Uint32 videoFlags)
{
    if (appInit(640, 480, 16, videoFlags) < 0)
        return -1;
    return spritesLoadAll();
}

void gameShutDown()
{
    picturesFree();
    Mix_HaltChannel(-1);
    for (SoundEffect* effect = soundTable; effect->path; effect++) {
        Mix_FreeChunk(effect->chunk);
        effect->chunk = nullptr;
    }
    while (Mix_QuerySpec(nullptr, nullptr, nullptr) > 0)
        Mix_CloseAudio();
    SDL_Quit();
    screenSurface = nullptr;
    spritesLoaded = false;
}

void typicalGameStart()
{
    diceSeed(1);
    carried.bulletCooldown = 0;
    carried.missileCooldown = 0;
    gameStart(benchSource);
}

void crowdBuild()
{
    gameStart(benchSource);
    diceSeed(2);
    shipNewGame();
    poolsClear();
    cameraX = PlayerShip.x;
    cameraY = PlayerShip.y;
    placeEnemies();
    placeShots();
    placeShrapnel();
    // Both guns are ready, so the ship tries to fire into the full shot pool every frame.
    carried.bulletCooldown = BULLET_INTERVAL;
    carried.missileCooldown = MISSILE_INTERVAL;

    crowd.enemies = EnemyPool;
    crowd.shots = ShotPool;
    crowd.shrapnel = ShrapnelPool;
    crowd.ship = PlayerShip;
    crowd.enemyCount = enemyCount;
    crowd.lives = lives;
    crowd.carried = carried;
    crowd.cameraX = cameraX;
    crowd.cameraY = cameraY;
}

void crowdRestore()
{
    EnemyPool = crowd.enemies;
    ShotPool = crowd.shots;
    ShrapnelPool = crowd.shrapnel;
    PlayerShip = crowd.ship;
    enemyCount = crowd.enemyCount;
    lives = crowd.lives;
    carried = crowd.carried;
    cameraX = crowd.cameraX;
    cameraY = crowd.cameraY;
}

const char* crowdCheck()
{
    if (enemyCount != ENEMY_POOL_SIZE)
        return "an enemy of the crowd died";
    if (lives != START_LIVES || PlayerShip.health != SHIP_HEALTH)
        return "an enemy of the crowd rammed the ship";
    for (const Entity& shot : ShotPool) {
        if (!shot.active)
            return "a shot of the crowd hit or expired";
    }
    for (const Entity& piece : ShrapnelPool) {
        if (!piece.active)
            return "a piece of debris of the crowd expired";
    }
    for (const Entity& enemy : EnemyPool) {
        // Where entityDraw put the enemy's top-left corner.
        const double sx = worldWrap((enemy.x - cameraX) + screenSurface->w / 2.0 - enemy.width / 2.0, 0, worldWidth);
        const double sy = worldWrap((enemy.y - cameraY) + screenSurface->h / 2.0 - enemy.height / 2.0, 0, worldHeight);
        if (!enemy.active || sx >= screenSurface->w || sy >= screenSurface->h)
            return "an enemy of the crowd was off the screen";
    }
    return "";
}
