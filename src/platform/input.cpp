#include "platform/input.h"

#include "platform/host.h"
#include "platform/screenshot.h"
#include "platform/startup.h"

#include <SDL.h>

#include <cstdlib>

int keyUp = 0;
int keyDown = 0;
int keyRight = 0;
int keyLeft = 0;
int keySpace = 0;
int keyRightCtrl = 0;
int keyM = 0;
int keyRightShift = 0;
int gamePaused = 0;

namespace {

constexpr Sint16 STICK_DEAD_ZONE = 8192;  // a quarter of the way: a resting stick is no push

// A flag is held while its key or the gamepad holds it; the two never take it from each other.
struct Control {
    SDLKey key;
    int* flag;
    bool byKeyboard;
    bool byPad;
};
Control controls[] = {{SDLK_UP, &keyUp, false, false},     {SDLK_DOWN, &keyDown, false, false},
                      {SDLK_RIGHT, &keyRight, false, false}, {SDLK_LEFT, &keyLeft, false, false},
                      {SDLK_SPACE, &keySpace, false, false}, {SDLK_RCTRL, &keyRightCtrl, false, false},
                      {SDLK_m, &keyM, false, false},         {SDLK_RSHIFT, &keyRightShift, false, false}};

SDL_Joystick* pad = nullptr;

Control* controlOf(SDLKey key)
{
    for (Control& control : controls)
        if (control.key == key)
            return &control;
    return nullptr;
}

void hold(Control& control, bool byKeyboard, bool byPad)
{
    control.byKeyboard = byKeyboard;
    control.byPad = byPad;
    *control.flag = byKeyboard || byPad;
}

// What the pad holds now, from its stick, its d-pad and its face buttons.
bool padHolds(SDLKey key)
{
    if (!pad)
        return false;
    const Sint16 x = SDL_JoystickGetAxis(pad, 0), y = SDL_JoystickGetAxis(pad, 1);
    const Uint8 hat = SDL_JoystickNumHats(pad) > 0 ? SDL_JoystickGetHat(pad, 0) : 0;
    const auto button = [](int number) { return SDL_JoystickNumButtons(pad) > number && SDL_JoystickGetButton(pad, number); };
    switch (key) {
    case SDLK_LEFT: return x < -STICK_DEAD_ZONE || (hat & SDL_HAT_LEFT);
    case SDLK_RIGHT: return x > STICK_DEAD_ZONE || (hat & SDL_HAT_RIGHT);
    case SDLK_UP: return y < -STICK_DEAD_ZONE || (hat & SDL_HAT_UP);
    case SDLK_DOWN: return y > STICK_DEAD_ZONE || (hat & SDL_HAT_DOWN);
    case SDLK_SPACE: return button(PAD_FIRE) || button(PAD_FIRE_TOO);
    case SDLK_m: return button(PAD_MISSILES) || button(PAD_MISSILES_TOO);
    default: return false;
    }
}

}  // namespace

void inputJoystickOpen()
{
    // The first joystick found, read through its events like the keyboard.
    if (SDL_NumJoysticks() > 0 && (pad = SDL_JoystickOpen(0)) != nullptr)
        SDL_JoystickEventState(SDL_ENABLE);
}

void inputJoystickLookAgain()
{
    if (!pad && joystickEnabled)
        inputJoystickOpen();
}

int inputPoll()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        const SDLKey key = event.type == SDL_KEYDOWN || event.type == SDL_KEYUP ? event.key.keysym.sym : SDLK_UNKNOWN;
        switch (event.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (Control* control = controlOf(key))
                hold(*control, event.type == SDL_KEYDOWN, control->byPad);
            else if (key == SDLK_s && event.type == SDL_KEYDOWN)
                screenshotSave();
            else if (key == SDLK_p && event.type == SDL_KEYDOWN)
                gamePaused = !gamePaused;
            else if (key == SDLK_ESCAPE)
                return 1;
            break;
        case SDL_JOYBUTTONDOWN:
            if (event.jbutton.button == PAD_BACK)
                return 1;
            if (event.jbutton.button == PAD_START)
                gamePaused = !gamePaused;
            [[fallthrough]];
        case SDL_JOYBUTTONUP:
        case SDL_JOYAXISMOTION:
        case SDL_JOYHATMOTION:
            for (Control& control : controls)
                hold(control, control.byKeyboard, padHolds(control.key));
            break;
        case SDL_ACTIVEEVENT:
            // A window that loses the keyboard, or is hidden or minimised, pauses the game.
            if (!event.active.gain && (event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)))
                gamePaused = 1;
            break;
        case SDL_QUIT: return 1;
        default: break;
        }
    }
    return 0;
}

bool inputWindowKey(const SDL_Event& event)
{
    if (event.type != SDL_KEYDOWN)
        return false;
    const SDLKey key = event.key.keysym.sym;
    return key == SDLK_LALT || key == SDLK_RALT || (key == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT));
}

Press inputAnyPress()
{
    Press press = Press::None;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT)
            press = Press::WindowClosed;
        else if ((event.type == SDL_KEYDOWN || event.type == SDL_JOYBUTTONDOWN || event.type == SDL_MOUSEBUTTONDOWN) &&
                 press == Press::None && !inputWindowKey(event))
            press = Press::Any;
    }
    return press;
}

void inputReleaseLiftedKeys()
{
    const Uint8* keyboard = hostKeysHeld();
    // The classic SDL 1.2 reads joysticks it never started (-nojoystick) through a null list.
    if (SDL_WasInit(SDL_INIT_JOYSTICK))
        SDL_JoystickUpdate();
    for (Control& control : controls)
        hold(control, control.byKeyboard && keyboard[control.key], control.byPad && padHolds(control.key));
}
