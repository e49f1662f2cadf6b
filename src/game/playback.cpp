#include "game/playback.h"

#include "enemies/enemy.h"
#include "game/demofile.h"
#include "game/sprites.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/framestats.h"
#include "platform/input.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"
#include "world/dice.h"
#include "world/digest.h"
#include "world/numbers.h"

#include <ctime>

bool demoDigests = false;

namespace {

DemoReader reader{};
Uint32 shownAt = 0;     // the real time a demo played on screen last showed a frame
Uint32 lastDigest = 0;  // the frame whose digest was printed last

bool demoFrame(Frame* frame, bool real)
{
    Uint32 milliseconds = 0;
    Controls held;
    if (demoNext(&milliseconds, &held) <= 0)
        return false;
    if (real)
        demoWaitReal(milliseconds);
    *frame = playerFrame(milliseconds);
    frame->controls = held;
    return true;
}

bool realNext(Frame* frame)
{
    return demoFrame(frame, true);
}

bool timedNext(Frame* frame)
{
    return demoFrame(frame, false);
}

}  // namespace

const FrameSource demoSource = {realNext, playerPausedLook, demoRealRestart};
const FrameSource timedDemoSource = {timedNext, playerPausedLook, nullptr};

bool demoOpen(FILE* stream, const char* name)
{
    lastDigest = 0;
    if (!demoHeaderRead(&reader, stream, name))
        return false;
    // The dice and the cooldowns as the recorded game began with them.
    diceSeed(reader.header.seed);
    carried.bulletCooldown = reader.header.bulletCooldown;
    carried.missileCooldown = reader.header.missileCooldown;
    return true;
}

int demoNext(Uint32* milliseconds, Controls* controls)
{
    return demoFrameRead(&reader, milliseconds, controls);
}

void demoWaitReal(Uint32 milliseconds)
{
    while (SDL_GetTicks() - shownAt < milliseconds && !inputPressQueued())
        clockWait(1);
    shownAt = SDL_GetTicks();
}

void demoRealRestart()
{
    shownAt = SDL_GetTicks();
}

void demoDigest(char* text, std::size_t size)
{
    worldDigest(text, size, lives, {&enemyType, &bulletType, &missileType});
}

void demoFramePlayed()
{
    if (!demoDigests || reader.framesRead % DEMO_DIGEST_EVERY != 0 || reader.framesRead == lastDigest)
        return;
    lastDigest = reader.framesRead;
    char digest[160];
    demoDigest(digest, sizeof digest);
    printf("frame %u: %s\n", reader.framesRead, digest);
}

void demoEndSay()
{
    if (!demoDigests || reader.broken)
        return;
    char digest[160];
    demoDigest(digest, sizeof digest);
    printf("end %u: %s\n", reader.framesRead, digest);
}

int demoPlay(const char* file, bool timed)
{
    const char* why = "";
    FILE* stream = fileOpenToRead(file, &why);
    if (!stream) {
        reader.name = file;
        demoReadFailed(&reader, why);
        return 1;
    }
    if (!demoOpen(stream, file) || spritesLoadAll() < 0)
        return 1;
    gameStart(timed ? timedDemoSource : demoSource);
    const clock_t processor = clock();
    const Uint32 start = SDL_GetTicks();
    for (bool going = true; going;) {
        going = gameTurn();
        demoFramePlayed();
    }
    const double seconds = (SDL_GetTicks() - start) / 1000.0;
    const double cpu = static_cast<double>(clock() - processor) * 1000 / CLOCKS_PER_SEC;
    demoEndSay();
    const Uint32 frames = reader.framesRead;
    if (timed && !reader.broken)
        printf("timedemo: %u frames in %.2f s, %.1f frames a second, %.2f ms of processor a frame, "
               "frames of %.2f ms median and %.2f ms at the 99th percentile\n",
               frames, seconds, frames / (seconds > 0 ? seconds : 0.001), cpu / (frames ? frames : 1),
               histogramShare(&frameCosts, 0.5), histogramShare(&frameCosts, 0.99));
    fclose(stream);
    return reader.broken ? 1 : 0;
}
