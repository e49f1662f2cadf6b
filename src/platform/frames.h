// How many pictures a sprite set holds: one for each 5.625 degrees of a craft's turn, and as
// many for the tumbling of a piece of shrapnel. The generator draws the sets by these too.
#pragma once

constexpr int SPRITE_FRAME_COUNT = 64;                    // every numbered set, 0001 to 0064
constexpr int ROTATION_FRAMES = SPRITE_FRAME_COUNT;       // the ship, the enemies, the missiles
constexpr int SHRAPNEL_FRAME_COUNT = SPRITE_FRAME_COUNT;  // a piece's tumble, frame after frame
