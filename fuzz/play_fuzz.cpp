// libFuzzer target: arbitrary bytes become a player's doings, pushed into SDL's real event
// queue (any key pressed or released, the window closed, the mouse moved and clicked), and
// frames of 1 ms to 3 s run through the game's own steps, the title screen between games
// included. Every rule of play is checked after every frame; a broken one aborts.
//
// The first byte sets the millisecond clock, up to 21 minutes before it wraps; then each
// command takes two bytes, the first picking it by its remainder by 8: 0 a key down, 1 a key
// up (the second byte the key); 2 the window closed, 3 the mouse moved, 4 a mouse button;
// 5 to 7 frames, 1 to 4 of them, each as long as a third byte says. A game that ends goes to
// the title screen once, when the next byte asks (one in 32), with Space or Escape queued
// behind whatever is there; else the run ends.

#include "play.h"

#include "game/actions.h"
#include "game/title.h"
#include "world/dice.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

std::uint8_t next(const std::uint8_t*& data, const std::uint8_t* end)
{
    return data < end ? *data++ : 0;
}

void push(Uint8 type, SDLKey key = SDLK_UNKNOWN)
{
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;  // a mouse event's fields share these bytes
    SDL_PushEvent(&event);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!playStartup())
        abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Every run starts as the same fresh game: nothing queued, no key held, the same dice.
    const std::uint8_t* end = data + size;
    SDL_Event event;
    while (SDL_PollEvent(&event)) { }
    diceSeed(1);
    PlayWatch watch;
    playGameStart(watch, 0xFFFFFFFFu - 5000u * next(data, end));  // lets go of every key SDL sees up
    bool titleSeen = false;
    while (data < end) {
        const std::uint8_t command = next(data, end) % 8, byte = next(data, end);
        if (command < 2) {
            // Every key of the game's actions comes up often; the rest of the keyboard now and then.
            static const std::vector<SDLKey> keys = [] {
                std::vector<SDLKey> all = {SDLK_LCTRL, SDLK_a};
                for (const ActionInfo& action : ACTIONS)
                    for (const SDLKey key : action.keys)
                        if (key != SDLK_UNKNOWN)
                            all.push_back(key);
                return all;
            }();
            push(command == 0 ? SDL_KEYDOWN : SDL_KEYUP,
                 byte < 192 ? keys[byte % keys.size()] : static_cast<SDLKey>(byte));
        } else if (command < 5) {
            push(command == 2 ? SDL_QUIT : command == 3 ? SDL_MOUSEMOTION : SDL_MOUSEBUTTONDOWN);
        } else {
            const std::uint8_t length = next(data, end);
            const Uint32 milliseconds = length < 200 ? 1 + length % 40
                : length < 248                       ? 41 + (length - 200) * 259 / 47
                                                     : 301 + (length - 248) * 2699 / 7;
            for (int frame = 0; frame <= byte % 4; frame++) {
                const int ended = playStep(milliseconds);
                const std::string broken = playRulesBroken(watch);
                if (!broken.empty()) {
                    fprintf(stderr, "rule broken: %s\n", broken.c_str());
                    abort();
                }
                if (!ended)
                    continue;
                // Once a run, when the next byte asks, the title screen and a new game.
                const std::uint8_t choice = next(data, end);
                push(SDL_KEYDOWN, choice & 32 ? SDLK_SPACE : SDLK_ESCAPE);
                if (titleSeen || choice % 32 != 0 || titleScreenRun() != 1)
                    return 0;
                titleSeen = true;
                playGameStart(watch);
            }
        }
    }
    return 0;
}
