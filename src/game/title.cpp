#include "game/title.h"

#include "enemies/enemy.h"
#include "enemies/shrapnel.h"
#include "platform/host.h"
#include "platform/input.h"
#include "platform/screenshot.h"
#include "platform/startup.h"
#include "player/bullet.h"
#include "player/missile.h"
#include "player/ship.h"

#include <SDL.h>

int spritesLoaded = 0;

int spritesLoadAll()
{
    // Set first, so the title screen never shows the loading picture twice.
    spritesLoaded = 1;
    if (shipLoad() < 0 || enemyLoad() < 0 || bulletLoad() < 0 || missileLoad() < 0 || shrapnelLoad() < 0)
        return -1;
    return 0;
}

namespace {

void showTitle(SDL_Surface* lower)
{
    SDL_Rect top{0, 0, 0, 0};
    SDL_BlitSurface(introImage, nullptr, screenSurface, &top);
    SDL_Rect strip{0, TITLE_STRIP_Y, 0, 0};
    SDL_BlitSurface(lower, nullptr, screenSurface, &strip);
    hostFrameShow(screenSurface);
}

}  // namespace

int titleScreenRun()
{
    int done = 0;
    int result = 0;
    while (!done) {
        // The whole queue is read even after a decision: a later request overrides an
        // earlier one within the same poll.
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            // Start and Back of a gamepad stand for Space and Escape.
            const SDLKey key = event.type == SDL_KEYDOWN ? event.key.keysym.sym : SDLK_UNKNOWN;
            const int button = event.type == SDL_JOYBUTTONDOWN ? event.jbutton.button : -1;
            if (event.type == SDL_QUIT || key == SDLK_ESCAPE || button == PAD_BACK) {
                done = 1;
                result = 0;
            } else if ((key == SDLK_SPACE || button == PAD_START) && spritesLoaded) {
                done = 1;
                result = 1;
            } else if (key == SDLK_s) {
                screenshotSave();
            }
        }
        hostWait(TITLE_POLL_MS);
        inputJoystickLookAgain();
        if (!spritesLoaded) {
            showTitle(loadingImage);
            if (spritesLoadAll() < 0)
                return -1;
        } else {
            showTitle(readyImage);
        }
    }
    return result;
}
