// What bullets and missiles share: one second of straight flight and the first enemy
// they touch.
#pragma once

#include "world/entity.h"

constexpr double SHOT_LIFETIME = 1.0;  // seconds
constexpr int SHOT_AGE = 0;            // vars element holding a shot's age in seconds

// Ages the shot, expires it past its lifetime, moves it and looks for a live enemy where it
// now is. On a hit the shot is spent, the explosion plays and the enemy is given back for
// the caller to damage; otherwise none.
Entity* shotAdvance(Entity* shot, double seconds);
