#include "game/demo.h"

#include "enemies/enemy.h"
#include "game/frameloop.h"
#include "game/sprites.h"
#include "platform/files.h"
#include "platform/framestats.h"
#include "platform/host.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"
#include "world/dice.h"
#include "world/motion.h"
#include "world/pools.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>

DemoMode demoMode = DemoMode::None;
bool demoDigests = false;

namespace {

constexpr char MAGIC[8] = {'S', 'K', 'A', 'R', 'V', 'D', 'E', 'M'};
constexpr long FRAME_COUNT_AT = 36;        // the header's last field, written when the game ends
constexpr Uint16 FLAGS_FOLLOW = 0x8000;    // in a frame's first word
constexpr Uint16 LONG_FRAME = 0x7fff;      // a frame too long for the word: its length follows
constexpr Uint16 KNOWN_FLAGS = 0x00ff;

// A frame's key bits, Up first: the file keeps the keys the game had before its actions, of
// which Space and right Ctrl both fired, and M and right Shift both fired missiles.
constexpr Action BITS[] = {Action::Thrust, Action::Brake, Action::Right,    Action::Left,
                           Action::Fire,   Action::Fire,  Action::Missiles, Action::Missiles};
constexpr int BIT_COUNT = sizeof BITS / sizeof BITS[0];

WholeFile demoFile;
bool demoFileOpen = false;  // made at start-up, not yet given its name or dropped
FILE* recording = nullptr;  // the demo's file while a game is recorded
bool recordBroken = false;
Uint32 recordedFrames = 0;
Uint16 recordedFlags = 0;

FILE* playing = nullptr;
const char* playName = "";
Uint32 frameTotal = 0, framesRead = 0;
Uint16 playFlags = 0;
bool broken = false;

// Fixed widths, least significant byte first, whatever the machine.
void put(Uint64 value, int bytes)
{
    for (int i = 0; i < bytes; i++)
        fputc(static_cast<int>(value >> (8 * i) & 0xff), recording);
}

bool get(Uint64* value, int bytes)
{
    *value = 0;
    for (int i = 0; i < bytes; i++) {
        const int byte = fgetc(playing);
        if (byte == EOF)
            return false;
        *value |= static_cast<Uint64>(byte) << (8 * i);
    }
    return true;
}

Uint64 bitsOf(double value)
{
    Uint64 bits;
    memcpy(&bits, &value, sizeof bits);
    return bits;
}

double doubleOf(Uint64 bits)
{
    double value;
    memcpy(&value, &bits, sizeof value);
    return value;
}

void recordFailed(const char* reason)
{
    fprintf(stderr, "failed to record demo %s: %s\n", demoFile.name, reason);
    recordBroken = true;
    recording = nullptr;
}

// A program that ends without having recorded its game leaves nothing behind.
void recordDrop()
{
    const char* why = "";
    if (demoFileOpen)
        wholeFileFinish(&demoFile, false, &why);
    demoFileOpen = false;
}

bool playFailed(const char* reason)
{
    fprintf(stderr, "failed to play demo %s: %s\n", playName, reason);
    broken = true;
    return false;
}

}  // namespace

Uint16 demoFlagsPack(const Controls& held)
{
    // Each action goes into the first of its bits.
    Uint16 flags = 0;
    for (int bit = 0; bit < BIT_COUNT; bit++)
        if (held.holds(BITS[bit]) && (bit == 0 || BITS[bit - 1] != BITS[bit]))
            flags |= 1 << bit;
    return flags;
}

Controls demoFlagsControls(Uint16 flags)
{
    Controls held;
    for (int bit = 0; bit < BIT_COUNT; bit++)
        if (flags >> bit & 1)
            held.held |= actionBit(BITS[bit]);
    return held;
}

bool demoRecordOpen(const char* file)
{
    // Written beside its name, so a crash never leaves half a demo under it; made now, so a
    // target that cannot be written is told before the player has played for nothing.
    const char* why = "";
    if (!wholeFileOpen(&demoFile, file, &why)) {
        fprintf(stderr, "failed to record demo %s: %s\n", file, why);
        return false;
    }
    demoFileOpen = true;
    atexit(recordDrop);
    return true;
}

void demoRecordStart(int depth)
{
    // Only a recorded game is seeded: any other takes the dice as they stand.
    const Uint32 seed = static_cast<Uint32>(time(nullptr)) ^ SDL_GetTicks() * 2654435761u;
    diceSeed(seed);
    if (!demoFileOpen)
        return;
    recording = demoFile.file;
    fwrite(MAGIC, 1, sizeof MAGIC, recording);
    put(DEMO_FORMAT, 2);
    put(SKARVEL_VERSION_MAJOR, 2);
    put(SKARVEL_VERSION_MINOR, 2);
    put(seed, 4);
    put(static_cast<Uint64>(depth), 2);
    put(bitsOf(bulletCooldown), 8);
    put(bitsOf(missileCooldown), 8);
    put(0, 4);  // the frames, counted at the end
    recordedFrames = 0;
}

void demoRecordFrame(Uint32 milliseconds, const Controls& controls)
{
    if (!recording)
        return;
    // Most frames keep the keys of the one before and cost two bytes.
    const Uint16 flags = demoFlagsPack(controls);
    const bool changed = recordedFrames == 0 || flags != recordedFlags;
    put((milliseconds < LONG_FRAME ? milliseconds : LONG_FRAME) | (changed ? FLAGS_FOLLOW : 0), 2);
    if (milliseconds >= LONG_FRAME)
        put(milliseconds, 4);
    if (changed)
        put(flags, 2);
    recordedFrames++;
    recordedFlags = flags;
    if (ferror(recording))
        recordFailed(strerror(errno));
}

bool demoRecordFinish()
{
    const char* why = "not written";
    const bool whole = recording && !recordBroken;
    if (whole) {
        fseek(recording, FRAME_COUNT_AT, SEEK_SET);
        put(recordedFrames, 4);
    }
    recording = nullptr;
    demoFileOpen = false;
    if (!wholeFileFinish(&demoFile, whole, &why) && !recordBroken) {
        fprintf(stderr, "failed to record demo %s: %s\n", demoFile.name, why);
        return false;
    }
    return !recordBroken;
}

bool demoOpen(FILE* stream, const char* name)
{
    playing = stream;
    playName = name;
    framesRead = 0;
    broken = false;
    char magic[sizeof MAGIC];
    const std::size_t got = fread(magic, 1, sizeof magic, playing);
    Uint64 format, major, minor, seed, depth, bullet, missile, frames;
    if (memcmp(magic, MAGIC, got) != 0)
        return playFailed("not a Skarvel demo");
    if (got < sizeof magic || !get(&format, 2) || !get(&major, 2) || !get(&minor, 2) || !get(&seed, 4) ||
        !get(&depth, 2) || !get(&bullet, 8) || !get(&missile, 8) || !get(&frames, 4))
        return playFailed("the file ends inside its header");
    if (format == 0)
        return playFailed("not a Skarvel demo");
    if (format > DEMO_FORMAT) {
        char reason[96];
        snprintf(reason, sizeof reason, "made by a newer Skarvel (demo format %u; this one reads %u)",
                 static_cast<unsigned>(format), DEMO_FORMAT);
        return playFailed(reason);
    }
    const double bulletStart = doubleOf(bullet), missileStart = doubleOf(missile);
    if (!std::isfinite(bulletStart) || !std::isfinite(missileStart) || bulletStart < 0 || missileStart < 0)
        return playFailed("its header holds impossible cooldowns");
    // A meant change of the game's behaviour comes with a new version: an older demo still
    // plays, but its game may go another way than it went.
    if (major != SKARVEL_VERSION_MAJOR || minor != SKARVEL_VERSION_MINOR)
        fprintf(stderr, "demo %s was recorded by Skarvel %u.%u, this is %u.%u: it may go another way\n", name,
                static_cast<unsigned>(major), static_cast<unsigned>(minor), SKARVEL_VERSION_MAJOR,
                SKARVEL_VERSION_MINOR);
    // The dice and the cooldowns as the recorded game began with them.
    diceSeed(static_cast<Uint32>(seed));
    bulletCooldown = bulletStart;
    missileCooldown = missileStart;
    frameTotal = static_cast<Uint32>(frames);
    return true;
}

int demoNext(Uint32* milliseconds, Controls* controls)
{
    if (framesRead == frameTotal)
        return 0;
    char reason[96];
    Uint64 word = 0, length = 0, keys = 0;
    if (!get(&word, 2) || ((word & LONG_FRAME) == LONG_FRAME && !get(&length, 4)) ||
        ((word & FLAGS_FOLLOW) && !get(&keys, 2))) {
        snprintf(reason, sizeof reason, "the file ends after %u of its %u frames", framesRead, frameTotal);
        return playFailed(reason), -1;
    }
    *milliseconds = (word & LONG_FRAME) == LONG_FRAME ? static_cast<Uint32>(length) : word & LONG_FRAME;
    if (word & FLAGS_FOLLOW)
        playFlags = static_cast<Uint16>(keys);
    if (*milliseconds == 0)
        snprintf(reason, sizeof reason, "frame %u lasts 0 milliseconds", framesRead + 1);
    else if (playFlags & ~KNOWN_FLAGS)
        snprintf(reason, sizeof reason, "frame %u holds unknown key flags 0x%04x", framesRead + 1, playFlags);
    if (*milliseconds == 0 || (playFlags & ~KNOWN_FLAGS))
        return playFailed(reason), -1;
    *controls = demoFlagsControls(playFlags);
    framesRead++;
    return 1;
}

void demoWaitReal(FrameClock* clock, Uint32 milliseconds)
{
    while (SDL_GetTicks() - clock->shownAt < milliseconds && !hostPressQueued())
        hostWait(1);
    clock->shownAt = SDL_GetTicks();
}

void demoDigest(char* text, std::size_t size)
{
    Uint32 sum = 2166136261u;  // FNV-1a over what a player could see of each entity
    const auto add = [&sum](const Entity& e) {
        if (!e.active)
            return;
        const long kind = e.type == &enemyType ? 1 : e.type == &bulletType ? 2 : e.type == &missileType ? 3 : 4;
        const long seen[] = {kind, std::lround(std::floor(e.x)), std::lround(std::floor(e.y)),
                             rotationFrame(e.heading), e.health};
        for (long value : seen)
            sum = (sum ^ static_cast<Uint32>(value)) * 16777619u;
    };
    for (const Entity& e : enemyPool)
        add(e);
    for (const Entity& e : shotPool)
        add(e);
    for (const Entity& e : shrapnelPool)
        add(e);
    snprintf(text, size, "lives %d enemies %d ship %.0f,%.0f frame %d energy %d world %x", lives, enemyCount,
             std::floor(playerShip.x), std::floor(playerShip.y), rotationFrame(playerShip.heading), playerShip.health,
             sum);
}

void demoFramePlayed()
{
    if (!demoDigests || framesRead % DEMO_DIGEST_EVERY != 0)
        return;
    char digest[160];
    demoDigest(digest, sizeof digest);
    printf("frame %u: %s\n", framesRead, digest);
}

void demoEndSay()
{
    if (!demoDigests || broken)
        return;
    char digest[160];
    demoDigest(digest, sizeof digest);
    printf("end %u: %s\n", framesRead, digest);
}

int demoPlay(const char* file)
{
    const char* why = "";
    FILE* stream = fileOpenToRead(file, &why);
    playName = file;
    if (!stream)
        return playFailed(why), 1;
    if (!demoOpen(stream, file) || spritesLoadAll() < 0)
        return 1;
    gameStart();
    const clock_t processor = clock();
    const Uint32 start = SDL_GetTicks();
    const bool timed = demoMode == DemoMode::TimePlay;
    FrameClock frames;
    frameClockStart(&frames, SDL_GetTicks());
    // The file's frames, each as long as it was recorded and in real time unless timed; the
    // player may still leave, pause or take a screenshot, and the file's keys play the ship.
    for (;;) {
        if (gamePaused) {
            if (pauseLook(&frames, true))
                break;
            continue;
        }
        Uint32 milliseconds = 0;
        Controls held;
        if (demoNext(&milliseconds, &held) <= 0)
            break;
        if (!timed)
            demoWaitReal(&frames, milliseconds);
        const bool leave = lookTaken(playerLook(gamePaused));
        frameStep(&frames, milliseconds, held);
        demoFramePlayed();
        if (leave || shipIsGameOver())
            break;
    }
    const double seconds = (SDL_GetTicks() - start) / 1000.0;
    const double cpu = static_cast<double>(clock() - processor) * 1000 / CLOCKS_PER_SEC;
    demoEndSay();
    if (timed && !broken)
        printf("timedemo: %u frames in %.2f s, %.1f frames a second, %.2f ms of processor a frame, "
               "frames of %.2f ms median and %.2f ms at the 99th percentile\n",
               framesRead, seconds, framesRead / (seconds > 0 ? seconds : 0.001), cpu / (framesRead ? framesRead : 1),
               histogramShare(&frameCosts, 0.5), histogramShare(&frameCosts, 0.99));
    fclose(stream);
    return broken ? 1 : 0;
}
