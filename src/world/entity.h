// The one record shared by every moving thing in the game (ship, enemies, shots, debris)
// and the kind record of three operations that decides what a record does.
#pragma once

#include <SDL.h>

#include <array>

struct Entity;

// A kind of entity: what happens when it dies, how it moves on, how it looks.
// update and draw may be empty; kill is always there.
struct EntityType {
    void (*kill)(Entity* entity);
    void (*update)(Entity* entity, double seconds);
    void (*draw)(Entity* entity);
};

constexpr int ENTITY_VAR_COUNT = 10;
// The health every entity is born with. The ship gets its own; an enemy keeps this one until
// something hits it.
constexpr int ENTITY_HEALTH = 100;

struct Entity {
    const EntityType* type;
    bool active;  // false marks a free slot
    double x;    // centre, world pixels, [0, worldWidth)
    double y;    // centre, world pixels, growing downward
    int width;   // half of it is the collision radius
    int height;
    int health;
    double heading;                             // degrees, 0 = +x, 90 = up the screen
    double speed;                               // pixels per second along the heading
    std::array<double, ENTITY_VAR_COUNT> vars;  // meaning depends on the kind
    SDL_Surface* sprite;
};
