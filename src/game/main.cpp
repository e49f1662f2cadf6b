// Skarvel: a ship, a wrapping field of stars and 199 enemies.

#include "game/frameloop.h"
#include "game/options.h"
#include "game/settings.h"
#include "game/title.h"
#include "platform/framestats.h"
#include "platform/host.h"
#include "platform/present.h"
#include "platform/startup.h"

namespace {

void frameStatsSay(bool asked)
{
    char text[256];
    frameStatsLine(text, sizeof text, presentPath(), presentRefreshSeconds());
    if (asked)
        puts(text);
}

}  // namespace

int main(int argc, char** argv)
{
    hostStandardStreamsOpen();
    CommandLine line = optionsRead(argc, argv);
    if (line.question == Question::Settings)
        return settingsPrint(), 0;
    if (optionsAnswer(line))
        return 0;
    line = settingsRead(settingsFile(line), line);
    hostDisplayLossWatch();
    optionsApply(line);
    // A recording that could not be kept is refused before any window opens.
    if (demoMode == DemoMode::Record && !demoRecordOpen(line.play.demoFile.c_str()))
        return 1;
    if (appInit(line.video.width, line.video.height, line.video.bitsPerPixel, line.video.flags) < 0)
        return 1;
    SDL_ShowCursor(0);
    if (demoMode == DemoMode::Play || demoMode == DemoMode::TimePlay) {
        const int status = demoPlay(line.play.demoFile.c_str());
        SDL_ShowCursor(1);
        frameStatsSay(line.play.frameStats);
        return status;
    }

    // Every game begins and ends at the title screen; only leaving it ends the program, with
    // status 1 when a sprite set could not be loaded there or the recorded game could not be
    // kept.
    int title;
    int status = 0;
    while ((title = titleScreenRun()) == 1) {
        const bool recorded = demoMode == DemoMode::Record;
        if (recorded)
            demoRecordStart(screenSurface->format->BitsPerPixel);
        hostInPlay(true);
        gameStart();
        gamePlay(recorded ? demoRecordFrame : nullptr);
        hostInPlay(false);
        if (demoMode == DemoMode::Record) {
            status = demoRecordFinish() ? 0 : 1;
            demoMode = DemoMode::None;  // only the next game
        }
    }

    SDL_ShowCursor(1);
    frameStatsSay(line.play.frameStats);
    return title < 0 ? 1 : status;
}
