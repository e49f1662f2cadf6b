// Skarvel: a ship, a wrapping field of stars and 199 enemies.

#include "game/frameloop.h"
#include "game/options.h"
#include "game/title.h"
#include "platform/host.h"
#include "platform/startup.h"

int main(int argc, char** argv)
{
    hostStandardStreamsOpen();
    if (optionsAnswered(argc, argv))
        return 0;
    hostDisplayLossWatch();
    const PlayChoices choices = optionsChoices(argc, argv);
    optionsApply(choices);
    const VideoRequest request = optionsParse(argc, argv);
    if (appInit(request.width, request.height, request.bitsPerPixel, request.flags) < 0)
        return 1;
    SDL_ShowCursor(0);
    if (demoMode == DemoMode::Play || demoMode == DemoMode::TimePlay) {
        const int status = demoPlay(choices.demoFile.c_str());
        SDL_ShowCursor(1);
        return status;
    }

    // Every game begins and ends at the title screen; only leaving it ends the program, with
    // status 1 when a sprite set could not be loaded there.
    int title;
    while ((title = titleScreenRun()) == 1) {
        if (demoMode == DemoMode::Record)
            demoRecordStart(choices.demoFile.c_str(), screenSurface->format->BitsPerPixel);
        gameStart();
        gamePlay();
        if (demoMode == DemoMode::Record) {
            demoRecordFinish();
            demoMode = DemoMode::None;  // only the next game
        }
    }

    SDL_ShowCursor(1);
    return title < 0 ? 1 : 0;
}
