#include "game/record.h"

#include "game/demofile.h"
#include "platform/files.h"
#include "world/dice.h"
#include "world/numbers.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

WholeFile demoFile;
bool demoFileOpen = false;  // made at start-up, not yet given its name or dropped
FILE* recording = nullptr;  // the demo's file while a game is recorded
bool recordBroken = false;
Uint32 recordedFrames = 0;
Uint16 recordedFlags = 0;

void recordFailed(const char* reason)
{
    fprintf(stderr, "failed to record demo %s: %s\n", demoFile.name, reason);
    recordBroken = true;
    recording = nullptr;
}

void recordDrop()
{
    const char* why = "";
    if (demoFileOpen)
        wholeFileFinish(&demoFile, false, &why);
    demoFileOpen = false;
}

FrameAnswer recordNext(Frame* frame)
{
    const FrameAnswer answer = playerSource.next(frame);
    if (answer == FrameAnswer::Ready)
        demoRecordFrame(frame->milliseconds, frame->controls);
    return answer;
}

}  // namespace

const FrameSource recordSource = {recordNext, playerPausedLook, playerClockRestart};

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
    const Uint32 seed = static_cast<Uint32>(time(nullptr)) ^ SDL_GetTicks() * 2654435761u;
    diceSeed(seed);
    if (!demoFileOpen)
        return;
    recording = demoFile.file;
    demoHeaderWrite(recording,
                    {DEMO_FORMAT, SKARVEL_VERSION_MAJOR, SKARVEL_VERSION_MINOR, seed, static_cast<Uint16>(depth),
                     carried.bulletCooldown, carried.missileCooldown, 0});
    recordedFrames = 0;
}

void demoRecordFrame(Uint32 milliseconds, const Controls& controls)
{
    if (!recording)
        return;
    const Uint16 flags = demoFlagsPack(controls);
    demoFrameWrite(recording, milliseconds, flags, recordedFrames == 0 || flags != recordedFlags);
    recordedFrames++;
    recordedFlags = flags;
    if (ferror(recording))
        recordFailed(strerror(errno));
}

bool demoRecordFinish()
{
    const char* why = "not written";
    const bool whole = recording && !recordBroken;
    if (whole)
        demoFrameCountWrite(recording, recordedFrames);
    recording = nullptr;
    demoFileOpen = false;
    if (!wholeFileFinish(&demoFile, whole, &why) && !recordBroken) {
        fprintf(stderr, "failed to record demo %s: %s\n", demoFile.name, why);
        return false;
    }
    return !recordBroken;
}
