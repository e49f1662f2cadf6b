// What a frame and a start cost: the floor of every frame (background and flip), a frame
// of a freshly started game, a frame of the fullest screen the pools allow, and the
// start-up from nothing to every picture and sound loaded; with the heap blocks a frame
// asks for. Runs on SDL's dummy drivers with the game's own start-up and pictures.
//
//   skarvel_bench [--json FILE] [--check-allocations] [--window] [Google Benchmark flags]
//
// After Google Benchmark's own report it prints one table of medians (of the repetitions,
// when --benchmark_repetitions asks for several) with each frame's cost against the
// floor; --json writes the same table to FILE. The screen opens full screen, as the game
// does by default, or in a window with --window. --check-allocations makes the program
// fail when a frame of play asks the heap for more blocks than the flip alone does (the
// flip's own blocks belong to SDL's presentation of the frame).

#include "heapcount.h"
#include "scenes.h"

#include "display/background.h"
#include "game/frameloop.h"
#include "game/options.h"
#include "platform/startup.h"
#include "world/pools.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int TYPICAL_GAME_FRAMES = 300;  // a fresh game every five seconds of play

// Targets the game is held to on the project's two-core machines.
constexpr double CROWD_TARGET_MS = 1.0;
constexpr double TYPICAL_TARGET_RATIO = 1.5;
constexpr double START_TARGET_MS = 150.0;

// Wall time this far above the thread's own time means other work took the cores.
constexpr double BUSY_RATIO = 1.15;

Uint32 videoFlags = DEFAULT_VIDEO_FLAGS;
bool booted = false;
double firstBootMs = 0;
int screenWidth = 0;
int screenHeight = 0;
int screenDepth = 0;

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void countAllocations(benchmark::State& state, long allocations)
{
    if (heapCountAvailable())
        state.counters["allocs"] =
            benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

// The game's own frame step, its lengths given as a steady clock would measure them.
FrameClock benchClock{};

void countFrame(long& allocations)
{
    const long before = heapCountTotal();
    heapCountStart();
    frameStep(&benchClock, FRAME_MILLISECONDS, BENCH_CONTROLS);
    heapCountStop();
    allocations += heapCountTotal() - before;
}

void floorFrame(benchmark::State& state)
{
    long allocations = 0;
    int offsetX = 0;
    int offsetY = 0;
    for (auto _ : state) {
        const long before = heapCountTotal();
        heapCountStart();
        backgroundDraw(offsetX, offsetY);
        SDL_Flip(screenSurface);
        heapCountStop();
        allocations += heapCountTotal() - before;
        offsetX = (offsetX + FLOOR_STEP_X) % worldWidth;
        offsetY = (offsetY + FLOOR_STEP_Y) % worldHeight;
    }
    countAllocations(state, allocations);
}

void typicalFrame(benchmark::State& state)
{
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
        countFrame(allocations);
        frame += 1;
    }
    countAllocations(state, allocations);
}

void crowdFrame(benchmark::State& state)
{
    crowdBuild();
    frameStep(&benchClock, FRAME_MILLISECONDS, BENCH_CONTROLS);
    const char* problem = crowdCheck();
    if (*problem) {
        state.SkipWithError(problem);
        return;
    }
    long allocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        crowdRestore();
        state.ResumeTiming();
        countFrame(allocations);
    }
    countAllocations(state, allocations);
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
            state.SkipWithError("the game failed to start");
            return;
        }
        booted = true;
        state.SetIterationTime(ms / 1000);
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpuMs, benchmark::Counter::kAvgIterations);
}

// Keeps the figures of the benchmarks as they are reported, the median of each when
// there are repetitions.
class TableReporter : public benchmark::ConsoleReporter {
public:
    struct Figure {
        double wallMs = 0;
        double cpuMs = 0;
        double allocations = -1;  // none counted
        bool median = false;
        bool failed = false;
    };

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const bool isMedian = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !isMedian)
                continue;
            Figure& figure = figures[run.run_name.function_name];
            if (run.error_occurred) {
                figure.failed = true;
                continue;
            }
            if (figure.median && !isMedian)
                continue;
            figure.median = isMedian;
            const double toMs = 1000 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            figure.wallMs = run.GetAdjustedRealTime() * toMs;
            figure.cpuMs = run.GetAdjustedCPUTime() * toMs;
            if (const auto cpu = run.counters.find("cpu_ms"); cpu != run.counters.end())
                figure.cpuMs = cpu->second.value;
            if (const auto allocs = run.counters.find("allocs"); allocs != run.counters.end())
                figure.allocations = allocs->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, Figure> figures;
};

struct Row {
    const char* name;
    const char* what;
};

constexpr Row ROWS[] = {
    {"floor", "floor: background and flip"},
    {"typical", "typical frame: a fresh game, guns held"},
    {"crowd", "crowd frame: 500 enemies, 50 shots, 50 debris"},
    {"startup", "start-up: appInit to the last sprite"},
};

struct Line {
    const char* name = "";
    const char* what = "";
    TableReporter::Figure figure;
    double ratio = 0;          // to the floor, frames only
    double aboveFloorMs = 0;   // the frame's own share beyond the floor
    double allocsBeyond = -1;  // heap blocks beyond those of the floor's flip
    std::string target;
    bool met = true;
};

Line judge(const Row& row, const TableReporter::Figure& figure, const TableReporter::Figure* floor)
{
    Line line;
    line.name = row.name;
    line.what = row.what;
    line.figure = figure;
    const std::string name = row.name;
    const bool isFrame = name == "typical" || name == "crowd";
    if (isFrame && floor) {
        line.ratio = figure.wallMs / floor->wallMs;
        line.aboveFloorMs = figure.wallMs - floor->wallMs;
        if (figure.allocations >= 0 && floor->allocations >= 0)
            line.allocsBeyond = figure.allocations - floor->allocations;
    }
    char text[64] = "";
    if (name == "typical") {
        snprintf(text, sizeof text, "<= %.1f x floor", TYPICAL_TARGET_RATIO);
        line.met = floor && line.ratio <= TYPICAL_TARGET_RATIO;
    } else if (name == "crowd") {
        snprintf(text, sizeof text, "<= %.1f ms", CROWD_TARGET_MS);
        line.met = figure.wallMs <= CROWD_TARGET_MS;
    } else if (name == "startup") {
        snprintf(text, sizeof text, "<= %.0f ms", START_TARGET_MS);
        line.met = figure.wallMs <= START_TARGET_MS;
    }
    line.target = text;
    if (isFrame && line.allocsBeyond > -1) {
        line.target += ", no allocation beyond the flip's";
        line.met = line.met && line.allocsBeyond <= 0;
    }
    return line;
}

std::vector<Line> tableLines(const std::map<std::string, TableReporter::Figure>& figures)
{
    const auto floorFound = figures.find("floor");
    const TableReporter::Figure* floor =
        floorFound != figures.end() && !floorFound->second.failed ? &floorFound->second : nullptr;
    std::vector<Line> lines;
    for (const Row& row : ROWS) {
        const auto found = figures.find(row.name);
        if (found != figures.end())
            lines.push_back(judge(row, found->second, floor));
    }
    return lines;
}

std::string number(double value, const char* format, bool shown)
{
    char text[32] = "";
    if (shown)
        snprintf(text, sizeof text, format, value);
    return text;
}

void printTable(const std::vector<Line>& lines, const char* mode)
{
    printf("\nSkarvel on SDL's dummy drivers, %s, screen %d x %d x %d bits; medians\n", mode, screenWidth, screenHeight,
           screenDepth);
    printf("%-47s %9s %9s %7s %9s %7s %7s  %s\n", "figure", "wall ms", "cpu ms", "x floor", "+floor ms", "allocs",
           "+allocs", "target");
    for (const Line& line : lines) {
        if (line.figure.failed) {
            printf("%-47s %9s\n", line.what, "failed");
            continue;
        }
        const bool isFrame = line.ratio > 0;
        printf("%-47s %9.3f %9.3f %7s %9s %7s %7s  %s%s\n", line.what, line.figure.wallMs, line.figure.cpuMs,
               number(line.ratio, "%.2f", isFrame).c_str(), number(line.aboveFloorMs, "%.3f", isFrame).c_str(),
               number(line.figure.allocations, "%.2f", line.figure.allocations >= 0).c_str(),
               number(line.allocsBeyond, "%.2f", line.allocsBeyond > -1).c_str(), line.target.c_str(),
               line.target.empty() ? ""
                   : line.met      ? " (met)"
                                   : " (MISSED)");
    }
    printf("%-47s %9.3f\n", "first start of this process (one run)", firstBootMs);
    for (const Line& line : lines) {
        if (!line.figure.failed && line.figure.wallMs > BUSY_RATIO * line.figure.cpuMs) {
            printf("The machine was busy: the %s figure's wall time is %.0f%% above the time the game thread ran;\n"
                   "the cpu column is what the frames themselves cost. Run again on a quiet machine.\n",
                   line.name, (line.figure.wallMs / line.figure.cpuMs - 1) * 100);
            break;
        }
    }
}

bool writeJson(const std::vector<Line>& lines, const char* mode, const char* path)
{
    FILE* json = fopen(path, "w");
    if (!json)
        return false;
    fprintf(json, "{\n  \"mode\": \"%s\",\n  \"screen\": [%d, %d, %d],\n  \"first_start_ms\": %.4f,\n  \"figures\": [",
            mode, screenWidth, screenHeight, screenDepth, firstBootMs);
    const char* separator = "";
    for (const Line& line : lines) {
        fprintf(json, "%s\n    {\"name\": \"%s\", \"what\": \"%s\"", separator, line.name, line.what);
        separator = ",";
        if (line.figure.failed) {
            fprintf(json, ", \"failed\": true}");
            continue;
        }
        fprintf(json, ", \"wall_ms\": %.4f, \"cpu_ms\": %.4f", line.figure.wallMs, line.figure.cpuMs);
        if (line.ratio > 0)
            fprintf(json, ", \"ratio_to_floor\": %.4f, \"above_floor_ms\": %.4f", line.ratio, line.aboveFloorMs);
        if (line.figure.allocations >= 0)
            fprintf(json, ", \"allocations_per_frame\": %.4f", line.figure.allocations);
        if (line.allocsBeyond > -1)
            fprintf(json, ", \"allocations_beyond_floor\": %.4f", line.allocsBeyond);
        if (!line.target.empty())
            fprintf(json, ", \"target\": \"%s\", \"met\": %s", line.target.c_str(), line.met ? "true" : "false");
        fprintf(json, "}");
    }
    fprintf(json, "\n  ]\n}\n");
    return fclose(json) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* jsonPath = nullptr;
    bool checkAllocations = false;
    std::vector<char*> arguments;
    for (int i = 0; i < argc; i++) {
        if (std::strcmp(argv[i], "--json") == 0 && i + 1 < argc)
            jsonPath = argv[++i];
        else if (std::strcmp(argv[i], "--check-allocations") == 0)
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
    const char* mode = videoFlags & SDL_FULLSCREEN ? "full screen (the game's default)" : "in a window (-window)";

    useDummyDrivers();
    const auto start = std::chrono::steady_clock::now();
    if (gameBoot(videoFlags) < 0)
        return 1;
    firstBootMs = millisecondsSince(start);
    booted = true;
    screenWidth = screenSurface->w;
    screenHeight = screenSurface->h;
    screenDepth = screenSurface->format->BitsPerPixel;

    benchmark::RegisterBenchmark("floor", floorFrame)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("typical", typicalFrame)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("crowd", crowdFrame)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("startup", startUp)->UseManualTime()->Unit(benchmark::kMillisecond);

    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const std::vector<Line> lines = tableLines(reporter.figures);
    printTable(lines, mode);
    int status = 0;
    if (jsonPath && !writeJson(lines, mode, jsonPath)) {
        fprintf(stderr, "failed to write %s\n", jsonPath);
        status = 1;
    }
    for (const Line& line : lines) {
        if (line.figure.failed)
            status = 1;
        if (checkAllocations && line.allocsBeyond > 0) {
            fprintf(stderr, "a %s frame allocated %.2f heap blocks more than the flip does\n", line.name,
                    line.allocsBeyond);
            status = 1;
        }
    }
    return status;
}
