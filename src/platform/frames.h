// How many pictures a sprite set holds: one for each 5.625 degrees of a craft's turn, and as
// many for the tumbling of a piece of shrapnel. The generator draws the sets by it too.
#pragma once

constexpr int SPRITE_FRAME_COUNT = 64;
