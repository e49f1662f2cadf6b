#include "platform/framestats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

FrameHistogram frameIntervals{};
FrameHistogram frameCosts{};

namespace {

double lastShown = -1;
unsigned framesShown = 0;

}  // namespace

void histogramAdd(FrameHistogram* histogram, double milliseconds)
{
    // Counted in whole microseconds first, so that 16.7 ms falls in the bin of 16.7 to 16.8.
    const long microseconds = milliseconds < 0 ? 0 : std::lround(std::min(milliseconds, 1e6) * 1000);
    const long bin = microseconds / std::lround(FRAME_BIN_MS * 1000);
    histogram->bins[bin < FRAME_BINS ? bin : FRAME_BINS - 1] += 1;
    histogram->count += 1;
    if (milliseconds > histogram->longest)
        histogram->longest = milliseconds;
}

double histogramShare(const FrameHistogram* histogram, double share)
{
    // The bin that holds the frame ranked at that share, read at its middle.
    const double rank = share * histogram->count;
    unsigned seen = 0;
    for (int bin = 0; bin < FRAME_BINS; bin++) {
        seen += histogram->bins[bin];
        if (seen > 0 && seen >= rank)
            return bin == FRAME_BINS - 1 ? histogram->longest : (bin + 0.5) * FRAME_BIN_MS;
    }
    return 0;
}

unsigned histogramOver(const FrameHistogram* histogram, double milliseconds)
{
    unsigned over = 0;
    for (int bin = 0; bin < FRAME_BINS; bin++)
        over += bin * FRAME_BIN_MS >= milliseconds ? histogram->bins[bin] : 0;
    return over;
}

void frameStatsShown(double now)
{
    if (lastShown >= 0)
        histogramAdd(&frameIntervals, 1000 * (now - lastShown));
    lastShown = now;
    framesShown += 1;
}

void frameStatsRestart()
{
    lastShown = -1;
}

void frameStatsLine(char* text, std::size_t size, const char* presentation, double refreshSeconds)
{
    const FrameHistogram& h = frameIntervals;
    const unsigned late = histogramOver(&h, 1500 * refreshSeconds);
    snprintf(text, size,
             "framestats: %s, %u frames, intervals median %.1f ms, 99th percentile %.1f ms, longest %.1f ms, "
             "%u late (%.1f%%)",
             presentation, framesShown, histogramShare(&h, 0.5), histogramShare(&h, 0.99), h.longest,
             late, h.count ? 100.0 * late / h.count : 0.0);
}
