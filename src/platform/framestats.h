// How even the frames come: the intervals between frames shown in play, and what each frame
// cost, counted into histograms of fixed bins made before play (a tenth of a millisecond
// each, up to 100 ms, the longest kept apart), so a game of any length fits and play
// allocates nothing. The frame rate in the corner is a mean; these say how the frames
// around it were spread.
#pragma once

#include <array>
#include <cstddef>

constexpr int FRAME_BINS = 1000;
constexpr double FRAME_BIN_MS = 0.1;

struct FrameHistogram {
    std::array<unsigned, FRAME_BINS> bins;  // the last also holds every longer one
    unsigned count;
    double longest;  // milliseconds
};

void histogramAdd(FrameHistogram* histogram, double milliseconds);
// The milliseconds below which that share (0 to 1) of the counted ones lies, to a bin.
double histogramShare(const FrameHistogram* histogram, double share);
// How many lasted longer than that many milliseconds.
unsigned histogramOver(const FrameHistogram* histogram, double milliseconds);

// The frames of every game played: shown is called after each frame shows, restart where the
// interval to the next one is none of the frames' doing (a new game, the end of a pause);
// cost is what one frame took from its start to its show.
extern FrameHistogram frameIntervals;
extern FrameHistogram frameCosts;
void frameStatsShown(double now);
void frameStatsRestart();

// -framestats: one line for the games played, the presentation named: frames, the median,
// 99th-percentile and longest interval between frames shown, and the frames that came later
// than 1.5 refresh intervals after the one before.
void frameStatsLine(char* text, std::size_t size, const char* presentation, double refreshSeconds);
