// What a frame and a start cost: the floor of every frame (background and flip), a frame
// of a freshly started game, a frame of the fullest screen the pools allow, and the
// start-up from nothing to every picture and sound loaded; with the heap blocks a frame
// asks for. Runs on SDL's dummy drivers with the game's own start-up and pictures.
//
//   skarvel_bench [--check-allocations] [--window] [Google Benchmark flags]
//
// Google Benchmark prints and writes everything (--benchmark_out=FILE for its JSON), times
// in milliseconds. Beside the time, a frame reports allocs, the heap blocks it asked for,
// and a frame of play allocs_beyond_flip, those beyond the blocks of a floor frame counted
// just before it (the flip's own blocks belong to SDL's presentation of the frame); the
// start-up reports cpu_ms, the processor time of the start alone (its CPU column also holds
// the previous run's shut-down). The context above the table names the screen and how long
// the process's first start took. bench/targets.py reads the JSON and sets each frame of
// play against the floor and the targets.
//
// The screen opens full screen, as the game does by default, or in a window with --window.
// --check-allocations fails a frame of play that asks for more blocks than the flip does.

#include "heapcount.h"
#include "scenes.h"

#include "display/background.h"
#include "game/frameloop.h"
#include "game/options.h"
#include "platform/screen.h"
#include "world/pools.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr int TYPICAL_GAME_FRAMES = 300;  // a fresh game every five seconds of play
constexpr int FLOOR_SAMPLE_FRAMES = 8;    // floor frames counted for the flip's own blocks

Uint32 videoFlags = DEFAULT_VIDEO_FLAGS;
bool checkAllocations = false;
bool booted = false;
bool failed = false;

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void fail(benchmark::State& state, const char* why)
{
    failed = true;
    state.SkipWithError(why);
}

// The heap blocks one frame of play asks for: one turn of the game's own loop.
long countFrame()
{
    const long before = heapCountTotal();
    heapCountStart();
    gameTurn();
    heapCountStop();
    return heapCountTotal() - before;
}

// The heap blocks one floor frame asks for; the camera moves on to the next offset.
long countFloorFrame(int& offsetX, int& offsetY)
{
    const long before = heapCountTotal();
    heapCountStart();
    backgroundDraw(offsetX, offsetY);
    SDL_Flip(screenSurface);
    heapCountStop();
    offsetX = (offsetX + FLOOR_STEP_X) % worldWidth;
    offsetY = (offsetY + FLOOR_STEP_Y) % worldHeight;
    return heapCountTotal() - before;
}

// The blocks a floor frame asks for on average, the first one left out.
double floorFrameAllocations()
{
    int offsetX = 0;
    int offsetY = 0;
    countFloorFrame(offsetX, offsetY);
    long allocations = 0;
    for (int i = 0; i < FLOOR_SAMPLE_FRAMES; i++)
        allocations += countFloorFrame(offsetX, offsetY);
    return static_cast<double>(allocations) / FLOOR_SAMPLE_FRAMES;
}

void countAllocations(benchmark::State& state, long allocations)
{
    if (heapCountAvailable())
        state.counters["allocs"] =
            benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

void countPlayAllocations(benchmark::State& state, long allocations, double floorAllocations)
{
    if (!heapCountAvailable())
        return;
    countAllocations(state, allocations);
    const double beyond = allocations - floorAllocations * static_cast<double>(state.iterations());
    state.counters["allocs_beyond_flip"] = benchmark::Counter(beyond, benchmark::Counter::kAvgIterations);
    if (checkAllocations && beyond > 0) {
        char why[96];
        snprintf(why, sizeof why, "a frame allocated %.2f heap blocks more than the flip does",
                 beyond / static_cast<double>(state.iterations()));
        fail(state, why);
    }
}

void floorFrame(benchmark::State& state)
{
    state.SetLabel("background and flip");
    long allocations = 0;
    int offsetX = 0;
    int offsetY = 0;
    for (auto _ : state)
        allocations += countFloorFrame(offsetX, offsetY);
    countAllocations(state, allocations);
}

void typicalFrame(benchmark::State& state)
{
    state.SetLabel("a fresh game, guns held");
    const double floorAllocations = floorFrameAllocations();
    typicalGameStart();
    int frame = 0;
    long allocations = 0;
    for (auto _ : state) {
        if (frame == TYPICAL_GAME_FRAMES) {
            state.PauseTiming();
            typicalGameStart();
            frame = 0;
            state.ResumeTiming();
        }
        allocations += countFrame();
        frame += 1;
    }
    countPlayAllocations(state, allocations, floorAllocations);
}

void crowdFrame(benchmark::State& state)
{
    state.SetLabel("500 enemies, 50 shots, 50 debris");
    const double floorAllocations = floorFrameAllocations();
    crowdBuild();
    gameTurn();
    const char* problem = crowdCheck();
    if (*problem) {
        fail(state, problem);
        return;
    }
    long allocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        crowdRestore();
        state.ResumeTiming();
        allocations += countFrame();
    }
    countPlayAllocations(state, allocations, floorAllocations);
}

double threadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// Each run starts from nothing: the previous run's pictures, sounds, mixer and SDL are
// gone before the clock starts.
void startUp(benchmark::State& state)
{
    state.SetLabel("appInit to the last sprite");
    double cpuMs = 0;
    for (auto _ : state) {
        if (booted) {
            gameShutDown();
            booted = false;
        }
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuMilliseconds();
        const int result = gameBoot(videoFlags);
        const double ms = millisecondsSince(start);
        cpuMs += threadCpuMilliseconds() - cpuStart;
        if (result < 0) {
            fail(state, "the game failed to start");
            return;
        }
        booted = true;
        state.SetIterationTime(ms / 1000);
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpuMs, benchmark::Counter::kAvgIterations);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<char*> arguments;
    for (int i = 0; i < argc; i++) {
        if (std::strcmp(argv[i], "--check-allocations") == 0)
            checkAllocations = true;
        else if (std::strcmp(argv[i], "--window") == 0)
            videoFlags &= ~SDL_FULLSCREEN;
        else
            arguments.push_back(argv[i]);
    }
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 1;

    useDummyDrivers();
    const auto start = std::chrono::steady_clock::now();
    if (gameBoot(videoFlags) < 0)
        return 1;
    const double firstBootMs = millisecondsSince(start);
    booted = true;

    char screen[32];
    snprintf(screen, sizeof screen, "%d x %d x %d bits", screenSurface->w, screenSurface->h,
             screenSurface->format->BitsPerPixel);
    char firstStart[32];
    snprintf(firstStart, sizeof firstStart, "%.3f", firstBootMs);
    benchmark::AddCustomContext(
        "video", videoFlags & SDL_FULLSCREEN ? "full screen (the game's default)" : "in a window (-window)");
    benchmark::AddCustomContext("screen", screen);
    benchmark::AddCustomContext("first_start_ms", firstStart);

    benchmark::RegisterBenchmark("floor", floorFrame)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("typical", typicalFrame)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("crowd", crowdFrame)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("startup", startUp)->UseManualTime()->Unit(benchmark::kMillisecond);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return failed ? 1 : 0;
}
