// Vector drawings of Skarvel's craft in their own frame: nose along +x, centred on the
// origin, measured in pixels of the 32 x 32 sprites (missile 16 x 16, shard 12 x 12).
#pragma once

#include <cairo.h>

namespace art {

// The player's fighter: a silver-blue swept-wing arrow with a cyan engine.
void drawShip(cairo_t* cr);

// The enemy: a red-orange beetle with forward mandibles, side spikes and a glowing eye.
void drawEnemy(cairo_t* cr);

// A missile, flying straight: slim pale body, red nose and fins, bright flame at the tail.
void drawMissile(cairo_t* cr);

// A hot fragment of hull; `heat` in [0,1] sets how brightly it glows.
void drawShard(cairo_t* cr, double heat);

}  // namespace art
