#include "game/playback.h"

#include "enemies/enemy.h"
#include "game/demofile.h"
#include "game/sprites.h"
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
// The frame read from the file and not yet due.
bool pending = false;
Frame pendingFrame;

// The file's frame when due, with the player's look: the player may still leave, pause or
// take a screenshot, and the file's keys play the ship.
FrameAnswer demoFrame(Frame* frame, bool real)
{
    Frame due;
    const FrameAnswer answer = demoFrameDue(&due, real);
    if (answer != FrameAnswer::Ready) {
        frame->wait = due.wait;
        return answer;
    }
    *frame = playerFrame(due.milliseconds);
    frame->controls = due.controls;
    return answer;
}

FrameAnswer realNext(Frame* frame)
{
    return demoFrame(frame, true);
}

FrameAnswer timedNext(Frame* frame)
{
    return demoFrame(frame, false);
}

}  // namespace

const FrameSource demoSource = {realNext, playerPausedLook, demoRealRestart};
const FrameSource timedDemoSource = {timedNext, playerPausedLook, nullptr};

bool demoOpen(FILE* stream, const char* name)
{
    lastDigest = 0;
    pending = false;
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

FrameAnswer demoFrameDue(Frame* frame, bool real)
{
    if (!pending) {
        pendingFrame = Frame{};
        if (demoNext(&pendingFrame.milliseconds, &pendingFrame.controls) <= 0)
            return FrameAnswer::None;
        pending = true;
    }
    if (real && SDL_GetTicks() - shownAt < pendingFrame.milliseconds && !inputPressQueued()) {
        frame->wait = 0.001;
        return FrameAnswer::NotYet;
    }
    if (real)
        shownAt = SDL_GetTicks();
    pending = false;
    *frame = pendingFrame;
    return FrameAnswer::Ready;
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
