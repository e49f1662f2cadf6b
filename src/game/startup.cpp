#include "game/startup.h"

#include "display/background.h"
#include "game/titlekeys.h"
#include "platform/digits.h"
#include "platform/input.h"
#include "platform/pictures.h"
#include "platform/present.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "world/assets.h"

#include <cstdio>
#include <initializer_list>

SDL_Surface* introImage = nullptr;
SDL_Surface* loadingImage = nullptr;
SDL_Surface* readyImage = nullptr;
SDL_Surface* titleImage = nullptr;
SDL_Surface* pausedImage = nullptr;
SDL_Surface* demoPlate = nullptr;
bool soundEnabled = true;
bool joystickEnabled = true;

namespace {

struct PictureInto {
    Picture picture;
    SDL_Surface** into;
};

// Several pictures into their places, in turn, stopping at the first failure.
int picturesLoad(std::initializer_list<PictureInto> pictures)
{
    for (const PictureInto& one : pictures)
        if (!(*one.into = pictureLoad(pictureFile(one.picture))))
            return -1;
    return 0;
}

// The intro and the ready picture put together, the keys written over them, and kept as the
// title; 0, or -1 after setting why.
int titleWrite()
{
    SDL_Surface* canvas = pictureCanvasOpen();
    if (!canvas)
        return -1;
    SDL_Rect top{0, 0, 0, 0};
    SDL_BlitSurface(introImage, nullptr, canvas, &top);
    SDL_Rect strip{0, TITLE_STRIP_Y, 0, 0};
    SDL_BlitSurface(readyImage, nullptr, canvas, &strip);
    titleKeysWrite(canvas);
    pictureCanvasKeep(canvas, titleImage);
    return 0;
}

}  // namespace

int appInit(int width, int height, int bitsPerPixel, Uint32 flags)
{
    const Uint32 systems =
        SDL_INIT_VIDEO | (soundEnabled ? SDL_INIT_AUDIO : 0) | (joystickEnabled ? SDL_INIT_JOYSTICK : 0);
    if (screenStart(systems) < 0)
        return -1;
    if (joystickEnabled)
        inputJoystickOpen();
    // The window's own icon, for the task bar; without the file the window simply has none.
    if (screenOpen(width, height, bitsPerPixel, flags, pictureLoad(pictureFile(Picture::Icon))) < 0)
        return -1;

    // The loading picture is the first thing shown, as soon as it can be: everything else
    // loads under it.
    if (titleImagesLoad() < 0)
        return -1;
    titleShow(loadingImage);

    if (picturesLoad({{Picture::Background, &backgroundImage}}) < 0)
        return -1;
    if (soundEnabled && soundInit(SOUND_FILES, SOUND_COUNT) < 0)
        return -1;

    SDL_WM_SetCaption("Skarvel OS4", "Skarvel OS4");

    return picturesLoad(
        {{Picture::Numbers, &numbersImage}, {Picture::Paused, &pausedImage}, {Picture::DemoPlate, &demoPlate}});
}

void titleShow(SDL_Surface* lower)
{
    if (titleKeysStale())
        titleWrite();  // as it was, when it cannot be written again
    SDL_Rect top{0, 0, 0, 0};
    SDL_BlitSurface(titleImage, nullptr, screenSurface, &top);
    SDL_Rect strip{0, TITLE_STRIP_Y, 0, 0};
    if (lower != readyImage)  // which the title holds, with its keys
        SDL_BlitSurface(lower, nullptr, screenSurface, &strip);
    presentFrame(screenSurface);
}

int titleImagesLoad()
{
    SDL_Surface* font = nullptr;
    if (picturesLoad({{Picture::Intro, &introImage},
                      {Picture::Loading, &loadingImage},
                      {Picture::Ready, &readyImage},
                      {Picture::Font, &font}}) < 0)
        return -1;
    textLoad(font);
    titleImage = pictureCopy(introImage);
    if (!titleImage || titleWrite() < 0) {
        fprintf(stderr, "failed to prepare the title for display: %s\n", SDL_GetError());
        return -1;
    }
    return 0;
}
