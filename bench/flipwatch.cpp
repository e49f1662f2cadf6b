// Loaded into any build of the game with LD_PRELOAD (scripts/bench-present.sh does), it notes
// when every frame reaches SDL_Flip and what processor time the process had used by then, and
// prints at exit: the frames of play (those shown less than 90 ms after the one before; the
// title screen shows one every 100 ms), their rate, the processor milliseconds a frame of play
// cost, the median interval, and the milliseconds from the start of the process to its first
// frame: from the moment FLIPWATCH_LAUNCHED gives (nanoseconds of the real-time clock, as
// `date +%s%N` prints them just before the game starts), or else from when the libraries were
// loaded, which can be tens of milliseconds later. It changes nothing the game does.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>

namespace {

using Flip = int (*)(SDL_Surface*);
constexpr int MOST = 1 << 16;
std::array<double, MOST> shownAt, cpuAt;  // seconds
int shown = 0;
double startedAt = 0;

double now(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

__attribute__((constructor)) void started()
{
    startedAt = now(CLOCK_MONOTONIC);
    // The launch, on the monotonic clock: where the real-time clock was then, moved by as much
    // as it has moved since.
    if (const char* launched = getenv("FLIPWATCH_LAUNCHED"))
        startedAt -= now(CLOCK_REALTIME) - atof(launched) / 1e9;
}

__attribute__((destructor)) void report()
{
    std::array<double, MOST> intervals{};
    int play = 0;
    double playSeconds = 0, playCpu = 0;
    for (int i = 1; i < shown; i++) {
        const double interval = shownAt[i] - shownAt[i - 1];
        if (interval >= 0.090)
            continue;
        intervals[play++] = interval;
        playSeconds += interval;
        playCpu += cpuAt[i] - cpuAt[i - 1];
    }
    std::sort(intervals.begin(), intervals.begin() + play);
    fprintf(stderr, "flipwatch: %d frames of play, %.1f a second, %.2f ms of processor a frame, median interval %.2f ms, "
                    "first frame after %.0f ms\n",
            play, play / (playSeconds > 0 ? playSeconds : 1), 1000 * playCpu / (play ? play : 1),
            play ? 1000 * intervals[play / 2] : 0.0, shown ? 1000 * (shownAt[0] - startedAt) : 0.0);
}

}  // namespace

extern "C" int SDL_Flip(SDL_Surface* screen)
{
    static const Flip flip = reinterpret_cast<Flip>(dlsym(RTLD_NEXT, "SDL_Flip"));
    const int result = flip(screen);
    if (shown < MOST) {
        shownAt[shown] = now(CLOCK_MONOTONIC);
        cpuAt[shown++] = now(CLOCK_PROCESS_CPUTIME_ID);
    }
    return result;
}
