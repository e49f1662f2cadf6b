// The player's ship: controls, weapons, lives and the camera that follows it, and its
// pictures.
#pragma once

#include "platform/pictures.h"
#include "world/entity.h"

constexpr double SHIP_TURN_RATE = 180;     // degrees per second
constexpr double SHIP_ACCELERATION = 300;  // pixels per second per second, thrust and brake
constexpr double SHIP_MAX_SPEED = 300;
constexpr double SHIP_START_HEADING = 90;
constexpr double SHIP_START_SPEED = 300;
constexpr int SHIP_HEALTH = 500;
constexpr int START_LIVES = 3;
constexpr double BULLET_INTERVAL = 0.1;  // seconds
constexpr double MISSILE_INTERVAL = 0.5;
constexpr double GUN_OFFSET = 32;       // pixels ahead of the ship's centre
constexpr double LAUNCHER_OFFSET = 17;  // pixels to each side
constexpr double SHOT_SPEED = 600;

extern int lives;  // spare ships; the game is over below 0
extern SpriteFrames shipFrames;
extern SDL_Surface* smallShipIcon;

extern const EntityType shipType;

void shipUpdate(Entity* entity, double seconds);
void shipDraw(Entity* entity);
void shipKill(Entity* entity);

// Whole again at the world's origin, pointing up at full speed.
void shipReset();
void shipNewGame();
int shipIsGameOver();

// The life icon, then the 64 rotation frames; -1 at the first failure.
int shipLoad();
