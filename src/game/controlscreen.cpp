#include "game/controlscreen.h"

#include "display/background.h"
#include "game/actions.h"
#include "game/settings.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "platform/present.h"
#include "platform/screen.h"
#include "platform/text.h"

#include <SDL.h>

#include <string>
#include <vector>

namespace {

constexpr Uint32 POLL_MS = 20;             // the screen answers a key within a frame or two
constexpr Sint16 STICK_DEAD_ZONE = 16384;  // half way: the stick chooses as the d-pad does
constexpr int LEFT = 36, KEYS_X = 190, PAD_X = 450, RIGHT = 604;
constexpr int HEADING_Y = 14, COLUMNS_Y = 60, FIRST_ROW_Y = 86, ROW_HEIGHT = 24;
constexpr int HELP_Y = 366, SAID_Y = 412;

int chosen = 0;
bool waiting = false;  // for the next key or button, to bind to the chosen action
int stickBefore = 0;   // -1 up, 1 down, 0 resting, as the stick was last seen
std::string said[2];   // the screen's two lines: what the last change did, and whether it was saved

std::string listed(const std::vector<int>& actions)
{
    std::string names;
    for (const int action : actions)
        names += (names.empty() ? "" : ", ") + std::string(ACTIONS[action].name);
    return names;
}

// After a change of the chosen action that took keys or buttons from others: the screen says
// what it did, and the change is saved at once, the others with it.
void changed(const std::string& what, std::vector<int> taken)
{
    said[0] = what + (taken.empty() ? "" : "; taken from " + listed(taken));
    taken.insert(taken.begin(), chosen);
    said[1] = settingsSave(taken);
}

// The chosen action's keys, or pad buttons, as the screen lists them.
std::string now(bool keys)
{
    const std::string names = bindingNames(ACTIONS[chosen].action, keys);
    return std::string(ACTIONS[chosen].name) + (keys ? ": " : ": pad ") + (names.empty() ? "none" : names);
}

void bind(bool key, int code)
{
    waiting = false;
    const std::vector<int> taken = bindingsGive(chosen, key, code);
    changed(now(key), taken);
}

void choose(int step)
{
    chosen = (chosen + step + ACTION_COUNT) % ACTION_COUNT;
}

void await()
{
    waiting = true;
    said[0] = std::string("press a key or pad button for ") + ACTIONS[chosen].name;
    said[1] = "escape or back: leave it as it is";
}

void restore()
{
    const std::vector<int> taken = bindingsRestore(chosen);
    const std::string pad = bindingNames(ACTIONS[chosen].action, false);
    changed(now(true) + (pad.empty() ? "" : "; pad " + pad), taken);
}

// What the pad's button is bound as: its name where the pad's layout gives it one.
int buttonCode(const InputEvent& in)
{
    return in.named >= 0 ? PAD_RAW_BUTTONS + in.named : in.code;
}

// 1 back to the title, 0 the window closed, CONTROLS_GOING otherwise.
int handle(const InputEvent& in)
{
    const bool named = in.named >= 0;
    const auto is = [&](PadButton button) { return named && in.named == static_cast<int>(button); };
    switch (in.kind) {
    case InputKind::WindowClosed: return 0;
    case InputKind::KeyDown:
        if (waiting && in.code == SDLK_ESCAPE) {
            waiting = false;
            said[0] = said[1] = "";
        } else if (waiting) {
            bind(true, in.code);
        } else if (in.code == SDLK_ESCAPE) {
            return 1;
        } else if (in.code == SDLK_UP || in.code == SDLK_DOWN) {
            choose(in.code == SDLK_UP ? -1 : 1);
        } else if (in.code == SDLK_RETURN || in.code == SDLK_KP_ENTER) {
            await();
        } else if (in.code == SDLK_BACKSPACE) {
            restore();
        }
        break;
    case InputKind::ButtonDown:
        if (waiting && is(PadButton::Back)) {
            waiting = false;
            said[0] = said[1] = "";
        } else if (waiting && buttonCode(in) >= 0) {
            bind(false, buttonCode(in));
        } else if (is(PadButton::B) || is(PadButton::Back)) {
            return 1;
        } else if (is(PadButton::DpadUp) || is(PadButton::DpadDown)) {
            choose(is(PadButton::DpadUp) ? -1 : 1);
        } else if (is(PadButton::A)) {
            await();
        } else if (is(PadButton::X)) {
            restore();
        }
        break;
    case InputKind::PadMoved: {
        const Sint16 y = inputPad().y;
        const int stick = y < -STICK_DEAD_ZONE ? -1 : y > STICK_DEAD_ZONE ? 1 : 0;
        if (stick != 0 && stick != stickBefore && !waiting)
            choose(stick);
        stickBefore = stick;
        break;
    }
    default: break;
    }
    return CONTROLS_GOING;
}

void frame(int x, int y, int w, int h, Uint32 colour)
{
    SDL_Rect edge{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
    SDL_FillRect(screenSurface, &edge, colour);
}

// The starfield behind a dark plate with a bright rim, as the title's box of keys has it.
void draw()
{
    SDL_Surface* screen = screenSurface;
    backgroundDraw(0, 0);
    const Uint32 rim = SDL_MapRGB(screen->format, 90, 215, 255), ink = SDL_MapRGB(screen->format, 5, 10, 28);
    const Uint32 bar = SDL_MapRGB(screen->format, 25, 60, 110);
    frame(LEFT - 16, COLUMNS_Y - 10, RIGHT - LEFT + 32, SAID_Y - COLUMNS_Y + 58, rim);
    frame(LEFT - 14, COLUMNS_Y - 8, RIGHT - LEFT + 28, SAID_Y - COLUMNS_Y + 54, ink);
    const char* heading = "CONTROLS";
    textDraw(TextStyle::Heading, heading, (screen->w - textWidth(TextStyle::Heading, heading)) / 2, HEADING_Y);
    textDraw(TextStyle::Word, "action", LEFT, COLUMNS_Y);
    textDraw(TextStyle::Word, "keys", KEYS_X, COLUMNS_Y);
    textDraw(TextStyle::Word, "pad", PAD_X, COLUMNS_Y);
    for (int a = 0; a < ACTION_COUNT; a++) {
        const int y = FIRST_ROW_Y + a * ROW_HEIGHT;
        if (a == chosen)
            frame(LEFT - 8, y - 2, RIGHT - LEFT + 16, ROW_HEIGHT, bar);
        textDraw(a == chosen ? TextStyle::Chosen : TextStyle::Word, ACTIONS[a].name, LEFT, y);
        textDraw(TextStyle::Key, bindingNames(ACTIONS[a].action, true).c_str(), KEYS_X, y);
        textDraw(TextStyle::Key, bindingNames(ACTIONS[a].action, false).c_str(), PAD_X, y);
    }
    const TextRun keys[] = {{TextStyle::Key, "up, down"},  {TextStyle::Word, " choose   "},
                            {TextStyle::Key, "return"},    {TextStyle::Word, " change   "},
                            {TextStyle::Key, "backspace"}, {TextStyle::Word, " defaults   "},
                            {TextStyle::Key, "escape"},    {TextStyle::Word, " back"}};
    const TextRun pad[] = {{TextStyle::Word, "a pad: "}, {TextStyle::Key, "d-pad"}, {TextStyle::Word, ", "},
                           {TextStyle::Key, "a"},        {TextStyle::Word, ", "},   {TextStyle::Key, "x"},
                           {TextStyle::Word, ", "},      {TextStyle::Key, "b"},     {TextStyle::Word, " or "},
                           {TextStyle::Key, "back"}};
    const int keysWidth = textRunsWidth(keys, sizeof keys / sizeof keys[0]);
    textDrawRuns(keys, sizeof keys / sizeof keys[0], (screen->w - keysWidth) / 2, HELP_Y);
    const int padWidth = textRunsWidth(pad, sizeof pad / sizeof pad[0]);
    textDrawRuns(pad, sizeof pad / sizeof pad[0], (screen->w - padWidth) / 2, HELP_Y + ROW_HEIGHT);
    for (int line = 0; line < 2; line++) {
        const TextStyle style = waiting && line == 0 ? TextStyle::Chosen : TextStyle::Word;
        textDraw(style, said[line].c_str(), (screen->w - textWidth(style, said[line].c_str())) / 2,
                 SAID_Y + line * ROW_HEIGHT);
    }
    presentFrame(screen);
}

}  // namespace

void controlScreenOpen()
{
    chosen = 0;
    waiting = false;
    stickBefore = 0;
    said[0] = "";
    said[1] = settingsUnsaved();
}

int controlScreenStep()
{
    InputEvent in;
    while (inputNext(&in)) {
        const int decided = handle(in);
        if (decided != CONTROLS_GOING)
            return decided;
    }
    inputJoystickLookAgain();
    draw();
    clockWait(POLL_MS);
    return CONTROLS_GOING;
}

int controlScreenRun()
{
    controlScreenOpen();
    int result;
    while ((result = controlScreenStep()) == CONTROLS_GOING) { }
    return result;
}
