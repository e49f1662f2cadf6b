// How an enemy turns: straight at the ship once it is nearer than 300 pixels, on randomly
// bending curves otherwise; and the wrapped bearings and distances that rest on.
#pragma once

#include "world/entity.h"

constexpr double ENEMY_CHASE_RADIUS = 300;  // pixels, strictly nearer chases
constexpr double ENEMY_TURN_LIMIT = 360;    // degrees per second; also bounds the drift
constexpr int ENEMY_TURN_RATE = 0;          // vars element: degrees per second
constexpr int ENEMY_TURN_DRIFT = 1;         // vars element: degrees per second squared

double rangeClamp(double value, double low, double high);

// Direction from one entity to another the shorter way across the world's seams, [0, 360).
double entityBearing(const Entity* from, const Entity* to);
double entityDistanceSquared(const Entity* a, const Entity* b);

void enemySteer(Entity* enemy, double seconds);
