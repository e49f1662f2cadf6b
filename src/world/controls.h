// What the player asks of one frame: the game's actions held and those pressed in it. The
// game layer builds it every frame, from the keyboard and pad or from a demo played back,
// and the update pass reads nothing else of the player.
#pragma once

#include <cstdint>

enum class Action : std::uint8_t {
    Left,
    Right,
    Thrust,
    Brake,
    Fire,
    Missiles,
    Pause,
    Screenshot,
    Leave,
    Start,
    Controls,
};
constexpr int ACTION_COUNT = 11;

constexpr std::uint16_t actionBit(Action action)
{
    return static_cast<std::uint16_t>(1u << static_cast<int>(action));
}

struct Controls {
    std::uint16_t held = 0;     // the actions held, one bit each
    std::uint16_t pressed = 0;  // the actions pressed during the frame
    bool holds(Action action) const { return held & actionBit(action); }
    bool presses(Action action) const { return pressed & actionBit(action); }
};

// The frame's controls, as the update pass reads them.
extern Controls controls;
