#include "playharness.h"

#include "enemies/enemy.h"
#include "enemies/shrapnel.h"
#include "enemies/steering.h"
#include "fixtures.h"
#include "game/frameloop.h"
#include "game/options.h"
#include "game/title.h"
#include "platform/input.h"
#include "platform/startup.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"
#include "player/shot.h"
#include "world/motion.h"
#include "world/passes.h"
#include "world/pools.h"

#include <SDL.h>

#include <cmath>
#include <sstream>

namespace {

HeldKeys pushed;  // what SDL's queue has been told so far

void pushChange(SDLKey key, bool now, bool& before)
{
    if (now == before)
        return;
    SDL_Event event{};
    event.type = now ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.type = event.type;
    event.key.state = now ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
    before = now;
}

bool inWorld(const Entity& entity)
{
    return entity.x >= 0 && entity.x < worldWidth && entity.y >= 0 && entity.y < worldHeight;
}

bool inRange(double value, double low, double high)
{
    return value >= low && value <= high;
}

bool frameInRange(int frame)
{
    return frame >= 0 && frame < ROTATION_FRAMES;
}

}  // namespace

HeldKeys keysFromLetters(const char* letters)
{
    HeldKeys keys;
    for (const char* letter = letters; *letter; letter++) {
        switch (*letter) {
        case 'U': keys.up = true; break;
        case 'D': keys.down = true; break;
        case 'L': keys.left = true; break;
        case 'R': keys.right = true; break;
        case 'F': keys.space = true; break;
        case 'C': keys.rightCtrl = true; break;
        case 'M': keys.m = true; break;
        case 'H': keys.rightShift = true; break;
        case 'E': keys.escape = true; break;
        default: break;
        }
    }
    return keys;
}

bool playStartup()
{
    static int state = 0;  // 0 not yet, 1 ready, -1 failed
    if (state != 0)
        return state == 1;
    useDummyDrivers();
    // In a window, as a player may ask for: in full screen SDL's dummy driver scales every
    // flip up to its desktop size in software, which costs several times the whole frame.
    char name[] = "skarvel";
    char window[] = "-window";
    char* argv[] = {name, window, nullptr};
    const VideoRequest request = optionsParse(2, argv);
    state = appInit(request.width, request.height, request.bitsPerPixel, request.flags) == 0 && spritesLoadAll() == 0
        ? 1
        : -1;
    return state == 1;
}

void playGameStart(PlayWatch& watch)
{
    gameStart();
    watch.enemies = enemyCount;
    watch.lives = lives;
}

void playKeys(const HeldKeys& keys)
{
    pushChange(SDLK_UP, keys.up, pushed.up);
    pushChange(SDLK_DOWN, keys.down, pushed.down);
    pushChange(SDLK_LEFT, keys.left, pushed.left);
    pushChange(SDLK_RIGHT, keys.right, pushed.right);
    pushChange(SDLK_SPACE, keys.space, pushed.space);
    pushChange(SDLK_RCTRL, keys.rightCtrl, pushed.rightCtrl);
    pushChange(SDLK_m, keys.m, pushed.m);
    pushChange(SDLK_RSHIFT, keys.rightShift, pushed.rightShift);
    if (keys.escape) {
        bool up = false;
        pushChange(SDLK_ESCAPE, true, up);
    }
}

int playStep(double seconds, bool draw)
{
    // The same steps as the game's loop, after its clock has measured the frame.
    int quit = inputPoll();
    if (draw)
        frameRun(seconds);
    else
        worldUpdate(seconds);
    if (shipIsGameOver())
        quit = 1;
    return quit;
}

int playFrame(const HeldKeys& keys, double seconds, bool draw)
{
    playKeys(keys);
    return playStep(seconds, draw);
}

std::string playRulesBroken(PlayWatch& watch)
{
    std::ostringstream broken;
    int live = 0;
    for (int i = 0; i < ENEMY_POOL_SIZE && broken.str().empty(); i++) {
        const Entity& enemy = EnemyPool[i];
        if (!enemy.active)
            continue;
        live++;
        if (enemy.type != &enemyType)
            broken << "enemy slot " << i << " holds another kind";
        else if (!inWorld(enemy))
            broken << "enemy " << i << " left the world at (" << enemy.x << ", " << enemy.y << ")";
        else if (!(enemy.heading >= 0 && enemy.heading < 360))
            broken << "enemy " << i << " heads " << enemy.heading;
        else if (!inRange(enemy.vars[ENEMY_TURN_RATE], -ENEMY_TURN_LIMIT, ENEMY_TURN_LIMIT))
            broken << "enemy " << i << " turns at " << enemy.vars[ENEMY_TURN_RATE];
        else if (!inRange(enemy.vars[ENEMY_TURN_DRIFT], -ENEMY_TURN_LIMIT, ENEMY_TURN_LIMIT))
            broken << "enemy " << i << " drifts at " << enemy.vars[ENEMY_TURN_DRIFT];
        else if (!frameInRange(rotationFrame(enemy.heading)))
            broken << "enemy " << i << " would draw frame " << rotationFrame(enemy.heading);
    }
    if (!broken.str().empty())
        return broken.str();
    if (live != enemyCount)
        broken << "enemyCount is " << enemyCount << " with " << live << " enemies alive";
    else if (enemyCount > watch.enemies)
        broken << "enemyCount grew from " << watch.enemies << " to " << enemyCount;
    else if (enemyCount > ENEMIES_PER_GAME)
        broken << "enemyCount " << enemyCount << " is above " << ENEMIES_PER_GAME;

    for (int i = 0; i < SHOT_POOL_SIZE && broken.str().empty(); i++) {
        const Entity& shot = ShotPool[i];
        if (!shot.active)
            continue;
        if (shot.type != &bulletType && shot.type != &missileType)
            broken << "shot slot " << i << " holds another kind";
        // A shot fired this frame waits at its launch point, which may lie beyond the world's
        // edge, for its first move in the next frame; from then on it is inside.
        else if (shot.vars[SHOT_AGE] > 0 && !inWorld(shot))
            broken << "shot " << i << " left the world at (" << shot.x << ", " << shot.y << ")";
        else if (!(shot.vars[SHOT_AGE] >= 0 && shot.vars[SHOT_AGE] <= SHOT_LIFETIME))
            broken << "shot " << i << " is " << shot.vars[SHOT_AGE] << " seconds old";
        else if (shot.type == &missileType && !frameInRange(rotationFrame(shot.heading)))
            broken << "missile " << i << " would draw frame " << rotationFrame(shot.heading);
    }
    for (int i = 0; i < SHRAPNEL_POOL_SIZE && broken.str().empty(); i++) {
        const Entity& piece = ShrapnelPool[i];
        if (!piece.active)
            continue;
        const double frame = piece.vars[SHRAPNEL_ANIM_FRAME];
        if (piece.type != &shrapnelType)
            broken << "shrapnel slot " << i << " holds another kind";
        else if (!inWorld(piece))
            broken << "shrapnel " << i << " left the world at (" << piece.x << ", " << piece.y << ")";
        else if (!(frame >= 0 && frame < SHRAPNEL_FRAME_COUNT))
            broken << "shrapnel " << i << " shows frame " << frame;
    }
    if (!broken.str().empty())
        return broken.str();

    const Entity& ship = PlayerShip;
    if (!ship.active || ship.type != &shipType)
        broken << "the ship is gone";
    else if (!inWorld(ship))
        broken << "the ship left the world at (" << ship.x << ", " << ship.y << ")";
    else if (!inRange(ship.speed, 0, SHIP_MAX_SPEED))
        broken << "the ship flies at " << ship.speed;
    else if (!std::isfinite(ship.heading) || !frameInRange(rotationFrame(ship.heading)))
        broken << "the ship heads " << ship.heading << " and would draw frame " << rotationFrame(ship.heading);
    else if (lives > watch.lives)
        broken << "lives rose from " << watch.lives << " to " << lives;
    else if (lives < -1)
        broken << "lives fell to " << lives;

    watch.enemies = enemyCount;
    watch.lives = lives;
    return broken.str();
}

HeldKeys RandomPlayer::nextKeys(int leaveOdds)
{
    std::uniform_int_distribution<int> percent(0, 99);
    // Each key flips now and then, so keys stay held for a few dozen frames at a time;
    // the guns are held more often than not, so there are hits, kills and full pools.
    auto flip = [&](bool& key, int pressOdds, int releaseOdds) {
        if (percent(random_) < (key ? releaseOdds : pressOdds))
            key = !key;
    };
    flip(held_.up, 4, 4);
    flip(held_.down, 2, 6);
    flip(held_.left, 4, 4);
    flip(held_.right, 4, 4);
    flip(held_.space, 8, 3);
    flip(held_.rightCtrl, 2, 6);
    flip(held_.m, 6, 3);
    flip(held_.rightShift, 2, 6);
    HeldKeys keys = held_;
    keys.escape = leaveOdds > 0 && std::uniform_int_distribution<int>(1, leaveOdds)(random_) == 1;
    return keys;
}

double RandomPlayer::nextSeconds()
{
    std::uniform_int_distribution<int> thousand(0, 999);
    const int kind = thousand(random_);
    int milliseconds;
    if (kind < 950)
        milliseconds = std::uniform_int_distribution<int>(1, 40)(random_);
    else if (kind < 995)
        milliseconds = std::uniform_int_distribution<int>(41, 300)(random_);
    else
        milliseconds = std::uniform_int_distribution<int>(301, 3000)(random_);
    return milliseconds / 1000.0;
}
