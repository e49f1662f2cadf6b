// libFuzzer target: arbitrary bytes become a player's doings, pushed into SDL's real event
// queue (any key pressed or released, the window closed, the mouse moved and clicked), and
// frames of any length from 1 ms to 3 s run through the game's own steps: inputPoll and
// frameRun, and the title screen between games.
//
// The first byte sets the millisecond clock, up to 21 minutes before it wraps; the rest is
// read as commands, one opening byte each (its remainder by 8 picks the command), most
// followed by their own bytes:
//   0 key down, 1 key up: two bytes, the key (see keyFrom)
//   2 the window is closed
//   3 the mouse moves: two bytes, x and y
//   4 a mouse button: one byte, the button and whether it is pressed
//   5 to 7 frames: two bytes, how many frames (1 to 4) and how long each (see frameLength)
// A game that ends (Escape, a closed window, the last life lost) goes to the title screen
// when a next byte is there and asks for it (one in 32), with Space or Escape pushed behind
// whatever is still queued so the screen always has a decision; else the run ends there.
// Each title pass waits 100 ms, so a run sees the title screen once at most and most runs
// end at their first game's end.

#include "game/frameloop.h"
#include "game/options.h"
#include "game/title.h"
#include "platform/input.h"
#include "platform/startup.h"
#include "player/ship.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr int MAX_TITLES = 1;  // title screens in one run

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) { }
    bool empty() const { return at_ >= size_; }
    std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Every key the game reacts to comes up often; the rest of the keyboard now and then.
SDLKey keyFrom(std::uint8_t byte, std::uint8_t extra)
{
    static const SDLKey keys[] = {SDLK_UP, SDLK_DOWN,   SDLK_LEFT,   SDLK_RIGHT, SDLK_SPACE, SDLK_RCTRL,
                                  SDLK_m,  SDLK_RSHIFT, SDLK_ESCAPE, SDLK_s,     SDLK_LCTRL, SDLK_LSHIFT};
    constexpr int common = sizeof keys / sizeof keys[0];
    if (byte < 192)
        return keys[byte % common];
    return static_cast<SDLKey>(((byte - 192) << 8 | extra) % SDLK_LAST);
}

// Whole milliseconds as the game's clock gives them: mostly a usual frame, sometimes a slow
// one, rarely a stall of up to three seconds.
Uint32 frameLength(std::uint8_t byte)
{
    if (byte < 200)
        return 1 + byte % 40;
    if (byte < 248)
        return 41 + (byte - 200) * 259 / 47;
    return 301 + (byte - 248) * 2699 / 7;
}

void push(SDL_Event& event)
{
    SDL_PushEvent(&event);
}

void pushKey(SDLKey key, bool down)
{
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.type = event.type;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    push(event);
}

// The title screen between two games, decided by what is queued and then by key. 1 when a
// new game begins.
int titleBetweenGames(SDLKey key)
{
    pushKey(key, true);
    return titleScreenRun() == 1;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    char name[] = "skarvel";
    char window[] = "-window";
    char* argv[] = {name, window, nullptr};
    const VideoRequest request = optionsParse(2, argv);
    if (appInit(request.width, request.height, request.bitsPerPixel, request.flags) < 0)
        abort();
    // The first title screen loads the sprites; Escape lets it return once they are in.
    pushKey(SDLK_ESCAPE, true);
    if (titleScreenRun() != 0 || !spritesLoaded)
        abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Every run starts as the same fresh game: nothing queued, no key held, the same dice.
    SDL_Event stale;
    while (SDL_PollEvent(&stale)) { }
    keyUp = keyDown = keyRight = keyLeft = keySpace = keyRightCtrl = keyM = keyRightShift = 0;
    srand(1);
    gameStart();

    Bytes bytes(data, size);
    int titles = 0;
    FrameClock clock;
    // The millisecond clock may be anywhere, close to its wrap after 49.7 days included.
    Uint32 now = 0xFFFFFFFFu - 5000u * bytes.next();
    frameClockStart(&clock, now);
    while (!bytes.empty()) {
        const std::uint8_t command = bytes.next();
        SDL_Event event{};
        switch (command % 8) {
        case 0:
        case 1: {
            const std::uint8_t key = bytes.next();
            pushKey(keyFrom(key, bytes.next()), command % 8 == 0);
            break;
        }
        case 2:
            event.type = SDL_QUIT;
            push(event);
            break;
        case 3:
            event.type = SDL_MOUSEMOTION;
            event.motion.x = static_cast<Uint16>(bytes.next() * 3);
            event.motion.y = static_cast<Uint16>(bytes.next() * 2);
            event.motion.xrel = static_cast<Sint16>(command - 128);
            push(event);
            break;
        case 4: {
            const std::uint8_t button = bytes.next();
            event.type = button & 1 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            event.button.button = static_cast<Uint8>(1 + (button >> 1) % 5);
            event.button.state = button & 1 ? SDL_PRESSED : SDL_RELEASED;
            event.button.x = static_cast<Uint16>(button * 2);
            event.button.y = static_cast<Uint16>(button);
            push(event);
            break;
        }
        default: {
            const int frames = 1 + bytes.next() % 4;
            const Uint32 length = frameLength(bytes.next());
            for (int frame = 0; frame < frames; frame++) {
                const double seconds = frameClockAdvance(&clock, now += length);
                // The game's own frame: the keyboard, then update, draw and flip.
                int quit = inputPoll();
                frameRun(seconds);
                if (shipIsGameOver())
                    quit = 1;
                if (!quit)
                    continue;
                if (bytes.empty() || titles == MAX_TITLES)
                    return 0;
                const std::uint8_t choice = bytes.next();
                if (choice % 32 != 0)
                    return 0;
                titles++;
                if (!titleBetweenGames(choice & 32 ? SDLK_SPACE : SDLK_ESCAPE))
                    return 0;
                gameStart();
                frameClockStart(&clock, now);
            }
            break;
        }
        }
    }
    return 0;
}
