#include "play.h"

#include "enemies/enemy.h"
#include "enemies/shrapnel.h"
#include "enemies/steering.h"
#include "game/actions.h"
#include "game/frameloop.h"
#include "game/options.h"
#include "game/playback.h"
#include "game/sprites.h"
#include "game/startup.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"
#include "player/shot.h"
#include "world/motion.h"
#include "world/passes.h"
#include "world/pools.h"

#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

// The letters of the harness's keys: an action, and which of its keys in the game's table.
struct Letter {
    char letter;
    Action action;
    int which;
};
constexpr Letter LETTERS[] = {{'U', Action::Thrust, 0},   {'D', Action::Brake, 0},   {'L', Action::Left, 0},
                              {'R', Action::Right, 0},    {'F', Action::Fire, 0},    {'C', Action::Fire, 1},
                              {'M', Action::Missiles, 0}, {'H', Action::Missiles, 1}};
std::string pushed;  // the keys SDL's queue has been told are down

// The test's script: each frame as long as the test says, drawn or not, and recorded when
// asked; the player's keys are those pushed into SDL's queue.
struct Script {
    Uint32 milliseconds;
    bool draw;
    Recorder recorder;
};
Script script{};

FrameAnswer scriptNext(Frame* frame)
{
    *frame = playerFrame(script.milliseconds);
    frame->draw = script.draw;
    if (script.recorder)
        script.recorder(frame->milliseconds, frame->controls);
    return FrameAnswer::Ready;
}

const FrameSource scriptSource = {scriptNext, playerPausedLook, nullptr};

bool inWorld(const Entity& e)
{
    return e.x >= 0 && e.x < worldWidth && e.y >= 0 && e.y < worldHeight;
}

bool between(double value, double low, double high)
{
    return value >= low && value <= high;
}

}  // namespace

void useDummyDrivers()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

void pushKey(SDLKey key, bool down, SDLMod held)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.sym = key;
    event.key.keysym.mod = held;
    SDL_PushEvent(&event);  // a full queue drops it, as it drops a player's
}

bool playStartup()
{
    static int state = 0;  // 0 not yet, 1 ready, -1 failed
    if (state == 0) {
        useDummyDrivers();
        // In a window: in full screen the dummy driver scales every flip up to its desktop.
        char name[] = "skarvel", window[] = "-window";
        char* argv[] = {name, window, nullptr};
        const VideoRequest request = optionsRead(2, argv).video;
        const bool ready = appInit(request.width, request.height, request.bitsPerPixel, request.flags) == 0;
        state = ready && spritesLoadAll() == 0 ? 1 : -1;
    }
    return state == 1;
}

void playGameStart(PlayWatch& watch, Uint32 clockStart)
{
    pushed.clear();  // a new game lets go of keys SDL does not see held
    gameStart(scriptSource, clockStart);
    watch = {enemyCount, lives};
}

void playKeys(const std::string& keys, bool escape)
{
    for (const Letter& l : LETTERS)
        if ((keys.find(l.letter) != std::string::npos) != (pushed.find(l.letter) != std::string::npos))
            pushKey(ACTIONS[static_cast<int>(l.action)].keys[l.which], keys.find(l.letter) != std::string::npos);
    pushed = keys;
    if (escape)
        pushKey(ACTIONS[static_cast<int>(Action::Leave)].keys[0], true);
}

int playStep(unsigned milliseconds, bool draw, Recorder recorder)
{
    script = {milliseconds, draw, recorder};
    return !gameTurn();
}

std::string playRulesBroken(PlayWatch& watch)
{
    std::ostringstream broken;
    auto check = [&](bool holds, const char* what, const Entity& e) {
        if (!holds && broken.str().empty())
            broken << what << " at (" << e.x << ", " << e.y << ") heading " << e.heading << " speed " << e.speed
                   << " vars " << e.vars[0] << ", " << e.vars[1];
    };
    int live = 0;
    for (const Entity& e : EnemyPool) {
        live += e.active;
        check(!e.active ||
                  (e.type == &enemyType && inWorld(e) && e.heading >= 0 && e.heading < 360 && e.speed == ENEMY_SPEED &&
                   between(e.vars[ENEMY_TURN_RATE], -ENEMY_TURN_LIMIT, ENEMY_TURN_LIMIT) &&
                   between(e.vars[ENEMY_TURN_DRIFT], -ENEMY_TURN_LIMIT, ENEMY_TURN_LIMIT)),
              "enemy", e);
    }
    // A shot fired this frame waits at its launch point, maybe beyond the world's edge.
    for (const Entity& e : ShotPool)
        check(!e.active ||
                  ((e.type == &bulletType || e.type == &missileType) && (e.vars[SHOT_AGE] == 0 || inWorld(e)) &&
                   between(e.vars[SHOT_AGE], 0, SHOT_LIFETIME) && e.speed == SHOT_SPEED),
              "shot", e);
    for (const Entity& e : ShrapnelPool)
        check(!e.active ||
                  (e.type == &shrapnelType && inWorld(e) && between(e.vars[SHRAPNEL_AGE], 0, SHRAPNEL_LIFETIME) &&
                   between(e.vars[SHRAPNEL_ANIM_FRAME], 0, SHRAPNEL_FRAME_COUNT - 1) &&
                   between(e.speed, SHRAPNEL_SLOWEST, SHRAPNEL_SLOWEST + SHRAPNEL_SPEEDS - 1)),
              "shrapnel", e);
    const Entity& ship = PlayerShip;
    check(ship.active && ship.type == &shipType && inWorld(ship) && between(ship.speed, 0, SHIP_MAX_SPEED) &&
              std::isfinite(ship.heading) && between(ship.health, 1, SHIP_HEALTH),
          "ship", ship);
    if (broken.str().empty() && (live != enemyCount || enemyCount > watch.enemies))
        broken << "enemyCount " << enemyCount << " with " << live << " alive, " << watch.enemies << " before";
    if (broken.str().empty() && (lives > watch.lives || lives < watch.lives - 1 || lives < -1))
        broken << "lives went from " << watch.lives << " to " << lives;
    watch = {enemyCount, lives};
    return broken.str();
}

std::string playDigest()
{
    char digest[160];
    demoDigest(digest, sizeof digest);
    return digest;
}

std::string RandomPlayer::nextKeys()
{
    // Each key flips now and then: the odds in 100 of a press, then of a release.
    const struct {
        char letter;
        int press, release;
    } odds[] = {{'U', 4, 4}, {'D', 2, 6}, {'L', 4, 4}, {'R', 4, 4}, {'F', 8, 3}, {'C', 2, 6}, {'M', 6, 3}, {'H', 2, 6}};
    std::string next;
    for (const auto& o : odds) {
        const bool held = held_.find(o.letter) != std::string::npos;
        if (held != (std::uniform_int_distribution<int>(0, 99)(random_) < (held ? o.release : o.press)))
            next += o.letter;
    }
    return held_ = next;
}

unsigned RandomPlayer::nextMilliseconds()
{
    const int kind = std::uniform_int_distribution<int>(0, 999)(random_);
    const int low = kind < 950 ? 1 : kind < 995 ? 41 : 301, high = kind < 950 ? 40 : kind < 995 ? 300 : 3000;
    return static_cast<unsigned>(std::uniform_int_distribution<int>(low, high)(random_));
}
