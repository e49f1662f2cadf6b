// Bringing the game from nothing to a ready screen: SDL, the video mode, the background,
// digit and title pictures, and the sound; and the title's pictures shown.
#pragma once

#include <SDL.h>

// The title's pictures as generated, without a key named on them.
extern SDL_Surface* introImage;
extern SDL_Surface* loadingImage;
extern SDL_Surface* readyImage;
// The title as shown: the intro with the ready picture over its lowest rows, and over both the
// keys as the actions are bound (titlekeys.h), written again whenever the bindings change.
extern SDL_Surface* titleImage;
extern SDL_Surface* pausedImage;
extern SDL_Surface* demoPlate;  // over a demo the title screen shows

// What start-up opens besides the screen; the command line may leave either out.
extern bool soundEnabled;     // false: no audio device, no sounds, silent play
extern bool joystickEnabled;  // false: joysticks left alone

// 0 when everything is ready, -1 after a failure it has reported. What was set up before
// the failure stays in place. Without a real display (SDL falling back on its invisible
// offscreen or dummy driver unasked) start-up stops there. The intro picture with the
// loading picture over it is shown as soon as the screen and the title pictures are there,
// before the rest is loaded.
int appInit(int width, int height, int bitsPerPixel, Uint32 flags);

// The intro, loading and ready pictures and the font, and the title written from them.
int titleImagesLoad();

// The intro picture with the loading or the ready picture over its lowest rows, shown, the
// keys named on them as they are bound now.
void titleShow(SDL_Surface* lower);
