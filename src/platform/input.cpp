#include "platform/input.h"

#include "platform/screenshot.h"

#include <SDL.h>

int keyUp = 0;
int keyDown = 0;
int keyRight = 0;
int keyLeft = 0;
int keySpace = 0;
int keyRightCtrl = 0;
int keyM = 0;
int keyRightShift = 0;

namespace {

constexpr SDLKey CONTROL_KEYS[] = {SDLK_UP, SDLK_DOWN, SDLK_RIGHT, SDLK_LEFT, SDLK_SPACE, SDLK_RCTRL, SDLK_m, SDLK_RSHIFT};

int* keyFlag(SDLKey key)
{
    switch (key) {
    case SDLK_UP: return &keyUp;
    case SDLK_DOWN: return &keyDown;
    case SDLK_RIGHT: return &keyRight;
    case SDLK_LEFT: return &keyLeft;
    case SDLK_SPACE: return &keySpace;
    case SDLK_RCTRL: return &keyRightCtrl;
    case SDLK_m: return &keyM;
    case SDLK_RSHIFT: return &keyRightShift;
    default: return nullptr;
    }
}

}  // namespace

int inputPoll()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_KEYDOWN:
            if (int* flag = keyFlag(event.key.keysym.sym))
                *flag = 1;
            else if (event.key.keysym.sym == SDLK_s)
                screenshotSave();
            else if (event.key.keysym.sym == SDLK_ESCAPE)
                return 1;
            break;
        case SDL_KEYUP:
            if (int* flag = keyFlag(event.key.keysym.sym))
                *flag = 0;
            else if (event.key.keysym.sym == SDLK_ESCAPE)
                return 1;
            break;
        case SDL_QUIT: return 1;
        default: break;
        }
    }
    return 0;
}

void inputReleaseLiftedKeys()
{
    const Uint8* held = SDL_GetKeyState(nullptr);
    for (SDLKey key : CONTROL_KEYS)
        if (!held[key])
            *keyFlag(key) = 0;
}
