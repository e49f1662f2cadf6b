// Skarvel: a ship, a wrapping field of stars and 199 enemies.

#include "game/frameloop.h"
#include "game/options.h"
#include "game/playback.h"
#include "game/record.h"
#include "game/settings.h"
#include "game/startup.h"
#include "game/title.h"
#include "platform/files.h"
#include "platform/framestats.h"
#include "platform/input.h"
#include "platform/present.h"
#include "platform/screen.h"

#include <cstdio>

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
    filesStandardOpen();
    CommandLine line = optionsRead(argc, argv);
    if (line.question == Question::Settings) {
        settingsPrint();
        return 0;
    }
    if (optionsAnswer(line))
        return 0;
    const std::string file = settingsFile(line);
    line = settingsApply(file, settingsRead(file, !line.settings.empty()), line);
    screenLossWatch();
    optionsApply(line);
    attractChoose(line.play);
    const DemoMode demo = line.play.demo;
    // A recording that could not be kept is refused before any window opens.
    if (demo == DemoMode::Record && !demoRecordOpen(line.play.demoFile.c_str()))
        return 1;
    if (appInit(line.video.width, line.video.height, line.video.bitsPerPixel, line.video.flags) < 0)
        return 1;
    SDL_ShowCursor(0);
    if (demo == DemoMode::Play || demo == DemoMode::TimePlay) {
        const int status = demoPlay(line.play.demoFile.c_str(), demo == DemoMode::TimePlay);
        SDL_ShowCursor(1);
        frameStatsSay(line.play.frameStats);
        return status;
    }

    // Every game begins and ends at the title screen; only leaving it ends the program, with
    // status 1 when a sprite set could not be loaded there or the recorded game could not be
    // kept. Only the first game is recorded.
    int title;
    int status = 0;
    bool recording = demo == DemoMode::Record;
    while ((title = titleScreenRun()) == 1) {
        if (recording)
            demoRecordStart(screenSurface->format->BitsPerPixel);
        inputInPlay(true);
        gameStart(recording ? recordSource : playerSource);
        gameRun();
        inputInPlay(false);
        if (recording)
            status = demoRecordFinish() ? 0 : 1;
        recording = false;
    }

    SDL_ShowCursor(1);
    frameStatsSay(line.play.frameStats);
    return title < 0 ? 1 : status;
}
