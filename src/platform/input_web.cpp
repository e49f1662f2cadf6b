// The page's keyboard, pads and touch controls, as emscripten's SDL and the browser tell them.
#include "platform/input.h"

#include <emscripten.h>

namespace {

// clang-format off
// 1 when the canvas lost the keyboard, or the page was hidden, since the last look. A hidden
// page has no animation frames: the game would stand still and then leap.
EM_JS(int, pageLeft, (), {
    if (Module.pageLeft === undefined) {
        const leave = function() { Module.pageLeft = 1; };
        Module.canvas.addEventListener("blur", leave);
        document.addEventListener("visibilitychange", function() { if (document.hidden) leave(); });
    }
    const left = Module.pageLeft || 0;
    Module.pageLeft = 0;
    return left;
});
// Whether the browser's events that emscripten's SDL keeps for its queue hold one of the
// given types. Its SDL_PeepEvents only takes events out, and refuses to peek at them.
EM_JS(int, pageEventQueued, (int a, int b, int c, int d), {
    return SDL.events.some(function(event) {
        const type = SDL.DOMEventToSDLEvent[event.type];
        return type === a || type === b || type === c || type === d;
    });
});
// Whether the browser lays out the first pad in its standard mapping.
EM_JS(int, padStandard, (), {
    const pads = navigator.getGamepads ? navigator.getGamepads() : [];
    return pads.length && pads[0] && pads[0].mapping == "standard" ? 1 : 0;
});
// The page's touch controls differ between the title screen and play.
EM_JS(void, pageScreenTell, (int playing), {
    document.documentElement.dataset.screen = playing ? "play" : "title";
});
// clang-format on

}  // namespace

bool inputPressQueued()
{
    return pageEventQueued(SDL_KEYDOWN, SDL_QUIT, SDL_JOYBUTTONDOWN, SDL_MOUSEBUTTONDOWN);
}

bool inputKeyHeld(int key)
{
    constexpr int LATER = 1 << 30, TABLE = 0x10000;
    const int slot = key & LATER ? (key & 0x3ff) | 0x400 : key;
    return slot > 0 && slot < TABLE && SDL_GetKeyboardState(nullptr)[slot];
}

const char* inputKeyNameOwn(int key)
{
    // emscripten's SDL numbers a key with a character by it, a letter by its small one, the
    // rest by their SDL 2 scan codes from 1024 up; its SDL_GetKeyName calls every key "unknown
    // key".
    static char characters[128][2];
    if (key > ' ' && key < 127 && !(key >= 'A' && key <= 'Z')) {
        characters[key][0] = static_cast<char>(key);
        return characters[key];
    }
    // clang-format off
    static const struct {
        int key;
        const char* name;
    } NAMES[] = {
        {8, "backspace"}, {9, "tab"}, {13, "return"}, {27, "escape"}, {32, "space"}, {127, "delete"},
        {1024 | 73, "insert"}, {1024 | 74, "home"}, {1024 | 75, "page up"}, {1024 | 77, "end"},
        {1024 | 78, "page down"}, {1024 | 79, "right"}, {1024 | 80, "left"}, {1024 | 81, "down"}, {1024 | 82, "up"},
        {1024 | 224, "left ctrl"}, {1024 | 225, "left shift"}, {1024 | 226, "left alt"},
        {1024 | 228, "right ctrl"}, {1024 | 229, "right shift"}, {1024 | 230, "right alt"},
    };
    // clang-format on
    static const char* const F[] = {"f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8", "f9", "f10", "f11", "f12"};
    if (key >= (1024 | 58) && key <= (1024 | 69))
        return F[key - (1024 | 58)];
    for (const auto& named : NAMES)
        if (named.key == key)
            return named.name;
    return nullptr;
}

void inputInPlay(bool playing)
{
    pageScreenTell(playing);
}

bool inputPageLeft()
{
    return pageLeft();
}

void inputPadsListAgain() { }

void inputPadOpened() { }

bool inputPadLayout(PadLayout* layout)
{
    // The browser lays a pad it knows out in its standard mapping, whatever the pad's own
    // numbering: A 0, B 1, X 2, Y 3, the shoulders 4 and 5, the triggers 6 and 7, Back 8,
    // Start 9, the sticks 10 and 11, the d-pad 12 to 15, the guide 16; it reports no hat.
    if (!padStandard())
        return false;
    constexpr int TRIGGER = -1;  // an axis as SDL lays a pad out, no button
    // clang-format off
    const int standard[] = {
        int(PadButton::A), int(PadButton::B), int(PadButton::X), int(PadButton::Y),
        int(PadButton::LeftShoulder), int(PadButton::RightShoulder), TRIGGER, TRIGGER,
        int(PadButton::Back), int(PadButton::Start), int(PadButton::LeftStick), int(PadButton::RightStick),
        int(PadButton::DpadUp), int(PadButton::DpadDown), int(PadButton::DpadLeft), int(PadButton::DpadRight),
        int(PadButton::Guide)};
    // clang-format on
    for (int raw = 0; raw < PAD_RAW_BUTTONS; raw++)
        layout->named[raw] = raw < static_cast<int>(sizeof standard / sizeof standard[0]) ? standard[raw] : -1;
    for (int& named : layout->hat)
        named = -1;
    layout->stickX = 0;
    layout->stickY = 1;
    return true;
}

bool inputPadPulled()
{
    // emscripten's SDL reads the first of the browser's pads, and keeps its last state once
    // it is gone.
    return EM_ASM_INT({
        const pads = navigator.getGamepads ? navigator.getGamepads() : [];
        return pads.length && pads[0] && pads[0].connected ? 0 : 1;
    });
}
